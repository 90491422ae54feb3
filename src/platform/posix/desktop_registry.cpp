#include "platform/posix/desktop_registry.h"

#include <strings.h>

#include <filesystem>

#include "platform/posix/processes.h"
#include "platform/posix/stand_ins.h"

namespace tabulara::platform::posix {
namespace {

bool SameText(const std::string& left, const char* right) { return ::strcasecmp(left.c_str(), right) == 0; }

std::string DocumentsFolder(const std::string& searchPath, const std::string& home) {
  if (const auto userDir = FindOnPath("xdg-user-dir", searchPath)) {
    if (auto output = OutputOf({userDir->string(), "DOCUMENTS"})) {
      while (!output->empty() && (output->back() == '\n' || output->back() == '\r')) output->pop_back();
      if (!output->empty()) return *output;
    }
  }
  return (std::filesystem::path(home) / "Documents").string();
}

std::optional<std::string> ProgramPath(const char* windowsName, const std::string& searchPath) {
  const auto program = StandIn(windowsName, searchPath);
  if (!program) return std::nullopt;
  return program->string();
}

std::optional<std::string> ProgramFolder(const char* windowsName, const std::string& searchPath) {
  const auto program = StandIn(windowsName, searchPath);
  if (!program) return std::nullopt;
  return program->parent_path().string();
}

}  // namespace

RegistryReader DesktopRegistry(std::string programSearchPath, std::string home) {
  return [searchPath = std::move(programSearchPath), home = std::move(home)](
             RegistryRoot root, const std::string& key, const std::string& valueName) -> std::optional<std::string> {
    if (root == RegistryRoot::CurrentUser) {
      if (SameText(key, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders") &&
          SameText(valueName, "Personal")) {
        return DocumentsFolder(searchPath, home);
      }
      if (SameText(key, "SOFTWARE\\Skype\\Phone") && SameText(valueName, "SkypePath")) {
        return ProgramPath("Skype.exe", searchPath);
      }
      return std::nullopt;
    }
    if (SameText(key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSNMSGR.EXE") &&
        SameText(valueName, "Path")) {
      return ProgramFolder("MSNMSGR.EXE", searchPath);
    }
    if (SameText(key, "SOFTWARE\\Yahoo\\Essentials") && SameText(valueName, "MainDir")) {
      return ProgramFolder("yahoomessenger.exe", searchPath);
    }
    return std::nullopt;
  };
}

}  // namespace tabulara::platform::posix
