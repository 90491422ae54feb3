#pragma once

#include <filesystem>

#include "xlsx/system/interrupt_cleanup.h"

namespace tabulara::xlsx {

// A new folder under the system's temporary folder, removed with everything
// in it when this goes or the process is interrupted; PackageError when it
// cannot be made.
class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder();

  // An absolute path.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  RemovedOnInterrupt removedOnInterrupt_;
};

}  // namespace tabulara::xlsx
