#include "platform/posix/file_search.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <string_view>

namespace tabulara::platform::posix {
namespace {

// Whether `name` matches `pattern`, whose * stands for any characters and ?
// for one; letters are compared without regard to case.
bool Matches(std::string_view name, std::string_view pattern) {
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  std::size_t n = 0, p = 0, starName = std::string_view::npos, starPattern = std::string_view::npos;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

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
      if (!Matches(name, namePattern_)) continue;
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
  if (slash == std::string::npos) return std::make_unique<FolderSearch>(".", posixPattern);
  std::string folder = slash == 0 ? std::string("/") : posixPattern.substr(0, slash);
  return std::make_unique<FolderSearch>(std::move(folder), posixPattern.substr(slash + 1));
}

}  // namespace tabulara::platform::posix
