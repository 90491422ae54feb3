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

TEST_F(Connection, DuringStartupTheMenuWaitsForStartupComplete) {
  const auto builtIn = addin_.Bar("Worksheet Menu Bar").controls;
  addin_.Connect(kStartup);
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").controls.size(), builtIn.size());

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
}

TEST_F(Connection, APopupLeftByAnEarlierRunOrBuiltBeforeIsReplacedInPlace) {
  AddLeftover("Worksheet Menu Bar", "QuorvelGridwright");
  addin_.Connect(kAfterStartup);
  const auto first = addin_.Bar("Worksheet Menu Bar");
  EXPECT_TRUE(addin_.Popup().temporary);
  gExcelEvents->CreateButtons();
  const auto second = addin_.Bar("Worksheet Menu Bar");
  ASSERT_EQ(addin_.MainPopups().size(), 1u);
  ASSERT_EQ(second.controls.size(), first.controls.size());
  for (std::size_t i = 0; i < first.controls.size(); ++i) {
    EXPECT_EQ(second.controls[i].caption, first.controls[i].caption) << i;
  }
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

TEST_F(Connection, DisconnectionFindsByTheirTagsPopupsItNeverHeld) {
  AddLeftover("Worksheet Menu Bar", "QuorvelGridwright");
  AddLeftover("Cell", "QuorvelComments");
  addin_.Connect(kStartup);
  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
  for (const auto& control : addin_.Bar("Cell").controls) EXPECT_NE(control.tag, "QuorvelComments");
}

TEST_F(Connection, DisconnectionWithoutAConnectionOnlyReleasesTheCatalogue) {
  const auto barBefore = addin_.Bar("Worksheet Menu Bar");
  addin_.Disconnect();
  EXPECT_EQ(gLanguage, nullptr);
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
  EXPECT_EQ(addin_.Popup().caption, "Tabulara JP");
}

}  // namespace
}  // namespace tabulara::addin
