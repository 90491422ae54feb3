#include "addin/text.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace tabulara::addin {
namespace {

TEST(TrimBlanks, RemovesOnlySpaces) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(CapitalizeText, CapitalizesTheWholeTextNotEachWord) {
  testing::TestPlatform platform;
  EXPECT_EQ(CapitalizeText("SALES REPORT"), "Sales report");
  EXPECT_EQ(CapitalizeText("  q1 DATA "), "Q1 data");
  EXPECT_EQ(CapitalizeText("x"), "X");
  EXPECT_EQ(CapitalizeText("   "), "");
  EXPECT_EQ(CapitalizeText("éTÉ"), "Été");
  EXPECT_EQ(CapitalizeText("\tTAB"), "\ttab");
}

TEST(SortTexts, CaseInsensitiveByThePlatformsComparison) {
  testing::TestPlatform platform;
  std::vector<std::string> names = {"b", "A", "c", "Sheet2", "Sheet10", "Sheet1"};
  SortTexts(names, false);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c", "Sheet1", "Sheet10", "Sheet2"}));
}

TEST(SortTexts, CaseSensitiveByCharacterCodes) {
  testing::TestPlatform platform;
  std::vector<std::string> names = {"b", "A", "a", "B"};
  SortTexts(names, true);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "a", "b"}));
}

TEST(SortTexts, TheExchangeSequenceDecidesTheOrderOfEqualTexts) {
  testing::TestPlatform platform;
  std::vector<std::string> names = {"b", "B", "a"};
  SortTexts(names, false);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "B", "b"}));
}

}  // namespace
}  // namespace tabulara::addin
