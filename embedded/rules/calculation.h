#pragma once

#include <memory>
#include <vector>

#include "embedded/addin_list.h"
#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Worksheet.Calculate: the formula engine calculates the workbook, with the
// methods of the installed add-ins, and the sheet's formulas take their
// values. A formula the engine cannot compute keeps the value the file gave
// it; the sheet is refused when that value is not vouched for: the file
// holds none, the file asks for its formulas to be calculated on opening, or
// cells changed since the workbook was read.
void CalculateSheet(model::Workbook& workbook, model::Sheet& sheet, const AddInList& addIns);

// Application.Calculate: every worksheet of every workbook, by the same
// rules; nothing changes when one is refused. A calculated workbook's
// formula values are all current.
//
// Built without the formula engine (the Windows build), both raise 1004.
void CalculateWorkbooks(const std::vector<std::shared_ptr<model::Workbook>>& workbooks, const AddInList& addIns);

}  // namespace tabulara::embedded
