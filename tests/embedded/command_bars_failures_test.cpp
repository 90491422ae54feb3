#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "command_bars_fixture.h"
#include "host/button_with_events.h"

namespace tabulara::embedded {
namespace {

const host::HostError kRefused(-2147467259, "refused");

TEST_F(CommandBarsTest, AFailingAddAddsNothing) {
  const host::Ref<host::CommandBarControls> controls = WorksheetMenuBar()->Controls();
  runtime->FailOn("CommandBarControls.Add", kRefused, 1, 1);
  controls->Add(host::msoControlPopup);
  ExpectHostError(kRefused.Number(), "refused", [&] { controls->Add(host::msoControlPopup); });
  EXPECT_EQ(controls->Count(), 10);
  controls->Add(host::msoControlPopup);
  EXPECT_EQ(controls->Count(), 11);
}

TEST_F(CommandBarsTest, AFailingPutLeavesTheOldValue) {
  const host::Ref<host::CommandBarPopup> popup = AddPopup(WorksheetMenuBar());
  popup->Caption("Tabulara");
  runtime->FailOn("CommandBarControl.Caption.Put", kRefused);
  ExpectHostError(kRefused.Number(), "refused", [&] { popup->Caption("Other"); });
  EXPECT_EQ(popup->Caption(), "Tabulara");
  runtime->FailOn("CommandBar.Protection.Put", kRefused);
  ExpectHostError(kRefused.Number(), "refused", [&] { WorksheetMenuBar()->Protection(host::msoBarNoCustomize); });
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoProtection);
}

TEST_F(CommandBarsTest, EachNamedOperationCanBeMadeToFail) {
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  const host::Ref<host::CommandBar> bar = bars->Item(1);
  const host::Ref<host::CommandBarPopup> popup = AddPopup(bar);
  const host::Ref<host::CommandBarButton> button = AddButton(popup->Controls());
  clipboard->picture = std::vector<std::uint8_t>{'B', 'M'};
  struct Sink : host::CommandBars::Events {
    void OnUpdate() override {}
  } updateSink;
  struct ClickSink : host::CommandBarButton::Events {
    void Click(const host::Ref<host::CommandBarButton>&, bool&) override {}
  } clickSink;
  const std::vector<std::pair<std::string, std::function<void()>>> operations = {
      {"CommandBars.Item", [&] { bars->Item("Cell"); }},
      {"CommandBars.Advise", [&] { bars->Advise(updateSink); }},
      {"CommandBar.Name", [&] { bar->Name(); }},
      {"CommandBar.FindControl", [&] { bar->FindControl(host::msoControlPopup); }},
      {"CommandBar.Controls", [&] { bar->Controls(); }},
      {"CommandBarControls.Count", [&] { popup->Controls()->Count(); }},
      {"CommandBarControls.NewEnum", [&] { popup->Controls()->NewEnum(); }},
      {"CommandBarControls.Next", [&] { popup->Controls()->NewEnum()->Next(); }},
      {"CommandBarControl.Caption.Get", [&] { button->Caption(); }},
      {"CommandBarControl.Tag.Get", [&] { button->Tag(); }},
      {"CommandBarControl.Tag.Put", [&] { button->Tag("t"); }},
      {"CommandBarControl.BeginGroup.Put", [&] { button->BeginGroup(true); }},
      {"CommandBarControl.Visible.Get", [&] { button->Visible(); }},
      {"CommandBarControl.Visible.Put", [&] { button->Visible(false); }},
      {"CommandBarControl.Index", [&] { button->Index(); }},
      {"CommandBarControl.Type", [&] { button->Type(); }},
      {"CommandBarControl.Parent", [&] { button->Parent(); }},
      {"CommandBarPopup.Controls", [&] { popup->Controls(); }},
      {"CommandBarPopup.CommandBar", [&] { popup->CommandBar(); }},
      {"CommandBarButton.Style.Put", [&] { button->Style(3); }},
      {"CommandBarButton.FaceId.Put", [&] { button->FaceId(642); }},
      {"CommandBarButton.PasteFace", [&] { button->PasteFace(); }},
      {"CommandBarButton.Advise", [&] { button->Advise(clickSink); }},
      {"CommandBarControl.Delete", [&] { button->Delete(); }},
  };
  for (const auto& [name, call] : operations) {
    runtime->FailOn(name, kRefused, 0, 1);
    ExpectHostError(kRefused.Number(), "refused", call);
    EXPECT_NO_THROW(call()) << name;
  }
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

TEST_F(CommandBarsTest, AFailedSubscriptionDeliversNoClick) {
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  button->Caption("Style 1");
  int clicks = 0;
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>&, bool&) { ++clicks; });
  runtime->FailOn("CommandBarButton.Advise", kRefused, 0, 1);
  ExpectHostError(kRefused.Number(), "refused", [&] { reference = button; });
  set.Click({"Cell", "Style 1"});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
