#include "catalogue/language_choice.h"

#include <gtest/gtest.h>

#include "settings/ini_value.h"
#include "support/test_platform.h"

namespace tabulara::catalogue {
namespace {

using testing::TestPlatform;

TEST(LanguageForSystem, TheWholeIdentifierDecides) {
  EXPECT_EQ(LanguageForSystem(0x0804), "ChineseSimp");
  EXPECT_EQ(LanguageForSystem(0x0404), "ChineseTrad");
  EXPECT_EQ(LanguageForSystem(0x0C04), "ChineseTrad");
  EXPECT_EQ(LanguageForSystem(0x1004), "English");
  EXPECT_EQ(LanguageForSystem(0x0411), "Japanese");
  EXPECT_EQ(LanguageForSystem(0x0409), "English");
  EXPECT_EQ(LanguageForSystem(0x0407), "English");
}

TEST(ChooseLanguage, EmptyLanguageTakesTheSystemsAndStoresItInConfigIni) {
  TestPlatform platform("zh_HK.UTF-8");
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=\nxltPath=/srv/templates\n");
  EXPECT_EQ(ChooseLanguage(), "ChineseTrad");
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "Language", "", ""), "ChineseTrad");
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "xltPath", "", ""), "/srv/templates");
}

TEST(ChooseLanguage, SingaporeChineseIsNotMaskedToChinese) {
  TestPlatform platform("zh_SG.UTF-8");
  EXPECT_EQ(ChooseLanguage(), "English");
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "Language", "", ""), "English");
}

TEST(ChooseLanguage, StoredLanguageDecidesAndTheSystemIsNotConsulted) {
  TestPlatform platform("ja_JP.UTF-8");
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage= Japanese \n");
  EXPECT_EQ(ChooseLanguage(), "Japanese");
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=Klingon\n");
  EXPECT_EQ(ChooseLanguage(), "Klingon");
}

TEST(ChooseLanguage, MissingConfigIniIsCreatedWithTheChosenLanguage) {
  TestPlatform platform("zh_CN.UTF-8");
  EXPECT_EQ(ChooseLanguage(), "ChineseSimp");
  EXPECT_TRUE(platform.InstallFileExists("Config.ini"));
  EXPECT_EQ(ChooseLanguage(), "ChineseSimp");
}

}  // namespace
}  // namespace tabulara::catalogue
