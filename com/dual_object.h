#pragma once

#include <oleauto.h>

#include <utility>

#include "com/com_object.h"
#include "com/com_ptr.h"

namespace tabulara::com {

// An object of this DLL with a dual interface: its IDispatch half answered
// from the interface's type information, calls going to the vtable half.
template <class Interface>
class DualObject : public ComObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    typeInfo_->AddRef();
    *info = typeInfo_.get();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override {
    return DispInvoke(static_cast<Interface*>(this), typeInfo_.get(), id, flags, parameters, result, exception,
                      argumentError);
  }

 protected:
  explicit DualObject(ComPtr<ITypeInfo> typeInfo) : typeInfo_(std::move(typeInfo)) {}

 private:
  ComPtr<ITypeInfo> typeInfo_;
};

}  // namespace tabulara::com
