#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tabulara::xlsx {

enum class ChildEnd { Succeeded, Failed, TimedOut };

// Runs the program `arguments[0]` (a path) with `environment`, reading from
// and writing to /dev/null, in a process group of its own: the group is
// ended when `limit` passes, when the program exits (what it left running
// goes with it) and when this process is interrupted. Succeeded when the
// program exited with status 0 in time.
ChildEnd RunWithTimeLimit(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                          std::chrono::milliseconds limit);

}  // namespace tabulara::xlsx
