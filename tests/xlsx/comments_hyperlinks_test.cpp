#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "embedded/rules/drawing.h"
#include "host/constants.h"
#include "xlsx/hyperlinks/hyperlink_location.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::Not;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::Shape;
using embedded::model::Sheet;

Shape& BoxOf(Sheet& sheet, CellAddress cell) {
  Shape* box = sheet.FindShape(sheet.comments.at(cell).shape);
  if (box == nullptr) throw std::logic_error("a comment without its box");
  return *box;
}

// What comment style 5 does to a comment: shown, made a heart, hidden again.
void MakeHeart(Sheet& sheet, CellAddress cell) {
  BoxOf(sheet, cell).autoShapeType = host::msoShapeHeart;
  BoxOf(sheet, cell).visible = false;
  sheet.comments.at(cell).visible = false;
}

// What openpyxl reads of the file's comments; nothing when it is not installed.
std::optional<std::string> OpenpyxlComments(const std::filesystem::path& file) {
  if (std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") != 0) return std::nullopt;
  const std::string command = "/usr/bin/python3 '" TABULARA_TEST_DATA "/../xlsx/interop/comments_listing.py' '" +
                              file.string() + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, read);
  return output;
}

using Comments = CorpusTest;

TEST_F(Comments, TextsAuthorsBoxesAndThreadsAreRead) {
  Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
  ASSERT_EQ(sheet.comments.size(), 3u);
  const auto& first = sheet.comments.at({5, 3});
  EXPECT_EQ(first.author, "Nick Burch");
  EXPECT_EQ(first.text, "Nick Burch:\nThis is a comment");
  EXPECT_FALSE(first.visible);
  EXPECT_EQ(sheet.comments.at({13, 3}).author, "Torchbox");
  const Shape& box = BoxOf(sheet, {5, 3});
  EXPECT_EQ(box.kind, embedded::model::ShapeKind::CommentBox);
  EXPECT_EQ(box.commentCell, (CellAddress{5, 3}));
  EXPECT_EQ(box.id, 1025u);
  EXPECT_DOUBLE_EQ(box.left, 166.5);
  EXPECT_DOUBLE_EQ(box.top, 52.5);
  EXPECT_DOUBLE_EQ(box.width, 103.5);
  EXPECT_DOUBLE_EQ(box.height, 55.5);
  EXPECT_EQ(box.autoShapeType, host::msoShapeRectangle);
  EXPECT_FALSE(box.visible);

  std::size_t count = 0;
  for (const auto& each : Open("excel_realworld_vba_chartsheets_protected.xlsm").sheets) {
    count += each->comments.size();
    for (const auto& [cell, comment] : each->comments) EXPECT_EQ(BoxOf(*each, cell).commentCell, cell);
  }
  EXPECT_EQ(count, 139u);

  Sheet& threaded = *Open("excelmac_threaded_comments.xlsx").sheets.front();
  ASSERT_EQ(threaded.comments.size(), 1u);
  EXPECT_TRUE(threaded.comments.at({5, 5}).text.starts_with("[Threaded comment]"));
}

TEST_F(Comments, EveryStyleOfTheMenuChangesOnlyTheVmlDrawingAndSurvivesAReopen) {
  for (const int style : {5, 6, 11, 28, 21, 95, 68, 103, 16, 104}) {
    SCOPED_TRACE(style);
    Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
    MakeHeart(sheet, {7, 3});
    BoxOf(sheet, {13, 3}).autoShapeType = style;
    Sheet& again = SheetNamed(Save(), "Sheet1");
    EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"});
    EXPECT_EQ(BoxOf(again, {13, 3}).autoShapeType, style);
    EXPECT_EQ(BoxOf(again, {7, 3}).autoShapeType, host::msoShapeHeart);
    EXPECT_FALSE(BoxOf(again, {7, 3}).visible);
    EXPECT_EQ(BoxOf(again, {5, 3}).autoShapeType, host::msoShapeRectangle);
  }
  ExpectIn("xl/drawings/vmlDrawing1.vml", {"id=\"_x0000_t74\"", "o:spt=\"74\"", "type=\"#_x0000_t74\""});

  MakeHeart(*Open("excelmac_threaded_comments.xlsx").sheets.front(), {5, 5});
  Save();
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"}) << "the threaded comment's parts";
}

TEST_F(Comments, AShownCommentIsVisibleInStyleAndClientData) {
  Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
  sheet.comments.at({5, 3}).visible = true;
  BoxOf(sheet, {5, 3}).visible = true;
  Sheet& again = SheetNamed(Save(), "Sheet1");
  ExpectIn("xl/drawings/vmlDrawing1.vml", {"visibility:visible", "<x:Visible"});
  EXPECT_TRUE(again.comments.at({5, 3}).visible);
  EXPECT_FALSE(again.comments.at({7, 3}).visible);
}

TEST_F(Comments, ClearAllRemovesCommentsAndTheirParts) {
  Sheet& sheet = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1");
  while (!sheet.shapes.empty()) embedded::DeleteShape(sheet, sheet.shapes.front().id);
  EXPECT_TRUE(sheet.comments.empty());
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(Differing(), (std::set<std::string>{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                                "xl/worksheets/_rels/sheet1.xml.rels", "xl/comments1.xml",
                                                "xl/drawings/vmlDrawing1.vml"}));
  ExpectNotIn("xl/worksheets/sheet1.xml", {"legacyDrawing"});
  ExpectNotIn("[Content_Types].xml", {"comments1.xml"});
  EXPECT_TRUE(again.comments.empty());
  EXPECT_EQ(again.hyperlinks.size(), 4u);
}

TEST_F(Comments, DeletingAThreadedCommentTakesItsThreadAlong) {
  Sheet& sheet = *Open("excelmac_threaded_comments.xlsx").sheets.front();
  embedded::DeleteShape(sheet, sheet.comments.at({5, 5}).shape);
  EXPECT_TRUE(Save().sheets.front()->comments.empty());
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
  ASSERT_EQ(sheet.comments.size(), 3u);
  MakeHeart(sheet, {5, 3});
  Save();
  EXPECT_THAT(Differing(), ::testing::IsEmpty());
}

TEST_F(Comments, NewCommentsGetBothPartsAndOpenpyxlReadsTheChanges) {
  auto& book = Open("excel_comments_hyperlinks_names.xlsx");
  Sheet& sheet = SheetNamed(book, "Sheet1");
  const auto listed = OpenpyxlComments(original);
  BoxOf(sheet, {13, 3}).autoShapeType = host::msoShapeHeart;
  embedded::DeleteShape(sheet, sheet.comments.at({7, 3}).shape);
  embedded::AddComment(book, sheet, {1, 1}, "Added");
  sheet.comments.at({1, 1}).author = "Tabulara";
  Save();
  if (listed) {
    EXPECT_EQ(*listed, "Sheet1|C5|Nick Burch|Nick Burch:\nSheet1|C7|Nick Burch|Nick Burch:\nSheet1|C13|Torchbox|Torchbox:\n");
    EXPECT_EQ(OpenpyxlComments(saved),
              "Sheet1|A1|Tabulara|Added\nSheet1|C5|Nick Burch|Nick Burch:\nSheet1|C13|Torchbox|Torchbox:\n");
  }

  auto& linked = Open("excel_internal_hyperlinks.xlsx");
  embedded::AddComment(linked, *linked.sheets.front(), {2, 2}, "Noted");
  linked.sheets.front()->comments.at({2, 2}).author = "Tabulara";
  Sheet& again = *Save().sheets.front();
  ExpectIn("xl/worksheets/sheet1.xml", {"<legacyDrawing r:id="});
  ExpectIn("[Content_Types].xml", {"/xl/comments1.xml", "Extension=\"vml\""});
  ASSERT_EQ(again.comments.size(), 1u);
  EXPECT_EQ(again.comments.at({2, 2}).text, "Noted");
  EXPECT_EQ(again.comments.at({2, 2}).author, "Tabulara");
  EXPECT_FALSE(again.comments.at({2, 2}).visible);
  EXPECT_EQ(again.hyperlinks.size(), 5u);
}

TEST(HyperlinkLocation, ExternalFormOfTheSameWorkbookLosesItsBookName) {
  const std::pair<const char*, const char*> locations[] = {
      {"[Book1.xlsx]Sheet1!$A$1", "Sheet1!$A$1"},
      {"'[Book1.xlsx]My Sheet'!$A$1", "'My Sheet'!$A$1"},
      {"'My Sheet'!A1", "'My Sheet'!A1"},
      {"[Other.xlsx]Sheet1!$A$1", "[Other.xlsx]Sheet1!$A$1"},
  };
  for (const auto& [written, location] : locations) EXPECT_EQ(LocationOf(written, "Book1.xlsx"), location);
  EXPECT_EQ(LocationOf("'[My book.xlsx]Data'!$A$1", "My book.xlsx"), "Data!$A$1");
  EXPECT_EQ(LocationOf("'[Bob''s book.xlsx]Data'!$A$1", "Bob's book.xlsx"), "Data!$A$1");
  EXPECT_EQ(LocationOf("'[Bob''s book.xlsx]Bob''s sheet'!$A$1", "Bob's book.xlsx"), "'Bob''s sheet'!$A$1");
}

using Hyperlinks = CorpusTest;

TEST_F(Hyperlinks, ExternalAndInternalTargetsAreRead) {
  const auto& links = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1").hyperlinks;
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].anchor, CellRect::Of({4, 3}));
  EXPECT_TRUE(links[0].address.starts_with("http"));
  EXPECT_EQ(links[1].address, "");
  EXPECT_EQ(links[1].subAddress, "Sheet1!A2");
  EXPECT_EQ(links[2].address, "WithVariousData.xlsx");
  EXPECT_EQ(links[3].address, "mailto:dev@poi.apache.org?subject=XSSF%20Hyperlinks");

  for (const auto& [name, count] : {std::pair{"excel_internal_hyperlinks.xlsx", 5}, {"libreoffice_hyperlinks.xlsx", 14},
                                    {"wps_realworld_30_sheets_lockstructure.xlsx", 35}}) {
    int links = 0;
    for (const auto& sheet : Open(name).sheets) links += static_cast<int>(sheet->hyperlinks.size());
    EXPECT_EQ(links, count) << name;
  }
}

TEST_F(Hyperlinks, ClearHyperlinksRemovesTheListAndItsRelationships) {
  SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1").hyperlinks.clear();
  Sheet& again = SheetNamed(Save(), "Sheet1");
  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/worksheets/sheet1.xml", "xl/worksheets/_rels/sheet1.xml.rels"}));
  ExpectNotIn("xl/worksheets/sheet1.xml", {"hyperlink"});
  ExpectNotIn("xl/worksheets/_rels/sheet1.xml.rels", {"relationships/hyperlink"});
  ExpectIn("xl/worksheets/_rels/sheet1.xml.rels", {"relationships/comments"});
  EXPECT_TRUE(again.hyperlinks.empty());
  EXPECT_EQ(again.comments.size(), 3u);
}

TEST_F(Hyperlinks, IndexLinksAreAddedInTheWorksheetOrder) {
  auto& book = Open("libreoffice_hyperlinks.xlsx");
  Sheet& sheet = *book.sheets.front();
  sheet.hyperlinks.clear();
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

TEST_F(Hyperlinks, ChangedAndAddedLinksKeepTheOthers) {
  auto& links = SheetNamed(Open("excel_comments_hyperlinks_names.xlsx"), "Sheet1").hyperlinks;
  links[2].address = "https://example.org/";
  links.push_back({CellRect::Of({30, 1}), "https://example.com/new", ""});
  const auto& again = SheetNamed(Save(), "Sheet1").hyperlinks;
  ExpectIn("xl/worksheets/sheet1.xml", {"location=\"Sheet1!A2\" display=\"Internal hyperlink to A2\""});
  ASSERT_EQ(again.size(), 5u);
  EXPECT_EQ(again[2].address, "https://example.org/");
  EXPECT_EQ(again[4].address, "https://example.com/new");
  EXPECT_EQ(again[4].anchor, CellRect::Of({30, 1}));
}

}  // namespace
}  // namespace tabulara::xlsx::testing
