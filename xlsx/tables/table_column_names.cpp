#include "xlsx/tables/table_column_names.h"

#include <unordered_map>
#include <unordered_set>

#include "embedded/rules/case_folding.h"
#include "embedded/rules/cell_values.h"
#include "host/conversions.h"
#include "xlsx/cells/error_values.h"

namespace tabulara::xlsx {

std::string HeaderText(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid,
                       embedded::model::CellAddress cell) {
  const host::Variant value = embedded::CellValue(workbook, grid, cell);
  if (value.IsEmpty()) return "";
  if (value.IsLogical()) return value.AsLogical() ? "TRUE" : "FALSE";
  if (value.IsError()) return std::string(ErrorTextOf(value.AsError().code));
  return host::ToText(value);
}

std::vector<std::string> RenamedTableColumns(std::vector<std::string> names,
                                             const std::map<std::size_t, std::string>& changedHeaders) {
  std::unordered_set<std::string> taken;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!changedHeaders.contains(i)) taken.insert(embedded::CaseFolded(names[i]));
  }
  // The next number to try after each repeated header.
  std::unordered_map<std::string, int> nextNumber;
  for (const auto& [position, header] : changedHeaders) {
    if (position >= names.size()) continue;
    const std::string base = header.empty() ? "Column" + std::to_string(position + 1) : header;
    const std::string foldedBase = embedded::CaseFolded(base);
    std::string name = base;
    std::string folded = foldedBase;
    for (int& number = nextNumber.try_emplace(foldedBase, 2).first->second; taken.contains(folded); ++number) {
      name = base + std::to_string(number);
      folded = embedded::CaseFolded(name);
    }
    taken.insert(std::move(folded));
    names[position] = std::move(name);
  }
  return names;
}

}  // namespace tabulara::xlsx
