#pragma once

#include <zip.h>

#include <cstdint>
#include <vector>

#include "xlsx/package/zip_handle.h"

namespace tabulara::xlsx {

// Where libzip writes a new archive: an open, empty file, written in large
// blocks (the kernel's cost per write and per page cached falls steeply
// with the size of a write), each handed to the disk as it is filled so
// that the final flush has little left to wait for. Outlives the archive
// it is the source of; the descriptor stays its owner's.
class ArchiveOutput {
 public:
  explicit ArchiveOutput(int descriptor);
  ArchiveOutput(const ArchiveOutput&) = delete;
  ArchiveOutput& operator=(const ArchiveOutput&) = delete;
  ~ArchiveOutput();

  // A new archive that writes here; null, with libzip's error in `code`,
  // when it cannot be made.
  ZipHandle NewArchive(int& code);

 private:
  static zip_int64_t Serve(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);
  zip_int64_t Write(const char* bytes, std::uint64_t size);
  zip_int64_t Seek(void* arguments, zip_uint64_t length);
  // Writes the block out; false with the error kept when it cannot.
  bool Flush();
  zip_int64_t Failed(int code, int systemError);

  int descriptor_;
  // Bytes for [blockStart_, blockStart_ + block_.size()) of the file.
  std::vector<char> block_;
  std::uint64_t blockStart_ = 0;
  std::uint64_t position_ = 0;
  std::uint64_t end_ = 0;
  zip_error_t error_;
};

}  // namespace tabulara::xlsx
