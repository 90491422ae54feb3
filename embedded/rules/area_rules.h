#pragma once

#include "embedded/model/sheet.h"

namespace tabulara::embedded {

// The cells of `areas` outside `cut`, as few rectangles as a band above and
// below and a piece left and right of it give.
model::Areas Subtract(const model::Areas& areas, const model::CellRect& cut);

// What Range.Clear does to the sheet's area rules: merged cells inside
// `area` are no longer merged; conditional formats and data validations
// no longer apply to its cells.
void ClearAreaRules(model::AreaRules& rules, const model::CellRect& area);

}  // namespace tabulara::embedded
