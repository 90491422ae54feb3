#pragma once

#include <sys/types.h>

#include <filesystem>

#include "xlsx/package/save_target.h"
#include "xlsx/system/file_descriptor.h"
#include "xlsx/system/temporary_folder.h"

namespace tabulara::xlsx {

// A file written in a folder of its own beside its target, then put in the
// target's place; whatever a writer leaves in that folder goes with it.
// Failures are std::system_error.
class StagedFile {
 public:
  explicit StagedFile(SaveTarget target);

  // The file to write, open for reading and writing; it starts empty, with
  // a new file's mode.
  int descriptor() const { return written_.get(); }

  // Gives the written file the mode, owner and group of the file it
  // replaces (or keeps a new file's mode), flushes it to disk, renames it
  // onto the target and flushes the target's folder.
  void Commit();

 private:
  SaveTarget target_;
  TemporaryFolder folder_;
  std::filesystem::path file_;
  FileDescriptor written_;
  mode_t newFileMode_ = 0;
};

}  // namespace tabulara::xlsx
