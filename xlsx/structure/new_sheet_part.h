#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx::structure {

// Gives a sheet that is new in the model a part of its own: a fresh,
// minimal XML document its aspects fill, a relationship from the workbook
// part, a content-type override and a <sheet> entry at the end of <sheets>
// (the caller puts it in tab order).
std::unique_ptr<SheetPart> AddSheetPart(WorkbookParts& parts, std::shared_ptr<embedded::model::Sheet> sheet);

// The <sheet> entries of the workbook part by their relationship id.
using SheetEntries = std::unordered_map<std::string, pugi::xml_node>;
SheetEntries SheetEntriesOf(const WorkbookParts& parts);

}  // namespace tabulara::xlsx::structure
