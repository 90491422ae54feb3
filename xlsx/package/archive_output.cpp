#include "xlsx/package/archive_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tabulara::xlsx {
namespace {

// Past 64 KiB a larger write costs the kernel little less; a block of
// 1 MiB also keeps the disk busy while the next one fills.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

}  // namespace

ArchiveOutput::ArchiveOutput(int descriptor) : descriptor_(descriptor) {
  block_.reserve(kBlockSize);
  zip_error_init(&error_);
}

ArchiveOutput::~ArchiveOutput() { zip_error_fini(&error_); }

ZipHandle ArchiveOutput::NewArchive(int& code) {
  zip_error_t error;
  zip_error_init(&error);
  ZipSourceHandle source(zip_source_function_create(&ArchiveOutput::Serve, this, &error));
  ZipHandle archive(source ? zip_open_from_source(source.get(), ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr);
  code = zip_error_code_zip(&error);
  zip_error_fini(&error);
  // The archive owns its source from here.
  if (archive) source.release();
  return archive;
}

zip_int64_t ArchiveOutput::Failed(int code, int systemError) {
  zip_error_set(&error_, code, systemError);
  return -1;
}

bool ArchiveOutput::Flush() {
  std::size_t written = 0;
  while (written < block_.size()) {
    const ssize_t count = ::pwrite(descriptor_, block_.data() + written, block_.size() - written,
                                   static_cast<off_t>(blockStart_ + written));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      Failed(ZIP_ER_WRITE, count < 0 ? errno : ENOSPC);
      return false;
    }
    written += static_cast<std::size_t>(count);
  }
  // Only a start: the staged file is flushed, and its errors met, in full
  // before it takes the target's place.
  ::sync_file_range(descriptor_, static_cast<off_t>(blockStart_), static_cast<off_t>(written), SYNC_FILE_RANGE_WRITE);
  blockStart_ += written;
  block_.clear();
  return true;
}

zip_int64_t ArchiveOutput::Write(const char* bytes, std::uint64_t size) {
  if (position_ < blockStart_ || position_ > blockStart_ + block_.size()) {
    if (!Flush()) return -1;
    blockStart_ = position_;
  }
  const std::size_t at = position_ - blockStart_;
  const std::size_t overwritten = std::min<std::size_t>(size, block_.size() - at);
  std::memcpy(block_.data() + at, bytes, overwritten);
  block_.insert(block_.end(), bytes + overwritten, bytes + size);
  position_ += size;
  end_ = std::max(end_, position_);
  if (block_.size() >= kBlockSize && !Flush()) return -1;
  return static_cast<zip_int64_t>(size);
}

zip_int64_t ArchiveOutput::Seek(void* arguments, zip_uint64_t length) {
  const zip_int64_t offset = zip_source_seek_compute_offset(position_, end_, arguments, length, &error_);
  if (offset < 0) return -1;
  position_ = static_cast<std::uint64_t>(offset);
  return 0;
}

zip_int64_t ArchiveOutput::Serve(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto& output = *static_cast<ArchiveOutput*>(state);
  switch (command) {
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                            ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE,
                                            ZIP_SOURCE_COMMIT_WRITE, ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_SEEK_WRITE,
                                            ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_REMOVE, -1);
    // The file is empty until the archive is written: there is nothing
    // to read, and the only place to seek to is its start.
    case ZIP_SOURCE_STAT: {
      auto* stat = static_cast<zip_stat_t*>(data);
      if (length < sizeof(*stat)) return output.Failed(ZIP_ER_INTERNAL, 0);
      zip_stat_init(stat);
      stat->size = 0;
      stat->valid = ZIP_STAT_SIZE;
      return sizeof(*stat);
    }
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_READ:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_TELL:
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_SEEK:
      return zip_source_seek_compute_offset(0, 0, data, length, &output.error_) < 0 ? -1 : 0;
    case ZIP_SOURCE_BEGIN_WRITE:
      output.block_.clear();
      output.blockStart_ = output.position_ = output.end_ = 0;
      return 0;
    case ZIP_SOURCE_WRITE:
      return output.Write(static_cast<const char*>(data), length);
    case ZIP_SOURCE_SEEK_WRITE:
      return output.Seek(data, length);
    case ZIP_SOURCE_TELL_WRITE:
      return static_cast<zip_int64_t>(output.position_);
    case ZIP_SOURCE_COMMIT_WRITE:
      return output.Flush() ? 0 : -1;
    case ZIP_SOURCE_ROLLBACK_WRITE:
      output.block_.clear();
      return 0;
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&output.error_, data, length);
    // Also ZIP_SOURCE_REMOVE, which libzip asks for instead of writing an
    // archive of no entries: no such archive is written.
    default:
      return output.Failed(ZIP_ER_OPNOTSUPP, 0);
  }
}

}  // namespace tabulara::xlsx
