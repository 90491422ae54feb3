#include "host/host_error.h"
#include "platform/win32/win32_platform.h"

namespace tabulara::platform::win32 {

// The dialog windows are not part of this build of the DLL yet: opening one
// fails with the runtime's error, which the caller reports.
std::shared_ptr<ConfigView> Win32Platform::ConfigDialog() {
  throw host::HostError(host::kErrInvalidCall, "The configuration dialog is not available in this build");
}

std::shared_ptr<AboutView> Win32Platform::AboutDialog() {
  throw host::HostError(host::kErrInvalidCall, "The About dialog is not available in this build");
}

}  // namespace tabulara::platform::win32
