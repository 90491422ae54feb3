#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tabulara::platform::posix {

// Starts the program at the path `arguments[0]` with the rest as its
// arguments and does not wait for it; raises a HostError when it cannot be
// started.
using ProgramStarter = std::function<void(const std::vector<std::string>& arguments)>;

// Starts programs with posix_spawn, never through a shell: each in its own
// process group with standard input from /dev/null, so that it outlives the
// terminal's interrupt; programs that have ended are reaped at the next start.
ProgramStarter DetachedStarter();

// Runs a program to its end and gives what it wrote to standard output;
// none when it could not run or did not succeed.
std::optional<std::string> OutputOf(const std::vector<std::string>& arguments);

}  // namespace tabulara::platform::posix
