#pragma once

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Worksheet.Calculate. With no formula engine, each formula keeps the value
// the file gave it; the sheet is refused when any of those values is not
// vouched for: a formula the file holds no value for, a file that asks for
// its formulas to be calculated on opening, or cells changed since the
// workbook was read, which may have left any value out of date.
void CalculateSheet(const model::Workbook& workbook, model::Sheet& sheet);

}  // namespace tabulara::embedded
