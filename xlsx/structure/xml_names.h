#pragma once

#include <pugixml.hpp>

#include <string_view>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx::structure {

// The relationship id of an element (its r:id attribute, whatever prefix).
pugi::xml_attribute RelationshipIdAttribute(const pugi::xml_node& node);
// "1" and "true" are true.
bool IsTrue(const pugi::xml_attribute& attribute);

}  // namespace tabulara::xlsx::structure
