#include "xlsx/drawing/xml_lookup.h"

#include <cstring>

namespace tabulara::xlsx::markup {
namespace {

std::string_view AfterColon(const char* name) {
  std::string_view text(name);
  auto colon = text.find(':');
  return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

}  // namespace

std::string_view LocalName(const pugi::xml_node& node) { return AfterColon(node.name()); }

std::string_view LocalName(const pugi::xml_attribute& attribute) { return AfterColon(attribute.name()); }

pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child) == localName) return child;
  }
  return {};
}

pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view localName) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    if (LocalName(attribute) == localName && std::strncmp(attribute.name(), "xmlns", 5) != 0) return attribute;
  }
  return {};
}

std::string PrefixOf(const pugi::xml_node& node) {
  std::string_view name(node.name());
  auto colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon));
}

std::string NameLike(const pugi::xml_node& sibling, std::string_view localName) {
  std::string prefix = PrefixOf(sibling);
  return prefix.empty() ? std::string(localName) : prefix + ":" + std::string(localName);
}

std::string RelationshipPrefix(pugi::xml_node root) {
  for (pugi::xml_attribute attribute : root.attributes()) {
    std::string_view name(attribute.name());
    if (name.starts_with("xmlns:") && std::string_view(attribute.value()) == kNamespaceRelationships) {
      return std::string(name.substr(6));
    }
  }
  root.append_attribute("xmlns:r") = kNamespaceRelationships;
  return "r";
}

}  // namespace tabulara::xlsx::markup
