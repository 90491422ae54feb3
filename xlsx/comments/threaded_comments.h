#pragma once

#include <set>

#include "embedded/model/cell_address.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// Removes the threads (a threaded comment and its replies) of the given
// cells from the sheet's threaded comments part, which newer hosts show in
// place of the legacy comment; the part and its relationship go when no
// thread is left. Threads of other cells stay byte for byte.
void RemoveThreads(WorkbookParts& parts, SheetPart& sheet, const std::set<embedded::model::CellAddress>& cells);

}  // namespace tabulara::xlsx
