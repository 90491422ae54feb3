#pragma once

#include <cstdint>
#include <span>

namespace tabulara::embedded::unicode {

// The Unicode facts as tables, written by tools/unicode_table from ICU.

// Every code point whose simple case folding is another, by `from`.
struct CaseFolding {
  char32_t from;
  char32_t to;
};

enum Property : std::uint8_t { kDecimalDigit = 1, kLetterOrNumber = 2, kExtendedPictographic = 4 };

// The code points first to last share their properties; code points in no
// run have none. Runs are in order and do not overlap.
struct PropertyRun {
  char32_t first;
  char32_t last;
  std::uint8_t properties;
};

extern const std::span<const CaseFolding> kCaseFoldings;
extern const std::span<const PropertyRun> kPropertyRuns;

}  // namespace tabulara::embedded::unicode
