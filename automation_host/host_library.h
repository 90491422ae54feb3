#pragma once

#include <oaidl.h>

#include "com/com_ptr.h"

namespace tabulara::automation {

// The type information of an interface of the host's type library, which
// this program carries as a resource.
com::ComPtr<ITypeInfo> TypeInfo(REFIID type);

}  // namespace tabulara::automation
