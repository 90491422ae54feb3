#include "platform/ini/serialize.h"

#include "platform/ini/code_page.h"

namespace tabulara::platform::ini {

namespace {

std::u16string Text(const Document& document) {
  std::u16string text;
  for (const Section& section : document.sections) {
    if (!section.name.empty()) text += u'[' + section.name + u"]\r\n";
    for (const Entry& entry : section.entries) {
      text += entry.name;
      if (entry.value) text += u'=' + *entry.value;
      text += u"\r\n";
    }
  }
  return text;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace

std::string Serialize(const Document& document) {
  const std::u16string text = Text(document);
  switch (document.encoding) {
    case Encoding::Utf8:
      return "\xEF\xBB\xBF" + WideToAnsi(text);
    case Encoding::Utf16LittleEndian:
      return Utf16Bytes(text, false);
    case Encoding::Utf16BigEndian:
      return Utf16Bytes(text, true);
    case Encoding::Ansi:
      break;
  }
  return WideToAnsi(text);
}

}  // namespace tabulara::platform::ini
