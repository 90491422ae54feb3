#pragma once

#include <windows.h>
// The platform's members keep their portable names in every file that sees
// them; the Win32 calls are named in full.
#undef GetPrivateProfileString
#undef WritePrivateProfileString
#undef MessageBox

#include "platform/basic_random.h"
#include "platform/platform.h"

namespace tabulara::platform::win32 {

// The platform of the Windows product, over the Win32 API, but for the
// dialog windows, which the DLL adds. `module` is the DLL's own handle (an
// HMODULE): its folder is the installation folder.
class Win32Platform : public Platform {
 public:
  explicit Win32Platform(void* module) : module_(module) {}

  std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::size_t size,
                                      const std::string& file) override;
  bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& file) override;
  std::optional<std::string> GetSetting(const std::string& appName, const std::string& section,
                                        const std::string& key) override;
  void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                   const std::string& value) override;
  std::uint16_t SystemDefaultLangID() override;
  std::string InstallFolder() override;
  void Randomize() override;
  float Rnd() override;
  host::Date Today() override;
  int MessageBox(const std::string& text, int flags, const std::optional<std::string>& title) override;
  std::unique_ptr<FileSearch> FindFiles(const std::string& pattern) override;
  void ClearClipboard() override;
  void PutBitmapOnClipboard(int resourceId) override;
  std::string UpperCase(const std::string& text) override;
  std::string LowerCase(const std::string& text) override;
  int CompareTextNoCase(const std::string& left, const std::string& right) override;
  void ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName,
                         std::string& buffer) override;
  void OpenDocument(const std::string& verb, const std::string& file, int showCommand) override;
  void StartProgram(const std::string& commandLine, int windowStyle) override;
  bool FileExists(const std::string& path) override;
  std::string EnvironmentVariable(const std::string& name) override;
  std::vector<std::string> ScreenFontFamilies() override;

 private:
  void* module_;
  BasicRandom random_;
};

}  // namespace tabulara::platform::win32
