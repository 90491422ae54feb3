#include <gtest/gtest.h>

#include <charconv>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "host/constants.h"
#include "host/conversions.h"

namespace tabulara::host {
namespace {

int ThisYear() {
  const std::time_t now = std::time(nullptr);
  return std::localtime(&now)->tm_year + 1900;
}

double Serial(int year, int month, int day) { return DateFromCivil(year, month, day).serial; }

constexpr double k15June1980 = 29387;

// What a cell stores for each of the texts typed, and the date format it takes.
struct CellEntryCase {
  Variant stored;
  std::vector<std::string_view> typed;
  std::string_view dateFormat = {};
};

TEST(ReadCellEntry, StoresNumbersLogicalValuesErrorsAndDates) {
  const std::vector<CellEntryCase> cases = {
      {12, {"12", "  12  "}},
      {-1.5, {"-1.5"}},
      {7, {"+7", "007"}},
      {0.5, {".5"}},
      {100000, {"1E5"}},
      {0.0015, {"1.5e-3"}},
      {0.12, {"12%"}},
      {-0.025, {"-2.5%"}},
      {5, {"$5"}},
      {-5, {"-$5", "(5)"}},
      {1234.5, {"$1,234.50"}},
      {-1000, {"($1,000)"}},
      {1234, {"1,234"}},
      {1234567.89, {"1,234,567.89"}},
      {1.5, {"1 1/2", "+1 1/2"}},
      {0.75, {"0 3/4"}},
      {-2.25, {"-2 1/4"}},
      {123456789.5, {"123456789 1/2"}},
      // Digits past the fifteenth count as 0.
      {12345678901234500, {"12345678901234567"}},
      {0.123456789012345, {"0.1234567890123456789"}},
      {true, {"TRUE", " True "}},
      {false, {"false"}},
      {ErrorValue{xlErrNull}, {"#NULL!"}},
      {ErrorValue{xlErrDiv0}, {"#DIV/0!"}},
      {ErrorValue{xlErrValue}, {"#VALUE!"}},
      {ErrorValue{xlErrRef}, {"#REF!"}},
      {ErrorValue{xlErrName}, {"#NAME?"}},
      {ErrorValue{xlErrNum}, {"#NUM!"}},
      {ErrorValue{xlErrNA}, {"#n/a"}},
      // A leading apostrophe keeps the rest as text.
      {"12", {"'12"}},
      {"TRUE", {"'TRUE"}},
      {"", {"'"}},
      {"'x", {"''x"}},
      {Date{k15June1980}, {"6/15/1980", "6-15-80", "1980-06-15", "15-Jun-1980", "June 15, 1980"}, "m/d/yyyy"},
      {Date{Serial(1980, 6, 1)}, {"Jun-80"}, "mmm-yy"},
      {Date{Serial(1932, 1, 1)}, {"1/32"}, "mmm-yy"},
      {Date{Serial(ThisYear(), 6, 15)}, {"6/15"}, "d-mmm"},
      {Date{k15June1980 + 14.5 / 24}, {"6/15/1980 14:30"}},
      // Cell serials count a 29 February 1900 that the calendar never had.
      {Date{Serial(1900, 1, 1)}, {"1/1/1900"}, "m/d/yyyy"},
      {Date{Serial(1900, 2, 28)}, {"2/28/1900"}, "m/d/yyyy"},
      {Date{Serial(1900, 3, 1)}, {"3/1/1900"}, "m/d/yyyy"},
      {60, {"2/29/1900"}, "m/d/yyyy"},
      {Date{12.5 / 24}, {"12:30"}},
      {Date{14.5 / 24}, {"2:30 PM"}},
      {Date{9.0 / 24}, {"9:00 a"}},
      {Date{Serial(1900, 1, 1) + 1.0 / 24}, {"25:00"}},
  };
  for (const CellEntryCase& entry : cases) {
    for (std::string_view text : entry.typed) {
      SCOPED_TRACE(text);
      const TypedEntry typed = ReadTypedEntry(text);
      if (entry.stored.IsDate() && typed.value.IsDate()) {
        EXPECT_NEAR(typed.value.AsDate().serial, entry.stored.AsDate().serial, 1e-9);
      } else {
        EXPECT_EQ(typed.value, entry.stored) << ToText(typed.value);
      }
      EXPECT_EQ(typed.dateFormat, entry.dateFormat);
      EXPECT_EQ(typed.quotePrefix, text.starts_with('\''));
    }
  }
}

TEST(ReadCellEntry, KeepsAnythingElseAsTyped) {
  EXPECT_TRUE(ReadCellEntry("").IsEmpty());
  for (std::string_view typed :
       {"$5%", "(5", "1,23", "1234,567", "12,", "1.234,5", "1 1/0", "1234567890 1/2", "1E+309", "-1E+308", "yes",
        "truth", "#N/A!", "#VALUE", "15/6/1980", "6 15 1980", "Monday, June 15, 1980", "2/30/2009", "12/31/1899",
        "1/1/100", "12:60", "6/15/1980 25:00", "10000:00", "   ", " hello ", "\t12", "12\t", "\302\24012", "&H10",
        "5-", "1e", "-", "$", "abc", "-$-5"}) {
    EXPECT_EQ(ReadCellEntry(typed), Variant(std::string(typed))) << "\"" << typed << "\" should stay text";
  }
}

TEST(ParseNumber, ReadsTheNumericConversionsGrammar) {
  const std::vector<std::pair<double, std::vector<std::string_view>>> cases = {
      // Only the characters of the view count, not what follows them.
      {12, {"12", "+12", " 12 ", "\t12", "12\r\n", "12,", std::string_view("12e3", 2)}},
      {100, {std::string_view("1e23", 3)}},
      {-12, {"-12"}},
      {0.5, {".5"}},
      {5, {"5.", "$5"}},
      {-0.5, {"-.5"}},
      {1500, {"1.5e3", "1.5E+3"}},
      {2.5, {"25E-1"}},
      {-5, {"- 5", "-$5", "(5)", "5-"}},
      {1234, {"1,234"}},
      {1234.5, {"1,234.5"}},
      {123, {"1,23"}},
      {-1000, {"($1,000)"}},
      {16, {"&H10"}},
      {31, {"&h1F"}},
      {250, {"&hfa"}},
      {65535, {"&HFFFF"}},
      {-1, {"&HFFFFFFFF"}},
      {15, {"&O17"}},
      {0, {"1E-400"}},
      {1.7976931348623157e308, {"1.7976931348623157e308"}},
  };
  for (const auto& [expected, texts] : cases) {
    for (std::string_view text : texts) {
      const std::optional<double> number = ParseNumber(text);
      ASSERT_TRUE(number.has_value()) << "\"" << text << "\" should read as a number";
      EXPECT_DOUBLE_EQ(*number, expected) << "\"" << text << "\"";
    }
  }
  for (std::string_view text :
       {",12", "1.2,3", "(5", "5)", "(-5)", "++3", "-5-", "$$5", "&H", "&HG1", "&H100000000", "&O8", "0x10", "", " ",
        "abc", "12a", "1.2.3", "1 000", "12 34", "1e", "1d2", "5%", "TRUE", ".", "1e400"}) {
    EXPECT_FALSE(ParseNumber(text).has_value()) << "\"" << text << "\" should not read as a number";
  }
}

// Decimals of every length and scale read to the nearest double, as the
// standard library reads them.
TEST(ParseNumber, ReadsEveryDecimalToTheNearestDouble) {
  std::mt19937_64 random(20261206);
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    const int digits = 1 + static_cast<int>(random() % 20);
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
    text.insert(random() % (text.size() + 1), ".");
    text += "e" + std::to_string(static_cast<int>(random() % 70) - 35);
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    const std::optional<double> number = ParseNumber(text);
    ASSERT_TRUE(number.has_value()) << text;
    EXPECT_EQ(*number, expected) << text;
  }
}

TEST(ParseDate, ReadsDatesAndTimesInUnitedStatesSettings) {
  const std::vector<std::pair<double, std::vector<std::string_view>>> cases = {
      {k15June1980,
       {"1980-06-15", "1980-6-15", "1980/6/15", "6/15/1980", "6-15-1980", " 6/15/1980 ", "15 June 1980",
        "June 15, 1980", "Jun 15 1980", "15-Jun-1980", "15-JUN-80", "Monday, June 15, 1980", "tue 6/15/1980",
        "tues 6/15/1980", "Wednesday 6/15/1980", "thur 6/15/1980", "Thurs, 6/15/1980", "1980 June 15", "15june1980",
        "15/6/1980"}},
      // Two-digit years fall between 1930 and 2029.
      {k15June1980, {"6/15/80"}},
      {Serial(2029, 6, 15), {"6/15/29"}},
      {Serial(1930, 6, 15), {"6/15/30"}},
      {Serial(2003, 1, 2), {"1 2 3"}},
      {Serial(ThisYear(), 6, 15), {"6/15", "15 June"}},
      {Serial(ThisYear(), 12, 31), {"31/12", "Dec 31"}},
      {Serial(1980, 6, 1), {"June 1980", "6/1980", "1980/6"}},
            {2958465, {"12/31/9999"}},
      {-657434, {"1/1/100"}},
      {12.5 / 24, {"12:30", "12:30 PM"}},
      {0.5 / 24, {"12:30 AM"}},
      {(12 * 3600 + 30 * 60 + 45) / 86400.0, {"12:30:45"}},
      {86399 / 86400.0, {"23:59:59"}},
      {14.0 / 24, {"2pm"}},
      {0, {"0:00"}},
      {k15June1980 + 14.5 / 24, {"6/15/1980 14:30", "6/15/1980 2:30 PM", "6/15/1980, 2:30 PM", "14:30 6/15/1980"}},
      {k15June1980 + 14.0 / 24, {"2 pm 6/15/1980"}},
      {k15June1980 + (2 * 3600 + 30 * 60 + 15) / 86400.0, {"6/15/1980 2:30:15 am"}},
  };
  for (const auto& [serial, texts] : cases) {
    for (std::string_view text : texts) {
      const std::optional<Date> date = ParseDate(text);
      ASSERT_TRUE(date.has_value()) << "\"" << text << "\" should read as a date";
      EXPECT_NEAR(date->serial, serial, 1e-9) << "\"" << text << "\"";
    }
  }
  for (std::string_view text :
       {"13/13/1980", "1/1/10000", "9:00 a", "1:2:3:4", "6/15/1980 12:30 13:00", "25:00", "24:00", "1:60", "1:00:60",
        "13:00 PM", "6/15/1980 25:00", "", "abc", "1", "12", "June", "TRUE", "6.15.1980", "6;15;1980",
        "2009-03-01T10:00", "6//15/1980", "/6/15", "6/15/1980 12:", "June July 1980", "6/15/1980/1"}) {
    EXPECT_FALSE(ParseDate(text).has_value()) << "\"" << text << "\" should not read as a date";
  }
}

TEST(ParseDate, KnowsTheLengthOfEveryMonthAndTheLeapYears) {
  for (int year : {1900, 2000, 2008, 2009}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 28; day <= 32; ++day) {
        const std::string text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
        const bool inMonth = Serial(year, month, day) < Serial(year, month + 1, 1);
        EXPECT_EQ(ParseDate(text).has_value(), inMonth) << text;
      }
    }
  }
}

}  // namespace
}  // namespace tabulara::host
