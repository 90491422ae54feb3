#pragma once

#include <unknwn.h>

#include <atomic>
#include <memory>

#include "com/module.h"

namespace tabulara::com {

// The IUnknown of an object of this DLL that implements `Interface`: it
// keeps the module loaded while it lives and deletes itself at the last
// Release.
template <class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (!Answers(iid)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() { AddModuleReference(); }
  virtual ~ComObject() { ReleaseModuleReference(); }
  // Whether the object hands out `Interface` for this interface id.
  virtual bool Answers(REFIID iid) const = 0;

 private:
  std::atomic<ULONG> references_{0};
};

// Hands a newly made object (none when memory ran out) to the caller as the
// interface asked for, or deletes it when it has none such.
template <class Object>
HRESULT HandOut(std::unique_ptr<Object> created, REFIID iid, void** object) {
  if (!created) return E_OUTOFMEMORY;
  const HRESULT found = created->QueryInterface(iid, object);
  if (SUCCEEDED(found)) created.release();
  return found;
}

}  // namespace tabulara::com
