#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class CellGeometry : public WorkbookTest {
 protected:
  struct Box {
    double left, top, width, height;
  };
  Box Of(const std::string& reference) {
    host::Ref<host::Range> range = RangeRef("Sheet1", reference);
    return {range->Left(), range->Top(), range->Width(), range->Height()};
  }
};

TEST_F(CellGeometry, DefaultCellsAre48By15Points) {
  Box a1 = Of("A1");
  EXPECT_DOUBLE_EQ(a1.left, 0);
  EXPECT_DOUBLE_EQ(a1.top, 0);
  EXPECT_DOUBLE_EQ(a1.width, 48);
  EXPECT_DOUBLE_EQ(a1.height, 15);
  Box c4 = Of("C4");
  EXPECT_DOUBLE_EQ(c4.left, 96);
  EXPECT_DOUBLE_EQ(c4.top, 45);
}

TEST_F(CellGeometry, CustomSizesCountInWholePixels) {
  // 20 digits wide with padding: 145 pixels, 108.75 points.
  host.SetColumnWidth(sheet1, 1, 20.7109375);
  host.SetRowHeight(sheet1, 2, 30);
  Box b3 = Of("B3");
  EXPECT_DOUBLE_EQ(b3.left, 108.75);
  EXPECT_DOUBLE_EQ(b3.top, 45);
  EXPECT_DOUBLE_EQ(Of("A1").width, 108.75);
}

TEST_F(CellGeometry, HiddenRowsAndColumnsTakeNoSpace) {
  host.HideColumn(sheet1, 2);
  host.HideRow(sheet1, 1);
  EXPECT_DOUBLE_EQ(Of("C2").left, 48);
  EXPECT_DOUBLE_EQ(Of("C2").top, 0);
  EXPECT_DOUBLE_EQ(Of("B1").width, 0);
  EXPECT_DOUBLE_EQ(Of("B1").height, 0);
}

TEST_F(CellGeometry, AreasSpanTheirRowsAndColumns) {
  Box area = Of("B2:D5,A1");
  EXPECT_DOUBLE_EQ(area.left, 48);
  EXPECT_DOUBLE_EQ(area.width, 144);
  EXPECT_DOUBLE_EQ(area.height, 60);
  EXPECT_DOUBLE_EQ(WorksheetRef("Sheet1")->Cells()->Width(), 16384 * 48.0);
}

}  // namespace
}  // namespace tabulara::embedded
