#include <gtest/gtest.h>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "host/host.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;

constexpr int kStartup = host::ext_cm_Startup;
constexpr int kAfterStartup = host::ext_cm_AfterStartup;

class Connection : public ::testing::Test {
 protected:
  Connection() {
    addin_.host.NewWorkbook({"Sheet1", "Sheet2"});
    addin_.Load();
  }

  // A pop-up with this tag, as an earlier run may have left on a bar.
  void AddLeftover(const std::string& bar, const std::string& tag) {
    const auto leftover = addin_.host.Application()->CommandBars()->Item(bar)->Controls()->Add(host::msoControlPopup);
    leftover->Caption("Tabulara");
    leftover->Tag(tag);
  }

  AddinHarness addin_;
};

// The pop-up replaces one an earlier run left, in front of the bar's
// second-to-last control, and so again when the menu is built twice.
TEST_F(Connection, DuringStartupTheMenuWaitsForStartupComplete) {
  const auto builtIn = addin_.Bar("Worksheet Menu Bar").controls;
  AddLeftover("Worksheet Menu Bar", "QuorvelGridwright");
  addin_.Connect(kStartup);
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), builtIn.size() + 1);

  addin_.StartupComplete();
  EXPECT_TRUE(addin_.platform.messages.empty());
  const auto bar = addin_.Bar("Worksheet Menu Bar");
  ASSERT_EQ(bar.controls.size(), builtIn.size() + 1);
  const auto& popup = bar.controls[builtIn.size() - 2];
  EXPECT_EQ(popup.type, host::msoControlPopup);
  EXPECT_EQ(popup.id, host::kCustomControlId);
  EXPECT_EQ(popup.caption, "Tabulara");
  EXPECT_EQ(popup.tag, "QuorvelGridwright");
  EXPECT_TRUE(popup.temporary);
  EXPECT_EQ(bar.controls[builtIn.size() - 1].caption, builtIn[builtIn.size() - 2].caption);
  EXPECT_EQ(bar.protection, host::msoBarNoCustomize);
  gExcelEvents->CreateButtons();
  const auto again = addin_.Bar("Worksheet Menu Bar");
  ASSERT_EQ(again.controls.size(), bar.controls.size());
  for (std::size_t i = 0; i < bar.controls.size(); ++i) EXPECT_EQ(again.controls[i].caption, bar.controls[i].caption);
}

TEST_F(Connection, DisconnectionRemovesTheMenuAndLeavesNoReferenceOrSubscription) {
  const long referencesBefore = addin_.host.runtime().LiveReferences();
  addin_.Connect(kStartup);
  addin_.StartupComplete();
  EXPECT_GT(addin_.host.runtime().LiveSubscriptions(), 0);

  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, host::msoBarNoProtection);
  EXPECT_EQ(gExcelEvents, nullptr);
  EXPECT_EQ(gLanguage, nullptr);
  EXPECT_EQ(addin_.host.runtime().LiveReferences(), referencesBefore);
  EXPECT_EQ(addin_.host.runtime().LiveSubscriptions(), 0);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

// Pop-ups it never held are found by their tags.
TEST_F(Connection, DisconnectionWithoutAConnectionOrFailingEndsSilentlyAndReleasesTheCatalogue) {
  const auto builtIn = addin_.Bar("Worksheet Menu Bar");
  addin_.Disconnect();
  EXPECT_EQ(gLanguage, nullptr);
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), builtIn.controls.size());
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, builtIn.protection);

  AddLeftover("Worksheet Menu Bar", "QuorvelGridwright");
  AddLeftover("Cell", "QuorvelComments");
  addin_.Connect(kStartup);
  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
  for (const auto& control : addin_.Bar("Cell").controls) EXPECT_NE(control.tag, "QuorvelComments");

  addin_.Connect(kAfterStartup);
  addin_.host.runtime().FailOn("CommandBarControl.Delete", host::HostError(-2147467259, "Method 'Delete' failed"));
  EXPECT_NO_THROW(addin_.Disconnect());
  EXPECT_EQ(gLanguage, nullptr);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, AFailureDuringConnectionGoesBackToTheHost) {
  addin_.host.runtime().FailOn("Application.CommandBars", host::HostError(1004, "refused"));
  EXPECT_THROW(addin_.Connect(kAfterStartup), host::HostError);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, ThePopupHidesWhileNoSheetIsActiveAndIgnoresErrorsOfTheUpdate) {
  addin_.Connect(kAfterStartup);
  addin_.host.Close(addin_.host.ActiveWorkbook());
  addin_.host.commandBars().Update();
  EXPECT_FALSE(addin_.Popup().visible);

  addin_.host.NewWorkbook();
  addin_.host.commandBars().Update();
  EXPECT_TRUE(addin_.Popup().visible);
  addin_.host.runtime().FailOn("Application.ActiveSheet", host::HostError(1004, "refused"));
  EXPECT_NO_THROW(addin_.host.commandBars().Update());
  EXPECT_TRUE(addin_.Popup().visible);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, ExcelEventsGivesTheApplicationItHoldsUntilUnInit) {
  addin_.Connect(kStartup);
  gExcelEvents->UnInit();
  EXPECT_THROW(gExcelEvents->Application(), host::HostError);
}

TEST_F(Connection, LoadingKeepsTheTitleTheErrorHeadingAndTheVisibilityCaptionsFetchedThen) {
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

  addin_.platform.WriteInstallFile("English.lang", "[System]\r\nAppTitle=Renamed\r\n");
  EXPECT_EQ(gAppTitle, "Tabulara");
  EXPECT_EQ(Message("lang00A"), "Renamed");
  gLanguage.reset();
  EXPECT_THROW(Message("lang00A"), host::HostError);
}

// Texts come from the chosen language, except two fixed captions; a second
// connection in the same load gets the catalogue again.
TEST_F(Connection, ALoadTakesTheTextsOfTheChosenLanguageForEachConnection) {
  addin_.platform.WriteInstallFile("Config.ini", "[OPTIONS]\r\nLanguage=Japanese\r\n");
  addin_.platform.WriteInstallFile("Japanese.lang",
                                   "[System]\r\nAppTitle=Tabulara JP\r\nAppError=Error JP\r\n[MenuItem]\r\n"
                                   "POPMain=Popup JP\r\nWSItemSort=Sort JP\r\nWSItemHelp=Help JP\r\n"
                                   "[FormConfig]\r\nWSItemIMSkype=Skype JP\r\n");
  addin_.Load();
  EXPECT_EQ(gAppTitle, "Tabulara JP");
  EXPECT_EQ(gAppError, "Error JP");
  EXPECT_EQ(gItemCaptions[15], "Skype JP");
  EXPECT_EQ(gItemCaptions[16], "Open My Documents");
  EXPECT_EQ(gItemCaptions[20], "Help JP");
  addin_.Connect(kAfterStartup);
  addin_.Disconnect();
  addin_.Connect(kAfterStartup);
  EXPECT_EQ(addin_.Popup().caption, "Popup JP");
  EXPECT_EQ(addin_.Popup().controls.at(3).caption, "Sort JP");
}

}  // namespace
}  // namespace tabulara::addin
