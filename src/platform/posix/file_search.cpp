#include "platform/posix/file_search.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace tabulara::platform::posix {
namespace {

struct DirectoryClose {
  void operator()(DIR* directory) const { closedir(directory); }
};

class FolderSearch : public FileSearch {
 public:
  FolderSearch(std::string folder, std::string namePattern)
      : folder_(std::move(folder)), namePattern_(std::move(namePattern)), directory_(opendir(folder_.c_str())) {}

  std::optional<std::string> Next() override {
    if (!directory_) return std::nullopt;
    while (const dirent* entry = readdir(directory_.get())) {
      const std::string name = entry->d_name;
      if (name.starts_with('.')) continue;
      if (fnmatch(namePattern_.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
      struct stat status {};
      if (stat((folder_ + "/" + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
      return name;
    }
    return std::nullopt;
  }

 private:
  std::string folder_;
  std::string namePattern_;
  std::unique_ptr<DIR, DirectoryClose> directory_;
};

}  // namespace

std::unique_ptr<FileSearch> SearchFolder(const std::string& posixPattern) {
  const auto slash = posixPattern.rfind('/');
  std::string folder = slash == std::string::npos ? "." : posixPattern.substr(0, slash);
  if (folder.empty()) folder = "/";
  const std::string name = slash == std::string::npos ? posixPattern : posixPattern.substr(slash + 1);
  return std::make_unique<FolderSearch>(std::move(folder), name);
}

}  // namespace tabulara::platform::posix
