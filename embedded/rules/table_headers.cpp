#include "embedded/rules/table_headers.h"

#include <unordered_map>
#include <unordered_set>

#include "embedded/rules/case_folding.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/error_values.h"
#include "host/conversions.h"

namespace tabulara::embedded {

std::string HeaderText(const model::Workbook& workbook, const model::Grid& grid, model::CellAddress cell) {
  const host::Variant value = CellValue(workbook, grid, cell);
  if (value.IsEmpty()) return "";
  if (value.IsLogical()) return value.AsLogical() ? "TRUE" : "FALSE";
  if (value.IsError()) return std::string(ErrorTextOf(value.AsError().code));
  return host::ToText(value);
}

std::vector<std::string> RenamedTableColumns(std::vector<std::string> names,
                                             const std::map<std::size_t, std::string>& changedHeaders) {
  std::unordered_set<std::string> taken;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!changedHeaders.contains(i)) taken.insert(CaseFolded(names[i]));
  }
  // The next number to try after each repeated header.
  std::unordered_map<std::string, int> nextNumber;
  for (const auto& [position, header] : changedHeaders) {
    if (position >= names.size()) continue;
    const std::string base = header.empty() ? "Column" + std::to_string(position + 1) : header;
    const std::string foldedBase = CaseFolded(base);
    std::string name = base;
    std::string folded = foldedBase;
    for (int& number = nextNumber.try_emplace(foldedBase, 2).first->second; taken.contains(folded); ++number) {
      name = base + std::to_string(number);
      folded = CaseFolded(name);
    }
    taken.insert(std::move(folded));
    names[position] = std::move(name);
  }
  return names;
}

void KeepTableHeaders(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& edited) {
  for (const model::CellRect& header : sheet.tableHeaders()) {
    std::map<std::size_t, std::string> changed;
    for (const model::CellRect& area : edited) {
      const auto overlap = model::Intersection(header, area);
      if (!overlap) continue;
      for (std::int32_t column = overlap->left; column <= overlap->right; ++column) {
        changed.emplace(column - header.left, HeaderText(workbook, sheet.grid(), {header.top, column}));
      }
    }
    if (changed.empty()) continue;
    std::vector<std::string> names;
    for (std::int32_t column = header.left; column <= header.right; ++column) {
      names.push_back(HeaderText(workbook, sheet.grid(), {header.top, column}));
    }
    const std::vector<std::string> renamed = RenamedTableColumns(std::move(names), changed);
    for (const auto& [position, text] : changed) {
      const model::CellAddress cell{header.top, header.left + static_cast<std::int32_t>(position)};
      const model::Cell* now = sheet.grid().Find(cell);
      const bool holdsText = now != nullptr && now->kind == model::ValueKind::Text && !now->hasFormula;
      if (holdsText && renamed[position] == text) continue;
      if (StoreEntry(workbook, sheet.grid(), cell, {std::nullopt, host::Variant(renamed[position])})) {
        workbook.cellsChanged = true;
      }
    }
  }
}

}  // namespace tabulara::embedded
