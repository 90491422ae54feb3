#include <algorithm>

#include "platform/ini/code_page.h"
#include "platform/ini/document.h"
#include "platform/ini/profile.h"
#include "platform/ini/profile_file.h"

namespace tabulara::platform::ini {

namespace {

// The default loses its trailing spaces (spaces only, not other blanks); a
// default of spaces alone keeps one.
std::u16string TrimDefault(std::u16string text) {
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == u' ') --end;
  text.resize(end);
  return text;
}

// The text that a buffer of `units` UTF-16 units receives, the last unit
// kept for the terminating NUL. A text of two or more characters that begins
// and ends with the same quote (" or ') is copied without its opening quote;
// when the buffer holds at least the rest of the text, the last character
// copied is then dropped as the closing quote. So a buffer of exactly that
// size loses the last character of the text and keeps the quote out anyway.
std::u16string CopyEntry(std::u16string_view value, std::size_t units) {
  const bool quoted =
      value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::u16string copy(value.substr(0, units - 1));
  if (quoted && units >= value.size() && !copy.empty()) copy.pop_back();
  return copy;
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file) {
  std::string buffer(size, '\0');
  if (size == 0) return buffer;
  const std::u16string fallback = TrimDefault(AnsiToWide(defaultValue));
  std::u16string text;
  if (const auto document = ReadProfile(file)) {
    const std::u16string* value = FindValue(*document, AnsiToWide(section), AnsiToWide(key));
    text = CopyEntry(value ? *value : fallback, size);
  } else {
    // A file that cannot be opened gives the default without taking off quotes.
    text = fallback.substr(0, size - 1);
  }
  const std::string narrow = WideToAnsiWithin(text, size - 1);
  std::copy(narrow.begin(), narrow.end(), buffer.begin());
  return buffer;
}

std::optional<std::string> LookUp(const std::string& section, const std::string& key, const std::string& file) {
  const auto document = ReadProfile(file);
  if (!document) return std::nullopt;
  const std::u16string* value = FindValue(*document, AnsiToWide(section), AnsiToWide(key));
  if (!value) return std::nullopt;
  return WideToAnsi(CopyEntry(*value, value->size() + 1));
}

}  // namespace tabulara::platform::ini
