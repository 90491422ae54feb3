#pragma once

// Decimal numbers read with one rounding: when a double holds both a
// number's digits and its power of ten exactly, their quotient or product
// is rounded once, to the nearest double, as a full decimal reader rounds.

#include <optional>
#include <string_view>

namespace tabulara::host {

// The powers of ten that a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// `digits` times ten to `exponent`, when the digits are at most 15 past
// their trailing zeros and the power of ten is exact; nothing otherwise.
std::optional<double> ExactDecimal(std::string_view digits, long exponent);

// A text of an optional "-", digits and an optional decimal point, whose
// digits, at most 22 of them after the point, make a whole number of at
// most 2^53; nothing for any other text.
std::optional<double> ReadPlainDecimal(std::string_view text);

}  // namespace tabulara::host
