#include "platform/ini/names.h"

#include <algorithm>

namespace tabulara::platform::ini {

namespace {

char16_t FoldAsciiCase(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

bool IsBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == u' '; }

std::u16string_view TrimLeading(std::u16string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::u16string_view TrimTrailing(std::u16string_view text) {
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank);
  return text.substr(0, static_cast<std::size_t>(text.rend() - last));
}

std::u16string_view Trim(std::u16string_view text) { return TrimTrailing(TrimLeading(text)); }

bool SameName(std::u16string_view left, std::u16string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [](char16_t a, char16_t b) { return FoldAsciiCase(a) == FoldAsciiCase(b); });
}

}  // namespace tabulara::platform::ini
