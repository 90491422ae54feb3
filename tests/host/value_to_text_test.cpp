#include <gtest/gtest.h>

#include <memory>

#include "host/conversions.h"
#include "host/host_error.h"

namespace tabulara::host {
namespace {

TEST(NumberToText, WritesAtMostFifteenSignificantDigits) {
  EXPECT_EQ(NumberToText(0.1), "0.1");
  EXPECT_EQ(NumberToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberToText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(NumberToText(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(NumberToText(123.456), "123.456");
  EXPECT_EQ(NumberToText(12345678901234.5), "12345678901234.5");
  EXPECT_EQ(NumberToText(0.000123456789012345678), "0.000123456789012346");
}

TEST(NumberToText, WholeNumbersHaveNoDecimalPoint) {
  EXPECT_EQ(NumberToText(100), "100");
  EXPECT_EQ(NumberToText(-12), "-12");
  EXPECT_EQ(NumberToText(196608), "196608");
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(-0.0), "0");
}

TEST(NumberToText, SwitchesToExponentFormFromTheSixteenthDigitAndBelowTenThousandths) {
  EXPECT_EQ(NumberToText(100000000000000), "100000000000000");
  EXPECT_EQ(NumberToText(123456789012345), "123456789012345");
  EXPECT_EQ(NumberToText(1e15), "1E+15");
  EXPECT_EQ(NumberToText(1234567890123456), "1.23456789012346E+15");
  EXPECT_EQ(NumberToText(1e20), "1E+20");
  EXPECT_EQ(NumberToText(0.0001), "0.0001");
  EXPECT_EQ(NumberToText(0.00001), "1E-05");
  EXPECT_EQ(NumberToText(-0.00001), "-1E-05");
  EXPECT_EQ(NumberToText(1e-300), "1E-300");
  EXPECT_EQ(NumberToText(1.7976931348623157e308), "1.79769313486232E+308");
}

TEST(ToText, WritesEachKindOfValueAsTheHostDoes) {
  EXPECT_EQ(ToText(Variant()), "");
  EXPECT_EQ(ToText(Variant(" padded ")), " padded ");
  EXPECT_EQ(ToText(Variant(2.5)), "2.5");
  EXPECT_EQ(ToText(Variant(true)), "True");
  EXPECT_EQ(ToText(Variant(false)), "False");
  EXPECT_EQ(ToText(Variant(ErrorValue{2015})), "Error 2015");
  EXPECT_EQ(ToText(Variant(ErrorValue{2042})), "Error 2042");
}

TEST(ToText, WritesDatesMonthFirstWithTheTimeOnlyWhenThereIsOne) {
  EXPECT_EQ(ToText(Variant(Date{29387})), "6/15/1980");
  EXPECT_EQ(ToText(Variant(Date{29387.25})), "6/15/1980 6:00:00 AM");
  EXPECT_EQ(ToText(Variant(Date{29387 + 14.5 / 24})), "6/15/1980 2:30:00 PM");
  EXPECT_EQ(ToText(Variant(Date{61})), "3/1/1900");
  EXPECT_EQ(ToText(Variant(Date{60})), "2/28/1900");
  EXPECT_EQ(ToText(Variant(Date{1})), "12/31/1899");
  EXPECT_EQ(ToText(Variant(Date{-657434})), "1/1/100");
}

TEST(ToText, DayZeroShowsItsTimeOnly) {
  EXPECT_EQ(ToText(Variant(Date{0})), "12:00:00 AM");
  EXPECT_EQ(ToText(Variant(Date{0.5})), "12:00:00 PM");
  EXPECT_EQ(ToText(Variant(Date{0.5 + 45.0 / 86400})), "12:00:45 PM");
}

TEST(ToText, RoundsTheTimeToWholeSecondsCarryingIntoTheNextDay) {
  EXPECT_EQ(ToText(Variant(Date{29387.5000058})), "6/15/1980 12:00:01 PM");
  EXPECT_EQ(ToText(Variant(Date{29387.999999})), "6/16/1980 12:00:00 AM");
  EXPECT_EQ(ToText(Variant(Date{2958465.99999})), "12/31/9999 11:59:59 PM");
}

TEST(ToText, TimeOfADateBeforeTheEpochCountsForwardFromMidnight) {
  EXPECT_EQ(ToText(Variant(Date{-1.5})), "12/29/1899 12:00:00 PM");
  EXPECT_EQ(ToText(Variant(Date{-0.25})), "6:00:00 AM");
}

TEST(ToText, AnObjectIsATypeMismatch) {
  const Variant object(Ref<Object>(std::make_shared<Object>()));
  try {
    ToText(object);
    FAIL() << "expected a type mismatch";
  } catch (const HostError& error) {
    EXPECT_EQ(error.Number(), kErrTypeMismatch);
    EXPECT_EQ(error.Description(), "Type mismatch");
  }
}

}  // namespace
}  // namespace tabulara::host
