#include "host/exact_decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <string>

namespace tabulara::host {
namespace {

std::optional<double> FromChars(std::string_view text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

// Whatever a plain decimal reads as, from_chars reads too, sign of zero
// included; texts it leaves are left for from_chars to read.
void ExpectReadAsFromChars(const std::string& text) {
  const std::optional<double> plain = ReadPlainDecimal(text);
  if (!plain) return;
  const std::optional<double> expected = FromChars(text);
  ASSERT_TRUE(expected.has_value()) << text;
  EXPECT_EQ(*plain, *expected) << text;
  EXPECT_EQ(std::signbit(*plain), std::signbit(*expected)) << text;
}

TEST(ReadPlainDecimal, ReadsWhatFromCharsReadsToTheSameDouble) {
  std::mt19937_64 random(20261206);
  int read = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 24);
    const int zeros = static_cast<int>(random() % 4);
    text.append(zeros, '0');
    for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
    if (random() % 4 != 0) text.insert(text.size() - random() % (digits + 1), ".");
    ExpectReadAsFromChars(text);
    read += ReadPlainDecimal(text) ? 1 : 0;
  }
  EXPECT_GT(read, 30000) << "most short decimals take the exact path";
}

TEST(ReadPlainDecimal, TakesOnlyPlainDecimalsWhoseDigitsADoubleHolds) {
  const std::pair<const char*, double> read[] = {{"0", 0},
                                                 {"-0", -0.0},
                                                 {"1234567890123456", 1234567890123456.0},
                                                 {"007", 7},
                                                 {"1.", 1},
                                                 {".5", 0.5},
                                                 {"-.25", -0.25},
                                                 {"3512.81", 3512.81},
                                                 {"0.1", 0.1},
                                                 {"9450.29", 9450.29},
                                                 {"123456789012345", 123456789012345.0},
                                                 {"0.0000000000123", 1.23e-11},
                                                 {"1.500000000000000", 1.5},
                                                 {"9007199254740.992", 9007199254740.992},
                                                 {"0000000000000000001", 1}};
  for (const auto& [text, value] : read) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(ReadPlainDecimal(text).has_value());
    EXPECT_EQ(*ReadPlainDecimal(text), value);
    ExpectReadAsFromChars(text);
  }
  for (const char* text :
       {"", "-", ".", "-.", "1.2.3", "1e5", "+1", "--1", "1-", " 1", "0x10", "inf", "nan", "9007199254740993",
        "0.9007199254740993", "12:30", "1/2", "000000000000000000001", "0.00000000000000000000001", "1,5"}) {
    EXPECT_FALSE(ReadPlainDecimal(text).has_value()) << text;
  }
}

TEST(ExactDecimal, ScalesUpAndDownOnlyWithinTheExactPowers) {
  EXPECT_EQ(ExactDecimal("15", -1), 1.5);
  EXPECT_EQ(ExactDecimal("1500", -22), 1.5e-19);
  EXPECT_EQ(ExactDecimal("12", 22), 1.2e23);
  EXPECT_EQ(ExactDecimal("999999999999999", 0), 999999999999999.0);
  EXPECT_FALSE(ExactDecimal("1", 23));
  EXPECT_FALSE(ExactDecimal("1", -23));
  EXPECT_FALSE(ExactDecimal("1234567890123456", 0));
}

}  // namespace
}  // namespace tabulara::host
