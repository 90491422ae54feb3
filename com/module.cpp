#include "com/module.h"

#include <atomic>
#include <memory>

#include "addin/main.h"
#include "com/dialogs/dialog_platform.h"
#include "platform/win32/module_file.h"

namespace tabulara::com {
namespace {
HMODULE module = nullptr;
std::atomic<long> references{0};
}  // namespace

HMODULE Module() { return module; }

void SetModule(HMODULE handle) { module = handle; }

std::wstring ModulePath() { return platform::win32::ModuleFileName(module); }

void AddModuleReference() { ++references; }
void ReleaseModuleReference() { --references; }
bool ModuleInUse() { return references > 0; }

void StartModule() {
  static const bool started = [] {
    platform::Install(std::make_shared<dialogs::DialogPlatform>(module));
    addin::Main();
    return true;
  }();
  (void)started;
}

}  // namespace tabulara::com
