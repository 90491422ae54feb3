#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

namespace tabulara::embedded {

// A path as the add-in builds it ("folder\name") as a path of this machine:
// its separators this machine's own.
inline std::string LocalPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', static_cast<char>(std::filesystem::path::preferred_separator));
  return path;
}

// A path in UTF-8, as the host's texts are, for the file system, which on
// Windows would read a plain string in the ANSI code page.
inline std::filesystem::path FileSystemPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace tabulara::embedded
