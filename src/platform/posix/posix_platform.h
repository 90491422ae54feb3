#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/basic_random.h"
#include "platform/clipboard.h"
#include "platform/platform.h"
#include "platform/posix/desktop_registry.h"
#include "platform/posix/message_boxes.h"
#include "platform/posix/processes.h"

namespace tabulara::platform::posix {

struct PosixOptions {
  // The add-in's folder: TABULARA_HOME, else the folder of the program.
  std::filesystem::path installFolder;
  // Where the per-user settings live: XDG_CONFIG_HOME, else ~/.config.
  std::filesystem::path configHome;
  // The POSIX locale name the system language is read from ("zh_TW.UTF-8").
  std::string locale;
  MessageBoxPresenter messageBoxes;
  // The clipboard, shared with the embedded host.
  std::shared_ptr<Clipboard> clipboard = std::make_shared<Clipboard>();
  // The system clock.
  std::function<std::time_t()> clock = [] { return std::time(nullptr); };
  // The folders searched for programs, as PATH lists them.
  std::string programSearchPath;
  // The registry values the add-in reads: the desktop's answers when none is given.
  RegistryReader registry;
  // How programs are started: detached processes when none is given.
  ProgramStarter startProgram;
  // The screen's font families (fontconfig's when not given).
  std::function<std::vector<std::string>()> fontFamilies;
  // Windows of the dialogs; none while no toolkit shows them.
  std::function<std::shared_ptr<ConfigView>()> configDialogs;
  std::function<std::shared_ptr<AboutView>()> aboutDialogs;
};

// The options of this process: from the environment and the program's path.
PosixOptions OptionsFromEnvironment(MessageBoxPresenter messageBoxes);

// The system language identifier of a POSIX locale name: zh_CN 0x0804,
// zh_TW 0x0404, zh_HK 0x0C04, zh_SG 0x1004, ja_JP 0x0411, else 0x0409.
std::uint16_t LangIdOfLocale(const std::string& locale);

// Windows paths the add-in builds (folder + "\" + name) as POSIX paths.
std::string ToPosixPath(const std::string& path);

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(PosixOptions options);
  ~PosixPlatform() override;

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
  std::shared_ptr<ConfigView> ConfigDialog() override;
  std::shared_ptr<AboutView> AboutDialog() override;

  const std::shared_ptr<Clipboard>& SharedClipboard() const { return options_.clipboard; }
  // The user's configuration folder.
  const std::filesystem::path& ConfigHome() const { return options_.configHome; }

 private:
  std::filesystem::path SettingsFile(const std::string& appName) const;

  PosixOptions options_;
  BasicRandom random_;
  class Collation;
  std::unique_ptr<Collation> collation_;
};

}  // namespace tabulara::platform::posix
