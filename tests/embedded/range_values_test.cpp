#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

const std::string kProtectedCell =
    "The cell or chart that you are trying to change is protected and therefore read-only.\n\n"
    "To modify a protected cell or chart, first remove protection using the Unprotect Sheet command (Tools menu, "
    "Protection submenu). You may be prompted for a password.";

class RangeValues : public WorkbookTest {};

TEST_F(RangeValues, ValueGivesTheFirstCellOfEveryKind) {
  host.SetValue(sheet1, "A1", 2.5);
  host.SetValue(sheet1, "A2", "text");
  host.SetValue(sheet1, "A3", true);
  host.SetValue(sheet1, "A4", host::Date{29387});
  host.SetValue(sheet1, "A5", host::ErrorValue{host::xlErrNA});
  EXPECT_EQ(RangeRef("Sheet1", "A1:A5")->Value(), host::Variant(2.5));
  EXPECT_EQ(RangeRef("Sheet1", "A2")->Value(), host::Variant("text"));
  EXPECT_EQ(RangeRef("Sheet1", "A3")->Value(), host::Variant(true));
  EXPECT_EQ(RangeRef("Sheet1", "A4")->Value(), host::Variant(host::Date{29387}));
  EXPECT_EQ(RangeRef("Sheet1", "A5")->Value(), host::Variant(host::ErrorValue{host::xlErrNA}));
  EXPECT_TRUE(RangeRef("Sheet1", "B1")->Value().IsEmpty());
}

TEST_F(RangeValues, ANumberInADateFormatReadsAsADate) {
  host.SetValue(sheet1, "A1", 29387.0);
  host.SetNumberFormat(sheet1, "A1", "[$-409]d mmm yyyy;@");
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Value(), host::Variant(host::Date{29387}));
  host.SetNumberFormat(sheet1, "A1", "#,##0.00 \"days\"");
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Value(), host::Variant(29387.0));
}

TEST_F(RangeValues, TextIsReadAsTheHostReadsTypedText) {
  host::Ref<host::Range> cell = RangeRef("Sheet1", "A1");
  cell->Value("12");
  EXPECT_EQ(cell->Value(), host::Variant(12.0));
  cell->Value("TRUE");
  EXPECT_EQ(cell->Value(), host::Variant(true));
  cell->Value("#N/A");
  EXPECT_EQ(cell->Value(), host::Variant(host::ErrorValue{host::xlErrNA}));
  cell->Value("'12");
  EXPECT_EQ(cell->Value(), host::Variant("12"));
  cell->Value("  padded text ");
  EXPECT_EQ(cell->Value(), host::Variant("  padded text "));
}

TEST_F(RangeValues, ADateEntryTakesADateFormat) {
  RangeRef("Sheet1", "B2")->Value("6/15/1980");
  EXPECT_TRUE(host.Value(sheet1, "B2").IsDate());
  EXPECT_EQ(host.NumberFormat(sheet1, "B2"), "m/d/yyyy");
  RangeRef("Sheet1", "B3")->Value(host::Date{100});
  EXPECT_EQ(host.NumberFormat(sheet1, "B3"), "m/d/yyyy");
}

TEST_F(RangeValues, AFormulaTextHasNoValueUntilCalculated) {
  host::Ref<host::Range> cell = RangeRef("Sheet1", "C1");
  cell->Value("=A1+1");
  EXPECT_EQ(host.Formula(sheet1, "C1"), "=A1+1");
  EXPECT_TRUE(cell->HasFormula());
  EXPECT_TRUE(cell->Value().IsEmpty());
  host.SetCachedValue(sheet1, "C1", 3.0);
  EXPECT_EQ(cell->Value(), host::Variant(3.0));
  cell->Value(7);
  EXPECT_FALSE(cell->HasFormula());
  EXPECT_FALSE(host.Formula(sheet1, "C1"));
}

TEST_F(RangeValues, EveryCellOfEveryAreaTakesTheValue) {
  RangeRef("Sheet1", "A1:B2,D4")->Value("x");
  for (std::string cell : {"A1", "B1", "A2", "B2", "D4"}) EXPECT_EQ(host.Value(sheet1, cell), host::Variant("x"));
  EXPECT_TRUE(host.Value(sheet1, "C3").IsEmpty());
}

TEST_F(RangeValues, EmptyClearsContentsAndKeepsFormats) {
  host.SetValue(sheet1, "A1:A2", 5.0);
  host.SetFormula(sheet1, "A3", "=1", 1.0);
  model::Font bold;
  bold.bold = true;
  host.SetFont(sheet1, "A1", bold);
  RangeRef("Sheet1", "A1:A3")->Value(host::Variant());
  EXPECT_TRUE(host.Value(sheet1, "A1").IsEmpty());
  EXPECT_FALSE(host.Formula(sheet1, "A3"));
  EXPECT_TRUE(host.Font(sheet1, "A1").bold);
  EXPECT_EQ(sheet1.grid.CellCount(), 1u);
}

TEST_F(RangeValues, AnObjectIsATypeMismatch) {
  host::Ref<host::Range> cell = RangeRef("Sheet1", "A1");
  EXPECT_THAT([&] { cell->Value(host::Variant(host::Ref<host::Object>(RangeRef("Sheet1", "B1")))); },
              RaisesHostError(13, "Type mismatch"));
}

TEST_F(RangeValues, AProtectedSheetRefusesLockedCellsOnly) {
  host.SetLocked(sheet1, "B1", false);
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Value("x"); }, RaisesHostError(1004, kProtectedCell));
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1:B1")->Value("x"); }, RaisesHostError(1004, kProtectedCell));
  RangeRef("Sheet1", "B1")->Value("typed");
  EXPECT_EQ(host.Value(sheet1, "B1"), host::Variant("typed"));
  EXPECT_TRUE(host.Value(sheet1, "A1").IsEmpty());
}

TEST_F(RangeValues, PartOfAnArrayCannotChangeButTheWholeArrayCan) {
  host.SetArrayFormula(sheet1, "A1:B2", "{=TRANSPOSE(D1:E2)}", 1.0);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Value(1); },
              RaisesHostError(1004, "You cannot change part of an array."));
  EXPECT_TRUE(RangeRef("Sheet1", "A1")->HasArray());
  RangeRef("Sheet1", "A1:B2")->Value(2);
  EXPECT_FALSE(RangeRef("Sheet1", "A1")->HasArray());
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant(2.0));
}

TEST_F(RangeValues, ASingleCellArrayTakesAValue) {
  host.SetArrayFormula(sheet1, "C3", "{=SUM(A1:A2*B1:B2)}", 4.0);
  RangeRef("Sheet1", "C3")->Value(4.0);
  EXPECT_FALSE(host.Formula(sheet1, "C3"));
  EXPECT_TRUE(sheet1.grid.arrays.empty());
}

TEST_F(RangeValues, HasFormulaAndHasArrayAskEveryCell) {
  host.SetFormula(sheet1, "A1:A2", "=1", 1.0);
  host.SetArrayFormula(sheet1, "B1:B2", "{=A1:A2}", 1.0);
  EXPECT_TRUE(RangeRef("Sheet1", "A1:B2")->HasFormula());
  EXPECT_FALSE(RangeRef("Sheet1", "A1:A3")->HasFormula());
  EXPECT_FALSE(RangeRef("Sheet1", "A1:B2")->HasArray());
  EXPECT_TRUE(RangeRef("Sheet1", "B1:B2")->HasArray());
  EXPECT_FALSE(RangeRef("Sheet1", "C1")->HasFormula());
}

TEST_F(RangeValues, AWholeSheetValueIsBeyondTheHostsMemory) {
  EXPECT_THAT([&] { WorksheetRef("Sheet1")->Cells()->Value(1); }, RaisesHostError(7, "Out of memory"));
  EXPECT_EQ(sheet1.grid.CellCount(), 0u);
}

class RangeReferences : public WorkbookTest {};

TEST_F(RangeReferences, CountsCellsOfAllAreasIn64Bits) {
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Count(), 1);
  EXPECT_EQ(RangeRef("Sheet1", "b2:$C$4")->Count(), 6);
  EXPECT_EQ(RangeRef("Sheet1", "A1:B2,D4")->Count(), 5);
  EXPECT_EQ(RangeRef("Sheet1", "A:C")->Count(), 3 * 1048576);
  EXPECT_EQ(RangeRef("Sheet1", "$2:$3")->Count(), 2 * 16384);
  EXPECT_EQ(WorksheetRef("Sheet1")->Cells()->Count(), 17179869184);
}

TEST_F(RangeReferences, TextsThatAreNoReferenceAreRefused) {
  for (std::string text : {"", "A0", "XFE1", "A1048577", "1A", "A1:", "A:1", "A", "A1 B1", "A1,,B2"}) {
    EXPECT_THAT([&] { RangeRef("Sheet1", text); },
                RaisesHostError(1004, "Method 'Range' of object '_Worksheet' failed"))
        << text;
  }
}

TEST_F(RangeReferences, EnumeratesAreaByAreaRowByRow) {
  std::vector<std::string> cells;
  for (const host::Ref<host::Range>& cell : host::Each(RangeRef("Sheet1", "B2:C3,A1")))
    cells.push_back(cell->Address());
  EXPECT_THAT(cells, ElementsAre("$B$2", "$C$2", "$B$3", "$C$3", "$A$1"));
}

TEST_F(RangeReferences, EnumeratingTheWholeSheetStartsWithoutVisitingIt) {
  std::unique_ptr<host::Enumerator<host::Range>> cells = WorksheetRef("Sheet1")->Cells()->NewEnum();
  EXPECT_EQ((*cells->Next())->Address(), "$A$1");
  EXPECT_EQ((*cells->Next())->Address(), "$B$1");
}

TEST_F(RangeReferences, TheRangeKnowsItsWorksheet) {
  EXPECT_EQ(RangeRef("Sheet2", "A1")->Worksheet()->Name(), "Sheet2");
}

}  // namespace
}  // namespace tabulara::embedded
