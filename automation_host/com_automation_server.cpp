#include "automation_host/com_automation_server.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "automation_host/exposed.h"
#include "com/binding/host_dispatch.h"
#include "com/com_ptr.h"
#include "host/host_error.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::automation {
namespace {

class ComAutomationServer final : public embedded::AutomationServer {
 public:
  explicit ComAutomationServer(com::ComPtr<IDispatch> object) : object_(std::move(object)) {}

  std::vector<std::string> Methods() const override {
    std::vector<std::string> names;
    com::ComPtr<ITypeInfo> info;
    if (FAILED(object_.get()->GetTypeInfo(0, 1033, info.put()))) return names;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return names;
    for (WORD i = 0; i < attributes->cFuncs; ++i) {
      FUNCDESC* function = nullptr;
      if (FAILED(info->GetFuncDesc(i, &function))) continue;
      // IUnknown's and IDispatch's own members are restricted.
      if (function->invkind == INVOKE_FUNC && (function->wFuncFlags & FUNCFLAG_FRESTRICTED) == 0) {
        BSTR name = nullptr;
        if (SUCCEEDED(info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr))) {
          names.push_back(platform::win32::Narrow(std::wstring(name, SysStringLen(name))));
          SysFreeString(name);
        }
      }
      info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return names;
  }

  host::Variant Invoke(const std::string& method, const std::vector<host::Variant>& arguments) override {
    std::vector<com::Argument> given;
    for (const host::Variant& argument : arguments) {
      if (!argument.IsObject()) {
        given.emplace_back(argument);
        continue;
      }
      com::ComPtr<IDispatch> exposed;
      *exposed.put() = Expose(argument.AsObject());
      given.emplace_back(exposed.get());
    }
    return com::ValueOf(object_.Call(platform::win32::Widen(method).c_str(), given));
  }

 private:
  com::HostDispatch object_;
};

}  // namespace

std::unique_ptr<embedded::AutomationServer> CreateByProgID(const std::string& progId) {
  CLSID clsid{};
  com::ComPtr<IDispatch> object;
  if (FAILED(CLSIDFromProgID(platform::win32::Widen(progId).c_str(), &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void()))) {
    throw host::HostError(host::kErrHostFailed, "Cannot run the add-in " + progId);
  }
  return std::make_unique<ComAutomationServer>(std::move(object));
}

}  // namespace tabulara::automation
