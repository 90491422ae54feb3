#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;

TEST(DrawingInterop, OpenpyxlSeesThePicturesGoAfterClearShapes) {
  TABULARA_OPEN_CORPUS(book, "excel_drawing_pictures_shape.xlsx");
  auto before = RunOpenpyxl("drawing_listing.py", bookFile);
  if (!before) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  if (!PythonHas("PIL")) GTEST_SKIP() << "Pillow (python3-pil) is not installed: openpyxl reads no pictures without it";
  // openpyxl reads the JPEG and PNG pictures and drops the metafiles.
  EXPECT_EQ(*before, "Sheet1|images=2|charts=0\nSheet2|images=0|charts=0\nSheet3|images=0|charts=0\n");
  std::erase_if(book.workbook().sheets.front()->shapes,
                [](const Shape& shape) { return shape.kind != ShapeKind::CommentBox; });
  TempFile saved("interop-clear-shapes.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(RunOpenpyxl("drawing_listing.py", saved.path()),
            "Sheet1|images=0|charts=0\nSheet2|images=0|charts=0\nSheet3|images=0|charts=0\n");
}

TEST(DrawingInterop, OpenpyxlOpensAWorkbookWithSpotterLines) {
  TABULARA_OPEN_CORPUS(book, "excelmac_shapes_connector_svg.xlsx");
  auto before = RunOpenpyxl("drawing_listing.py", bookFile);
  if (!before) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  embedded::model::Sheet& sheet = *book.workbook().sheets.front();
  for (int i = 1; i <= 4; ++i) {
    embedded::AddLine(sheet, 0, 15.0 * i, 480000, 15.0 * i).name = "Quorv@elLine" + std::to_string(i);
  }
  TempFile saved("interop-spotter.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(RunOpenpyxl("drawing_listing.py", saved.path()), *before);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
