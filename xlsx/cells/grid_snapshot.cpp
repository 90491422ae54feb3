#include "xlsx/cells/grid_snapshot.h"

#include <algorithm>

#include "xlsx/package/huge_pages.h"

namespace tabulara::xlsx {

using embedded::model::Cell;
using embedded::model::CellAddress;
using embedded::model::Grid;

void GridSnapshot::Take(const Grid& grid) {
  std::size_t count = 0;
  for (const auto& [number, row] : grid.rows) count += row.cells.size();
  cells_.clear();
  // Rows view the array: it must not move while it fills.
  ReserveLarge(cells_, count);
  rows_.clear();
  ReserveLarge(rows_, grid.rows.size());
  for (const auto& [number, row] : grid.rows) {
    const Cell* const first = cells_.data() + cells_.size();
    cells_.insert(cells_.end(), row.cells.begin(), row.cells.end());
    rows_.push_back({number, {first, row.cells.size()}, row.height, row.hidden, row.format});
  }

  TakeFormulas(grid);

  columns = grid.columns;
  arrays = grid.arrays;
  sheetFormat = grid.sheetFormat;
  defaultRowHeight = grid.defaultRowHeight;
  defaultColumnWidth = grid.defaultColumnWidth;
}

void GridSnapshot::TakeFormulas(const Grid& grid) {
  const auto add = [&](std::uint64_t key, const std::string& text) {
    formulas_.push_back({key, formulaText_.size(), text.size()});
    formulaText_ += text;
  };
  formulaText_.clear();
  formulas_.clear();
  ReserveLarge(formulas_, grid.formulas.size());
  if (grid.ForEachFormulaByCell([&](std::uint64_t key, const Cell&, const std::string& text) { add(key, text); })) {
    return;
  }
  formulaText_.clear();
  formulas_.clear();
  for (const auto& [key, text] : grid.formulas) add(key, text);
  std::sort(formulas_.begin(), formulas_.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
}

std::vector<GridSnapshot::Row>::const_iterator GridSnapshot::RowsFrom(std::int32_t number) const {
  return std::lower_bound(rows_.begin(), rows_.end(), number,
                          [](const Row& row, std::int32_t wanted) { return row.number < wanted; });
}

const GridSnapshot::Row* GridSnapshot::FindRow(std::int32_t number) const {
  // Rows are mostly asked for in order: the one after the last found first.
  if (lastFound_ < rows_.size() && rows_[lastFound_].number == number) return &rows_[lastFound_];
  if (lastFound_ + 1 < rows_.size() && rows_[lastFound_ + 1].number == number) return &rows_[++lastFound_];
  const auto row = RowsFrom(number);
  if (row == rows_.end() || row->number != number) return nullptr;
  lastFound_ = static_cast<std::size_t>(row - rows_.begin());
  return &*row;
}

std::optional<std::string_view> GridSnapshot::Formula(CellAddress cell) const {
  const std::uint64_t key = Grid::FormulaKey(cell);
  const auto entry = std::lower_bound(formulas_.begin(), formulas_.end(), key,
                                      [](const FormulaEntry& a, std::uint64_t wanted) { return a.key < wanted; });
  if (entry == formulas_.end() || entry->key != key) return std::nullopt;
  return std::string_view(formulaText_).substr(entry->offset, entry->size);
}

}  // namespace tabulara::xlsx
