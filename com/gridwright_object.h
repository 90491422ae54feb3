#pragma once

#include <windows.h>

#include "addin/gridwright.h"
#include "com/com_ptr.h"
#include "com/dual_object.h"
#include "quorvel.h"

namespace tabulara::com {

// The creatable class Gridwright: the host connects the add-in through its
// IDTExtensibility2, called by vtable or through the type library's
// dispatch information; the host's Application is reached by IDispatch.
class GridwrightObject final : public DualObject<_IDTExtensibility2> {
 public:
  static HRESULT Create(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst,
                                         SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode removeMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  explicit GridwrightObject(ComPtr<ITypeInfo> typeInfo) : DualObject(std::move(typeInfo)) {}
  bool Answers(REFIID iid) const override;

  addin::Gridwright connection_;
};

}  // namespace tabulara::com
