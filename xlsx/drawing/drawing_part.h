#pragma once

#include <string>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// A sheet's drawing part: its name and the sheet's relationship to it.
struct DrawingPartRef {
  std::string partName;
  std::string relationshipId;
};

// The drawing part the sheet's <drawing r:id> names; empty when none.
DrawingPartRef FindDrawingPart(WorkbookParts& parts, SheetPart& sheet);

// Gives a sheet a new, empty drawing part (xl/drawings/drawingN.xml with
// the first free N): the part with its content type, the sheet's
// relationship and its <drawing> element.
DrawingPartRef CreateDrawingPart(WorkbookParts& parts, SheetPart& sheet);

// Takes a sheet's drawing part away with its relationships part, its
// content type, the sheet's relationship and <drawing> element. The
// pictures and charts only it showed go when the package is written.
void RemoveDrawingPart(WorkbookParts& parts, SheetPart& sheet, const DrawingPartRef& drawing);

}  // namespace tabulara::xlsx
