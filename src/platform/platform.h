#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/variant.h"
#include "platform/about_view.h"
#include "platform/config_view.h"

namespace tabulara::platform {

// Message-box flags and answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The show command and window style of a normal window with the focus.
inline constexpr int kShowNormal = 1;

// The registry roots the add-in reads from.
enum class RegistryRoot { CurrentUser, LocalMachine };

// A search of the file system for normal files (not folders, not hidden or
// system files) whose names match a pattern, in the order the file system
// yields them. Destroying it ends the search.
class FileSearch {
 public:
  virtual ~FileSearch() = default;
  // The next file name (without its folder); none when the search is done.
  virtual std::optional<std::string> Next() = 0;
};

// Everything outside the host that the add-in touches. Texts are UTF-8; the
// Windows implementation converts to and from the ANSI code page.
class Platform {
 public:
  virtual ~Platform() = default;

  // GetPrivateProfileStringA: returns a buffer of exactly `size` bytes filled
  // as the Windows call fills it (the value or the default, cut to size - 1
  // bytes and NUL-terminated; the rest NUL).
  virtual std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, std::size_t size,
                                              const std::string& file) = 0;
  // WritePrivateProfileStringA: true when the value was written.
  virtual bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                         const std::string& file) = 0;

  // The per-user settings store, addressed by application, section and key.
  virtual std::optional<std::string> GetSetting(const std::string& appName, const std::string& section,
                                                const std::string& key) = 0;
  virtual void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                           const std::string& value) = 0;

  // GetSystemDefaultLangID.
  virtual std::uint16_t SystemDefaultLangID() = 0;
  // The folder that holds the add-in.
  virtual std::string InstallFolder() = 0;

  // Seeds the generator from the system timer.
  virtual void Randomize() = 0;
  // The next number of the generator, from 0 up to but not including 1.
  virtual float Rnd() = 0;
  // Today's date in the local time zone, without the time of day.
  virtual host::Date Today() = 0;

  // Shows a message box and returns the answer (vbOK, vbYes, vbNo). Without
  // a title the box carries the platform's default title.
  virtual int MessageBox(const std::string& text, int flags, const std::optional<std::string>& title) = 0;

  // Starts a search for files matching `pattern`, a folder and a name
  // pattern with * and ? ("C:\Templates\*.xlt"), matched without regard to
  // case.
  virtual std::unique_ptr<FileSearch> FindFiles(const std::string& pattern) = 0;

  virtual void ClearClipboard() = 0;
  // Loads one of the add-in's own bitmap resources and puts it on the
  // clipboard.
  virtual void PutBitmapOnClipboard(int resourceId) = 0;

  // Case mapping and the locale-aware, case-insensitive comparison
  // (negative, zero or positive).
  virtual std::string UpperCase(const std::string& text) = 0;
  virtual std::string LowerCase(const std::string& text) = 0;
  virtual int CompareTextNoCase(const std::string& left, const std::string& right) = 0;

  // Opens a registry key for querying, reads one text value into `buffer`
  // and closes the key: the value's text goes from the start of the buffer,
  // as far as it fits, with a NUL after it when there is room. A key or value
  // that is missing leaves the buffer as it was.
  virtual void ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName,
                                 std::string& buffer) = 0;
  // Opens a document, a folder or a web address with `verb` in the program
  // the system associates with it; whether that worked is not reported.
  virtual void OpenDocument(const std::string& verb, const std::string& file, int showCommand) = 0;
  // Starts a program from a command line (the program, then its arguments;
  // quotes group blanks) and does not wait for it. Raises the platform's
  // error when the program cannot be started.
  virtual void StartProgram(const std::string& commandLine, int windowStyle) = 0;
  // Whether a file exists at this full path.
  virtual bool FileExists(const std::string& path) = 0;
  // The value of an environment variable; empty when it is not set.
  virtual std::string EnvironmentVariable(const std::string& name) = 0;
  // The font families of the screen, in the order the system reports them.
  virtual std::vector<std::string> ScreenFontFamilies() = 0;
  // A new window for the configuration dialog and for the About dialog.
  virtual std::shared_ptr<ConfigView> ConfigDialog() = 0;
  virtual std::shared_ptr<AboutView> AboutDialog() = 0;
};

// The platform of this load of the add-in, installed by whoever loads it
// (the COM server, the command line, a test) before anything else runs.
Platform& Current();
void Install(std::shared_ptr<Platform> platform);

}  // namespace tabulara::platform
