#pragma once

#include <cstddef>

namespace tabulara::xlsx::structure {

// Positions of the workbook aspects in WorkbookParts::aspects.
enum WorkbookAspectSlot : std::size_t { kStructureSlot, kStylesSlot, kSharedStringsSlot, kCalculationSlot };

}  // namespace tabulara::xlsx::structure
