#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace tabulara::xlsx {

// Where a save writes: the file at the end of any chain of symbolic links,
// and what stands there now.
struct SaveTarget {
  std::filesystem::path file;
  std::optional<struct stat> existing;
};

// Follows `given` through its links; PackageError, naming `given`, when it
// ends at something that is no regular file (a folder, a device, a named
// pipe, a socket), in a folder that does not exist, or cannot be looked at.
SaveTarget ResolveSaveTarget(const std::filesystem::path& given);

}  // namespace tabulara::xlsx
