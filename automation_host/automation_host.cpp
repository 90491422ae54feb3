#include "automation_host/automation_host.h"

#include <oleauto.h>

#include <stdexcept>

#include "automation_host/com_automation_server.h"
#include "automation_host/exposed.h"
#include "platform/win32/registry_key.h"

namespace tabulara::automation {
namespace {

constexpr const wchar_t* kAddInsKey = L"Software\\Microsoft\\Office\\Excel\\Addins";
constexpr DWORD kLoadAtStartup = 3;

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(result));
}

// An empty custom array, as the host passes it.
struct Custom {
  Custom() : array(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~Custom() { SafeArrayDestroy(array); }
  SAFEARRAY* array;
};

}  // namespace

AutomationHost::AutomationHost()
    : clipboard_(std::make_shared<platform::Clipboard>()), host_(clipboard_) {
  Check(CoInitialize(nullptr), "CoInitialize");
  *application_.put() = Expose(host_.Application());
  ShareClipboard(clipboard_);
}

AutomationHost::~AutomationHost() {
  addIn_ = {};
  application_ = {};
  CoUninitialize();
}

std::vector<std::wstring> AutomationHost::StartupAddIns() {
  std::vector<std::wstring> found;
  const auto addIns = platform::win32::RegistryKey::Open(HKEY_CURRENT_USER, kAddInsKey);
  if (!addIns) return found;
  for (const std::wstring& name : addIns->SubkeyNames()) {
    const auto addIn = platform::win32::RegistryKey::Open(HKEY_CURRENT_USER, std::wstring(kAddInsKey) + L"\\" + name);
    if (addIn && addIn->Number(L"LoadBehavior") == kLoadAtStartup) found.push_back(name);
  }
  return found;
}

void AutomationHost::Load(const std::wstring& progId) {
  CLSID clsid{};
  Check(CLSIDFromProgID(progId.c_str(), &clsid), "CLSIDFromProgID");
  Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__IDTExtensibility2, addIn_.put_void()),
        "CoCreateInstance");
}

void AutomationHost::Connect(ext_ConnectMode mode) {
  Custom custom;
  Check(addIn_->OnConnection(application_.get(), mode, nullptr, &custom.array), "OnConnection");
}

void AutomationHost::StartupComplete() {
  Custom custom;
  Check(addIn_->OnStartupComplete(&custom.array), "OnStartupComplete");
}

void AutomationHost::Disconnect() {
  Custom custom;
  Check(addIn_->OnDisconnection(ext_dm_UserClosed, &custom.array), "OnDisconnection");
}

void AutomationHost::Unload() { addIn_ = {}; }

void AutomationHost::KnowAutomationClass(const std::string& progId) {
  host_.addIns().Register(progId, [progId] { return CreateByProgID(progId); });
}

void AutomationHost::Click(const std::vector<std::string>& path) { host_.commandBars().Click(path); }

}  // namespace tabulara::automation
