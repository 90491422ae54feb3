#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

TEST(ApplicationWithoutWorkbook, HasNoActiveObjects) {
  EmbeddedHost host;
  host::Ref<host::Application> app = host.Application();
  EXPECT_FALSE(app->ActiveWorkbook());
  EXPECT_FALSE(app->ActiveSheet());
  EXPECT_FALSE(app->ActiveCell());
  EXPECT_FALSE(app->Selection());
  EXPECT_THAT([&] { app->Sheets(); }, RaisesHostError(1004, "Method 'Sheets' of object '_Global' failed"));
}

class ApplicationObjects : public WorkbookTest {};

TEST_F(ApplicationObjects, ActiveSheetAndCellFollowTheActiveWorkbook) {
  host.Select(sheet1, "B2:C3", "C3");
  EXPECT_EQ((*App()->ActiveSheet())->Name(), "Sheet1");
  EXPECT_EQ((*App()->ActiveCell())->Address(), "$C$3");
  host.NewWorkbook({"Other"});
  EXPECT_EQ((*App()->ActiveSheet())->Name(), "Other");
  EXPECT_EQ((*App()->ActiveCell())->Address(), "$A$1");
}

TEST_F(ApplicationObjects, SelectionIsARangeOrTheSelectedObject) {
  host.Select(sheet1, "A1:B2,D4");
  host::Maybe<host::Object> selection = App()->Selection();
  ASSERT_TRUE(selection);
  EXPECT_EQ(As<host::Range>(*selection)->Address(), "$A$1:$B$2,$D$4");
  host.AddShape(sheet1, model::ShapeKind::Picture, "Logo");
  host.SelectShape(sheet1, "Logo");
  selection = App()->Selection();
  EXPECT_FALSE(std::dynamic_pointer_cast<host::Range>(*selection));
  EXPECT_EQ(As<host::Shape>(*selection)->Name(), "Logo");
}

TEST_F(ApplicationObjects, AChartSheetHasNoActiveCellAndSelectsItself) {
  model::Sheet& chart = host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  host.Activate(chart);
  EXPECT_FALSE(App()->ActiveCell());
  host::Maybe<host::Object> selection = App()->Selection();
  ASSERT_TRUE(selection);
  EXPECT_FALSE(std::dynamic_pointer_cast<host::Range>(*selection));
  EXPECT_FALSE(std::dynamic_pointer_cast<host::Worksheet>(*selection));
}

TEST_F(ApplicationObjects, SettingsKeepTheirValuesAndEveryPutInOrder) {
  host::Ref<host::Application> app = App();
  app->ScreenUpdating(false);
  app->EnableEvents(false);
  app->Cursor(host::xlWait);
  app->EnableEvents(true);
  app->ScreenUpdating(true);
  app->Cursor(host::xlDefault);
  app->ScreenUpdating(true);
  EXPECT_THAT(host.model().settingsLog,
              ElementsAre("ScreenUpdating=False", "EnableEvents=False", "Cursor=2", "EnableEvents=True",
                          "ScreenUpdating=True", "Cursor=-4143", "ScreenUpdating=True"));
  EXPECT_TRUE(host.model().screenUpdating);
  EXPECT_TRUE(host.model().enableEvents);
  EXPECT_EQ(host.model().cursor, host::xlDefault);
}

TEST_F(ApplicationObjects, UnknownCursorsAreRefused) {
  EXPECT_THAT([&] { App()->Cursor(99); },
              RaisesHostError(1004, "Unable to set the Cursor property of the Application class"));
  EXPECT_TRUE(host.model().settingsLog.empty());
}

TEST_F(ApplicationObjects, VolatileMarksTheCalculation) {
  App()->Volatile(true);
  EXPECT_TRUE(host.model().volatileCalculation);
}

TEST_F(ApplicationObjects, CommandBarsAndAddInsComeFromTheHost) {
  EXPECT_EQ(App()->CommandBars()->Item(1)->Name(), host.commandBars().View("Worksheet Menu Bar").name);
  host.addIns().Register("Quorvel.Formula");
  host::Ref<host::AddIn> added = App()->AddIns()->Add("Quorvel.Formula", false);
  added->Installed(true);
  ASSERT_EQ(host.addIns().View().size(), 1u);
  EXPECT_TRUE(host.addIns().View().front().installed);
}

// Records the events it receives; cancels when told to.
class Recorder : public host::Application::Events {
 public:
  explicit Recorder(std::string name, std::vector<std::string>& log, bool cancel = false)
      : name_(std::move(name)), log_(log), cancel_(cancel) {}

  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override {
    log_.push_back(name_ + " double " + sh->Name() + "!" + target->Address() + (cancel ? " cancelled" : ""));
    cancel = cancel || cancel_;
  }
  void SheetBeforeRightClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                             bool& cancel) override {
    log_.push_back(name_ + " right " + sh->Name() + "!" + target->Address());
    cancel = cancel || cancel_;
  }
  void WorkbookBeforeSave(const host::Ref<host::Workbook>& wb, bool saveAsUI, bool& cancel) override {
    log_.push_back(name_ + " save " + (*wb->ActiveSheet())->Name() + (saveAsUI ? " as" : ""));
    cancel = cancel || cancel_;
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  bool cancel_;
};

class ApplicationEvents : public WorkbookTest {
 protected:
  std::vector<std::string> log;
};

TEST_F(ApplicationEvents, EverySubscriberHearsInOrderAndSharesCancel) {
  Recorder first("first", log, true);
  Recorder second("second", log);
  host::Ref<host::Application> app = App();
  std::unique_ptr<host::Subscription> one = app->Advise(first);
  std::unique_ptr<host::Subscription> two = app->Advise(second);
  EXPECT_TRUE(host.DoubleClick("C3"));
  EXPECT_THAT(log, ElementsAre("first double Sheet1!$C$3", "second double Sheet1!$C$3 cancelled"));
  EXPECT_EQ((*app->ActiveCell())->Address(), "$C$3");
}

TEST_F(ApplicationEvents, NoSubscriberLeavesTheActionUncancelled) {
  EXPECT_FALSE(host.DoubleClick("A1"));
  EXPECT_FALSE(host.RightClick("A1"));
}

TEST_F(ApplicationEvents, RightClickInsideTheSelectionKeepsIt) {
  Recorder recorder("r", log);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  host.Select(sheet1, "A1:B2", "B2");
  host.RightClick("A2");
  EXPECT_EQ(sheet1.selection.activeCell, (model::CellAddress{2, 2}));
  host.RightClick("D4");
  EXPECT_EQ(sheet1.selection.activeCell, (model::CellAddress{4, 4}));
  EXPECT_THAT(log, ElementsAre("r right Sheet1!$A$2", "r right Sheet1!$D$4"));
}

TEST_F(ApplicationEvents, BeforeSaveGivesTheWorkbook) {
  Recorder recorder("r", log);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  EXPECT_FALSE(host.BeforeSave(book, true));
  EXPECT_THAT(log, ElementsAre("r save Sheet1 as"));
}

TEST_F(ApplicationEvents, DisabledEventsReachNoOne) {
  Recorder recorder("r", log, true);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  App()->EnableEvents(false);
  EXPECT_FALSE(host.DoubleClick("B2"));
  EXPECT_FALSE(host.RightClick("B2"));
  EXPECT_FALSE(host.BeforeSave(book));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(sheet1.selection.activeCell, (model::CellAddress{2, 2}));
}

TEST_F(ApplicationEvents, ChartSheetsRaiseNoSheetEvents) {
  Recorder recorder("r", log);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  host.Activate(host.AddSheet(book, "Chart1", model::SheetKind::Chart));
  EXPECT_FALSE(host.DoubleClick("A1"));
  EXPECT_TRUE(log.empty());
}

TEST_F(ApplicationEvents, EndingASubscriptionStopsDeliveryAndIsCounted) {
  Recorder recorder("r", log);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 1);
  subscription.reset();
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 0);
  host.DoubleClick("A1");
  EXPECT_TRUE(log.empty());
}

// Ends another subscription from inside its handler.
class Unsubscriber : public Recorder {
 public:
  Unsubscriber(std::vector<std::string>& log, std::unique_ptr<host::Subscription>& other)
      : Recorder("u", log), other_(other) {}
  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override {
    Recorder::SheetBeforeDoubleClick(sh, target, cancel);
    other_.reset();
  }

 private:
  std::unique_ptr<host::Subscription>& other_;
};

TEST_F(ApplicationEvents, ASubscriberEndedDuringAnEventIsSkipped) {
  std::unique_ptr<host::Subscription> later;
  Unsubscriber first(log, later);
  Recorder second("second", log);
  std::unique_ptr<host::Subscription> one = App()->Advise(first);
  later = App()->Advise(second);
  host.DoubleClick("A1");
  EXPECT_THAT(log, ElementsAre("u double Sheet1!$A$1"));
}

TEST_F(ApplicationEvents, WithEventsReferencesSubscribeWhileHeld) {
  Recorder recorder("r", log);
  {
    host::WithEvents<host::Application> xlApp(recorder);
    xlApp = App();
    host.DoubleClick("A1");
  }
  host.DoubleClick("A2");
  EXPECT_THAT(log, ElementsAre("r double Sheet1!$A$1"));
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::embedded
