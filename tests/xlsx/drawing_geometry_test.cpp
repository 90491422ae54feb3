#include <gtest/gtest.h>

#include "host/constants.h"
#include "xlsx/drawing/anchor_geometry.h"
#include "xlsx/drawing/line_format_xml.h"
#include "xlsx/drawing/preset_shapes.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

TEST(DrawingGeometry, MarkersSkipHiddenColumnsAndTallRows) {
  embedded::model::Workbook workbook;
  embedded::model::Grid grid;
  grid.columns.Change(1, 1, {}, [](embedded::model::Column& column) { column.hidden = true; });
  grid.rows[2].height = 30;
  CellMarker marker = MarkerAt(workbook, grid, 60, 50);
  // Column A is hidden, B is 48 points wide: 60 points is 12 into column C.
  EXPECT_EQ(marker.column, 2);
  EXPECT_EQ(marker.columnOffset, 12 * 12700);
  // Row 1 is 15 points, row 2 is 30: 50 points is 5 into row 3.
  EXPECT_EQ(marker.row, 2);
  EXPECT_EQ(marker.rowOffset, 5 * 12700);
  double x = 0;
  double y = 0;
  MarkerPoints(workbook, grid, marker, x, y);
  EXPECT_DOUBLE_EQ(x, 60);
  EXPECT_DOUBLE_EQ(y, 50);
}

TEST(DrawingGeometry, SchemeColoursFollowTheDefaultPalette) {
  EXPECT_EQ(SchemeColorRgb(10), 0x0000FF);
  EXPECT_EQ(SchemeColorRgb(8), 0x000000);
  EXPECT_EQ(SchemeColorRgb(12), 0xFF0000);
  EXPECT_EQ(SchemeColorRgb(2), 0x0000FF);
  EXPECT_EQ(SchemeColorRgb(64), -1);
}

TEST(DrawingGeometry, CommentStylesHavePresetGeometries) {
  const std::pair<int, const char*> styles[] = {
      {host::msoShapeRoundedRectangle, "roundRect"}, {host::msoShapeOctagon, "octagon"},
      {host::msoShapeCross, "plus"},                 {host::msoShapePlaque, "plaque"},
      {host::msoShapeHeart, "heart"},                {host::msoShape24pointStar, "star24"},
      {host::msoShapeFlowchartMultidocument, "flowChartMultidocument"},
      {host::msoShapeWave, "wave"},                  {host::msoShapeFoldedCorner, "foldedCorner"},
      {host::msoShapeDoubleWave, "doubleWave"}};
  for (const auto& [type, preset] : styles) {
    EXPECT_EQ(PresetOfAutoShapeType(type), preset);
    EXPECT_EQ(AutoShapeTypeOfPreset(preset), type);
  }
  EXPECT_EQ(AutoShapeTypeOfPreset("line"), std::nullopt);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
