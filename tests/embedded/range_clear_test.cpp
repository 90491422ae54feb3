#include <string>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

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

TEST_F(RangeClear, ClearingColumnsGivesFormattedRowsTheDefaultThere) {
  WorksheetRef("Sheet1")->Range("7:7")->Font()->Italic(true);
  RangeRef("Sheet1", "A:B")->Clear();
  EXPECT_FALSE(host.Font(sheet1, "A7").italic);
  EXPECT_TRUE(host.Font(sheet1, "C7").italic);
  EXPECT_FALSE(host.Font(sheet1, "B1").bold);
  EXPECT_TRUE(host.Font(sheet1, "C1").bold);
}

TEST_F(RangeClear, AProtectedSheetRefusesClearing) {
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Clear(); }, RaisesHostError(1004, "Clear method of Range class failed"));
  EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant("v"));
}

TEST_F(RangeClear, PartOfAnArrayCannotBeCleared) {
  host.SetArrayFormula(sheet1, "H1:H2", "{=A1:A2}", 1.0);
  EXPECT_THAT([&] { RangeRef("Sheet1", "H2:I2")->Clear(); },
              RaisesHostError(1004, "You cannot change part of an array."));
  RangeRef("Sheet1", "H:H")->Clear();
  EXPECT_TRUE(sheet1.grid.arrays.empty());
  EXPECT_FALSE(host.Formula(sheet1, "H1"));
}

}  // namespace
}  // namespace tabulara::embedded
