#include "cli/terminal_text.h"

namespace tabulara::cli {
namespace {

void AppendEscaped(std::string& out, unsigned code) {
  constexpr char kDigits[] = "0123456789abcdef";
  out += "\\x";
  out += kDigits[(code >> 4) & 0xF];
  out += kDigits[code & 0xF];
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at `at`, or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
  }
  return length;
}

std::string Escaped(std::string_view text, bool keepLineBreaks) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (keepLineBreaks && (byte == '\r' || byte == '\n')) {
      out += '\n';
      i += byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
      continue;
    }
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) {
      AppendEscaped(out, byte);
      ++i;
    } else if (length == 1 && (byte < 0x20 || byte == 0x7F)) {
      AppendEscaped(out, byte);
      ++i;
    } else if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      AppendEscaped(out, static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace

std::string TerminalText(std::string_view text) { return Escaped(text, false); }

std::string TerminalLines(std::string_view text) { return Escaped(text, true); }

}  // namespace tabulara::cli
