#include "embedded/rules/utf8.h"

#include <cstdint>

namespace tabulara::embedded {
namespace {

struct Lead {
  std::size_t continuations;
  char32_t bits;
  // The range of the first continuation byte, which excludes overlong
  // forms, surrogates and code points past U+10FFFF.
  std::uint8_t low;
  std::uint8_t high;
};

bool ReadLead(std::uint8_t byte, Lead& lead) {
  if (byte >= 0xC2 && byte <= 0xDF) lead = {1, byte & 0x1Fu, 0x80, 0xBF};
  else if (byte == 0xE0) lead = {2, 0, 0xA0, 0xBF};
  else if (byte == 0xED) lead = {2, 0xD, 0x80, 0x9F};
  else if (byte >= 0xE1 && byte <= 0xEF) lead = {2, byte & 0x0Fu, 0x80, 0xBF};
  else if (byte == 0xF0) lead = {3, 0, 0x90, 0xBF};
  else if (byte >= 0xF1 && byte <= 0xF3) lead = {3, byte & 0x07u, 0x80, 0xBF};
  else if (byte == 0xF4) lead = {3, 4, 0x80, 0x8F};
  else return false;
  return true;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& at, bool* wellFormed) {
  if (wellFormed != nullptr) *wellFormed = false;
  const auto first = static_cast<std::uint8_t>(text[at++]);
  if (first < 0x80) {
    if (wellFormed != nullptr) *wellFormed = true;
    return first;
  }
  Lead lead{};
  if (!ReadLead(first, lead)) return kReplacementCharacter;
  char32_t point = lead.bits;
  for (std::size_t i = 0; i < lead.continuations; ++i) {
    if (at == text.size()) return kReplacementCharacter;
    const auto byte = static_cast<std::uint8_t>(text[at]);
    const bool expected = i == 0 ? byte >= lead.low && byte <= lead.high : byte >= 0x80 && byte <= 0xBF;
    if (!expected) return kReplacementCharacter;
    point = (point << 6) | (byte & 0x3Fu);
    ++at;
  }
  if (wellFormed != nullptr) *wellFormed = true;
  return point;
}

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  std::size_t at = 0;
  while (at < text.size()) points.push_back(NextCodePoint(text, at));
  return points;
}

void AppendUtf8(std::string& text, char32_t point) {
  const auto byte = [&text](char32_t value) { text += static_cast<char>(value); };
  if (point < 0x80) {
    byte(point);
  } else if (point < 0x800) {
    byte(0xC0 | (point >> 6));
    byte(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    byte(0xE0 | (point >> 12));
    byte(0x80 | ((point >> 6) & 0x3F));
    byte(0x80 | (point & 0x3F));
  } else {
    byte(0xF0 | (point >> 18));
    byte(0x80 | ((point >> 12) & 0x3F));
    byte(0x80 | ((point >> 6) & 0x3F));
    byte(0x80 | (point & 0x3F));
  }
}

}  // namespace tabulara::embedded
