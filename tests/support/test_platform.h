#pragma once

#include <ctime>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/posix_platform.h"

namespace tabulara::testing {

// The real POSIX platform over a fresh installation folder and settings
// folder, installed as the current platform for the length of a test.
// Message boxes are recorded and answered from `answers` (the default button
// when it is empty).
class TestPlatform {
 public:
  explicit TestPlatform(const std::string& locale = "en_US.UTF-8");
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  // Writes a file below the installation folder.
  void WriteInstallFile(const std::string& name, const std::string& content) const;

  platform::posix::PosixPlatform& platform() { return *platform_; }
  // Stops the platform's clock at noon of this local date.
  void SetToday(int year, int month, int day);

  std::filesystem::path root;
  std::filesystem::path installFolder;
  std::filesystem::path configHome;
  std::vector<platform::posix::MessageBoxRequest> messages;
  std::deque<int> answers;
  // The clock's time when stopped.
  std::optional<std::time_t> now;
  // The screen's font families; the dialogs' windows; what was opened
  // ("verb file showCommand").
  std::vector<std::string> fontFamilies = {"@MS Gothic", "Arial", "Courier New", "MS Gothic", "Verdana"};
  std::shared_ptr<platform::ConfigView> configDialog;
  std::shared_ptr<platform::AboutView> aboutDialog;
  std::vector<std::string> openedDocuments;

 private:
  std::shared_ptr<platform::posix::PosixPlatform> platform_;
};

}  // namespace tabulara::testing
