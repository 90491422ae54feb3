#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"

extern char** environ;

namespace tabulara::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(InputFiles, ANamedPipeIsReadOnce) {
  CliSandbox sandbox;
  WriteSampleWorkbook(sandbox.path() / "book.xlsx");
  const ProgramRun expected = sandbox.Run({"info", "book.xlsx"});
  ASSERT_EQ(expected.exitStatus, 0) << expected.err;

  const auto pipe = sandbox.path() / "book.pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_EQ(RunShellCommand("(cat " + ShellQuoted((sandbox.path() / "book.xlsx").string()) + " > " +
                            ShellQuoted(pipe.string()) + " &)"),
            0);
  const ProgramRun run = sandbox.Run({"info", "book.pipe"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, expected.out);
}

// Conversions of legacy workbooks, which need soffice.
class LegacyWorkbooks : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunShellCommand("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice is not on the PATH";
    legacy_ = CorpusFile("legacy_biff8_hidden_sheets.xls");
    if (legacy_.empty()) GTEST_SKIP() << "the corpus is absent";
  }
  CliSandbox sandbox;
  std::filesystem::path legacy_;
};

TEST_F(LegacyWorkbooks, AnEditIsWrittenOnlyToAnXlsxName) {
  const auto old = sandbox.Copy(legacy_, "old.xls");
  const ProgramRun inPlace = sandbox.Run({"upper-case-sheets", "old.xls"});
  EXPECT_EQ(inPlace.exitStatus, 2);
  EXPECT_EQ(inPlace.err,
            "tabulara: error: old.xls: not written: the workbook is saved as an .xlsx file, so its name must end in "
            ".xlsx (-o NAME.xlsx)\n");
  EXPECT_TRUE(ReadFile(old) == ReadFile(legacy_)) << "written over";

  // A name that looks like an option reaches soffice as a file.
  sandbox.Copy(legacy_, "-x.xls");
  const ProgramRun converted = sandbox.Run({"upper-case-sheets", "-o", "new.xlsx", "--", "-x.xls"});
  EXPECT_EQ(converted.exitStatus, 0) << converted.err;
  EXPECT_THAT(sandbox.Run({"info", "new.xlsx"}).out, HasSubstr("active sheet: VISIBLE\n"));
}

// The live processes whose command line mentions `text`.
std::vector<pid_t> ProcessesMentioning(const std::string& text) {
  std::vector<pid_t> found;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = ReadFile(entry.path() / "stat");
    const auto state = stat.rfind(") ");
    if (state == std::string::npos || stat.at(state + 2) == 'Z') continue;
    if (ReadFile(entry.path() / "cmdline").find(text) != std::string::npos) found.push_back(std::stoi(name));
  }
  return found;
}

TEST_F(LegacyWorkbooks, AnInterruptedConversionLeavesNothingBehind) {
  const auto temporaries = sandbox.path() / "tmp";
  std::filesystem::create_directories(temporaries);
  const auto book = sandbox.Copy(legacy_, "book.xls");
  std::vector<std::string> environment{"TMPDIR=" + temporaries.string(), "TABULARA_HOME=" + sandbox.Home().string(),
                                       "XDG_CONFIG_HOME=" + sandbox.ConfigHome().string()};
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  std::vector<std::string> arguments{TABULARA_PROGRAM, "info", book.string()};
  const auto pointers = [](std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) result.push_back(text.data());
    result.push_back(nullptr);
    return result;
  };
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t program = 0;
  const int spawned = posix_spawn(&program, arguments[0].c_str(), &actions, nullptr, pointers(arguments).data(),
                                  pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_EQ(spawned, 0);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (ProcessesMentioning(temporaries.string()).empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::kill(program, SIGTERM);
  int status = 0;
  ::waitpid(program, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  // What was killed may take a moment to die.
  for (int wait = 0; wait < 50 && !ProcessesMentioning(temporaries.string()).empty(); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_THAT(ProcessesMentioning(temporaries.string()), IsEmpty());
  EXPECT_TRUE(std::filesystem::is_empty(temporaries));
}

}  // namespace
}  // namespace tabulara::testing
