#include <gtest/gtest.h>

#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::SheetKind;
using testing::AddinHarness;

class IndexSheet : public ::testing::Test {
 protected:
  embedded::model::Sheet& Index() { return addin_.host.Sheet("Index"); }
  std::string Text(std::string_view cell) {
    const auto value = addin_.host.Value(Index(), cell);
    return value.IsText() ? value.AsText() : "";
  }

  AddinHarness addin_;
};

TEST_F(IndexSheet, ListsVisibleWorksheetsWithHyperlinksBetweenTitleAndClosingBlocks) {
  auto& book = addin_.host.NewWorkbook({"Data", "Calc", "Report"}, "Book1.xlsx");
  addin_.host.Sheet("Calc").visibility = host::xlSheetHidden;
  addin_.host.AddSheet(book, "Chart1", SheetKind::Chart);
  addin_.Start();
  addin_.Click("Create Index");

  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(addin_.host.SheetNames(book), (std::vector<std::string>{"Index", "Data", "Calc", "Report", "Chart1"}));
  EXPECT_EQ(Text("A1"), "Introduction");
  EXPECT_TRUE(addin_.host.Font(Index(), "A1").bold);
  EXPECT_EQ(addin_.host.Font(Index(), "A1").size, 16);
  EXPECT_EQ(Text("A2"), "Please key the description here");
  EXPECT_FALSE(addin_.host.Font(Index(), "A2").bold);
  EXPECT_TRUE(addin_.host.Value(Index(), "A3").IsEmpty());
  EXPECT_TRUE(addin_.host.Value(Index(), "A4").IsEmpty());
  EXPECT_EQ(Text("A5"), "Data");
  EXPECT_EQ(Text("A6"), "Report");
  EXPECT_EQ(Text("B5"), "describe that...");
  EXPECT_EQ(Text("B6"), "describe that...");
  for (const char* empty : {"A7", "A8", "A9", "B7"}) EXPECT_TRUE(addin_.host.Value(Index(), empty).IsEmpty()) << empty;
  EXPECT_EQ(Text("A10"), "Result");
  EXPECT_TRUE(addin_.host.Font(Index(), "A10").bold);
  EXPECT_EQ(addin_.host.Font(Index(), "A10").size, 16);
  EXPECT_EQ(Text("A11"), "Please key the result here");

  const auto& links = Index().hyperlinks;
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].address, "");
  EXPECT_EQ(links[0].subAddress, "[Book1.xlsx]Data!$A$1");
  EXPECT_EQ(links[1].subAddress, "[Book1.xlsx]Report!$A$1");
  EXPECT_TRUE(addin_.host.model().screenUpdating);
}

TEST_F(IndexSheet, SubAddressesQuoteNamesThatNeedIt) {
  addin_.host.NewWorkbook({"My Sheet", "It's"}, "Book1.xlsx");
  addin_.Start();
  addin_.Click("Create Index");
  const auto& links = Index().hyperlinks;
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].subAddress, "'[Book1.xlsx]My Sheet'!$A$1");
  EXPECT_EQ(links[1].subAddress, "'[Book1.xlsx]It''s'!$A$1");
}

TEST_F(IndexSheet, GoesBeforeTheFirstWorksheetBehindLeadingChartSheets) {
  auto& book = addin_.host.NewWorkbook({"Data"});
  addin_.host.AddSheet(book, "Chart1", SheetKind::Chart);
  addin_.host.Sheet("Chart1").visibility = host::xlSheetVisible;
  std::swap(book.sheets[0], book.sheets[1]);
  addin_.Start();
  addin_.Click("Create Index");
  EXPECT_EQ(addin_.host.SheetNames(book), (std::vector<std::string>{"Chart1", "Index", "Data"}));
}

TEST_F(IndexSheet, AVisibleSheetOfThatNameInAnyCaseRefusesTheIndex) {
  auto& book = addin_.host.NewWorkbook({"Data", "INDEX"});
  addin_.Start();
  addin_.Click("Create Index");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text,
            "The worksheet [ Index ] is existing, please rename or delete this worksheet then try again.");
  EXPECT_EQ(addin_.platform.messages.front().flags, 64);
  EXPECT_EQ(addin_.host.SheetNames(book).size(), 2u);
}

TEST_F(IndexSheet, AHiddenOrVeryHiddenSheetOfThatNameRefusesWithTheInvisibleMessage) {
  for (int visibility : {host::xlSheetHidden, host::xlSheetVeryHidden}) {
    AddinHarness addin;
    auto& book = addin.host.NewWorkbook({"Data"});
    addin.host.AddSheet(book, "index", SheetKind::Worksheet, visibility);
    addin.Start();
    addin.Click("Create Index");
    EXPECT_EQ(addin.MessageTexts(),
              std::vector<std::string>{"The worksheet [ Index ] is existing and invisible, please rename or delete "
                                       "this worksheet then try again."});
  }
}

TEST_F(IndexSheet, AChartSheetOfThatNameAlsoRefuses) {
  auto& book = addin_.host.NewWorkbook({"Data"});
  addin_.host.AddSheet(book, "Index", SheetKind::Chart);
  addin_.Start();
  addin_.Click("Create Index");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_TRUE(addin_.platform.messages.front().text.starts_with("The worksheet [ Index ] is existing,"));
}

TEST_F(IndexSheet, AWorkbookOfChartSheetsOnlyGetsTheErrorReportAndNoIndex) {
  auto& book = addin_.host.NewWorkbook({"Data"});
  addin_.host.AddSheet(book, "Chart1", SheetKind::Chart);
  addin_.host.Activate(addin_.host.Sheet("Chart1"));
  book.sheets.erase(book.sheets.begin());
  addin_.Start();
  addin_.host.model().screenUpdating = true;
  addin_.Click("Create Index");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_TRUE(addin_.platform.messages.front().text.starts_with("Error!\r\n\r\n"));
  EXPECT_EQ(addin_.host.SheetNames(book), std::vector<std::string>{"Chart1"});
  EXPECT_TRUE(addin_.host.model().screenUpdating);
}

TEST_F(IndexSheet, TranslatedTextsNameTheSheetAndLabelIt) {
  addin_.platform.WriteInstallFile("English.lang",
                                   "[index]\r\nindexName=Contents\r\nindexHeader=About\r\nindexBody=notes\r\n");
  addin_.host.NewWorkbook({"Data"});
  addin_.Start();
  addin_.Click("Create Index");
  const auto& contents = addin_.host.Sheet("Contents");
  EXPECT_EQ(addin_.host.Value(contents, "A1").AsText(), "About");
  EXPECT_EQ(addin_.host.Value(contents, "B5").AsText(), "notes");

  addin_.Click("Create Index");
  EXPECT_EQ(addin_.MessageTexts(),
            std::vector<std::string>{"The worksheet [ Contents ] is existing, please rename or delete this worksheet "
                                     "then try again."});
}

TEST_F(IndexSheet, AProtectedStructureGetsTheErrorReport) {
  auto& book = addin_.host.NewWorkbook({"Data"});
  addin_.host.ProtectStructure(book);
  addin_.Start();
  addin_.Click("Create Index");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().flags, 48);
  EXPECT_EQ(addin_.host.SheetNames(book), std::vector<std::string>{"Data"});
  EXPECT_TRUE(addin_.host.model().screenUpdating);
}

}  // namespace
}  // namespace tabulara::addin
