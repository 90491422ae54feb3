#include <algorithm>

#include "embedded/rules/unicode_facts.h"
#include "embedded/rules/unicode_table.h"

namespace tabulara::embedded::unicode {
namespace {

bool Has(char32_t point, Property property) {
  const auto run = std::ranges::lower_bound(kPropertyRuns, point, {}, &PropertyRun::last);
  return run != kPropertyRuns.end() && run->first <= point && (run->properties & property) != 0;
}

}  // namespace

char32_t SimpleCaseFolding(char32_t point) {
  const auto folding = std::ranges::lower_bound(kCaseFoldings, point, {}, &CaseFolding::from);
  return folding != kCaseFoldings.end() && folding->from == point ? folding->to : point;
}

bool IsDecimalDigit(char32_t point) { return Has(point, kDecimalDigit); }

bool IsLetterOrNumber(char32_t point) { return Has(point, kLetterOrNumber); }

bool IsExtendedPictographic(char32_t point) { return Has(point, kExtendedPictographic); }

}  // namespace tabulara::embedded::unicode
