#include "platform/ini/code_page.h"

namespace tabulara::platform::ini {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// How many bytes follow a lead byte of 0x80 or above; 0 when it cannot lead.
int FollowingBytes(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// The payload of a continuation byte, or nothing when the byte is none.
bool Continuation(unsigned char byte, char32_t& payload) {
  payload = byte ^ 0x80u;
  return payload < 0x40;
}

// Decodes the sequence that starts with a byte of 0x80 or above at `at` and
// moves `at` past the bytes it uses.
char32_t DecodeSequence(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  const int following = FollowingBytes(lead);
  if (following == 0) return kReplacement;
  if (at + following > text.size()) {
    at = text.size();
    return kReplacement;
  }
  char32_t code = lead & (0x7Fu >> (following + 1));
  char32_t payload = 0;
  const auto next = [&] { return static_cast<unsigned char>(text[at]); };
  if (following == 3) {
    if (!Continuation(next(), payload)) return kReplacement;
    code = code << 6 | payload;
    ++at;
    if (code < 0x10) return kReplacement;
  }
  if (following >= 2) {
    if (!Continuation(next(), payload)) return kReplacement;
    code = code << 6 | payload;
    if (code >= (0x110000 >> 6)) return kReplacement;
    ++at;
    if (code < 0x20) return kReplacement;
    if (code >= (0xD800 >> 6) && code <= (0xDFFF >> 6)) return kReplacement;
  }
  if (!Continuation(next(), payload)) return kReplacement;
  code = code << 6 | payload;
  ++at;
  return code < 0x80 ? kReplacement : code;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The character that starts at `at`, moving `at` past its units.
char32_t NextCharacter(std::u16string_view text, std::size_t& at) {
  const char16_t unit = text[at++];
  if (IsHighSurrogate(unit) && at < text.size() && IsLowSurrogate(text[at])) {
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at++] - 0xDC00);
  }
  if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return kReplacement;
  return unit;
}

void AppendUtf8(std::string& out, char32_t code) {
  const auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (code < 0x80) {
    byte(code);
  } else if (code < 0x800) {
    byte(0xC0 | code >> 6);
    byte(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    byte(0xE0 | code >> 12);
    byte(0x80 | (code >> 6 & 0x3F));
    byte(0x80 | (code & 0x3F));
  } else {
    byte(0xF0 | code >> 18);
    byte(0x80 | (code >> 12 & 0x3F));
    byte(0x80 | (code >> 6 & 0x3F));
    byte(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<char16_t>(code));
    return;
  }
  code -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

}  // namespace

std::u16string AnsiToWide(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      wide.push_back(byte);
      ++at;
    } else {
      AppendUtf16(wide, DecodeSequence(text, at));
    }
  }
  return wide;
}

std::string WideToAnsi(std::u16string_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) AppendUtf8(narrow, NextCharacter(text, at));
  return narrow;
}

std::string WideToAnsiWithin(std::u16string_view text, std::size_t limit) {
  std::string narrow;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t before = narrow.size();
    AppendUtf8(narrow, NextCharacter(text, at));
    if (narrow.size() > limit) {
      narrow.resize(before);
      break;
    }
  }
  return narrow;
}

}  // namespace tabulara::platform::ini
