#pragma once

#include <ctime>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/posix_platform.h"

namespace tabulara::testing {

// The real POSIX platform over a fresh installation folder and settings
// folder, installed as the current platform for the length of a test.
// Message boxes are recorded and answered from `answers` (the default button
// when it is empty). The registry is `registry`; programs are looked for in
// `programFolder` only and recorded in `started`, never started.
class TestPlatform {
 public:
  explicit TestPlatform(const std::string& locale = "en_US.UTF-8");
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  // Writes a file below the installation folder.
  void WriteInstallFile(const std::string& name, const std::string& content) const;
  // Puts an executable file into `programFolder`.
  void AddProgram(const std::string& name) const;

  platform::posix::PosixPlatform& platform() { return *platform_; }
  // Stops the platform's clock at noon of this local date.
  void SetToday(int year, int month, int day);

  std::filesystem::path root;
  std::filesystem::path installFolder;
  std::filesystem::path configHome;
  std::filesystem::path programFolder;
  // Registry values by root ("HKCU" or "HKLM"), key and value name joined by
  // backslashes: "HKCU\SOFTWARE\Skype\Phone\SkypePath".
  std::map<std::string, std::string> registry;
  // The programs started, each as its arguments.
  std::vector<std::vector<std::string>> started;
  std::vector<platform::posix::MessageBoxRequest> messages;
  std::deque<int> answers;
  // The clock's time when stopped.
  std::optional<std::time_t> now;
  // The screen's font families; the dialogs' windows.
  std::vector<std::string> fontFamilies = {"@MS Gothic", "Arial", "Courier New", "MS Gothic", "Verdana"};
  std::shared_ptr<platform::ConfigView> configDialog;
  std::shared_ptr<platform::AboutView> aboutDialog;

 private:
  std::shared_ptr<platform::posix::PosixPlatform> platform_;
};

}  // namespace tabulara::testing
