#include "embedded/calculation/current_values.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "embedded/calculation/builtin_functions.h"

namespace tabulara::embedded::calculation {
namespace {

// The host's functions that are calculated every time, in upper case.
constexpr std::array<std::string_view, 9> kVolatile{"CELL", "INDIRECT",    "INFO",      "NOW",  "OFFSET",
                                                    "RAND", "RANDARRAY", "RANDBETWEEN", "TODAY"};

// ASCII letters, as isalpha takes them in the C and UTF-8 locales this runs
// in, without its call per character.
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }

bool IsNamePart(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '.'; }

bool IsSteadyBuiltin(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  const std::string_view bare = std::string_view(name).substr(name.starts_with("_XLFN.") ? 6 : 0);
  return IsBuiltinFunction(name) && std::find(kVolatile.begin(), kVolatile.end(), bare) == kVolatile.end();
}

}  // namespace

bool CallsOnlySteadyBuiltins(std::string_view formula) {
  for (std::size_t at = 0; at < formula.size();) {
    const char c = formula[at];
    if (c == '"' || c == '\'') {
      // A text or a quoted sheet name; a doubled quote stands for one.
      const std::size_t close = formula.find(c, at + 1);
      if (close == std::string_view::npos) return false;
      at = close + 1;
      continue;
    }
    if (!IsNameStart(c) || (at > 0 && IsNamePart(formula[at - 1]))) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < formula.size() && IsNamePart(formula[end])) ++end;
    if (end < formula.size() && formula[end] == '(' && !IsSteadyBuiltin(std::string(formula.substr(at, end - at)))) {
      return false;
    }
    at = end;
  }
  return true;
}

bool FormulaValuesAreCurrent(const model::Workbook& workbook, const model::Sheet& sheet) {
  if (workbook.cellsChanged || workbook.fullCalculationOnLoad) return false;
  if (sheet.kind != model::SheetKind::Worksheet) return true;
  const model::Grid& grid = sheet.grid();
  bool current = true;
  const bool byCell = grid.ForEachFormulaByCell([&](std::uint64_t, const model::Cell& cell, const std::string& formula) {
    current = current && cell.kind != model::ValueKind::Empty && CallsOnlySteadyBuiltins(formula);
  });
  if (byCell) return current;
  // Formula by formula where the cells do not give them all.
  for (const auto& [key, formula] : grid.formulas) {
    const model::Cell* cell = grid.Find(model::Grid::FormulaCell(key));
    if (cell == nullptr || cell->kind == model::ValueKind::Empty || !CallsOnlySteadyBuiltins(formula)) return false;
  }
  return true;
}

bool FormulaValuesAreCurrent(const model::Workbook& workbook) {
  return std::all_of(workbook.sheets.begin(), workbook.sheets.end(),
                     [&](const auto& sheet) { return FormulaValuesAreCurrent(workbook, *sheet); });
}

}  // namespace tabulara::embedded::calculation
