#include <stdexcept>
#include <string>
#include <vector>

#include "command_bars_fixture.h"
#include "host/button_with_events.h"

namespace tabulara::embedded {
namespace {

using Path = std::vector<std::string>;

const Path kRunMsn = {"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"};
const Path kAbout = {"Worksheet Menu Bar", "Tabulara", "About..."};

// Tabulara > Miscellaneous > Run MSN and Tabulara > About... on the menu bar;
// handlers made by Recorder() log their calls.
class ClickTest : public CommandBarsTest {
 protected:
  void SetUp() override {
    main->Caption("Tabulara");
    misc->Caption("Miscellaneous");
    msn->Caption("Run MSN");
    about->Caption("&About...");
  }

  host::ButtonWithEvents::Handler Recorder(const std::string& name) {
    return [this, name](const host::Ref<host::CommandBarButton>& ctrl, bool& cancelDefault) {
      calls.push_back(name + " " + ctrl->Caption() + (cancelDefault ? " cancelled" : ""));
    };
  }

  const host::Ref<host::CommandBarPopup> main = AddPopup(WorksheetMenuBar(), 8, true);
  const host::Ref<host::CommandBarPopup> misc = AddPopup(main->CommandBar());
  const host::Ref<host::CommandBarButton> msn = AddButton(misc->Controls());
  const host::Ref<host::CommandBarButton> about = AddButton(main->Controls());
  std::vector<std::string> calls;
};

TEST_F(ClickTest, EverySubscriberGetsTheClickOfAShownButtonWithOrWithoutTheAccelerator) {
  host::ButtonWithEvents first(Recorder("first"));
  host::ButtonWithEvents second(Recorder("second"));
  host::ButtonWithEvents third(Recorder("third"));
  first = msn;
  second = msn;
  third = about;
  set.Click(kRunMsn);
  set.Click({"worksheet menu bar", "Tabulara", "&About..."});
  EXPECT_EQ(calls, (std::vector<std::string>{"first Run MSN", "second Run MSN", "third &About..."}));
  msn->Visible(false);
  EXPECT_THROW(set.Click(kRunMsn), std::invalid_argument);
  msn->Visible(true);
  misc->Visible(false);
  for (const Path& path : {kRunMsn, Path{"Worksheet Menu Bar", "Tabulara", "about..."},
                           Path{"Worksheet Menu Bar", "Tabulara"}, Path{"No Such Bar", "Tabulara"}}) {
    EXPECT_THROW(set.Click(path), std::invalid_argument) << path.back();
  }
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(ClickTest, AnEndedSubscriptionGetsNoClickEvenWhenEndedDuringTheClick) {
  host::ButtonWithEvents ended(Recorder("ended"));
  ended = about;
  ended.Clear();
  host::ButtonWithEvents second(Recorder("second"));
  host::ButtonWithEvents first([&](const host::Ref<host::CommandBarButton>&, bool&) { second.Clear(); });
  first = msn;
  second = msn;
  set.Click(kAbout);
  set.Click(kRunMsn);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ClickTest, AHandlerMayDeleteTheMenuItWasClickedFromAndItsErrorPassesThrough) {
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>& ctrl, bool&) {
    main->Delete();
    EXPECT_THAT([&] { ctrl->Caption(); }, RaisesDisconnected());
    throw host::HostError(1004, "refused");
  });
  reference = msn;
  EXPECT_THAT([&] { set.Click(kRunMsn); }, RaisesHostError(1004, "refused"));
  EXPECT_FALSE(WorksheetMenuBar()->FindControl(host::msoControlPopup, 1).has_value());
}

struct UpdateCounter : host::CommandBars::Events {
  void OnUpdate() override { ++updates; }
  int updates = 0;
};

TEST_F(CommandBarsTest, OnUpdateReachesEverySubscriberUntilItsSubscriptionEnds) {
  {
    UpdateCounter first;
    UpdateCounter second;
    host::WithEvents<host::CommandBars> firstReference(first);
    host::WithEvents<host::CommandBars> secondReference(second);
    firstReference = set.CommandBars();
    secondReference = set.CommandBars();
    set.Update();
    firstReference.Clear();
    set.Update();
    EXPECT_EQ(first.updates, 1);
    EXPECT_EQ(second.updates, 2);
    host::ButtonWithEvents button([](const host::Ref<host::CommandBarButton>&, bool&) {});
    button = AddButton(CellMenu()->Controls());
    button->Delete();
    EXPECT_EQ(runtime->LiveSubscriptions(), 2);
    EXPECT_EQ(runtime->LiveReferences(), 2);
  }
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
  EXPECT_EQ(runtime->LiveReferences(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
