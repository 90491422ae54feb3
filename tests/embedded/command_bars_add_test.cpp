#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

const char* const kAddFailed = "Method 'Add' of object 'CommandBarControls' failed";

TEST_F(CommandBarsTest, OmittedArgumentsAppendAPermanentCustomButton) {
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int before = controls->Count();
  const host::Ref<host::CommandBarControl> added = controls->Add();
  ASSERT_TRUE(std::dynamic_pointer_cast<host::CommandBarButton>(added));
  EXPECT_EQ(controls->Count(), before + 1);
  EXPECT_EQ(added->Index(), before + 1);
  EXPECT_EQ(added->Type(), host::msoControlButton);
  const CommandBarSet::ControlView view = set.View("Cell").controls.back();
  EXPECT_EQ(view.id, host::kCustomControlId);
  EXPECT_FALSE(view.temporary);
  EXPECT_EQ(view.caption, "");
}

TEST_F(CommandBarsTest, BeforeSecondToLastLandsInFrontOfWindow) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar, count - 1, true);
  ASSERT_TRUE(popup);
  popup->Caption("Tabulara");
  EXPECT_EQ(popup->Index(), count - 1);
  const CommandBarSet::BarView view = set.View("Worksheet Menu Bar");
  ASSERT_EQ(static_cast<int>(view.controls.size()), count + 1);
  EXPECT_EQ(view.controls[count - 3].caption, "&Data");
  EXPECT_EQ(view.controls[count - 2].caption, "Tabulara");
  EXPECT_TRUE(view.controls[count - 2].temporary);
  EXPECT_EQ(view.controls[count - 1].caption, "&Window");
  EXPECT_EQ(view.controls[count].caption, "&Help");
}

TEST_F(CommandBarsTest, BeforeOneAddsAtTheFrontAndOnePastTheEndAppends) {
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int count = controls->Count();
  EXPECT_EQ(controls->Add(host::msoControlButton, std::nullopt, std::nullopt, 1)->Index(), 1);
  EXPECT_EQ(controls->Add(host::msoControlButton, std::nullopt, std::nullopt, count + 2)->Index(), count + 2);
  EXPECT_EQ(set.View("Cell").controls[1].caption, "Cu&t");
}

TEST_F(CommandBarsTest, BeforeOutsideTheBarFailsAndAddsNothing) {
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int count = controls->Count();
  ExpectHostError(-2147467259, kAddFailed,
                  [&] { controls->Add(host::msoControlButton, std::nullopt, std::nullopt, count + 2); });
  ExpectHostError(-2147467259, kAddFailed,
                  [&] { controls->Add(host::msoControlButton, std::nullopt, std::nullopt, 0); });
  EXPECT_EQ(controls->Count(), count);
}

TEST_F(CommandBarsTest, PopupsComeBackAsPopupsWithAnEmptyBar) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(WorksheetMenuBar());
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->Type(), host::msoControlPopup);
  EXPECT_EQ(popup->Controls()->Count(), 0);
  const host::Ref<host::CommandBarButton> item = AddButton(popup->Controls());
  ASSERT_TRUE(item);
  EXPECT_EQ(item->Index(), 1);
  EXPECT_EQ(item->Parent()->Name(), popup->CommandBar()->Name());
}

TEST_F(CommandBarsTest, ABuiltInIdAddsACopyOfThatControl) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  const host::Ref<host::CommandBarControl> copy = popup->Controls()->Add(std::nullopt, 3125);
  EXPECT_EQ(copy->Caption(), "Clear Co&ntents");
  EXPECT_EQ(copy->Type(), host::msoControlButton);
  EXPECT_EQ(set.View("Cell").controls.back().controls.at(0).id, 3125);
  const host::Ref<host::CommandBarControl> menu = popup->Controls()->Add(host::msoControlButton, 30009);
  EXPECT_EQ(menu->Type(), host::msoControlPopup);
  EXPECT_EQ(std::dynamic_pointer_cast<host::CommandBarPopup>(menu)->Controls()->Count(), 3);
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, 3125))->Index(), 7);
}

TEST_F(CommandBarsTest, AnIdTheHostDoesNotKnowFails) {
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int count = controls->Count();
  ExpectHostError(-2147467259, kAddFailed, [&] { controls->Add(host::msoControlButton, 424242); });
  EXPECT_EQ(controls->Count(), count);
}

TEST_F(CommandBarsTest, ATypeOtherThanButtonOrPopupIsAnInvalidCall) {
  ExpectHostError(5, "Invalid procedure call or argument", [&] { CellMenu()->Controls()->Add(4); });
}

TEST_F(CommandBarsTest, CaptionTagAndVisibleAreKept) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  popup->Caption("Comment Style");
  popup->Tag("QuorvelComments");
  popup->BeginGroup(true);
  popup->Visible(false);
  EXPECT_EQ(popup->Caption(), "Comment Style");
  EXPECT_EQ(popup->Tag(), "QuorvelComments");
  EXPECT_FALSE(popup->Visible());
  const CommandBarSet::ControlView view = set.View("Cell").controls.back();
  EXPECT_EQ(view.tag, "QuorvelComments");
  EXPECT_TRUE(view.beginGroup);
  EXPECT_FALSE(view.visible);
}

}  // namespace
}  // namespace tabulara::embedded
