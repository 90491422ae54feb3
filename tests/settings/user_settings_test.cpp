#include "settings/user_settings.h"

#include <gtest/gtest.h>

#include "host/host_error.h"
#include "support/test_platform.h"

namespace tabulara::settings {
namespace {

using testing::TestPlatform;

TEST(ReadSetting, AbsentKeysGiveTheirDefaultsAsText) {
  TestPlatform platform;
  EXPECT_EQ(ReadSetting("GeneralSetting", "CellSpotter", 0), "0");
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "10");
  EXPECT_EQ(ReadSetting("FontSetting", "FontName", "Arial"), "Arial");
  EXPECT_EQ(ReadSetting("GeneralSetting", "Visibility", ""), "");
}

TEST(ReadSetting, StoredTextsComeBackAsWritten) {
  TestPlatform platform;
  WriteSetting("FontSetting", "FontSize", "11.5");
  WriteSetting("GeneralSetting", "Visibility", "111111111111111111011");
  EXPECT_EQ(ReadSetting("FontSetting", "FontSize", 10), "11.5");
  EXPECT_EQ(ReadSetting("GeneralSetting", "Visibility", ""), "111111111111111111011");
}

TEST(ReadSettingFlag, NumbersAndTheWordsTrueAndFalseAreAccepted) {
  TestPlatform platform;
  EXPECT_FALSE(ReadSettingFlag("GeneralSetting", "CommentStyle", 0));
  for (const char* on : {"1", "-1", "7", "TRUE", "true", "True"}) {
    WriteSetting("GeneralSetting", "CommentStyle", on);
    EXPECT_TRUE(ReadSettingFlag("GeneralSetting", "CommentStyle", 0)) << on;
  }
  for (const char* off : {"0", "FALSE", "false"}) {
    WriteSetting("GeneralSetting", "CommentStyle", off);
    EXPECT_FALSE(ReadSettingFlag("GeneralSetting", "CommentStyle", 0)) << off;
  }
}

TEST(ReadSettingFlag, AWordThatIsNoTruthValueIsATypeMismatch) {
  TestPlatform platform;
  WriteSetting("FontSetting", "BeforeSave", "yes");
  try {
    ReadSettingFlag("FontSetting", "BeforeSave", 0);
    FAIL() << "expected a type mismatch";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), host::kErrTypeMismatch);
  }
}

TEST(ReadSettingInteger, FractionsRoundHalvesToTheEvenNeighbour) {
  TestPlatform platform;
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 10);
  WriteSetting("FontSetting", "FontSize", "10.5");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 10);
  WriteSetting("FontSetting", "FontSize", "11.5");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 12);
  WriteSetting("FontSetting", "FontSize", "12.6");
  EXPECT_EQ(ReadSettingInteger("FontSetting", "FontSize", 10), 13);
}

TEST(ReadSettingInteger, ANonNumericSizeIsATypeMismatch) {
  TestPlatform platform;
  WriteSetting("FontSetting", "FontSize", "large");
  EXPECT_THROW(ReadSettingInteger("FontSetting", "FontSize", 10), host::HostError);
}

}  // namespace
}  // namespace tabulara::settings
