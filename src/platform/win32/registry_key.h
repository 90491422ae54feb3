#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tabulara::platform::win32 {

// An open registry key, closed when it goes.
class RegistryKey {
 public:
  static std::optional<RegistryKey> Open(HKEY parent, const std::wstring& path);
  static std::optional<RegistryKey> Create(HKEY parent, const std::wstring& path);
  // Removes the key with everything under it; true when it is gone.
  static bool DeleteTree(HKEY parent, const std::wstring& path);

  RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKey& operator=(RegistryKey&&) = delete;
  ~RegistryKey();

  // A text value (REG_SZ); the empty name is the key's default value.
  std::optional<std::wstring> Text(const std::wstring& name) const;
  bool SetText(const std::wstring& name, const std::wstring& value);
  // A whole-number value (REG_DWORD).
  std::optional<DWORD> Number(const std::wstring& name) const;
  bool SetNumber(const std::wstring& name, DWORD value);
  // The names of the keys directly below this one.
  std::vector<std::wstring> SubkeyNames() const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  HKEY key_;
};

}  // namespace tabulara::platform::win32
