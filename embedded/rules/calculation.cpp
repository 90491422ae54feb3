#include "embedded/rules/calculation.h"

#include <optional>
#include <string>

#include "embedded/rules/host_errors.h"
#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_quoting.h"

namespace tabulara::embedded {
namespace {

using model::CellAddress;

// The first formula of the sheet, row by row, that `unvouched` picks.
template <class Unvouched>
std::optional<CellAddress> FirstFormula(const model::Sheet& sheet, Unvouched unvouched) {
  for (const auto& [row, cells] : sheet.grid.rows) {
    for (const model::Cell& cell : cells.cells) {
      if (cell.hasFormula && unvouched(cell)) return CellAddress{row, cell.column};
    }
  }
  return std::nullopt;
}

std::string CellName(const model::Sheet& sheet, CellAddress cell) {
  return SheetPrefix(sheet.name) + ColumnLetters(cell.column) + std::to_string(cell.row);
}

}  // namespace

void CalculateSheet(const model::Workbook& workbook, model::Sheet& sheet) {
  const auto any = FirstFormula(sheet, [](const model::Cell&) { return true; });
  if (any && workbook.cellsChanged) {
    throw NotCalculated("cells have changed since the file was read, so the value of " + CellName(sheet, *any) +
                        " may be out of date");
  }
  const auto uncached = FirstFormula(sheet, [](const model::Cell& cell) { return cell.kind == model::ValueKind::Empty; });
  if (uncached) throw NotCalculated(CellName(sheet, *uncached) + " has no calculated value in the file");
  if (any && workbook.fullCalculationOnLoad) {
    throw NotCalculated("the file asks for its formulas to be calculated when it is opened, so the value of " +
                        CellName(sheet, *any) + " is not known");
  }
  ++sheet.calculations;
}

}  // namespace tabulara::embedded
