#include <cstdint>
#include <string>
#include <vector>

#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;
using host::msoControlButton;
using host::msoControlPopup;

const char* const kAddFailed = "Method 'Add' of object 'CommandBarControls' failed";

std::vector<std::string> Captions(const std::vector<CommandBarSet::ControlView>& controls) {
  std::vector<std::string> captions;
  for (const CommandBarSet::ControlView& control : controls) captions.push_back(control.caption);
  return captions;
}

TEST_F(CommandBarsTest, ItemOneIsTheWorksheetMenuBarWithExcelsMenus) {
  EXPECT_EQ(WorksheetMenuBar()->Name(), "Worksheet Menu Bar");
  EXPECT_EQ(WorksheetMenuBar()->Controls()->Count(), 9);
  const CommandBarSet::BarView view = set.View("Worksheet Menu Bar");
  EXPECT_THAT(Captions(view.controls),
              ElementsAre("&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools", "&Data", "&Window", "&Help"));
  for (const CommandBarSet::ControlView& menu : view.controls) {
    EXPECT_EQ(menu.type, msoControlPopup);
    EXPECT_FALSE(menu.controls.empty()) << menu.caption;
  }
  EXPECT_EQ(view.controls[4].barName, "Format");
  const host::Maybe<host::CommandBarControl> file = WorksheetMenuBar()->FindControl(msoControlPopup, 30002);
  EXPECT_EQ(As<host::CommandBarPopup>(*file)->CommandBar()->Name(), "File");
  EXPECT_EQ((*WorksheetMenuBar()->FindControl(std::nullopt, 30011))->Caption(), "&Data");
}

TEST_F(CommandBarsTest, CellMenuHoldsFormatCellsAsControl855) {
  EXPECT_EQ(CellMenu()->Name(), "Cell");
  const host::Ref<host::CommandBarControl> formatCells = *CellMenu()->FindControl(std::nullopt, 855);
  EXPECT_EQ(formatCells->Caption(), "&Format Cells...");
  EXPECT_EQ(formatCells->Index(), 12);
  EXPECT_EQ(formatCells->Type(), msoControlButton);
  EXPECT_EQ(set.View("Cell").controls[7].caption, "Insert Co&mment");
}

TEST_F(CommandBarsTest, BarsAreReachedByNameWithoutRegardToCaseOrRefused) {
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  EXPECT_EQ(bars->Item("CELL")->Name(), "Cell");
  EXPECT_EQ(bars->Item("worksheet menu bar")->Name(), "Worksheet Menu Bar");
  EXPECT_EQ(bars->Item("Edit")->Controls()->Count(), 11);
  std::vector<std::string> window;
  for (const host::Ref<host::CommandBarControl>& control : host::Each(bars->Item("Window")->Controls())) {
    window.push_back(control->Caption());
  }
  EXPECT_THAT(window, ElementsAre("&New Window", "&Arrange...", "&Freeze Panes"));
  EXPECT_THAT([&] { bars->Item("Tabulara"); }, RaisesInvalidCall());
  EXPECT_THAT([&] { bars->Item(0); }, RaisesInvalidCall());
  EXPECT_THAT([&] { bars->Item(3); }, RaisesInvalidCall());
}

TEST_F(CommandBarsTest, AddAppendsAPermanentCustomButtonOrPutsItBeforeAnIndexUpToOnePastTheEnd) {
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int count = controls->Count();
  const host::Ref<host::CommandBarControl> added = controls->Add();
  EXPECT_EQ(added->Index(), count + 1);
  EXPECT_EQ(added->Type(), msoControlButton);
  const CommandBarSet::ControlView view = set.View("Cell").controls.back();
  EXPECT_EQ(view.id, host::kCustomControlId);
  EXPECT_FALSE(view.temporary);
  EXPECT_EQ(view.caption, "");
  EXPECT_EQ(controls->Add(msoControlButton, std::nullopt, std::nullopt, 1)->Index(), 1);
  EXPECT_EQ(controls->Add(msoControlButton, std::nullopt, std::nullopt, count + 3)->Index(), count + 3);
  EXPECT_EQ(set.View("Cell").controls[1].caption, "Cu&t");
  for (int before : {count + 5, 0}) {
    EXPECT_THAT([&] { controls->Add(msoControlButton, std::nullopt, std::nullopt, before); },
                RaisesHostError(-2147467259, kAddFailed));
  }
  EXPECT_THAT([&] { controls->Add(msoControlButton, 424242); }, RaisesHostError(-2147467259, kAddFailed));
  EXPECT_THAT([&] { controls->Add(4); }, RaisesInvalidCall());
  EXPECT_EQ(controls->Count(), count + 3);
}

TEST_F(CommandBarsTest, BeforeSecondToLastLandsInFrontOfWindow) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(WorksheetMenuBar(), 8, true);
  popup->Caption("Tabulara");
  EXPECT_EQ(popup->Index(), 8);
  const CommandBarSet::BarView view = set.View("Worksheet Menu Bar");
  EXPECT_THAT(Captions(view.controls), ElementsAre("&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools",
                                                   "&Data", "Tabulara", "&Window", "&Help"));
  EXPECT_TRUE(view.controls[7].temporary);
}

TEST_F(CommandBarsTest, PopupsComeBackAsPopupsWithABarOfTheirOwn) {
  const host::Ref<host::CommandBarPopup> main = AddPopup(WorksheetMenuBar());
  EXPECT_EQ(main->Type(), msoControlPopup);
  EXPECT_EQ(main->Controls()->Count(), 0);
  const host::Ref<host::CommandBarPopup> misc = AddPopup(main->CommandBar());
  const host::Ref<host::CommandBarButton> item = AddButton(misc->Controls());
  item->Caption("Run MSN");
  EXPECT_EQ(item->Index(), 1);
  EXPECT_EQ(item->Parent()->Name(), misc->CommandBar()->Name());
  EXPECT_EQ(AddButton(main->Controls())->Parent()->Name(), main->CommandBar()->Name());
  EXPECT_EQ(main->Parent()->Name(), "Worksheet Menu Bar");
  const std::string miscBar = misc->CommandBar()->Name();
  EXPECT_EQ(miscBar.rfind("Custom Popup ", 0), 0u) << miscBar;
  EXPECT_NE(main->CommandBar()->Name(), miscBar);
  EXPECT_EQ(set.CommandBars()->Item(miscBar)->Controls()->Count(), 1);
  EXPECT_EQ(set.View(miscBar).controls.at(0).caption, "Run MSN");
  EXPECT_EQ(set.View(main->CommandBar()->Name()).controls.at(0).barName, miscBar);
  misc->Delete();
  EXPECT_NE(AddPopup(main->CommandBar())->CommandBar()->Name(), miscBar);
}

TEST_F(CommandBarsTest, ABuiltInIdAddsACopyOfThatControl) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  const host::Ref<host::CommandBarControl> copy = popup->Controls()->Add(std::nullopt, 3125);
  EXPECT_EQ(copy->Caption(), "Clear Co&ntents");
  EXPECT_EQ(copy->Type(), msoControlButton);
  EXPECT_EQ(set.View("Cell").controls.back().controls.at(0).id, 3125);
  const host::Ref<host::CommandBarControl> menu = popup->Controls()->Add(msoControlButton, 30009);
  EXPECT_EQ(menu->Type(), msoControlPopup);
  EXPECT_EQ(As<host::CommandBarPopup>(menu)->Controls()->Count(), 3);
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, 3125))->Index(), 7);
}

TEST_F(CommandBarsTest, PropertiesAreKept) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  popup->Caption("Comment Style");
  popup->Tag("QuorvelComments");
  popup->BeginGroup(true);
  popup->Visible(false);
  EXPECT_EQ(popup->Caption(), "Comment Style");
  EXPECT_EQ(popup->Tag(), "QuorvelComments");
  EXPECT_FALSE(popup->Visible());
  EXPECT_TRUE(set.View("Cell").controls.back().beginGroup);
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  button->Style(host::msoButtonIconAndCaption);
  button->FaceId(1115);
  EXPECT_EQ(set.View("Cell").controls.back().style, host::msoButtonIconAndCaption);
  EXPECT_EQ(set.View("Cell").controls.back().faceId, 1115);
  const char* const failed = "Method 'PasteFace' of object '_CommandBarButton' failed";
  clipboard->picture = std::vector<std::uint8_t>{'G', 'I', 'F', '8'};
  EXPECT_THAT([&] { button->PasteFace(); }, RaisesHostError(-2147467259, failed));
  EXPECT_FALSE(set.View("Cell").controls.back().pastedFace);
  std::vector<std::uint8_t> bitmap(58, 0);
  bitmap[0] = 'B';
  bitmap[1] = 'M';
  clipboard->picture = bitmap;
  button->PasteFace();
  EXPECT_TRUE(set.View("Cell").controls.back().pastedFace);
  EXPECT_EQ(clipboard->picture, bitmap);
}

TEST_F(CommandBarsTest, ProtectionIsKeptAndDoesNotStopTheAddInsOwnCalls) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  bar->Protection(host::msoBarNoCustomize);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoCustomize);
  AddPopup(bar)->Delete();
  bar->Protection(host::msoBarNoProtection);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoProtection);
  EXPECT_THAT([&] { bar->Protection(128); }, RaisesInvalidCall());
}

// A pop-up tagged QuorvelGridwright at 8 on the menu bar, holding a pop-up
// with a button tagged Nested.
class FindControlTest : public CommandBarsTest {
 protected:
  void SetUp() override {
    popup->Tag("QuorvelGridwright");
    nested->Tag("Nested");
  }

  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar, 8, true);
  const host::Ref<host::CommandBarPopup> inner = AddPopup(popup->CommandBar());
  const host::Ref<host::CommandBarButton> nested = AddButton(inner->Controls());
};

TEST_F(FindControlTest, EveryGivenCriterionMustMatchAndEachAloneFindsTheFirstMatch) {
  const host::Maybe<host::CommandBarControl> found = bar->FindControl(msoControlPopup, 1, "QuorvelGridwright");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ((*found)->Index(), 8);
  EXPECT_TRUE(std::dynamic_pointer_cast<host::CommandBarPopup>(*found));
  EXPECT_FALSE(bar->FindControl(msoControlButton, 1, "QuorvelGridwright").has_value());
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 855, "QuorvelGridwright").has_value());
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "quorvelgridwright").has_value());
  EXPECT_FALSE(CellMenu()->FindControl(msoControlPopup, 1, "QuorvelGridwright").has_value());
  EXPECT_EQ((*bar->FindControl(msoControlPopup))->Caption(), "&File");
  EXPECT_EQ((*bar->FindControl(std::nullopt, 1))->Index(), 8);
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "QuorvelGridwright"))->Index(), 8);
}

TEST_F(FindControlTest, ItemsOfPopupsOnlyWhenRecursiveDepthFirstInMenuOrder) {
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested").has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested", std::nullopt, false).has_value());
  const host::Maybe<host::CommandBarControl> found =
      bar->FindControl(std::nullopt, std::nullopt, "Nested", std::nullopt, true);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ((*found)->Parent()->Name(), inner->CommandBar()->Name());
  EXPECT_EQ((*bar->FindControl(std::nullopt, 855, std::nullopt, std::nullopt, true))->Caption(), "C&ells...");
  EXPECT_FALSE(bar->FindControl(std::nullopt, 424242, std::nullopt, std::nullopt, true).has_value());
  nested->Tag("Twice");
  nested->Caption("nested");
  AddButton(popup->Controls())->Tag("Twice");
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "Twice", std::nullopt, true))->Caption(), "nested");
}

TEST_F(FindControlTest, VisibleTrueSkipsHiddenControlsAndWhatIsInsideThem) {
  EXPECT_TRUE(CellMenu()->FindControl(std::nullopt, 1589, std::nullopt, false).has_value());
  EXPECT_FALSE(CellMenu()->FindControl(std::nullopt, 1589, std::nullopt, true).has_value());
  popup->Visible(false);
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "QuorvelGridwright", true).has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested", true, true).has_value());
  EXPECT_TRUE(bar->FindControl(std::nullopt, std::nullopt, "Nested", false, true).has_value());
}

}  // namespace
}  // namespace tabulara::embedded
