#pragma once

#include <windows.h>

#include "addin/gridwright.h"
#include "com/com_object.h"
#include "com/com_ptr.h"
#include "quorvel.h"

namespace tabulara::com {

// The creatable class Gridwright: the host connects the add-in through its
// IDTExtensibility2, called by vtable or through the type library's
// dispatch information; the host's Application is reached by IDispatch.
class GridwrightObject final : public ComObject<_IDTExtensibility2> {
 public:
  static HRESULT Create(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst,
                                         SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode removeMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  explicit GridwrightObject(ComPtr<ITypeInfo> typeInfo) : typeInfo_(std::move(typeInfo)) {}
  bool Answers(REFIID iid) const override;

  ComPtr<ITypeInfo> typeInfo_;
  addin::Gridwright connection_;
};

}  // namespace tabulara::com
