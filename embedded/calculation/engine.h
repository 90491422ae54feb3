#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <utility>

#include "embedded/calculation/callable_functions.h"
#include "embedded/model/workbook.h"
#include "host/variant.h"

namespace tabulara::embedded::calculation {

// A formula cell: the sheet's position in tab order and the cell.
using FormulaSite = std::pair<std::size_t, model::CellAddress>;

// What a calculation of the whole workbook gives each formula: its value, or
// none where the engine cannot compute it (a function the engine lacks, an
// array formula, a value it depends on that is not known). A formula the
// engine cannot compute counts with the value the file gave it when
// `cachedValuesHold`, else as unknown.
std::map<FormulaSite, std::optional<host::Variant>> CalculateWorkbook(const model::Workbook& workbook,
                                                                      CallableFunctions& functions,
                                                                      bool cachedValuesHold);

}  // namespace tabulara::embedded::calculation
