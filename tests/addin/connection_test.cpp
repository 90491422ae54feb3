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

  AddinHarness addin_;
};

TEST_F(Connection, DuringStartupTheMenuWaitsForStartupComplete) {
  const auto before = addin_.Bar("Worksheet Menu Bar").controls.size();
  addin_.Connect(kStartup);
  EXPECT_TRUE(addin_.MainPopups().empty());
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), before);

  addin_.StartupComplete();
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, AfterStartupTheMenuIsBuiltDuringConnection) {
  addin_.Connect(kAfterStartup);
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, MainPopupIsATemporaryTaggedPopupInFrontOfTheSecondToLastControl) {
  const auto builtIn = addin_.Bar("Worksheet Menu Bar").controls;
  ASSERT_GE(builtIn.size(), 2u);
  addin_.Connect(kAfterStartup);

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
}

TEST_F(Connection, BuildingTheMenuTwiceLeavesOnePopupInTheSamePlace) {
  addin_.Connect(kAfterStartup);
  const auto first = addin_.Bar("Worksheet Menu Bar");
  gExcelEvents->CreateButtons();
  const auto second = addin_.Bar("Worksheet Menu Bar");
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  ASSERT_EQ(second.controls.size(), first.controls.size());
  for (std::size_t i = 0; i < first.controls.size(); ++i) {
    EXPECT_EQ(second.controls[i].caption, first.controls[i].caption) << i;
  }
}

TEST_F(Connection, APopupLeftByAnEarlierRunIsReplaced) {
  {
    const auto bar = addin_.host.Application()->CommandBars()->Item(1);
    const auto leftover = bar->Controls()->Add(host::msoControlPopup);
    leftover->Caption("Tabulara");
    leftover->Tag("QuorvelGridwright");
  }
  addin_.Connect(kAfterStartup);
  const auto popups = addin_.MainPopups();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_TRUE(popups.front().temporary);
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

TEST_F(Connection, DisconnectionFindsThePopupByItsTagWhenItWasNeverHeld) {
  {
    const auto bar = addin_.host.Application()->CommandBars()->Item(1);
    bar->Controls()->Add(host::msoControlPopup)->Tag("QuorvelGridwright");
  }
  addin_.Connect(kStartup);
  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
}

TEST_F(Connection, DisconnectionFindsTheCommentPopupByItsTag) {
  {
    const auto cell = addin_.host.Application()->CommandBars()->Item("Cell");
    cell->Controls()->Add(host::msoControlPopup)->Tag("QuorvelComments");
  }
  addin_.Connect(kAfterStartup);
  addin_.Disconnect();
  for (const auto& control : addin_.Bar("Cell").controls) EXPECT_NE(control.tag, "QuorvelComments");
}

TEST_F(Connection, DisconnectionWithoutAConnectionOnlyReleasesTheCatalogue) {
  const auto barBefore = addin_.Bar("Worksheet Menu Bar");
  addin_.Disconnect();
  EXPECT_EQ(gLanguage, nullptr);
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), barBefore.controls.size());
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, barBefore.protection);
}

TEST_F(Connection, AFailureWhileDisconnectingEndsItSilently) {
  addin_.Connect(kAfterStartup);
  addin_.host.runtime().FailOn("CommandBarControl.Delete", host::HostError(-2147467259, "Method 'Delete' failed"));
  EXPECT_NO_THROW(addin_.Disconnect());
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(gLanguage, nullptr);
}

TEST_F(Connection, AFailureWhileBuildingTheMenuShowsLoadErrorAndKeepsWhatWasBuilt) {
  addin_.host.runtime().FailOn("CommandBarControl.Tag.Put",
                               host::HostError(-2147467259, "Method 'Tag' of object 'CommandBarPopup' failed"));
  addin_.Connect(kStartup);
  addin_.StartupComplete();

  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  const auto& message = addin_.platform.messages.front();
  EXPECT_EQ(message.text, "Load error\r\nMethod 'Tag' of object 'CommandBarPopup' failed");
  EXPECT_EQ(message.flags, 16);
  EXPECT_EQ(message.title, "Tabulara");
  const auto bar = addin_.Bar("Worksheet Menu Bar");
  EXPECT_EQ(bar.protection, host::msoBarNoProtection);
  bool captioned = false;
  for (const auto& control : bar.controls) captioned |= control.caption == "Tabulara" && control.temporary;
  EXPECT_TRUE(captioned);
}

TEST_F(Connection, AFailureDuringConnectionGoesBackToTheHost) {
  addin_.host.runtime().FailOn("Application.CommandBars", host::HostError(1004, "refused"));
  EXPECT_THROW(addin_.Connect(kAfterStartup), host::HostError);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, AVisibilityTextLongerThanTheListIsASubscriptError) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         std::string(32, '1'));
  addin_.Connect(kAfterStartup);
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text, "Load error\r\nSubscript out of range");
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, host::msoBarNoCustomize);
}

TEST_F(Connection, AVisibilityTextOfTheListsLengthIsAccepted) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         "  " + std::string(31, '1') + "  ");
  addin_.Connect(kAfterStartup);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, ThePopupHidesWhileNoWorkbookIsOpen) {
  addin_.Connect(kAfterStartup);
  addin_.host.Close(addin_.host.ActiveWorkbook());
  addin_.host.commandBars().Update();
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  EXPECT_FALSE(addin_.MainPopups().front().visible);

  addin_.host.NewWorkbook();
  addin_.host.commandBars().Update();
  EXPECT_TRUE(addin_.MainPopups().front().visible);
}

TEST_F(Connection, ACommandBarUpdateIgnoresErrors) {
  addin_.Connect(kAfterStartup);
  addin_.host.runtime().FailOn("Application.ActiveSheet", host::HostError(1004, "refused"));
  EXPECT_NO_THROW(addin_.host.commandBars().Update());
  EXPECT_TRUE(addin_.MainPopups().front().visible);
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Connection, AddInsUpdateAndBeginShutdownChangeNothing) {
  addin_.Connect(kAfterStartup);
  const auto bar = addin_.Bar("Worksheet Menu Bar");
  const long references = addin_.host.runtime().LiveReferences();
  addin_.connection.OnAddInsUpdate(addin_.custom);
  addin_.connection.OnBeginShutdown(addin_.custom);
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), bar.controls.size());
  EXPECT_EQ(addin_.host.runtime().LiveReferences(), references);
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_NE(gExcelEvents, nullptr);
}

TEST_F(Connection, ExcelEventsGivesTheApplicationItHoldsUntilUnInit) {
  addin_.Connect(kStartup);
  EXPECT_NO_THROW(gExcelEvents->Application()->ActiveWorkbook());
  gExcelEvents->UnInit();
  try {
    gExcelEvents->Application();
    FAIL() << "expected error 91";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), 91);
  }
}

TEST_F(Connection, ASecondConnectionInTheSameLoadGetsItsCatalogueAgain) {
  addin_.platform.WriteInstallFile("Config.ini", "[OPTIONS]\r\nLanguage=Japanese\r\n");
  addin_.platform.WriteInstallFile("Japanese.lang", "[MenuItem]\r\nPOPMain=Tabulara JP\r\n");
  addin_.Connect(kAfterStartup);
  addin_.Disconnect();
  addin_.Connect(kAfterStartup);
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  EXPECT_EQ(addin_.MainPopups().front().caption, "Tabulara JP");
}

}  // namespace
}  // namespace tabulara::addin
