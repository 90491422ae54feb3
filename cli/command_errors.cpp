#include "cli/command_errors.h"

#include <iostream>

#include "cli/terminal_text.h"

namespace tabulara::cli {

void PrintCommandError(std::string_view message) {
  std::cerr << "tabulara: error: " << TerminalLines(message) << '\n' << std::flush;
}

}  // namespace tabulara::cli
