#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/catalogue_table.h"
#include "catalogue/mult_language.h"
#include "support/test_platform.h"

namespace tabulara::catalogue {
namespace {

// The English language file shipped beside the program must give exactly
// the built-in texts, so that editing it is the way to reword them.
TEST(EnglishLanguageFile, GivesEveryBuiltInText) {
  testing::TestPlatform platform;
  std::filesystem::copy_file(std::filesystem::path(TABULARA_RESOURCES) / "English.lang",
                             platform.installFolder / "English.lang");
  MultLanguage english;
  english.Language("English");
  MultLanguage builtIn;
  builtIn.Language("NoSuchLanguage");
  for (const CatalogueEntry& entry : CatalogueTable()) {
    const std::string key(entry.key);
    EXPECT_EQ(english.FindMessage(key), builtIn.FindMessage(key)) << key;
  }
}

TEST(EnglishLanguageFile, EveryEntryIsReadFromTheFile) {
  testing::TestPlatform platform;
  std::filesystem::copy_file(std::filesystem::path(TABULARA_RESOURCES) / "English.lang",
                             platform.installFolder / "English.lang");
  for (const CatalogueEntry& entry : CatalogueTable()) {
    const std::string file = platform.installFolder.string() + "\\English.lang";
    std::string buffer = platform.platform().GetPrivateProfileString(std::string(entry.section),
                                                                     std::string(entry.entry), "\x01", 256, file);
    EXPECT_NE(std::string(buffer.c_str()), "\x01") << entry.key << " is missing from English.lang";
  }
}

}  // namespace
}  // namespace tabulara::catalogue
