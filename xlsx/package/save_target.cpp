#include "xlsx/package/save_target.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "xlsx/package/package_error.h"

namespace tabulara::xlsx {
namespace {

// As many links as the system itself follows in one path.
constexpr int kMostLinks = 40;

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "an unknown kind of file";
}

}  // namespace

SaveTarget ResolveSaveTarget(const std::filesystem::path& given) {
  const auto refused = [&](const std::string& why) {
    return PackageError(given.string() + ": cannot be written (" + why + ")");
  };
  std::filesystem::path file = given;
  for (int links = 0;; ++links) {
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0) {
      if (errno == ENOENT) {
        const auto folder = file.parent_path();
        if (!folder.empty() && !std::filesystem::exists(folder)) {
          throw PackageError(given.string() + ": the folder " + folder.string() + " does not exist");
        }
        return {file, std::nullopt};
      }
      throw refused(std::strerror(errno));
    }
    if (S_ISREG(status.st_mode)) return {file, status};
    if (!S_ISLNK(status.st_mode)) throw refused("it is " + KindOf(status.st_mode) + ", not a regular file");
    if (links == kMostLinks) throw refused(std::strerror(ELOOP));
    std::error_code error;
    const auto link = std::filesystem::read_symlink(file, error);
    if (error) throw refused(error.message());
    file = link.is_absolute() ? link : file.parent_path() / link;
  }
}

}  // namespace tabulara::xlsx
