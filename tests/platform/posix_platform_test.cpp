#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "host/host_error.h"

namespace tabulara::platform::posix {
namespace {

TEST(BasicRandom, GivesTheRuntimesSequenceUnlessSeededByTheTimer) {
  BasicRandom random;
  EXPECT_FLOAT_EQ(random.Next(), 0.7055475f);
  EXPECT_FLOAT_EQ(random.Next(), 0.533424f);
  EXPECT_FLOAT_EQ(random.Next(), 0.5795186f);
  BasicRandom morning;
  BasicRandom evening;
  morning.Randomize(static_cast<float>(8 * 3600.25));
  evening.Randomize(static_cast<float>(20 * 3600.75));
  EXPECT_NE(morning.Next(), evening.Next());
}

TEST(PosixFunctions, MapLocalesToLanguageIdentifiersAndWindowsPathsToPosixPaths) {
  const std::vector<std::pair<std::string, int>> locales = {{"zh_CN.UTF-8", 0x0804},
                                                            {"zh_TW", 0x0404},
                                                            {"zh_HK.UTF-8", 0x0C04},
                                                            {"zh_SG.GB2312", 0x1004},
                                                            {"ja_JP.eucJP", 0x0411},
                                                            {"ja_JP@modifier", 0x0411},
                                                            {"de_DE.UTF-8", 0x0409},
                                                            {"C", 0x0409},
                                                            {"", 0x0409},
                                                            {"zh", 0x0409}};
  for (const auto& [locale, id] : locales) EXPECT_EQ(LangIdOfLocale(locale), id) << locale;
  EXPECT_EQ(ToPosixPath("/opt/tabulara\\Template\\*.xlt"), "/opt/tabulara/Template/*.xlt");
}

class PosixPlatformTest : public ::testing::Test {
 protected:
  PosixPlatformTest() {
    std::filesystem::remove_all(root_);
    options_.installFolder = root_ / "install";
    options_.configHome = root_ / "config";
    options_.messageBoxes = [this](const MessageBoxRequest& request) {
      shown_.push_back(request);
      return DefaultAnswer(request.flags);
    };
  }
  ~PosixPlatformTest() override { std::filesystem::remove_all(root_); }

  const std::filesystem::path root_ =
      std::filesystem::temp_directory_path() / ("tabulara-posix-" + std::to_string(::getpid()));
  PosixOptions options_;
  std::vector<MessageBoxRequest> shown_;
};

TEST_F(PosixPlatformTest, SettingsLiveInTheApplicationsFolderUnderTheConfigurationDirectory) {
  PosixPlatform platform(options_);
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter"), std::nullopt);
  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "1");
  platform.SaveSetting("Quorvel.Gridwright", "FontSetting", "FontName", "Times New Roman");
  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "0");
  platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", "");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter"), "0");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility"), "");
  EXPECT_EQ(platform.GetSetting("Quorvel.Gridwright", "FontSetting", "CellSpotter"), std::nullopt);
  EXPECT_TRUE(std::filesystem::exists(root_ / "config" / "Quorvel.Gridwright" / "settings.ini"));
  PosixPlatform nextRun(options_);
  EXPECT_EQ(nextRun.GetSetting("Quorvel.Gridwright", "FontSetting", "FontName"), "Times New Roman");
}

TEST_F(PosixPlatformTest, ASettingThatCannotBeWrittenRaisesAnError) {
  std::filesystem::create_directories(root_);
  std::ofstream(root_ / "config") << "a file where the folder should be";
  PosixPlatform platform(options_);
  EXPECT_THROW(platform.SaveSetting("Quorvel.Gridwright", "GeneralSetting", "CellSpotter", "1"), host::HostError);
}

TEST_F(PosixPlatformTest, ProfileFilesAndFileSearchesTakeWindowsStylePaths) {
  std::filesystem::create_directories(root_ / "install" / "Folder.xlt");
  PosixPlatform platform(options_);
  const std::string file = (root_ / "install").string() + "\\Config.ini";
  EXPECT_TRUE(platform.WritePrivateProfileString("OPTIONS", "Language", "English", file));
  EXPECT_TRUE(std::filesystem::exists(root_ / "install" / "Config.ini"));
  const std::string buffer = platform.GetPrivateProfileString("options", "LANGUAGE", "", 256, file);
  EXPECT_EQ(buffer.size(), 256u);
  EXPECT_EQ(std::string(buffer.c_str()), "English");
  for (const char* name : {"Budget.XLT", "abcxc.xlt", "abxd.xlt", "abc.xlsx", ".hidden.xlt"}) {
    std::ofstream(root_ / "install" / name) << "x";
  }
  const auto found = [&](const std::string& pattern) {
    std::set<std::string> names;
    const auto search = platform.FindFiles((root_ / "install").string() + "\\" + pattern);
    while (const auto name = search->Next()) names.insert(*name);
    return names;
  };
  EXPECT_EQ(found("*.xlt"), (std::set<std::string>{"Budget.XLT", "abcxc.xlt", "abxd.xlt"}));
  // * backtracks: "a*c.xl?" matches "abcxc.xlt" only past its first "c".
  EXPECT_EQ(found("a*c.xl?"), std::set<std::string>{"abcxc.xlt"});
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

TEST_F(PosixPlatformTest, CaseMappingKeepsTheLengthAndComparisonIgnoresCaseWithoutNumericOrdering) {
  PosixPlatform platform(options_);
  EXPECT_EQ(platform.UpperCase("sales q1"), "SALES Q1");
  EXPECT_EQ(platform.UpperCase("über straße"), "ÜBER STRAßE");
  EXPECT_EQ(platform.LowerCase("ÉTÉ Лист1"), "été лист1");
  EXPECT_EQ(platform.UpperCase("日本語sheet"), "日本語SHEET");
  // The C locale compares by the root collation, not letter codes.
  for (const char* locale : {"", "C", "POSIX", "C.UTF-8"}) {
    options_.locale = locale;
    PosixPlatform inLocale(options_);
    EXPECT_LT(inLocale.CompareTextNoCase("a", "B"), 0) << locale;
    EXPECT_GT(inLocale.CompareTextNoCase("b", "A"), 0) << locale;
    EXPECT_EQ(inLocale.CompareTextNoCase("data", "DATA"), 0) << locale;
    EXPECT_LT(inLocale.CompareTextNoCase("Sheet10", "Sheet2"), 0) << locale;
    EXPECT_LT(inLocale.CompareTextNoCase("Sheet1", "Sheet10"), 0) << locale;
    EXPECT_EQ(inLocale.CompareTextNoCase("Été", "été"), 0) << locale;
  }
  options_.locale = "sv_SE.UTF-8";
  EXPECT_GT(PosixPlatform(options_).CompareTextNoCase("ö", "z"), 0);
  EXPECT_LT(platform.CompareTextNoCase("ö", "z"), 0);
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
