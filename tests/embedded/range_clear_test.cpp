#include <string>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class Fonts : public WorkbookTest {};

TEST_F(Fonts, TheWholeSheetChangesWithoutAnEntryPerCell) {
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
  EXPECT_EQ(sheet1.grid.CellCount(), 2u);
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("kept"));
}

TEST_F(Fonts, ColumnsAndRowsChangeThroughTheirFormats) {
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
}

TEST_F(Fonts, ARangeFontChangesItsCellsOnlyWithSizesFromOneTo409AndNotOnAProtectedSheet) {
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

TEST_F(RangeClear, ClearsValuesFormulasFormatsHyperlinksAndCommentsOfTheRange) {
  RangeRef("Sheet1", "A1:D3")->Clear();
  EXPECT_TRUE(host.Value(sheet1, "B2").IsEmpty());
  EXPECT_FALSE(host.Formula(sheet1, "D1"));
  EXPECT_FALSE(host.Font(sheet1, "A1").bold);
  EXPECT_TRUE(host.Font(sheet1, "A4").bold);
  ASSERT_EQ(sheet1.hyperlinks.size(), 1u);
  EXPECT_EQ(sheet1.hyperlinks.front().address, "http://example.com/");
  EXPECT_FALSE(host.FindComment(sheet1, "C3"));
  EXPECT_TRUE(host.FindComment(sheet1, "F6"));
  EXPECT_THAT(host.ShapeNames(sheet1), ::testing::ElementsAre("Comment 2"));
}

TEST_F(RangeClear, ClearingTheWholeSheetLeavesNothingButSizes) {
  host.SetRowHeight(sheet1, 2, 30);
  host.SetColumnWidth(sheet1, 2, 20);
  WorksheetRef("Sheet1")->Cells()->Font()->Size(14);
  WorksheetRef("Sheet1")->Cells()->Clear();
  EXPECT_EQ(sheet1.grid.CellCount(), 0u);
  EXPECT_TRUE(sheet1.hyperlinks.empty());
  EXPECT_TRUE(sheet1.comments.empty());
  EXPECT_TRUE(sheet1.shapes.empty());
  EXPECT_EQ(host.Font(sheet1, "XFD1048576").size, 11);
  EXPECT_EQ(sheet1.grid.rows.at(2).height, 30);
  EXPECT_EQ(sheet1.grid.columns.Find(2)->width, 20);
}

TEST_F(RangeClear, ClearedCellsOfFormattedRowsAndColumnsTakeTheDefault) {
  WorksheetRef("Sheet1")->Range("7:7")->Font()->Italic(true);
  WorksheetRef("Sheet1")->Range("H:H")->Font()->Italic(true);
  RangeRef("Sheet1", "A:B")->Clear();
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

TEST_F(RangeClear, ALargeAreaClearsWhenNoRowOrColumnIsFormatted) {
  host.SetColumnWidth(sheet1, 2, 20);
  RangeRef("Sheet1", "A1:Q1048575")->Clear();
  EXPECT_TRUE(host.Value(sheet1, "A1").IsEmpty());
  EXPECT_EQ(sheet1.grid.columns.Find(2)->width, 20);
}

TEST_F(RangeClear, AProtectedSheetOrPartOfAnArrayRefusesClearing) {
  host.SetArrayFormula(sheet1, "H1:H2", "{=A1:A2}", 1.0);
  EXPECT_THAT([&] { RangeRef("Sheet1", "H2:I2")->Clear(); },
              RaisesHostError(1004, "You cannot change part of an array."));
  RangeRef("Sheet1", "H:H")->Clear();
  EXPECT_TRUE(sheet1.grid.arrays.empty());
  EXPECT_FALSE(host.Formula(sheet1, "H1"));
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Clear(); }, RaisesHostError(1004, "Clear method of Range class failed"));
  EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant("v"));
}

}  // namespace
}  // namespace tabulara::embedded
