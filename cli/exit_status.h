#pragma once

#include <algorithm>

namespace tabulara::cli {

// The command's exit status; a run ends with the worst one it met.
enum class ExitStatus {
  // The command ran (messages may have been shown).
  Ran = 0,
  // The add-in reported an error: an error report, "Load error", or an
  // error passed back to the host.
  AddinError = 1,
  // A usage error, or a file that cannot be read or written.
  Failure = 2,
};

inline ExitStatus Worse(ExitStatus a, ExitStatus b) { return std::max(a, b); }

}  // namespace tabulara::cli
