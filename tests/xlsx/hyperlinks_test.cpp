#include <gtest/gtest.h>

#include "drawing_corpus.h"
#include "embedded/rules/drawing.h"
#include "xlsx/hyperlinks/hyperlink_location.h"

namespace tabulara::xlsx::aspect_testing {
namespace {

using embedded::model::CellRect;
using embedded::model::Hyperlink;
using embedded::model::Sheet;

std::size_t LinkCount(AspectHarness& book) {
  std::size_t count = 0;
  for (const auto& sheet : book.workbook().sheets) count += sheet->hyperlinks.size();
  return count;
}

TEST(HyperlinkLocation, ExternalFormOfTheSameWorkbookLosesItsBookName) {
  EXPECT_EQ(LocationOf("[Book1.xlsx]Sheet1!$A$1", "Book1.xlsx"), "Sheet1!$A$1");
  EXPECT_EQ(LocationOf("'[Book1.xlsx]My Sheet'!$A$1", "Book1.xlsx"), "'My Sheet'!$A$1");
  EXPECT_EQ(LocationOf("'[My book.xlsx]Data'!$A$1", "My book.xlsx"), "Data!$A$1");
  EXPECT_EQ(LocationOf("'[Bob''s book.xlsx]Data'!$A$1", "Bob's book.xlsx"), "Data!$A$1");
  EXPECT_EQ(LocationOf("'[Bob''s book.xlsx]Bob''s sheet'!$A$1", "Bob's book.xlsx"), "'Bob''s sheet'!$A$1");
  EXPECT_EQ(LocationOf("'My Sheet'!A1", "Book1.xlsx"), "'My Sheet'!A1");
  EXPECT_EQ(LocationOf("[Other.xlsx]Sheet1!$A$1", "Book1.xlsx"), "[Other.xlsx]Sheet1!$A$1");
}

TEST(HyperlinksRead, ExternalAndInternalTargets) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  const auto& links = book.sheet("Sheet1").hyperlinks;
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].anchor, CellRect::Of({4, 3}));
  EXPECT_TRUE(links[0].address.starts_with("http"));
  EXPECT_EQ(links[1].address, "");
  EXPECT_EQ(links[1].subAddress, "Sheet1!A2");
  EXPECT_EQ(links[2].address, "WithVariousData.xlsx");
  EXPECT_EQ(links[3].address, "mailto:dev@poi.apache.org?subject=XSSF%20Hyperlinks");
}

TEST(HyperlinksRead, CountsOfTheCorpus) {
  struct Expected {
    const char* file;
    std::size_t links;
  };
  for (Expected expected : {Expected{"excel_internal_hyperlinks.xlsx", 5}, Expected{"libreoffice_hyperlinks.xlsx", 14},
                            Expected{"wps_realworld_30_sheets_lockstructure.xlsx", 35}}) {
    std::filesystem::path file = CorpusFile(expected.file);
    if (file.empty()) GTEST_SKIP() << "corpus file " << expected.file << " is not there";
    AspectHarness book(file);
    EXPECT_EQ(LinkCount(book), expected.links) << expected.file;
    TempFile saved(std::string("unchanged-") + expected.file);
    book.Save(saved.path());
    EXPECT_TRUE(DifferingParts(file, saved.path()).empty()) << expected.file;
  }
}

TEST(HyperlinksWrite, ClearHyperlinksRemovesTheListAndItsRelationships) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  book.sheet("Sheet1").hyperlinks.clear();
  TempFile saved("no-links.xlsx");
  book.Save(saved.path());
  std::set<std::string> expected{"xl/worksheets/sheet1.xml", "xl/worksheets/_rels/sheet1.xml.rels"};
  EXPECT_EQ(DifferingParts(bookFile, saved.path()), expected);
  EXPECT_EQ(PartOf(saved.path(), "xl/worksheets/sheet1.xml").find("hyperlink"), std::string::npos);
  std::string rels = PartOf(saved.path(), "xl/worksheets/_rels/sheet1.xml.rels");
  EXPECT_EQ(rels.find("relationships/hyperlink"), std::string::npos);
  EXPECT_NE(rels.find("relationships/comments"), std::string::npos);
  AspectHarness reopened(saved.path());
  EXPECT_TRUE(reopened.sheet("Sheet1").hyperlinks.empty());
  EXPECT_EQ(reopened.sheet("Sheet1").comments.size(), 3u);
}

TEST(HyperlinksWrite, IndexLinksAreAddedInTheWorksheetOrder) {
  TABULARA_OPEN_CORPUS(book, "libreoffice_hyperlinks.xlsx");
  Sheet& sheet = *book.workbook().sheets.front();
  std::string name = book.workbook().name;
  sheet.hyperlinks.clear();
  embedded::AddHyperlink(book.workbook(), sheet, CellRect::Of({20, 1}), "", "[" + name + "]Sheet1!$A$1");
  embedded::AddHyperlink(book.workbook(), sheet, CellRect::Of({21, 1}), "", "'My Sheet'!A1");
  TempFile saved("index-links.xlsx");
  book.Save(saved.path());
  std::string worksheet = PartOf(saved.path(), "xl/worksheets/sheet1.xml");
  EXPECT_NE(worksheet.find("<hyperlink ref=\"A20\" location=\"Sheet1!$A$1\"/>"), std::string::npos);
  EXPECT_NE(worksheet.find("<hyperlink ref=\"A21\" location=\"'My Sheet'!A1\"/>"), std::string::npos);
  EXPECT_LT(worksheet.find("</sheetData>"), worksheet.find("<hyperlinks>"));
  EXPECT_LT(worksheet.find("<hyperlinks>"), worksheet.find("<pageMargins"));
  Package package = Package::Open(saved.path());
  if (package.Has("xl/worksheets/_rels/sheet1.xml.rels")) {
    EXPECT_EQ(package.Read("xl/worksheets/_rels/sheet1.xml.rels").find("relationships/hyperlink"), std::string::npos);
  }

  AspectHarness reopened(saved.path());
  const auto& links = reopened.workbook().sheets.front()->hyperlinks;
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].subAddress, "Sheet1!$A$1");
  EXPECT_EQ(links[1].subAddress, "'My Sheet'!A1");
}

TEST(HyperlinksWrite, ChangedAndAddedLinksKeepTheOthers) {
  TABULARA_OPEN_CORPUS(book, "excel_comments_hyperlinks_names.xlsx");
  auto& links = book.sheet("Sheet1").hyperlinks;
  links[2].address = "https://example.org/";
  links.push_back({CellRect::Of({30, 1}), "https://example.com/new", ""});
  TempFile saved("changed-links.xlsx");
  book.Save(saved.path());
  std::string worksheet = PartOf(saved.path(), "xl/worksheets/sheet1.xml");
  EXPECT_NE(worksheet.find("location=\"Sheet1!A2\" display=\"Internal hyperlink to A2\""), std::string::npos);
  AspectHarness reopened(saved.path());
  const auto& again = reopened.sheet("Sheet1").hyperlinks;
  ASSERT_EQ(again.size(), 5u);
  EXPECT_EQ(again[2].address, "https://example.org/");
  EXPECT_EQ(again[4].address, "https://example.com/new");
  EXPECT_EQ(again[4].anchor, CellRect::Of({30, 1}));
}

}  // namespace
}  // namespace tabulara::xlsx::aspect_testing
