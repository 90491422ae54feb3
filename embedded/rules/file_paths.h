#pragma once

#include <algorithm>
#include <string>

namespace tabulara::embedded {

// A path as the add-in builds it ("folder\name") as a path of this machine.
inline std::string LocalPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace tabulara::embedded
