#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <vector>

#include "embedded/model/cell_address.h"

namespace tabulara::xlsx {

// A comment's box in a legacy VML drawing: a shape whose x:ClientData has
// ObjectType "Note".
struct NoteBox {
  embedded::model::CellAddress cell;
  pugi::xml_node element;
  // The number of its id "_x0000_s1025"; 0 when it has none.
  std::uint32_t id = 0;
  bool visible = false;
  // Points, from the style's margins and size.
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  int autoShapeType = 1;
};

std::vector<NoteBox> ReadNoteBoxes(const pugi::xml_node& vml);

// Shows or hides a box: its style's visibility and x:Visible.
void SetNoteVisible(pugi::xml_node box, bool visible);
// Gives a box the VML preset of an auto-shape type, declaring the preset's
// v:shapetype in the drawing when it has none.
void SetNoteShapeType(pugi::xml_node vml, pugi::xml_node box, int autoShapeType);
// Appends a hidden box for a new comment of the cell, placed beside it.
pugi::xml_node AppendNoteBox(pugi::xml_node vml, embedded::model::CellAddress cell, std::uint32_t id, double left,
                             double top, double width, double height);
// A new VML drawing: the shape layout (ids from `idBlock` × 1024) and the
// comment box's shape type.
void InitVmlDocument(pugi::xml_document& document, int idBlock);
// Whether the drawing holds any shape other than comment boxes (form
// controls share it).
bool HoldsOtherShapes(const pugi::xml_node& vml);

}  // namespace tabulara::xlsx
