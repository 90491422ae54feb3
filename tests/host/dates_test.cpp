#include <gtest/gtest.h>

#include <ctime>

#include "host/conversions.h"

namespace tabulara::host {
namespace {

int ThisYear() {
  const std::time_t now = std::time(nullptr);
  return std::localtime(&now)->tm_year + 1900;
}

void ExpectDate(std::string_view text, double serial) {
  const std::optional<Date> date = ParseDate(text);
  ASSERT_TRUE(date.has_value()) << "\"" << text << "\" should read as a date";
  EXPECT_NEAR(date->serial, serial, 1e-9) << "\"" << text << "\"";
}

void ExpectNoDate(std::string_view text) {
  EXPECT_FALSE(ParseDate(text).has_value()) << "\"" << text << "\" should not read as a date";
}

constexpr double k15June1980 = 29387;

TEST(DateSerials, CountDaysFromThirtiethOfDecember1899) {
  EXPECT_EQ(DateFromCivil(1899, 12, 30).serial, 0);
  EXPECT_EQ(DateFromCivil(1899, 12, 31).serial, 1);
  EXPECT_EQ(DateFromCivil(1900, 1, 1).serial, 2);
  EXPECT_EQ(DateFromCivil(1900, 2, 28).serial, 60);
  EXPECT_EQ(DateFromCivil(1900, 3, 1).serial, 61);
  EXPECT_EQ(DateFromCivil(1980, 6, 15).serial, k15June1980);
  EXPECT_EQ(DateFromCivil(2009, 3, 1).serial, 39873);
  EXPECT_EQ(DateFromCivil(9999, 12, 31).serial, 2958465);
  EXPECT_EQ(DateFromCivil(100, 1, 1).serial, -657434);
}

TEST(DateSerials, CarryMonthsAndDaysOutOfRangeIntoNeighbours) {
  EXPECT_EQ(DateFromCivil(1980, 13, 1).serial, DateFromCivil(1981, 1, 1).serial);
  EXPECT_EQ(DateFromCivil(1980, 0, 15).serial, DateFromCivil(1979, 12, 15).serial);
  EXPECT_EQ(DateFromCivil(2008, 2, 30).serial, DateFromCivil(2008, 3, 1).serial);
  EXPECT_EQ(DateFromCivil(2009, 3, 0).serial, DateFromCivil(2009, 2, 28).serial);
}

TEST(DateSerials, CalendarDateOfASerialIgnoresTheTime) {
  int year = 0;
  int month = 0;
  int day = 0;
  CivilFromDate(Date{k15June1980 + 0.75}, year, month, day);
  EXPECT_EQ(year, 1980);
  EXPECT_EQ(month, 6);
  EXPECT_EQ(day, 15);
  CivilFromDate(Date{60}, year, month, day);
  EXPECT_EQ(month, 2);
  EXPECT_EQ(day, 28);
  CivilFromDate(Date{-1.5}, year, month, day);
  EXPECT_EQ(year, 1899);
  EXPECT_EQ(month, 12);
  EXPECT_EQ(day, 29);
  CivilFromDate(Date{2000 * 365.2425}, year, month, day);
  EXPECT_EQ(year, 3899);
}

TEST(ParseDate, ReadsTheCommonWritings) {
  ExpectDate("1980-06-15", k15June1980);
  ExpectDate("1980-6-15", k15June1980);
  ExpectDate("1980/6/15", k15June1980);
  ExpectDate("6/15/1980", k15June1980);
  ExpectDate("6-15-1980", k15June1980);
  ExpectDate(" 6/15/1980 ", k15June1980);
  ExpectDate("15 June 1980", k15June1980);
  ExpectDate("June 15, 1980", k15June1980);
  ExpectDate("Jun 15 1980", k15June1980);
  ExpectDate("15-Jun-1980", k15June1980);
  ExpectDate("15-JUN-80", k15June1980);
  ExpectDate("Monday, June 15, 1980", k15June1980);
  ExpectDate("tue 6/15/1980", k15June1980);
  ExpectDate("1980 June 15", k15June1980);
  ExpectDate("15june1980", k15June1980);
}

TEST(ParseDate, SwapsDayAndMonthWhenTheMonthCannotBeOne) {
  ExpectDate("15/6/1980", k15June1980);
  ExpectDate("31/12", DateFromCivil(ThisYear(), 12, 31).serial);
  ExpectNoDate("13/13/1980");
}

TEST(ParseDate, TwoDigitYearsFallBetween1930And2029) {
  ExpectDate("6/15/80", k15June1980);
  ExpectDate("6/15/29", DateFromCivil(2029, 6, 15).serial);
  ExpectDate("6/15/30", DateFromCivil(1930, 6, 15).serial);
  ExpectDate("1 2 3", DateFromCivil(2003, 1, 2).serial);
}

TEST(ParseDate, PartialDatesTakeTheCurrentYearOrTheFirstDay) {
  ExpectDate("6/15", DateFromCivil(ThisYear(), 6, 15).serial);
  ExpectDate("Dec 31", DateFromCivil(ThisYear(), 12, 31).serial);
  ExpectDate("June 1980", DateFromCivil(1980, 6, 1).serial);
  ExpectDate("6/1980", DateFromCivil(1980, 6, 1).serial);
  ExpectDate("1980/6", DateFromCivil(1980, 6, 1).serial);
  ExpectDate("15 June", DateFromCivil(ThisYear(), 6, 15).serial);
}

TEST(ParseDate, ReadsTimesAloneAndAfterADate) {
  ExpectDate("12:30", 12.5 / 24);
  ExpectDate("12:30 PM", 12.5 / 24);
  ExpectDate("12:30 am", 0.5 / 24);
  ExpectDate("12:30:45", (12 * 3600 + 30 * 60 + 45) / 86400.0);
  ExpectDate("2pm", 14.0 / 24);
  ExpectDate("0:00", 0);
  ExpectDate("6/15/1980 14:30", k15June1980 + 14.5 / 24);
  ExpectDate("6/15/1980 2:30 PM", k15June1980 + 14.5 / 24);
  ExpectDate("6/15/1980 2:30:15 am", k15June1980 + (2 * 3600 + 30 * 60 + 15) / 86400.0);
  ExpectDate("6/15/1980, 2:30 PM", k15June1980 + 14.5 / 24);
  ExpectDate("14:30 6/15/1980", k15June1980 + 14.5 / 24);
  ExpectDate("2 pm 6/15/1980", k15June1980 + 14.0 / 24);
  ExpectNoDate("9:00 a");
  ExpectNoDate("1:2:3:4");
  ExpectNoDate("6/15/1980 12:30 13:00");
}

TEST(ParseDate, ChecksTheCalendarAndTheClock) {
  ExpectNoDate("2/30/2009");
  ExpectNoDate("2/29/1900");
  ExpectDate("2/29/2000", DateFromCivil(2000, 2, 29).serial);
  ExpectNoDate("25:00");
  ExpectNoDate("24:00");
  ExpectNoDate("1:60");
  ExpectNoDate("13:00 PM");
  ExpectNoDate("6/15/1980 25:00");
  ExpectDate("12/31/9999", 2958465);
  ExpectNoDate("1/1/10000");
  ExpectDate("1/1/100", -657434);
}

TEST(ParseDate, RejectsTextsThatAreNoDate) {
  ExpectNoDate("");
  ExpectNoDate("abc");
  ExpectNoDate("1");
  ExpectNoDate("12");
  ExpectNoDate("June");
  ExpectNoDate("TRUE");
  ExpectNoDate("6.15.1980");
  ExpectNoDate("2009-03-01T10:00");
  ExpectNoDate("6//15/1980");
  ExpectNoDate("/6/15");
  ExpectNoDate("6/15/1980 12:");
  ExpectNoDate("June July 1980");
  ExpectNoDate("6/15/1980/1");
}

}  // namespace
}  // namespace tabulara::host
