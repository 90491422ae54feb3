#pragma once

#include <memory>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx::structure {

// Gives a sheet that is new in the model a part of its own: a fresh,
// minimal XML document its aspects fill, a relationship from the workbook
// part, a content-type override and a <sheet> entry at the end of <sheets>
// (the caller puts it in tab order).
std::unique_ptr<SheetPart> AddSheetPart(WorkbookParts& parts, std::shared_ptr<embedded::model::Sheet> sheet);

// The <sheet> entry of a sheet part in the workbook part.
pugi::xml_node SheetEntryOf(WorkbookParts& parts, const SheetPart& sheet);

}  // namespace tabulara::xlsx::structure
