#include "settings/ini_value.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace tabulara::settings {
namespace {

using testing::TestPlatform;

TEST(ReadIniValue, EmptyFileNameReadsConfigIniInTheInstallationFolder) {
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\r\nLanguage=English\r\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "English");
}

TEST(ReadIniValue, InstallationFolderEndingInABackslashGetsNoSecondOne) {
  TestPlatform platform;
  platform::posix::PosixOptions options;
  options.installFolder = platform.installFolder.string() + "\\";
  options.configHome = platform.configHome;
  options.messageBoxes = [](const platform::posix::MessageBoxRequest&) { return platform::vbOK; };
  platform::Install(std::make_shared<platform::posix::PosixPlatform>(options));
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=Japanese\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "Japanese");
}

TEST(ReadIniValue, BlanksAroundAStoredValueAreDropped) {
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage= English \n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "English");
}

TEST(ReadIniValue, KeyWithEmptyValueReadsEmptyNotTheDefault) {
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "English", ""), "");
}

TEST(ReadIniValue, MissingKeyGivesTheDefaultWithoutItsTrailingBlanks) {
  TestPlatform platform;
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nLanguage=English\n");
  EXPECT_EQ(ReadIniValue("Message", "MSGClearHyperlinks1", "No Hyperlinks in this worksheet! ", ""),
            "No Hyperlinks in this worksheet!");
  EXPECT_EQ(ReadIniValue("OPTIONS", "xltPath", "", ""), "");
}

TEST(ReadIniValue, MissingFileGivesTheDefault) {
  TestPlatform platform;
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "fallback", ""), "fallback");
  EXPECT_EQ(ReadIniValue("index", "indexName", "Index", (platform.root / "nowhere.lang").string()), "Index");
}

TEST(ReadIniValue, ValueOf254BytesComesBackWholeAndOf255BytesGivesTheDefault) {
  TestPlatform platform;
  const std::string fits(254, 'x');
  const std::string tooLong(255, 'y');
  platform.WriteInstallFile("Config.ini", "[OPTIONS]\nFits=" + fits + "\nTooLong=" + tooLong + "\nWayTooLong=" +
                                              std::string(1000, 'z') + "\n");
  EXPECT_EQ(ReadIniValue("OPTIONS", "Fits", "default", ""), fits);
  EXPECT_EQ(ReadIniValue("OPTIONS", "TooLong", "default", ""), "default");
  EXPECT_EQ(ReadIniValue("OPTIONS", "WayTooLong", "default", ""), "default");
}

TEST(ReadIniValue, FileNameIsUsedAsGivenWhenNotEmpty) {
  TestPlatform platform;
  platform.WriteInstallFile("Japanese.lang", "[MenuItem]\nPOPMain=Tabulara JP\n");
  const std::string file = platform.installFolder.string() + "\\Japanese.lang";
  EXPECT_EQ(ReadIniValue("MenuItem", "POPMain", "Tabulara", file), "Tabulara JP");
}

TEST(WriteIniValue, CreatesConfigIniAndReplacesAnExistingValue) {
  TestPlatform platform;
  EXPECT_TRUE(WriteIniValue("OPTIONS", "Language", "English", ""));
  EXPECT_TRUE(platform.InstallFileExists("Config.ini"));
  EXPECT_TRUE(WriteIniValue("OPTIONS", "xltPath", "/srv/templates\\", ""));
  EXPECT_TRUE(WriteIniValue("OPTIONS", "Language", "Japanese", ""));
  EXPECT_EQ(ReadIniValue("OPTIONS", "Language", "", ""), "Japanese");
  EXPECT_EQ(ReadIniValue("OPTIONS", "xltPath", "", ""), "/srv/templates\\");
}

TEST(WriteIniValue, ReportsFailureWhenTheFileCannotBeWritten) {
  TestPlatform platform;
  const std::string file = (platform.root / "no-such-folder" / "deeper" / "Config.ini").string();
  EXPECT_FALSE(WriteIniValue("OPTIONS", "Language", "English", file));
}

}  // namespace
}  // namespace tabulara::settings
