#pragma once

#include <string_view>

namespace tabulara::embedded::calculation {

// Whether the spreadsheet host has a worksheet function of this name, as a
// formula spells it (without regard to case; newer ones behind "_xlfn.").
bool IsBuiltinFunction(std::string_view name);

}  // namespace tabulara::embedded::calculation
