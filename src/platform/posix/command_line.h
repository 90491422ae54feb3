#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tabulara::platform::posix {

// A command line split into the program and its arguments as Windows splits
// it: a program in double quotes is the quoted text; an unquoted one is the
// shortest part up to a blank, or up to the end, that `namesProgram`
// accepts, so that a program path with blanks needs no quotes (the first
// word when none is accepted). The arguments are separated by blanks outside
// double quotes, and lose their quotes.
std::vector<std::string> SplitCommandLine(const std::string& commandLine,
                                          const std::function<bool(const std::string&)>& namesProgram);

}  // namespace tabulara::platform::posix
