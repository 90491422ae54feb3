#include "automation_host/com_automation_server.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "automation_host/exposed.h"
#include "com/binding/owned_variant.h"
#include "com/com_ptr.h"
#include "com/variants.h"
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
    if (FAILED(object_->GetTypeInfo(0, 1033, info.put()))) return names;
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
    std::wstring name = platform::win32::Widen(method);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, 1033, &id))) {
      throw host::HostError(438, "Object doesn't support this property or method");
    }
    // DISPPARAMS lists the arguments last first.
    std::vector<com::OwnedVariant> given(arguments.size());
    std::vector<VARIANT> reversed;
    for (std::size_t i = arguments.size(); i > 0; --i) {
      const host::Variant& argument = arguments[i - 1];
      VARIANT* value = given[i - 1].get();
      if (argument.IsObject()) {
        V_VT(value) = VT_DISPATCH;
        V_DISPATCH(value) = Expose(argument.AsObject());
      } else {
        com::ToVariant(argument, value);
      }
      reversed.push_back(*value);
    }
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    com::OwnedVariant result;
    EXCEPINFO exception{};
    const HRESULT called =
        object_->Invoke(id, IID_NULL, 1033, DISPATCH_METHOD, &parameters, result.get(), &exception, nullptr);
    if (FAILED(called)) {
      const std::wstring description = exception.bstrDescription == nullptr ? L"" : exception.bstrDescription;
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      throw host::HostError(HRESULT_CODE(called == DISP_E_EXCEPTION ? exception.scode : called),
                            platform::win32::Narrow(description));
    }
    return com::PlainValue(*result.get());
  }

 private:
  com::ComPtr<IDispatch> object_;
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
