#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace tabulara::xlsx::structure {

// "sheet" for <sheet> and for <x:sheet>: parts may bind the main namespace
// to any prefix.
std::string_view LocalName(const pugi::xml_node& node);
std::string_view LocalName(const pugi::xml_attribute& attribute);
// The first child element with that local name.
pugi::xml_node Child(const pugi::xml_node& node, std::string_view localName);
// The namespace prefix of the element ("" for the default namespace).
std::string_view PrefixOf(const pugi::xml_node& node);
// The relationship id of an element (its r:id attribute, whatever prefix).
pugi::xml_attribute RelationshipIdAttribute(const pugi::xml_node& node);
// "1" and "true" are true.
bool IsTrue(const pugi::xml_attribute& attribute);

}  // namespace tabulara::xlsx::structure
