#include "xlsx/system/temporary_folder.h"

#include <stdlib.h>

#include "xlsx/package/package_error.h"

namespace tabulara::xlsx {
namespace {

std::filesystem::path MadeFolder() {
  std::string pattern = std::filesystem::absolute(std::filesystem::temp_directory_path() / "tabulara-XXXXXX");
  if (::mkdtemp(pattern.data()) == nullptr) throw PackageError("cannot create a temporary folder");
  return pattern;
}

}  // namespace

TemporaryFolder::TemporaryFolder() : path_(MadeFolder()), removedOnInterrupt_(path_) {}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tabulara::xlsx
