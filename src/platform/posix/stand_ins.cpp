#include "platform/posix/stand_ins.h"

#include <strings.h>
#include <unistd.h>

#include <array>
#include <initializer_list>
#include <system_error>

#include "platform/posix/posix_platform.h"

namespace tabulara::platform::posix {
namespace {

struct StandInPrograms {
  const char* windowsName;
  std::initializer_list<const char*> linuxPrograms;
};

// In order of preference:
// - the file manager: xdg-open shows a folder in the user's file manager;
// - MSN Messenger: aMSN, the Linux client of its network, else Pidgin;
// - Yahoo Messenger: Pidgin, which spoke Yahoo's protocol;
// - Skype: Skype for Linux under its package's name, else its older name;
// - Minesweeper: GNOME Mines, else KMines.
const std::array<StandInPrograms, 5> kStandIns = {{
    {"Explorer.exe", {"xdg-open"}},
    {"MSNMSGR.EXE", {"amsn", "pidgin"}},
    {"yahoomessenger.exe", {"pidgin"}},
    {"Skype.exe", {"skypeforlinux", "skype"}},
    {"winmine.exe", {"gnome-mines", "kmines"}},
}};

bool IsExecutableFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::filesystem::path> FindOnPath(const std::string& name, const std::string& searchPath) {
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  for (std::size_t start = 0; start <= searchPath.size();) {
    const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
    const std::string folder = searchPath.substr(start, end - start);
    if (!folder.empty() && IsExecutableFile(std::filesystem::path(folder) / name)) {
      return std::filesystem::path(folder) / name;
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> StandIn(const std::string& windowsName, const std::string& searchPath) {
  for (const auto& standIn : kStandIns) {
    if (::strcasecmp(standIn.windowsName, windowsName.c_str()) != 0) continue;
    for (const char* program : standIn.linuxPrograms) {
      if (auto found = FindOnPath(program, searchPath)) return found;
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> ResolveProgram(const std::string& program, const std::string& searchPath) {
  const std::filesystem::path path = ToPosixPath(program);
  if (path.has_parent_path()) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
  } else if (auto found = FindOnPath(path.string(), searchPath)) {
    return found;
  }
  return StandIn(path.filename().string(), searchPath);
}

}  // namespace tabulara::platform::posix
