#pragma once

#include "cli/arguments.h"
#include "cli/host_session.h"

namespace tabulara::cli {

// Opens the WORKBOOK of the command line, when one is given, makes the
// --sheet sheet active and goes to the --select and --cell cells. False,
// after one line on standard error, when the file cannot be read or the
// sheet or cells cannot be reached.
bool OpenCommandLineWorkbook(HostSession& session, const Arguments& arguments);

}  // namespace tabulara::cli
