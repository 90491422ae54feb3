#include "platform/ini/profile_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

#include "platform/ini/parse.h"
#include "platform/ini/serialize.h"

namespace tabulara::platform::ini {

namespace {

bool FolderExists(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  std::error_code error;
  return std::filesystem::is_directory(folder, error);
}

// What tells one state of a file from another.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec changed{};
  timespec statusChanged{};

  bool operator==(const FileStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size && Same(changed, other.changed) &&
           Same(statusChanged, other.statusChanged);
  }

 private:
  static bool Same(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
};

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

struct CachedProfile {
  std::string path;
  FileStamp stamp;
  std::shared_ptr<const Document> document;
};

constexpr std::size_t kCachedProfiles = 8;

std::mutex cacheLock;
std::deque<CachedProfile> cache;

void Forget(const std::string& path) {
  const std::lock_guard lock(cacheLock);
  std::erase_if(cache, [&](const CachedProfile& cached) { return cached.path == path; });
}

}  // namespace

std::optional<Document> LoadProfile(const std::string& path, Access access) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    if (!FolderExists(path)) return std::nullopt;
    return Document{};
  }
  if (error || std::filesystem::is_directory(status)) return std::nullopt;
  const auto mode = access == Access::ReadWrite ? std::ios::in | std::ios::out | std::ios::binary
                                                : std::ios::in | std::ios::binary;
  std::fstream file(path, mode);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return Parse(bytes.str());
}

std::shared_ptr<const Document> ReadProfile(const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp) {
    auto document = LoadProfile(path, Access::Read);
    return document ? std::make_shared<const Document>(std::move(*document)) : nullptr;
  }
  {
    const std::lock_guard lock(cacheLock);
    const auto found = std::find_if(cache.begin(), cache.end(), [&](const CachedProfile& cached) {
      return cached.path == path && cached.stamp == *stamp;
    });
    if (found != cache.end()) return found->document;
  }
  auto document = LoadProfile(path, Access::Read);
  if (!document) return nullptr;
  auto shared = std::make_shared<const Document>(std::move(*document));
  Forget(path);
  const std::lock_guard lock(cacheLock);
  cache.push_front(CachedProfile{path, *stamp, shared});
  if (cache.size() > kCachedProfiles) cache.pop_back();
  return shared;
}

bool StoreProfile(const std::string& path, const Document& document) {
  Forget(path);
  const std::string bytes = Serialize(document);
  std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace tabulara::platform::ini
