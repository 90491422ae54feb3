#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tabulara::platform::posix {

// The executable file `name` in the first folder of `searchPath` (folders
// separated by colons, as PATH lists them) that holds one.
std::optional<std::filesystem::path> FindOnPath(const std::string& name, const std::string& searchPath);

// The Linux program that stands in for a Windows program the add-in names
// by its file name (matched without regard to case), found on the path.
std::optional<std::filesystem::path> StandIn(const std::string& windowsName, const std::string& searchPath);

// The program a path or a bare name names: the file itself, or the program
// of that name on the path, else the stand-in for its file name.
std::optional<std::filesystem::path> ResolveProgram(const std::string& program, const std::string& searchPath);

}  // namespace tabulara::platform::posix
