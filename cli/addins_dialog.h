#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "embedded/embedded_host.h"

namespace tabulara::cli {

// The host's automation add-ins as its add-ins dialog shows them, one a
// line: "[x] PROGID" installed, "[ ] PROGID" not, with "(not registered)"
// after one whose class the host cannot create.
void PrintAddIns(std::ostream& out, const embedded::AddInList& addIns);

// Installs the add-in of `progID`, listing it first when it is not listed.
// std::invalid_argument when the host cannot create its class.
void InstallAddIn(embedded::EmbeddedHost& host, const std::string& progID);
// Clears the installed state of a listed add-in, or lists a registered one
// as not installed. std::invalid_argument when it is neither.
void UninstallAddIn(embedded::EmbeddedHost& host, const std::string& progID);

// `tabulara addins [--install PROGID | --uninstall PROGID]`: the change, then
// the list.
ExitStatus RunAddins(const Arguments& arguments);

}  // namespace tabulara::cli
