#include "cli/status_line.h"

#include <unistd.h>

#include <iostream>

#include "cli/terminal_text.h"

namespace tabulara::cli {

StatusLine::StatusLine(const std::string& text) : shown_(isatty(STDERR_FILENO) == 1) {
  if (shown_) std::cerr << TerminalText(text) << " ..." << std::flush;
}

StatusLine::~StatusLine() {
  // Back to the start of the line, then clear it.
  if (shown_) std::cerr << "\r\033[K" << std::flush;
}

}  // namespace tabulara::cli
