#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"
#include "host/constants.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

TEST(CommentsInterop, OpenpyxlReadsStyledDeletedAndAddedComments) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  auto before = RunOpenpyxl("comments_listing.py", bookFile);
  if (!before) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_EQ(*before,
            "Sheet1|C5|Nick Burch|Nick Burch:\n"
            "Sheet1|C7|Nick Burch|Nick Burch:\n"
            "Sheet1|C13|Torchbox|Torchbox:\n");
  embedded::model::Sheet& sheet = book.sheet("Sheet1");
  sheet.FindShape(sheet.comments.at({13, 3}).shape)->autoShapeType = host::msoShapeHeart;
  embedded::DeleteShape(sheet, sheet.comments.at({7, 3}).shape);
  embedded::AddComment(book.workbook(), sheet, {1, 1}, "Added");
  sheet.comments.at({1, 1}).author = "Tabulara";
  TempFile saved("interop-comments.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(RunOpenpyxl("comments_listing.py", saved.path()),
            "Sheet1|A1|Tabulara|Added\n"
            "Sheet1|C5|Nick Burch|Nick Burch:\n"
            "Sheet1|C13|Torchbox|Torchbox:\n");
}

TEST(CommentsInterop, OpenpyxlSeesNoCommentAfterClearAll) {
  TABULARA_OPEN_CORPUS(book, "excel_realworld_vba_chartsheets_protected.xlsm");
  for (const auto& sheet : book.workbook().sheets) {
    while (!sheet->shapes.empty()) embedded::DeleteShape(*sheet, sheet->shapes.front().id);
  }
  TempFile saved("interop-clear-all.xlsm");
  book.Save(saved.path());
  auto after = RunOpenpyxl("comments_listing.py", saved.path());
  if (!after) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_EQ(*after, "");
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
