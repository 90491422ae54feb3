#pragma once

#include <filesystem>
#include <optional>

#include "xlsx/system/interrupt_cleanup.h"

namespace tabulara::xlsx {

// A new folder of its own, with a short hidden name, inside `parent` (by
// default the system's temporary folder); removed with everything in it
// when this goes or when the process is interrupted. std::system_error when
// it cannot be made.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  // An absolute path.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::optional<RemovedOnInterrupt> removedOnInterrupt_;
};

}  // namespace tabulara::xlsx
