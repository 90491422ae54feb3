#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "host/constants.h"
#include "host/conversion_details.h"
#include "host/conversions.h"

namespace tabulara::host {
namespace {

using detail::Decimal;
using detail::NumberReading;
using detail::Outcome;

// The largest magnitude a cell holds.
constexpr double kLargestCellNumber = 9.99999999999999e307;
// A cell keeps 15 significant digits; typed digits past them count as 0.
constexpr std::size_t kSignificantDigits = 15;

std::optional<ErrorValue> ErrorOfText(std::string_view text) {
  if (text.front() != '#') return std::nullopt;
  static constexpr std::array<std::pair<std::string_view, int>, 7> kErrors = {{
      {"#NULL!", xlErrNull},
      {"#DIV/0!", xlErrDiv0},
      {"#VALUE!", xlErrValue},
      {"#REF!", xlErrRef},
      {"#NAME?", xlErrName},
      {"#NUM!", xlErrNum},
      {"#N/A", xlErrNA},
  }};
  for (const auto& [spelling, code] : kErrors) {
    if (detail::EqualsIgnoringCase(text, spelling)) return ErrorValue{code};
  }
  return std::nullopt;
}

void KeepSignificantDigits(Decimal& decimal) {
  const std::size_t first = decimal.digits.find_first_not_of('0');
  if (first == std::string::npos) return;
  for (std::size_t i = first + kSignificantDigits; i < decimal.digits.size(); ++i) decimal.digits[i] = '0';
}

std::optional<double> CellNumber(const Decimal& decimal) {
  const NumberReading reading = detail::DecimalValue(decimal);
  if (reading.outcome != Outcome::Number || std::fabs(reading.value) > kLargestCellNumber) return std::nullopt;
  return reading.value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<long> ScanWhole(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  long value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < 9) value = value * 10 + (text[pos++] - '0');
  if (pos == start || (pos < text.size() && IsDigit(text[pos]))) return std::nullopt;
  return value;
}

// "1 1/2", "-3 3/4": a whole number, one blank and a fraction.
std::optional<double> MixedFraction(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++pos;
  const std::optional<long> whole = ScanWhole(text, pos);
  if (!whole || pos >= text.size() || text[pos++] != ' ') return std::nullopt;
  const std::optional<long> numerator = ScanWhole(text, pos);
  if (!numerator || pos >= text.size() || text[pos++] != '/') return std::nullopt;
  const std::optional<long> denominator = ScanWhole(text, pos);
  if (!denominator || *denominator == 0 || pos != text.size()) return std::nullopt;
  const double value =
      static_cast<double>(*whole) + static_cast<double>(*numerator) / static_cast<double>(*denominator);
  return negative ? -value : value;
}

// "12", "-1.5E3", "1,234.5", "$5", "-$5", "($1,000)", "12%".
std::optional<double> TypedNumber(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  bool hasSign = false;
  const bool parenthesized = !text.empty() && text[0] == '(';
  if (parenthesized) {
    negative = true;
    ++pos;
  }
  auto takeSign = [&] {
    if (!parenthesized && !hasSign && pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
      hasSign = true;
      negative = text[pos++] == '-';
    }
  };
  takeSign();
  const bool currency = pos < text.size() && text[pos] == '$';
  if (currency) ++pos;
  takeSign();
  std::optional<Decimal> decimal = detail::ScanDecimal(text, pos, detail::Grouping::Strict);
  if (!decimal) return std::nullopt;
  if (!currency && pos < text.size() && text[pos] == '%') {
    decimal->exponent -= 2;
    ++pos;
  }
  if (parenthesized && (pos >= text.size() || text[pos++] != ')')) return std::nullopt;
  if (pos != text.size()) return std::nullopt;
  decimal->negative = negative;
  KeepSignificantDigits(*decimal);
  return CellNumber(*decimal);
}

// A cell's serial counts 29 February 1900, a day the calendar never had, so
// its serials before 1 March 1900 are one less than the host's date serials.
double CellSerial(const detail::DateReading& reading) {
  double days = 0;
  if (reading.hasDate) {
    if (reading.year == 1900 && reading.month == 2 && reading.day == 29) {
      days = 60;
    } else {
      days = static_cast<double>(detail::DayNumber(reading.year, reading.month, reading.day));
      if (days < 61) days -= 1;
    }
  }
  return days + reading.seconds / 86400.0;
}

// The value a cell serial reads as: a date, or the bare number for the day
// 29 February 1900 that no date value can hold.
Variant CellSerialValue(double serial) {
  if (serial >= 60 && serial < 61) return serial;
  if (serial >= 1 && serial < 60) return Date{serial + 1};
  return Date{serial};
}

std::string_view EntryDateFormat(const detail::DateReading& reading) {
  if (!reading.hasDate || reading.hasTime) return {};
  if (!reading.yearGiven) return "d-mmm";
  if (!reading.dayGiven) return "mmm-yy";
  return "m/d/yyyy";
}

}  // namespace

Variant ReadCellEntry(std::string_view text) { return ReadTypedEntry(text).value; }

TypedEntry ReadTypedEntry(std::string_view text) {
  if (text.empty()) return {};
  if (text.front() == '\'') return {std::string(text.substr(1)), {}, true};
  const std::string_view entry = detail::TrimSpaces(text);
  const bool hasControlCharacter =
      std::any_of(entry.begin(), entry.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (entry.empty() || hasControlCharacter) return {std::string(text)};
  if (detail::EqualsIgnoringCase(entry, "TRUE")) return {true};
  if (detail::EqualsIgnoringCase(entry, "FALSE")) return {false};
  if (const std::optional<ErrorValue> error = ErrorOfText(entry)) return {*error};
  if (const std::optional<double> number = TypedNumber(entry)) return {*number};
  if (const std::optional<double> number = MixedFraction(entry)) return {*number};
  const std::optional<detail::DateReading> date =
      detail::ScanDate(entry, detail::DateGrammar::CellEntry, detail::CurrentYear());
  if (date) return {CellSerialValue(CellSerial(*date)), EntryDateFormat(*date)};
  return {std::string(text)};
}

}  // namespace tabulara::host
