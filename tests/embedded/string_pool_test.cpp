#include "embedded/model/string_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabulara::embedded::model {
namespace {

// Enough texts to make the pool grow many times; some differ only in case,
// blanks or length, and the empty text is one of them.
std::vector<std::string> ManyTexts() {
  std::vector<std::string> texts = {"", " ", "a", "A", "a ", "item 1", "Item 1", std::string(40, 'x')};
  for (int i = 0; i < 5000; ++i) texts.push_back("text " + std::to_string(i));
  return texts;
}

TEST(StringPool, KeepsEachTextOnceUnderOneIdForGood) {
  const std::vector<std::string> texts = ManyTexts();
  StringPool pool;
  std::vector<std::uint32_t> ids;
  for (const std::string& text : texts) ids.push_back(pool.Intern(text));
  ASSERT_EQ(pool.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(ids[i], i) << "ids are given in order";
    EXPECT_EQ(pool.Text(ids[i]), texts[i]);
    EXPECT_EQ(pool.Intern(texts[i]), ids[i]) << texts[i];
  }
  EXPECT_EQ(pool.size(), texts.size()) << "interning a text again adds nothing";
}

TEST(StringPool, ACopyKeepsTheIdsAndGrowsApart) {
  const std::vector<std::string> texts = ManyTexts();
  StringPool pool;
  for (const std::string& text : texts) pool.Intern(text);
  StringPool copy = pool;
  StringPool assigned;
  assigned.Intern("before");
  assigned = pool;
  for (StringPool* other : {&copy, &assigned}) {
    ASSERT_EQ(other->size(), texts.size());
    for (std::uint32_t id = 0; id < texts.size(); ++id) EXPECT_EQ(other->Intern(texts[id]), id);
  }
  EXPECT_EQ(copy.Intern("only in the copy"), texts.size());
  EXPECT_EQ(pool.Intern("only in the pool"), texts.size());
  EXPECT_EQ(copy.Text(static_cast<std::uint32_t>(texts.size())), "only in the copy");
  EXPECT_EQ(assigned.Intern("before"), texts.size()) << "assignment drops the texts held before";
}

}  // namespace
}  // namespace tabulara::embedded::model
