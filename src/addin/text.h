#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulara::addin {

// The text without leading and trailing blanks (U+0020 only; tabs and other
// white space stay).
std::string TrimBlanks(std::string_view text);

// The text without leading and trailing blanks, its first character in
// upper case and every other in lower case ("  q1 DATA " -> "Q1 data");
// the text as it was when that fails.
std::string CapitalizeText(const std::string& text);

// Sorts ascending with a plain exchange sort: by character codes when
// `caseSensitive`, else by the platform's locale-aware comparison that
// ignores case.
void SortTexts(std::vector<std::string>& items, bool caseSensitive);

}  // namespace tabulara::addin
