#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <set>
#include <vector>

#include "embedded/model/workbook.h"

namespace tabulara::xlsx {

// A drawing object as read from a drawing part, with the XML it came from.
struct DrawnShape {
  embedded::model::Shape shape;
  // xdr:sp, xdr:cxnSp, xdr:pic, xdr:graphicFrame or xdr:grpSp.
  pugi::xml_node element;
  // For a top-level shape the wsDr child that holds it (its anchor, or the
  // mc:AlternateContent around the anchor); none for a group's member.
  pugi::xml_node container;
  // The anchor, with the print flag in its xdr:clientData; none for members.
  pugi::xml_node anchor;
  // 0 for a top-level shape, 1 for a member of its group, and so on.
  int depth = 0;
};

// Reads the shapes of a drawing part's xdr:wsDr, every group's members
// included, in document order. A shape keeps its cNvPr id as its model id
// when no other shape of the sheet has it (`used`); otherwise it gets the
// sheet's next id. Elements the model has no kind for are left out.
std::vector<DrawnShape> ReadDrawnShapes(const embedded::model::Workbook& workbook, embedded::model::Sheet& sheet,
                                        const pugi::xml_node& drawing, std::set<std::uint32_t>& used);

// The top-level shapes of `drawn` as model shapes, their members nested.
std::vector<embedded::model::Shape> ModelShapes(const std::vector<DrawnShape>& drawn);

// The xdr:cNvPr of a shape element.
pugi::xml_node NonVisualProperties(const pugi::xml_node& element);
// The element holding a shape's a:xfrm, geometry and a:ln (spPr or grpSpPr).
pugi::xml_node ShapeProperties(const pugi::xml_node& element);

}  // namespace tabulara::xlsx
