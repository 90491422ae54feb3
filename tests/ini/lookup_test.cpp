// LookUp: the reading rules of the profile functions without their buffer.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "ini/scratch_folder.h"
#include "platform/ini/profile.h"

namespace tabulara::test {
namespace {

using tabulara::platform::ini::LookUp;

const std::filesystem::path kCorpus = std::filesystem::path(TABULARA_TEST_DATA) / "ini" / "corpus";

std::optional<std::string> LookUpIn(const std::string& file, const std::string& section, const std::string& key) {
  return LookUp(section, key, (kCorpus / file).string());
}

std::string Alphabet(std::size_t length, char first) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(first + i % 26);
  return text;
}

TEST(LookUp, GivesLongValuesWhole) {
  EXPECT_EQ(LookUpIn("long.ini", "Long", "L300"), Alphabet(300, 'a'));
  // GetPrivateProfileString with 256 bytes cuts this one to 254 characters.
  EXPECT_EQ(LookUpIn("long.ini", "Long", "Q255"), Alphabet(255, 'A'));
}

TEST(LookUp, ReadsValuesAsTheProfileFunctionsDo) {
  EXPECT_EQ(LookUpIn("values.ini", "MAIN", "  name  "), "Alpha");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Spaced"), "padded value");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "DoubleBlanks"), "  inner blanks  ");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Single"), "single quoted");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Mixed"), "\"mixed'");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "DUP"), "first");
  EXPECT_EQ(LookUpIn("sections.ini", "first", "a"), "1");
  EXPECT_EQ(LookUpIn("sections.ini", "", "TopKey"), "before any section");
  EXPECT_EQ(LookUpIn("utf16le.ini", "Main", "Uni"), "\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(LookUp, TellsAnEmptyValueFromAMissingOne) {
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Empty"), "");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "TwoDouble"), "");
  EXPECT_EQ(LookUpIn("values.ini", "Main", "NoValueLine"), std::nullopt);
  EXPECT_EQ(LookUpIn("values.ini", "Main", "Absent"), std::nullopt);
  EXPECT_EQ(LookUpIn("sections.ini", "First", "z"), std::nullopt);
  EXPECT_EQ(LookUpIn("values.ini", "Nowhere", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn("missing.ini", "Main", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn("nodir/missing.ini", "Main", "Name"), std::nullopt);
  EXPECT_EQ(LookUpIn(".", "Main", "Name"), std::nullopt);
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST(LookUp, SeesAFileChangedSinceItsLastRead) {
  ScratchFolder folder;
  const auto file = folder.path() / "changing.ini";
  WriteFile(file, "[Main]\nKey=one\n");
  EXPECT_EQ(LookUp("Main", "Key", file.string()), "one");
  WriteFile(file, "[Main]\nKey=three\n");
  EXPECT_EQ(LookUp("Main", "Key", file.string()), "three");
  // The same size: the time of change tells the two apart.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  WriteFile(file, "[Main]\nKey=seven\n");
  EXPECT_EQ(LookUp("Main", "Key", file.string()), "seven");
  EXPECT_TRUE(tabulara::platform::ini::WritePrivateProfileString("Main", "Key", "eight", file.string()));
  EXPECT_EQ(LookUp("Main", "Key", file.string()), "eight");
  std::filesystem::remove(file);
  EXPECT_EQ(LookUp("Main", "Key", file.string()), std::nullopt);
}

}  // namespace
}  // namespace tabulara::test
