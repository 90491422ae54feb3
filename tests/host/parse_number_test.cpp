#include <gtest/gtest.h>

#include "host/conversions.h"

namespace tabulara::host {
namespace {

void ExpectNumber(std::string_view text, double expected) {
  const std::optional<double> number = ParseNumber(text);
  ASSERT_TRUE(number.has_value()) << "\"" << text << "\" should read as a number";
  EXPECT_DOUBLE_EQ(*number, expected) << "\"" << text << "\"";
}

void ExpectNoNumber(std::string_view text) {
  EXPECT_FALSE(ParseNumber(text).has_value()) << "\"" << text << "\" should not read as a number";
}

TEST(ParseNumber, ReadsSignsDecimalsAndExponents) {
  ExpectNumber("12", 12);
  ExpectNumber("+12", 12);
  ExpectNumber("-12", -12);
  ExpectNumber(".5", 0.5);
  ExpectNumber("5.", 5);
  ExpectNumber("-.5", -0.5);
  ExpectNumber("1.5e3", 1500);
  ExpectNumber("1.5E+3", 1500);
  ExpectNumber("25E-1", 2.5);
  ExpectNumber("0.1", 0.1);
}

TEST(ParseNumber, AllowsBlanksAroundTheNumberAndAfterTheSign) {
  ExpectNumber(" 12 ", 12);
  ExpectNumber("\t12", 12);
  ExpectNumber("12\r\n", 12);
  ExpectNumber("- 5", -5);
}

TEST(ParseNumber, SkipsThousandsSeparatorsInTheWholePart) {
  ExpectNumber("1,234", 1234);
  ExpectNumber("1,234.5", 1234.5);
  ExpectNumber("1,23", 123);
  ExpectNumber("12,", 12);
  ExpectNoNumber(",12");
  ExpectNoNumber("1.2,3");
}

TEST(ParseNumber, ReadsCurrencyParenthesesAndTrailingSigns) {
  ExpectNumber("$5", 5);
  ExpectNumber("-$5", -5);
  ExpectNumber("(5)", -5);
  ExpectNumber("($1,000)", -1000);
  ExpectNumber("5-", -5);
  ExpectNoNumber("(5");
  ExpectNoNumber("5)");
  ExpectNoNumber("(-5)");
  ExpectNoNumber("++3");
  ExpectNoNumber("-5-");
}

TEST(ParseNumber, ReadsHexadecimalAndOctalDigits) {
  ExpectNumber("&H10", 16);
  ExpectNumber("&h1F", 31);
  ExpectNumber("&HFFFF", 65535);
  ExpectNumber("&HFFFFFFFF", -1);
  ExpectNumber("&O17", 15);
  ExpectNoNumber("&H");
  ExpectNoNumber("&HG1");
  ExpectNoNumber("&H100000000");
  ExpectNoNumber("&O8");
  ExpectNoNumber("0x10");
}

TEST(ParseNumber, RejectsEverythingElse) {
  ExpectNoNumber("");
  ExpectNoNumber(" ");
  ExpectNoNumber("abc");
  ExpectNoNumber("12a");
  ExpectNoNumber("1.2.3");
  ExpectNoNumber("1 000");
  ExpectNoNumber("12 34");
  ExpectNoNumber("1e");
  ExpectNoNumber("1d2");
  ExpectNoNumber("5%");
  ExpectNoNumber("TRUE");
  ExpectNoNumber(".");
}

TEST(ParseNumber, OutOfRangeIsNoNumberAndTinyReadsAsZero) {
  ExpectNoNumber("1e400");
  ExpectNumber("1E-400", 0);
  ExpectNumber("1.7976931348623157e308", 1.7976931348623157e308);
}

}  // namespace
}  // namespace tabulara::host
