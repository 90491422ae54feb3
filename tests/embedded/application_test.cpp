#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "embedded/addin_list.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

class ApplicationObjects : public WorkbookTest {
 protected:
  std::vector<std::string> log;
};

TEST_F(ApplicationObjects, ActiveObjectsFollowTheActiveWorkbookAndSelectionIsARangeTheSelectedObjectOrTheChartSheet) {
  host.Select(sheet1, "B2:C3", "C3");
  EXPECT_EQ((*App()->ActiveSheet())->Name(), "Sheet1");
  EXPECT_EQ((*App()->ActiveCell())->Address(), "$C$3");
  host.NewWorkbook({"Other"});
  EXPECT_EQ((*App()->ActiveSheet())->Name(), "Other");
  EXPECT_EQ((*App()->ActiveCell())->Address(), "$A$1");
  EXPECT_EQ(App()->Sheets()->Count(), 1);
  host.Activate(sheet1);
  host.Select(sheet1, "A1:B2,D4");
  EXPECT_EQ(As<host::Range>(*App()->Selection())->Address(), "$A$1:$B$2,$D$4");
  host.AddShape(sheet1, model::ShapeKind::Picture, "Logo");
  host.SelectShape(sheet1, "Logo");
  EXPECT_EQ(As<host::Shape>(*App()->Selection())->Name(), "Logo");
  host.Activate(host.AddSheet(book, "Chart1", model::SheetKind::Chart));
  EXPECT_FALSE(App()->ActiveCell());
  host::Maybe<host::Object> selection = App()->Selection();
  ASSERT_TRUE(selection);
  EXPECT_FALSE(std::dynamic_pointer_cast<host::Range>(*selection));
  EXPECT_FALSE(std::dynamic_pointer_cast<host::Worksheet>(*selection));
}

TEST_F(ApplicationObjects, SettingsKeepTheirValuesAndEveryPutInOrder) {
  host::Ref<host::Application> app = App();
  EXPECT_THAT([&] { app->Cursor(99); },
              RaisesHostError(1004, "Unable to set the Cursor property of the Application class"));
  app->ScreenUpdating(false);
  app->EnableEvents(false);
  app->Cursor(host::xlWait);
  app->EnableEvents(true);
  app->ScreenUpdating(true);
  app->Cursor(host::xlDefault);
  app->ScreenUpdating(true);
  app->Volatile(true);
  EXPECT_THAT(host.model().settingsLog,
              ElementsAre("ScreenUpdating=False", "EnableEvents=False", "Cursor=2", "EnableEvents=True",
                          "ScreenUpdating=True", "Cursor=-4143", "ScreenUpdating=True"));
  EXPECT_TRUE(host.model().volatileCalculation);
}

TEST_F(ApplicationObjects, AWholeCommandsWorthOfReferencesGoesBackToZero) {
  host.AddComment(sheet1, "B2", "note");
  host.SetFormula(sheet1, "C3", "=1", 1.0);
  {
    host::Ref<host::Application> app = App();
    for (const host::Ref<host::Sheet>& sheet : host::Each((*app->ActiveWorkbook())->Sheets())) sheet->Name();
    host::Ref<host::Worksheet> worksheet = As<host::Worksheet>(*app->ActiveSheet());
    for (const host::Ref<host::Range>& cell :
         host::Each(worksheet->Cells()->SpecialCells(host::xlCellTypeFormulas, 23))) {
      cell->Value(cell->Value());
    }
    host::Ref<host::Shape> line = worksheet->Shapes()->AddLine(0, 0, 1, 1);
    line->Line()->ForeColor()->SchemeColor(10);
    line->ControlFormat()->PrintObject(false);
    (*worksheet->Range("B2")->Comment())->Shape()->AutoShapeType(host::msoShapeHeart);
    worksheet->Hyperlinks()->Add(worksheet->Range("A1"), "", "Sheet2!A1");
    worksheet->Cells()->Font()->Size(12);
    EXPECT_GT(host.runtime().LiveReferences(), 0);
  }
  EXPECT_EQ(host.runtime().LiveReferences(), 0);
}

// Records the events it receives; cancels when told to; on a double click,
// ends the subscription `ends` when given one.
class Recorder : public host::Application::Events {
 public:
  explicit Recorder(std::string name, std::vector<std::string>& log, bool cancel = false,
                    std::unique_ptr<host::Subscription>* ends = nullptr)
      : name_(std::move(name)), log_(log), cancel_(cancel), ends_(ends) {}

  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override {
    log_.push_back(name_ + " double " + sh->Name() + "!" + target->Address() + (cancel ? " cancelled" : ""));
    cancel = cancel || cancel_;
    if (ends_ != nullptr) ends_->reset();
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
  std::unique_ptr<host::Subscription>* ends_;
};

TEST_F(ApplicationObjects, EverySubscriberHearsInOrderAndSharesCancelAndARightClickInsideTheSelectionKeepsIt) {
  Recorder first("first", log, true);
  Recorder second("second", log);
  std::unique_ptr<host::Subscription> one = App()->Advise(first);
  std::unique_ptr<host::Subscription> two = App()->Advise(second);
  EXPECT_TRUE(host.DoubleClick("C3"));
  EXPECT_TRUE(host.BeforeSave(book));
  EXPECT_THAT(log, ElementsAre("first double Sheet1!$C$3", "second double Sheet1!$C$3 cancelled", "first save Sheet1",
                               "second save Sheet1"));
  EXPECT_EQ((*App()->ActiveCell())->Address(), "$C$3");
  EXPECT_EQ(host.runtime().LiveReferences(), 0);
  one.reset();
  log.clear();
  host.Select(sheet1, "A1:B2", "B2");
  EXPECT_FALSE(host.RightClick("A2"));
  EXPECT_EQ(sheet1.selection().activeCell, (model::CellAddress{2, 2}));
  host.RightClick("D4");
  EXPECT_EQ(sheet1.selection().activeCell, (model::CellAddress{4, 4}));
  EXPECT_FALSE(host.BeforeSave(book, true));
  EXPECT_THAT(log, ElementsAre("second right Sheet1!$A$2", "second right Sheet1!$D$4", "second save Sheet1 as"));
}

TEST_F(ApplicationObjects, DisabledEventsAndChartSheetsReachNoOne) {
  Recorder recorder("r", log, true);
  std::unique_ptr<host::Subscription> subscription = App()->Advise(recorder);
  App()->EnableEvents(false);
  EXPECT_FALSE(host.DoubleClick("B2"));
  EXPECT_FALSE(host.RightClick("B2"));
  EXPECT_FALSE(host.BeforeSave(book));
  EXPECT_EQ(sheet1.selection().activeCell, (model::CellAddress{2, 2}));
  App()->EnableEvents(true);
  host.Activate(host.AddSheet(book, "Chart1", model::SheetKind::Chart));
  EXPECT_FALSE(host.DoubleClick("A1"));
  EXPECT_TRUE(log.empty());
}

TEST_F(ApplicationObjects, AnEndedSubscriptionHearsNothingEvenWhenEndedDuringAnEvent) {
  std::unique_ptr<host::Subscription> later;
  Recorder first("first", log, false, &later);
  Recorder second("second", log);
  std::unique_ptr<host::Subscription> one = App()->Advise(first);
  later = App()->Advise(second);
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 2);
  host.DoubleClick("A1");
  one.reset();
  {
    host::WithEvents<host::Application> xlApp(second);
    xlApp = App();
    host.DoubleClick("A2");
  }
  host.DoubleClick("A3");
  EXPECT_THAT(log, ElementsAre("first double Sheet1!$A$1", "second double Sheet1!$A$2"));
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 0);
}

TEST_F(ApplicationObjects, NamedOperationsFailEveryTimeUntilClearedOrInTheirTurnWhereATestArmsThem) {
  host.SetFormula(sheet1, "A1", "=1", 1.0);
  host.AddHyperlink(sheet1, "B1", "http://example.com/");
  host.AddShape(sheet1, model::ShapeKind::Picture, "Logo");
  std::vector<std::pair<std::string, std::function<void()>>> calls = {
      {"Sheet.Name.Put", [&] { SheetRef("Sheet2")->Name("Renamed"); }},
      {"Sheet.Move", [&] { SheetRef("Sheet2")->Move(SheetRef("Sheet1")); }},
      {"Sheet.Activate", [&] { SheetRef("Sheet2")->Activate(); }},
      {"Sheets.Add", [&] { ActiveWorkbook()->Sheets()->Add(); }},
      {"Worksheets.Add", [&] { ActiveWorkbook()->Worksheets()->Add(); }},
      {"Range.Value.Put", [&] { RangeRef("Sheet1", "C1")->Value(1); }},
      {"Range.Clear", [&] { RangeRef("Sheet1", "A1")->Clear(); }},
      {"Range.SpecialCells", [&] { WorksheetRef("Sheet1")->Cells()->SpecialCells(host::xlCellTypeFormulas, 23); }},
      {"Font.Size.Put", [&] { RangeRef("Sheet1", "A1")->Font()->Size(12); }},
      {"Hyperlinks.Delete", [&] { WorksheetRef("Sheet1")->Hyperlinks()->Delete(); }},
      {"Shapes.AddLine", [&] { WorksheetRef("Sheet1")->Shapes()->AddLine(0, 0, 1, 1); }},
      {"Shape.Delete", [&] { (*host::Each(WorksheetRef("Sheet1")->Shapes()).begin())->Delete(); }},
      {"Shape.Line", [&] { (*host::Each(WorksheetRef("Sheet1")->Shapes()).begin())->Line(); }},
      {"ControlFormat.PrintObject.Put",
       [&] { (*host::Each(WorksheetRef("Sheet1")->Shapes()).begin())->ControlFormat()->PrintObject(false); }},
      {"Application.ScreenUpdating.Put", [&] { App()->ScreenUpdating(false); }},
  };
  for (const auto& [name, call] : calls) {
    host.runtime().FailOn(name, host::HostError(1004, "armed " + name));
    EXPECT_THAT(call, RaisesHostError(1004, "armed " + name)) << name;
    EXPECT_THAT(call, RaisesHostError(1004)) << name;
    host.runtime().ClearFailures();
  }
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
  EXPECT_TRUE(host.Formula(sheet1, "A1"));
  EXPECT_TRUE(host.Value(sheet1, "C1").IsEmpty());
  EXPECT_EQ(host.Font(sheet1, "A1").size, 11);
  EXPECT_EQ(sheet1.hyperlinks().size(), 1u);
  EXPECT_EQ(sheet1.shapes().size(), 1u);
  EXPECT_TRUE(host.model().settingsLog.empty());
  host.runtime().FailOn("Sheet.Name.Put", host::HostError(1004, "second rename"), 1, 1);
  SheetRef("Sheet1")->Name("A");
  EXPECT_THAT([&] { SheetRef("Sheet2")->Name("B"); }, RaisesHostError(1004, "second rename"));
  SheetRef("Sheet2")->Name("B");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("A", "B", "Sheet3"));
}

TEST_F(ApplicationObjects, ReferencesToADeletedSheetOrAClosedWorkbookRaiseObjectRequiredAndNothingIsActiveWithoutOne) {
  host::Ref<host::Worksheet> sheet = WorksheetRef("Sheet2");
  host::Ref<host::Range> cell = sheet->Range("A1");
  host::Ref<host::Workbook> workbook = ActiveWorkbook();
  host::Ref<host::Range> a1 = RangeRef("Sheet1", "A1");
  host::Ref<host::Range> row = sheet->Range("A2:C2");
  host::Each cells(row);
  auto each = cells.begin();
  ASSERT_NE(*each, nullptr);
  book.sheets.erase(book.sheets.begin() + 1);
  EXPECT_THAT([&] { sheet->Name(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { cell->Value(1); }, RaisesHostError(424, "Object required"));
  // Also the queries asked cell by cell, and the walk of a range's cells.
  EXPECT_THAT([&] { cell->Value(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { cell->HasFormula(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { cell->HasArray(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { cell->Count(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { ++each; }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { workbook->Sheets()->Add(sheet); }, RaisesHostError(424));
  host.Close(book);
  EXPECT_THAT([&] { workbook->Sheets(); }, RaisesHostError(424));
  EXPECT_THAT([&] { a1->Address(true); }, RaisesHostError(424));
  EXPECT_THAT([&] { a1->Value(); }, RaisesHostError(424));
  EXPECT_THAT([&] { a1->HasFormula(); }, RaisesHostError(424));
  EXPECT_FALSE(App()->ActiveWorkbook());
  EXPECT_FALSE(App()->ActiveSheet());
  EXPECT_FALSE(App()->ActiveCell());
  EXPECT_FALSE(App()->Selection());
  EXPECT_THAT([&] { App()->Sheets(); }, RaisesHostError(1004, "Method 'Sheets' of object '_Global' failed"));
}

TEST(AddInList, AddListsARegisteredProgIdOnceInTheOrderOfAddingAndKeepsItsInstalledState) {
  const std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  AddInList list{runtime};
  list.Register("Quorvel.Formula", nullptr);
  list.Register("Other.Functions", nullptr);
  const host::Ref<host::AddIns> addIns = list.AddIns();
  EXPECT_THAT([&] { addIns->Add("Quorvel.Missing", false); },
              RaisesHostError(1004, "Add method of AddIns class failed"));
  addIns->Add("Other.Functions", false);
  const host::Ref<host::AddIn> addIn = addIns->Add("Quorvel.Formula", false);
  EXPECT_FALSE(addIn->Installed());
  addIn->Installed(true);
  runtime->FailOn("AddIn.Installed.Put", host::HostError(1004, "refused"));
  EXPECT_THROW(addIn->Installed(false), host::HostError);
  EXPECT_EQ(addIns->Add("quorvel.formula", false)->progID(), "Quorvel.Formula");
  std::vector<std::string> listed;
  for (const host::Ref<host::AddIn>& each : host::Each(addIns)) {
    listed.push_back(each->progID() + (each->Installed() ? " installed" : ""));
  }
  EXPECT_THAT(listed, ElementsAre("Other.Functions", "Quorvel.Formula installed"));
  ASSERT_EQ(list.View().size(), 2u);
  EXPECT_FALSE(list.View()[0].installed);
  EXPECT_TRUE(list.View()[1].installed);
  EXPECT_EQ(runtime->LiveReferences(), 2);
}

// A list kept from an earlier run may name a class the host cannot create
// now: it stays listed, can be uninstalled, but not installed.
TEST(AddInList, AnUnregisteredAddInStaysListedButCannotBeInstalledAndOnlyChangesAreTold) {
  AddInList list{std::make_shared<Runtime>()};
  list.Register("Quorvel.Formula", nullptr);
  list.Restore({{"Old.Thing", true}, {"Quorvel.Formula", false}});
  int changes = 0;
  list.OnChange([&] { ++changes; });
  std::vector<host::Ref<host::AddIn>> addIns;
  for (const host::Ref<host::AddIn>& each : host::Each(list.AddIns())) addIns.push_back(each);
  ASSERT_EQ(addIns.size(), 2u);
  addIns[0]->Installed(false);
  EXPECT_THAT([&] { addIns[0]->Installed(true); },
              RaisesHostError(1004, "Unable to set the Installed property of the AddIn class"));
  addIns[1]->Installed(false);
  list.AddIns()->Add("quorvel.formula", false);
  EXPECT_EQ(changes, 1);
  EXPECT_THAT(list.View(), ElementsAre(AddInList::AddInView{"Old.Thing", false, false},
                                       AddInList::AddInView{"Quorvel.Formula", false, true}));
}

}  // namespace
}  // namespace tabulara::embedded
