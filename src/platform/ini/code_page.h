#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabulara::platform::ini {

// The profile functions work on UTF-16 text; their "A" forms convert from and
// to the ANSI code page, which is UTF-8 here. The conversions follow the
// host's rules for text that is not well formed.

// Bytes that do not form a character become U+FFFD: a byte that cannot start
// a sequence, a sequence broken off by a byte that cannot continue it (the
// bytes before that byte, as far as they could still be valid), and a
// sequence cut off by the end of the text (together with what follows it).
std::u16string AnsiToWide(std::string_view text);

// A surrogate without its partner becomes U+FFFD.
std::string WideToAnsi(std::u16string_view text);

// The longest run of whole characters from the start of `text` that fits in
// `limit` bytes.
std::string WideToAnsiWithin(std::u16string_view text, std::size_t limit);

}  // namespace tabulara::platform::ini
