#pragma once

#include <pugixml.hpp>

#include <cstdint>

#include "embedded/model/workbook.h"

namespace tabulara::xlsx {

// Whether a new model shape of this kind can be written to a drawing: lines
// and auto shapes, which the host creates from nothing (pictures, charts
// and groups are never new to the file layer).
bool WritableKind(embedded::model::ShapeKind kind);

// Appends a twoCellAnchor (editAs="oneCell") for a new line or auto shape
// to a drawing's xdr:wsDr, with its geometry, flips, line format and print
// flag; `fileId` becomes its cNvPr id. Returns the anchor.
pugi::xml_node AppendShapeAnchor(pugi::xml_node drawing, const embedded::model::Workbook& workbook,
                                 const embedded::model::Grid& grid, const embedded::model::Shape& shape,
                                 std::uint32_t fileId);

}  // namespace tabulara::xlsx
