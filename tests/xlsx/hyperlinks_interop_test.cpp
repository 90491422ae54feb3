#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::CellRect;

TEST(HyperlinksInterop, OpenpyxlReadsIndexLinksAndNoneAfterClearing) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  auto before = RunOpenpyxl("hyperlinks_listing.py", bookFile);
  if (!before) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_NE(before->find("Sheet1|C15||Sheet1!A2\n"), std::string::npos) << *before;
  auto& sheet = book.sheet("Sheet1");
  sheet.hyperlinks.clear();
  embedded::AddHyperlink(book.workbook(), sheet, CellRect::Of({2, 1}), "",
                         "[" + book.workbook().name + "]'Sheet 2'!$A$1");
  TempFile saved("interop-links.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(RunOpenpyxl("hyperlinks_listing.py", saved.path()), "Sheet1|A2||'Sheet 2'!$A$1\n");
}

TEST(HyperlinksInterop, OpenpyxlSeesEveryLinkOfAnUnchangedSave) {
  TABULARA_OPEN_CORPUS(book, "wps_realworld_30_sheets_lockstructure.xlsx");
  auto before = RunOpenpyxl("hyperlinks_listing.py", bookFile);
  if (!before) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  TempFile saved("interop-wps.xlsx");
  book.Save(saved.path());
  EXPECT_EQ(RunOpenpyxl("hyperlinks_listing.py", saved.path()), *before);
  EXPECT_EQ(std::count(before->begin(), before->end(), '\n'), 35);
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
