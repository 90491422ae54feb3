#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// A number of a cell's <v> ("1.5", "1E-3"); nothing for anything else.
std::optional<double> ParseCellNumber(std::string_view text);
// The shortest text that reads back as the same number.
std::string CellNumberText(double number);

// The serial number (days since 30 December 1899, the time as the fraction,
// with the host's 29 February 1900) of an ISO 8601 date or time as a cell
// of type "d" holds it: "2024-03-01", "2024-03-01T12:30:00", "12:30:00".
std::optional<double> IsoDateSerial(std::string_view text);

// Days between the 1900 and the 1904 date systems' day 0.
inline constexpr double kDate1904Offset = 1462;

}  // namespace tabulara::xlsx
