#include "platform/ini/parse.h"

#include <string>

#include "platform/ini/code_page.h"
#include "platform/ini/names.h"

namespace tabulara::platform::ini {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
  }
  return units;
}

// The text of the file, decoded after its byte order mark.
std::u16string Decode(std::string_view bytes, Encoding& encoding) {
  if (bytes.starts_with(kUtf8Mark)) {
    encoding = Encoding::Utf8;
    return AnsiToWide(bytes.substr(kUtf8Mark.size()));
  }
  if (bytes.starts_with(kUtf16LittleEndianMark)) {
    encoding = Encoding::Utf16LittleEndian;
    return Utf16Units(bytes.substr(kUtf16LittleEndianMark.size()), false);
  }
  if (bytes.starts_with(kUtf16BigEndianMark)) {
    encoding = Encoding::Utf16BigEndian;
    return Utf16Units(bytes.substr(kUtf16BigEndianMark.size()), true);
  }
  encoding = Encoding::Ansi;
  return AnsiToWide(bytes);
}

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// A line that starts with "[" and holds a "]" names a section: what stands
// between the "[" and the last "]".
bool ReadSectionHeader(std::u16string_view line, Document& document) {
  const auto close = line.rfind(u']');
  if (!line.starts_with(u'[') || close == std::u16string_view::npos) return false;
  document.sections.push_back(Section{std::u16string(Trim(line.substr(1, close - 1))), {}});
  return true;
}

// Any other line is an entry: a key, an equals sign and a value, or a line
// without an equals sign. An entry without a name is dropped when the entry
// before it in the same section has none either.
void ReadEntry(std::u16string_view line, Section& section) {
  Entry entry;
  if (const auto equals = line.find(u'='); equals != std::u16string_view::npos) {
    entry.name = TrimTrailing(line.substr(0, equals));
    entry.value = std::u16string(TrimLeading(line.substr(equals + 1)));
  } else {
    entry.name = line;
  }
  if (entry.name.empty() && !section.entries.empty() && section.entries.back().name.empty()) return;
  section.entries.push_back(std::move(entry));
}

}  // namespace

Document Parse(std::string_view bytes) {
  Document document;
  const std::u16string text = Decode(bytes, document.encoding);
  const std::u16string_view rest(text);
  std::size_t at = 0;
  while (at < rest.size()) {
    const std::size_t start = at;
    while (at < rest.size() && !IsLineBreak(rest[at])) ++at;
    const std::u16string_view line = Trim(rest.substr(start, at - start));
    while (at < rest.size() && IsLineBreak(rest[at])) ++at;
    if (line.empty() || ReadSectionHeader(line, document)) continue;
    ReadEntry(line, document.sections.back());
  }
  return document;
}

}  // namespace tabulara::platform::ini
