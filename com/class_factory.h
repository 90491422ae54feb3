#pragma once

#include <unknwn.h>

#include "com/com_object.h"

namespace tabulara::com {

// Creates the objects of one class for DllGetClassObject.
class ClassFactory final : public ComObject<IClassFactory> {
 public:
  using Creator = HRESULT (*)(REFIID iid, void** object);
  static HRESULT Create(Creator creator, REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(Creator creator) : creator_(creator) {}
  bool Answers(REFIID iid) const override;

  Creator creator_;
};

}  // namespace tabulara::com
