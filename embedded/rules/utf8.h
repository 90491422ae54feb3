#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::embedded {

// What an ill-formed UTF-8 sequence reads as.
inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The code point at `at` in UTF-8 text, with `at` moved past it. An
// ill-formed sequence is read as its maximal subpart (the longest start of
// a well-formed sequence, at least one byte), as Unicode recommends, and
// gives nothing to `wellFormed`.
char32_t NextCodePoint(std::string_view text, std::size_t& at, bool* wellFormed = nullptr);

// The text's code points, each ill-formed sequence read as U+FFFD.
std::vector<char32_t> CodePoints(std::string_view text);

void AppendUtf8(std::string& text, char32_t point);

// The number of UTF-16 code units that hold the code point.
inline std::size_t Utf16Length(char32_t point) { return point > 0xFFFF ? 2 : 1; }

}  // namespace tabulara::embedded
