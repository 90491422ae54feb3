#pragma once

#include <functional>
#include <string_view>

#include "embedded/model/workbook.h"
#include "host/variant.h"

namespace tabulara::embedded {

// Range.Value put: every cell of the areas takes the value, read as
// ReadEntry reads it. Refused on locked cells of a protected sheet and on
// part of an array formula; arrays covered whole are dropped. A changed
// value marks the workbook's cells changed.
void PutValue(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas, const host::Variant& value);

// Range.Clear: values, formulas, formats, hyperlinks and comments of the
// areas go (a value or formula gone marks the workbook's cells changed). Whole rows, columns or the whole sheet are cleared without
// visiting their cells. Refused while the sheet's contents are protected.
void ClearAreas(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas);

// A Font put on the areas: `change` is applied to the font of every cell,
// whole rows, columns and the sheet through their formats. Refused while
// the sheet's contents are protected; `property` names the put in the
// error.
void ChangeFont(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas, std::string_view property,
                const std::function<void(model::Font&)>& change);

// Bases the area's cells on the named cell style; the style's font (the
// Normal font, as the file's style adds its underline and colour) replaces
// theirs.
void ApplyStyle(model::Workbook& workbook, model::Sheet& sheet, const model::CellRect& area, const std::string& style);

}  // namespace tabulara::embedded
