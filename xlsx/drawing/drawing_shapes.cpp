#include "xlsx/drawing/drawing_shapes.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "xlsx/drawing/anchor_geometry.h"
#include "xlsx/drawing/drawing_units.h"
#include "xlsx/drawing/line_format_xml.h"
#include "xlsx/drawing/preset_shapes.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;

// How a group maps its members' child coordinates (EMU) to sheet points.
struct GroupSpace {
  double left = 0;
  double top = 0;
  double childLeft = 0;
  double childTop = 0;
  double scaleX = 1;
  double scaleY = 1;
};

std::optional<ShapeKind> KindOf(const pugi::xml_node& element) {
  std::string_view name = LocalName(element);
  if (name == "sp") {
    bool textBox = AttributeNamed(ChildNamed(ChildNamed(element, "nvSpPr"), "cNvSpPr"), "txBox").as_bool();
    return textBox ? ShapeKind::TextBox : ShapeKind::AutoShape;
  }
  if (name == "cxnSp") return ShapeKind::Line;
  if (name == "pic") return ShapeKind::Picture;
  if (name == "graphicFrame") return ShapeKind::Chart;
  if (name == "grpSp") return ShapeKind::Group;
  return std::nullopt;
}

// The shape element of a wsDr or group child, looking into the first
// choice of an mc:AlternateContent.
pugi::xml_node ShapeElementOf(const pugi::xml_node& node) {
  if (LocalName(node) == "AlternateContent") {
    pugi::xml_node branch = ChildNamed(node, "Choice");
    if (!branch) branch = ChildNamed(node, "Fallback");
    return branch.find_child([](const pugi::xml_node& child) { return child.type() == pugi::node_element; });
  }
  return node;
}

pugi::xml_node TransformOf(const pugi::xml_node& element) {
  if (pugi::xml_node frameTransform = ChildNamed(element, "xfrm")) return frameTransform;
  return ChildNamed(ShapeProperties(element), "xfrm");
}

double Coordinate(const pugi::xml_node& node, const char* name) {
  return AttributeNamed(node, name).as_double();
}

class Reader {
 public:
  Reader(const embedded::model::Workbook& workbook, embedded::model::Sheet& sheet, std::set<std::uint32_t>& used)
      : workbook_(workbook), sheet_(sheet), used_(used) {}

  void ReadTopLevel(const pugi::xml_node& container) {
    pugi::xml_node anchor = ShapeElementOf(container);
    embedded::Box box;
    if (!AnchorBox(workbook_, sheet_.grid(), anchor, box)) return;
    for (pugi::xml_node child : anchor.children()) {
      pugi::xml_node element = ShapeElementOf(child);
      if (!KindOf(element)) continue;
      pugi::xml_node clientData = ChildNamed(anchor, "clientData");
      pugi::xml_attribute prints = AttributeNamed(clientData, "fPrintsWithSheet");
      std::size_t index = shapes_.size();
      Add(element, box, 0);
      shapes_[index].shape.printObject = !prints || prints.as_bool();
      shapes_[index].container = container;
      shapes_[index].anchor = anchor;
      return;
    }
  }

  std::vector<DrawnShape> Take() { return std::move(shapes_); }

 private:
  // Adds the shape and, for a group, its members after it.
  void Add(const pugi::xml_node& element, const embedded::Box& box, int depth) {
    shapes_.push_back({Describe(element, box), element, {}, {}, depth});
    if (LocalName(element) == "grpSp") ReadMembers(element, box, depth + 1);
  }

  Shape Describe(const pugi::xml_node& element, const embedded::Box& box) {
    Shape shape;
    shape.kind = *KindOf(element);
    pugi::xml_node properties = NonVisualProperties(element);
    shape.id = IdFor(AttributeNamed(properties, "id").as_uint());
    shape.name = AttributeNamed(properties, "name").value();
    shape.visible = !AttributeNamed(properties, "hidden").as_bool();
    shape.left = box.left;
    shape.top = box.top;
    shape.width = box.width;
    shape.height = box.height;
    pugi::xml_node transform = TransformOf(element);
    shape.flipHorizontal = AttributeNamed(transform, "flipH").as_bool();
    shape.flipVertical = AttributeNamed(transform, "flipV").as_bool();
    pugi::xml_node shapeProperties = ShapeProperties(element);
    if (pugi::xml_node geometry = ChildNamed(shapeProperties, "prstGeom")) {
      shape.autoShapeType = AutoShapeTypeOfPreset(AttributeNamed(geometry, "prst").value()).value_or(0);
    }
    shape.line = ReadLineFormat(shapeProperties);
    return shape;
  }

  void ReadMembers(const pugi::xml_node& group, const embedded::Box& box, int depth) {
    pugi::xml_node transform = TransformOf(group);
    GroupSpace space;
    space.left = box.left;
    space.top = box.top;
    space.childLeft = Coordinate(ChildNamed(transform, "chOff"), "x");
    space.childTop = Coordinate(ChildNamed(transform, "chOff"), "y");
    double childWidth = Coordinate(ChildNamed(transform, "chExt"), "cx");
    double childHeight = Coordinate(ChildNamed(transform, "chExt"), "cy");
    if (childWidth > 0) space.scaleX = box.width / PointsOfEmu(childWidth);
    if (childHeight > 0) space.scaleY = box.height / PointsOfEmu(childHeight);
    for (pugi::xml_node child : group.children()) {
      pugi::xml_node element = ShapeElementOf(child);
      if (!KindOf(element)) continue;
      pugi::xml_node memberTransform = TransformOf(element);
      embedded::Box memberBox;
      memberBox.left = space.left + PointsOfEmu(Coordinate(ChildNamed(memberTransform, "off"), "x") - space.childLeft) * space.scaleX;
      memberBox.top = space.top + PointsOfEmu(Coordinate(ChildNamed(memberTransform, "off"), "y") - space.childTop) * space.scaleY;
      memberBox.width = PointsOfEmu(Coordinate(ChildNamed(memberTransform, "ext"), "cx")) * space.scaleX;
      memberBox.height = PointsOfEmu(Coordinate(ChildNamed(memberTransform, "ext"), "cy")) * space.scaleY;
      Add(element, memberBox, depth);
    }
  }

  std::uint32_t IdFor(std::uint32_t fileId) {
    std::uint32_t id = fileId != 0 && !used_.contains(fileId) ? fileId : 0;
    if (id == 0) {
      while (used_.contains(sheet_.nextShapeId())) ++sheet_.nextShapeId();
      id = sheet_.nextShapeId();
    }
    used_.insert(id);
    sheet_.nextShapeId() = std::max(sheet_.nextShapeId(), id + 1);
    return id;
  }

  const embedded::model::Workbook& workbook_;
  embedded::model::Sheet& sheet_;
  std::set<std::uint32_t>& used_;
  std::vector<DrawnShape> shapes_;
};

// Nests the members that follow a group, in document order, into it.
std::size_t Nest(const std::vector<DrawnShape>& drawn, std::size_t index, int depth, std::vector<Shape>& into) {
  while (index < drawn.size() && drawn[index].depth == depth) {
    into.push_back(drawn[index].shape);
    ++index;
    if (into.back().kind == ShapeKind::Group) index = Nest(drawn, index, depth + 1, into.back().members);
  }
  return index;
}

}  // namespace

pugi::xml_node NonVisualProperties(const pugi::xml_node& element) {
  pugi::xml_node group = element.find_child([](const pugi::xml_node& child) {
    return child.type() == pugi::node_element && LocalName(child).starts_with("nv");
  });
  return ChildNamed(group, "cNvPr");
}

pugi::xml_node ShapeProperties(const pugi::xml_node& element) {
  if (pugi::xml_node properties = ChildNamed(element, "spPr")) return properties;
  return ChildNamed(element, "grpSpPr");
}

std::vector<DrawnShape> ReadDrawnShapes(const embedded::model::Workbook& workbook, embedded::model::Sheet& sheet,
                                        const pugi::xml_node& drawing, std::set<std::uint32_t>& used) {
  Reader reader(workbook, sheet, used);
  for (pugi::xml_node container : drawing.children()) {
    if (container.type() == pugi::node_element) reader.ReadTopLevel(container);
  }
  return reader.Take();
}

std::vector<Shape> ModelShapes(const std::vector<DrawnShape>& drawn) {
  std::vector<Shape> shapes;
  Nest(drawn, 0, 0, shapes);
  return shapes;
}

}  // namespace tabulara::xlsx
