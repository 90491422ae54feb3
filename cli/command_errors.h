#pragma once

#include <string_view>

namespace tabulara::cli {

// A failure of the command itself, told on standard error as
// "tabulara: error: MESSAGE", apart from the add-in's message boxes
// ("TITLE: TEXT"); the message's control characters are escaped.
void PrintCommandError(std::string_view message);

}  // namespace tabulara::cli
