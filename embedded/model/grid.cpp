#include "embedded/model/grid.h"

#include <algorithm>
#include <utility>

namespace tabulara::embedded::model {
namespace {

bool ColumnBefore(const Cell& cell, std::int32_t column) { return cell.column < column; }

}  // namespace

Grid::Span<Cell> Grid::ColumnsOf(Row& row, const CellRect& area) {
  Cell* first = std::lower_bound(row.cells.data(), row.cells.data() + row.cells.size(), area.left, ColumnBefore);
  Cell* last = std::lower_bound(first, row.cells.data() + row.cells.size(), area.right + 1, ColumnBefore);
  return {first, last};
}

Grid::Span<const Cell> Grid::ColumnsOf(const Row& row, const CellRect& area) {
  const Cell* first = std::lower_bound(row.cells.data(), row.cells.data() + row.cells.size(), area.left, ColumnBefore);
  const Cell* last = std::lower_bound(first, row.cells.data() + row.cells.size(), area.right + 1, ColumnBefore);
  return {first, last};
}

const Cell* Grid::Find(CellAddress cell) const {
  const Row* row = rows.Find(cell.row);
  if (row == nullptr) return nullptr;
  const std::vector<Cell>& cells = row->cells;
  auto found = std::lower_bound(cells.begin(), cells.end(), cell.column, ColumnBefore);
  return found != cells.end() && found->column == cell.column ? &*found : nullptr;
}

Cell* Grid::Find(CellAddress cell) { return const_cast<Cell*>(std::as_const(*this).Find(cell)); }

Cell& Grid::Obtain(CellAddress cell) {
  Row& row = rows[cell.row];
  auto found = std::lower_bound(row.cells.begin(), row.cells.end(), cell.column, ColumnBefore);
  if (found != row.cells.end() && found->column == cell.column) return *found;
  Cell created;
  created.column = static_cast<std::uint16_t>(cell.column);
  created.format = row.format ? *row.format : LayerFormat(cell);
  return *row.cells.insert(found, created);
}

void Grid::Erase(CellAddress cell) {
  RemoveCellsIf(CellRect::Of(cell), [](CellAddress, const Cell&) { return true; });
}

std::uint32_t Grid::LayerFormat(CellAddress cell) const {
  if (const Row* row = rows.Find(cell.row); row != nullptr && row->format) return *row->format;
  if (const Column* column = columns.Find(cell.column); column != nullptr && column->format) return *column->format;
  return sheetFormat;
}

std::uint32_t Grid::FormatOf(CellAddress cell) const {
  const Cell* found = Find(cell);
  return found != nullptr ? found->format : LayerFormat(cell);
}

const std::string* Grid::Formula(CellAddress cell) const {
  auto found = formulas.find(FormulaKey(cell));
  return found != formulas.end() ? &found->second : nullptr;
}

const std::string* Grid::FormulaShown(CellAddress cell) const {
  if (const std::string* own = Formula(cell)) return own;
  const CellRect* array = ArrayAt(cell);
  return array != nullptr ? Formula(array->TopLeft()) : nullptr;
}

const CellRect* Grid::ArrayAt(CellAddress cell) const {
  const auto found = std::find_if(arrays.begin(), arrays.end(), [&](const CellRect& array) { return array.Contains(cell); });
  return found != arrays.end() ? &*found : nullptr;
}

void Grid::SetFormula(CellAddress cell, std::string formula) {
  Obtain(cell).hasFormula = true;
  formulas.insert_or_assign(FormulaKey(cell), std::move(formula));
}

void Grid::RemoveFormula(CellAddress cell) {
  if (Cell* found = Find(cell)) found->hasFormula = false;
  formulas.erase(FormulaKey(cell));
}

std::size_t Grid::CellCount() const {
  std::size_t count = 0;
  for (const auto& [number, row] : rows) count += row.cells.size();
  return count;
}

}  // namespace tabulara::embedded::model
