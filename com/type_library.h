#pragma once

#include <oaidl.h>

#include "com/com_ptr.h"

namespace tabulara::com {

// The type information of `guid` from the type library embedded in the DLL.
HRESULT LoadTypeInfo(REFGUID guid, ComPtr<ITypeInfo>& info);

}  // namespace tabulara::com
