#include "embedded/rules/geometry.h"

#include <algorithm>
#include <cmath>

namespace tabulara::embedded {
namespace {

constexpr double kPointsPerPixel = 0.75;

double WidthPoints(const model::Workbook& workbook, double width) {
  double digit = workbook.maxDigitWidth;
  double pixels = std::trunc((256 * width + std::trunc(128 / digit)) / 256 * digit);
  return pixels * kPointsPerPixel;
}

// The sum of the widths of columns [first, last].
double ColumnsWidth(const model::Workbook& workbook, const model::Grid& grid, std::int32_t first, std::int32_t last) {
  double standard = WidthPoints(workbook, grid.defaultColumnWidth);
  double total = standard * (last - first + 1);
  for (auto run = grid.columns.From(first); run != grid.columns.end() && run->first <= last; ++run) {
    const std::int32_t count = std::min(last, run->second.last) - std::max(first, run->second.first) + 1;
    total += count * (ColumnWidthPoints(workbook, grid, run->second.first) - standard);
  }
  return total;
}

double RowsHeight(const model::Grid& grid, std::int32_t first, std::int32_t last) {
  double total = grid.defaultRowHeight * (last - first + 1);
  for (auto row = grid.rows.lower_bound(first); row != grid.rows.end() && row->first <= last; ++row) {
    total += RowHeightPoints(grid, row->first) - grid.defaultRowHeight;
  }
  return total;
}

}  // namespace

double ColumnWidthPoints(const model::Workbook& workbook, const model::Grid& grid, std::int32_t number) {
  const model::Column* column = grid.columns.Find(number);
  if (column == nullptr) return WidthPoints(workbook, grid.defaultColumnWidth);
  if (column->hidden) return 0;
  return WidthPoints(workbook, column->width.value_or(grid.defaultColumnWidth));
}

double RowHeightPoints(const model::Grid& grid, std::int32_t number) {
  auto row = grid.rows.find(number);
  if (row == grid.rows.end()) return grid.defaultRowHeight;
  if (row->second.hidden) return 0;
  return row->second.height.value_or(grid.defaultRowHeight);
}

Box AreaBox(const model::Workbook& workbook, const model::Grid& grid, const model::CellRect& area) {
  Box box;
  box.left = area.left > 1 ? ColumnsWidth(workbook, grid, 1, area.left - 1) : 0;
  box.top = area.top > 1 ? RowsHeight(grid, 1, area.top - 1) : 0;
  box.width = ColumnsWidth(workbook, grid, area.left, area.right);
  box.height = RowsHeight(grid, area.top, area.bottom);
  return box;
}

}  // namespace tabulara::embedded
