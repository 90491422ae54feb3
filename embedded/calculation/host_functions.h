#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace tabulara::embedded::calculation {

// Worksheet functions of the host that the formula engine lacks or gets
// wrong, computed here on the values of their arguments: ROUND, ROUNDUP,
// ROUNDDOWN, TRUNC, ABS, SIGN, MOD, SQRT, POWER, RIGHT, MID, TRIM.
bool IsHostFunction(std::string_view name);

// The function's value; none for a name it does not have. An error among
// the arguments is the result, the first one from the left.
std::optional<host::Variant> CallHostFunction(std::string_view name, const std::vector<host::Variant>& arguments);

}  // namespace tabulara::embedded::calculation
