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
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kAddInsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return found;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DWORD behavior = 0;
    DWORD size = sizeof behavior;
    if (RegGetValueW(key, name, L"LoadBehavior", RRF_RT_REG_DWORD, nullptr, &behavior, &size) == ERROR_SUCCESS &&
        behavior == kLoadAtStartup) {
      found.emplace_back(name);
    }
  }
  RegCloseKey(key);
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
