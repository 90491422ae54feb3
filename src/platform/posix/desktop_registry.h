#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace tabulara::platform::posix {

// Reads one text value of the registry; none when the key or value is missing.
using RegistryReader =
    std::function<std::optional<std::string>(RegistryRoot root, const std::string& key, const std::string& valueName)>;

// Linux has no registry: the values the add-in reads are answered from the
// desktop, looked up afresh at each read. The user's documents folder from
// the XDG user directories (xdg-user-dir DOCUMENTS, else ~/Documents); the
// messengers' folders and Skype's program from their Linux stand-ins on the
// program search path. Any other value is missing.
RegistryReader DesktopRegistry(std::string programSearchPath, std::string home);

}  // namespace tabulara::platform::posix
