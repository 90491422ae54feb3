#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "command_bars_fixture.h"
#include "host/button_with_events.h"

namespace tabulara::embedded {
namespace {

const host::HostError kRefused(-2147467259, "refused");

// Every member of the command bar references, each with the operation a test
// can make fail; a button in a pop-up on the menu bar to call them on.
class BarMembers : public CommandBarsTest {
 protected:
  struct Member {
    std::string operation;
    std::function<void()> call;
    bool ofAControl;
  };

  struct UpdateSink : host::CommandBars::Events {
    void OnUpdate() override {}
  } updateSink;
  struct ClickSink : host::CommandBarButton::Events {
    void Click(const host::Ref<host::CommandBarButton>&, bool&) override {}
  } clickSink;
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  const host::Ref<host::CommandBar> bar = bars->Item(1);
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
  const host::Ref<host::CommandBarButton> button = AddButton(popup->Controls());
  const std::vector<Member> members = {
      {"CommandBars.Item", [&] { bars->Item("Cell"); }, false},
      {"CommandBars.Advise", [&] { bars->Advise(updateSink); }, false},
      {"CommandBar.Name", [&] { bar->Name(); }, false},
      {"CommandBar.FindControl", [&] { bar->FindControl(host::msoControlPopup); }, false},
      {"CommandBar.Controls", [&] { bar->Controls(); }, false},
      {"CommandBarControls.Count", [&] { bar->Controls()->Count(); }, false},
      {"CommandBarControls.NewEnum", [&] { bar->Controls()->NewEnum(); }, false},
      {"CommandBarControls.Next", [&] { bar->Controls()->NewEnum()->Next(); }, false},
      {"CommandBarControl.Caption.Get", [&] { button->Caption(); }, true},
      {"CommandBarControl.Caption.Put", [&] { button->Caption("x"); }, true},
      {"CommandBarControl.Tag.Get", [&] { button->Tag(); }, true},
      {"CommandBarControl.Tag.Put", [&] { button->Tag("t"); }, true},
      {"CommandBarControl.BeginGroup.Put", [&] { button->BeginGroup(true); }, true},
      {"CommandBarControl.Visible.Get", [&] { button->Visible(); }, true},
      {"CommandBarControl.Visible.Put", [&] { button->Visible(true); }, true},
      {"CommandBarControl.Index", [&] { button->Index(); }, true},
      {"CommandBarControl.Type", [&] { button->Type(); }, true},
      {"CommandBarControl.Parent", [&] { button->Parent(); }, true},
      {"CommandBarPopup.Controls", [&] { popup->Controls(); }, true},
      {"CommandBarPopup.CommandBar", [&] { popup->CommandBar(); }, true},
      {"CommandBarButton.Style.Put", [&] { button->Style(3); }, true},
      {"CommandBarButton.FaceId.Put", [&] { button->FaceId(642); }, true},
      {"CommandBarButton.PasteFace", [&] { button->PasteFace(); }, true},
      {"CommandBarButton.Advise", [&] { button->Advise(clickSink); }, true},
      {"CommandBarControl.Delete", [&] { button->Delete(); }, true},
  };
};

TEST_F(BarMembers, EachOperationCanBeMadeToFailOnce) {
  clipboard->picture = std::vector<std::uint8_t>{'B', 'M'};
  for (const Member& member : members) {
    runtime->FailOn(member.operation, kRefused, 0, 1);
    EXPECT_THAT(member.call, RaisesHostError(kRefused.Number(), "refused")) << member.operation;
    EXPECT_NO_THROW(member.call()) << member.operation;
  }
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

TEST_F(BarMembers, DeletingAPopupDeletesItsItemsAndEveryMemberOfThemRaises) {
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBarPopup> sub = AddPopup(popup->CommandBar());
  const host::Ref<host::CommandBar> subBar = sub->CommandBar();
  popup->Delete();
  EXPECT_EQ(bar->Controls()->Count(), count - 1);
  EXPECT_EQ(set.View("Worksheet Menu Bar").controls.size(), static_cast<std::size_t>(count - 1));
  EXPECT_THAT([&] { sub->Caption(); }, RaisesDisconnected());
  EXPECT_THAT([&] { subBar->Name(); }, RaisesDisconnected());
  EXPECT_THAT([&] { subBar->Controls(); }, RaisesDisconnected());
  for (const Member& member : members) {
    if (member.ofAControl) {
      EXPECT_THAT(member.call, RaisesDisconnected()) << member.operation;
    }
  }
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
  runtime->FailOn("CommandBar.Protection.Put", kRefused);
  EXPECT_THAT([&] { WorksheetMenuBar()->Protection(host::msoBarNoCustomize); }, RaisesHostError(kRefused.Number()));
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoProtection);
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
