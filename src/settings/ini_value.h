#pragma once

#include <string>

namespace tabulara::settings {

// A value of an INI file; an empty file name means Config.ini in the
// installation folder. Never fails: whatever goes wrong, including a value
// of 255 bytes or more, gives the default.
std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                         const std::string& fileName);

// Writes a value to an INI file (the same file rule); true when the platform
// reports success.
bool WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& fileName);

}  // namespace tabulara::settings
