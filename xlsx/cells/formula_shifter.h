#pragma once

#include <string>
#include <string_view>

namespace tabulara::xlsx {

// The formula of a shared formula's member: the master's formula with its
// relative A1 references (cells, whole columns, whole rows, on this sheet or
// another) moved by the member's offset from the master. Parts anchored
// with "$" stay; strings, sheet names, function and defined names,
// structured references and error literals are left alone. A reference
// moved off the sheet becomes "#REF!".
std::string ShiftFormula(std::string_view formula, int rows, int columns);

}  // namespace tabulara::xlsx
