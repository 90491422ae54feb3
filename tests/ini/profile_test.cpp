// The INI engine against the real profile functions: the cases of
// tests/data/ini/cases.txt with the results recorded in expected.txt
// (tests/ini/record-reference records them), and run now under wine64 through
// the probe (probe/probe.c) when it was built; then what only the engine has.

#include "platform/ini/profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ini/code_page.h"

namespace tabulara::platform::ini {
namespace {

const std::filesystem::path kData = std::filesystem::path(TABULARA_TEST_DATA) / "ini";
const std::filesystem::path kCorpus = kData / "corpus";

// A fresh folder under the temporary folder, removed with all it holds.
class ScratchFolder {
 public:
  ScratchFolder() : path_((std::filesystem::temp_directory_path() / "tabulara-ini-XXXXXX").string()) {
    if (::mkdtemp(path_.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp " + path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path path() const { return path_; }

 private:
  std::string path_;
};

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The escapes of the case list and the probe, by the character they stand for.
constexpr std::string_view kEscaped("\\\"\r\n\t\0", 6);
constexpr std::string_view kEscapes = "\\\"rnt0";

// The fields of a case: words, and texts in double quotes with the escapes
// undone. Throws std::out_of_range on an unclosed quote.
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == ' ') continue;
    std::string& field = fields.emplace_back();
    if (line[at] != '"') {
      for (; at < line.size() && line[at] != ' '; ++at) field += line[at];
      continue;
    }
    for (++at; line.at(at) != '"'; ++at) {
      if (line[at] != '\\') {
        field += line[at];
      } else if (line.at(++at) == 'x') {
        field += static_cast<char>(std::stoi(std::string(line.substr(at + 1, 2)), nullptr, 16));
        at += 2;
      } else {
        field += kEscaped.at(kEscapes.find(line[at]));
      }
    }
  }
  return fields;
}

// Runs a case on the engine as the probe runs it on the profile functions,
// on a copy of its file in scratch/NAME/. Gives the fields of the result as
// the probe prints it: the buffer without its trailing NULs for a read; the
// result and the file's bytes, or "none", for a write.
std::vector<std::string> RunOnEngine(const std::string& line, const std::filesystem::path& scratch) {
  const std::vector<std::string> fields = Fields(line);
  const std::filesystem::path folder = scratch / fields.at(1);
  std::filesystem::create_directory(folder);
  const std::string path = (folder / fields.at(2)).string();
  if (std::filesystem::is_regular_file(kCorpus / fields[2])) std::filesystem::copy_file(kCorpus / fields[2], path);
  if (fields[0] == "read") {
    const std::size_t size = std::stoul(fields.at(3));
    const std::string buffer = GetPrivateProfileString(fields.at(4), fields.at(5), fields.at(6), size, path);
    if (buffer.size() != size) return {"a buffer of " + std::to_string(buffer.size()) + " bytes"};
    return {buffer.substr(0, buffer.find_last_not_of('\0') + 1)};
  }
  bool written = false;
  for (std::size_t i = 3; i + 2 < fields.size(); i += 3) {
    written = WritePrivateProfileString(fields[i], fields[i + 1], fields[i + 2], path);
  }
  return {written ? "1" : "0", std::filesystem::is_regular_file(path) ? Contents(path) : "none"};
}

// The lines that are neither blank nor comments.
std::vector<std::string> MeaningfulLines(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (line.ends_with('\r')) line.pop_back();
    if (!line.empty() && !line.starts_with('#')) lines.push_back(line);
  }
  return lines;
}

// Each case with its result, the text after "-> " on the next line.
std::vector<std::pair<std::string, std::string>> Recording(const std::filesystem::path& path) {
  const std::vector<std::string> lines = MeaningfulLines(path);
  std::vector<std::pair<std::string, std::string>> recording;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) recording.emplace_back(lines[i], lines[i + 1].substr(3));
  return recording;
}

TEST(RecordedReference, RecordingMatchesTheCaseList) {
  std::vector<std::string> recorded;
  for (const auto& [line, result] : Recording(kData / "expected.txt")) recorded.push_back(line);
  EXPECT_EQ(recorded, MeaningfulLines(kData / "cases.txt")) << "cases.txt changed: run tests/ini/record-reference";
}

class RecordedCase : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(RecordedCase, EngineGivesWhatWindowsGave) {
  const ScratchFolder scratch;
  EXPECT_EQ(RunOnEngine(GetParam().first, scratch.path()), Fields(GetParam().second)) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Corpus, RecordedCase, testing::ValuesIn(Recording(kData / "expected.txt")),
                         [](const auto& info) {
                           std::string name = Fields(info.param.first).at(1);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

#if defined(TABULARA_INI_PROBE)

std::string ShellQuoted(const std::filesystem::path& path) {
  std::string quoted = "'";
  for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The path as Windows programs under Wine see it, on drive Z:, shell quoted.
std::string WindowsPath(const std::filesystem::path& path) {
  std::string windows = "Z:" + std::filesystem::absolute(path).string();
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return ShellQuoted(windows);
}

TEST(LiveReference, EngineGivesWhatWindowsGivesUnderWine) {
  if (!std::filesystem::exists(TABULARA_WINE64) || !std::filesystem::exists(TABULARA_INI_PROBE)) {
    GTEST_SKIP() << TABULARA_WINE64 << " or " << TABULARA_INI_PROBE << " is gone";
  }
  const ScratchFolder scratch;
  std::filesystem::create_directory(scratch.path() / "windows");
  const auto output = scratch.path() / "probe.txt";
  const auto log = scratch.path() / "wine.log";
  // A locale without a legacy code page makes Wine's ANSI code page UTF-8.
  const std::string command = "WINEPREFIX=" + ShellQuoted(TABULARA_INI_WINEPREFIX) +
                              " WINEDEBUG=-all LC_ALL=hi_IN.UTF-8 " + ShellQuoted(TABULARA_WINE64) + " " +
                              ShellQuoted(TABULARA_INI_PROBE) + " " + WindowsPath(kCorpus) + " " +
                              WindowsPath(scratch.path() / "windows") + " " + WindowsPath(kData / "cases.txt") + " >" +
                              ShellQuoted(output) + " 2>" + ShellQuoted(log);
  ASSERT_EQ(std::system(command.c_str()), 0) << command << "\n" << Contents(log);
  const auto windows = Recording(output);
  ASSERT_EQ(windows.size(), MeaningfulLines(kData / "cases.txt").size()) << Contents(log);
  std::filesystem::create_directory(scratch.path() / "engine");
  for (const auto& [line, result] : windows) {
    EXPECT_EQ(RunOnEngine(line, scratch.path() / "engine"), Fields(result)) << line;
  }
}

#else

TEST(LiveReference, EngineGivesWhatWindowsGivesUnderWine) {
  GTEST_SKIP() << "x86_64-w64-mingw32-gcc or wine64 was not found when the build was configured";
}

#endif

std::optional<std::string> LookUpIn(const std::string& file, const std::string& section, const std::string& key) {
  return LookUp(section, key, (kCorpus / file).string());
}

TEST(LookUp, GivesTheValueWholeAndTellsAnEmptyValueFromAMissingOne) {
  EXPECT_EQ(LookUpIn("long.ini", "Long", "L300").value_or("").size(), 300u);
  // GetPrivateProfileString with 256 bytes cuts this quoted one to 254 characters.
  EXPECT_EQ(LookUpIn("long.ini", "Long", "Q255").value_or("").size(), 255u);
  EXPECT_EQ(LookUpIn("values.ini", "Main", "DoubleBlanks"), "  inner blanks  ");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Mixed"), "\"mixed'");
  EXPECT_EQ(LookUpIn("utf16le.ini", "Main", "Uni"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Empty"), "");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "NoValueLine"), std::nullopt);
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Absent"), std::nullopt);
  EXPECT_EQ(LookUpIn("values.ini", "Nowhere", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn("missing.ini", "Main", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn("nodir/missing.ini", "Main", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn(".", "Main", "Name"), std::nullopt);
}

TEST(LookUp, SeesAFileChangedSinceItsLastRead) {
  const ScratchFolder folder;
  const std::string file = (folder.path() / "changing.ini").string();
  const auto write = [&](const std::string& text) { std::ofstream(file, std::ios::binary) << text; };
  write("[Main]\nKey=one\n");
  EXPECT_EQ(LookUp("Main", "Key", file), "one");
  write("[Main]\nKey=three\n");
  EXPECT_EQ(LookUp("Main", "Key", file), "three");
  // The same size: the time of change tells the two apart.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  write("[Main]\nKey=seven\n");
  EXPECT_EQ(LookUp("Main", "Key", file), "seven");
  EXPECT_TRUE(WritePrivateProfileString("Main", "Key", "eight", file));
  EXPECT_EQ(LookUp("Main", "Key", file), "eight");
  std::filesystem::remove(file);
  EXPECT_EQ(LookUp("Main", "Key", file), std::nullopt);
}

TEST(CodePage, ConvertsTheCharactersAtTheBoundsOfEachLengthAndReplacesUnpairedSurrogates) {
  EXPECT_EQ(AnsiToWide("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xF0\x90\x80\x80"), u"\u007F\u0080\u07FF\u0800\U00010000");
  EXPECT_EQ(WideToAnsi(u"\u007F\u0080\u07FF\u0800\U00010000"), "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xF0\x90\x80\x80");
  EXPECT_EQ(WideToAnsi(std::u16string{u'A', 0xDC00, 0xD800, 0xDC00, 0xDBFF, 0xDFFF, 0xD800}),
            "A\xEF\xBF\xBD\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tabulara::platform::ini
