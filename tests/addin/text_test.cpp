#include "addin/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/posix_platform.h"
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
  EXPECT_EQ(CapitalizeText("  q1 DATA "), "Q1 data");
  EXPECT_EQ(CapitalizeText("x"), "X");
  EXPECT_EQ(CapitalizeText("   "), "");
  EXPECT_EQ(CapitalizeText("éTÉ"), "Été");
  EXPECT_EQ(CapitalizeText("\tTAB"), "\ttab");
}

// Texts that compare equal end where an exchange sort puts them.
TEST(SortTexts, ComparesWithoutCaseByThePlatformOrByCharacterCodesAndKeepsTheExchangeSortsTies) {
  struct Case {
    std::vector<std::string> texts;
    bool caseSensitive;
    std::vector<std::string> sorted;
  };
  testing::TestPlatform platform;
  const Case cases[] = {
      {{"b", "A", "c", "Sheet2", "Sheet10", "Sheet1"}, false, {"A", "b", "c", "Sheet1", "Sheet10", "Sheet2"}},
      {{"b", "A", "a", "B"}, true, {"A", "B", "a", "b"}},
      {{"b", "B", "a"}, false, {"a", "B", "b"}},
      {{"x", "X", "a", "A", "m", "x"}, false, {"a", "A", "m", "X", "x", "x"}},
      {{"A", "a", "c", "b"}, false, {"A", "a", "b", "c"}},
  };
  for (const Case& row : cases) {
    std::vector<std::string> texts = row.texts;
    SortTexts(texts, row.caseSensitive);
    EXPECT_EQ(texts, row.sorted);
  }
}

// The POSIX platform, its case-insensitive comparisons counted.
class CountingPlatform final : public platform::posix::PosixPlatform {
 public:
  CountingPlatform() : PosixPlatform(platform::posix::PosixOptions{}) {}
  int CompareTextNoCase(const std::string& left, const std::string& right) override {
    ++comparisons;
    return PosixPlatform::CompareTextNoCase(left, right);
  }
  std::int64_t comparisons = 0;
};

TEST(SortTexts, SortsManyDistinctTextsInFewComparisons) {
  const auto platform = std::make_shared<CountingPlatform>();
  platform::Install(platform);
  std::vector<std::string> many;
  for (int i = 0; i < 2000; ++i) many.push_back((i % 3 == 0 ? "sheet" : "Sheet") + std::to_string(i * 7919 % 2000));
  std::vector<std::string> expected = many;
  std::sort(expected.begin(), expected.end(),
            [&](const auto& left, const auto& right) { return platform->CompareTextNoCase(left, right) < 0; });
  platform->comparisons = 0;
  SortTexts(many, false);
  EXPECT_EQ(many, expected);
  EXPECT_LT(platform->comparisons, 100000);
  platform::Install(nullptr);
}

}  // namespace
}  // namespace tabulara::addin
