#pragma once

#include <unknwn.h>

#include <atomic>

namespace tabulara::com {

// Creates the objects of one class for DllGetClassObject.
class ClassFactory final : public IClassFactory {
 public:
  using Creator = HRESULT (*)(REFIID iid, void** object);
  static HRESULT Create(Creator creator, REFIID iid, void** object);

  // Deleted by the last Release.
  ~ClassFactory();
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(Creator creator);

  std::atomic<ULONG> references_{0};
  Creator creator_;
};

}  // namespace tabulara::com
