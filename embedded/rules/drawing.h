#pragma once

#include <cstdint>
#include <string>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Shape.Type of each kind of drawing object.
int ShapeType(model::ShapeKind kind);

// Adds a drawing object with the next id of the sheet and the host's
// default name for its kind and id: "Straight Connector 1", "Picture 2",
// "Chart 3", "Rectangle 4", "TextBox 5", "Button 6", "Group 7",
// "Comment 8".
model::Shape& AddShape(model::Sheet& sheet, model::ShapeKind kind);

// Shapes.AddLine: a line from (beginX, beginY) to (endX, endY), in points.
model::Shape& AddLine(model::Sheet& sheet, double beginX, double beginY, double endX, double endY);

// Deletes a drawing object; deleting a comment's box deletes the comment.
void DeleteShape(model::Sheet& sheet, std::uint32_t id);

// Gives the cell a comment, with its box beside the cell; replaces any
// comment the cell has.
model::Comment& AddComment(model::Workbook& workbook, model::Sheet& sheet, model::CellAddress cell,
                           const std::string& text);

// Hyperlinks.Add: a hyperlink on `anchor` replaces those it overlaps; an
// empty anchor cell shows the address, or the sub-address when there is
// no address; the anchor's cells take the Hyperlink cell style.
void AddHyperlink(model::Workbook& workbook, model::Sheet& sheet, const model::CellRect& anchor,
                  const std::string& address, const std::string& subAddress);

}  // namespace tabulara::embedded
