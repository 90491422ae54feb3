#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace tabulara::xlsx::markup {

inline constexpr const char* kNamespaceRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Element and attribute names without their namespace prefix, so that parts
// written with any prefix ("x:worksheet", "xdr:sp") read alike.
std::string_view LocalName(const pugi::xml_node& node);
std::string_view LocalName(const pugi::xml_attribute& attribute);
pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view localName);
pugi::xml_attribute AttributeNamed(const pugi::xml_node& node, std::string_view localName);
// The prefix of an element ("xdr" for "xdr:sp", "" for "sp").
std::string PrefixOf(const pugi::xml_node& node);
// The name for a new element beside `sibling`: its prefix and `localName`.
std::string NameLike(const pugi::xml_node& sibling, std::string_view localName);
// The prefix that `root` binds to the relationships namespace; binds "r"
// when it has none.
std::string RelationshipPrefix(pugi::xml_node root);

}  // namespace tabulara::xlsx::markup
