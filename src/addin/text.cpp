#include "addin/text.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// The length in bytes of the UTF-8 character that starts the text.
std::size_t FirstCharacterLength(std::string_view text) {
  std::size_t length = 1;
  while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
  return length;
}

}  // namespace

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string CapitalizeText(const std::string& text) {
  try {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) return "";
    auto& platform = platform::Current();
    const std::size_t first = FirstCharacterLength(trimmed);
    return platform.UpperCase(trimmed.substr(0, first)) + platform.LowerCase(trimmed.substr(first));
  } catch (const std::exception&) {
    return text;
  }
}

void SortTexts(std::vector<std::string>& items, bool caseSensitive) {
  auto& platform = platform::Current();
  auto compare = [&](const std::string& left, const std::string& right) {
    if (caseSensitive) return left.compare(right);
    return platform.CompareTextNoCase(left, right);
  };
  // The exchange sort's result is the one ascending order when no two texts
  // compare equal: any sort finds it. Texts that compare equal end where the
  // sequence of exchanges puts them, so then the exchanges are made.
  std::vector<std::string> sorted = items;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const std::string& left, const std::string& right) { return compare(left, right) < 0; });
  const bool distinct = std::adjacent_find(sorted.begin(), sorted.end(), [&](const std::string& left, const std::string& right) {
                          return compare(left, right) >= 0;
                        }) == sorted.end();
  if (distinct) {
    items = std::move(sorted);
    return;
  }
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      if (compare(items[i], items[j]) > 0) std::swap(items[i], items[j]);
    }
  }
}

}  // namespace tabulara::addin
