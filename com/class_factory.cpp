#include "com/class_factory.h"

#include <memory>
#include <new>

#include "com/module.h"

namespace tabulara::com {

HRESULT ClassFactory::Create(Creator creator, REFIID iid, void** object) {
  std::unique_ptr<ClassFactory> created(new (std::nothrow) ClassFactory(creator));
  if (!created) return E_OUTOFMEMORY;
  const HRESULT found = created->QueryInterface(iid, object);
  if (SUCCEEDED(found)) created.release();
  return found;
}

ClassFactory::ClassFactory(Creator creator) : creator_(creator) { AddModuleReference(); }

ClassFactory::~ClassFactory() { ReleaseModuleReference(); }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return ++references_; }

ULONG ClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return creator_(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    AddModuleReference();
  } else {
    ReleaseModuleReference();
  }
  return S_OK;
}

}  // namespace tabulara::com
