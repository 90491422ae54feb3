#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "host/conversions.h"
#include "host/host_error.h"

namespace tabulara::host {
namespace {

void ExpectError(long number, const std::string& description, const std::function<void()>& call) {
  try {
    call();
    FAIL() << "expected error " << number;
  } catch (const HostError& error) {
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Description(), description);
  }
}

TEST(ToLogical, NumbersAreTrueUnlessZero) {
  EXPECT_TRUE(ToLogical(Variant(1)));
  EXPECT_TRUE(ToLogical(Variant(-1)));
  EXPECT_TRUE(ToLogical(Variant(0.5)));
  EXPECT_FALSE(ToLogical(Variant(0)));
  EXPECT_FALSE(ToLogical(Variant()));
  EXPECT_TRUE(ToLogical(Variant(true)));
  EXPECT_FALSE(ToLogical(Variant(false)));
  EXPECT_TRUE(ToLogical(Variant(Date{1})));
}

TEST(ToLogical, ReadsTheWordsInAnyCaseAndNumbersInText) {
  EXPECT_TRUE(ToLogical(Variant("True")));
  EXPECT_TRUE(ToLogical(Variant("TRUE")));
  EXPECT_FALSE(ToLogical(Variant("fAlSe")));
  EXPECT_TRUE(ToLogical(Variant("1")));
  EXPECT_TRUE(ToLogical(Variant("-1")));
  EXPECT_TRUE(ToLogical(Variant("2.5")));
  EXPECT_FALSE(ToLogical(Variant("0")));
  EXPECT_FALSE(ToLogical(Variant("0.0")));
  EXPECT_FALSE(ToLogical(Variant("&H0")));
}

TEST(ToLogical, AnythingElseIsATypeMismatch) {
  for (const char* text : {"", "yes", "abc", " true ", "6/15/1980"}) {
    ExpectError(kErrTypeMismatch, "Type mismatch", [&] { ToLogical(Variant(text)); });
  }
  ExpectError(kErrTypeMismatch, "Type mismatch", [] { ToLogical(Variant(ErrorValue{2015})); });
  ExpectError(kErrTypeMismatch, "Type mismatch", [] { ToLogical(Variant(Ref<Object>(std::make_shared<Object>()))); });
}

TEST(ToInteger, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(ToInteger(Variant(0.5)), 0);
  EXPECT_EQ(ToInteger(Variant(1.5)), 2);
  EXPECT_EQ(ToInteger(Variant(2.5)), 2);
  EXPECT_EQ(ToInteger(Variant(-0.5)), 0);
  EXPECT_EQ(ToInteger(Variant(-1.5)), -2);
  EXPECT_EQ(ToInteger(Variant(2.4999999)), 2);
  EXPECT_EQ(ToInteger(Variant(3.5000001)), 4);
  EXPECT_EQ(ToInteger(Variant(-32768.5)), -32768);
  EXPECT_EQ(ToInteger(Variant(32766.5)), 32766);
}

TEST(ToInteger, ConvertsEveryKindOfValue) {
  EXPECT_EQ(ToInteger(Variant()), 0);
  EXPECT_EQ(ToInteger(Variant(true)), -1);
  EXPECT_EQ(ToInteger(Variant(false)), 0);
  EXPECT_EQ(ToInteger(Variant(Date{29387.75})), 29388);
  EXPECT_EQ(ToInteger(Variant("2.5")), 2);
  EXPECT_EQ(ToInteger(Variant(" 3.5 ")), 4);
  EXPECT_EQ(ToInteger(Variant("1e3")), 1000);
  EXPECT_EQ(ToInteger(Variant("&H7FFF")), 32767);
  EXPECT_EQ(ToInteger(Variant("&HFFFF")), -1);
}

TEST(ToInteger, OutOfRangeIsAnOverflow) {
  for (double number : {32767.5, 32768.0, -32769.0, -32768.6, 1e300}) {
    ExpectError(6, "Overflow", [&] { ToInteger(Variant(number)); });
  }
  ExpectError(6, "Overflow", [] { ToInteger(Variant("40000")); });
  ExpectError(6, "Overflow", [] { ToInteger(Variant("1e400")); });
  ExpectError(6, "Overflow", [] { ToInteger(Variant("&H10000")); });
}

TEST(ToInteger, TextThatIsNoNumberIsATypeMismatch) {
  for (const char* text : {"", "abc", "True", "6/15/1980"}) {
    ExpectError(kErrTypeMismatch, "Type mismatch", [&] { ToInteger(Variant(text)); });
  }
  ExpectError(kErrTypeMismatch, "Type mismatch", [] { ToInteger(Variant(ErrorValue{2042})); });
}

}  // namespace
}  // namespace tabulara::host
