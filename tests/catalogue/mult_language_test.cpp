#include "catalogue/mult_language.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/catalogue_table.h"
#include "support/test_platform.h"

namespace tabulara::catalogue {
namespace {

using testing::TestPlatform;

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest() { catalogue_.Language("English"); }

  TestPlatform platform_;
  MultLanguage catalogue_;
};

TEST(CatalogueTable, HoldsEveryKeyOnceInComparisonOrder) {
  const auto table = CatalogueTable();
  ASSERT_EQ(table.size(), 96u);
  EXPECT_EQ(table.front().key, "lang00A");
  EXPECT_EQ(table[1].key, "lang00B");
  EXPECT_EQ(table[2].key, "lang001");
  EXPECT_EQ(table.back().key, "lang094");
  std::set<std::string_view> keys;
  for (const auto& entry : table) EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
  std::set<std::string_view> withValues;
  for (const auto& entry : table) {
    if (entry.takesValues) withValues.insert(entry.key);
  }
  EXPECT_EQ(withValues, (std::set<std::string_view>{"lang037", "lang038", "lang049", "lang050", "lang053"}));
}

TEST_F(CatalogueTest, DefaultsAreShownExactlyLessTheirTrailingBlank) {
  EXPECT_EQ(catalogue_.FindMessage("lang00A"), "Tabulara");
  EXPECT_EQ(catalogue_.FindMessage("lang00B"), "Error!");
  EXPECT_EQ(catalogue_.FindMessage("lang016"), "Run Yahoo Messeger");
  EXPECT_EQ(catalogue_.FindMessage("lang025"), "Game --> Minesweeper");
  EXPECT_EQ(catalogue_.FindMessage("lang040"), "No Hyperlinks in this worksheet!");
  EXPECT_EQ(catalogue_.FindMessage("lang052"), "Unable to find the file \"Winmine.exe\", it might not be installed !");
  EXPECT_EQ(catalogue_.FindMessage("lang058"), "Please key the result here");
  EXPECT_EQ(catalogue_.FindMessage("lang093"), "Run Skype");
}

TEST_F(CatalogueTest, SecondClearCellBlankMessageTakesTheLimitAndTwoLineBreaks) {
  EXPECT_EQ(catalogue_.FindMessage("lang038", {10000, "\r\n\r\n"}),
            "The region you selected is more than 10000 cells, it will cost a bit time, \r\n\r\n are you sure you do "
            "it?");
}

TEST_F(CatalogueTest, PlaceholdersWithoutValuesStayAndExtraValuesAreIgnored) {
  EXPECT_EQ(catalogue_.FindMessage("lang049"),
            "The worksheet [ s% ] is existing, please rename or delete this worksheet then try again.");
  EXPECT_EQ(catalogue_.FindMessage("lang049", {"Index", "ignored"}),
            "The worksheet [ Index ] is existing, please rename or delete this worksheet then try again.");
  EXPECT_EQ(catalogue_.FindMessage("lang037", {196608}),
            "The region you selected is more than 196608 cells, please re-select!");
}

TEST_F(CatalogueTest, AValueHoldingThePlaceholderIsFilledByTheNextValue) {
  platform_.WriteInstallFile("English.lang", "[Message]\nMSGClearCellBlank2=s% and s% and s%\n");
  EXPECT_EQ(catalogue_.FindMessage("lang038", {"(s%)", 2, 3}), "(2) and 3 and s%");
}

TEST_F(CatalogueTest, EntriesThatTakeNoValuesIgnoreTheCallersValues) {
  EXPECT_EQ(catalogue_.FindMessage("lang004", {"value"}), "Sheets Name To Upper Case");
  platform_.WriteInstallFile("English.lang", "[MenuItem]\nWSItemUcase=Upper s% Case\n");
  EXPECT_EQ(catalogue_.FindMessage("lang004", {"value"}), "Upper s% Case");
}

TEST_F(CatalogueTest, KeysAreComparedExactly) {
  EXPECT_EQ(catalogue_.FindMessage("LANG001"), "");
  EXPECT_EQ(catalogue_.FindMessage(""), "");
  EXPECT_EQ(catalogue_.FindMessage("lang095"), "");
  EXPECT_EQ(catalogue_.FindMessage("lang069"), catalogue_.FindMessage("lang068"));
  EXPECT_EQ(catalogue_.FindMessage("lang069"), "Configuration");
}

TEST_F(CatalogueTest, LanguageFileTextsOverrideDefaultsWhateverTheCaseOfTheirNames) {
  platform_.WriteInstallFile("Japanese.lang",
                             "[menuitem]\r\nwsitemucase=Japanese upper\r\n[System]\r\nAppError=\r\n"
                             "[index]\r\nindexName=" +
                                 std::string(255, 'x') + "\r\n");
  catalogue_.Language("Japanese");
  EXPECT_EQ(catalogue_.Language(), "Japanese");
  EXPECT_EQ(catalogue_.FindMessage("lang004"), "Japanese upper");
  EXPECT_EQ(catalogue_.FindMessage("lang00B"), "");
  EXPECT_EQ(catalogue_.FindMessage("lang059"), "Index");
  EXPECT_EQ(catalogue_.FindMessage("lang005"), "Sheets Name To Lower Case");
}

TEST_F(CatalogueTest, EditedLanguageFileTakesEffectAtTheNextLookUp) {
  platform_.WriteInstallFile("English.lang", "[index]\nindexName=Contents\n");
  EXPECT_EQ(catalogue_.FindMessage("lang059"), "Contents");
  platform_.WriteInstallFile("English.lang", "[index]\nindexName=Overview\n");
  EXPECT_EQ(catalogue_.FindMessage("lang059"), "Overview");
}

TEST_F(CatalogueTest, LanguageWithoutAFileShowsEveryDefault) {
  catalogue_.Language("Klingon");
  EXPECT_EQ(catalogue_.FindMessage("lang001"), "Tabulara");
}

TEST(CatalogueBeforeLanguage, GivesDefaultsReadFromConfigIni) {
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=English\n");
  const MultLanguage catalogue;
  EXPECT_EQ(catalogue.Language(), "");
  EXPECT_EQ(catalogue.FindMessage("lang00B"), "Error!");
}

}  // namespace
}  // namespace tabulara::catalogue
