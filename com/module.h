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

// Installs the Windows platform and runs Main, once per load, before the
// first object; a failure is raised and tried again at the next request.
void StartModule();

}  // namespace tabulara::com
