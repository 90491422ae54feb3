#include <stdexcept>
#include <string>
#include <vector>

#include "command_bars_fixture.h"
#include "host/button_with_events.h"

namespace tabulara::embedded {
namespace {

class ClickTest : public CommandBarsTest {
 protected:
  void SetUp() override {
    main = AddPopup(WorksheetMenuBar(), 8, true);
    main->Caption("Tabulara");
    misc = AddPopup(main->CommandBar());
    misc->Caption("Miscellaneous");
    msn = AddButton(misc->Controls());
    msn->Caption("Run MSN");
    about = AddButton(main->Controls());
    about->Caption("&About...");
  }

  host::Ref<host::CommandBarPopup> main;
  host::Ref<host::CommandBarPopup> misc;
  host::Ref<host::CommandBarButton> msn;
  host::Ref<host::CommandBarButton> about;
};

struct Recorder : host::CommandBars::Events {
  void OnUpdate() override { ++updates; }
  int updates = 0;
};

TEST_F(ClickTest, EverySubscriberGetsTheClickWithTheClickedButton) {
  std::vector<std::string> calls;
  host::ButtonWithEvents first([&](const host::Ref<host::CommandBarButton>& ctrl, bool& cancelDefault) {
    calls.push_back("first " + ctrl->Caption() + (cancelDefault ? " cancelled" : ""));
  });
  host::ButtonWithEvents second(
      [&](const host::Ref<host::CommandBarButton>& ctrl, bool&) { calls.push_back("second " + ctrl->Caption()); });
  first = msn;
  second = msn;
  set.Click({"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"});
  EXPECT_EQ(calls, (std::vector<std::string>{"first Run MSN", "second Run MSN"}));
}

TEST_F(ClickTest, CaptionsMatchWithOrWithoutTheAccelerator) {
  int clicks = 0;
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>&, bool&) { ++clicks; });
  reference = about;
  set.Click({"worksheet menu bar", "Tabulara", "About..."});
  set.Click({"Worksheet Menu Bar", "Tabulara", "&About..."});
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(set.Click({"Worksheet Menu Bar", "Tabulara", "about..."}), std::invalid_argument);
}

TEST_F(ClickTest, OnlyAShownButtonCanBeClicked) {
  int clicks = 0;
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>&, bool&) { ++clicks; });
  reference = msn;
  msn->Visible(false);
  EXPECT_THROW(set.Click({"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"}), std::invalid_argument);
  msn->Visible(true);
  misc->Visible(false);
  EXPECT_THROW(set.Click({"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"}), std::invalid_argument);
  EXPECT_THROW(set.Click({"Worksheet Menu Bar", "Tabulara"}), std::invalid_argument);
  EXPECT_THROW(set.Click({"Worksheet Menu Bar"}), std::invalid_argument);
  EXPECT_THROW(set.Click({"No Such Bar", "Tabulara"}), std::invalid_argument);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ClickTest, AnEndedSubscriptionGetsNoClick) {
  int clicks = 0;
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>&, bool&) { ++clicks; });
  reference = about;
  reference.Clear();
  set.Click({"Worksheet Menu Bar", "Tabulara", "About..."});
  EXPECT_EQ(clicks, 0);
}

TEST_F(ClickTest, ASubscriptionEndedDuringTheClickIsNotCalled) {
  int secondCalls = 0;
  host::ButtonWithEvents second([&](const host::Ref<host::CommandBarButton>&, bool&) { ++secondCalls; });
  host::ButtonWithEvents first([&](const host::Ref<host::CommandBarButton>&, bool&) { second.Clear(); });
  first = about;
  second = about;
  set.Click({"Worksheet Menu Bar", "Tabulara", "About..."});
  EXPECT_EQ(secondCalls, 0);
}

TEST_F(ClickTest, TheHandlersErrorPassesThrough) {
  host::ButtonWithEvents reference(
      [](const host::Ref<host::CommandBarButton>&, bool&) { throw host::HostError(1004, "refused"); });
  reference = about;
  ExpectHostError(1004, "refused", [&] { set.Click({"Worksheet Menu Bar", "Tabulara", "About..."}); });
}

TEST_F(ClickTest, AHandlerMayDeleteTheMenuItWasClickedFrom) {
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>& ctrl, bool&) {
    main->Delete();
    ExpectDisconnected([&] { ctrl->Caption(); });
  });
  reference = msn;
  set.Click({"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"});
  EXPECT_FALSE(WorksheetMenuBar()->FindControl(host::msoControlPopup, 1).has_value());
}

TEST_F(CommandBarsTest, OnUpdateReachesEverySubscriberUntilItsSubscriptionEnds) {
  Recorder first;
  Recorder second;
  host::WithEvents<host::CommandBars> firstReference(first);
  host::WithEvents<host::CommandBars> secondReference(second);
  firstReference = set.CommandBars();
  secondReference = set.CommandBars();
  set.Update();
  EXPECT_EQ(first.updates, 1);
  EXPECT_EQ(second.updates, 1);
  firstReference.Clear();
  set.Update();
  EXPECT_EQ(first.updates, 1);
  EXPECT_EQ(second.updates, 2);
}

TEST_F(CommandBarsTest, SubscriptionsAndReferencesCountBackToZero) {
  {
    Recorder recorder;
    host::WithEvents<host::CommandBars> bars(recorder);
    bars = set.CommandBars();
    host::ButtonWithEvents button([](const host::Ref<host::CommandBarButton>&, bool&) {});
    button = AddButton(CellMenu()->Controls());
    EXPECT_EQ(runtime->LiveSubscriptions(), 2);
    EXPECT_EQ(runtime->LiveReferences(), 2);
    button->Delete();
    EXPECT_EQ(runtime->LiveSubscriptions(), 2);
  }
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
  EXPECT_EQ(runtime->LiveReferences(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
