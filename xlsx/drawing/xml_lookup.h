#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx::markup {

inline constexpr const char* kNamespaceRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The prefix that `root` binds to the relationships namespace; binds "r"
// when it has none.
std::string RelationshipPrefix(pugi::xml_node root);

}  // namespace tabulara::xlsx::markup
