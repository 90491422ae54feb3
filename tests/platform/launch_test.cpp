#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "host/host_error.h"
#include "platform/posix/desktop_registry.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/stand_ins.h"

namespace tabulara::platform::posix {
namespace {

class Launching : public ::testing::Test {
 protected:
  Launching() {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(bin_);
  }
  ~Launching() override { std::filesystem::remove_all(root_); }

  // A program on the test's search path that is a real one under another name.
  void Alias(const std::string& name, const std::string& realProgram) const {
    const char* path = std::getenv("PATH");
    const auto real = FindOnPath(realProgram, path != nullptr ? path : "");
    ASSERT_TRUE(real) << realProgram;
    std::filesystem::create_symlink(*real, bin_ / name);
  }
  void AddProgram(const std::string& name) const {
    std::ofstream(bin_ / name) << "";
    std::filesystem::permissions(bin_ / name, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  }

  const std::filesystem::path root_ =
      std::filesystem::temp_directory_path() / ("tabulara-launch-" + std::to_string(::getpid()));
  const std::filesystem::path bin_ = root_ / "bin";
};

TEST_F(Launching, TheFileManagerCommandLineStartsARealProgramAndAFailedStartRaises) {
  Alias("xdg-open", "mkdir");  // the stand-in for the file manager makes the folder it is given
  PosixOptions options;
  options.programSearchPath = bin_.string();
  PosixPlatform platform(std::move(options));
  const auto made = root_ / "made by a start";
  platform.StartProgram("Explorer.exe \"" + made.string() + "\"", kShowNormal);
  for (int wait = 0; wait < 200 && !std::filesystem::exists(made); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(std::filesystem::is_directory(made));

  std::ofstream(root_ / "plain.exe") << "";
  const std::vector<std::pair<std::string, long>> refused = {{(root_ / "gone.exe").string(), 53},
                                                             {(root_ / "plain.exe").string(), 70}};
  for (const auto& [program, number] : refused) {
    try {
      platform.StartProgram(program, kShowNormal);
      ADD_FAILURE() << program << " started";
    } catch (const host::HostError& error) {
      EXPECT_EQ(error.Number(), number) << program;
    }
  }
}

TEST_F(Launching, TheDesktopAnswersTheRegistryFromTheProgramsOnThePath) {
  Alias("xdg-user-dir", "echo");  // prints the name it is asked for
  for (const char* program : {"amsn", "pidgin", "skype", "kmines"}) AddProgram(program);
  const auto registry = DesktopRegistry(bin_.string(), "/home/someone");
  const auto withoutUserDirs = DesktopRegistry((root_ / "empty").string(), "/home/someone");
  const std::string bin = bin_.string();
  struct Read {
    RegistryRoot root;
    const char* key;
    const char* value;
    std::optional<std::string> expected;
  };
  const std::vector<Read> reads = {
      {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
       "Personal", "DOCUMENTS"},
      {RegistryRoot::CurrentUser, "SOFTWARE\\Skype\\Phone", "SkypePath", bin + "/skype"},
      {RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSNMSGR.EXE", "Path",
       bin},
      {RegistryRoot::LocalMachine, "software\\yahoo\\essentials", "maindir", bin},
      {RegistryRoot::CurrentUser, "SOFTWARE\\Yahoo\\Essentials", "MainDir", std::nullopt},
      {RegistryRoot::LocalMachine, "SOFTWARE\\Skype\\Phone", "Other", std::nullopt},
  };
  for (const auto& read : reads) EXPECT_EQ(registry(read.root, read.key, read.value), read.expected) << read.key;
  EXPECT_EQ(withoutUserDirs(RegistryRoot::CurrentUser, reads[0].key, "Personal"), "/home/someone/Documents");
  EXPECT_EQ(withoutUserDirs(RegistryRoot::CurrentUser, reads[1].key, "SkypePath"), std::nullopt);
}

}  // namespace
}  // namespace tabulara::platform::posix
