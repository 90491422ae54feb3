#pragma once

#include <string>
#include <vector>

namespace tabulara::platform::posix {

// The font families fontconfig knows, each once, sorted by name; empty when
// fontconfig cannot be read.
std::vector<std::string> FontconfigFamilies();

}  // namespace tabulara::platform::posix
