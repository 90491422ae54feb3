#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/variant.h"

namespace tabulara::host {

// The host's conversions between values and text, in one place.

// A value as text, the way the host's string conversion writes it: numbers in
// at most 15 significant digits ("0.1", "1E+20"), logical values as "True" or
// "False", dates as m/d/yyyy with the time when there is one, error values as
// "Error 2015". An object raises a type mismatch.
std::string ToText(const Variant& value);

// A number in the host's general form, at most 15 significant digits.
std::string NumberToText(double number);

// A text read as a number, the way the host's numeric conversion reads it:
// blanks around it, a leading or trailing sign or parentheses, a currency
// sign, thousands separators, a decimal point, an exponent, "&H" and "&O"
// numbers.
std::optional<double> ParseNumber(std::string_view text);

// A text read as a date in the host's default (United States) regional
// settings: "1980-06-15", "6/15/1980", "15 June 1980", "June 15, 1980",
// with an optional time of day.
std::optional<Date> ParseDate(std::string_view text);

// A value read as a truth value: numbers (0 false), logical values, and the
// words "true" and "false" in any letter case. Anything else raises a type
// mismatch.
bool ToLogical(const Variant& value);

// A value read as a 16-bit whole number, halves going to the even neighbour.
// A text that is no number raises a type mismatch, a value out of range an
// overflow.
int ToInteger(const Variant& value);

// A number in single precision, as the host hands it to a member that takes
// one; past the single range an overflow.
float ToSingle(double number);

// Date serials and calendar dates.
Date DateFromCivil(int year, int month, int day);
void CivilFromDate(Date date, int& year, int& month, int& day);

// What the host stores when a user types `text` into a cell: a number, a
// percentage, a logical value, an error value, a date, or else the text.
// A leading apostrophe keeps the rest as text.
Variant ReadCellEntry(std::string_view text);

// The same, with how the cell shows it: the number format a date entry
// takes ("d-mmm" for "3/4", "mmm-yy" for "Mar-24", "m/d/yyyy" for a full
// date; empty for any other value) and whether a leading apostrophe made it
// text (the cell then carries the quote prefix).
struct TypedEntry {
  TypedEntry() = default;
  TypedEntry(Variant typed, std::string_view format = {}, bool prefixed = false)
      : value(std::move(typed)), dateFormat(format), quotePrefix(prefixed) {}

  Variant value;
  std::string_view dateFormat;
  bool quotePrefix = false;
};
TypedEntry ReadTypedEntry(std::string_view text);

}  // namespace tabulara::host
