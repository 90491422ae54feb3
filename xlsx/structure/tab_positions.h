#pragma once

#include <cstddef>
#include <vector>

#include <pugixml.hpp>

namespace tabulara::xlsx::structure {

// Moves the tab positions of the workbook part (firstSheet of the views,
// localSheetId of the defined names) from the old tab order to the new:
// `newPositions[old]` is the sheet's new position, -1 for a deleted sheet,
// whose sheet-scoped names go with it. Whether anything changed.
bool MoveTabPositions(pugi::xml_node workbook, const std::vector<std::ptrdiff_t>& newPositions);

// Sets activeTab of every workbook view, adding a view when there is none,
// and brings firstSheet back to the active tab when it lies beyond it.
// Whether anything changed.
bool SetActiveTab(pugi::xml_node workbook, std::size_t position);

}  // namespace tabulara::xlsx::structure
