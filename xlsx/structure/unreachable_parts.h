#pragma once

#include <set>
#include <string>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// The parts the package's relationships lead to from its root, following
// internal relationships part by part.
std::set<std::string> ReachableParts(WorkbookParts& parts);

// Takes a part out of the package with its relationships part and the
// content-type overrides of both.
void RemovePartWithRelationships(WorkbookParts& parts, const std::string& part);

// Removes the parts that were reachable when the package was read (or last
// written) and are no longer, with their relationships parts and content-type
// overrides: pictures, charts and drawings that nothing shows any more. A
// part the file already left unreferenced stays.
void RemoveUnreachableParts(WorkbookParts& parts);

}  // namespace tabulara::xlsx
