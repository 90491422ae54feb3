#pragma once

#include <optional>
#include <string_view>

namespace tabulara::xlsx {

// Whether the first sheet view of a sheet part marks its tab selected, told
// from the part's first bytes (`whole`: the entire part); none when they end
// before it can be told.
std::optional<bool> TabSelectedIn(std::string_view prefix, bool whole);

}  // namespace tabulara::xlsx
