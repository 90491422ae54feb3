#pragma once

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Column widths and row heights in points, at 96 pixels per inch: a column
// is as many whole pixels as its width in digits of the default font gives
// (64 pixels, 48 points, for Excel's default); hidden rows and columns are 0.
double ColumnWidthPoints(const model::Workbook& workbook, const model::Grid& grid, std::int32_t column);
double RowHeightPoints(const model::Grid& grid, std::int32_t row);

struct Box {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// Where an area lies on its sheet, in points from the sheet's corner.
Box AreaBox(const model::Workbook& workbook, const model::Grid& grid, const model::CellRect& area);

}  // namespace tabulara::embedded
