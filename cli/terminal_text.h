#pragma once

#include <string>
#include <string_view>

namespace tabulara::cli {

// Texts made safe to print on a terminal: every control character (C0,
// DEL, C1) and every byte that is not part of valid UTF-8 is written as
// "\x" and two hex digits, so that no text from a file can move the
// cursor, change colours or the window title.

// One line: line breaks and tabs are escaped too.
std::string TerminalText(std::string_view text);

// A text of lines: each CR LF, lone CR or LF is a line feed; every other
// control character is escaped.
std::string TerminalLines(std::string_view text);

}  // namespace tabulara::cli
