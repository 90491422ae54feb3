#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "code_page_converter.h"

namespace tabulara::tools {

// The longest text an entry of a language file may hold, in bytes: the
// catalogue falls back to the English text from 255 bytes on.
inline constexpr std::size_t kMaxEntryBytes = 254;

// What is wrong with a language file in UTF-8, one line per fault, naming the
// entry and its catalogue key: an entry the catalogue does not know, a
// catalogue entry missing, "s%" placeholders other than in the English text,
// a text that has no form in the code page or is longer than kMaxEntryBytes
// in UTF-8 or in the code page.
std::vector<std::string> LanguageFileFaults(std::string_view utf8Bytes, const CodePageConverter& codePage);

}  // namespace tabulara::tools
