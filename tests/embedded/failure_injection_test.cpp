#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class FailureInjection : public WorkbookTest {
 protected:
  // Arms `name`, then expects `call` to raise the armed error and leave the
  // model as it was.
  void ExpectArmed(const std::string& name, const std::function<void()>& call) {
    host.runtime().FailOn(name, host::HostError(1004, "armed " + name));
    EXPECT_THAT(call, RaisesHostError(1004, "armed " + name)) << name;
    host.runtime().ClearFailures();
  }
};

TEST_F(FailureInjection, NamedOperationsFailWhereATestArmsThem) {
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
      {"Application.ScreenUpdating.Put", [&] { App()->ScreenUpdating(false); }},
  };
  for (const auto& [name, call] : calls) ExpectArmed(name, call);
  EXPECT_THAT(host.SheetNames(book), ::testing::ElementsAre("Sheet1", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
  EXPECT_TRUE(host.Formula(sheet1, "A1"));
  EXPECT_TRUE(host.Value(sheet1, "C1").IsEmpty());
  EXPECT_EQ(host.Font(sheet1, "A1").size, 11);
  EXPECT_EQ(sheet1.hyperlinks.size(), 1u);
  EXPECT_EQ(sheet1.shapes.size(), 1u);
  EXPECT_TRUE(host.model().settingsLog.empty());
}

TEST_F(FailureInjection, AFailureCanWaitForItsTurn) {
  host::Ref<host::Sheets> sheets = ActiveWorkbook()->Sheets();
  host.runtime().FailOn("Sheet.Name.Put", host::HostError(1004, "third rename"), 2, 1);
  sheets->Item(1)->Name("A");
  sheets->Item(2)->Name("B");
  EXPECT_THAT([&] { sheets->Item(3)->Name("C"); }, RaisesHostError(1004, "third rename"));
  sheets->Item(3)->Name("C");
  EXPECT_THAT(host.SheetNames(book), ::testing::ElementsAre("A", "B", "C"));
}

class DeletedObjects : public WorkbookTest {};

TEST_F(DeletedObjects, ReferencesToADeletedSheetRaiseObjectRequired) {
  host::Ref<host::Worksheet> sheet = WorksheetRef("Sheet2");
  host::Ref<host::Range> cell = sheet->Range("A1");
  book.sheets.erase(book.sheets.begin() + 1);
  EXPECT_THAT([&] { sheet->Name(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { cell->Value(1); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { ActiveWorkbook()->Sheets()->Add(sheet); }, RaisesHostError(424));
}

TEST_F(DeletedObjects, ReferencesIntoAClosedWorkbookRaiseObjectRequired) {
  host::Ref<host::Workbook> workbook = ActiveWorkbook();
  host::Ref<host::Range> cell = RangeRef("Sheet1", "A1");
  host.Close(book);
  EXPECT_THAT([&] { workbook->Sheets(); }, RaisesHostError(424));
  EXPECT_THAT([&] { cell->Address(true); }, RaisesHostError(424));
  EXPECT_FALSE(host.Application()->ActiveWorkbook());
}

}  // namespace
}  // namespace tabulara::embedded
