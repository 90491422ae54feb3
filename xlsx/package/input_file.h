#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "xlsx/system/file_descriptor.h"

namespace tabulara::xlsx {

// How long a named pipe may stay without data before it is given up.
inline constexpr std::chrono::seconds kPipeWait{10};

// A workbook file opened for reading: a regular file is left where it is,
// to be read where it is needed; a pipe, which can be read only once, is read
// whole into `bytes`.
struct InputFile {
  FileDescriptor descriptor;
  std::uint64_t size = 0;
  std::optional<std::string> bytes;
};

// Opens a workbook file as ReadInputFile reads it, with the same refusals.
InputFile OpenInputFile(const std::filesystem::path& file, std::uint64_t maxBytes,
                        std::chrono::seconds pipeWait = kPipeWait);

// All the bytes of an opened workbook file, `file`, which the messages name.
std::string ReadAll(InputFile input, const std::filesystem::path& file);

// The bytes of a workbook file, read once from its start to its end: a
// regular file, or a pipe (a named one, or one the shell makes for
// `<(...)`). A pipe that nothing is written to within `pipeWait`, more than
// `maxBytes` bytes, a folder, a device and a socket are refused with a
// PackageError that names the file.
std::string ReadInputFile(const std::filesystem::path& file, std::uint64_t maxBytes,
                          std::chrono::seconds pipeWait = kPipeWait);

}  // namespace tabulara::xlsx
