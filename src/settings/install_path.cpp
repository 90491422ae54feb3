#include "settings/install_path.h"

#include "platform/platform.h"

namespace tabulara::settings {

std::string WithFinalBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string InstallPath(const std::string& name) {
  return WithFinalBackslash(platform::Current().InstallFolder()) + name;
}

}  // namespace tabulara::settings
