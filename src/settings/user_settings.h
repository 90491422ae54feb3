#pragma once

#include <string>

#include "host/variant.h"

namespace tabulara::settings {

// The application name of every per-user setting.
inline constexpr const char* kSettingsAppName = "Quorvel.Gridwright";

// A per-user setting as stored, or the default as text when the key is
// absent.
std::string ReadSetting(const std::string& section, const std::string& key, const host::Variant& defaultValue);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);

// The read-site conversions: a truth value ("0" false, any other number
// true, the words true and false in any case) and a 16-bit whole number
// (halves to the even neighbour). A text in neither form raises a type
// mismatch.
bool ReadSettingFlag(const std::string& section, const std::string& key, int defaultValue);
int ReadSettingInteger(const std::string& section, const std::string& key, int defaultValue);

}  // namespace tabulara::settings
