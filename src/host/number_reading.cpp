#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "host/conversion_details.h"
#include "host/conversions.h"
#include "host/exact_decimal.h"

namespace tabulara::host {
namespace detail {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int radix) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < radix ? value : -1;
}

// "&H1F", "&O17": at most 32 bits; from 0x80000000 on the bits read as a
// negative long, as the host's hexadecimal literals do.
NumberReading ReadRadixNumber(std::string_view text) {
  NumberReading reading;
  if (text.size() < 3) return reading;
  const char marker = static_cast<char>(text[1] | 0x20);
  const int radix = marker == 'h' ? 16 : marker == 'o' ? 8 : 0;
  if (radix == 0) return reading;
  std::uint64_t bits = 0;
  for (char c : text.substr(2)) {
    const int digit = DigitValue(c, radix);
    if (digit < 0) return reading;
    bits = bits * radix + digit;
    if (bits > 0xFFFFFFFFu) {
      reading.outcome = Outcome::Overflow;
      return reading;
    }
  }
  reading.outcome = Outcome::Number;
  reading.radixBits = static_cast<std::uint32_t>(bits);
  reading.value = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
  return reading;
}

// The number with 15 significant digits as printf's "%.15g" writes it, when
// a power of ten turns it into a whole number below 10^15 that, divided by
// that power again, reads back as the number: that decimal is then the
// number's nearest of 15 digits, since a normal double stands off it by less
// than half the spacing of such decimals. Empty for other numbers, and for
// those that "%.15g" writes with an exponent.
std::string ShortDecimalText(double number) {
  constexpr double kFifteenDigits = 1e15;
  const double magnitude = std::fabs(number);
  if (!std::isnormal(number) || magnitude < 1e-4 || magnitude >= kFifteenDigits) return {};
  for (std::size_t power = 0; power < std::size(kExactPowersOfTen); ++power) {
    const double scaled = magnitude * kExactPowersOfTen[power];
    if (scaled >= kFifteenDigits) return {};
    const double whole = std::round(scaled);
    if (whole / kExactPowersOfTen[power] != magnitude) continue;
    std::string digits = std::to_string(static_cast<std::uint64_t>(whole));
    if (digits.size() <= power) digits.insert(0, power + 1 - digits.size(), '0');
    digits.insert(digits.size() - power, ".");
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
    return number < 0 ? "-" + digits : digits;
  }
  return {};
}

}  // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<Decimal> ScanDecimal(std::string_view text, std::size_t& pos, Grouping grouping) {
  Decimal decimal;
  std::size_t i = pos;
  int wholeDigits = 0;
  int groupDigits = 0;
  bool grouped = false;
  while (i < text.size()) {
    const char c = text[i];
    if (IsDigit(c)) {
      decimal.digits += c;
      ++wholeDigits;
      ++groupDigits;
    } else if (c == ',' && wholeDigits > 0) {
      if (grouping == Grouping::Strict && (grouped ? groupDigits != 3 : groupDigits > 3)) return std::nullopt;
      grouped = true;
      groupDigits = 0;
    } else {
      break;
    }
    ++i;
  }
  if (grouping == Grouping::Strict && grouped && groupDigits != 3) return std::nullopt;
  int fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      decimal.digits += text[i++];
      ++fractionDigits;
    }
  }
  if (decimal.digits.empty()) return std::nullopt;
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
    while (i < text.size() && IsDigit(text[i])) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  decimal.exponent = exponent - fractionDigits;
  pos = i;
  return decimal;
}

NumberReading DecimalValue(const Decimal& decimal) {
  NumberReading reading;
  const std::size_t first = decimal.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    reading.outcome = Outcome::Number;
    return reading;
  }
  const std::string_view significant = std::string_view(decimal.digits).substr(first);
  std::optional<double> value = ExactDecimal(significant, decimal.exponent);
  if (!value) {
    const std::string spelled = std::string(significant) + "e" + std::to_string(decimal.exponent);
    value = 0;
    const auto result = std::from_chars(spelled.data(), spelled.data() + spelled.size(), *value);
    if (result.ec == std::errc::result_out_of_range) {
      const long magnitude = static_cast<long>(significant.size()) + decimal.exponent;
      if (magnitude > 0) {
        reading.outcome = Outcome::Overflow;
        return reading;
      }
      value = 0;
    }
  }
  reading.outcome = Outcome::Number;
  reading.value = decimal.negative ? -*value : *value;
  return reading;
}

// The numeric conversion's grammar: blanks, a sign in front or behind, a
// currency sign, parentheses for a negative number, thousands separators,
// a decimal point, an exponent; or "&H"/"&O" digits.
NumberReading ReadNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '&') return ReadRadixNumber(text);
  NumberReading failed;
  std::size_t pos = 0;
  bool negative = false;
  bool hasSign = false;
  bool parenthesized = false;
  bool currency = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if ((c == '+' || c == '-') && !hasSign && !parenthesized) {
      hasSign = true;
      negative = c == '-';
    } else if (c == '(' && !hasSign && !parenthesized) {
      parenthesized = true;
      negative = true;
    } else if (c == '$' && !currency) {
      currency = true;
    } else if (!IsBlank(c)) {
      break;
    }
  }
  std::optional<Decimal> decimal = ScanDecimal(text, pos, Grouping::Loose);
  if (!decimal) return failed;
  bool closed = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == ')' && parenthesized && !closed) {
      closed = true;
    } else if ((c == '+' || c == '-') && !hasSign && !parenthesized) {
      hasSign = true;
      negative = c == '-';
    } else if (!IsBlank(c)) {
      return failed;
    }
  }
  if (parenthesized && !closed) return failed;
  decimal->negative = negative;
  return DecimalValue(*decimal);
}

}  // namespace detail

std::optional<double> ParseNumber(std::string_view text) {
  const detail::NumberReading reading = detail::ReadNumber(text);
  if (reading.outcome != detail::Outcome::Number) return std::nullopt;
  return reading.value;
}

std::string NumberToText(double number) {
  if (std::isnan(number)) return "-1.#IND";
  if (std::isinf(number)) return number > 0 ? "1.#INF" : "-1.#INF";
  if (number == 0) return "0";
  std::string text = detail::ShortDecimalText(number);
  if (text.empty()) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
    text.assign(buffer, result.ptr);
  }
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace tabulara::host
