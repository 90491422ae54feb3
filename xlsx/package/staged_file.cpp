#include "xlsx/package/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "xlsx/system/file_descriptor.h"

namespace tabulara::xlsx {
namespace {

[[noreturn]] void ThrowSystemError() { throw std::system_error(errno, std::generic_category()); }

void Check(int result) {
  if (result != 0) ThrowSystemError();
}

FileDescriptor Opened(const std::filesystem::path& path, int flags, mode_t mode = 0) {
  const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  if (descriptor < 0) ThrowSystemError();
  return FileDescriptor(descriptor);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The replaced file's mode, less what would open the file to others when
// its owner or group cannot be kept.
mode_t KeepOwnership(int descriptor, const struct stat& replaced) {
  mode_t mode = replaced.st_mode & 07777;
  const bool ownerKept = ::fchown(descriptor, replaced.st_uid, replaced.st_gid) == 0;
  const bool groupKept = ownerKept || ::fchown(descriptor, static_cast<uid_t>(-1), replaced.st_gid) == 0;
  if (!ownerKept) mode &= ~S_ISUID;
  if (!groupKept) mode &= ~(S_ISGID | S_IRWXG);
  return mode;
}

}  // namespace

// The folder of its own gives the staged file a short name, within the
// system's limit whatever the target's name.
StagedFile::StagedFile(SaveTarget target)
    : target_(std::move(target)),
      folder_(FolderOf(target_.file)),
      file_(folder_.path() / "package"),
      written_(Opened(file_, O_RDWR | O_CREAT | O_EXCL, 0666)) {
  struct stat status {};
  Check(::fstat(written_.get(), &status));
  newFileMode_ = status.st_mode & 07777;
}

void StagedFile::Commit() {
  const mode_t mode = target_.existing ? KeepOwnership(written_.get(), *target_.existing) : newFileMode_;
  Check(::fchmod(written_.get(), mode));
  Check(::fsync(written_.get()));
  Check(::rename(file_.c_str(), target_.file.c_str()));
  Check(::fsync(Opened(FolderOf(target_.file), O_RDONLY | O_DIRECTORY).get()));
}

}  // namespace tabulara::xlsx
