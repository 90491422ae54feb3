// The four exports of the in-process server (named in Tabulara.def).
#include <windows.h>
#include <olectl.h>

#include "com/class_factory.h"
#include "com/com_error.h"
#include "com/formula_object.h"
#include "com/gridwright_object.h"
#include "com/module.h"
#include "com/registration.h"

using namespace tabulara::com;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return Guarded([&] {
    StartModule();
    if (clsid == CLSID_Gridwright) return ClassFactory::Create(&GridwrightObject::Create, iid, object);
    if (clsid == CLSID_Formula) return ClassFactory::Create(&FormulaObject::Create, iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
  });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return Guarded([] { return RegisterServer(); });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return Guarded([] { return UnregisterServer(); });
}
