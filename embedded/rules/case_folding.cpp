#include "embedded/rules/case_folding.h"

#include "embedded/rules/unicode_facts.h"
#include "embedded/rules/utf8.h"

namespace tabulara::embedded {

std::string CaseFolded(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = at;
    bool wellFormed = false;
    const char32_t point = NextCodePoint(text, at, &wellFormed);
    if (wellFormed) {
      AppendUtf8(folded, unicode::SimpleCaseFolding(point));
    } else {
      folded.append(text.substr(start, at - start));
    }
  }
  return folded;
}

}  // namespace tabulara::embedded
