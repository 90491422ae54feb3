#include "host/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/host_error.h"

namespace tabulara::host {
namespace {

struct CalendarCase {
  int year;
  int month;
  int day;
  double serial;
};

TEST(DateSerials, CountDaysFromThirtiethOfDecember1899CarryingOutOfRangeMonthsAndDays) {
  const std::vector<CalendarCase> cases = {
      {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 1, 1, 2},         {1900, 2, 28, 60},    {1900, 3, 1, 61},
      {1980, 6, 15, 29387}, {2009, 3, 1, 39873},  {9999, 12, 31, 2958465}, {100, 1, 1, -657434}, {1980, 13, 1, 29587},
      {1980, 0, 15, 29204}, {2008, 2, 30, 39508}, {2009, 3, 0, 39872},     {0, 0, 1, -693990},   {-400, 3, 1, -839996}};
  for (const CalendarCase& date : cases) {
    EXPECT_EQ(DateFromCivil(date.year, date.month, date.day).serial, date.serial)
        << date.year << "-" << date.month << "-" << date.day;
  }
}

TEST(DateSerials, EveryDayOfFourCenturiesReadsBackAsItsCalendarDate) {
  int year = 0;
  int month = 0;
  int day = 0;
  for (double serial = DateFromCivil(1600, 1, 1).serial; serial < DateFromCivil(2001, 1, 1).serial; ++serial) {
    CivilFromDate(Date{serial}, year, month, day);
    ASSERT_EQ(DateFromCivil(year, month, day).serial, serial);
    ASSERT_TRUE(day >= 1 && serial < DateFromCivil(year, month + 1, 1).serial) << year << "-" << month << "-" << day;
  }
  // The time of day does not count, also before the epoch.
  CivilFromDate(Date{-1.5}, year, month, day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 18991229);
}

void ExpectError(long number, const std::string& description, const std::function<void()>& call) {
  try {
    call();
    FAIL() << "expected error " << number;
  } catch (const HostError& error) {
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Description(), description);
  }
}

const Variant kObject(Ref<Object>(std::make_shared<Object>()));

TEST(ToLogical, ReadsNumbersLogicalValuesAndTheWordsInAnyCase) {
  for (const Variant& value : {Variant(1), Variant(-1), Variant(0.5), Variant(true), Variant(Date{1}), Variant("True"),
                               Variant("TRUE"), Variant("1"), Variant("-1"), Variant("2.5")}) {
    EXPECT_TRUE(ToLogical(value)) << ToText(value);
  }
  for (const Variant& value : {Variant(0), Variant(), Variant(false), Variant(Date{0}), Variant("fAlSe"), Variant("0"),
                               Variant("0.0"), Variant("&H0")}) {
    EXPECT_FALSE(ToLogical(value)) << ToText(value);
  }
  for (const Variant& value : {Variant(""), Variant("yes"), Variant("abc"), Variant(" true "), Variant("6/15/1980"),
                               Variant(ErrorValue{2015}), kObject}) {
    ExpectError(kErrTypeMismatch, "Type mismatch", [&] { ToLogical(value); });
  }
}

TEST(ToInteger, RoundsHalvesToTheEvenNeighbourWithinSixteenBits) {
  const std::vector<std::pair<int, std::vector<Variant>>> cases = {
      {0, {0.5, -0.5, Variant(), false}},
      {2, {1.5, 2.5, 2.4999999, "2.5"}},
      {-2, {-1.5}},
      {4, {3.5000001, " 3.5 "}},
      {-32768, {-32768.5}},
      {32766, {32766.5}},
      {-1, {true, "&HFFFF"}},
      {29388, {Date{29387.75}}},
      {1000, {"1e3"}},
      {32767, {"&H7FFF"}},
  };
  for (const auto& [expected, values] : cases) {
    for (const Variant& value : values) EXPECT_EQ(ToInteger(value), expected) << ToText(value);
  }
  for (const Variant& value : {Variant(32767.5), Variant(32768), Variant(-32769), Variant(-32768.6), Variant(1e300),
                               Variant("40000"), Variant("1e400"), Variant("&H10000")}) {
    ExpectError(6, "Overflow", [&] { ToInteger(value); });
  }
  for (const Variant& value :
       {Variant(""), Variant("abc"), Variant("True"), Variant("6/15/1980"), Variant(ErrorValue{2042})}) {
    ExpectError(kErrTypeMismatch, "Type mismatch", [&] { ToInteger(value); });
  }
}

TEST(ToSingle, RoundsToSinglePrecisionWithinItsRange) {
  EXPECT_EQ(ToSingle(0.1), 0.1F);
  EXPECT_EQ(ToSingle(-3.4028234663852886e38), -std::numeric_limits<float>::max());
  for (double number : {3.5e38, -3.5e38, std::numeric_limits<double>::infinity(), std::nan("")}) {
    ExpectError(6, "Overflow", [&] { ToSingle(number); });
  }
}

TEST(ToText, WritesEachKindOfValueAsTheHostDoes) {
  const std::vector<std::pair<Variant, std::string>> cases = {
      {Variant(), ""},
      {" padded ", " padded "},
      {true, "True"},
      {false, "False"},
      {ErrorValue{2015}, "Error 2015"},
      {ErrorValue{2042}, "Error 2042"},
      // Numbers in at most 15 significant digits, in exponent form from the
      // sixteenth digit on and below a ten-thousandth.
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123.456, "123.456"},
      {12345678901234.5, "12345678901234.5"},
      {0.000123456789012345678, "0.000123456789012346"},
      {100, "100"},
      {0, "0"},
      {-0.0, "0"},
      {100000000000000, "100000000000000"},
      {123456789012345, "123456789012345"},
      {1e15, "1E+15"},
      {1234567890123456, "1.23456789012346E+15"},
      {1e20, "1E+20"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {-0.00001, "-1E-05"},
      {1e-300, "1E-300"},
      {1.7976931348623157e308, "1.79769313486232E+308"},
      // Dates month first, the time only when there is one; day 0 shows its
      // time only. The time rounds to whole seconds and counts forward from
      // midnight also before the epoch.
      {Date{29387}, "6/15/1980"},
      {Date{29387.25}, "6/15/1980 6:00:00 AM"},
      {Date{29387 + 14.5 / 24}, "6/15/1980 2:30:00 PM"},
      {Date{61}, "3/1/1900"},
      {Date{60}, "2/28/1900"},
      {Date{1}, "12/31/1899"},
      {Date{-657434}, "1/1/100"},
      {Date{0}, "12:00:00 AM"},
      {Date{0.5}, "12:00:00 PM"},
      {Date{0.5 + 45.0 / 86400}, "12:00:45 PM"},
      {Date{29387.5000058}, "6/15/1980 12:00:01 PM"},
      {Date{29387.999999}, "6/16/1980 12:00:00 AM"},
      {Date{2958465.99999}, "12/31/9999 11:59:59 PM"},
      {Date{-1.5}, "12/29/1899 12:00:00 PM"},
      {Date{-0.25}, "6:00:00 AM"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(ToText(value), text);
  ExpectError(kErrTypeMismatch, "Type mismatch", [] { ToText(kObject); });
}

// Numbers of every scale and length, and the halfway and rounding-over
// cases, against the C library's "%.15G".
TEST(ToText, WritesEveryNumberInFifteenDigitsAsPrintfDoes) {
  auto printed = [](double number) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    return std::string(buffer);
  };
  std::vector<double> numbers = {0.5,  1.5e-5, 9.99999999999999e-5, 0.000099999999999999995, 999999999999999.4,
                                 999999999999999.6, 99999999999999.95, 0.30000000000000004, 5e-324, 1e22, 1e23,
                                 -123.456, 4503599627370497.0, 1.0000000000000002};
  std::mt19937_64 random(20261206);
  for (int i = 0; i < 20000; ++i) {
    double bits = 0;
    const std::uint64_t word = random();
    std::memcpy(&bits, &word, sizeof bits);
    if (std::isfinite(bits) && bits != 0) numbers.push_back(bits);
    const auto cents = static_cast<double>(static_cast<std::int64_t>(random() % 2000000001) - 1000000000);
    numbers.push_back(cents / 100);
    numbers.push_back(cents * std::pow(10.0, static_cast<int>(random() % 40) - 20));
  }
  for (const double number : numbers) EXPECT_EQ(ToText(number), printed(number)) << std::hexfloat << number;
}

}  // namespace
}  // namespace tabulara::host
