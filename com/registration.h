#pragma once

#include <windows.h>

namespace tabulara::com {

// Writes the classes, their ProgIDs, interfaces and the type library under
// HKEY_CURRENT_USER\Software\Classes; on a failure removes what it wrote.
HRESULT RegisterServer();
// Removes exactly the keys RegisterServer writes.
HRESULT UnregisterServer();

}  // namespace tabulara::com
