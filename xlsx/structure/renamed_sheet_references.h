#pragma once

#include "xlsx/structure/sheet_reference_renaming.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx::structure {

// Points every reference to a renamed sheet at its new name: the cell
// formulas and internal hyperlinks of the model, the defined names of the
// workbook part, the validation and conditional-format formulas of the
// worksheet parts, the series formulas and pivot sources of the chart parts,
// and the source ranges of the pivot caches.
void RenameSheetReferencesEverywhere(WorkbookParts& parts, const SheetRenames& renames);

}  // namespace tabulara::xlsx::structure
