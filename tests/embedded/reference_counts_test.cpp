#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class ReferenceCounts : public WorkbookTest {};

TEST_F(ReferenceCounts, EveryReferenceIsCountedWhileAlive) {
  EXPECT_EQ(host.runtime().LiveReferences(), 0);
  host::Ref<host::Application> app = App();
  EXPECT_EQ(host.runtime().LiveReferences(), 1);
  host::Ref<host::Workbook> workbook = *app->ActiveWorkbook();
  host::Ref<host::Sheets> sheets = workbook->Sheets();
  EXPECT_EQ(host.runtime().LiveReferences(), 3);
  sheets.reset();
  workbook.reset();
  EXPECT_EQ(host.runtime().LiveReferences(), 1);
}

TEST_F(ReferenceCounts, AWholeCommandsWorthOfReferencesGoesBackToZero) {
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

TEST_F(ReferenceCounts, EventArgumentsAreReleasedAfterTheEvent) {
  struct Keeper : host::Application::Events {
    void SheetBeforeDoubleClick(const host::Ref<host::Sheet>&, const host::Ref<host::Range>&, bool&) override {}
    void SheetBeforeRightClick(const host::Ref<host::Sheet>&, const host::Ref<host::Range>&, bool&) override {}
    void WorkbookBeforeSave(const host::Ref<host::Workbook>&, bool, bool&) override {}
  } keeper;
  std::unique_ptr<host::Subscription> subscription = App()->Advise(keeper);
  host.DoubleClick("A1");
  host.RightClick("A1");
  host.BeforeSave(book);
  EXPECT_EQ(host.runtime().LiveReferences(), 0);
  EXPECT_EQ(host.runtime().LiveSubscriptions(), 1);
}

}  // namespace
}  // namespace tabulara::embedded
