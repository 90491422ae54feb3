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

}  // namespace tabulara::embedded
