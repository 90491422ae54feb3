#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "embedded/rules/unicode_facts.h"
#include "embedded/rules/utf8.h"

namespace tabulara::embedded::unicode {
namespace {

struct Facts {
  char32_t point;
  char32_t folding;
  bool decimalDigit;
  bool letterOrNumber;
  bool pictographic;
};

// Characters at the edges of the runs the Windows build's table holds, and
// foldings of every kind: to lower case, within lower case, to upper case
// (Cherokee), outside the basic plane.
TEST(UnicodeFacts, TheFactsOfCharactersAtTheEdgesOfTheirRanges) {
  for (const Facts& facts : std::vector<Facts>{
           {U'\0', U'\0', false, false, false},
           {U'/', U'/', false, false, false},
           {U'0', U'0', true, true, false},
           {U'9', U'9', true, true, false},
           {U':', U':', false, false, false},
           {U'@', U'@', false, false, false},
           {U'A', U'a', false, true, false},
           {U'Z', U'z', false, true, false},
           {U'[', U'[', false, false, false},
           {U'\u00a9', U'\u00a9', false, false, true},
           {U'\u00b2', U'\u00b2', false, true, false},
           {U'\u00c4', U'\u00e4', false, true, false},
           {U'\u00df', U'\u00df', false, true, false},
           {U'\u1e9e', U'\u00df', false, true, false},
           {U'\u03a3', U'\u03c3', false, true, false},
           {U'\u03c2', U'\u03c3', false, true, false},
           {U'\u212a', U'k', false, true, false},
           {U'\u13f8', U'\u13f0', false, true, false},
           {U'\u0663', U'\u0663', true, true, false},
           {U'\uff13', U'\uff13', true, true, false},
           {U'\u4e00', U'\u4e00', false, true, false},
           {U'\ufffd', U'\ufffd', false, false, false},
           {U'\U00010400', U'\U00010428', false, true, false},
           {U'\U0001d7ce', U'\U0001d7ce', true, true, false},
           {U'\U0001f600', U'\U0001f600', false, false, true},
           {U'\U0010ffff', U'\U0010ffff', false, false, false},
       }) {
    SCOPED_TRACE(static_cast<unsigned>(facts.point));
    EXPECT_EQ(SimpleCaseFolding(facts.point), facts.folding);
    EXPECT_EQ(IsDecimalDigit(facts.point), facts.decimalDigit);
    EXPECT_EQ(IsLetterOrNumber(facts.point), facts.letterOrNumber);
    EXPECT_EQ(IsExtendedPictographic(facts.point), facts.pictographic);
  }
}

}  // namespace
}  // namespace tabulara::embedded::unicode

namespace tabulara::embedded {
namespace {

// Code points at the edges of each UTF-8 lead byte's range, written and
// read back; the compiler's own encoding of the same character is the
// reference.
TEST(Utf8, CodePointsAtTheEdgesOfEveryLeadByteAreWrittenAndReadBack) {
  const std::vector<std::pair<char32_t, std::u8string_view>> cases = {
      {U'\u007f', u8"\u007f"},         {U'\u0080', u8"\u0080"},         {U'\u07c0', u8"\u07c0"},
      {U'\u07ff', u8"\u07ff"},         {U'\u0800', u8"\u0800"},         {U'\u0fff', u8"\u0fff"},
      {U'\u1000', u8"\u1000"},         {U'\U00010040', u8"\U00010040"},
      {U'\ud7ff', u8"\ud7ff"},         {U'\ue000', u8"\ue000"},         {U'\uffff', u8"\uffff"},
      {U'\U00010000', u8"\U00010000"}, {U'\U0003ffff', u8"\U0003ffff"}, {U'\U00040000', u8"\U00040000"},
      {U'\U000fffff', u8"\U000fffff"}, {U'\U00100000', u8"\U00100000"}, {U'\U0010ffff', u8"\U0010ffff"},
  };
  for (const auto& [point, encoded] : cases) {
    SCOPED_TRACE(static_cast<unsigned>(point));
    const std::string expected(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    std::string written;
    AppendUtf8(written, point);
    EXPECT_EQ(written, expected);
    std::size_t at = 0;
    bool wellFormed = false;
    EXPECT_EQ(NextCodePoint(expected, at, &wellFormed), point);
    EXPECT_EQ(at, expected.size());
    EXPECT_TRUE(wellFormed);
  }
}

}  // namespace
}  // namespace tabulara::embedded
