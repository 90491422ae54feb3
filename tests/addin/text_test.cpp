#include "addin/text.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(CapitalizeText("SALES REPORT"), "Sales report");
  EXPECT_EQ(CapitalizeText("  q1 DATA "), "Q1 data");
  EXPECT_EQ(CapitalizeText("x"), "X");
  EXPECT_EQ(CapitalizeText("   "), "");
  EXPECT_EQ(CapitalizeText("éTÉ"), "Été");
  EXPECT_EQ(CapitalizeText("\tTAB"), "\ttab");
}

// The POSIX platform, its case-insensitive comparisons counted.
class CountingPlatform final : public platform::posix::PosixPlatform {
 public:
  CountingPlatform() : PosixPlatform(Options()) {}
  int CompareTextNoCase(const std::string& left, const std::string& right) override {
    ++comparisons;
    return PosixPlatform::CompareTextNoCase(left, right);
  }
  std::int64_t comparisons = 0;

 private:
  static platform::posix::PosixOptions Options() {
    platform::posix::PosixOptions options;
    options.locale = "en_US.UTF-8";
    return options;
  }
};

// The exchange sort that defines the result, comparison by comparison.
std::vector<std::string> ExchangeSorted(std::vector<std::string> items, bool caseSensitive) {
  auto& platform = platform::Current();
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      const bool greater = caseSensitive ? items[i] > items[j] : platform.CompareTextNoCase(items[i], items[j]) > 0;
      if (greater) std::swap(items[i], items[j]);
    }
  }
  return items;
}

TEST(SortTexts, GivesTheExchangeSortsOrderInFewComparisons) {
  const auto platform = std::make_shared<CountingPlatform>();
  platform::Install(platform);
  std::vector<std::string> many;
  for (int i = 0; i < 2000; ++i) many.push_back((i % 3 == 0 ? "sheet" : "Sheet") + std::to_string(i * 7919 % 2000));
  std::vector<std::string> manyTied = many;
  manyTied.insert(manyTied.begin() + 1000, {"SHEET17", "sheet17"});
  const std::vector<std::vector<std::string>> inputs = {
      {},     {"only"}, {"b", "A", "c", "Sheet2", "Sheet10", "Sheet1"}, {"b", "B", "a"}, {"x", "X", "a", "A", "m", "x"},
      many, manyTied};
  for (const auto& input : inputs) {
    for (const bool caseSensitive : {false, true}) {
      SCOPED_TRACE(std::to_string(input.size()) + (caseSensitive ? " texts, case-sensitive" : " texts"));
      const std::vector<std::string> expected = ExchangeSorted(input, caseSensitive);
      std::vector<std::string> sorted = input;
      platform->comparisons = 0;
      SortTexts(sorted, caseSensitive);
      EXPECT_EQ(sorted, expected);
      if (input == many && !caseSensitive) {
        EXPECT_LT(platform->comparisons, 100000);
      }
    }
  }
  platform::Install(nullptr);
}

}  // namespace
}  // namespace tabulara::addin
