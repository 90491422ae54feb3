#include <gtest/gtest.h>

#include <vector>

#include "embedded/rules/unicode_facts.h"

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
