#pragma once

#include <memory>

#include "embedded/addin_list.h"
#include "embedded/automation_server.h"

namespace tabulara::cli {

// The worksheet functions as the host reaches an automation add-in: the
// methods "Age" and "NonStaticRand" by name.
std::unique_ptr<embedded::AutomationServer> MakeFormulaServer();

// Registers the add-in's creatable classes with the host, as installing the
// add-in registers them on the system.
void RegisterAddinClasses(embedded::AddInList& addIns);

}  // namespace tabulara::cli
