#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// Whether the first sheet view of a sheet part marks its tab selected, told
// from the part's first bytes (`whole`: the entire part); none when they end
// before it can be told.
std::optional<bool> TabSelectedIn(std::string_view prefix, bool whole);

// The sheet part with its first sheet view marked selected or not, as the
// sheet's settings would write it; none when it has no sheet view.
std::optional<std::string> WithTabSelected(std::string_view part, bool selected);

}  // namespace tabulara::xlsx
