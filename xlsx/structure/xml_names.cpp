#include "xlsx/structure/xml_names.h"

#include <string>

namespace tabulara::xlsx::structure {
namespace {

constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The namespace bound to `prefix` where `node` stands.
std::string_view NamespaceOf(pugi::xml_node node, std::string_view prefix) {
  const std::string declaration = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  for (; node; node = node.parent()) {
    if (const pugi::xml_attribute bound = node.attribute(declaration.c_str())) return bound.value();
  }
  return "";
}

}  // namespace

pugi::xml_attribute RelationshipIdAttribute(const pugi::xml_node& node) {
  for (const pugi::xml_attribute attribute : node.attributes()) {
    const std::string_view name = attribute.name();
    const auto colon = name.find(':');
    if (colon == std::string_view::npos || name.substr(colon + 1) != "id") continue;
    if (NamespaceOf(node, name.substr(0, colon)) == kRelationshipsNamespace) return attribute;
  }
  return {};
}

bool IsTrue(const pugi::xml_attribute& attribute) {
  const std::string_view value = attribute.value();
  return value == "1" || value == "true";
}

}  // namespace tabulara::xlsx::structure
