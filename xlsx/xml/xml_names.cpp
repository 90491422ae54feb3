#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

std::string_view AfterColon(std::string_view name) {
  const auto colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

}  // namespace

std::string_view LocalName(const pugi::xml_node& node) { return AfterColon(node.name()); }

std::string_view LocalName(const pugi::xml_attribute& attribute) { return AfterColon(attribute.name()); }

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

}  // namespace tabulara::xlsx
