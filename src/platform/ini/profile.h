#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tabulara::platform::ini {

// INI files with the rules of the Windows profile functions. Texts are in the
// ANSI code page, which is UTF-8 here; files are read and written in it, or in
// UTF-8 or UTF-16 when they start with that byte order mark. Every call sees
// the file as it stands: a read reuses the file's last parse only while its
// size and time of change are unchanged.

// GetPrivateProfileStringA for a section and a key: a buffer of exactly
// `size` bytes, filled as the Windows call fills it.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file);

// WritePrivateProfileStringA for a section, a key and a value: creates the
// file, the section and the key as needed and replaces an existing value.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file);

// The value of a key as the reading rules give it, without a length limit;
// none when the file, the section or the key is missing.
std::optional<std::string> LookUp(const std::string& section, const std::string& key, const std::string& file);

}  // namespace tabulara::platform::ini
