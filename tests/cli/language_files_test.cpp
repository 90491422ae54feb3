#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "catalogue/catalogue_table.h"
#include "cli/support/tabulara_run.h"
#include "platform/ini/code_page.h"
#include "platform/ini/document.h"
#include "platform/ini/names.h"
#include "platform/ini/parse.h"

namespace tabulara::testing {
namespace {

namespace ini = platform::ini;
using ::testing::HasSubstr;

struct Language {
  const char* name;
  const char* codePage;
  const char* upperCaseItem;
};

const Language kLanguages[] = {
    {"English", "CP1252", "Sheets Name To Upper Case"},
    {"ChineseSimp", "CP936", "工作表名称转为大写"},
    {"ChineseTrad", "CP950", "工作表名稱轉為大寫"},
    {"Japanese", "CP932", "シート名を大文字に変換"},
};

const std::filesystem::path kProgramFolder = std::filesystem::path(TABULARA_PROGRAM).parent_path();

// Code-page bytes back in UTF-8, through glibc's own tables.
std::string Utf8From(const std::string& bytes, const char* codePage) {
  const std::unique_ptr<void, decltype(&iconv_close)> descriptor(iconv_open("UTF-8", codePage), iconv_close);
  std::string in = bytes;
  std::string out(bytes.size() * 2, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  if (iconv(descriptor.get(), &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1)) return "(broken)";
  out.resize(out.size() - outLeft);
  return out;
}

// The entries whose text, as its bytes stand in the file, is over 254 bytes.
std::string LongEntries(const std::string& bytes) {
  std::istringstream lines(bytes);
  std::string longEntries;
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (line.starts_with(';') || equals == std::string::npos) continue;
    const auto first = line.find_first_not_of(" \t\r", equals + 1);
    const auto last = line.find_last_not_of(" \t\r");
    if (first != std::string::npos && last - first + 1 > 254) longEntries += line.substr(0, equals) + " ";
  }
  return longEntries;
}

bool InCatalogue(const std::u16string& section, const std::u16string& name) {
  const auto table = catalogue::CatalogueTable();
  return std::any_of(table.begin(), table.end(), [&](const catalogue::CatalogueEntry& entry) {
    return ini::SameName(ini::AnsiToWide(entry.section), section) && ini::SameName(ini::AnsiToWide(entry.entry), name);
  });
}

// Each file beside the program holds every entry of the catalogue and no
// other, within 254 bytes in UTF-8 and in the copy written for Windows, and
// that copy reads back as the same text.
TEST(LanguageFilesTest, HoldEveryEntryWithinTheLimitInUtf8AndInTheirCodePage) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.name);
    const std::string utf8 = ReadFile(kProgramFolder / (std::string(language.name) + ".lang"));
    const std::string ansi = ReadFile(std::filesystem::path(TABULARA_WINDOWS_LANGUAGES) / (std::string(language.name) + ".lang"));
    const ini::Document document = ini::Parse(utf8);
    for (const catalogue::CatalogueEntry& entry : catalogue::CatalogueTable()) {
      EXPECT_NE(ini::FindValue(document, ini::AnsiToWide(entry.section), ini::AnsiToWide(entry.entry)), nullptr)
          << entry.key << " missing";
    }
    for (const ini::Section& section : document.sections) {
      for (const ini::Entry& entry : section.entries) {
        EXPECT_TRUE(!entry.value || InCatalogue(section.name, entry.name)) << ini::WideToAnsi(entry.name) << " unknown";
      }
    }
    EXPECT_EQ(LongEntries(utf8), "");
    EXPECT_EQ(LongEntries(ansi), "");
    EXPECT_TRUE(Utf8From(ansi, language.codePage) == utf8) << "the Windows copy reads back as another text";
  }
}

// The language named in Config.ini gives the menu its captions, shown on the
// terminal as the file writes them.
TEST(LanguageFilesTest, TheChosenLanguageCaptionsTheMenu) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.name);
    CliSandbox sandbox;
    const std::string file = std::string(language.name) + ".lang";
    std::filesystem::copy_file(kProgramFolder / file, sandbox.Home() / file);
    sandbox.Write("home/Config.ini", "[OPTIONS]\r\nLanguage=" + std::string(language.name) + "\r\n");
    const ProgramRun run = sandbox.Run({"menu", sandbox.WriteSample().string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Worksheet Menu Bar:\n  Tabulara\n    " + std::string(language.upperCaseItem) + "\n"));
  }
}

}  // namespace
}  // namespace tabulara::testing
