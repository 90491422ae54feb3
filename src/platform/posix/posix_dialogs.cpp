#include <stdexcept>

#include "platform/posix/desktop_open.h"
#include "platform/posix/font_families.h"
#include "platform/posix/posix_platform.h"

namespace tabulara::platform::posix {

std::vector<std::string> PosixPlatform::ScreenFontFamilies() {
  return options_.fontFamilies ? options_.fontFamilies() : FontconfigFamilies();
}

void PosixPlatform::OpenDocument(const std::string& verb, const std::string& file, int showCommand) {
  if (options_.openDocument) return options_.openDocument(verb, file, showCommand);
  OpenWithDesktop(ToPosixPath(file));
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
