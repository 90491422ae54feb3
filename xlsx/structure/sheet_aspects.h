#pragma once

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx::structure {

// Gives a sheet part the aspects of its kind: a worksheet all of them in
// the order of aspects.h, a chart sheet or dialog sheet its settings.
void AttachSheetAspects(SheetPart& sheet);

}  // namespace tabulara::xlsx::structure
