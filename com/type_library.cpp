#include "com/type_library.h"

#include <oleauto.h>

#include "com/module.h"

namespace tabulara::com {

HRESULT LoadTypeInfo(REFGUID guid, ComPtr<ITypeInfo>& info) {
  ComPtr<ITypeLib> library;
  const HRESULT loaded = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, library.put());
  if (FAILED(loaded)) return loaded;
  return library->GetTypeInfoOfGuid(guid, info.put());
}

}  // namespace tabulara::com
