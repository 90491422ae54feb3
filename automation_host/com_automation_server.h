#pragma once

#include <memory>
#include <string>

#include "embedded/automation_server.h"

namespace tabulara::automation {

// An object of a COM class the host creates by its ProgID as an automation
// add-in: its methods are those its type information lists, called through
// IDispatch; a host object among the arguments (a cell) goes as itself.
// Fails with the host's 1004 when the class cannot be created.
std::unique_ptr<embedded::AutomationServer> CreateByProgID(const std::string& progId);

}  // namespace tabulara::automation
