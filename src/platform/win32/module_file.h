#pragma once

#include <windows.h>

#include <string>

namespace tabulara::platform::win32 {

// The full path of a loaded module's file.
std::wstring ModuleFileName(HMODULE module);

}  // namespace tabulara::platform::win32
