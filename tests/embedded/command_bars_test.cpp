#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded/command_bar_set.h"
#include "host/button_with_events.h"
#include "host/constants.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using host::msoControlButton;
using host::msoControlPopup;
using Path = std::vector<std::string>;

const char* const kAddFailed = "Method 'Add' of object 'CommandBarControls' failed";
const host::HostError kRefused(-2147467259, "refused");
const Path kRunMsn = {"Worksheet Menu Bar", "Tabulara", "Miscellaneous", "Run MSN"};

// Office's error for a control or bar that was deleted.
auto RaisesDisconnected() { return RaisesHostError(-2147221080, "Automation error"); }

auto RaisesInvalidCall() { return RaisesHostError(5, "Invalid procedure call or argument"); }

// The host's own command bars as the add-in meets them.
class CommandBarsTest : public ::testing::Test {
 protected:
  host::Ref<host::CommandBar> WorksheetMenuBar() { return set.CommandBars()->Item(1); }
  host::Ref<host::CommandBar> CellMenu() { return set.CommandBars()->Item("Cell"); }

  host::Ref<host::CommandBarPopup> AddPopup(const host::Ref<host::CommandBar>& bar, std::optional<int> before = {},
                                            std::optional<bool> temporary = {}) {
    return As<host::CommandBarPopup>(
        bar->Controls()->Add(msoControlPopup, std::nullopt, std::nullopt, before, temporary));
  }
  host::Ref<host::CommandBarButton> AddButton(const host::Ref<host::CommandBarControls>& controls) {
    return As<host::CommandBarButton>(controls->Add(msoControlButton));
  }

  std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  std::shared_ptr<Clipboard> clipboard = std::make_shared<Clipboard>();
  CommandBarSet set{runtime, clipboard};
};

// Controls()->Add appends a permanent custom button, or puts it before an
// index up to one past the end, or copies the built-in control of an id.
TEST_F(CommandBarsTest, BuiltInBarsAreFoundByPositionOrByNameInAnyCaseAndTakeAddedControls) {
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  EXPECT_EQ(WorksheetMenuBar()->Name(), "Worksheet Menu Bar");
  EXPECT_EQ(bars->Item("worksheet menu bar")->Controls()->Count(), 9);
  const host::Maybe<host::CommandBarControl> file = WorksheetMenuBar()->FindControl(msoControlPopup, 30002);
  EXPECT_EQ(As<host::CommandBarPopup>(*file)->CommandBar()->Name(), "File");
  EXPECT_EQ(bars->Item("CELL")->Name(), "Cell");
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, 855))->Caption(), "&Format Cells...");
  EXPECT_THAT([&] { bars->Item("Tabulara"); }, RaisesInvalidCall());
  EXPECT_THAT([&] { bars->Item(0); }, RaisesInvalidCall());
  EXPECT_THAT([&] { bars->Item(3); }, RaisesInvalidCall());
  const host::Ref<host::CommandBarControls> controls = CellMenu()->Controls();
  const int count = controls->Count();
  const host::Ref<host::CommandBarControl> added = controls->Add();
  EXPECT_EQ(added->Index(), count + 1);
  EXPECT_EQ(added->Type(), msoControlButton);
  const CommandBarSet::ControlView view = set.View("Cell").controls.back();
  EXPECT_EQ(view.id, host::kCustomControlId);
  EXPECT_FALSE(view.temporary);
  EXPECT_EQ(controls->Add(msoControlButton, std::nullopt, std::nullopt, 1)->Index(), 1);
  EXPECT_EQ(controls->Add(msoControlButton, std::nullopt, std::nullopt, count + 3)->Index(), count + 3);
  for (int before : {count + 5, 0}) {
    EXPECT_THAT([&] { controls->Add(msoControlButton, std::nullopt, std::nullopt, before); },
                RaisesHostError(-2147467259, kAddFailed));
  }
  EXPECT_THAT([&] { controls->Add(msoControlButton, 424242); }, RaisesHostError(-2147467259, kAddFailed));
  EXPECT_THAT([&] { controls->Add(4); }, RaisesInvalidCall());
  EXPECT_EQ(controls->Count(), count + 3);
  const host::Ref<host::CommandBarPopup> popup = AddPopup(CellMenu());
  const host::Ref<host::CommandBarControl> copy = popup->Controls()->Add(std::nullopt, 3125);
  EXPECT_EQ(copy->Caption(), "Clear Co&ntents");
  EXPECT_EQ(set.View("Cell").controls.back().controls.at(0).id, 3125);
  const host::Ref<host::CommandBarControl> menu = popup->Controls()->Add(msoControlButton, 30009);
  EXPECT_EQ(menu->Type(), msoControlPopup);
  EXPECT_EQ(As<host::CommandBarPopup>(menu)->Controls()->Count(), 3);
}

TEST_F(CommandBarsTest, PropertiesAndProtectionAreKept) {
  const host::Ref<host::CommandBarButton> button = AddButton(CellMenu()->Controls());
  button->BeginGroup(true);
  button->Visible(false);
  button->Style(host::msoButtonIconAndCaption);
  button->FaceId(1115);
  const auto Kept = [&] { return set.View("Cell").controls.back(); };
  EXPECT_TRUE(Kept().beginGroup);
  EXPECT_EQ(Kept().style, host::msoButtonIconAndCaption);
  EXPECT_EQ(Kept().faceId, 1115);
  clipboard->picture = std::vector<std::uint8_t>{'G', 'I', 'F', '8'};
  EXPECT_THAT([&] { button->PasteFace(); },
              RaisesHostError(-2147467259, "Method 'PasteFace' of object '_CommandBarButton' failed"));
  EXPECT_FALSE(Kept().pastedFace);
  std::vector<std::uint8_t> bitmap = {'B', 'M'};
  bitmap.resize(58);
  clipboard->picture = bitmap;
  button->PasteFace();
  EXPECT_TRUE(Kept().pastedFace);
  EXPECT_EQ(clipboard->picture, bitmap);
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  bar->Protection(127);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, 127);
  AddPopup(bar)->Delete();
  bar->Protection(host::msoBarNoProtection);
  EXPECT_EQ(set.View("Worksheet Menu Bar").protection, host::msoBarNoProtection);
  EXPECT_THAT([&] { bar->Protection(128); }, RaisesInvalidCall());
}

// Tabulara > Miscellaneous > Run MSN and Tabulara > About... on the menu bar,
// Tabulara temporary and in front of Window; handlers made by Recorder() log
// their calls.
class MenuTest : public CommandBarsTest {
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

  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  const host::Ref<host::CommandBarPopup> main = AddPopup(bar, 8, true);
  const host::Ref<host::CommandBarPopup> misc = AddPopup(main->CommandBar());
  const host::Ref<host::CommandBarButton> msn = AddButton(misc->Controls());
  const host::Ref<host::CommandBarButton> about = AddButton(main->Controls());
  std::vector<std::string> calls;
};

TEST_F(MenuTest, PopupsComeBeforeTheIndexGivenWithABarOfTheirOwn) {
  EXPECT_EQ(main->Index(), 8);
  const CommandBarSet::BarView view = set.View("Worksheet Menu Bar");
  EXPECT_EQ(view.controls[7].caption, "Tabulara");
  EXPECT_TRUE(view.controls[7].temporary);
  EXPECT_EQ(msn->Parent()->Name(), misc->CommandBar()->Name());
  EXPECT_EQ(about->Parent()->Name(), main->CommandBar()->Name());
  EXPECT_EQ(main->Parent()->Name(), "Worksheet Menu Bar");
  const std::string miscBar = misc->CommandBar()->Name();
  EXPECT_EQ(miscBar.rfind("Custom Popup ", 0), 0u) << miscBar;
  EXPECT_EQ(set.CommandBars()->Item(miscBar)->Controls()->Count(), 1);
  EXPECT_EQ(set.View(main->CommandBar()->Name()).controls.at(0).barName, miscBar);
  misc->Delete();
  EXPECT_NE(AddPopup(main->CommandBar())->CommandBar()->Name(), miscBar);
}

TEST_F(MenuTest, FindControlWantsEveryGivenCriterionLooksIntoPopupsOnlyWhenRecursiveAndSkipsHiddenOnesWhenAsked) {
  main->Tag("QuorvelGridwright");
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
  msn->Tag("Twice");
  about->Tag("Twice");
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Twice").has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Twice", std::nullopt, false).has_value());
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "Twice", std::nullopt, true))->Caption(), "Run MSN");
  EXPECT_EQ((*bar->FindControl(std::nullopt, 855, std::nullopt, std::nullopt, true))->Caption(), "C&ells...");
  EXPECT_FALSE(bar->FindControl(std::nullopt, 424242, std::nullopt, std::nullopt, true).has_value());
  misc->Visible(false);
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "Twice", true, true))->Caption(), "&About...");
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "Twice", false, true))->Caption(), "Run MSN");
  main->Visible(false);
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "QuorvelGridwright", true).has_value());
  EXPECT_TRUE(CellMenu()->FindControl(std::nullopt, 1589, std::nullopt, false).has_value());
  EXPECT_FALSE(CellMenu()->FindControl(std::nullopt, 1589, std::nullopt, true).has_value());
}

TEST_F(MenuTest, EverySubscriberGetsTheClickOfAShownButtonWithOrWithoutTheAccelerator) {
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

TEST_F(MenuTest, AnEndedSubscriptionGetsNoClickEvenWhenEndedDuringTheClick) {
  host::ButtonWithEvents ended(Recorder("ended"));
  ended = about;
  ended.Clear();
  host::ButtonWithEvents second(Recorder("second"));
  host::ButtonWithEvents first([&](const host::Ref<host::CommandBarButton>&, bool&) { second.Clear(); });
  first = msn;
  second = msn;
  set.Click({"Worksheet Menu Bar", "Tabulara", "About..."});
  set.Click(kRunMsn);
  EXPECT_TRUE(calls.empty());
}

TEST_F(MenuTest, AHandlerMayDeleteTheMenuItWasClickedFromAndItsErrorPassesThrough) {
  host::ButtonWithEvents reference([&](const host::Ref<host::CommandBarButton>& ctrl, bool&) {
    main->Delete();
    EXPECT_THAT([&] { ctrl->Caption(); }, RaisesDisconnected());
    throw host::HostError(1004, "refused");
  });
  reference = msn;
  EXPECT_THAT([&] { set.Click(kRunMsn); }, RaisesHostError(1004, "refused"));
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1).has_value());
}

TEST_F(MenuTest, AFailingAddPutOrSubscriptionChangesNothing) {
  const host::Ref<host::CommandBarControls> controls = bar->Controls();
  runtime->FailOn("CommandBarControls.Add", kRefused, 1, 1);
  controls->Add();
  EXPECT_THAT([&] { controls->Add(); }, RaisesHostError(kRefused.Number(), "refused"));
  EXPECT_EQ(controls->Count(), 11);
  runtime->FailOn("CommandBarControl.Caption.Put", kRefused);
  EXPECT_THAT([&] { msn->Caption("Other"); }, RaisesHostError(kRefused.Number()));
  EXPECT_EQ(msn->Caption(), "Run MSN");
  host::ButtonWithEvents reference(Recorder("refused"));
  runtime->FailOn("CommandBarButton.Advise", kRefused, 0, 1);
  EXPECT_THAT([&] { reference = msn; }, RaisesHostError(kRefused.Number()));
  set.Click(kRunMsn);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(runtime->LiveSubscriptions(), 0);
}

TEST_F(MenuTest, ReferencesCountUntilReleasedAndDeletingAPopupDeletesItsItemsAndEveryMemberOfThemRaises) {
  {
    const host::Ref<host::CommandBarControls> controls = bar->Controls();
    const host::Maybe<host::CommandBarControl> found = bar->FindControl(msoControlPopup, 1);
    const auto enumerator = controls->NewEnum();
    { const host::Maybe<host::CommandBarControl> first = enumerator->Next(); }
    EXPECT_EQ(runtime->LiveReferences(), 8);
  }
  EXPECT_EQ(runtime->LiveReferences(), 5);
  const int count = bar->Controls()->Count();
  const host::Ref<host::CommandBar> miscBar = misc->CommandBar();
  main->Delete();
  EXPECT_EQ(bar->Controls()->Count(), count - 1);
  struct ClickSink : host::CommandBarButton::Events {
    void Click(const host::Ref<host::CommandBarButton>&, bool&) override {}
  } sink;
  const std::vector<std::function<void()>> members = {
      [&] { misc->Caption(); },         [&] { miscBar->Name(); },    [&] { miscBar->Controls(); },
      [&] { main->Controls(); },        [&] { main->CommandBar(); }, [&] { about->Caption(); },
      [&] { about->Caption("x"); },     [&] { about->Tag(); },       [&] { about->Tag("t"); },
      [&] { about->BeginGroup(true); }, [&] { about->Visible(); },   [&] { about->Visible(true); },
      [&] { about->Index(); },          [&] { about->Type(); },      [&] { about->Parent(); },
      [&] { about->Style(3); },         [&] { about->FaceId(642); }, [&] { about->PasteFace(); },
      [&] { about->Advise(sink); },     [&] { about->Delete(); },
  };
  for (std::size_t i = 0; i < members.size(); ++i) EXPECT_THAT(members[i], RaisesDisconnected()) << i;
}

TEST_F(MenuTest, ExitDropsTemporaryControlsWhereverTheyAre) {
  const host::Ref<host::CommandBarPopup> permanent = AddPopup(bar);
  const host::Ref<host::CommandBarControl> temporaryItem =
      permanent->Controls()->Add(msoControlButton, std::nullopt, std::nullopt, std::nullopt, true);
  const host::Ref<host::CommandBarButton> permanentItem = AddButton(permanent->Controls());
  const host::Ref<host::CommandBarControl> cellItem =
      CellMenu()->Controls()->Add(msoControlPopup, std::nullopt, std::nullopt, 12, true);
  set.DropTemporaryControls();
  EXPECT_EQ(bar->Controls()->Count(), 10);
  EXPECT_EQ(permanent->Index(), 10);
  EXPECT_EQ(permanentItem->Index(), 1);
  using Controls = std::vector<host::Ref<host::CommandBarControl>>;
  for (const host::Ref<host::CommandBarControl>& dropped : Controls{main, msn, temporaryItem, cellItem}) {
    EXPECT_THAT([&] { dropped->Caption(); }, RaisesDisconnected());
  }
  EXPECT_EQ((*CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId))->Index(), 12);
  (*CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId))->Delete();
  EXPECT_FALSE(CellMenu()->FindControl(std::nullopt, host::kFormatCellsControlId).has_value());
}

struct UpdateCounter : host::CommandBars::Events {
  void OnUpdate() override { ++updates; }
  int updates = 0;
};

TEST_F(CommandBarsTest, OnUpdateReachesEverySubscriberUntilItsSubscriptionEndsAndReferencesOutliveTheSet) {
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
