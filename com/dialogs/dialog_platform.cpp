#include "com/dialogs/dialog_platform.h"

#include "com/dialogs/about_window.h"
#include "com/dialogs/config_window.h"

namespace tabulara::com::dialogs {

std::shared_ptr<platform::ConfigView> DialogPlatform::ConfigDialog() {
  return std::make_shared<ConfigWindow>(module_);
}

std::shared_ptr<platform::AboutView> DialogPlatform::AboutDialog() { return std::make_shared<AboutWindow>(module_); }

}  // namespace tabulara::com::dialogs
