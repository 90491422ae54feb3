#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace tabulara::platform::posix {

// A file search over a POSIX folder: regular files whose names do not start
// with a dot and match the name pattern without regard to case.
std::unique_ptr<FileSearch> SearchFolder(const std::string& posixPattern);

}  // namespace tabulara::platform::posix
