#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

// A terminal of 80 by 24 cells that tmux keeps, running one command line;
// its server goes with this.
class Tmux {
 public:
  Tmux(const CliSandbox& sandbox, const std::string& commandLine)
      : sandbox_(sandbox), tmux_("tmux -f /dev/null -S " + ShellQuoted((sandbox.path() / "tmux").string())) {
    const std::string shown = commandLine + "; echo \"EXIT=$?\"; exec sleep 600";
    RunShellCommand(tmux_ + " new-session -d -x 80 -y 24 " + ShellQuoted(shown));
  }
  ~Tmux() { RunShellCommand(tmux_ + " kill-server 2>/dev/null"); }
  Tmux(const Tmux&) = delete;
  Tmux& operator=(const Tmux&) = delete;

  void Send(const std::vector<std::string>& keys) const {
    std::string command = tmux_ + " send-keys";
    for (const std::string& key : keys) command += " " + ShellQuoted(key);
    RunShellCommand(command);
  }
  std::string Screen() const {
    const auto file = sandbox_.path() / "screen";
    RunShellCommand(tmux_ + " capture-pane -p >" + ShellQuoted(file.string()));
    return ReadFile(file);
  }
  // Whether the screen shows `text` within a while.
  bool Shows(const std::string& text) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < until) {
      if (Screen().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  const CliSandbox& sandbox_;
  std::string tmux_;
};

struct DialogCase {
  const char* name;
  // The key that ends the dialog.
  const char* closingKey;
  // What the settings file holds afterwards; nothing when none is written.
  std::optional<std::string> fontSizeLine;
};

void PrintTo(const DialogCase& dialogCase, std::ostream* out) { *out << dialogCase.name; }

class TerminalConfigDialog : public ::testing::TestWithParam<DialogCase> {};

// A person on the font tab chooses the first family, types a size (the
// letters go nowhere) and closes the dialog.
TEST_P(TerminalConfigDialog, StoresTheFontSizeOnlyOnOk) {
  if (!HasProgram("tmux")) GTEST_SKIP() << "tmux is not on the PATH";
  const CliSandbox sandbox;
  const Tmux terminal(sandbox, "TABULARA_HOME=" + ShellQuoted(sandbox.Home().string()) +
                                   " XDG_CONFIG_HOME=" + ShellQuoted(sandbox.ConfigHome().string()) +
                                   " LC_ALL=C.UTF-8 " + ShellQuoted(TABULARA_PROGRAM) + " config");
  ASSERT_TRUE(terminal.Shows("[General]   Unify Sheets Font")) << terminal.Screen();
  terminal.Send({"Right"});
  ASSERT_TRUE(terminal.Shows("Font family")) << terminal.Screen();
  terminal.Send({"Tab", "Tab", "Tab", "Tab", "Tab", "Home", "Tab", "Tab", "BSpace", "BSpace", "x", "7", "2", "q"});
  ASSERT_TRUE(terminal.Shows("[72    ]")) << terminal.Screen();
  terminal.Send({GetParam().closingKey});
  ASSERT_TRUE(terminal.Shows("EXIT=0")) << terminal.Screen();

  const auto settings = sandbox.ConfigHome() / "Quorvel.Gridwright" / "settings.ini";
  if (!GetParam().fontSizeLine) {
    EXPECT_FALSE(std::filesystem::exists(settings));
  } else {
    EXPECT_NE(ReadFile(settings).find(*GetParam().fontSizeLine), std::string::npos) << ReadFile(settings);
  }
}

INSTANTIATE_TEST_SUITE_P(Closing, TerminalConfigDialog,
                         ::testing::Values(DialogCase{"Ok", "Enter", "\nFontSize=72\r\n"},
                                           DialogCase{"Cancel", "Escape", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TerminalDialogs, NeedATerminal) {
  const CliSandbox sandbox;
  for (const std::string verb : {"config", "about"}) {
    const ProgramRun run = sandbox.Run({verb});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "tabulara: error: " + verb + " needs a terminal: standard input and output are not one\n");
  }
}

}  // namespace
}  // namespace tabulara::testing
