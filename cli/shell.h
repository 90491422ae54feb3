#pragma once

#include "cli/arguments.h"
#include "cli/exit_status.h"

namespace tabulara::cli {

// `tabulara shell [WORKBOOK]`: one host session with the add-in connected,
// commands read one a line from standard input (with a prompt when it is a
// terminal) until "quit" or its end. A command that fails tells why on
// standard error and the session goes on; the exit status is the worst of
// the session.
ExitStatus RunShell(const Arguments& arguments);

}  // namespace tabulara::cli
