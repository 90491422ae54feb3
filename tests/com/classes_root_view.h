#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

// Wine's classes root does not show the user's classes as Windows's does:
// there the keys registered under HKEY_CURRENT_USER\Software\Classes are
// mirrored into the machine's classes while the classes are used, and
// removed after. Nothing is mirrored where `progId` is found already.
class ClassesRootView {
 public:
  ClassesRootView(const wchar_t* progId, const std::vector<std::wstring>& userKeys) {
    CLSID clsid{};
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) return;
    for (const auto& key : userKeys) {
      const std::wstring path = L"Software\\Classes\\" + key;
      HKEY source = nullptr;
      if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) continue;
      HKEY copy = nullptr;
      if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copy, nullptr) ==
          ERROR_SUCCESS) {
        RegCopyTreeW(source, nullptr, copy);
        RegCloseKey(copy);
        mirrored_.push_back(path);
      }
      RegCloseKey(source);
    }
  }
  ClassesRootView(const ClassesRootView&) = delete;
  ClassesRootView& operator=(const ClassesRootView&) = delete;
  ~ClassesRootView() {
    for (const auto& path : mirrored_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
  }

 private:
  std::vector<std::wstring> mirrored_;
};
