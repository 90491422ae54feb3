#include <functional>
#include <string>
#include <vector>

#include "command_bars_fixture.h"
#include "host/button_with_events.h"

namespace tabulara::embedded {
namespace {

const host::HostError kRefused(-2147467259, "refused");

// A button in a pop-up on the menu bar.
class BarMembers : public CommandBarsTest {
 protected:
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  const host::Ref<host::CommandBar> bar = bars->Item(1);
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
  const host::Ref<host::CommandBarButton> button = AddButton(popup->Controls());
};

TEST_F(BarMembers, DeletingAPopupDeletesItsItemsAndEveryMemberOfThemRaises) {
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBarPopup> sub = AddPopup(popup->CommandBar());
  const host::Ref<host::CommandBar> subBar = sub->CommandBar();
  popup->Delete();
  EXPECT_EQ(bar->Controls()->Count(), count - 1);
  EXPECT_EQ(set.View("Worksheet Menu Bar").controls.size(), static_cast<std::size_t>(count - 1));
  struct ClickSink : host::CommandBarButton::Events {
    void Click(const host::Ref<host::CommandBarButton>&, bool&) override {}
  } sink;
  const std::vector<std::function<void()>> members = {
      [&] { sub->Caption(); },          [&] { subBar->Name(); },         [&] { subBar->Controls(); },
      [&] { popup->Controls(); },       [&] { popup->CommandBar(); },    [&] { button->Caption(); },
      [&] { button->Caption("x"); },    [&] { button->Tag(); },          [&] { button->Tag("t"); },
      [&] { button->BeginGroup(true); }, [&] { button->Visible(); },     [&] { button->Visible(true); },
      [&] { button->Index(); },         [&] { button->Type(); },         [&] { button->Parent(); },
      [&] { button->Style(3); },        [&] { button->FaceId(642); },    [&] { button->PasteFace(); },
      [&] { button->Advise(sink); },    [&] { button->Delete(); },
  };
  for (std::size_t i = 0; i < members.size(); ++i) EXPECT_THAT(members[i], RaisesDisconnected()) << i;
}

TEST_F(BarMembers, EveryReferenceCountsUntilReleased) {
  {
    const host::Ref<host::CommandBarControls> controls = bar->Controls();
    const host::Maybe<host::CommandBarControl> found = bar->FindControl(host::msoControlPopup, 1);
    const auto enumerator = controls->NewEnum();
    { const host::Maybe<host::CommandBarControl> first = enumerator->Next(); }
    EXPECT_EQ(runtime->LiveReferences(), 7);
  }
  EXPECT_EQ(runtime->LiveReferences(), 4);
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
  using Controls = std::vector<host::Ref<host::CommandBarControl>>;
  for (const host::Ref<host::CommandBarControl>& dropped : Controls{temporary, inside, temporaryItem, cellItem}) {
    EXPECT_THAT([&] { dropped->Caption(); }, RaisesDisconnected());
  }
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId))->Index(), 12);
  (*CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId))->Delete();
  EXPECT_FALSE(CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId).has_value());
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

TEST_F(CommandBarsTest, AFailingAddPutOrSubscriptionChangesNothing) {
  const host::Ref<host::CommandBarControls> controls = WorksheetMenuBar()->Controls();
  runtime->FailOn("CommandBarControls.Add", kRefused, 1, 1);
  const host::Ref<host::CommandBarButton> button = As<host::CommandBarButton>(controls->Add());
  EXPECT_THAT([&] { controls->Add(); }, RaisesHostError(kRefused.Number(), "refused"));
  EXPECT_EQ(controls->Count(), 10);
  button->Caption("Style 1");
  runtime->FailOn("CommandBarControl.Caption.Put", kRefused);
  EXPECT_THAT([&] { button->Caption("Other"); }, RaisesHostError(kRefused.Number()));
  EXPECT_EQ(button->Caption(), "Style 1");
  int clicks = 0;
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>&, bool&) { ++clicks; });
  runtime->FailOn("CommandBarButton.Advise", kRefused, 0, 1);
  EXPECT_THAT([&] { reference = button; }, RaisesHostError(kRefused.Number()));
  set.Click({"Worksheet Menu Bar", "Style 1"});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
