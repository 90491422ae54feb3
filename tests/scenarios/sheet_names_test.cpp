#include <gtest/gtest.h>

#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::SheetKind;
using testing::AddinHarness;

class SheetNames : public ::testing::Test {
 protected:
  embedded::model::Workbook& Book(const std::vector<std::string>& names) {
    auto& book = addin_.host.NewWorkbook(names);
    addin_.Start();
    return book;
  }
  std::vector<std::string> Names() { return addin_.host.SheetNames(addin_.host.ActiveWorkbook()); }

  AddinHarness addin_;
};

TEST_F(SheetNames, UpperCaseRenamesVisibleAndVeryHiddenSheetsButNotHiddenOnes) {
  auto& book = Book({"sales q1", "Data"});
  addin_.host.AddSheet(book, "data2", SheetKind::Worksheet, host::xlSheetHidden);
  addin_.host.AddSheet(book, "secret", SheetKind::Worksheet, host::xlSheetVeryHidden);
  addin_.host.AddSheet(book, "chart1", SheetKind::Chart);
  addin_.Click("Sheets Name To Upper Case");
  EXPECT_EQ(Names(), (std::vector<std::string>{"SALES Q1", "DATA", "data2", "SECRET", "CHART1"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(SheetNames, EveryNameIsWrittenBackEvenWhenItDoesNotChange) {
  Book({"ONE", "TWO"});
  addin_.host.runtime().FailOn("Sheet.Name.Put", host::HostError(1004, "second rename"), 1);
  EXPECT_THROW(addin_.Click("Sheets Name To Upper Case"), host::HostError);
}

TEST_F(SheetNames, CaseMappingKeepsEveryCharacterToOne) {
  Book({"straße"});
  addin_.Click("Sheets Name To Upper Case");
  EXPECT_EQ(Names(), std::vector<std::string>{"STRAßE"});
}

TEST_F(SheetNames, LowerCaseKeepsBlanks) {
  Book({" Sales Q1 ", "ÜBERSICHT"});
  addin_.Click("Sheets Name To Lower Case");
  EXPECT_EQ(Names(), (std::vector<std::string>{" sales q1 ", "übersicht"}));
}

TEST_F(SheetNames, CapitalizeTrimsBlanksAndLowersEveryLaterCharacter) {
  Book({"SALES REPORT", "  q1 DATA ", "x"});
  addin_.Click("Capitalize Sheets Name");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sales report", "Q1 data", "X"}));
}

TEST_F(SheetNames, ACapitalizedNameTakenByAnotherSheetStopsTheCommandThere) {
  Book({"first", "A", " a", "last"});
  try {
    addin_.Click("Capitalize Sheets Name");
    FAIL() << "the host's refusal must reach the host";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), 1004);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"First", "A", " a", "last"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(SheetNames, ProtectedStructureRefusesTheRenameAndTheErrorGoesBackToTheHost) {
  auto& book = Book({"one", "two"});
  addin_.host.ProtectStructure(book);
  EXPECT_THROW(addin_.Click("Sheets Name To Upper Case"), host::HostError);
  EXPECT_EQ(Names(), (std::vector<std::string>{"one", "two"}));
}

TEST_F(SheetNames, SortIgnoresCase) {
  Book({"b", "A", "c"});
  addin_.Click("Sheets Sort");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "b", "c"}));
}

TEST_F(SheetNames, SortHasNoNumericOrdering) {
  Book({"Sheet2", "Sheet10", "Sheet1"});
  addin_.Click("Sheets Sort");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet1", "Sheet10", "Sheet2"}));
}

TEST_F(SheetNames, SortPlacesHiddenAndChartSheetsAndRestoresTheActiveSheet) {
  auto& book = Book({"delta", "alpha"});
  addin_.host.AddSheet(book, "charlie", SheetKind::Chart);
  addin_.host.AddSheet(book, "bravo", SheetKind::Worksheet, host::xlSheetHidden);
  addin_.host.Activate(addin_.host.Sheet("delta"));
  addin_.Click("Sheets Sort");
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "bravo", "charlie", "delta"}));
  EXPECT_EQ(addin_.host.ActiveSheet().name, "delta");
}

TEST_F(SheetNames, SortMovesEverySheetOnceIncludingThoseInPlace) {
  Book({"a", "b", "c", "d"});
  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "fifth move"), 4);
  addin_.Click("Sheets Sort");
  EXPECT_TRUE(addin_.platform.messages.empty());

  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "fourth move"), 3);
  addin_.Click("Sheets Sort");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Error!\r\n\r\nfourth move"});
}

TEST_F(SheetNames, SortOfASingleSheetDoesNothing) {
  Book({"only"});
  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "moved"));
  addin_.Click("Sheets Sort");
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(SheetNames, SortInAProtectedStructureShowsTheErrorReportAndKeepsTheActiveSheet) {
  auto& book = Book({"b", "a"});
  addin_.host.ProtectStructure(book);
  addin_.Click("Sheets Sort");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  const auto& report = addin_.platform.messages.front();
  EXPECT_TRUE(report.text.starts_with("Error!\r\n\r\n")) << report.text;
  EXPECT_GT(report.text.size(), std::string("Error!\r\n\r\n").size());
  EXPECT_EQ(report.flags, 48);
  EXPECT_EQ(report.title, "Tabulara");
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a"}));
}

TEST_F(SheetNames, SortWithoutAWorkbookShowsTheErrorReport) {
  addin_.Start();
  addin_.Click("Sheets Sort");
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text,
            "Error!\r\n\r\nObject variable or With block variable not set");
}

}  // namespace
}  // namespace tabulara::addin
