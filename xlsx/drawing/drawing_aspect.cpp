#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "embedded/model/workbook.h"
#include "xlsx/aspects.h"
#include "xlsx/drawing/drawing_part.h"
#include "xlsx/drawing/drawing_shapes.h"
#include "xlsx/drawing/line_format_xml.h"
#include "xlsx/drawing/new_anchor.h"
#include "xlsx/drawing/preset_shapes.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;

// Every shape of the sheet's drawing by id, group members included.
void IndexShapes(const std::vector<Shape>& shapes, std::map<std::uint32_t, const Shape*>& index) {
  for (const Shape& shape : shapes) {
    if (shape.kind == ShapeKind::CommentBox) continue;
    index[shape.id] = &shape;
    IndexShapes(shape.members, index);
  }
}

void SetFlag(pugi::xml_node element, const char* name, bool on, const char* onValue) {
  pugi::xml_attribute attribute = AttributeNamed(element, name);
  if (!on) {
    element.remove_attribute(attribute);
    return;
  }
  if (!attribute) attribute = element.append_attribute(name);
  attribute.set_value(onValue);
}

// The ids of the drawing part's relationships that an attribute of its XML
// names (r:embed of a picture, r:id of a chart ...).
std::set<std::string> ReferencedRelationships(WorkbookParts& parts, const std::string& drawingPart,
                                              const pugi::xml_document& document) {
  std::set<std::string> ids;
  for (const Relationship& relationship : parts.RelationshipsOf(drawingPart).All()) ids.insert(relationship.id);
  std::set<std::string> referenced;
  for (const pugi::xpath_node& node : document.select_nodes("//@*")) {
    auto id = ids.find(node.attribute().value());
    if (id != ids.end()) referenced.insert(*id);
  }
  return referenced;
}

class DrawingAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& sheet) override {
    drawing_ = FindDrawingPart(parts, sheet);
    drawn_.clear();
    referenced_.clear();
    document_.reset();
    std::erase_if(sheet.sheet->shapes(), [](const Shape& shape) { return shape.kind != ShapeKind::CommentBox; });
    if (drawing_.partName.empty()) return;
    document_ = ParseXmlPart(parts.package.Read(drawing_.partName), drawing_.partName);
    std::set<std::uint32_t> used;
    for (const Shape& shape : sheet.sheet->shapes()) used.insert(shape.id);
    drawn_ = ReadDrawnShapes(*parts.workbook, *sheet.sheet, document_.document_element(), used);
    referenced_ = ReferencedRelationships(parts, drawing_.partName, document_);
    std::vector<Shape> shapes = ModelShapes(drawn_);
    sheet.sheet->shapes().insert(sheet.sheet->shapes().begin(), shapes.begin(), shapes.end());
  }

  bool Write(WorkbookParts& parts, SheetPart& sheet) override {
    std::map<std::uint32_t, const Shape*> now;
    IndexShapes(sheet.sheet->shapes(), now);
    bool hadPart = !drawing_.partName.empty();
    bool changed = RemoveAndEdit(now);
    changed = AddNew(parts, sheet, now) || changed;
    if (!changed) return false;
    if (!document_.document_element().find_child([](const pugi::xml_node& child) {
          return child.type() == pugi::node_element;
        })) {
      RemoveDrawingPart(parts, sheet, drawing_);
      drawing_ = {};
      referenced_.clear();
      document_.reset();
      return true;
    }
    DropUnreferencedRelationships(parts);
    parts.package.Write(drawing_.partName, SerializeXmlPart(document_));
    return !hadPart;
  }

 private:
  // Removes the shapes the model no longer has and edits those it changed;
  // the snapshot follows.
  bool RemoveAndEdit(const std::map<std::uint32_t, const Shape*>& now) {
    bool changed = false;
    std::vector<DrawnShape> kept;
    std::optional<int> removedDepth;
    for (DrawnShape& drawn : drawn_) {
      if (removedDepth && drawn.depth > *removedDepth) continue;
      removedDepth.reset();
      auto current = now.find(drawn.shape.id);
      if (current == now.end()) {
        pugi::xml_node gone = drawn.container ? drawn.container : drawn.element;
        gone.parent().remove_child(gone);
        removedDepth = drawn.depth;
        changed = true;
        continue;
      }
      changed = Edit(drawn, *current->second) || changed;
      kept.push_back(drawn);
    }
    drawn_ = std::move(kept);
    return changed;
  }

  static bool Edit(DrawnShape& drawn, const Shape& shape) {
    Shape& old = drawn.shape;
    bool changed = false;
    pugi::xml_node properties = NonVisualProperties(drawn.element);
    if (shape.name != old.name) {
      pugi::xml_attribute name = AttributeNamed(properties, "name");
      if (!name) name = properties.append_attribute("name");
      name.set_value(shape.name.c_str());
      changed = true;
    }
    if (shape.visible != old.visible) {
      SetFlag(properties, "hidden", !shape.visible, "1");
      changed = true;
    }
    if (drawn.anchor && shape.printObject != old.printObject) {
      pugi::xml_node clientData = ChildNamed(drawn.anchor, "clientData");
      if (!clientData) clientData = drawn.anchor.append_child(NameLike(drawn.anchor, "clientData").c_str());
      SetFlag(clientData, "fPrintsWithSheet", !shape.printObject, "0");
      changed = true;
    }
    pugi::xml_node shapeProperties = ShapeProperties(drawn.element);
    if (shape.line != old.line && shapeProperties) {
      WriteLineFormat(shapeProperties, shape.line);
      changed = true;
    }
    pugi::xml_node transform = ChildNamed(shapeProperties, "xfrm");
    if (transform && (shape.flipHorizontal != old.flipHorizontal || shape.flipVertical != old.flipVertical)) {
      SetFlag(transform, "flipH", shape.flipHorizontal, "1");
      SetFlag(transform, "flipV", shape.flipVertical, "1");
      changed = true;
    }
    pugi::xml_node geometry = ChildNamed(shapeProperties, "prstGeom");
    std::optional<std::string> preset = PresetOfAutoShapeType(shape.autoShapeType);
    if (geometry && shape.autoShapeType != old.autoShapeType && preset) {
      AttributeNamed(geometry, "prst").set_value(preset->c_str());
      changed = true;
    }
    old = shape;
    old.members.clear();
    return changed;
  }

  // Appends anchors for the sheet's new top-level lines and auto shapes,
  // creating the drawing part when the sheet has none.
  bool AddNew(WorkbookParts& parts, SheetPart& sheet, const std::map<std::uint32_t, const Shape*>& now) {
    std::set<std::uint32_t> known;
    for (const DrawnShape& drawn : drawn_) known.insert(drawn.shape.id);
    bool changed = false;
    for (const Shape& shape : sheet.sheet->shapes()) {
      if (!WritableKind(shape.kind) || known.contains(shape.id) || !now.contains(shape.id)) continue;
      if (drawing_.partName.empty()) {
        drawing_ = CreateDrawingPart(parts, sheet);
        document_ = ParseXmlPart(parts.package.Read(drawing_.partName), drawing_.partName);
      }
      pugi::xml_node anchor = AppendShapeAnchor(document_.document_element(), *parts.workbook, sheet.sheet->grid(),
                                                shape, FreeFileId(shape.id));
      pugi::xml_node element = ChildNamed(anchor, shape.kind == ShapeKind::Line ? "cxnSp" : "sp");
      Shape snapshot = shape;
      snapshot.members.clear();
      drawn_.push_back({snapshot, element, anchor, anchor, 0});
      changed = true;
    }
    return changed;
  }

  // Drops the relationships of the shapes removed, so that their pictures
  // and charts leave the file unless something else shows them.
  void DropUnreferencedRelationships(WorkbookParts& parts) {
    std::set<std::string> referenced = ReferencedRelationships(parts, drawing_.partName, document_);
    Relationships& relationships = parts.RelationshipsOf(drawing_.partName);
    for (const std::string& id : referenced_) {
      if (!referenced.contains(id)) relationships.Remove(id);
    }
    referenced_ = std::move(referenced);
  }

  // The model id when no cNvPr of the drawing has it, else one past the
  // highest.
  std::uint32_t FreeFileId(std::uint32_t wanted) const {
    std::uint32_t highest = 0;
    bool taken = false;
    for (pugi::xpath_node node : document_.select_nodes("//*[@id]")) {
      std::uint32_t id = node.node().attribute("id").as_uint();
      highest = std::max(highest, id);
      taken = taken || id == wanted;
    }
    return taken ? highest + 1 : wanted;
  }

  DrawingPartRef drawing_;
  pugi::xml_document document_;
  std::vector<DrawnShape> drawn_;
  // The relationships the drawing's XML refers to, as read or last written.
  std::set<std::string> referenced_;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeDrawingAspect() { return std::make_unique<DrawingAspect>(); }

}  // namespace tabulara::xlsx
