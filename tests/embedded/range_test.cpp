#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "embedded/rules/number_formats.h"
#include "embedded/rules/reference_text.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

const std::string kProtectedCell =
    "The cell or chart that you are trying to change is protected and therefore read-only.\n\n"
    "To modify a protected cell or chart, first remove protection using the Unprotect Sheet command (Tools menu, "
    "Protection submenu). You may be prompted for a password.";

const char* const kRangeFailed = "Method 'Range' of object '_Worksheet' failed";

class Ranges : public WorkbookTest {};

TEST_F(Ranges, ValueGivesTheFirstCellOfEveryKindAndTypedTextIsReadAsTheHostReadsIt) {
  const std::vector<host::Variant> values = {2.5, "text", true, host::Date{29387}, host::ErrorValue{host::xlErrNA}};
  for (std::size_t i = 0; i < values.size(); ++i) {
    host.SetValue(sheet1, "A" + std::to_string(i + 1), values[i]);
    EXPECT_EQ(RangeRef("Sheet1", "A" + std::to_string(i + 1) + ":A9")->Value(), values[i]) << i;
  }
  EXPECT_TRUE(RangeRef("Sheet1", "B1")->Value().IsEmpty());
  host.SetValue(sheet1, "A1", 29387.0);
  host.SetNumberFormat(sheet1, "A1", "[$-409]d mmm yyyy;@");
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Value(), host::Variant(host::Date{29387}));
  host.SetNumberFormat(sheet1, "A1", "#,##0.00 \"days\"");
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Value(), host::Variant(29387.0));
  const std::vector<std::pair<std::string, host::Variant>> entries = {
      {"12", 12.0},
      {"TRUE", true},
      {"#N/A", host::ErrorValue{host::xlErrNA}},
      {"'12", "12"},
      {"  padded text ", "  padded text "},
      {"6/15/1980", host::Date{29387}},
  };
  host::Ref<host::Range> cell = RangeRef("Sheet1", "C1");
  for (const auto& [typed, value] : entries) {
    cell->Value(typed);
    EXPECT_EQ(cell->Value(), value) << typed;
  }
  EXPECT_EQ(host.NumberFormat(sheet1, "C1"), "m/d/yyyy");
  RangeRef("Sheet1", "B3")->Value(host::Date{100});
  EXPECT_EQ(host.NumberFormat(sheet1, "B3"), "m/d/yyyy");
}

TEST_F(Ranges, AFormulaHasNoValueUntilCalculatedEmptyClearsContentsButKeepsFormatsAndOnlyAWholeArrayChanges) {
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
  host.SetValue(sheet1, "A1:A2", 5.0);
  host.SetFormula(sheet1, "A3", "=1", 1.0);
  model::Font bold;
  bold.bold = true;
  host.SetFont(sheet1, "A1", bold);
  host.SetFont(sheet1, "A3", bold);
  RangeRef("Sheet1", "A1:A3")->Value(host::Variant());
  EXPECT_TRUE(host.Value(sheet1, "A1").IsEmpty());
  EXPECT_FALSE(host.Formula(sheet1, "A3"));
  EXPECT_TRUE(host.Font(sheet1, "A1").bold);
  EXPECT_EQ(sheet1.grid().CellCount(), 3u);
  host.SetArrayFormula(sheet1, "A1:B2", "{=TRANSPOSE(D1:E2)}", 1.0);
  host.SetArrayFormula(sheet1, "C3", "{=SUM(A1:A2*B1:B2)}", 4.0);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Value(1); },
              RaisesHostError(1004, "You cannot change part of an array."));
  EXPECT_TRUE(RangeRef("Sheet1", "A1")->HasArray());
  RangeRef("Sheet1", "A1:B2")->Value(2);
  EXPECT_FALSE(RangeRef("Sheet1", "A1")->HasArray());
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant(2.0));
  RangeRef("Sheet1", "C3")->Value(4.0);
  EXPECT_FALSE(host.Formula(sheet1, "C3"));
  EXPECT_TRUE(sheet1.grid().arrays.empty());
  host.SetFormula(sheet1, "A1:A2", "=1", 1.0);
  host.SetArrayFormula(sheet1, "B1:B2", "{=A1:A2}", 1.0);
  EXPECT_TRUE(RangeRef("Sheet1", "A1:B2")->HasFormula());
  EXPECT_FALSE(RangeRef("Sheet1", "A1:A3")->HasFormula());
  EXPECT_FALSE(RangeRef("Sheet1", "A1:B2")->HasArray());
  EXPECT_TRUE(RangeRef("Sheet1", "B1:B2")->HasArray());
  EXPECT_FALSE(RangeRef("Sheet1", "C1")->HasFormula());
}

TEST_F(Ranges, EveryCellOfEveryAreaTakesTheValueUnlessLockedAndProtectedAndCountsIn64BitsOfTextsThatAreReferences) {
  RangeRef("Sheet1", "A1:B2,D4")->Value("x");
  for (std::string cell : {"A1", "B1", "A2", "B2", "D4"}) EXPECT_EQ(host.Value(sheet1, cell), host::Variant("x"));
  EXPECT_TRUE(host.Value(sheet1, "C3").IsEmpty());
  host::Ref<host::Range> cell = RangeRef("Sheet1", "A1");
  EXPECT_THAT([&] { cell->Value(host::Variant(host::Ref<host::Object>(RangeRef("Sheet1", "B1")))); },
              RaisesHostError(13, "Type mismatch"));
  EXPECT_THAT([&] { WorksheetRef("Sheet1")->Cells()->Value(1); }, RaisesHostError(7, "Out of memory"));
  EXPECT_EQ(sheet1.grid().CellCount(), 5u);
  host.SetLocked(sheet1, "B1", false);
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Value("x"); }, RaisesHostError(1004, kProtectedCell));
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1:B1")->Value("x"); }, RaisesHostError(1004, kProtectedCell));
  EXPECT_THAT([&] { WorksheetRef("Sheet1")->Cells()->Value(1); }, RaisesHostError(1004, kProtectedCell));
  RangeRef("Sheet1", "B1")->Value("typed");
  EXPECT_EQ(host.Value(sheet1, "B1"), host::Variant("typed"));
  EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant("x"));
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Count(), 1);
  EXPECT_EQ(RangeRef("Sheet1", "b2:$C$4")->Count(), 6);
  EXPECT_EQ(RangeRef("Sheet1", "A1:B2,D4")->Count(), 5);
  EXPECT_EQ(RangeRef("Sheet1", "A:C")->Count(), 3 * 1048576);
  EXPECT_EQ(RangeRef("Sheet1", "$2:$3")->Count(), 2 * 16384);
  EXPECT_EQ(WorksheetRef("Sheet1")->Cells()->Count(), 17179869184);
  EXPECT_EQ(RangeRef("Sheet2", "A1")->Worksheet()->Name(), "Sheet2");
  std::unique_ptr<host::Enumerator<host::Range>> all = WorksheetRef("Sheet1")->Cells()->NewEnum();
  EXPECT_EQ((*all->Next())->Address(), "$A$1");
  EXPECT_EQ((*all->Next())->Address(), "$B$1");
  for (std::string text :
       {"", "A0", "XFE1", "A1048577", "1A", "A1:", "A:1", "1:A1", "A1:2", "A1:B", "A", "A1 B1", "A1,,B2"}) {
    EXPECT_THAT([&] { RangeRef("Sheet1", text); }, RaisesHostError(1004, kRangeFailed)) << text;
  }
}

// Formulas giving a number (A1), a text (B1), a logical (C1) and an error
// (A2); constants 5 (B2) and "constant" (C2). Found cells enumerate area by
// area, row by row.
class SpecialCells : public WorkbookTest {
 protected:
  SpecialCells() {
    host.SetFormula(sheet1, "A1", "=1", 1.0);
    host.SetFormula(sheet1, "B1", "=\"a\"", "a");
    host.SetFormula(sheet1, "C1", "=TRUE", true);
    host.SetFormula(sheet1, "A2", "=1/0", host::ErrorValue{host::xlErrDiv0});
    host.SetValue(sheet1, "B2", 5.0);
    host.SetValue(sheet1, "C2", "constant");
  }

  std::string Found(const std::string& reference, int type, int mask) {
    return RangeRef("Sheet1", reference)->SpecialCells(type, mask)->Address();
  }
};

TEST_F(SpecialCells, TheMaskPicksByTheTypeOfTheValueNothingFoundIsRefusedAndBlocksJoinRunsOverTheSameColumns) {
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlNumbers), "$A$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlTextValues), "$B$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlLogical), "$C$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlErrors), "$A$2");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlAllFormulaResults), "$A$1:$C$1,$A$2");
  EXPECT_EQ(Found("A1:C2", 2, host::xlAllFormulaResults), "$B$2:$C$2");
  EXPECT_EQ(Found("A1:C2", 2, host::xlTextValues), "$C$2");
  // A single cell stands for the whole sheet.
  EXPECT_EQ(Found("Z99", host::xlCellTypeFormulas, host::xlErrors), "$A$2");
  RangeRef("Sheet1", "E5")->Value("=A1*2");
  EXPECT_EQ(Found("E1:E9", host::xlCellTypeFormulas, host::xlNumbers), "$E$5");
  EXPECT_THAT([&] { Found("B2:C3", host::xlCellTypeFormulas, host::xlAllFormulaResults); },
              RaisesHostError(1004, "No cells were found."));
  EXPECT_THAT([&] { WorksheetRef("Sheet2")->Cells()->SpecialCells(host::xlCellTypeFormulas, 23); },
              RaisesHostError(1004, "No cells were found."));
  EXPECT_THAT([&] { Found("A1:C2", 4, 0); }, RaisesHostError(1004, "SpecialCells method of Range class failed"));
  model::Sheet& sheet2 = host.Sheet("Sheet2");
  host.SetFormula(sheet2, "B2:C4", "=1", 1.0);
  host.SetFormula(sheet2, "E3", "=1", 1.0);
  host::Ref<host::Range> found =
      WorksheetRef("Sheet2")->Cells()->SpecialCells(host::xlCellTypeFormulas, host::xlAllFormulaResults);
  EXPECT_EQ(found->Address(), "$B$2:$C$4,$E$3");
  EXPECT_EQ(found->Count(), 7);
  std::vector<std::string> cells;
  for (const host::Ref<host::Range>& cell : host::Each(found)) cells.push_back(cell->Address());
  EXPECT_THAT(cells, ElementsAre("$B$2", "$C$2", "$B$3", "$C$3", "$B$4", "$C$4", "$E$3"));
  // A cell kept from the walk stays itself; the walk may reuse only the ones let go.
  std::vector<host::Ref<host::Range>> kept;
  for (const host::Ref<host::Range>& cell : host::Each(found)) {
    if (cell->Address().ends_with("$3")) kept.push_back(cell);
  }
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0]->Address() + " " + kept[1]->Address() + " " + kept[2]->Address(), "$B$3 $C$3 $E$3");
  // An array's cells without an entry of their own are found once each.
  host.SetArrayFormula(sheet2, "G1:H3", "{=1}", 1.0);
  sheet2.grid().Erase({2, 8});
  sheet2.grid().Erase({3, 7});
  EXPECT_EQ(RangeRef("Sheet2", "G1:H3")->SpecialCells(host::xlCellTypeFormulas, host::xlNumbers)->Address(),
            "$G$1:$H$1,$G$2,$H$3,$H$2,$G$3");
}

TEST_F(Ranges, TheWholeSheetChangesWithoutAnEntryPerCell) {
  host.SetValue(sheet1, "B2", "kept");
  model::Font courier;
  courier.name = "Courier";
  courier.italic = true;
  host.SetFont(sheet1, "C3", courier);
  host::Ref<host::Font> font = WorksheetRef("Sheet1")->Cells()->Font();
  font->Size(12);
  font->Name("Arial");
  font->Bold(true);
  for (const char* cell : {"A1", "B2", "C3", "XFD1048576"}) {
    model::Font now = host.Font(sheet1, cell);
    EXPECT_EQ(now.size, 12) << cell;
    EXPECT_EQ(now.name, "Arial") << cell;
    EXPECT_TRUE(now.bold) << cell;
  }
  EXPECT_TRUE(host.Font(sheet1, "C3").italic);
  EXPECT_EQ(sheet1.grid().CellCount(), 2u);
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("kept"));
}

TEST_F(Ranges, ColumnsAndRowsChangeThroughTheirFormatsAndARangeItsCellsWithSizesFrom1To409UnlessProtected) {
  WorksheetRef("Sheet1")->Range("3:3")->Font()->Italic(true);
  WorksheetRef("Sheet1")->Range("B:B")->Font()->Size(9);
  EXPECT_TRUE(host.Font(sheet1, "A3").italic);
  EXPECT_EQ(host.Font(sheet1, "B3").size, 9);
  EXPECT_TRUE(host.Font(sheet1, "B3").italic);
  EXPECT_EQ(host.Font(sheet1, "B900").size, 9);
  EXPECT_FALSE(host.Font(sheet1, "B900").italic);
  WorksheetRef("Sheet1")->Range("5:5")->Font()->Bold(true);
  EXPECT_EQ(host.Font(sheet1, "B5").size, 9);
  EXPECT_TRUE(host.Font(sheet1, "B5").bold);
  EXPECT_EQ(host.Font(sheet1, "C5").size, 11);
  host::Ref<host::Font> font = RangeRef("Sheet1", "A1")->Font();
  font->Bold(true);
  EXPECT_THAT([&] { font->Size(0.5); }, RaisesHostError(1004, "Unable to set the Size property of the Font class"));
  EXPECT_THAT([&] { font->Size(410); }, RaisesHostError(1004));
  font->Size(409);
  EXPECT_TRUE(host.Font(sheet1, "A1").bold);
  EXPECT_EQ(host.Font(sheet1, "A1").size, 409);
  EXPECT_FALSE(host.Font(sheet1, "A2").bold);
  EXPECT_EQ(host.Font(sheet1, "A2").size, 11);
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { WorksheetRef("Sheet1")->Cells()->Font()->Name("Arial"); },
              RaisesHostError(1004, "Unable to set the Name property of the Font class"));
  EXPECT_THAT([&] { font->Bold(false); }, RaisesHostError(1004, "Unable to set the Bold property of the Font class"));
  EXPECT_EQ(host.Font(sheet1, "A1").name, "Calibri");
}

// A1:C3 hold "v", D1 a formula, A1:D4 are bold; links on B2 and E5,
// comments on C3 and F6.
class RangeClear : public WorkbookTest {
 protected:
  RangeClear() {
    host.SetValue(sheet1, "A1:C3", "v");
    host.SetFormula(sheet1, "D1", "=1", 1.0);
    model::Font bold;
    bold.bold = true;
    host.SetFont(sheet1, "A1:D4", bold);
    host.AddHyperlink(sheet1, "B2", "", "Sheet2!A1");
    host.AddHyperlink(sheet1, "E5", "http://example.com/");
    host.AddComment(sheet1, "C3", "note");
    host.AddComment(sheet1, "F6", "kept");
  }
};

TEST_F(RangeClear, ClearsValuesFormulasFormatsHyperlinksAndCommentsOfTheRangeButNoPartOfAnArrayNorOnAProtectedSheet) {
  host.SetArrayFormula(sheet1, "H1:H2", "{=A1:A2}", 1.0);
  EXPECT_THAT([&] { RangeRef("Sheet1", "H2:I2")->Clear(); },
              RaisesHostError(1004, "You cannot change part of an array."));
  RangeRef("Sheet1", "H:H")->Clear();
  EXPECT_TRUE(sheet1.grid().arrays.empty());
  EXPECT_FALSE(host.Formula(sheet1, "H1"));
  RangeRef("Sheet1", "A1:D3")->Clear();
  EXPECT_TRUE(host.Value(sheet1, "B2").IsEmpty());
  EXPECT_FALSE(host.Formula(sheet1, "D1"));
  EXPECT_FALSE(host.Font(sheet1, "A1").bold);
  EXPECT_TRUE(host.Font(sheet1, "A4").bold);
  ASSERT_EQ(sheet1.hyperlinks().size(), 1u);
  EXPECT_EQ(sheet1.hyperlinks().front().address, "http://example.com/");
  EXPECT_FALSE(host.FindComment(sheet1, "C3"));
  EXPECT_TRUE(host.FindComment(sheet1, "F6"));
  EXPECT_THAT(host.ShapeNames(sheet1), ElementsAre("Comment 2"));
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A4")->Clear(); }, RaisesHostError(1004, "Clear method of Range class failed"));
  EXPECT_TRUE(host.Font(sheet1, "A4").bold);
}

TEST_F(RangeClear, ALargeAreaClearsWhenNoRowOrColumnIsFormattedAndTheWholeSheetLeavesNothingButSizes) {
  host.SetColumnWidth(sheet1, 2, 20);
  RangeRef("Sheet1", "A1:Q1048575")->Clear();
  EXPECT_TRUE(host.Value(sheet1, "A1").IsEmpty());
  host.SetRowHeight(sheet1, 2, 30);
  WorksheetRef("Sheet1")->Cells()->Font()->Size(14);
  WorksheetRef("Sheet1")->Cells()->Clear();
  EXPECT_EQ(sheet1.grid().CellCount(), 0u);
  EXPECT_TRUE(sheet1.hyperlinks().empty());
  EXPECT_TRUE(sheet1.comments().empty());
  EXPECT_TRUE(sheet1.shapes().empty());
  EXPECT_EQ(host.Font(sheet1, "XFD1048576").size, 11);
  EXPECT_FALSE(host.Font(sheet1, "XFD1048576").bold);
  EXPECT_EQ(sheet1.grid().rows.at(2).height, 30);
  EXPECT_EQ(sheet1.grid().columns.Find(2)->width, 20);
}

TEST_F(RangeClear, ClearedCellsOfFormattedRowsAndColumnsTakeTheDefault) {
  WorksheetRef("Sheet1")->Range("7:7")->Font()->Italic(true);
  WorksheetRef("Sheet1")->Range("H:H")->Font()->Italic(true);
  host.SetRowHeight(sheet1, 20, 30);
  RangeRef("Sheet1", "A:B")->Clear();
  EXPECT_FALSE(sheet1.grid().Find({20, 1}));
  EXPECT_FALSE(host.Font(sheet1, "A7").italic);
  EXPECT_TRUE(host.Font(sheet1, "C7").italic);
  EXPECT_FALSE(host.Font(sheet1, "B1").bold);
  EXPECT_TRUE(host.Font(sheet1, "C1").bold);
  RangeRef("Sheet1", "F7:G7")->Clear();
  RangeRef("Sheet1", "H9:H10")->Clear();
  EXPECT_FALSE(host.Font(sheet1, "G7").italic);
  EXPECT_TRUE(host.Font(sheet1, "E7").italic);
  EXPECT_FALSE(host.Font(sheet1, "H10").italic);
  EXPECT_TRUE(host.Font(sheet1, "H11").italic);
}

class Addresses : public WorkbookTest {
 protected:
  // The external address of A1 on the third sheet, named `sheetName`.
  std::string External(const std::string& sheetName) {
    book.sheets[2]->name = sheetName;
    return As<host::Worksheet>(ActiveWorkbook()->Sheets()->Item(3))->Range("A1")->Address(true);
  }
};

TEST_F(Addresses, LocalFormsAreAbsoluteAndTheExternalFormNamesBookAndSheetQuotingBothWhenEitherNeedsIt) {
  EXPECT_EQ(RangeRef("Sheet1", "a1")->Address(), "$A$1");
  EXPECT_EQ(RangeRef("Sheet1", "C4:B2")->Address(), "$B$2:$C$4");
  EXPECT_EQ(RangeRef("Sheet1", "A1:B2,D4")->Address(), "$A$1:$B$2,$D$4");
  EXPECT_EQ(RangeRef("Sheet1", "AA:Z")->Address(), "$Z:$AA");
  EXPECT_EQ(RangeRef("Sheet1", "5:3")->Address(), "$3:$5");
  EXPECT_EQ(WorksheetRef("Sheet1")->Cells()->Address(), "$1:$1048576");
  EXPECT_EQ(RangeRef("Sheet1", "XFD1048576")->Address(), "$XFD$1048576");
  EXPECT_EQ(RangeRef("Sheet1", "A1,B2")->Address(true), "[Book1.xlsx]Sheet1!$A$1,[Book1.xlsx]Sheet1!$B$2");
  book.name = "My Book's.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "'[My Book''s.xlsx]Sheet1'!$B$2");
  book.name = "work_book.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "[work_book.xlsx]Sheet1!$B$2");
}

TEST_F(Addresses, OnlyOtherCharactersLeadingDigitsDotsOrEmojiAndCellReferencesNeedQuotesInASheetName) {
  for (std::string name : {"Data", "Sheet.1", "Sheet_1", "_Sheet1", "\u00c9cole1", "\u65e5\u672c\u8a9e", "Rabbit",
                           "XFE1", "A0", "R0C0", "AAAA1", "Sheet\U0001F600", "C16385x", "R1048577x", "R10485760"}) {
    EXPECT_EQ(External(name), "[Book1.xlsx]" + name + "!$A$1") << name;
  }
  for (std::string name :
       {"Sheet 1", "Sheet1 ", "Sheet-7", "S&P", "1Sheet", ".Sheet", "\U0001F600Sheet", "A1", "xfd1048576", "AZ12",
        "C16384x", "R", "c", "RC", "R1C1", "R2D2", "C3PO", "RC12x", "R1048576x"}) {
    EXPECT_EQ(External(name), "'[Book1.xlsx]" + name + "'!$A$1") << name;
  }
  EXPECT_EQ(External("Sheet'1"), "'[Book1.xlsx]Sheet''1'!$A$1");
  EXPECT_EQ(External("S'heet'2"), "'[Book1.xlsx]S''heet''2'!$A$1");
}

class GoTo : public WorkbookTest {
 protected:
  void SetUp() override {
    book.sheets[2]->name = "My sheet";
    host.AddSheet(book, "Bob's, Data");
  }
};

TEST_F(GoTo, SelectsOnTheSheetTheReferenceNames) {
  // The reference and active cell given, then the sheet, selection and active cell gone to.
  for (const auto& [reference, activeCell, selected] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"A1:B2,D4", "", "Sheet1 $A$1:$B$2,$D$4 $A$1"},
           {"sheet1!C3:A1", "Sheet1!B2", "Sheet1 $A$1:$C$3 $B$2"},
           {"'My sheet'!A1", "", "My sheet $A$1 $A$1"},
           {"'Bob''s, Data'!A1:B2,'Bob''s, Data'!$D$4", "D4", "Bob's, Data $A$1:$B$2,$D$4 $D$4"},
           {"'My sheet'!C:D", "'my sheet'!D7", "My sheet $C:$D $D$7"},
           {"Sheet2!B2,C3", "C3", "Sheet2 $B$2,$C$3 $C$3"},
       }) {
    host.Activate(sheet1);
    host.GoTo(reference, activeCell);
    const model::Sheet& active = host.ActiveSheet();
    EXPECT_EQ(active.name + " " + AreasAddress(active.selection().areas) + " " +
                  AreaAddress(model::CellRect::Of(active.selection().activeCell)),
              selected);
  }
}

TEST_F(GoTo, ABadReferenceIsToldAndChangesNothing) {
  for (const auto& [reference, activeCell, error] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"", "", "not a cell reference: \"\""},
           {"A1:", "", "not a cell reference: \"A1:\""},
           {"A1,", "", "not a cell reference: \"A1,\""},
           {"Sheet2!", "", "not a cell reference: \"Sheet2!\""},
           {"!A1", "", "not a cell reference: \"!A1\""},
           {"'My sheet!A1", "", "not a cell reference: \"'My sheet!A1\""},
           {"'My sheet'A1", "", "not a cell reference: \"'My sheet'A1\""},
           {"Nowhere!A1", "", "no sheet named Nowhere"},
           {"Sheet2!A1,'My sheet'!B2", "", "the areas lie on different sheets: \"Sheet2!A1,'My sheet'!B2\""},
           {"Sheet2!A1:B2", "A1:B2", "not a single cell: \"A1:B2\""},
           {"Sheet2!A1:B2", "Sheet2!C3", "the active cell lies outside the selection"},
           {"Sheet2!A1:B2", "Sheet1!B2", "the active cell lies outside the selection"},
       }) {
    SCOPED_TRACE(reference);
    host.GoTo("B5");
    EXPECT_THAT([&] { host.GoTo(reference, activeCell); }, ThrowsMessage<std::invalid_argument>(error));
    EXPECT_EQ(host.ActiveSheet().name, "Sheet1");
    EXPECT_EQ(AreasAddress(sheet1.selection().areas), "$B$5");
  }
}

TEST(NumberFormats, DateCodesOutsideQuotesAndBracketsMakeADate) {
  for (const char* date : {"m/d/yyyy", "d-mmm-yy", "h:mm AM/PM", "[h]:mm:ss", "[h]", "[SS]",
                           "[$-409]dddd, mmmm dd, yyyy", "yyyy-mm-dd;@"}) {
    EXPECT_TRUE(IsDateFormat(date)) << date;
  }
  for (const char* other :
       {"General", "0.00", "#,##0 \"days\"", "[Red]0.00", "0.00E+00", "\\d0", "@", "_-* #,##0", "0;\"m\""}) {
    EXPECT_FALSE(IsDateFormat(other)) << other;
  }
}

}  // namespace
}  // namespace tabulara::embedded
