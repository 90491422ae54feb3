#pragma once

#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "embedded/model/sheet.h"

namespace tabulara::xlsx::settings {

// "B2" for a cell.
std::string CellText(embedded::model::CellAddress cell);
// "A1 C3:D4": a selection's areas as a view's sqref gives them.
std::string SqrefText(const std::vector<embedded::model::CellRect>& areas);
// The areas of a sqref; nothing when it names no cells.
std::optional<std::vector<embedded::model::CellRect>> SqrefAreas(std::string text);

// The selection a <selection> element holds (activeCell, sqref); nothing
// when there is no element or it names no cells of the sheet. The active
// cell defaults to the first area's top-left cell, the areas to the
// active cell.
std::optional<embedded::model::Selection> ReadSelection(const pugi::xml_node& selection);

}  // namespace tabulara::xlsx::settings
