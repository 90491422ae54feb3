#pragma once

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Range.SpecialCells with xlCellTypeFormulas or xlCellTypeConstants: the
// cells of the areas holding a formula (or a constant) whose value type is
// in `valueMask` (xlNumbers, xlTextValues, xlLogical, xlErrors), as blocks.
// A single cell stands for the whole sheet, as in the host. Raises 1004
// "No cells were found." when nothing matches; other types are refused.
model::Areas SpecialCells(const model::Sheet& sheet, const model::Areas& areas, int type, int valueMask);

// Whether every cell of the areas holds a formula.
bool AllHoldFormulas(const model::Sheet& sheet, const model::Areas& areas);
// Whether every cell of the areas belongs to an array formula.
bool AllInArrays(const model::Sheet& sheet, const model::Areas& areas);

}  // namespace tabulara::embedded
