#pragma once

#include <optional>
#include <string_view>

namespace tabulara::xlsx {

// The number formats a workbook file refers to by id without listing them
// (ids below 164), as the host shows them in United States settings. The
// locale-dependent East Asian date and time ids read as a date or a time.
std::optional<std::string_view> BuiltinNumberFormat(int id);
// The id of a built-in format with this code, if there is one.
std::optional<int> BuiltinNumberFormatId(std::string_view code);

}  // namespace tabulara::xlsx
