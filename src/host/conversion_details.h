#pragma once

// Pieces shared by the host's conversions (conversions.h): the scanners of
// numbers and dates and the date serial arithmetic.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace tabulara::host::detail {

// Blanks the numeric conversion skips around a number.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimSpaces(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A decimal number: the value of `digits` times ten to `exponent`.
struct Decimal {
  std::string digits;
  long exponent = 0;
  bool negative = false;
};

enum class Outcome { Number, NotANumber, Overflow };

struct NumberReading {
  Outcome outcome = Outcome::NotANumber;
  double value = 0;
  // For "&H" and "&O" texts: the bits the digits spell, which a 16-bit
  // conversion reads as a two's-complement number.
  std::optional<std::uint32_t> radixBits;
};

// How thousands separators may stand in the whole part of a number.
enum class Grouping {
  // Anywhere after the first digit, as the numeric conversion allows.
  Loose,
  // In groups of three digits, as the host's cell entry requires.
  Strict,
};

// Reads digits with separators, a decimal point and an exponent from `text`
// at `pos`, moving `pos` past them. None when no digit stands there or the
// groups or the exponent are malformed.
std::optional<Decimal> ScanDecimal(std::string_view text, std::size_t& pos, Grouping grouping);

// The nearest double, or Overflow beyond the double range; tiny values read
// as 0.
NumberReading DecimalValue(const Decimal& decimal);

// The numeric conversion's reading of a text.
NumberReading ReadNumber(std::string_view text);

// Which date texts a scan accepts.
enum class DateGrammar {
  // The host's date conversion (IsDate, CDate): day and month swap when the
  // month cannot be a month, numbers may be separated by blanks, weekday
  // names are allowed.
  Conversion,
  // Text typed into a cell: United States order only, "/" and "-" between
  // numbers, elapsed hours past 23 in a time alone.
  CellEntry,
};

struct DateReading {
  bool hasDate = false;
  int year = 0;
  int month = 0;
  int day = 0;
  // False when the text left the year (taken as the current one) or the day
  // (taken as the first) out.
  bool yearGiven = true;
  bool dayGiven = true;
  bool hasTime = false;
  long seconds = 0;
};

// `currentYear` completes dates written without a year ("6/15").
std::optional<DateReading> ScanDate(std::string_view text, DateGrammar grammar, int currentYear);

int CurrentYear();
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Days since 30 December 1899 of a calendar date of the proleptic Gregorian
// calendar.
long DayNumber(int year, int month, int day);

// The date as the host's string conversion writes it.
std::string DateToText(Date date);

}  // namespace tabulara::host::detail
