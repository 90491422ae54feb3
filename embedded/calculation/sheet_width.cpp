#include "embedded/calculation/sheet_width.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tabulara::embedded::calculation {
namespace {

constexpr std::int32_t kMaximumColumns = 16384;

bool IsNamePart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' || c == '$' || c == '\\';
}

// The column a word of a formula names when it is a reference ("$AB12",
// "C", "XFD1"), else 0; a whole-row reference ("3") takes every column.
std::int32_t ColumnOf(std::string_view word, bool rowRange) {
  std::size_t count = 0;
  std::int32_t column = 0;
  for (const char c : word) {
    if (c == '$') continue;
    if (!std::isalpha(static_cast<unsigned char>(c))) break;
    column = column * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    ++count;
  }
  const bool digitsAfter = std::all_of(word.begin(), word.end(),
                                       [&](char c) { return c == '$' || std::isalnum(static_cast<unsigned char>(c)); });
  if (count == 0) return rowRange ? kMaximumColumns : 0;
  if (count > 3 || !digitsAfter) return 0;
  return std::min(column, kMaximumColumns);
}

// The highest column the formula's references reach, as far as its text
// tells: quoted names and texts are left out.
std::int32_t ReferencedColumns(std::string_view formula) {
  std::int32_t widest = 0;
  for (std::size_t at = 0; at < formula.size();) {
    const char c = formula[at];
    if (c == '"' || c == '\'') {
      const std::size_t close = formula.find(c, at + 1);
      at = close == std::string_view::npos ? formula.size() : close + 1;
      continue;
    }
    if (!IsNamePart(c)) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < formula.size() && IsNamePart(formula[end])) ++end;
    const bool called = end < formula.size() && formula[end] == '(';
    const bool qualifiesSheet = end < formula.size() && formula[end] == '!';
    const bool rowRange = (end < formula.size() && formula[end] == ':') || (at > 0 && formula[at - 1] == ':');
    if (!called && !qualifiesSheet) widest = std::max(widest, ColumnOf(formula.substr(at, end - at), rowRange));
    at = end;
  }
  return widest;
}

}  // namespace

std::int32_t SheetWidth(const model::Workbook& workbook) {
  std::int32_t widest = 1;
  for (const auto& sheet : workbook.sheets) {
    for (const auto& [row, cells] : sheet->grid().rows) {
      if (!cells.cells.empty()) widest = std::max<std::int32_t>(widest, cells.cells.back().column);
    }
    for (const auto& [key, formula] : sheet->grid().formulas) widest = std::max(widest, ReferencedColumns(formula));
  }
  return widest;
}

}  // namespace tabulara::embedded::calculation
