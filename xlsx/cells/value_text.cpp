#include "xlsx/cells/value_text.h"

#include <charconv>
#include <chrono>

#include "host/exact_decimal.h"

namespace tabulara::xlsx {
namespace {

bool ReadInt(std::string_view text, std::size_t& at, std::size_t digits, int& value) {
  if (at + digits > text.size()) return false;
  const auto result = std::from_chars(text.data() + at, text.data() + at + digits, value);
  if (result.ec != std::errc() || result.ptr != text.data() + at + digits) return false;
  at += digits;
  return true;
}

bool Expect(std::string_view text, std::size_t& at, char c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}

// "hh:mm[:ss[.fff]]" as a fraction of a day.
std::optional<double> ReadTime(std::string_view text, std::size_t& at) {
  int hours = 0;
  int minutes = 0;
  double seconds = 0;
  if (!ReadInt(text, at, 2, hours) || !Expect(text, at, ':') || !ReadInt(text, at, 2, minutes)) return std::nullopt;
  if (at < text.size() && text[at] == ':') {
    ++at;
    std::size_t end = at;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) ++end;
    const auto result = std::from_chars(text.data() + at, text.data() + end, seconds);
    if (result.ec != std::errc()) return std::nullopt;
    at = end;
  }
  if (at < text.size() && text[at] == 'Z') ++at;
  if (hours > 24 || minutes > 59 || seconds >= 61) return std::nullopt;
  return (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0;
}

}  // namespace

std::optional<double> ParseCellNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (const std::optional<double> plain = host::ReadPlainDecimal(text)) return plain;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string CellNumberText(double number) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return std::string(buffer, result.ptr);
}

std::optional<double> IsoDateSerial(std::string_view text) {
  std::size_t at = 0;
  if (text.size() >= 3 && text[2] == ':') {
    auto time = ReadTime(text, at);
    return time && at == text.size() ? time : std::nullopt;
  }
  int year = 0;
  int month = 0;
  int day = 0;
  if (!ReadInt(text, at, 4, year) || !Expect(text, at, '-') || !ReadInt(text, at, 2, month) ||
      !Expect(text, at, '-') || !ReadInt(text, at, 2, day)) {
    return std::nullopt;
  }
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  constexpr std::chrono::sys_days kDayZero = std::chrono::year(1899) / 12 / 30;
  double serial = static_cast<double>((std::chrono::sys_days(date) - kDayZero).count());
  // The host counts a 29 February 1900 that never was: days before March
  // 1900 are one lower.
  if (serial < 61) serial -= 1;
  double time = 0;
  if (at < text.size()) {
    if (!Expect(text, at, 'T')) return std::nullopt;
    auto read = ReadTime(text, at);
    if (!read || at != text.size()) return std::nullopt;
    time = *read;
  }
  return serial + time;
}

}  // namespace tabulara::xlsx
