#include <gtest/gtest.h>

#include <ctime>

#include "host/constants.h"
#include "host/conversions.h"

namespace tabulara::host {
namespace {

int ThisYear() {
  const std::time_t now = std::time(nullptr);
  return std::localtime(&now)->tm_year + 1900;
}

void ExpectNumber(std::string_view typed, double expected) {
  const Variant value = ReadCellEntry(typed);
  ASSERT_TRUE(value.IsNumber()) << "\"" << typed << "\" should be stored as a number";
  EXPECT_DOUBLE_EQ(value.AsNumber(), expected) << "\"" << typed << "\"";
}

void ExpectDate(std::string_view typed, double serial) {
  const Variant value = ReadCellEntry(typed);
  ASSERT_TRUE(value.IsDate()) << "\"" << typed << "\" should be stored as a date";
  EXPECT_NEAR(value.AsDate().serial, serial, 1e-9) << "\"" << typed << "\"";
}

void ExpectText(std::string_view typed) {
  EXPECT_EQ(ReadCellEntry(typed), Variant(std::string(typed))) << "\"" << typed << "\" should stay text";
}

TEST(ReadCellEntry, NumbersWithBlanksSignsAndExponents) {
  ExpectNumber("12", 12);
  ExpectNumber("  12  ", 12);
  ExpectNumber("-1.5", -1.5);
  ExpectNumber("+7", 7);
  ExpectNumber(".5", 0.5);
  ExpectNumber("007", 7);
  ExpectNumber("1E5", 100000);
  ExpectNumber("1.5e-3", 0.0015);
}

TEST(ReadCellEntry, PercentagesCurrencyAndParentheses) {
  ExpectNumber("12%", 0.12);
  ExpectNumber("-2.5%", -0.025);
  ExpectNumber("$5", 5);
  ExpectNumber("-$5", -5);
  ExpectNumber("$1,234.50", 1234.5);
  ExpectNumber("(5)", -5);
  ExpectNumber("($1,000)", -1000);
  ExpectText("$5%");
  ExpectText("(5");
}

TEST(ReadCellEntry, ThousandsSeparatorsOnlyInGroupsOfThree) {
  ExpectNumber("1,234", 1234);
  ExpectNumber("1,234,567.89", 1234567.89);
  ExpectText("1,23");
  ExpectText("1234,567");
  ExpectText("12,");
  ExpectText("1.234,5");
}

TEST(ReadCellEntry, MixedFractions) {
  ExpectNumber("1 1/2", 1.5);
  ExpectNumber("0 3/4", 0.75);
  ExpectNumber("-2 1/4", -2.25);
  ExpectText("1 1/0");
}

TEST(ReadCellEntry, KeepsFifteenSignificantDigits) {
  ExpectNumber("12345678901234567", 12345678901234500);
  ExpectNumber("0.1234567890123456789", 0.123456789012345);
  ExpectText("1E+309");
  ExpectText("-1E+308");
}

TEST(ReadCellEntry, LogicalValuesInAnyCase) {
  EXPECT_EQ(ReadCellEntry("TRUE"), Variant(true));
  EXPECT_EQ(ReadCellEntry("false"), Variant(false));
  EXPECT_EQ(ReadCellEntry(" True "), Variant(true));
  ExpectText("yes");
  ExpectText("truth");
}

TEST(ReadCellEntry, ErrorValuesByTheirSpelling) {
  EXPECT_EQ(ReadCellEntry("#NULL!"), Variant(ErrorValue{xlErrNull}));
  EXPECT_EQ(ReadCellEntry("#DIV/0!"), Variant(ErrorValue{xlErrDiv0}));
  EXPECT_EQ(ReadCellEntry("#VALUE!"), Variant(ErrorValue{xlErrValue}));
  EXPECT_EQ(ReadCellEntry("#REF!"), Variant(ErrorValue{xlErrRef}));
  EXPECT_EQ(ReadCellEntry("#NAME?"), Variant(ErrorValue{xlErrName}));
  EXPECT_EQ(ReadCellEntry("#NUM!"), Variant(ErrorValue{xlErrNum}));
  EXPECT_EQ(ReadCellEntry("#n/a"), Variant(ErrorValue{xlErrNA}));
  ExpectText("#N/A!");
  ExpectText("#VALUE");
}

TEST(ReadCellEntry, DatesInUnitedStatesOrder) {
  const double june15 = DateFromCivil(1980, 6, 15).serial;
  ExpectDate("6/15/1980", june15);
  ExpectDate("6-15-80", june15);
  ExpectDate("1980-06-15", june15);
  ExpectDate("15-Jun-1980", june15);
  ExpectDate("June 15, 1980", june15);
  ExpectDate("Jun-80", DateFromCivil(1980, 6, 1).serial);
  ExpectDate("1/32", DateFromCivil(1932, 1, 1).serial);
  ExpectDate("6/15", DateFromCivil(ThisYear(), 6, 15).serial);
  ExpectDate("6/15/1980 14:30", june15 + 14.5 / 24);
  ExpectText("15/6/1980");
  ExpectText("6 15 1980");
  ExpectText("Monday, June 15, 1980");
  ExpectText("2/30/2009");
}

TEST(ReadCellEntry, DatesStartIn1900WithItsPhantomLeapDay) {
  ExpectDate("1/1/1900", DateFromCivil(1900, 1, 1).serial);
  ExpectDate("2/28/1900", DateFromCivil(1900, 2, 28).serial);
  ExpectDate("3/1/1900", DateFromCivil(1900, 3, 1).serial);
  ExpectNumber("2/29/1900", 60);
  ExpectText("12/31/1899");
  ExpectText("1/1/100");
}

TEST(ReadCellEntry, TimesIncludingElapsedHours) {
  ExpectDate("12:30", 12.5 / 24);
  ExpectDate("2:30 PM", 14.5 / 24);
  ExpectDate("9:00 a", 9.0 / 24);
  ExpectDate("25:00", DateFromCivil(1900, 1, 1).serial + 1.0 / 24);
  ExpectText("12:60");
  ExpectText("6/15/1980 25:00");
}

TEST(ReadCellEntry, AnApostropheKeepsTheRestAsText) {
  EXPECT_EQ(ReadCellEntry("'12"), Variant("12"));
  EXPECT_EQ(ReadCellEntry("'TRUE"), Variant("TRUE"));
  EXPECT_EQ(ReadCellEntry("'"), Variant(""));
  EXPECT_EQ(ReadCellEntry("''x"), Variant("'x"));
}

TEST(ReadCellEntry, NothingTypedLeavesTheCellEmpty) { EXPECT_TRUE(ReadCellEntry("").IsEmpty()); }

TEST(ReadCellEntry, OtherTextIsKeptAsTyped) {
  ExpectText("   ");
  ExpectText(" hello ");
  ExpectText("\t12");
  ExpectText("12\t");
  ExpectText(
      "\xC2\xA0"
      "12");
  ExpectText("&H10");
  ExpectText("5-");
  ExpectText("1e");
  ExpectText("-");
  ExpectText("$");
  ExpectText("abc");
}

}  // namespace
}  // namespace tabulara::host
