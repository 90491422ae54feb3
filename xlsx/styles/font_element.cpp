#include "xlsx/styles/font_element.h"

#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

bool IsOn(const pugi::xml_node& flag) {
  if (!flag) return false;
  const pugi::xml_attribute value = flag.attribute("val");
  if (!value) return true;
  const std::string_view text = value.value();
  return text != "0" && text != "false";
}

// The first child named one of `names`, the place to insert before.
pugi::xml_node FirstOf(const pugi::xml_node& font, std::initializer_list<std::string_view> names) {
  for (const pugi::xml_node child : font.children()) {
    for (const std::string_view name : names) {
      if (IsNamed(child, name)) return child;
    }
  }
  return {};
}

pugi::xml_node ObtainChild(pugi::xml_node font, std::string_view local, std::initializer_list<std::string_view> before) {
  if (pugi::xml_node found = ChildNamed(font, local)) return found;
  const std::string name = NameLike(font, local);
  const pugi::xml_node next = FirstOf(font, before);
  return next ? font.insert_child_before(name.c_str(), next) : font.append_child(name.c_str());
}

void SetFlag(pugi::xml_node font, std::string_view local, bool on, std::initializer_list<std::string_view> before) {
  if (!on) {
    while (pugi::xml_node flag = ChildNamed(font, local)) font.remove_child(flag);
    return;
  }
  pugi::xml_node flag = ObtainChild(font, local, before);
  flag.remove_attribute("val");
}

void SetValue(pugi::xml_node element, const char* value) {
  pugi::xml_attribute attribute = element.attribute("val");
  if (!attribute) attribute = element.append_attribute("val");
  attribute.set_value(value);
}

std::string SizeText(double size) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
  return std::string(buffer, result.ptr);
}

}  // namespace

embedded::model::Font ReadFont(const pugi::xml_node& font, const embedded::model::Font& defaults) {
  embedded::model::Font read = defaults;
  if (const pugi::xml_node name = ChildNamed(font, "name")) read.name = name.attribute("val").value();
  if (const pugi::xml_node size = ChildNamed(font, "sz")) read.size = size.attribute("val").as_double(defaults.size);
  read.bold = IsOn(ChildNamed(font, "b"));
  read.italic = IsOn(ChildNamed(font, "i"));
  return read;
}

void ApplyFont(pugi::xml_node font, const embedded::model::Font& wanted, const embedded::model::Font& original) {
  if (wanted.bold != original.bold) {
    SetFlag(font, "b", wanted.bold, {"i", "strike", "condense", "extend", "outline", "shadow", "u", "vertAlign", "sz",
                                     "color", "name", "family", "charset", "scheme"});
  }
  if (wanted.italic != original.italic) {
    SetFlag(font, "i", wanted.italic, {"strike", "condense", "extend", "outline", "shadow", "u", "vertAlign", "sz",
                                       "color", "name", "family", "charset", "scheme"});
  }
  if (wanted.size != original.size) {
    SetValue(ObtainChild(font, "sz", {"color", "name", "family", "charset", "scheme"}), SizeText(wanted.size).c_str());
  }
  if (wanted.name != original.name) {
    SetValue(ObtainChild(font, "name", {"family", "charset", "scheme"}), wanted.name.c_str());
    while (pugi::xml_node scheme = ChildNamed(font, "scheme")) font.remove_child(scheme);
  }
}

void MakeHyperlinkFont(pugi::xml_node font) {
  pugi::xml_node underline = ObtainChild(font, "u", {"vertAlign", "sz", "color", "name", "family", "charset", "scheme"});
  underline.remove_attribute("val");
  pugi::xml_node color = ObtainChild(font, "color", {"name", "family", "charset", "scheme"});
  color.remove_attributes();
  color.append_attribute("theme") = "10";
}

}  // namespace tabulara::xlsx
