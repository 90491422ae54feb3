#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

TEST_F(CommandBarsTest, DeletingAPopupDeletesItsItems) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
  const host::Ref<host::CommandBarPopup> sub = AddPopup(popup->CommandBar());
  const host::Ref<host::CommandBarButton> item = AddButton(sub->Controls());
  const host::Ref<host::CommandBar> subBar = sub->CommandBar();
  popup->Delete();
  EXPECT_EQ(bar->Controls()->Count(), count);
  ExpectDisconnected([&] { sub->Caption(); });
  ExpectDisconnected([&] { item->Caption("x"); });
  ExpectDisconnected([&] { subBar->Name(); });
  ExpectDisconnected([&] { subBar->Controls(); });
  EXPECT_EQ(set.View("Worksheet Menu Bar").controls.size(), static_cast<std::size_t>(count));
}

TEST_F(CommandBarsTest, EveryMemberOfADeletedControlRaises) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  const host::Ref<host::CommandBarButton> button = AddButton(popup->Controls());
  button->Delete();
  ExpectDisconnected([&] { button->Caption(); });
  ExpectDisconnected([&] { button->Caption("x"); });
  ExpectDisconnected([&] { button->Tag(); });
  ExpectDisconnected([&] { button->Tag("x"); });
  ExpectDisconnected([&] { button->BeginGroup(true); });
  ExpectDisconnected([&] { button->Visible(); });
  ExpectDisconnected([&] { button->Visible(true); });
  ExpectDisconnected([&] { button->Index(); });
  ExpectDisconnected([&] { button->Type(); });
  ExpectDisconnected([&] { button->Parent(); });
  ExpectDisconnected([&] { button->Delete(); });
  ExpectDisconnected([&] { button->Style(3); });
  ExpectDisconnected([&] { button->FaceId(508); });
  ExpectDisconnected([&] { button->PasteFace(); });
  struct NoSink : host::CommandBarButton::Events {
    void Click(const host::Ref<host::CommandBarButton>&, bool&) override {}
  } sink;
  ExpectDisconnected([&] { button->Advise(sink); });
  EXPECT_EQ(popup->Controls()->Count(), 0);
  popup->Delete();
  ExpectDisconnected([&] { popup->Controls(); });
  ExpectDisconnected([&] { popup->CommandBar(); });
}

TEST_F(CommandBarsTest, ExitDropsTemporaryControlsWhereverTheyAre) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBarPopup> temporary = AddPopup(bar, count - 1, true);
  const host::Ref<host::CommandBarButton> inside = AddButton(temporary->Controls());
  const host::Ref<host::CommandBarPopup> permanent = AddPopup(bar);
  const host::Ref<host::CommandBarControl> temporaryItem =
      permanent->Controls()->Add(host::msoControlButton, std::nullopt, std::nullopt, std::nullopt, true);
  const host::Ref<host::CommandBarButton> permanentItem = AddButton(permanent->Controls());
  const host::Ref<host::CommandBarControl> cellItem =
      CellMenu()->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, 12, true);

  set.DropTemporaryControls();

  EXPECT_EQ(bar->Controls()->Count(), count + 1);
  EXPECT_EQ(permanent->Index(), count + 1);
  EXPECT_EQ(permanent->Controls()->Count(), 1);
  EXPECT_EQ(permanentItem->Index(), 1);
  ExpectDisconnected([&] { temporary->Caption(); });
  ExpectDisconnected([&] { inside->Caption(); });
  ExpectDisconnected([&] { temporaryItem->Caption(); });
  ExpectDisconnected([&] { cellItem->Caption(); });
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId))->Index(), 12);
}

TEST_F(CommandBarsTest, ABuiltInControlCanBeDeleted) {
  const host::Ref<host::CommandBar> cell = CellMenu();
  (*cell->FindControl(std::nullopt, host::kFormatCellsControlId))->Delete();
  EXPECT_FALSE(cell->FindControl(std::nullopt, host::kFormatCellsControlId).has_value());
}

TEST_F(CommandBarsTest, EveryReferenceCountsUntilReleased) {
  {
    const host::Ref<host::CommandBars> bars = set.CommandBars();
    const host::Ref<host::CommandBar> bar = bars->Item(1);
    const host::Ref<host::CommandBarControls> controls = bar->Controls();
    const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
    EXPECT_EQ(runtime->LiveReferences(), 4);
    const host::Maybe<host::CommandBarControl> found = bar->FindControl(host::msoControlPopup, 1);
    EXPECT_EQ(runtime->LiveReferences(), 5);
    const auto enumerator = controls->NewEnum();
    EXPECT_EQ(runtime->LiveReferences(), 6);
    { const host::Maybe<host::CommandBarControl> first = enumerator->Next(); }
    EXPECT_EQ(runtime->LiveReferences(), 6);
  }
  EXPECT_EQ(runtime->LiveReferences(), 0);
}

TEST_F(CommandBarsTest, ReferencesStayUsableAfterTheSetIsGone) {
  host::Ref<host::CommandBar> bar;
  {
    CommandBarSet shortLived(runtime, clipboard);
    bar = shortLived.CommandBars()->Item("Cell");
  }
  EXPECT_EQ(bar->Name(), "Cell");
  bar.reset();
  EXPECT_EQ(runtime->LiveReferences(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
