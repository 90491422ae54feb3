#include "settings/ini_value.h"

#include <exception>

#include "platform/platform.h"
#include "settings/install_path.h"

namespace tabulara::settings {
namespace {

// The caller's buffer holds 255 characters; the platform is told it holds
// 256, so a value that fills all 255 leaves no NUL inside the buffer.
constexpr std::size_t kBufferCharacters = 255;
constexpr std::size_t kBufferSizeGiven = 256;

std::string ResolveFile(const std::string& fileName) {
  return fileName.empty() ? InstallPath("Config.ini") : fileName;
}

}  // namespace

std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                         const std::string& fileName) {
  try {
    const std::string buffer = platform::Current().GetPrivateProfileString(section, key, defaultValue,
                                                                           kBufferSizeGiven, ResolveFile(fileName));
    const auto end = buffer.substr(0, kBufferCharacters).find('\0');
    if (end == std::string::npos) return defaultValue;
    return buffer.substr(0, end);
  } catch (const std::exception&) {
    return defaultValue;
  }
}

bool WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& fileName) {
  return platform::Current().WritePrivateProfileString(section, key, value, ResolveFile(fileName));
}

}  // namespace tabulara::settings
