#pragma once

#include <string_view>

#include "embedded/model/workbook.h"

namespace tabulara::embedded::calculation {

// Whether a formula calls only the host's own functions, none of those whose
// value changes at every calculation (RAND, NOW, OFFSET ...).
bool CallsOnlySteadyBuiltins(std::string_view formula);

// Whether calculating would change no formula's value: the values the file
// gives the formulas hold (no cell changed since, no full calculation
// asked for), every formula has one, and every formula calls only steady
// functions of the host. The host then has nothing dirty to calculate.
bool FormulaValuesAreCurrent(const model::Workbook& workbook);
// The same for the formulas of one sheet of the workbook, which the host
// calculates alone on the values the other sheets hold.
bool FormulaValuesAreCurrent(const model::Workbook& workbook, const model::Sheet& sheet);

}  // namespace tabulara::embedded::calculation
