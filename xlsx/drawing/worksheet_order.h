#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace tabulara::xlsx {

// Adds a child element to a worksheet's root where the worksheet schema's
// element order puts it (hyperlinks after dataValidations, drawing after
// smartTags and before legacyDrawing ...), with the root's prefix.
pugi::xml_node InsertWorksheetChild(pugi::xml_node worksheet, std::string_view localName);

// Removes the worksheet's child of that name, if any; returns whether it did.
bool RemoveWorksheetChild(pugi::xml_node worksheet, std::string_view localName);

}  // namespace tabulara::xlsx
