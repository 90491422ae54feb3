#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "host/constants.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;

int CountKind(const std::vector<Shape>& shapes, ShapeKind kind) {
  int count = 0;
  for (const Shape& shape : shapes) {
    count += shape.kind == kind ? 1 : 0;
    count += CountKind(shape.members, kind);
  }
  return count;
}

TEST(DrawingRead, GroupWithRectanglesAndElbowConnector) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_connector_group.xlsx");
  const auto& shapes = book.workbook().sheets.front()->shapes;
  ASSERT_EQ(shapes.size(), 1u);
  const Shape& group = shapes.front();
  EXPECT_EQ(group.kind, ShapeKind::Group);
  EXPECT_EQ(group.name, "Group 5");
  EXPECT_EQ(group.id, 6u);
  // From column C plus 209550 EMU, row 2 plus 142875 EMU, at 48 by 15 points a cell.
  EXPECT_DOUBLE_EQ(group.left, 96 + 16.5);
  EXPECT_DOUBLE_EQ(group.top, 15 + 11.25);
  ASSERT_EQ(group.members.size(), 3u);
  EXPECT_EQ(group.members[0].name, "Rectangle 1");
  EXPECT_EQ(group.members[0].kind, ShapeKind::AutoShape);
  EXPECT_EQ(group.members[0].autoShapeType, host::msoShapeRectangle);
  EXPECT_DOUBLE_EQ(group.members[0].left, group.left);
  EXPECT_DOUBLE_EQ(group.members[0].width, 105);
  EXPECT_EQ(group.members[2].name, "Elbow Connector 4");
  EXPECT_EQ(group.members[2].kind, ShapeKind::Line);
  EXPECT_DOUBLE_EQ(group.members[2].width, 485775 / 12700.0);
  EXPECT_GT(book.workbook().sheets.front()->nextShapeId, 6u);
}

TEST(DrawingRead, PicturesAndTextBoxInTwoAnchorKinds) {
  TABULARA_OPEN_CORPUS(book, "excel_drawing_pictures_shape.xlsx");
  const auto& shapes = book.workbook().sheets.front()->shapes;
  EXPECT_EQ(CountKind(shapes, ShapeKind::Picture), 5);
  EXPECT_EQ(CountKind(shapes, ShapeKind::TextBox), 1);
  for (const Shape& shape : shapes) {
    EXPECT_GT(shape.width, 0) << shape.name;
    EXPECT_GT(shape.height, 0) << shape.name;
    EXPECT_TRUE(shape.printObject) << shape.name;
  }
}

TEST(DrawingRead, SmartArtIsAGraphicFrameAmongTextBoxesAndStar) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_smartart.xlsx");
  const auto& shapes = book.workbook().sheets.front()->shapes;
  EXPECT_EQ(CountKind(shapes, ShapeKind::Chart), 1);
  EXPECT_GE(CountKind(shapes, ShapeKind::TextBox), 1);
  bool star = false;
  for (const Shape& shape : shapes) star = star || shape.autoShapeType == 92;
  EXPECT_TRUE(star);
}

TEST(DrawingRead, ArrowConnectorIsALineWithItsFormat) {
  TABULARA_OPEN_CORPUS(book, "excelmac_shapes_connector_svg.xlsx");
  const auto& shapes = book.workbook().sheets.front()->shapes;
  EXPECT_EQ(CountKind(shapes, ShapeKind::Line), 1);
  EXPECT_EQ(CountKind(shapes, ShapeKind::Picture), 2);
  EXPECT_EQ(CountKind(shapes, ShapeKind::TextBox), 1);
  bool rounded = false;
  for (const Shape& shape : shapes) rounded = rounded || shape.autoShapeType == host::msoShapeRoundedRectangle;
  EXPECT_TRUE(rounded);
}

TEST(DrawingRead, LibreOfficeGroupsHoldTheirPictures) {
  TABULARA_OPEN_CORPUS(book, "libreoffice_grouped_images.xlsx");
  const auto& shapes = book.workbook().sheets.front()->shapes;
  EXPECT_EQ(CountKind(shapes, ShapeKind::Group), 2);
  EXPECT_EQ(CountKind(shapes, ShapeKind::Picture), 5);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
