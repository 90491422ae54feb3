#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <array>
#include <tuple>

#include "embedded/rules/drawing.h"
#include "host/constants.h"
#include "xlsx/drawing/anchor_geometry.h"
#include "xlsx/hyperlinks/hyperlink_location.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::Shape;
using embedded::model::ShapeKind;
using embedded::model::Sheet;

int CountKind(const std::vector<Shape>& shapes, ShapeKind kind) {
  int count = 0;
  for (const Shape& shape : shapes) count += (shape.kind == kind ? 1 : 0) + CountKind(shape.members, kind);
  return count;
}

Shape* Named(Sheet& sheet, const std::string& name) {
  for (Shape& shape : sheet.shapes()) {
    if (shape.name == name) return &shape;
  }
  return nullptr;
}

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
  std::erase_if(sheet.shapes(), [](const Shape& shape) { return shape.kind != ShapeKind::CommentBox; });
}

TEST(DrawingGeometry, MarkersSkipHiddenColumnsAndTallRows) {
  embedded::model::Workbook workbook;
  embedded::model::Grid grid;
  grid.columns.Change(1, 1, {}, [](embedded::model::Column& column) { column.hidden = true; });
  grid.rows[2].height = 30;
  const CellMarker marker = MarkerAt(workbook, grid, 60, 50);
  // Column A is hidden, B is 48 points wide: 60 points is 12 into column C.
  // Row 1 is 15 points, row 2 is 30: 50 points is 5 into row 3.
  EXPECT_EQ(std::tuple(marker.column, marker.columnOffset, marker.row, marker.rowOffset),
            std::tuple(2, 12 * 12700, 2, 5 * 12700));
}

using Drawing = CorpusTest;

TEST_F(Drawing, ShapesOfEveryKindAreRead) {
  const auto& group = Open("excel_shapes_connector_group.xlsx").sheets.front()->shapes().at(0);
  EXPECT_EQ(group.kind, ShapeKind::Group);
  // From column C plus 209550 EMU, row 2 plus 142875 EMU, at 48 by 15 points a cell.
  EXPECT_DOUBLE_EQ(group.left, 96 + 16.5);
  EXPECT_DOUBLE_EQ(group.top, 15 + 11.25);
  ASSERT_EQ(group.members.size(), 3u);
  EXPECT_EQ(group.members[0].autoShapeType, host::msoShapeRectangle);
  EXPECT_DOUBLE_EQ(group.members[0].left, group.left);
  EXPECT_DOUBLE_EQ(group.members[0].width, 105);
  EXPECT_EQ(group.members[2].kind, ShapeKind::Line);
  EXPECT_DOUBLE_EQ(group.members[2].width, 485775 / 12700.0);
  EXPECT_GT(file->workbook()->sheets.front()->nextShapeId(), 6u);

  const auto& grouped = Open("libreoffice_grouped_images.xlsx").sheets.front()->shapes();
  EXPECT_EQ(CountKind(grouped, ShapeKind::Group), 2);
  EXPECT_EQ(CountKind(grouped, ShapeKind::Picture), 5);
  const auto& smartArt = Open("excel_shapes_smartart.xlsx").sheets.front()->shapes();
  EXPECT_EQ(CountKind(smartArt, ShapeKind::Chart), 1);
  EXPECT_TRUE(std::ranges::any_of(smartArt, [](const Shape& shape) { return shape.autoShapeType == 92; }));
}

TEST_F(Drawing, ClearShapesRemovesTheDrawingPartsWithTheirLinksAndImages) {
  ClearShapes(*Open("excel_drawing_pictures_shape.xlsx").sheets.front());
  Save();
  EXPECT_EQ(Differing(), (std::set<std::string>{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                                "xl/worksheets/_rels/sheet1.xml.rels", "xl/drawings/drawing1.xml",
                                                "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.jpeg",
                                                "xl/media/image2.emf", "xl/media/image3.png", "xl/media/image4.emf",
                                                "xl/media/image5.wmf"}));
  ExpectNotIn("xl/worksheets/sheet1.xml", {"<drawing"});
  ExpectNotIn("[Content_Types].xml", {"drawing1.xml"});

  ClearShapes(*Open("excel_shapes_smartart.xlsx").sheets.front());
  Save();
  EXPECT_TRUE(Differing().contains("xl/diagrams/data1.xml"));
  EXPECT_FALSE(after.contains("xl/diagrams/data1.xml"));
  EXPECT_FALSE(after.contains("xl/drawings/drawing1.xml"));
  ExpectNotIn("[Content_Types].xml", {"diagrams/data1.xml"});
}

TEST_F(Drawing, DeletedRenamedAndReformattedShapesLeaveTheOthersAsTheyWere) {
  Sheet& sheet = *Open("excelmac_shapes_connector_svg.xlsx").sheets.front();
  std::erase_if(sheet.shapes(), [](const Shape& shape) { return shape.name == "Straight Arrow Connector 6"; });
  Shape& shape = *Named(sheet, "Rounded Rectangle 3");
  EXPECT_EQ(shape.autoShapeType, host::msoShapeRoundedRectangle);
  shape.name = "Renamed";
  shape.printObject = false;
  shape.autoShapeType = host::msoShapeHeart;
  Sheet& again = *Save().sheets.front();
  EXPECT_EQ(again.shapes().size(), sheet.shapes().size());
  ASSERT_NE(Named(again, "Renamed"), nullptr);
  EXPECT_FALSE(Named(again, "Renamed")->printObject);
  EXPECT_EQ(Named(again, "Renamed")->autoShapeType, host::msoShapeHeart);
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/drawing1.xml"});
  const std::string& old = before.at("xl/drawings/drawing1.xml");
  const std::string& drawing = after.at("xl/drawings/drawing1.xml");
  EXPECT_THAT(drawing, Not(HasSubstr("Straight Arrow Connector 6")));
  const auto picture = old.find("<xdr:twoCellAnchor", old.find("Graphic 9") - 900);
  EXPECT_THAT(drawing, HasSubstr(old.substr(picture, old.find("</xdr:twoCellAnchor>", picture) - picture)));

  std::erase_if(Open("excel_drawing_pictures_shape.xlsx").sheets.front()->shapes(),
                [](const Shape& shape) { return shape.name == "Picture 4"; });
  Save();
  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels",
                                                "xl/media/image3.png"}));
  ExpectNotIn("xl/drawings/_rels/drawing1.xml.rels", {"image3.png"});

  auto& members = Open("excel_shapes_connector_group.xlsx").sheets.front()->shapes().front().members;
  members.erase(members.begin() + 2);
  const auto& shapes = Save().sheets.front()->shapes();
  ExpectNotIn("xl/drawings/drawing1.xml", {"Elbow Connector 4"});
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(shapes.front().members.size(), 2u);
}

TEST_F(Drawing, SpotterLinesGetANewDrawingPartInTheWorksheetOrder) {
  AddSpotterLines(SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1"), 96, 45, 48, 15);
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(Differing(), (std::set<std::string>{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                                "xl/worksheets/_rels/sheet1.xml.rels", "xl/drawings/drawing1.xml"}));
  const std::string& worksheet = after.at("xl/worksheets/sheet1.xml");
  const auto drawing = worksheet.find("<drawing r:id=");
  ASSERT_NE(drawing, std::string::npos);
  EXPECT_LT(worksheet.find("<headerFooter>"), drawing);
  EXPECT_LT(drawing, worksheet.find("<legacyDrawing"));
  ExpectIn("[Content_Types].xml", {"/xl/drawings/drawing1.xml"});

  std::vector<const Shape*> lines;
  for (const Shape& shape : again.shapes()) {
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
  EXPECT_NEAR(lines[3]->left, 144, 0.01);

  // Around a cell 100 points wide and 409 high the lines run past the last
  // column and row: the file ends them at the sheet's edges.
  AddSpotterLines(SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1"), 0, 0, 100, 409);
  std::vector<Shape> clipped = SheetNamed(Save(), "Sheet1").shapes();
  std::erase_if(clipped, [](const Shape& shape) { return shape.kind != ShapeKind::Line; });
  const double sheetWidth = 16384 * 48.0;
  const double sheetHeight = 1048576 * 15.0;
  ASSERT_EQ(clipped.size(), 4u);
  EXPECT_EQ((std::array{clipped[1].top, clipped[1].width, clipped[3].left, clipped[3].height}),
            (std::array{409.0, sheetWidth, 100.0, sheetHeight}));
  ExpectIn("xl/drawings/drawing1.xml", {"<xdr:to><xdr:col>16383</xdr:col><xdr:colOff>609600</xdr:colOff>",
                                        "<xdr:row>1048575</xdr:row><xdr:rowOff>190500</xdr:rowOff></xdr:to>",
                                        "<a:ext cx=\"" + std::to_string(16384LL * 609600) + "\" cy=\"0\"/>"});
}

TEST_F(Drawing, SpotterLinesJoinAnExistingDrawingAndLeaveWhenDeletedAndGroupMembersTakeLineFormats) {
  Sheet& sheet = *Open("excel_shapes_connector_group.xlsx").sheets.front();
  AddSpotterLines(sheet, 48, 15, 48, 15);
  Save();
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/drawing1.xml"});
  const std::string& old = before.at("xl/drawings/drawing1.xml");
  const auto group = old.find("<xdr:twoCellAnchor>");
  EXPECT_THAT(after.at("xl/drawings/drawing1.xml"),
              HasSubstr(old.substr(group, old.find("</xdr:twoCellAnchor>") - group)));
  ExpectNotIn("xl/drawings/drawing1.xml", {"id=\"6\" name=\"Quorv"});

  std::erase_if(sheet.shapes(), [](const Shape& shape) { return shape.name.starts_with("Quorv@elLine"); });
  // A group member's new line format keeps the schema order of its line.
  Shape& connector = sheet.shapes().front().members[2];
  connector.line.weight = 2.25f;
  connector.line.dashStyle = 4;
  connector.line.foreColor.rgb = 0x00FF00;
  EXPECT_EQ(Save("cleared.xlsx").sheets.front()->shapes().size(), 1u);
  ExpectNotIn("xl/drawings/drawing1.xml", {"Quorv@elLine"});
  ExpectIn("xl/drawings/drawing1.xml", {"<a:ln w=\"28575\"><a:solidFill><a:srgbClr val=\"00FF00\"/></a:solidFill>"
                                        "<a:prstDash val=\"dash\"/><a:tailEnd type=\"arrow\"/></a:ln>"});
}

Shape& BoxOf(Sheet& sheet, CellAddress cell) {
  Shape* box = sheet.FindShape(sheet.comments().at(cell).shape);
  if (box == nullptr) throw std::logic_error("a comment without its box");
  return *box;
}

// What comment style 5 does to a comment: shown, made a heart, hidden again.
void MakeHeart(Sheet& sheet, CellAddress cell) {
  BoxOf(sheet, cell).autoShapeType = host::msoShapeHeart;
  BoxOf(sheet, cell).visible = false;
  sheet.comments().at(cell).visible = false;
}

using Comments = CorpusTest;

TEST_F(Comments, TextsAuthorsBoxesAndThreadsAreRead) {
  Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
  ASSERT_EQ(sheet.comments().size(), 3u);
  const auto& first = sheet.comments().at({5, 3});
  EXPECT_EQ(first.author, "Nick Burch");
  EXPECT_EQ(first.text, "Nick Burch:\nThis is a comment");
  EXPECT_FALSE(first.visible);
  EXPECT_EQ(sheet.comments().at({13, 3}).author, "Torchbox");
  const Shape& box = BoxOf(sheet, {5, 3});
  EXPECT_EQ(box.kind, embedded::model::ShapeKind::CommentBox);
  EXPECT_EQ(box.commentCell, (CellAddress{5, 3}));
  EXPECT_EQ(box.id, 1025u);
  EXPECT_EQ((std::array{box.left, box.top, box.width, box.height}), (std::array{166.5, 52.5, 103.5, 55.5}));
  EXPECT_EQ(box.autoShapeType, host::msoShapeRectangle);
  EXPECT_FALSE(box.visible);

  Sheet& threaded = *Open("excelmac_threaded_comments.xlsx").sheets.front();
  ASSERT_EQ(threaded.comments().size(), 1u);
  EXPECT_TRUE(threaded.comments().at({5, 5}).text.starts_with("[Threaded comment]"));
}

TEST_F(Comments, StylesAndShownBoxesChangeOnlyTheVmlDrawingAndSurviveAReopen) {
  for (const int style : {5, 6, 11, 28, 21, 95, 68, 103, 16, 104}) {
    SCOPED_TRACE(style);
    Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
    MakeHeart(sheet, {7, 3});
    BoxOf(sheet, {13, 3}).autoShapeType = style;
    sheet.comments().at({5, 3}).visible = true;
    BoxOf(sheet, {5, 3}).visible = true;
    Sheet& again = SheetNamed(Save(), "Sheet1");
    EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"});
    EXPECT_EQ(BoxOf(again, {13, 3}).autoShapeType, style);
    EXPECT_EQ(BoxOf(again, {7, 3}).autoShapeType, host::msoShapeHeart);
    EXPECT_FALSE(BoxOf(again, {7, 3}).visible);
    EXPECT_EQ(BoxOf(again, {5, 3}).autoShapeType, host::msoShapeRectangle);
  }
  ExpectIn("xl/drawings/vmlDrawing1.vml",
           {"id=\"_x0000_t74\"", "o:spt=\"74\"", "type=\"#_x0000_t74\"", "visibility:visible", "<x:Visible"});

  MakeHeart(*Open("excelmac_threaded_comments.xlsx").sheets.front(), {5, 5});
  Save();
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"}) << "the threaded comment's parts";
}

// A VML part whose elements bind their own prefixes, as openpyxl writes it:
// a new style's shape type and a new comment's box bind theirs too.
TEST_F(Comments, NewShapeTypesAndBoxesBindTheirPrefixesWhereTheRootDoesNot) {
  if (CorpusFile("excel_comments_hyperlinks_names.xlsx").empty()) GTEST_SKIP() << "the corpus is absent";
  Parts parts = PartsOf(CorpusFile("excel_comments_hyperlinks_names.xlsx"));
  std::string& vml = parts.at("xl/drawings/vmlDrawing1.vml");
  vml.replace(0, vml.find("<o:shapelayout"), "<xml>");
  const std::string bindings =
      " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\""
      " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"";
  for (const std::string tag : {"<o:shapelayout", "<v:shapetype", "<v:shape "}) {
    for (auto at = vml.find(tag); at != std::string::npos; at = vml.find(tag, at + 1)) {
      vml.insert(at + tag.size() - (tag.back() == ' ' ? 1 : 0), bindings);
    }
  }
  auto& workbook = OpenParts(parts);
  Sheet& sheet = SheetNamed(workbook, "Sheet1");
  BoxOf(sheet, {13, 3}).autoShapeType = host::msoShapeHeart;
  embedded::AddComment(workbook, sheet, {2, 2}, "new");
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(BoxOf(again, {13, 3}).autoShapeType, host::msoShapeHeart);
  EXPECT_EQ(again.comments().at({2, 2}).text, "new");
  pugi::xml_document saved;
  ASSERT_TRUE(saved.load_string(after.at("xl/drawings/vmlDrawing1.vml").c_str()));
  for (const pugi::xml_node& element : saved.document_element().children()) {
    EXPECT_TRUE(element.attribute("xmlns:v") && element.attribute("xmlns:o")) << element.name();
  }
}

TEST_F(Comments, ClearAllRemovesCommentsAndTheirParts) {
  Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
  while (!sheet.shapes().empty()) embedded::DeleteShape(sheet, sheet.shapes().front().id);
  EXPECT_TRUE(sheet.comments().empty());
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(Differing(), (std::set<std::string>{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                                "xl/worksheets/_rels/sheet1.xml.rels", "xl/comments1.xml",
                                                "xl/drawings/vmlDrawing1.vml"}));
  ExpectNotIn("xl/worksheets/sheet1.xml", {"legacyDrawing"});
  ExpectNotIn("[Content_Types].xml", {"comments1.xml"});
  EXPECT_TRUE(again.comments().empty());
  EXPECT_EQ(again.hyperlinks().size(), 4u);
}

TEST_F(Comments, DeletingAThreadedCommentTakesItsThreadAlong) {
  Sheet& sheet = *Open("excelmac_threaded_comments.xlsx").sheets.front();
  embedded::DeleteShape(sheet, sheet.comments().at({5, 5}).shape);
  EXPECT_TRUE(Save().sheets.front()->comments().empty());
  EXPECT_FALSE(after.contains("xl/threadedComments/threadedComment1.xml"));
  EXPECT_FALSE(after.contains("xl/comments1.xml"));
  EXPECT_TRUE(after.contains("xl/persons/person.xml"));
  if (after.contains("xl/worksheets/_rels/sheet1.xml.rels")) {
    ExpectNotIn("xl/worksheets/_rels/sheet1.xml.rels", {"threadedComment"});
  }
  ExpectNotIn("[Content_Types].xml", {"threadedComment1.xml"});
}

TEST_F(Comments, AnUnreadableVmlDrawingStillGivesTheCommentsAndIsKept) {
  Parts parts = PartsOf(CorpusFile("excel_comments_hyperlinks_names.xlsx"));
  parts["xl/drawings/vmlDrawing1.vml"] = "<xml><v:shape id=\"_x0000_s1025\">";
  Sheet& sheet = SheetNamed(OpenParts(parts), "Sheet1");
  ASSERT_EQ(sheet.comments().size(), 3u);
  MakeHeart(sheet, {5, 3});
  Save();
  EXPECT_THAT(Differing(), ::testing::IsEmpty());
}

TEST_F(Comments, ANewCommentGetsBothParts) {
  auto& linked = Open("excel_internal_hyperlinks.xlsx");
  embedded::AddComment(linked, *linked.sheets.front(), {2, 2}, "Noted");
  linked.sheets.front()->comments().at({2, 2}).author = "Tabulara";
  Sheet& again = *Save().sheets.front();
  ExpectIn("xl/worksheets/sheet1.xml", {"<legacyDrawing r:id="});
  ExpectIn("[Content_Types].xml", {"/xl/comments1.xml", "Extension=\"vml\""});
  ASSERT_EQ(again.comments().size(), 1u);
  EXPECT_EQ(again.comments().at({2, 2}).text, "Noted");
  EXPECT_EQ(again.comments().at({2, 2}).author, "Tabulara");
  EXPECT_FALSE(again.comments().at({2, 2}).visible);
  EXPECT_EQ(again.hyperlinks().size(), 5u);
}

TEST(HyperlinkLocation, ExternalFormOfTheSameWorkbookLosesItsBookName) {
  const std::pair<const char*, const char*> locations[] = {
      {"'My Sheet'!A1", "'My Sheet'!A1"},
      {"[Other.xlsx]Sheet1!$A$1", "[Other.xlsx]Sheet1!$A$1"},
  };
  for (const auto& [written, location] : locations) EXPECT_EQ(LocationOf(written, "Book1.xlsx"), location);
  EXPECT_EQ(LocationOf("'[Bob''s book.xlsx]Bob''s sheet'!$A$1", "Bob's book.xlsx"), "'Bob''s sheet'!$A$1");
}

using Hyperlinks = CorpusTest;

TEST_F(Hyperlinks, TargetsAreReadAndAChangedOrAddedLinkKeepsTheOthers) {
  auto& links = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1").hyperlinks();
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].anchor, CellRect::Of({4, 3}));
  EXPECT_TRUE(links[0].address.starts_with("http"));
  EXPECT_EQ(links[1].address, "");
  EXPECT_EQ(links[1].subAddress, "Sheet1!A2");
  EXPECT_EQ(links[2].address, "WithVariousData.xlsx");
  EXPECT_EQ(links[3].address, "mailto:dev@poi.apache.org?subject=XSSF%20Hyperlinks");

  links[2].address = "https://example.org/";
  links.push_back({CellRect::Of({30, 1}), "https://example.com/new", ""});
  const auto& again = SheetNamed(Save(), "Sheet1").hyperlinks();
  ExpectIn("xl/worksheets/sheet1.xml", {"location=\"Sheet1!A2\" display=\"Internal hyperlink to A2\""});
  ASSERT_EQ(again.size(), 5u);
  EXPECT_EQ(again[2].address, "https://example.org/");
  EXPECT_EQ(again[4].address, "https://example.com/new");
  EXPECT_EQ(again[4].anchor, CellRect::Of({30, 1}));
}

TEST_F(Hyperlinks, ClearHyperlinksRemovesTheListAndItsRelationships) {
  SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1").hyperlinks().clear();
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/worksheets/sheet1.xml", "xl/worksheets/_rels/sheet1.xml.rels"}));
  ExpectNotIn("xl/worksheets/sheet1.xml", {"hyperlink"});
  ExpectNotIn("xl/worksheets/_rels/sheet1.xml.rels", {"relationships/hyperlink"});
  ExpectIn("xl/worksheets/_rels/sheet1.xml.rels", {"relationships/comments"});
  EXPECT_TRUE(again.hyperlinks().empty());
  EXPECT_EQ(again.comments().size(), 3u);
}

TEST_F(Hyperlinks, IndexLinksAreAddedInTheWorksheetOrder) {
  auto& book = Open("libreoffice_hyperlinks.xlsx");
  Sheet& sheet = *book.sheets.front();
  sheet.hyperlinks().clear();
  embedded::AddHyperlink(book, sheet, CellRect::Of({20, 1}), "", "[" + book.name + "]Sheet1!$A$1");
  embedded::AddHyperlink(book, sheet, CellRect::Of({21, 1}), "", "'[" + book.name + "]My Sheet'!$A$1");
  Save();
  const std::string& worksheet = after.at("xl/worksheets/sheet1.xml");
  ExpectIn("xl/worksheets/sheet1.xml", {"<hyperlink ref=\"A20\" location=\"Sheet1!$A$1\"/>",
                                        "<hyperlink ref=\"A21\" location=\"'My Sheet'!$A$1\"/>"});
  EXPECT_LT(worksheet.find("</sheetData>"), worksheet.find("<hyperlinks>"));
  EXPECT_LT(worksheet.find("<hyperlinks>"), worksheet.find("<pageMargins"));
  if (after.contains("xl/worksheets/_rels/sheet1.xml.rels")) {
    ExpectNotIn("xl/worksheets/_rels/sheet1.xml.rels", {"relationships/hyperlink"});
  }
}

}  // namespace
}  // namespace tabulara::xlsx::testing
