#pragma once

#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tabulara::com::dialogs {

// The platform of the DLL: the Win32 platform with the dialog windows,
// made from the templates of `module`'s resources.
class DialogPlatform : public platform::win32::Win32Platform {
 public:
  explicit DialogPlatform(HMODULE module) : Win32Platform(module), module_(module) {}

  std::shared_ptr<platform::ConfigView> ConfigDialog() override;
  std::shared_ptr<platform::AboutView> AboutDialog() override;

 private:
  HMODULE module_;
};

}  // namespace tabulara::com::dialogs
