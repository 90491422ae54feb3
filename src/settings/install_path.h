#pragma once

#include <string>

namespace tabulara::settings {

// `name` in the installation folder: the folder, a backslash unless the
// folder already ends in one, and the name.
std::string InstallPath(const std::string& name);

// `folder` with a final backslash.
std::string WithFinalBackslash(std::string folder);

}  // namespace tabulara::settings
