#include <gtest/gtest.h>

#include "host/host_error.h"
#include "settings/ini_value.h"
#include "settings/user_settings.h"
#include "support/test_platform.h"

namespace tabulara::settings {
namespace {

using testing::TestPlatform;

TEST(ReadIniValue, ReadsConfigIniOfTheInstallationFolderUnlessGivenAFile) {
  struct Case {
    const char* key;
    const char* defaultValue;
    std::string expected;
  };
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage= English \nEmpty=\nFits=" + std::string(254, 'x') +
                                              "\nTooLong=" + std::string(255, 'y') + "\nWayTooLong=" +
                                              std::string(1000, 'z') + "\n");
  const Case cases[] = {
      {"Language", "default", "English"},
      {"Empty", "default", ""},
      {"Missing", "No Hyperlinks in this worksheet! ", "No Hyperlinks in this worksheet!"},
      {"Fits", "default", std::string(254, 'x')},
      {"TooLong", "default", "default"},
      {"WayTooLong", "default", "default"},
  };
  for (const Case& row : cases) {
    EXPECT_EQ(ReadIniValue("OPTIONS", row.key, row.defaultValue, ""), row.expected) << row.key;
  }

  platform.WriteInstallFile("Japanese.lang", "[MenuItem]\nPOPMain=Tabulara JP\n");
  const std::string file = platform.installFolder.string() + "\\Japanese.lang";
  EXPECT_EQ(ReadIniValue("MenuItem", "POPMain", "Tabulara", file), "Tabulara JP");
  EXPECT_EQ(ReadIniValue("index", "indexName", "Index", (platform.root / "nowhere.lang").string()), "Index");
}

TEST(ReadIniValue, InstallationFolderEndingInABackslashGetsNoSecondOne) {
  TestPlatform platform;
  platform::posix::PosixOptions options;
  options.installFolder = platform.installFolder.string() + "\\";
  options.configHome = platform.configHome;
  platform::Install(std::make_shared<platform::posix::PosixPlatform>(options));
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=Japanese\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "Japanese");
}

TEST(WriteIniValue, CreatesConfigIniAndReplacesAValueOrReportsFailure) {
  TestPlatform platform;
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "fallback", ""), "fallback");
  EXPECT_TRUE(WriteIniValue("OPTIONS", "Language", "English", ""));
  EXPECT_TRUE(WriteIniValue("OPTIONS", "xltPath", "/srv/templates\\", ""));
  EXPECT_TRUE(WriteIniValue("OPTIONS", "Language", "Japanese", ""));
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "Japanese");
  EXPECT_EQ(ReadIniValue("OPTIONS", "xltPath", "", ""), "/srv/templates\\");
  EXPECT_FALSE(WriteIniValue("OPTIONS", "Language", "English", (platform.root / "no-folder" / "Config.ini").string()));
}

TEST(UserSettings, StoredTextsOrTheDefaultsReadAsTextFlagOrInteger) {
  TestPlatform platform;
  EXPECT_EQ(ReadSetting("FontSetting", "FontName", "Arial"), "Arial");
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "10");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 10);
  EXPECT_TRUE(ReadSettingFlag("GeneralSetting", "CommentStyle", 1));
  WriteSetting("FontSetting", "FontSize", "11.5");
  WriteSetting("GeneralSetting", "CommentStyle", "False");
  WriteSetting("GeneralSetting", "Visibility", "true");
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "11.5");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 12);
  EXPECT_FALSE(ReadSettingFlag("GeneralSetting", "CommentStyle", 1));
  EXPECT_TRUE(ReadSettingFlag("GeneralSetting", "Visibility", 0));
  WriteSetting("FontSetting", "FontSize", "large");
  EXPECT_THROW(ReadSettingInteger("FontSetting", "FontSize", 10), host::HostError);
}

}  // namespace
}  // namespace tabulara::settings
