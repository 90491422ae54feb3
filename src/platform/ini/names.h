#pragma once

#include <string_view>

namespace tabulara::platform::ini {

// The blanks of the profile functions: tab, line feed, vertical tab, form
// feed, carriage return, space and the old end-of-file mark (Ctrl+Z). No
// other character counts, not even a no-break space.
bool IsBlank(char16_t c);

std::u16string_view TrimLeading(std::u16string_view text);
std::u16string_view TrimTrailing(std::u16string_view text);
std::u16string_view Trim(std::u16string_view text);

// Section and key names match without regard to the case of the letters A
// to Z; every other character must be the same.
bool SameName(std::u16string_view left, std::u16string_view right);

}  // namespace tabulara::platform::ini
