#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace tabulara::xlsx {

// Workbook parts are read whatever prefix their writer gave a namespace
// ("x:worksheet" as well as "worksheet", "xdr:sp"); new elements take the
// prefix of the element they stand beside.

// Element and attribute names without their namespace prefix.
std::string_view LocalName(std::string_view qualifiedName);
std::string_view LocalName(const pugi::xml_node& node);
std::string_view LocalName(const pugi::xml_attribute& attribute);
inline bool IsNamed(const pugi::xml_node& node, std::string_view local) { return LocalName(node) == local; }
// The first child element, or the first attribute (namespace declarations
// aside), with this local name.
pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName);
pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view localName);
// The prefix of an element ("xdr" for "xdr:sp", "" for "sp").
std::string PrefixOf(const pugi::xml_node& node);
// The name for a new element beside or under `node`: its prefix and
// `localName`.
std::string NameLike(const pugi::xml_node& node, std::string_view localName);
// Sets an attribute's value, the attribute added last when there is none.
void SetAttribute(pugi::xml_node node, const char* name, const char* value);
inline void SetAttribute(pugi::xml_node node, const char* name, const std::string& value) {
  SetAttribute(node, name, value.c_str());
}

}  // namespace tabulara::xlsx
