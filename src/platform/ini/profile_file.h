#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ini/document.h"

namespace tabulara::platform::ini {

enum class Access { Read, ReadWrite };

// The profile in a file, opened as the profile functions open it: an empty
// profile when the file does not exist but its folder does; none when the
// file cannot be opened with the access asked for (its folder is missing,
// the path names a folder, permission is refused).
std::optional<Document> LoadProfile(const std::string& path, Access access);

// The profile in a file for reading, as LoadProfile gives it; none when the
// file cannot be read. Like the Windows profile functions, it keeps the last
// files read and reuses one while the file has the size and time of change
// it had: the catalogue reads its language file key by key.
std::shared_ptr<const Document> ReadProfile(const std::string& path);

// Writes the profile over the file; false when it cannot be written.
bool StoreProfile(const std::string& path, const Document& document);

}  // namespace tabulara::platform::ini
