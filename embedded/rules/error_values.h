#pragma once

#include <optional>
#include <string_view>

namespace tabulara::embedded {

// A cell's error value as the file writes it ("#DIV/0!") and as the host
// codes it (2007); nothing for a text that is no error value.
std::optional<int> ErrorCodeOf(std::string_view text);
// "#VALUE!" for a code the host does not know.
std::string_view ErrorTextOf(int code);

}  // namespace tabulara::embedded
