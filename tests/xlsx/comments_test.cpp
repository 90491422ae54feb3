#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"
#include "host/constants.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::CellAddress;
using embedded::model::Shape;
using embedded::model::ShapeKind;
using embedded::model::Sheet;

std::size_t CommentCount(AspectHarness& book) {
  std::size_t count = 0;
  for (const auto& sheet : book.workbook().sheets) count += sheet->comments.size();
  return count;
}

// What comment style 5 does to a comment: shown, made a heart, hidden again.
void MakeHeart(Sheet& sheet, CellAddress cell) {
  Shape* box = sheet.FindShape(sheet.comments.at(cell).shape);
  ASSERT_NE(box, nullptr);
  box->autoShapeType = host::msoShapeHeart;
  box->visible = false;
  sheet.comments.at(cell).visible = false;
}

TEST(CommentsRead, TextsAuthorsAndHiddenBoxes) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  Sheet& sheet = book.sheet("Sheet1");
  ASSERT_EQ(sheet.comments.size(), 3u);
  const auto& first = sheet.comments.at({5, 3});
  EXPECT_EQ(first.author, "Nick Burch");
  EXPECT_EQ(first.text, "Nick Burch:\nThis is a comment");
  EXPECT_FALSE(first.visible);
  EXPECT_EQ(sheet.comments.at({13, 3}).author, "Torchbox");
  const Shape* box = sheet.FindShape(first.shape);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->kind, ShapeKind::CommentBox);
  EXPECT_EQ(box->commentCell, (CellAddress{5, 3}));
  EXPECT_EQ(box->id, 1025u);
  EXPECT_DOUBLE_EQ(box->left, 166.5);
  EXPECT_DOUBLE_EQ(box->top, 52.5);
  EXPECT_DOUBLE_EQ(box->width, 103.5);
  EXPECT_DOUBLE_EQ(box->height, 55.5);
  EXPECT_EQ(box->autoShapeType, host::msoShapeRectangle);
  EXPECT_FALSE(box->visible);
}

TEST(CommentsRead, AllCommentsOfARealWorkbook) {
  TABULARA_OPEN_CORPUS(book, "excel_realworld_vba_chartsheets_protected.xlsm");
  EXPECT_EQ(CommentCount(book), 139u);
  for (const auto& sheet : book.workbook().sheets) {
    for (const auto& [cell, comment] : sheet->comments) {
      const Shape* box = sheet->FindShape(comment.shape);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->commentCell, cell);
    }
  }
}

TEST(CommentsRead, ThreadedCommentsShowTheirLegacyText) {
  TABULARA_OPEN_CORPUS(book, "excelmac_threaded_comments.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  ASSERT_EQ(sheet.comments.size(), 1u);
  EXPECT_TRUE(sheet.comments.at({5, 5}).text.starts_with("[Threaded comment]"));
}

TEST(CommentsWrite, UnchangedFilesAreWrittenBackByteForByte) {
  for (const char* name : {"excel_comments_hyperlinks_names.xlsx", "excel_realworld_vba_chartsheets_protected.xlsm",
                           "excelmac_threaded_comments.xlsx", "excel_realworld_28_sheets_pivots_tables.xlsx"}) {
    std::filesystem::path file = CorpusFile(name);
    if (file.empty()) GTEST_SKIP() << "corpus file " << name << " is not there";
    AspectHarness book(file);
    TempFile saved(std::string("unchanged-") + name);
    book.Save(saved.path());
    EXPECT_TRUE(DifferingParts(file, saved.path()).empty()) << name;
  }
}

TEST(CommentsWrite, HeartStyleChangesOnlyTheVmlDrawing) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  MakeHeart(book.sheet("Sheet1"), {7, 3});
  TempFile saved("heart.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"});
  std::string vml = PartOf(saved.path(), "xl/drawings/vmlDrawing1.vml");
  EXPECT_NE(vml.find("id=\"_x0000_t74\""), std::string::npos);
  EXPECT_NE(vml.find("o:spt=\"74\""), std::string::npos);
  EXPECT_NE(vml.find("type=\"#_x0000_t74\""), std::string::npos);

  AspectHarness reopened(saved.path());
  Sheet& sheet = reopened.sheet("Sheet1");
  const Shape* heart = sheet.FindShape(sheet.comments.at({7, 3}).shape);
  ASSERT_NE(heart, nullptr);
  EXPECT_EQ(heart->autoShapeType, host::msoShapeHeart);
  EXPECT_FALSE(heart->visible);
  EXPECT_EQ(sheet.FindShape(sheet.comments.at({5, 3}).shape)->autoShapeType, host::msoShapeRectangle);
}

TEST(CommentsWrite, EveryStyleOfTheMenuSurvivesAReopen) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  const int styles[] = {5, 6, 11, 28, 21, 95, 68, 103, 16, 104};
  for (int style : styles) {
    AspectHarness changed(bookFile);
    Sheet& sheet = changed.sheet("Sheet1");
    sheet.FindShape(sheet.comments.at({13, 3}).shape)->autoShapeType = style;
    TempFile saved("style-" + std::to_string(style) + ".xlsx");
    changed.Save(saved.path());
    AspectHarness reopened(saved.path());
    Sheet& again = reopened.sheet("Sheet1");
    EXPECT_EQ(again.FindShape(again.comments.at({13, 3}).shape)->autoShapeType, style);
  }
}

TEST(CommentsWrite, ShownCommentIsVisibleInStyleAndClientData) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  Sheet& sheet = book.sheet("Sheet1");
  auto& comment = sheet.comments.at({5, 3});
  comment.visible = true;
  sheet.FindShape(comment.shape)->visible = true;
  TempFile saved("shown.xlsx");
  book.Save(saved.path());
  std::string vml = PartOf(saved.path(), "xl/drawings/vmlDrawing1.vml");
  EXPECT_NE(vml.find("visibility:visible"), std::string::npos);
  EXPECT_NE(vml.find("<x:Visible"), std::string::npos);
  AspectHarness reopened(saved.path());
  EXPECT_TRUE(reopened.sheet("Sheet1").comments.at({5, 3}).visible);
  EXPECT_FALSE(reopened.sheet("Sheet1").comments.at({7, 3}).visible);
}

TEST(CommentsWrite, ClearAllRemovesCommentsAndTheirParts) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  Sheet& sheet = book.sheet("Sheet1");
  while (!sheet.shapes.empty()) embedded::DeleteShape(sheet, sheet.shapes.front().id);
  EXPECT_TRUE(sheet.comments.empty());
  TempFile saved("clear-all.xlsx");
  book.Save(saved.path());
  std::set<std::string> expected{"[Content_Types].xml", "xl/worksheets/sheet1.xml",
                                 "xl/worksheets/_rels/sheet1.xml.rels", "xl/comments1.xml",
                                 "xl/drawings/vmlDrawing1.vml"};
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), expected);
  EXPECT_EQ(PartOf(saved.path(), "xl/worksheets/sheet1.xml").find("legacyDrawing"), std::string::npos);
  EXPECT_EQ(PartOf(saved.path(), "[Content_Types].xml").find("comments1.xml"), std::string::npos);
  AspectHarness reopened(saved.path());
  EXPECT_TRUE(reopened.sheet("Sheet1").comments.empty());
  EXPECT_EQ(reopened.sheet("Sheet1").hyperlinks.size(), 4u);
}

TEST(CommentsWrite, ThreadedCommentPartsSurviveAStyleChange) {
  TABULARA_OPEN_CORPUS(book, "excelmac_threaded_comments.xlsx");
  MakeHeart(*book.workbook().sheets.front(), {5, 5});
  TempFile saved("threaded-heart.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), std::set<std::string>{"xl/drawings/vmlDrawing1.vml"});
}

TEST(CommentsWrite, DeletingAThreadedCommentTakesItsThreadAlong) {
  TABULARA_OPEN_CORPUS(book, "excelmac_threaded_comments.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  embedded::DeleteShape(sheet, sheet.comments.at({5, 5}).shape);
  TempFile saved("threaded-deleted.xlsx");
  book.Save(saved.path());
  Package package = Package::Open(saved.path());
  EXPECT_FALSE(package.Has("xl/threadedComments/threadedComment1.xml"));
  EXPECT_FALSE(package.Has("xl/comments1.xml"));
  EXPECT_TRUE(package.Has("xl/persons/person.xml"));
  if (package.Has("xl/worksheets/_rels/sheet1.xml.rels")) {
    EXPECT_EQ(package.Read("xl/worksheets/_rels/sheet1.xml.rels").find("threadedComment"), std::string::npos);
  }
  EXPECT_EQ(package.Read("[Content_Types].xml").find("threadedComment1.xml"), std::string::npos);
  AspectHarness reopened(saved.path());
  EXPECT_TRUE(reopened.workbook().sheets.front()->comments.empty());
}

TEST(CommentsRead, UnreadableVmlDrawingStillGivesTheComments) {
  std::filesystem::path file = CorpusFile("excel_comments_hyperlinks_names.xlsx");
  if (file.empty()) GTEST_SKIP() << "corpus file excel_comments_hyperlinks_names.xlsx is not there";
  TempFile broken("broken-vml.xlsx");
  Package package = Package::Open(file);
  package.Write("xl/drawings/vmlDrawing1.vml", "<xml><v:shape id=\"_x0000_s1025\">");
  package.Save(broken.path());

  AspectHarness book(broken.path());
  Sheet& sheet = book.sheet("Sheet1");
  ASSERT_EQ(sheet.comments.size(), 3u);
  MakeHeart(sheet, {5, 3});
  TempFile saved("broken-vml-saved.xlsx");
  book.Save(saved.path());
  EXPECT_TRUE(DifferingParts(broken.path(), saved.path()).empty());
}

TEST(CommentsWrite, NewCommentCreatesBothParts) {
  TABULARA_OPEN_CORPUS(book, "excel_internal_hyperlinks.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  embedded::AddComment(book.workbook(), sheet, {2, 2}, "Noted");
  sheet.comments.at({2, 2}).author = "Tabulara";
  TempFile saved("new-comment.xlsx");
  book.Save(saved.path());
  std::string worksheet = PartOf(saved.path(), "xl/worksheets/sheet1.xml");
  EXPECT_NE(worksheet.find("<legacyDrawing r:id="), std::string::npos);
  std::string types = PartOf(saved.path(), "[Content_Types].xml");
  EXPECT_NE(types.find("/xl/comments1.xml"), std::string::npos);
  EXPECT_NE(types.find("Extension=\"vml\""), std::string::npos);

  AspectHarness reopened(saved.path());
  Sheet& again = *reopened.workbook().sheets.front();
  ASSERT_EQ(again.comments.size(), 1u);
  EXPECT_EQ(again.comments.at({2, 2}).text, "Noted");
  EXPECT_EQ(again.comments.at({2, 2}).author, "Tabulara");
  EXPECT_FALSE(again.comments.at({2, 2}).visible);
  EXPECT_EQ(again.hyperlinks.size(), 5u);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
