#include "com/class_factory.h"

#include <memory>
#include <new>

#include "com/module.h"

namespace tabulara::com {

HRESULT ClassFactory::Create(Creator creator, REFIID iid, void** object) {
  return HandOut(std::unique_ptr<ClassFactory>(new (std::nothrow) ClassFactory(creator)), iid, object);
}

bool ClassFactory::Answers(REFIID iid) const { return iid == IID_IUnknown || iid == IID_IClassFactory; }

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
