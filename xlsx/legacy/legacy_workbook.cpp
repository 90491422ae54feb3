#include "xlsx/legacy/legacy_workbook.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tabulara::xlsx {
namespace {

constexpr std::array<unsigned char, 8> kCompoundFileSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

std::optional<std::filesystem::path> FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const auto candidate = std::filesystem::path(folder) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

// Runs the program with its output discarded; whether it exited with 0.
bool RunQuietly(const std::vector<std::string>& arguments) {
  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) return false;
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool IsLegacyBinaryWorkbook(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::array<unsigned char, 8> head{};
  stream.read(reinterpret_cast<char*>(head.data()), head.size());
  return stream.gcount() == static_cast<std::streamsize>(head.size()) && head == kCompoundFileSignature;
}

std::optional<std::filesystem::path> ConvertLegacyWorkbook(const std::filesystem::path& file,
                                                           const std::filesystem::path& folder) {
  const auto office = FindOnPath("soffice");
  if (!office) return std::nullopt;
  const std::string profile = "-env:UserInstallation=file://" + (folder / "profile").string();
  if (!RunQuietly({office->string(), profile, "--headless", "--convert-to", "xlsx", "--outdir", folder.string(),
                   file.string()})) {
    return std::nullopt;
  }
  const auto converted = folder / file.filename().replace_extension(".xlsx");
  std::error_code error;
  if (!std::filesystem::is_regular_file(converted, error)) return std::nullopt;
  return converted;
}

}  // namespace tabulara::xlsx
