#pragma once

#include <iosfwd>
#include <string>

#include "embedded/embedded_host.h"

namespace tabulara::cli {

// The sheets in tab order, one a line as "NAME<TAB>KIND<TAB>VISIBILITY"
// (kind: worksheet, chart or dialog; visibility: visible, hidden or
// very hidden), then "active sheet: NAME".
void PrintSheets(std::ostream& out, const embedded::model::Workbook& workbook);

// A value as a cell shows it without a number format: numbers in the
// general form, TRUE or FALSE, error values by name (#N/A), dates as
// m/d/yyyy, texts as they are, nothing for an empty cell.
std::string CellText(const host::Variant& value);

// A cell of a sheet as "value: TEXT", then "formula: FORMULA" when it holds
// one. std::invalid_argument when `cell` is no cell reference.
void PrintCell(std::ostream& out, const embedded::EmbeddedHost& host, const embedded::model::Sheet& sheet,
               const std::string& cell);

}  // namespace tabulara::cli
