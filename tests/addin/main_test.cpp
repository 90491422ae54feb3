#include "addin/main.h"

#include <gtest/gtest.h>

#include "addin/globals.h"
#include "host/host_error.h"
#include "support/test_platform.h"

namespace tabulara::addin {
namespace {

using testing::TestPlatform;

class Loading : public ::testing::Test {
 protected:
  ~Loading() override { gLanguage.reset(); }
};

TEST_F(Loading, KeepsTheTitleTheErrorHeadingAndTheVisibilityCaptionsFetchedThen) {
  TestPlatform platform;
  Main();
  ASSERT_NE(gLanguage, nullptr);
  EXPECT_EQ(gLanguage->Language(), "English");
  EXPECT_EQ(gAppTitle, "Tabulara");
  EXPECT_EQ(gAppError, "Error!");
  const std::array<std::string, kItemCaptionCount> expected = {
      "Sheets Name To Upper Case", "Sheets Name To Lower Case", "Capitalize Sheets Name", "Sheets Sort",
      "Create Index", "Clear Shapes", "Clear All", "Trim Cells", "Clear Hyperlinks", "Cell Spotter",
      "Clear Cell Spotter", "Convert Formula To Value", "Unify Sheets Font", "Run Yahoo Messeger", "Run MSN",
      "Run Skype", "Open My Documents", "Open Installation Folder", "Visit Veduze Website",
      "Game --> Minesweeper", "Help..."};
  EXPECT_EQ(gItemCaptions, expected);

  platform.WriteInstallFile("English.lang", "[System]\r\nAppTitle=Renamed\r\n");
  EXPECT_EQ(gAppTitle, "Tabulara");
  EXPECT_EQ(Message("lang00A"), "Renamed");
  gLanguage.reset();
  EXPECT_THROW(Message("lang00A"), host::HostError);
}

TEST_F(Loading, TakesTextsFromTheChosenLanguageExceptTheFixedCaptions) {
  TestPlatform platform("ja_JP.UTF-8");
  platform.WriteInstallFile("Japanese.lang",
                            "[System]\r\nAppTitle=Tabulara JP\r\nAppError=Error JP\r\n"
                            "[MenuItem]\r\nWSItemHelp=Help JP\r\n[FormConfig]\r\nWSItemIMSkype=Skype JP\r\n");
  Main();
  EXPECT_EQ(gAppTitle, "Tabulara JP");
  EXPECT_EQ(gAppError, "Error JP");
  EXPECT_EQ(gItemCaptions[15], "Skype JP");
  EXPECT_EQ(gItemCaptions[16], "Open My Documents");
  EXPECT_EQ(gItemCaptions[20], "Help JP");
}

}  // namespace
}  // namespace tabulara::addin
