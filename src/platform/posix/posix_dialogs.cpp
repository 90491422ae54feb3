#include <stdexcept>

#include "platform/posix/font_families.h"
#include "platform/posix/posix_platform.h"

namespace tabulara::platform::posix {

std::vector<std::string> PosixPlatform::ScreenFontFamilies() {
  return options_.fontFamilies ? options_.fontFamilies() : FontconfigFamilies();
}

std::shared_ptr<ConfigView> PosixPlatform::ConfigDialog() {
  if (!options_.configDialogs) throw std::runtime_error("no terminal to show the configuration dialog on");
  return options_.configDialogs();
}

std::shared_ptr<AboutView> PosixPlatform::AboutDialog() {
  if (!options_.aboutDialogs) throw std::runtime_error("no terminal to show the About dialog on");
  return options_.aboutDialogs();
}

}  // namespace tabulara::platform::posix
