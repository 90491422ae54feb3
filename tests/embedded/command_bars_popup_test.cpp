#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

TEST_F(CommandBarsTest, EachCustomPopupHasABarOfItsOwnName) {
  const host::Ref<host::CommandBarPopup> main = AddPopup(WorksheetMenuBar());
  const host::Ref<host::CommandBarPopup> templates = AddPopup(main->CommandBar());
  const host::Ref<host::CommandBarPopup> misc = AddPopup(main->CommandBar());
  const std::string templateBar = templates->CommandBar()->Name();
  const std::string miscBar = misc->CommandBar()->Name();
  EXPECT_EQ(templateBar.rfind("Custom Popup ", 0), 0u) << templateBar;
  EXPECT_EQ(miscBar.rfind("Custom Popup ", 0), 0u) << miscBar;
  EXPECT_NE(templateBar, miscBar);
  EXPECT_NE(main->CommandBar()->Name(), templateBar);
}

TEST_F(CommandBarsTest, AnItemsParentIsTheBarBehindItsPopup) {
  const host::Ref<host::CommandBarPopup> main = AddPopup(WorksheetMenuBar());
  const host::Ref<host::CommandBarPopup> misc = AddPopup(main->CommandBar());
  const host::Ref<host::CommandBarButton> item = AddButton(misc->Controls());
  const host::Ref<host::CommandBarButton> direct = AddButton(main->Controls());
  EXPECT_EQ(item->Parent()->Name(), misc->CommandBar()->Name());
  EXPECT_EQ(direct->Parent()->Name(), main->CommandBar()->Name());
  EXPECT_EQ(main->Parent()->Name(), "Worksheet Menu Bar");
}

TEST_F(CommandBarsTest, ABarNameIsNeverGivenTwice) {
  const host::Ref<host::CommandBarPopup> first = AddPopup(CellMenu());
  const std::string firstName = first->CommandBar()->Name();
  first->Delete();
  const host::Ref<host::CommandBarPopup> second = AddPopup(CellMenu());
  EXPECT_NE(second->CommandBar()->Name(), firstName);
}

TEST_F(CommandBarsTest, APopupBarIsReachedByItsName) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(WorksheetMenuBar());
  AddButton(popup->Controls())->Caption("Run MSN");
  const host::Ref<host::CommandBar> bar = set.CommandBars()->Item(popup->CommandBar()->Name());
  EXPECT_EQ(bar->Controls()->Count(), 1);
  EXPECT_EQ(set.View(popup->CommandBar()->Name()).controls.at(0).caption, "Run MSN");
  EXPECT_EQ(set.View("Worksheet Menu Bar").controls.back().barName, popup->CommandBar()->Name());
}

TEST_F(CommandBarsTest, BuiltInMenusKeepTheirBarNames) {
  const host::Maybe<host::CommandBarControl> file = WorksheetMenuBar()->FindControl(host::msoControlPopup, 30002);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(std::dynamic_pointer_cast<host::CommandBarPopup>(*file)->CommandBar()->Name(), "File");
}

TEST_F(CommandBarsTest, ProtectionIsKeptAndDoesNotStopTheAddInsOwnCalls) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  bar->Protection(host::msoBarNoCustomize);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoCustomize);
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
  popup->Caption("Tabulara");
  popup->Delete();
  bar->Protection(host::msoBarNoProtection);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoProtection);
  ExpectHostError(5, "Invalid procedure call or argument", [&] { bar->Protection(128); });
}

}  // namespace
}  // namespace tabulara::embedded
