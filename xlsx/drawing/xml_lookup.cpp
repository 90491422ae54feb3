#include "xlsx/drawing/xml_lookup.h"


namespace tabulara::xlsx::markup {
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
