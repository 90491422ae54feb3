#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

class SheetVisibility : public WorkbookTest {};

TEST_F(SheetVisibility, ReadsAndSetsTheThreeValues) {
  host::Ref<host::Sheet> sheet = SheetRef("Sheet2");
  EXPECT_EQ(sheet->Visible(), host::xlSheetVisible);
  sheet->Visible(host::xlSheetHidden);
  EXPECT_EQ(sheet->Visible(), host::xlSheetHidden);
  sheet->Visible(host::xlSheetVeryHidden);
  EXPECT_EQ(host.Sheet("Sheet2").visibility, host::xlSheetVeryHidden);
  sheet->Visible(host::xlSheetVisible);
  EXPECT_EQ(sheet->Visible(), host::xlSheetVisible);
}

TEST_F(SheetVisibility, OtherValuesAreRefused) {
  EXPECT_THAT([&] { SheetRef("Sheet2")->Visible(1); },
              RaisesHostError(1004, "Unable to set the Visible property of the Worksheet class"));
}

TEST_F(SheetVisibility, TheLastVisibleSheetCannotBeHidden) {
  SheetRef("Sheet2")->Visible(host::xlSheetHidden);
  SheetRef("Sheet3")->Visible(host::xlSheetVeryHidden);
  EXPECT_THAT([&] { SheetRef("Sheet1")->Visible(host::xlSheetHidden); },
              RaisesHostError(1004, "Unable to set the Visible property of the Worksheet class"));
  EXPECT_EQ(sheet1.visibility, host::xlSheetVisible);
  // A visible chart sheet counts as a visible sheet.
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  SheetRef("Sheet1")->Visible(host::xlSheetHidden);
  EXPECT_EQ(sheet1.visibility, host::xlSheetHidden);
}

TEST_F(SheetVisibility, HidingTheActiveSheetActivatesTheNextVisibleOne) {
  host.Activate(host.Sheet("Sheet2"));
  SheetRef("Sheet3")->Visible(host::xlSheetHidden);
  SheetRef("Sheet2")->Visible(host::xlSheetHidden);
  EXPECT_EQ((*ActiveWorkbook()->ActiveSheet())->Name(), "Sheet1");
}

TEST_F(SheetVisibility, StructureProtectionRefusesHidingAndShowing) {
  host.Sheet("Sheet3").visibility = host::xlSheetHidden;
  host.ProtectStructure(book);
  EXPECT_THAT([&] { SheetRef("Sheet2")->Visible(host::xlSheetHidden); },
              RaisesHostError(1004, "Unable to set the Visible property of the Worksheet class"));
  EXPECT_THAT([&] { SheetRef("Sheet3")->Visible(host::xlSheetVisible); }, RaisesHostError(1004));
  EXPECT_EQ(host.Sheet("Sheet3").visibility, host::xlSheetHidden);
}

class SheetActivation : public WorkbookTest {};

TEST_F(SheetActivation, ActivatesTheSheetAndItsWorkbook) {
  host::Ref<host::Sheet> sheet3 = SheetRef("Sheet3");
  host.NewWorkbook({"Other"});
  sheet3->Activate();
  EXPECT_EQ(host.model().ActiveWorkbook().get(), &book);
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet3");
}

TEST_F(SheetActivation, AHiddenSheetCannotBeActivated) {
  host.Sheet("Sheet2").visibility = host::xlSheetHidden;
  host.Sheet("Sheet3").visibility = host::xlSheetVeryHidden;
  EXPECT_THAT([&] { SheetRef("Sheet2")->Activate(); },
              RaisesHostError(1004, "Activate method of Worksheet class failed"));
  EXPECT_THAT([&] { SheetRef("Sheet3")->Activate(); }, RaisesHostError(1004));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
}

TEST_F(SheetActivation, StructureProtectionAllowsActivation) {
  host.ProtectStructure(book);
  SheetRef("Sheet2")->Activate();
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet2");
}

class SheetMoves : public WorkbookTest {};

TEST_F(SheetMoves, MovesInFrontOfTheGivenSheetAndActivatesIt) {
  SheetRef("Sheet3")->Move(SheetRef("Sheet1"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet3", "Sheet1", "Sheet2"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet3");
  SheetRef("Sheet3")->Move(SheetRef("Sheet2"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet3", "Sheet2"));
}

TEST_F(SheetMoves, MovingInFrontOfItselfChangesNothing) {
  SheetRef("Sheet2")->Move(SheetRef("Sheet2"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
}

TEST_F(SheetMoves, HiddenSheetsMoveWithoutBecomingActive) {
  host.Sheet("Sheet3").visibility = host::xlSheetHidden;
  SheetRef("Sheet3")->Move(SheetRef("Sheet1"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet3", "Sheet1", "Sheet2"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
}

TEST_F(SheetMoves, StructureProtectionAndOtherWorkbooksRefuseTheMove) {
  host::Ref<host::Sheet> other = (*host.Application()->ActiveSheet());
  host.NewWorkbook({"Elsewhere"});
  host::Ref<host::Sheet> elsewhere = *host.Application()->ActiveSheet();
  EXPECT_THAT([&] { other->Move(elsewhere); }, RaisesHostError(1004, "Move method of Worksheet class failed"));
  host.Activate(sheet1);
  host.ProtectStructure(book);
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  EXPECT_THAT([&] { SheetRef("Chart1")->Move(SheetRef("Sheet1")); },
              RaisesHostError(1004, "Move method of Chart class failed"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet2", "Sheet3", "Chart1"));
}

// The add-in's sort: each name in turn moved in front of the sheet at the
// next position, then the remembered sheet activated again.
TEST_F(SheetMoves, SortingByMovesPutsEverySheetInPlace) {
  model::Workbook& workbook = host.NewWorkbook({"b", "A"});
  host.AddSheet(workbook, "c", model::SheetKind::Chart);
  host.Activate(host.Sheet("A"));
  host::Ref<host::Sheets> sheets = ActiveWorkbook()->Sheets();
  host::Ref<host::Sheet> active = *ActiveWorkbook()->ActiveSheet();
  std::vector<std::string> sorted = {"A", "b", "c"};
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    sheets->Item(sorted[k])->Move(sheets->Item(static_cast<std::int32_t>(k + 1)));
  }
  active->Activate();
  EXPECT_THAT(host.SheetNames(workbook), ElementsAre("A", "b", "c"));
  EXPECT_EQ(workbook.ActiveSheet()->name, "A");
}

}  // namespace
}  // namespace tabulara::embedded
