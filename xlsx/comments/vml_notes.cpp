#include "xlsx/comments/vml_notes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "xlsx/comments/vml_shape_types.h"
#include "xlsx/comments/vml_style.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

inline constexpr const char* kShapeTypeIdPrefix = "_x0000_t";
inline constexpr const char* kShapeIdPrefix = "_x0000_s";
inline constexpr int kTextBoxPreset = 202;

bool IsNote(const pugi::xml_node& shape) {
  pugi::xml_node data = ChildNamed(shape, "ClientData");
  return data && std::string_view(AttributeNamed(data, "ObjectType").value()) == "Note";
}

// The o:spt of the v:shapetype a shape's type attribute names.
int PresetOf(const pugi::xml_node& vml, const pugi::xml_node& shape) {
  if (pugi::xml_attribute own = AttributeNamed(shape, "spt")) return own.as_int();
  std::string_view type = AttributeNamed(shape, "type").value();
  if (type.starts_with("#")) type.remove_prefix(1);
  for (pugi::xml_node child : vml.children()) {
    if (LocalName(child) == "shapetype" && type == AttributeNamed(child, "id").value()) {
      return AttributeNamed(child, "spt").as_int();
    }
  }
  return kTextBoxPreset;
}

std::string Points(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%gpt", value);
  return text;
}

pugi::xml_node Child(pugi::xml_node parent, const char* name) { return parent.append_child(name); }

// The namespaces of the prefixes new elements use.
constexpr std::array<std::pair<const char*, const char*>, 3> kVmlNamespaces{{
    {"xmlns:v", "urn:schemas-microsoft-com:vml"},
    {"xmlns:o", "urn:schemas-microsoft-com:office:office"},
    {"xmlns:x", "urn:schemas-microsoft-com:office:excel"},
}};

// Binds the prefixes on a new child of the part's root that the root does
// not bind as Excel does (a part whose elements bind their own, ns0:...).
void BindPrefixes(const pugi::xml_node& vml, pugi::xml_node element) {
  for (const auto& [attribute, uri] : kVmlNamespaces) {
    if (std::string_view(vml.attribute(attribute).value()) != uri) element.append_attribute(attribute) = uri;
  }
}

}  // namespace

std::vector<NoteBox> ReadNoteBoxes(const pugi::xml_node& vml) {
  std::vector<NoteBox> boxes;
  for (pugi::xml_node shape : vml.children()) {
    if (shape.type() != pugi::node_element || !IsNote(shape)) continue;
    pugi::xml_node data = ChildNamed(shape, "ClientData");
    NoteBox box;
    box.element = shape;
    box.cell = {ChildNamed(data, "Row").text().as_int() + 1, ChildNamed(data, "Column").text().as_int() + 1};
    std::string_view id = AttributeNamed(shape, "id").value();
    if (id.starts_with(kShapeIdPrefix)) box.id = static_cast<std::uint32_t>(std::atol(id.data() + 8));
    if (pugi::xml_attribute spid = AttributeNamed(shape, "spid"); spid && box.id == 0) {
      std::string_view text = spid.value();
      if (text.starts_with(kShapeIdPrefix)) box.id = static_cast<std::uint32_t>(std::atol(text.data() + 8));
    }
    std::string_view style = AttributeNamed(shape, "style").value();
    box.visible = static_cast<bool>(ChildNamed(data, "Visible"));
    if (auto visibility = StyleProperty(style, "visibility")) box.visible = box.visible || *visibility == "visible";
    box.left = StylePoints(StyleProperty(style, "margin-left").value_or(""));
    box.top = StylePoints(StyleProperty(style, "margin-top").value_or(""));
    box.width = StylePoints(StyleProperty(style, "width").value_or(""));
    box.height = StylePoints(StyleProperty(style, "height").value_or(""));
    box.autoShapeType = AutoShapeTypeOfVmlPreset(PresetOf(vml, shape));
    boxes.push_back(box);
  }
  return boxes;
}

void SetNoteVisible(pugi::xml_node box, bool visible) {
  pugi::xml_attribute style = AttributeNamed(box, "style");
  if (!style) style = box.append_attribute("style");
  style.set_value(WithStyleProperty(style.value(), "visibility", visible ? "visible" : "hidden").c_str());
  pugi::xml_node data = ChildNamed(box, "ClientData");
  pugi::xml_node flag = ChildNamed(data, "Visible");
  if (visible && !flag) data.append_child(NameLike(data, "Visible").c_str());
  if (!visible && flag) data.remove_child(flag);
}

void SetNoteShapeType(pugi::xml_node vml, pugi::xml_node box, int autoShapeType) {
  int preset = VmlPresetOfAutoShapeType(autoShapeType);
  std::string id = kShapeTypeIdPrefix + std::to_string(preset);
  bool declared = false;
  pugi::xml_node lastType;
  for (pugi::xml_node child : vml.children()) {
    if (LocalName(child) != "shapetype") continue;
    lastType = child;
    declared = declared || id == AttributeNamed(child, "id").value();
  }
  if (!declared) {
    pugi::xml_node type =
        lastType ? vml.insert_child_after("v:shapetype", lastType) : vml.insert_child_before("v:shapetype", box);
    BindPrefixes(vml, type);
    type.append_attribute("id") = id.c_str();
    type.append_attribute("coordsize") = "21600,21600";
    type.append_attribute("o:spt") = preset;
    if (preset == kTextBoxPreset) type.append_attribute("path") = "m,l,21600r21600,l21600,xe";
    Child(type, "v:stroke").append_attribute("joinstyle") = "miter";
    pugi::xml_node path = Child(type, "v:path");
    path.append_attribute("gradientshapeok") = "t";
    path.append_attribute("o:connecttype") = "rect";
  }
  pugi::xml_attribute type = AttributeNamed(box, "type");
  if (!type) type = box.append_attribute("type");
  type.set_value(("#" + id).c_str());
  if (pugi::xml_attribute own = AttributeNamed(box, "spt")) own.set_value(preset);
}

pugi::xml_node AppendNoteBox(pugi::xml_node vml, embedded::model::CellAddress cell, std::uint32_t id, double left,
                             double top, double width, double height) {
  pugi::xml_node box = vml.append_child("v:shape");
  BindPrefixes(vml, box);
  box.append_attribute("id") = (kShapeIdPrefix + std::to_string(id)).c_str();
  box.append_attribute("type") = "#_x0000_t202";
  std::string style = "position:absolute;margin-left:" + Points(left) + ";margin-top:" + Points(top) +
                      ";width:" + Points(width) + ";height:" + Points(height) + ";z-index:1;visibility:hidden";
  box.append_attribute("style") = style.c_str();
  box.append_attribute("fillcolor") = "#ffffe1";
  box.append_attribute("o:insetmode") = "auto";
  Child(box, "v:fill").append_attribute("color2") = "#ffffe1";
  pugi::xml_node shadow = Child(box, "v:shadow");
  shadow.append_attribute("on") = "t";
  shadow.append_attribute("color") = "black";
  shadow.append_attribute("obscured") = "t";
  Child(box, "v:path").append_attribute("o:connecttype") = "none";
  pugi::xml_node textBox = Child(box, "v:textbox");
  textBox.append_attribute("style") = "mso-direction-alt:auto";
  Child(textBox, "div").append_attribute("style") = "text-align:left";
  pugi::xml_node data = Child(box, "x:ClientData");
  data.append_attribute("ObjectType") = "Note";
  Child(data, "x:MoveWithCells");
  Child(data, "x:SizeWithCells");
  // Columns and rows from 0 with pixel offsets: two columns right of the
  // cell, four rows tall, starting a row above it.
  int firstRow = std::max(0, cell.row - 2);
  std::string anchor = std::to_string(cell.column) + ", 15, " + std::to_string(firstRow) + ", 10, " +
                       std::to_string(cell.column + 2) + ", 15, " + std::to_string(firstRow + 4) + ", 4";
  Child(data, "x:Anchor").text() = anchor.c_str();
  Child(data, "x:AutoFill").text() = "False";
  Child(data, "x:Row").text() = cell.row - 1;
  Child(data, "x:Column").text() = cell.column - 1;
  SetNoteShapeType(vml, box, 1);
  return box;
}

void InitVmlDocument(pugi::xml_document& document, int idBlock) {
  document.reset();
  pugi::xml_node root = document.append_child("xml");
  root.append_attribute("xmlns:v") = "urn:schemas-microsoft-com:vml";
  root.append_attribute("xmlns:o") = "urn:schemas-microsoft-com:office:office";
  root.append_attribute("xmlns:x") = "urn:schemas-microsoft-com:office:excel";
  pugi::xml_node layout = root.append_child("o:shapelayout");
  layout.append_attribute("v:ext") = "edit";
  pugi::xml_node idmap = layout.append_child("o:idmap");
  idmap.append_attribute("v:ext") = "edit";
  idmap.append_attribute("data") = idBlock;
}

bool HoldsOtherShapes(const pugi::xml_node& vml) {
  for (pugi::xml_node child : vml.children()) {
    std::string_view name = LocalName(child);
    if (child.type() == pugi::node_element && name != "shapelayout" && name != "shapetype" && !IsNote(child)) {
      return true;
    }
  }
  return false;
}

}  // namespace tabulara::xlsx
