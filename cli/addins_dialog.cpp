#include "cli/addins_dialog.h"

#include <iostream>
#include <stdexcept>

#include "cli/command_errors.h"
#include "cli/host_session.h"
#include "cli/terminal_text.h"
#include "host/addins.h"
#include "host/host_error.h"

namespace tabulara::cli {
namespace {

std::invalid_argument NotRegistered(const std::string& progID) {
  return std::invalid_argument("the host has no automation class \"" + progID + "\" to load");
}

}  // namespace

void PrintAddIns(std::ostream& out, const embedded::AddInList& addIns) {
  for (const embedded::AddInList::AddInView& addIn : addIns.View()) {
    out << (addIn.installed ? "[x] " : "[ ] ") << TerminalText(addIn.progID)
        << (addIn.registered ? "" : " (not registered)") << '\n';
  }
}

void InstallAddIn(embedded::EmbeddedHost& host, const std::string& progID) {
  try {
    host.Application()->AddIns()->Add(progID, false)->Installed(true);
  } catch (const host::HostError&) {
    throw NotRegistered(progID);
  }
}

void UninstallAddIn(embedded::EmbeddedHost& host, const std::string& progID) {
  const host::Ref<host::AddIns> addIns = host.Application()->AddIns();
  for (const host::Ref<host::AddIn>& addIn : host::Each(addIns)) {
    if (embedded::SameProgID(addIn->progID(), progID)) {
      addIn->Installed(false);
      return;
    }
  }
  try {
    addIns->Add(progID, false);
  } catch (const host::HostError&) {
    throw NotRegistered(progID);
  }
}

ExitStatus RunAddins(const Arguments& arguments) {
  HostSession session(arguments.answer, arguments.limits);
  if (session.Status() != ExitStatus::Ran) return session.Status();
  try {
    if (arguments.install) InstallAddIn(session.host(), *arguments.install);
    if (arguments.uninstall) UninstallAddIn(session.host(), *arguments.uninstall);
  } catch (const std::invalid_argument& error) {
    PrintCommandError(error.what());
    return ExitStatus::Failure;
  }
  PrintAddIns(std::cout, session.host().addIns());
  return session.Status();
}

}  // namespace tabulara::cli
