#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"
#include "host/constants.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;
using embedded::model::Sheet;

const char* const kDrawingFiles[] = {"excel_drawing_pictures_shape.xlsx", "excel_shapes_connector_group.xlsx",
                                     "excel_shapes_smartart.xlsx", "excelmac_shapes_connector_svg.xlsx",
                                     "libreoffice_grouped_images.xlsx"};

// The Cell Spotter's four lines around a cell at (left, top) of the given size.
void AddSpotterLines(Sheet& sheet, double left, double top, double width, double height) {
  const double lines[4][4] = {{0, top, width * 10000, top},
                              {0, top + height, width * 10000, top + height},
                              {left, 0, left, height * 70000},
                              {left + width, 0, left + width, height * 70000}};
  for (int i = 0; i < 4; ++i) {
    Shape& line = embedded::AddLine(sheet, lines[i][0], lines[i][1], lines[i][2], lines[i][3]);
    line.name = "Quorv@elLine" + std::to_string(i + 1);
    line.printObject = false;
    line.line.weight = 1.5f;
    line.line.dashStyle = host::msoLineSolid;
    line.line.style = host::msoLineSingle;
    line.line.foreColor.schemeColor = 10;
  }
}

// Clear Shapes: every drawing object except the comment boxes.
void ClearShapes(Sheet& sheet) {
  std::erase_if(sheet.shapes, [](const Shape& shape) { return shape.kind != ShapeKind::CommentBox; });
}

TEST(DrawingWrite, UnchangedFilesAreWrittenBackByteForByte) {
  for (const char* name : kDrawingFiles) {
    std::filesystem::path file = CorpusFile(name);
    if (file.empty()) GTEST_SKIP() << "corpus file " << name << " is not there";
    AspectHarness book(file);
    TempFile saved(std::string("unchanged-") + name);
    book.Save(saved.path());
    EXPECT_TRUE(DifferingParts(file, saved.path()).empty()) << name;
  }
}

TEST(DrawingWrite, ClearShapesRemovesTheDrawingPartWithItsLinks) {
  TABULARA_OPEN_CORPUS(book, "excel_drawing_pictures_shape.xlsx");
  ClearShapes(*book.workbook().sheets.front());
  TempFile saved("clear-shapes.xlsx");
  book.Save(saved.path());

  std::set<std::string> expected{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                 "xl/worksheets/_rels/sheet1.xml.rels", "xl/drawings/drawing1.xml",
                                 "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.jpeg",
                                 "xl/media/image2.emf", "xl/media/image3.png", "xl/media/image4.emf",
                                 "xl/media/image5.wmf"};
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), expected);
  std::string sheet = PartOf(saved.path(), "xl/worksheets/sheet1.xml");
  EXPECT_EQ(sheet.find("<drawing"), std::string::npos);
  EXPECT_EQ(PartOf(saved.path(), "[Content_Types].xml").find("drawing1.xml"), std::string::npos);

  AspectHarness reopened(saved.path());
  EXPECT_TRUE(reopened.workbook().sheets.front()->shapes.empty());
}

TEST(DrawingWrite, ClearShapesOnSmartArtAlsoDropsTheDiagramParts) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_smartart.xlsx");
  ClearShapes(*book.workbook().sheets.front());
  TempFile saved("clear-smartart.xlsx");
  book.Save(saved.path());
  std::set<std::string> differing = DifferingParts(bookFile, saved.path());
  EXPECT_TRUE(differing.contains("xl/diagrams/data1.xml"));
  Package package = Package::Open(saved.path());
  EXPECT_FALSE(package.Has("xl/diagrams/data1.xml"));
  EXPECT_FALSE(package.Has("xl/drawings/drawing1.xml"));
  EXPECT_EQ(PartOf(saved.path(), "[Content_Types].xml").find("diagrams/data1.xml"), std::string::npos);
}

TEST(DrawingWrite, DeletingOneShapeKeepsTheOthersAsTheyWere) {
  TABULARA_OPEN_CORPUS(book, "excelmac_shapes_connector_svg.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  std::string original = PartOf(bookFile, "xl/drawings/drawing1.xml");
  std::erase_if(sheet.shapes, [](const Shape& shape) { return shape.name == "Straight Arrow Connector 6"; });
  TempFile saved("delete-one.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), std::set<std::string>{"xl/drawings/drawing1.xml"});
  std::string drawing = PartOf(saved.path(), "xl/drawings/drawing1.xml");
  EXPECT_EQ(drawing.find("Straight Arrow Connector 6"), std::string::npos);
  auto picture = original.find("<xdr:twoCellAnchor", original.find("Graphic 9") - 900);
  std::string pictureAnchor = original.substr(picture, original.find("</xdr:twoCellAnchor>", picture) - picture);
  EXPECT_NE(drawing.find(pictureAnchor), std::string::npos);

  AspectHarness reopened(saved.path());
  EXPECT_EQ(reopened.workbook().sheets.front()->shapes.size(), sheet.shapes.size());
}

TEST(DrawingWrite, ADeletedPictureTakesItsImageAndLinkAlong) {
  TABULARA_OPEN_CORPUS(book, "excel_drawing_pictures_shape.xlsx");
  std::erase_if(book.workbook().sheets.front()->shapes, [](const Shape& shape) { return shape.name == "Picture 4"; });
  TempFile saved("delete-picture.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(DifferingParts(bookFile, saved.path()),
            (std::set<std::string>{"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels",
                                   "xl/media/image3.png"}));
  EXPECT_EQ(PartOf(saved.path(), "xl/drawings/_rels/drawing1.xml.rels").find("image3.png"), std::string::npos);
}

TEST(DrawingWrite, SpotterLinesGetANewDrawingPartInTheWorksheetOrder) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  Sheet& sheet = book.sheet("Sheet1");
  AddSpotterLines(sheet, 96, 45, 48, 15);
  TempFile saved("spotter.xlsx");
  book.Save(saved.path());

  std::set<std::string> expected{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                 "xl/worksheets/_rels/sheet1.xml.rels", "xl/drawings/drawing1.xml"};
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), expected);
  std::string worksheet = PartOf(saved.path(), "xl/worksheets/sheet1.xml");
  auto drawing = worksheet.find("<drawing r:id=");
  ASSERT_NE(drawing, std::string::npos);
  EXPECT_LT(worksheet.find("<headerFooter>"), drawing);
  EXPECT_LT(drawing, worksheet.find("<legacyDrawing"));
  EXPECT_NE(PartOf(saved.path(), "[Content_Types].xml").find("/xl/drawings/drawing1.xml"), std::string::npos);

  AspectHarness reopened(saved.path());
  std::vector<const Shape*> lines;
  for (const Shape& shape : reopened.sheet("Sheet1").shapes) {
    if (shape.kind == ShapeKind::Line) lines.push_back(&shape);
  }
  ASSERT_EQ(lines.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i]->name, "Quorv@elLine" + std::to_string(i + 1));
    EXPECT_FLOAT_EQ(lines[i]->line.weight, 1.5f);
    EXPECT_EQ(lines[i]->line.dashStyle, host::msoLineSolid);
    EXPECT_EQ(lines[i]->line.foreColor.rgb, 0x0000FF);
    EXPECT_FALSE(lines[i]->printObject);
  }
  EXPECT_NEAR(lines[0]->top, 45, 0.01);
  EXPECT_NEAR(lines[0]->width, 480000, 0.01);
  EXPECT_NEAR(lines[3]->left, 144, 0.01);
  EXPECT_NEAR(lines[3]->height, 1050000, 0.01);
  EXPECT_EQ(reopened.sheet("Sheet1").comments.size(), 3u);
}

TEST(DrawingWrite, SpotterLinesJoinAnExistingDrawingAndLeaveWhenDeleted) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_connector_group.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  std::string original = PartOf(bookFile, "xl/drawings/drawing1.xml");
  AddSpotterLines(sheet, 48, 15, 48, 15);
  TempFile withLines("with-lines.xlsx");
  book.Save(withLines.path());
  EXPECT_EQ(DifferingParts(bookFile, withLines.path()), std::set<std::string>{"xl/drawings/drawing1.xml"});
  std::string drawing = PartOf(withLines.path(), "xl/drawings/drawing1.xml");
  auto group = original.find("<xdr:twoCellAnchor>");
  EXPECT_NE(drawing.find(original.substr(group, original.find("</xdr:twoCellAnchor>") - group)), std::string::npos);
  EXPECT_EQ(drawing.find("id=\"6\" name=\"Quorv"), std::string::npos);

  std::erase_if(sheet.shapes, [](const Shape& shape) { return shape.name.starts_with("Quorv@elLine"); });
  TempFile cleared("cleared-lines.xlsx");
  book.Save(cleared.path());
  EXPECT_EQ(PartOf(cleared.path(), "xl/drawings/drawing1.xml").find("Quorv@elLine"), std::string::npos);
  AspectHarness reopened(cleared.path());
  EXPECT_EQ(reopened.workbook().sheets.front()->shapes.size(), 1u);
}

TEST(DrawingWrite, RenameAndPrintFlagAreEditedInPlace) {
  TABULARA_OPEN_CORPUS(book, "excelmac_shapes_connector_svg.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  for (Shape& shape : sheet.shapes) {
    if (shape.name == "Rounded Rectangle 3") {
      shape.name = "Renamed";
      shape.printObject = false;
      shape.autoShapeType = host::msoShapeHeart;
    }
  }
  TempFile saved("renamed.xlsx");
  book.Save(saved.path());
  AspectHarness reopened(saved.path());
  const Shape* renamed = nullptr;
  for (const Shape& shape : reopened.workbook().sheets.front()->shapes) {
    if (shape.name == "Renamed") renamed = &shape;
  }
  ASSERT_NE(renamed, nullptr);
  EXPECT_FALSE(renamed->printObject);
  EXPECT_EQ(renamed->autoShapeType, host::msoShapeHeart);
  EXPECT_EQ(reopened.workbook().sheets.front()->shapes.size(), sheet.shapes.size());
}

TEST(DrawingWrite, LineFormatOfAGroupMemberKeepsTheSchemaOrderOfItsLine) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_connector_group.xlsx");
  Shape& connector = book.workbook().sheets.front()->shapes.front().members[2];
  connector.line.weight = 2.25f;
  connector.line.dashStyle = 4;
  connector.line.foreColor.rgb = 0x00FF00;
  TempFile saved("connector-format.xlsx");
  book.Save(saved.path());
  EXPECT_NE(PartOf(saved.path(), "xl/drawings/drawing1.xml")
                .find("<a:ln w=\"28575\"><a:solidFill><a:srgbClr val=\"00FF00\"/></a:solidFill>"
                      "<a:prstDash val=\"dash\"/><a:tailEnd type=\"arrow\"/></a:ln>"),
            std::string::npos);
  AspectHarness reopened(saved.path());
  const Shape& again = reopened.workbook().sheets.front()->shapes.front().members[2];
  EXPECT_FLOAT_EQ(again.line.weight, 2.25f);
  EXPECT_EQ(again.line.dashStyle, 4);
  EXPECT_EQ(again.line.foreColor.rgb, 0x00FF00);
}

TEST(DrawingWrite, DeletedGroupMemberLeavesTheGroup) {
  TABULARA_OPEN_CORPUS(book, "excel_shapes_connector_group.xlsx");
  auto& members = book.workbook().sheets.front()->shapes.front().members;
  members.erase(members.begin() + 2);
  TempFile saved("member-deleted.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(PartOf(saved.path(), "xl/drawings/drawing1.xml").find("Elbow Connector 4"), std::string::npos);
  AspectHarness reopened(saved.path());
  ASSERT_EQ(reopened.workbook().sheets.front()->shapes.size(), 1u);
  EXPECT_EQ(reopened.workbook().sheets.front()->shapes.front().members.size(), 2u);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
