#include "embedded/rules/calculation.h"

#include <map>
#include <optional>
#include <string>

#include "embedded/calculation/callable_functions.h"
#include "embedded/calculation/current_values.h"
#include "embedded/calculation/engine.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_quoting.h"

namespace tabulara::embedded {
namespace {

using calculation::FormulaSite;
using model::CellAddress;
using Results = std::map<FormulaSite, std::optional<host::Variant>>;

std::string CellName(const model::Sheet& sheet, CellAddress cell) {
  return SheetPrefix(sheet.name) + ColumnLetters(cell.column) + std::to_string(cell.row);
}

bool CachedValuesHold(const model::Workbook& workbook) {
  return !workbook.cellsChanged && !workbook.fullCalculationOnLoad;
}

// Refuses the sheet when a formula the engine could not compute keeps a
// value that is not vouched for.
void CheckKeptValues(const model::Workbook& workbook, std::size_t sheetIndex, const Results& results) {
  const model::Sheet& sheet = *workbook.sheets[sheetIndex];
  for (const auto& [row, cells] : sheet.grid().rows) {
    for (const model::Cell& cell : cells.cells) {
      const CellAddress address{row, cell.column};
      const auto result = results.find({sheetIndex, address});
      if (!cell.hasFormula || result == results.end() || result->second) continue;
      if (workbook.cellsChanged) {
        throw NotCalculated("cells have changed since the file was read, so the value of " + CellName(sheet, address) +
                            " may be out of date");
      }
      if (cell.kind == model::ValueKind::Empty) {
        throw NotCalculated(CellName(sheet, address) + " has no calculated value in the file");
      }
      if (workbook.fullCalculationOnLoad) {
        throw NotCalculated("the file asks for its formulas to be calculated when it is opened, so the value of " +
                            CellName(sheet, address) + " is not known");
      }
    }
  }
}

// A formula that gives nothing shows 0.
void Store(model::Workbook& workbook, model::Cell& cell, const host::Variant& value) {
  if (!SetCellValue(workbook, cell, value)) cell.SetNumber(0);
}

void StoreSheet(model::Workbook& workbook, std::size_t sheetIndex, const Results& results) {
  model::Sheet& sheet = *workbook.sheets[sheetIndex];
  for (auto result = results.lower_bound({sheetIndex, CellAddress{0, 0}});
       result != results.end() && result->first.first == sheetIndex; ++result) {
    model::Cell* cell = sheet.grid().Find(result->first.second);
    if (cell != nullptr && result->second) Store(workbook, *cell, *result->second);
  }
  ++sheet.calculations;
}

std::size_t IndexOf(const model::Workbook& workbook, const model::Sheet& sheet) {
  return static_cast<std::size_t>(workbook.IndexOf(sheet));
}

}  // namespace

void CalculateSheet(model::Workbook& workbook, model::Sheet& sheet, const AddInList& addIns) {
  if (sheet.grid().formulas.empty() || calculation::FormulaValuesAreCurrent(workbook, sheet)) {
    ++sheet.calculations;
    return;
  }
  calculation::CallableFunctions functions(addIns.CreateInstalled());
  const Results results = calculation::CalculateWorkbook(workbook, functions, CachedValuesHold(workbook));
  const std::size_t index = IndexOf(workbook, sheet);
  CheckKeptValues(workbook, index, results);
  StoreSheet(workbook, index, results);
}

void CalculateWorkbooks(const std::vector<std::shared_ptr<model::Workbook>>& workbooks, const AddInList& addIns) {
  calculation::CallableFunctions functions(addIns.CreateInstalled());
  std::vector<Results> calculated;
  for (const std::shared_ptr<model::Workbook>& workbook : workbooks) {
    if (calculation::FormulaValuesAreCurrent(*workbook)) {
      calculated.emplace_back();
      continue;
    }
    calculated.push_back(calculation::CalculateWorkbook(*workbook, functions, CachedValuesHold(*workbook)));
    for (std::size_t index = 0; index < workbook->sheets.size(); ++index) {
      if (workbook->sheets[index]->kind == model::SheetKind::Worksheet)
        CheckKeptValues(*workbook, index, calculated.back());
    }
  }
  for (std::size_t book = 0; book < workbooks.size(); ++book) {
    model::Workbook& workbook = *workbooks[book];
    for (std::size_t index = 0; index < workbook.sheets.size(); ++index) {
      if (workbook.sheets[index]->kind == model::SheetKind::Worksheet) StoreSheet(workbook, index, calculated[book]);
    }
    workbook.cellsChanged = false;
    workbook.fullCalculationOnLoad = false;
    workbook.formulasCalculated = true;
  }
}

}  // namespace tabulara::embedded
