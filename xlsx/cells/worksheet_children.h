#pragma once

#include <string_view>

#include <pugixml.hpp>

namespace tabulara::xlsx {

// The child of a <worksheet> with this local name, created in its place
// among the others (a worksheet's children keep a fixed order) when it is
// missing.
pugi::xml_node ObtainWorksheetChild(pugi::xml_node worksheet, std::string_view local);

}  // namespace tabulara::xlsx
