#pragma once

#include <windows.h>

#include <string>

namespace tabulara::com {

// The DLL's own handle, kept by DllMain.
HMODULE Module();
void SetModule(HMODULE module);
std::wstring ModulePath();

// The live objects and server locks, which keep the DLL loaded.
void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

// Installs the Windows platform, once per load, before the first object.
void StartModule();

}  // namespace tabulara::com
