#include <gtest/gtest.h>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;
using ControlView = embedded::CommandBarSet::ControlView;

class MiscMenu : public ::testing::Test {
 protected:
  MiscMenu() { addin_.host.NewWorkbook(); }

  ControlView Misc() {
    const auto popups = addin_.MainPopups();
    for (const auto& control : popups.at(0).controls) {
      if (control.caption == "Miscellaneous") return control;
    }
    ADD_FAILURE() << "no Miscellaneous pop-up";
    return {};
  }

  AddinHarness addin_;
};

TEST_F(MiscMenu, HoldsTheSevenLaunchersWithTheMessengerFacesFromTheClipboard) {
  addin_.host.clipboard().picture = std::vector<std::uint8_t>{1, 2, 3};
  addin_.Start();
  const auto misc = Misc();
  EXPECT_EQ(misc.type, host::msoControlPopup);
  EXPECT_TRUE(misc.beginGroup);
  const char* captions[] = {"Run Yahoo Messeger", "Run MSN", "Run Skype", "Open My Documents",
                            "Open Installation Folder", "Visit Veduze Website", "Game --> Minesweeper"};
  const bool groups[] = {false, false, false, true, false, true, false};
  ASSERT_EQ(misc.controls.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    SCOPED_TRACE(captions[i]);
    EXPECT_EQ(misc.controls[i].caption, captions[i]);
    EXPECT_EQ(misc.controls[i].beginGroup, groups[i]);
    EXPECT_EQ(misc.controls[i].style, host::msoButtonIconAndCaption);
    EXPECT_EQ(misc.controls[i].pastedFace, i < 3);
  }
  EXPECT_EQ(addin_.host.clipboard().picture, std::nullopt);
}

TEST_F(MiscMenu, HidesWhenAllItsItemsAreHiddenAndShowsWithOne) {
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         std::string(20, '0') + "1");
  addin_.Start();
  EXPECT_FALSE(Misc().visible);
  for (const auto& item : Misc().controls) EXPECT_FALSE(item.visible) << item.caption;

  gExcelEvents->SetItemVisible("0000000000000000001");
  EXPECT_TRUE(Misc().visible);
  EXPECT_TRUE(Misc().controls[5].visible);
}

TEST_F(MiscMenu, AFaceThatCannotBePastedStopsTheMenuWithALoadError) {
  addin_.host.runtime().FailOn("CommandBarButton.PasteFace",
                               host::HostError(-2147467259, "Method 'PasteFace' of object '_CommandBarButton' failed"));
  addin_.Start();
  EXPECT_EQ(addin_.MessageTexts(),
            std::vector<std::string>{"Load error\r\nMethod 'PasteFace' of object '_CommandBarButton' failed"});
  const auto popups = addin_.MainPopups();
  EXPECT_EQ(popups.at(0).controls.back().caption, "Miscellaneous");
  EXPECT_EQ(Misc().controls.size(), 1u);
}

}  // namespace
}  // namespace tabulara::addin
