#pragma once

#include <cstdint>

#include "embedded/model/workbook.h"

namespace tabulara::embedded::calculation {

// The columns the engine needs for the workbook: as many as its cells and
// its formulas' references reach. The engine's cost grows with them.
std::int32_t SheetWidth(const model::Workbook& workbook);

}  // namespace tabulara::embedded::calculation
