#include <gtest/gtest.h>

#include <algorithm>

#include "settings/user_settings.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::CommandBarSet;
using testing::AddinHarness;

bool IsStylePopup(const CommandBarSet::ControlView& control) { return control.tag == "QuorvelComments"; }

class CommentStyles : public ::testing::Test {
 protected:
  CommentStyles() : book_(addin_.host.NewWorkbook({"Data"})), sheet_(addin_.host.Sheet("Data")) {}

  CommandBarSet::ControlView Popup() {
    const auto controls = addin_.Bar("Cell").controls;
    const auto popup = std::find_if(controls.begin(), controls.end(), IsStylePopup);
    EXPECT_NE(popup, controls.end());
    return popup == controls.end() ? CommandBarSet::ControlView{} : *popup;
  }
  void ClickStyle(int item) { addin_.host.commandBars().Click({"Cell", "Comment Style", "Style " + std::to_string(item)}); }
  const embedded::model::Shape& Box(std::string_view cell) {
    return *sheet_.FindShape(addin_.host.FindComment(sheet_, cell)->shape);
  }

  AddinHarness addin_;
  embedded::model::Workbook& book_;
  embedded::model::Sheet& sheet_;
};

// A pop-up an earlier session left behind goes; the new one stands just
// above Format Cells until the add-in disconnects.
TEST_F(CommentStyles, OnePopupOfTenStylesStandsAboveFormatCells) {
  const auto leftover =
      addin_.host.Application()->CommandBars()->Item("Cell")->Controls()->Add(host::msoControlPopup);
  leftover->Tag("QuorvelComments");
  addin_.Start();
  const auto controls = addin_.Bar("Cell").controls;
  EXPECT_EQ(std::count_if(controls.begin(), controls.end(), IsStylePopup), 1);
  const auto formatCells = std::find_if(controls.begin(), controls.end(), [](const auto& c) { return c.id == 855; });
  ASSERT_NE(formatCells, controls.begin());
  EXPECT_TRUE(IsStylePopup(*std::prev(formatCells)));
  const CommandBarSet::ControlView popup = Popup();
  EXPECT_EQ(popup.caption, "Comment Style");
  EXPECT_TRUE(popup.temporary);
  const int faces[] = {1115, 1116, 1121, 1123, 1141, 1185, 1197, 1205, 1250, 2639};
  ASSERT_EQ(popup.controls.size(), 10u);
  for (std::size_t i = 0; i < popup.controls.size(); ++i) {
    EXPECT_EQ(popup.controls[i].caption, "Style " + std::to_string(i + 1));
    EXPECT_EQ(popup.controls[i].faceId, faces[i]);
    EXPECT_EQ(popup.controls[i].style, host::msoButtonIconAndCaption);
  }
  addin_.Disconnect();
  const auto left = addin_.Bar("Cell").controls;
  EXPECT_EQ(std::count_if(left.begin(), left.end(), IsStylePopup), 0);
}

TEST_F(CommentStyles, RightClickShowsThePopupOnlyWithTheSettingOnACellWithAComment) {
  addin_.Start();
  addin_.host.AddComment(sheet_, "B2", "note");
  struct Case {
    const char* setting;
    const char* cell;
    bool visible;
  };
  const Case cases[] = {{nullptr, "B2", false}, {"1", "B2", true}, {"1", "C3", false}, {"0", "B2", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.setting ? c.setting : "never stored") + " " + c.cell);
    if (c.setting) settings::WriteSetting("GeneralSetting", "CommentStyle", c.setting);
    EXPECT_FALSE(addin_.host.RightClick(c.cell));
    EXPECT_EQ(Popup().visible, c.visible);
  }
  settings::WriteSetting("GeneralSetting", "CommentStyle", "1");
  addin_.host.RightClick("B2");
  settings::WriteSetting("GeneralSetting", "CommentStyle", "yes");
  addin_.host.RightClick("C3");
  EXPECT_TRUE(Popup().visible);
}

// Each item gives the active cell's comment box its shape and hides the
// comment; only the active cell's comment changes.
TEST_F(CommentStyles, AStyleReshapesTheActiveCellsCommentAndHidesIt) {
  addin_.Start();
  settings::WriteSetting("GeneralSetting", "CommentStyle", "1");
  addin_.host.AddComment(sheet_, "B2", "note", true);
  addin_.host.AddComment(sheet_, "B3", "other");
  const int shapes[] = {5, 6, 11, 28, 21, 95, 68, 103, 16, 104};
  for (int item = 1; item <= 10; ++item) {
    addin_.host.Select(sheet_, "B2:B3");
    addin_.host.RightClick("B2");
    ClickStyle(item);
    EXPECT_EQ(Box("B2").autoShapeType, shapes[item - 1]) << "Style " << item;
  }
  EXPECT_FALSE(addin_.host.FindComment(sheet_, "B2")->visible);
  EXPECT_EQ(addin_.host.FindComment(sheet_, "B2")->text, "note");
  EXPECT_EQ(Box("B3").autoShapeType, host::msoShapeRectangle);
  EXPECT_EQ(addin_.host.model().settingsLog.back(), "ScreenUpdating=True");
  EXPECT_TRUE(addin_.MessageTexts().empty());

  addin_.host.Select(sheet_, "C3");
  ClickStyle(5);
  EXPECT_TRUE(addin_.MessageTexts().empty());

  addin_.host.Select(sheet_, "B2");
  addin_.host.model().settingsLog.clear();
  addin_.host.runtime().FailOn("Shape.AutoShapeType.Put", host::HostError(1004, "refused"));
  ClickStyle(1);
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Error!\r\n\r\nrefused"});
  EXPECT_TRUE(addin_.host.FindComment(sheet_, "B2")->visible);
  EXPECT_EQ(addin_.host.model().settingsLog,
            (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True"}));
}

}  // namespace
}  // namespace tabulara::addin
