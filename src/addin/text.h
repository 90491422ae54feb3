#pragma once

#include <string>
#include <string_view>

namespace tabulara::addin {

// The text without leading and trailing blanks (U+0020 only; tabs and other
// white space stay).
std::string TrimBlanks(std::string_view text);

}  // namespace tabulara::addin
