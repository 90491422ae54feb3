#pragma once

#include "cli/arguments.h"
#include "cli/host_session.h"

namespace tabulara::cli {

// Opens the WORKBOOK of the command line, when one is given, and makes the
// --sheet sheet active. False, after one line on standard error, when the
// file cannot be read or the sheet cannot be made active.
bool OpenCommandLineWorkbook(HostSession& session, const Arguments& arguments);

}  // namespace tabulara::cli
