#include <gtest/gtest.h>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;
using ControlView = embedded::CommandBarSet::ControlView;

class MainMenu : public ::testing::Test {
 protected:
  MainMenu() { addin_.host.NewWorkbook(); }

  const ControlView& Popup() {
    popups_ = addin_.MainPopups();
    EXPECT_EQ(popups_.size(), 1u);
    return popups_.front();
  }
  const ControlView& Item(const std::string& caption) {
    for (const auto& control : Popup().controls) {
      if (control.caption == caption) {
        item_ = control;
        return item_;
      }
    }
    ADD_FAILURE() << caption << " is not in the menu";
    return item_;
  }

  AddinHarness addin_;
  std::vector<ControlView> popups_;
  ControlView item_;
};

TEST_F(MainMenu, HoldsEveryItemInOrderWithItsGroupStyleAndFace) {
  addin_.Start();
  struct Row {
    const char* caption;
    bool group;
    int style;
    int face;
  };
  const Row rows[] = {
      {"Sheets Name To Upper Case", false, 3, 0}, {"Sheets Name To Lower Case", false, 3, 0},
      {"Capitalize Sheets Name", false, 3, 0},    {"Sheets Sort", false, 3, 0},
      {"Create Index", false, 3, 0},              {"Clear Shapes", true, 3, 508},
      {"Clear All", false, 3, 358},               {"Clear Hyperlinks", false, 3, 0},
      {"Trim Cells", true, 3, 0},                 {"Convert Formula To Value", false, 3, 0},
      {"Cell Spotter", true, 3, 442},             {"Clear Cell Spotter", false, 3, 0},
      {"Unify Sheets Font", true, 3, 0},          {"Miscellaneous", true, 0, 0},
      {"Configuration...", true, 3, 642},
      {"Help...", true, 0, 983},                  {"About...", true, 0, 0},
  };
  const auto& controls = Popup().controls;
  ASSERT_EQ(controls.size(), std::size(rows));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(rows[i].caption);
    EXPECT_EQ(controls[i].caption, rows[i].caption);
    EXPECT_EQ(controls[i].type, i == 13 ? host::msoControlPopup : host::msoControlButton);
    EXPECT_EQ(controls[i].beginGroup, rows[i].group);
    EXPECT_EQ(controls[i].style, rows[i].style);
    EXPECT_EQ(controls[i].faceId, rows[i].face);
    EXPECT_TRUE(controls[i].visible);
  }
}

TEST_F(MainMenu, CaptionsComeFromTheLanguageFile) {
  addin_.platform.WriteInstallFile("English.lang", "[MenuItem]\r\nWSItemSort=Sort the sheets\r\nPOPMain=Tabula\r\n");
  addin_.Start();
  EXPECT_EQ(Popup().caption, "Tabula");
  EXPECT_EQ(Popup().controls[3].caption, "Sort the sheets");
}

TEST_F(MainMenu, VisibilityTextHidesItemsByTheirIndex) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         std::string(20, '0') + "1");
  addin_.Start();
  EXPECT_TRUE(addin_.platform.messages.empty());
  for (const char* hidden : {"Sheets Name To Upper Case", "Create Index", "Clear Hyperlinks", "Trim Cells",
                             "Convert Formula To Value", "Cell Spotter", "Unify Sheets Font"}) {
    EXPECT_FALSE(Item(hidden).visible) << hidden;
  }
  EXPECT_TRUE(Item("Help...").visible);
  EXPECT_TRUE(Item("Configuration...").visible);
  EXPECT_TRUE(Item("About...").visible);
}

TEST_F(MainMenu, ShortVisibilityTextChangesOnlyTheFirstItems) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", "0100");
  addin_.Start();
  EXPECT_FALSE(Item("Sheets Name To Upper Case").visible);
  EXPECT_TRUE(Item("Sheets Name To Lower Case").visible);
  EXPECT_FALSE(Item("Capitalize Sheets Name").visible);
  EXPECT_FALSE(Item("Sheets Sort").visible);
  EXPECT_TRUE(Item("Create Index").visible);
}

TEST_F(MainMenu, ANonDigitAppliesWhatCameBeforeAndReportsALoadError) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", "0x0");
  addin_.Start();
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text, "Load error\r\nType mismatch");
  EXPECT_EQ(addin_.platform.messages.front().flags, 16);
  EXPECT_FALSE(Item("Sheets Name To Upper Case").visible);
  EXPECT_TRUE(Item("Capitalize Sheets Name").visible);
}

TEST_F(MainMenu, ThirtyOneCharactersAreAppliedBeforeTheThirtySecondFails) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         "0" + std::string(30, '1') + "1");
  addin_.Start();
  ASSERT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Load error\r\nSubscript out of range"});
  EXPECT_FALSE(Item("Sheets Name To Upper Case").visible);
}

TEST_F(MainMenu, SetItemVisibleShowsHiddenItemsAgain) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility", "000");
  addin_.Start();
  gExcelEvents->SetItemVisible("111");
  EXPECT_TRUE(Item("Sheets Name To Upper Case").visible);
  EXPECT_TRUE(Item("Capitalize Sheets Name").visible);
}

TEST_F(MainMenu, AFailingButtonStopsTheBuildWithTheBarLeftUnprotected) {
  addin_.host.runtime().FailOn("CommandBarButton.FaceId.Put",
                               host::HostError(-2147467259, "Method 'FaceId' of object '_CommandBarButton' failed"));
  addin_.Start();
  ASSERT_EQ(addin_.MessageTexts(),
            std::vector<std::string>{"Load error\r\nMethod 'FaceId' of object '_CommandBarButton' failed"});
  EXPECT_EQ(Popup().controls.size(), 6u);
  EXPECT_TRUE(addin_.host.clipboard().picture == std::nullopt);
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, host::msoBarNoProtection);
}

}  // namespace
}  // namespace tabulara::addin
