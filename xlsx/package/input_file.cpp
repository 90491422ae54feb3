#include "xlsx/package/input_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "xlsx/package/package_error.h"
#include "xlsx/system/file_descriptor.h"

namespace tabulara::xlsx {
namespace {

// What a file that holds no bytes to read is, for the message that refuses
// it; nothing for a regular file or a pipe.
std::optional<std::string> UnreadableKind(mode_t mode) {
  if (S_ISREG(mode) || S_ISFIFO(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

// Whether the descriptor has data, or its writers have gone, within `wait`
// (negative: no limit).
bool Readable(int descriptor, std::chrono::milliseconds wait) {
  pollfd request{descriptor, POLLIN, 0};
  int ready = 0;
  while ((ready = ::poll(&request, 1, static_cast<int>(wait.count()))) < 0 && errno == EINTR) {
  }
  return ready > 0;
}

}  // namespace

InputFile OpenInputFile(const std::filesystem::path& file, std::uint64_t maxBytes, std::chrono::seconds pipeWait) {
  const auto refused = [&](const std::string& why) { return PackageError(file.string() + ": " + why); };
  const auto cannotRead = [&](int error) {
    return refused(std::string("cannot read the file (") + std::strerror(error) + ")");
  };
  const auto tooLarge = [&] {
    return refused("is larger than the " + std::to_string(maxBytes) + " bytes a workbook file may have");
  };
  const auto refuseUnreadable = [&](const struct stat& status) {
    if (const auto kind = UnreadableKind(status.st_mode)) throw refused("is " + *kind + ", not a workbook file");
  };
  // Sockets and devices are refused before they are opened, which could
  // block or have effects of its own.
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) throw cannotRead(errno);
  refuseUnreadable(status);
  InputFile input{FileDescriptor(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), 0, std::nullopt};
  if (!input.descriptor) throw cannotRead(errno);
  if (::fstat(input.descriptor.get(), &status) != 0) throw cannotRead(errno);
  refuseUnreadable(status);
  if (S_ISREG(status.st_mode)) {
    input.size = static_cast<std::uint64_t>(status.st_size);
    if (input.size > maxBytes) throw tooLarge();
    return input;
  }
  if (!Readable(input.descriptor.get(), pipeWait)) {
    throw refused("is a pipe, and nothing was written to it within " + std::to_string(pipeWait.count()) + " s");
  }
  std::string bytes(std::size_t{1} << 16, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t read = ::read(input.descriptor.get(), bytes.data() + filled, bytes.size() - filled);
    if (read == 0) break;
    if (read > 0) {
      filled += static_cast<std::size_t>(read);
      if (filled > maxBytes) throw tooLarge();
    } else if (errno == EAGAIN) {
      Readable(input.descriptor.get(), std::chrono::milliseconds(-1));
    } else if (errno != EINTR) {
      throw cannotRead(errno);
    }
  }
  bytes.resize(filled);
  input.size = filled;
  input.bytes = std::move(bytes);
  return input;
}

std::string ReadAll(InputFile input, const std::filesystem::path& file) {
  if (input.bytes) return std::move(*input.bytes);
  std::string bytes(static_cast<std::size_t>(input.size), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t read = ::pread(input.descriptor.get(), bytes.data() + filled, bytes.size() - filled,
                                 static_cast<off_t>(filled));
    if (read == 0) break;
    if (read < 0 && errno != EINTR) {
      throw PackageError(file.string() + ": cannot read the file (" + std::strerror(errno) + ")");
    }
    if (read > 0) filled += static_cast<std::size_t>(read);
  }
  bytes.resize(filled);
  return bytes;
}

std::string ReadInputFile(const std::filesystem::path& file, std::uint64_t maxBytes, std::chrono::seconds pipeWait) {
  return ReadAll(OpenInputFile(file, maxBytes, pipeWait), file);
}

}  // namespace tabulara::xlsx
