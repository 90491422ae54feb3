#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tabulara::xlsx {

// How long a named pipe may stay without data before it is given up.
inline constexpr std::chrono::seconds kPipeWait{10};

// The bytes of a workbook file, read once from its start to its end: a
// regular file, or a pipe (a named one, or one the shell makes for
// `<(...)`). A pipe that nothing is written to within `pipeWait`, more than
// `maxBytes` bytes, a folder, a device and a socket are refused with a
// PackageError that names the file.
std::string ReadInputFile(const std::filesystem::path& file, std::uint64_t maxBytes,
                          std::chrono::seconds pipeWait = kPipeWait);

}  // namespace tabulara::xlsx
