#include <gtest/gtest.h>

#include "host/host_error.h"
#include "settings/ini_value.h"
#include "settings/user_settings.h"
#include "support/test_platform.h"

namespace tabulara::settings {
namespace {

using testing::TestPlatform;

// The platform is given room for 256 characters, of which a value may fill 254.
TEST(IniValues, AreThoseOfConfigIniInTheInstallationFolderUnlessAFileIsGiven) {
  TestPlatform platform;
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "fallback", ""), "fallback");
  const std::string fits(254, 'x');
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nFits=" + fits + "\nTooLong=" + std::string(255, 'y') + "\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Fits", "default", ""), fits);
  EXPECT_EQ(ReadIniValue("OPTIONS", "TooLong", "default", ""), "default");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Missing", "No Hyperlinks! ", ""), "No Hyperlinks!");

  platform.WriteInstallFile("Japanese.lang", "[MenuItem]\nPOPMain=Tabulara JP\n");
  const std::string file = platform.installFolder.string() + "\\Japanese.lang";
  EXPECT_EQ(ReadIniValue("MenuItem", "POPMain", "Tabulara", file), "Tabulara JP");
  EXPECT_TRUE(WriteIniValue("OPTIONS", "Language", "Japanese", file));
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", file), "Japanese");
  EXPECT_FALSE(WriteIniValue("OPTIONS", "Language", "English", (platform.root / "no-folder" / "Config.ini").string()));
}

// Conversions of the texts are the host's; these read the right setting.
TEST(UserSettings, ReadTheStoredTextOrTheDefaultAsTextFlagOrInteger) {
  TestPlatform platform;
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "10");
  EXPECT_TRUE(ReadSettingFlag("GeneralSetting", "CommentStyle", 1));
  WriteSetting("FontSetting", "FontSize", "11.5");
  WriteSetting("GeneralSetting", "CommentStyle", "False");
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "11.5");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 12);
  EXPECT_FALSE(ReadSettingFlag("GeneralSetting", "CommentStyle", 1));
  WriteSetting("FontSetting", "FontSize", "large");
  EXPECT_THROW(ReadSettingInteger("FontSetting", "FontSize", 10), host::HostError);
}

}  // namespace
}  // namespace tabulara::settings
