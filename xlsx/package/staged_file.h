#pragma once

#include <sys/types.h>

#include <filesystem>

#include "xlsx/package/save_target.h"
#include "xlsx/system/temporary_folder.h"

namespace tabulara::xlsx {

// A file written in a folder of its own beside its target, then put in the
// target's place; whatever a writer leaves in that folder goes with it.
// Failures are std::system_error.
class StagedFile {
 public:
  explicit StagedFile(SaveTarget target);

  // Where to write the file; it exists, empty, with a new file's mode.
  const std::filesystem::path& path() const { return file_; }

  // Gives the written file the mode, owner and group of the file it
  // replaces (or keeps a new file's mode), flushes it to disk, renames it
  // onto the target and flushes the target's folder.
  void Commit();

 private:
  SaveTarget target_;
  TemporaryFolder folder_;
  std::filesystem::path file_;
  mode_t newFileMode_ = 0;
};

}  // namespace tabulara::xlsx
