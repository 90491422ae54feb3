#pragma once

#include <pugixml.hpp>

#include <cstdint>

#include "embedded/model/workbook.h"
#include "embedded/rules/geometry.h"

namespace tabulara::xlsx {

// A corner of a cell anchor: 0-based column and row and offsets in EMU.
struct CellMarker {
  std::int32_t column = 0;
  std::int64_t columnOffset = 0;
  std::int32_t row = 0;
  std::int64_t rowOffset = 0;
};

// Where a marker lies on the sheet, in points, by the sheet's column widths
// and row heights.
void MarkerPoints(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid,
                  const CellMarker& marker, double& x, double& y);
// The marker of a point of the sheet; a point past the last column or row
// gives the marker of the sheet's edge.
CellMarker MarkerAt(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid, double x, double y);

// The box of a twoCellAnchor, oneCellAnchor or absoluteAnchor element, in
// points; nothing when the element is none of them.
bool AnchorBox(const embedded::model::Workbook& workbook, const embedded::model::Grid& grid,
               const pugi::xml_node& anchor, embedded::Box& box);

// Writes a marker's children (col, colOff, row, rowOff) into an empty
// xdr:from or xdr:to element.
void WriteMarker(pugi::xml_node element, const CellMarker& marker);

}  // namespace tabulara::xlsx
