// Our engine against the real profile functions, run now: the probe (built
// with mingw-w64) runs every case of tests/data/ini/cases.txt in one wine64
// process, and each result must be the engine's.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ini/engine_runner.h"
#include "ini/reference_case.h"
#include "ini/scratch_folder.h"

namespace tabulara::test {
namespace {

#if defined(TABULARA_INI_PROBE)

const std::filesystem::path kData = std::filesystem::path(TABULARA_TEST_DATA) / "ini";

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The path as Windows programs under Wine see it, on drive Z:.
std::string WindowsPath(const std::filesystem::path& path) {
  std::string windows = "Z:" + std::filesystem::absolute(path).string();
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(LiveReference, EngineGivesWhatWindowsGivesUnderWine) {
  if (!std::filesystem::exists(TABULARA_WINE64) || !std::filesystem::exists(TABULARA_INI_PROBE)) {
    GTEST_SKIP() << TABULARA_WINE64 << " or " << TABULARA_INI_PROBE << " is gone";
  }
  const ScratchFolder scratch;
  const auto windowsFiles = scratch.path() / "windows";
  const auto engineFiles = scratch.path() / "engine";
  std::filesystem::create_directory(windowsFiles);
  std::filesystem::create_directory(engineFiles);
  const auto output = scratch.path() / "probe.txt";
  const auto log = scratch.path() / "wine.log";

  // A locale without a legacy code page makes Wine's ANSI code page UTF-8.
  const std::string command = "WINEPREFIX=" + ShellQuoted(TABULARA_INI_WINEPREFIX) +
                              " WINEDEBUG=-all LC_ALL=hi_IN.UTF-8 " + ShellQuoted(TABULARA_WINE64) + " " +
                              ShellQuoted(TABULARA_INI_PROBE) + " " + ShellQuoted(WindowsPath(kData / "corpus")) + " " +
                              ShellQuoted(WindowsPath(windowsFiles)) + " " +
                              ShellQuoted(WindowsPath(kData / "cases.txt")) + " >" + ShellQuoted(output.string()) +
                              " 2>" + ShellQuoted(log.string());
  ASSERT_EQ(std::system(command.c_str()), 0) << command << "\n" << Contents(log);

  const auto cases = ReadCaseList(kData / "cases.txt");
  const auto windows = ReadRecording(output);
  ASSERT_EQ(windows.size(), cases.size()) << Contents(log);
  for (const RecordedCase& recorded : windows) {
    EXPECT_EQ(RunOnEngine(recorded.call, kData / "corpus", engineFiles), recorded.result)
        << "case " << recorded.call.name << ": " << recorded.call.line;
  }
}

#else

TEST(LiveReference, EngineGivesWhatWindowsGivesUnderWine) {
  GTEST_SKIP() << "x86_64-w64-mingw32-gcc or wine64 was not found when the build was configured";
}

#endif

}  // namespace
}  // namespace tabulara::test
