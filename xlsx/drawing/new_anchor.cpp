#include "xlsx/drawing/new_anchor.h"

#include <string>

#include "xlsx/drawing/anchor_geometry.h"
#include "xlsx/drawing/drawing_units.h"
#include "xlsx/drawing/line_format_xml.h"
#include "xlsx/drawing/preset_shapes.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::ShapeKind;

inline constexpr const char* kNamespaceDrawingMain = "http://schemas.openxmlformats.org/drawingml/2006/main";

// The prefix `drawing` binds to DrawingML's main namespace, bound as "a"
// when it has none.
std::string MainNamespacePrefix(pugi::xml_node drawing) {
  for (pugi::xml_attribute attribute : drawing.attributes()) {
    std::string_view name(attribute.name());
    if (name.starts_with("xmlns:") && std::string_view(attribute.value()) == kNamespaceDrawingMain) {
      return std::string(name.substr(6)) + ":";
    }
  }
  drawing.append_attribute("xmlns:a") = kNamespaceDrawingMain;
  return "a:";
}

}  // namespace

bool WritableKind(ShapeKind kind) {
  return kind == ShapeKind::Line || kind == ShapeKind::AutoShape || kind == ShapeKind::TextBox;
}

pugi::xml_node AppendShapeAnchor(pugi::xml_node drawing, const embedded::model::Workbook& workbook,
                                 const embedded::model::Grid& grid, const embedded::model::Shape& shape,
                                 std::uint32_t fileId) {
  std::string xdr = PrefixOf(drawing).empty() ? std::string() : PrefixOf(drawing) + ":";
  std::string a = MainNamespacePrefix(drawing);
  bool line = shape.kind == ShapeKind::Line;

  pugi::xml_node anchor = drawing.append_child((xdr + "twoCellAnchor").c_str());
  anchor.append_attribute("editAs") = "oneCell";
  // The file holds the part of the shape that lies on the sheet.
  const CellMarker from = MarkerAt(workbook, grid, shape.left, shape.top);
  const CellMarker to = MarkerAt(workbook, grid, shape.left + shape.width, shape.top + shape.height);
  WriteMarker(anchor.append_child((xdr + "from").c_str()), from);
  WriteMarker(anchor.append_child((xdr + "to").c_str()), to);
  embedded::Box box;
  double right = 0;
  double bottom = 0;
  MarkerPoints(workbook, grid, from, box.left, box.top);
  MarkerPoints(workbook, grid, to, right, bottom);

  pugi::xml_node element = anchor.append_child((xdr + (line ? "cxnSp" : "sp")).c_str());
  element.append_attribute("macro") = "";
  if (!line) element.append_attribute("textlink") = "";
  pugi::xml_node nonVisual = element.append_child((xdr + (line ? "nvCxnSpPr" : "nvSpPr")).c_str());
  pugi::xml_node properties = nonVisual.append_child((xdr + "cNvPr").c_str());
  properties.append_attribute("id") = fileId;
  properties.append_attribute("name") = shape.name.c_str();
  if (!shape.visible) properties.append_attribute("hidden") = "1";
  pugi::xml_node drawingProperties = nonVisual.append_child((xdr + (line ? "cNvCxnSpPr" : "cNvSpPr")).c_str());
  if (shape.kind == ShapeKind::TextBox) drawingProperties.append_attribute("txBox") = "1";

  pugi::xml_node shapeProperties = element.append_child((xdr + "spPr").c_str());
  pugi::xml_node transform = shapeProperties.append_child((a + "xfrm").c_str());
  if (shape.flipHorizontal) transform.append_attribute("flipH") = "1";
  if (shape.flipVertical) transform.append_attribute("flipV") = "1";
  pugi::xml_node offset = transform.append_child((a + "off").c_str());
  offset.append_attribute("x") = static_cast<long long>(EmuOfPoints(box.left));
  offset.append_attribute("y") = static_cast<long long>(EmuOfPoints(box.top));
  pugi::xml_node extent = transform.append_child((a + "ext").c_str());
  extent.append_attribute("cx") = static_cast<long long>(EmuOfPoints(right - box.left));
  extent.append_attribute("cy") = static_cast<long long>(EmuOfPoints(bottom - box.top));
  pugi::xml_node geometry = shapeProperties.append_child((a + "prstGeom").c_str());
  geometry.append_attribute("prst") = line ? "line" : PresetOfAutoShapeType(shape.autoShapeType).value_or("rect").c_str();
  geometry.append_child((a + "avLst").c_str());
  WriteLineFormat(shapeProperties, shape.line);

  pugi::xml_node clientData = anchor.append_child((xdr + "clientData").c_str());
  if (!shape.printObject) clientData.append_attribute("fPrintsWithSheet") = "0";
  return anchor;
}

}  // namespace tabulara::xlsx
