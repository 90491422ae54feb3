#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {

std::string_view LocalName(std::string_view qualifiedName) {
  const auto colon = qualifiedName.find(':');
  return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

std::string_view LocalName(const pugi::xml_node& node) { return LocalName(std::string_view(node.name())); }

std::string_view LocalName(const pugi::xml_attribute& attribute) {
  return LocalName(std::string_view(attribute.name()));
}

pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName) {
  for (const pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
  }
  return {};
}

pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view localName) {
  for (const pugi::xml_attribute attribute : node.attributes()) {
    if (LocalName(attribute) == localName && !std::string_view(attribute.name()).starts_with("xmlns")) {
      return attribute;
    }
  }
  return {};
}

std::string PrefixOf(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const auto colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon));
}

std::string NameLike(const pugi::xml_node& node, std::string_view localName) {
  const std::string prefix = PrefixOf(node);
  return prefix.empty() ? std::string(localName) : prefix + ":" + std::string(localName);
}

void SetAttribute(pugi::xml_node node, const char* name, const char* value) {
  pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) attribute = node.append_attribute(name);
  attribute.set_value(value);
}

}  // namespace tabulara::xlsx
