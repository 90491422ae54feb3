#include "xlsx/cells/cells_aspect.h"

#include "xlsx/aspects.h"

namespace tabulara::xlsx {

std::unique_ptr<SheetAspect> MakeCellsAspect() { return std::make_unique<CellsAspect>(); }

}  // namespace tabulara::xlsx
