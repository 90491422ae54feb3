#pragma once

#include <string_view>

namespace tabulara::embedded {

// The format the host gives a cell when a date is entered into it.
inline constexpr std::string_view kShortDateFormat = "m/d/yyyy";

// Whether a number format shows a date or a time: its first section has a
// day, month, year, hour or second code outside quotes, escapes and
// brackets, or an elapsed-time bracket such as [h].
bool IsDateFormat(std::string_view format);

}  // namespace tabulara::embedded
