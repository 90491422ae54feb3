#include "com/com_error.h"

#include <oleauto.h>

#include "com/com_ptr.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com {

HRESULT ErrorResult(long number, const std::string& description) {
  ComPtr<ICreateErrorInfo> created;
  if (SUCCEEDED(CreateErrorInfo(created.put()))) {
    created->SetSource(const_cast<LPOLESTR>(L"Tabulara"));
    std::wstring text = platform::win32::Widen(description);
    created->SetDescription(text.data());
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, info.put_void()))) SetErrorInfo(0, info.get());
  }
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

}  // namespace tabulara::com
