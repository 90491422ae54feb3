#include "xlsx/system/temporary_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace tabulara::xlsx {
namespace {

std::string RandomName() {
  std::random_device random;
  char name[32];
  std::snprintf(name, sizeof name, ".tabulara-%08x%08x", random(), random());
  return name;
}

}  // namespace

TemporaryFolder::TemporaryFolder(const std::filesystem::path& parent) {
  // Registered before it is made, and made before an interrupt can clean
  // up, so that no moment leaves it unregistered or made after the clean-up.
  const InterruptsDeferred deferred;
  for (;;) {
    path_ = std::filesystem::absolute(parent / RandomName());
    removedOnInterrupt_.emplace(path_);
    if (::mkdir(path_.c_str(), 0700) == 0) return;
    if (errno != EEXIST) throw std::system_error(errno, std::generic_category());
  }
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tabulara::xlsx
