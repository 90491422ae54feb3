#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "host/host_error.h"

namespace tabulara::platform::posix {
namespace {

class PosixPlatformTest : public ::testing::Test {
 protected:
  PosixPlatformTest() {
    root_ = std::filesystem::temp_directory_path() / ("tabulara-posix-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    options_.installFolder = root_ / "install";
    options_.configHome = root_ / "config";
    options_.messageBoxes = [this](const MessageBoxRequest& request) {
      shown_.push_back(request);
      return DefaultAnswer(request.flags);
    };
  }
  ~PosixPlatformTest() override { std::filesystem::remove_all(root_); }

  std::filesystem::path root_;
  PosixOptions options_;
  std::vector<MessageBoxRequest> shown_;
};

TEST(SystemLanguage, LocaleNamesMapToTheLanguageIdentifiersOfTheirCountries) {
  EXPECT_EQ(LangIdOfLocale("zh_CN.UTF-8"), 0x0804);
  EXPECT_EQ(LangIdOfLocale("zh_TW"), 0x0404);
  EXPECT_EQ(LangIdOfLocale("zh_HK.UTF-8"), 0x0C04);
  EXPECT_EQ(LangIdOfLocale("zh_SG.GB2312"), 0x1004);
  EXPECT_EQ(LangIdOfLocale("ja_JP.eucJP"), 0x0411);
  EXPECT_EQ(LangIdOfLocale("ja_JP@modifier"), 0x0411);
  EXPECT_EQ(LangIdOfLocale("de_DE.UTF-8"), 0x0409);
  EXPECT_EQ(LangIdOfLocale("C"), 0x0409);
  EXPECT_EQ(LangIdOfLocale(""), 0x0409);
  EXPECT_EQ(LangIdOfLocale("zh"), 0x0409);
}

TEST(Paths, BackslashesOfWindowsStylePathsBecomeSlashes) {
  EXPECT_EQ(ToPosixPath("/opt/tabulara\\Config.ini"), "/opt/tabulara/Config.ini");
  EXPECT_EQ(ToPosixPath("/opt/tabulara\\Template\\*.xlt"), "/opt/tabulara/Template/*.xlt");
  EXPECT_EQ(ToPosixPath("/plain/path"), "/plain/path");
}

TEST_F(PosixPlatformTest, SettingsLiveInTheApplicationsFolderUnderTheConfigurationDirectory) {
  PosixPlatform platform(options_);
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter"), std::nullopt);

  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "1");
  platform.SaveSetting("Quorvel.Gridwright", "FontSetting", "FontName", "Times New Roman");
  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "0");

  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter"), "0");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "FontSetting", "FontName"), "Times New Roman");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "FontSetting", "CellSpotter"), std::nullopt);
  EXPECT_TRUE(std::filesystem::exists(root_ / "config" / "Quorvel.Gridwright" / "settings.ini"));

  PosixPlatform nextRun(options_);
  EXPECT_EQ(nextRun.GetSetting("Quorvel.Gridwright", "FontSetting", "FontName"), "Times New Roman");
}

TEST_F(PosixPlatformTest, AnEmptySettingIsStoredAndReadBackEmpty) {
  PosixPlatform platform(options_);
  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", "");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility"), "");
}

TEST_F(PosixPlatformTest, ASettingThatCannotBeWrittenRaisesAnError) {
  std::filesystem::create_directories(root_);
  std::ofstream(root_ / "config") << "a file where the folder should be";
  PosixPlatform platform(options_);
  EXPECT_THROW(platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "1"), host::HostError);
}

TEST_F(PosixPlatformTest, ProfileFilesAreReachedThroughWindowsStylePaths) {
  std::filesystem::create_directories(root_ / "install");
  PosixPlatform platform(options_);
  const std::string file = (root_ / "install").string() + "\\Config.ini";
  EXPECT_TRUE(platform.WritePrivateProfileString("OPTIONS", "Language", "English", file));
  EXPECT_TRUE(std::filesystem::exists(root_ / "install" / "Config.ini"));
  const std::string buffer = platform.GetPrivateProfileString("options", "LANGUAGE", "", 256, file);
  EXPECT_EQ(buffer.size(), 256u);
  EXPECT_EQ(std::string(buffer.c_str()), "English");
}

TEST_F(PosixPlatformTest, MessageBoxesGoToThePresenterWithTheirFlagsAndTitle) {
  PosixPlatform platform(options_);
  EXPECT_EQ(platform.MessageBox("Sure?", vbYesNo | vbQuestion | vbDefaultButton2, std::string("Tabulara")), vbNo);
  EXPECT_EQ(platform.MessageBox("Sure?", vbYesNo | vbQuestion, std::string("Tabulara")), vbYes);
  EXPECT_EQ(platform.MessageBox("Gone", vbOKOnly, std::nullopt), vbOK);
  ASSERT_EQ(shown_.size(), 3u);
  EXPECT_EQ(shown_[0].flags, 292);
  EXPECT_EQ(shown_[0].title, "Tabulara");
  EXPECT_EQ(shown_[2].title, std::nullopt);
}

TEST_F(PosixPlatformTest, CaseMappingCoversLettersBeyondAscii) {
  PosixPlatform platform(options_);
  EXPECT_EQ(platform.UpperCase("sales q1"), "SALES Q1");
  EXPECT_EQ(platform.UpperCase("über straße"), "ÜBER STRAßE");
  EXPECT_EQ(platform.LowerCase("ÉTÉ Лист1"), "été лист1");
  EXPECT_EQ(platform.UpperCase("日本語sheet"), "日本語SHEET");
}

TEST_F(PosixPlatformTest, ComparisonIgnoresCaseAndHasNoNumericOrdering) {
  PosixPlatform platform(options_);
  EXPECT_GT(platform.CompareTextNoCase("b", "A"), 0);
  EXPECT_LT(platform.CompareTextNoCase("A", "b"), 0);
  EXPECT_EQ(platform.CompareTextNoCase("data", "DATA"), 0);
  EXPECT_LT(platform.CompareTextNoCase("Sheet10", "Sheet2"), 0);
  EXPECT_LT(platform.CompareTextNoCase("Sheet1", "Sheet10"), 0);
  EXPECT_EQ(platform.CompareTextNoCase("Été", "été"), 0);
}

TEST_F(PosixPlatformTest, RandomNumbersStayBelowOne) {
  PosixPlatform platform(options_);
  platform.Randomize();
  for (int i = 0; i < 100000; ++i) {
    const float number = platform.Rnd();
    ASSERT_GE(number, 0.0f);
    ASSERT_LT(number, 1.0f);
  }
}

}  // namespace
}  // namespace tabulara::platform::posix
