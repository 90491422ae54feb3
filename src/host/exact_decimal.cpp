#include "host/exact_decimal.h"

#include <cstdint>
#include <iterator>

namespace tabulara::host {
namespace {

constexpr long kLargestExactPower = std::size(kExactPowersOfTen) - 1;

double Scaled(std::uint64_t whole, long exponent) {
  const auto mantissa = static_cast<double>(whole);
  return exponent < 0 ? mantissa / kExactPowersOfTen[-exponent] : mantissa * kExactPowersOfTen[exponent];
}

}  // namespace

std::optional<double> ExactDecimal(std::string_view digits, long exponent) {
  while (!digits.empty() && digits.back() == '0') {
    digits.remove_suffix(1);
    ++exponent;
  }
  constexpr std::size_t kExactDigits = 15;
  if (digits.size() > kExactDigits || exponent < -kLargestExactPower || exponent > kLargestExactPower) {
    return std::nullopt;
  }
  std::uint64_t whole = 0;
  for (const char digit : digits) whole = whole * 10 + static_cast<std::uint64_t>(digit - '0');
  return Scaled(whole, exponent);
}

std::optional<double> ReadPlainDecimal(std::string_view text) {
  constexpr std::size_t kDigitsOfAnyWhole = 19;
  constexpr std::uint64_t kLargestExactWhole = std::uint64_t{1} << 53;
  const char* at = text.data();
  const char* const end = at + text.size();
  const bool negative = at != end && *at == '-';
  if (negative) ++at;
  std::uint64_t whole = 0;
  std::size_t digits = 0;
  auto takeDigits = [&] {
    for (; at != end && static_cast<unsigned>(*at - '0') < 10; ++at, ++digits) {
      whole = whole * 10 + static_cast<std::uint64_t>(*at - '0');
    }
  };
  takeDigits();
  std::size_t fractionDigits = 0;
  if (at != end && *at == '.') {
    ++at;
    const std::size_t wholeDigits = digits;
    takeDigits();
    fractionDigits = digits - wholeDigits;
  }
  if (at != end || digits == 0 || digits > kDigitsOfAnyWhole || whole > kLargestExactWhole ||
      fractionDigits > static_cast<std::size_t>(kLargestExactPower)) {
    return std::nullopt;
  }
  const double value = Scaled(whole, -static_cast<long>(fractionDigits));
  return negative ? -value : value;
}

}  // namespace tabulara::host
