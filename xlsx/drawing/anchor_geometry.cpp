#include "xlsx/drawing/anchor_geometry.h"

#include <algorithm>
#include <string>

#include "xlsx/drawing/drawing_units.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::CellRect;

CellMarker ReadMarker(const pugi::xml_node& element) {
  CellMarker marker;
  marker.column = ChildNamed(element, "col").text().as_int();
  marker.columnOffset = ChildNamed(element, "colOff").text().as_llong();
  marker.row = ChildNamed(element, "row").text().as_int();
  marker.rowOffset = ChildNamed(element, "rowOff").text().as_llong();
  return marker;
}

void ReadExtent(const pugi::xml_node& ext, embedded::Box& box) {
  box.width = PointsOfEmu(AttributeNamed(ext, "cx").as_llong());
  box.height = PointsOfEmu(AttributeNamed(ext, "cy").as_llong());
}

}  // namespace

void MarkerPoints(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid,
                  const CellMarker& marker, double& x, double& y) {
  embedded::Box cell = embedded::AreaBox(workbook, grid, CellRect::Of({marker.row + 1, marker.column + 1}));
  x = cell.left + PointsOfEmu(static_cast<double>(marker.columnOffset));
  y = cell.top + PointsOfEmu(static_cast<double>(marker.rowOffset));
}

CellMarker MarkerAt(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid, double x, double y) {
  CellMarker marker;
  std::int32_t column = 1;
  for (double width = embedded::ColumnWidthPoints(workbook, grid, column);
       column < embedded::model::kColumnCount && width <= x; width = embedded::ColumnWidthPoints(workbook, grid, column)) {
    x -= width;
    ++column;
  }
  std::int32_t row = 1;
  for (double height = embedded::RowHeightPoints(grid, row); row < embedded::model::kRowCount && height <= y;
       height = embedded::RowHeightPoints(grid, row)) {
    y -= height;
    ++row;
  }
  // A point past the last column or row lies on the sheet's edge.
  if (column == embedded::model::kColumnCount) x = std::min(x, embedded::ColumnWidthPoints(workbook, grid, column));
  if (row == embedded::model::kRowCount) y = std::min(y, embedded::RowHeightPoints(grid, row));
  marker.column = column - 1;
  marker.columnOffset = EmuOfPoints(x);
  marker.row = row - 1;
  marker.rowOffset = EmuOfPoints(y);
  return marker;
}

bool AnchorBox(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid,
               const pugi::xml_node& anchor, embedded::Box& box) {
  std::string_view kind = LocalName(anchor);
  if (kind == "twoCellAnchor") {
    double right = 0;
    double bottom = 0;
    MarkerPoints(workbook, grid, ReadMarker(ChildNamed(anchor, "from")), box.left, box.top);
    MarkerPoints(workbook, grid, ReadMarker(ChildNamed(anchor, "to")), right, bottom);
    box.width = right - box.left;
    box.height = bottom - box.top;
    return true;
  }
  if (kind == "oneCellAnchor") {
    MarkerPoints(workbook, grid, ReadMarker(ChildNamed(anchor, "from")), box.left, box.top);
    ReadExtent(ChildNamed(anchor, "ext"), box);
    return true;
  }
  if (kind == "absoluteAnchor") {
    pugi::xml_node position = ChildNamed(anchor, "pos");
    box.left = PointsOfEmu(AttributeNamed(position, "x").as_llong());
    box.top = PointsOfEmu(AttributeNamed(position, "y").as_llong());
    ReadExtent(ChildNamed(anchor, "ext"), box);
    return true;
  }
  return false;
}

void WriteMarker(pugi::xml_node element, const CellMarker& marker) {
  element.append_child(NameLike(element, "col").c_str()).text() = marker.column;
  element.append_child(NameLike(element, "colOff").c_str()).text() = static_cast<long long>(marker.columnOffset);
  element.append_child(NameLike(element, "row").c_str()).text() = marker.row;
  element.append_child(NameLike(element, "rowOff").c_str()).text() = static_cast<long long>(marker.rowOffset);
}

}  // namespace tabulara::xlsx
