#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "catalogue/catalogue_table.h"
#include "catalogue/language_choice.h"
#include "catalogue/mult_language.h"
#include "settings/ini_value.h"
#include "support/test_platform.h"

namespace tabulara::catalogue {
namespace {

using testing::TestPlatform;

// The English language file shipped beside the program holds every entry with
// exactly the built-in text, so that editing it is the way to reword them.
TEST(CatalogueTable, HoldsEveryKeyOnceWithItsTextInEnglishLang) {
  TestPlatform platform;
  std::filesystem::copy_file(std::filesystem::path(TABULARA_RESOURCES) / "lang" / "English.lang",
                             platform.installFolder / "English.lang");
  const std::string file = platform.installFolder.string() + "\\English.lang";
  std::set<std::string_view> keys;
  std::set<std::string_view> withValues;
  for (const CatalogueEntry& entry : CatalogueTable()) {
    EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
    if (entry.takesValues) withValues.insert(entry.key);
    const std::string section(entry.section);
    const std::string name(entry.entry);
    EXPECT_EQ(settings::ReadIniValue(section, name, "\x01", file),
              settings::ReadIniValue(section, name, std::string(entry.defaultText), platform.root.string() + "\\none"))
        << entry.key;
  }
  EXPECT_EQ(withValues, (std::set<std::string_view>{"lang037", "lang038", "lang049", "lang050", "lang053"}));
}

// Keys are compared exactly; values fill the placeholders in turn, and only
// in the entries that take values.
TEST(MultLanguage, GivesTheLanguageFilesTextsElseTheDefaultsWithTheirValues) {
  TestPlatform platform;
  MultLanguage catalogue;
  catalogue.Language("English");
  EXPECT_EQ(catalogue.FindMessage("LANG001"), "");
  EXPECT_EQ(catalogue.FindMessage("lang069"), "Configuration");
  EXPECT_EQ(catalogue.FindMessage("lang049"),
            "The worksheet [ s% ] is existing, please rename or delete this worksheet then try again.");
  EXPECT_EQ(catalogue.FindMessage("lang049", {"Index", "ignored"}),
            "The worksheet [ Index ] is existing, please rename or delete this worksheet then try again.");
  platform.WriteInstallFile("English.lang",
                            "[Message]\nMSGClearCellBlank2=s% and s% and s%\n[MenuItem]\nWSItemUcase=Upper s% Case\n");
  EXPECT_EQ(catalogue.FindMessage("lang038", {"(s%)", 2, 3}), "(2) and 3 and s%");
  EXPECT_EQ(catalogue.FindMessage("lang004", {"value"}), "Upper s% Case");

  platform.WriteInstallFile("Japanese.lang", "[MenuItem]\r\nWSItemUcase=Japanese upper\r\n[System]\r\nAppError=\r\n");
  catalogue.Language("Japanese");
  EXPECT_EQ(catalogue.Language(), "Japanese");
  EXPECT_EQ(catalogue.FindMessage("lang004"), "Japanese upper");
  EXPECT_EQ(catalogue.FindMessage("lang00B"), "");
  EXPECT_EQ(catalogue.FindMessage("lang005"), "Sheets Name To Lower Case");
}

TEST(ChooseLanguage, TakesTheStoredLanguageElseTheSystemsWhichItStores) {
  struct Case {
    const char* locale;
    const char* storedLanguage;
    const char* chosen;
  };
  const Case cases[] = {
      {"zh_HK.UTF-8", "", "ChineseTrad"},      {"zh_TW.UTF-8", "  ", "ChineseTrad"},
      {"zh_CN.UTF-8", nullptr, "ChineseSimp"}, {"zh_SG.UTF-8", nullptr, "English"},
      {"ja_JP.UTF-8", nullptr, "Japanese"},    {"de_DE.UTF-8", nullptr, "English"},
      {"ja_JP.UTF-8", " Klingon ", "Klingon"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.locale);
    TestPlatform platform(row.locale);
    if (row.storedLanguage != nullptr) {
      const std::string stored = row.storedLanguage;
      platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=" + stored + "\n");
    }
    EXPECT_EQ(ChooseLanguage(), row.chosen);
    EXPECT_EQ(settings::ReadIniValue("OPTIONS", "Language", "", ""), row.chosen);
  }
}

}  // namespace
}  // namespace tabulara::catalogue
