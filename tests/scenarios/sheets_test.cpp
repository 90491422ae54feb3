#include <gtest/gtest.h>

#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::SheetKind;
using testing::AddinHarness;

class Sheets : public ::testing::Test {
 protected:
  std::vector<std::string> Names() { return addin_.host.SheetNames(addin_.host.ActiveWorkbook()); }
  embedded::model::Sheet& Index() { return addin_.host.Sheet("Index"); }
  std::string Text(std::string_view cell) {
    const auto value = addin_.host.Value(Index(), cell);
    return value.IsText() ? value.AsText() : "";
  }

  AddinHarness addin_;
};

// The case commands rename every sheet that is not hidden; very hidden ones
// and chart sheets are renamed.
TEST_F(Sheets, CaseCommandsRenameEverySheetThatIsNotHidden) {
  auto& book = addin_.StartWith({" sales q1 ", "Data"});
  addin_.host.AddSheet(book, "Data2", SheetKind::Worksheet, host::xlSheetHidden);
  addin_.host.AddSheet(book, "secret", SheetKind::Worksheet, host::xlSheetVeryHidden);
  addin_.host.AddSheet(book, "chart ONE", SheetKind::Chart);
  addin_.Click("Sheets Name To Upper Case");
  EXPECT_EQ(Names(), (std::vector<std::string>{" SALES Q1 ", "DATA", "Data2", "SECRET", "CHART ONE"}));
  addin_.Click("Sheets Name To Lower Case");
  EXPECT_EQ(Names(), (std::vector<std::string>{" sales q1 ", "data", "Data2", "secret", "chart one"}));
  addin_.Click("Capitalize Sheets Name");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sales q1", "Data", "Data2", "Secret", "Chart one"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Sheets, EveryNameIsWrittenBackEvenWhenItDoesNotChange) {
  addin_.StartWith({"ONE", "TWO"});
  addin_.host.runtime().FailOn("Sheet.Name.Put", host::HostError(1004, "second rename"), 1);
  EXPECT_THROW(addin_.Click("Sheets Name To Upper Case"), host::HostError);
}

TEST_F(Sheets, ACapitalizedNameTakenByAnotherSheetStopsTheCommandThere) {
  addin_.StartWith({"first", "A", " a", "last"});
  EXPECT_THROW(addin_.Click("Capitalize Sheets Name"), host::HostError);
  EXPECT_EQ(Names(), (std::vector<std::string>{"First", "A", " a", "last"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Sheets, SortIgnoresCaseAndPlacesHiddenAndChartSheetsAndRestoresTheActiveSheet) {
  auto& book = addin_.StartWith({"delta", "alpha"});
  addin_.host.AddSheet(book, "Charlie", SheetKind::Chart);
  addin_.host.AddSheet(book, "bravo", SheetKind::Worksheet, host::xlSheetHidden);
  addin_.host.Activate(addin_.host.Sheet("delta"));
  addin_.Click("Sheets Sort");
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "bravo", "Charlie", "delta"}));
  EXPECT_EQ(addin_.host.ActiveSheet().name, "delta");
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(Sheets, SortMovesEverySheetOnceIncludingThoseInPlace) {
  addin_.StartWith({"a", "b", "c", "d"});
  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "fifth move"), 4);
  addin_.Click("Sheets Sort");
  EXPECT_TRUE(addin_.platform.messages.empty());

  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "fourth move"), 3);
  addin_.Click("Sheets Sort");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Error!\r\n\r\nfourth move"});
  // A single sheet is not moved.
  addin_.host.NewWorkbook({"only"});
  addin_.host.runtime().FailOn("Sheet.Move", host::HostError(1004, "moved"));
  addin_.Click("Sheets Sort");
  EXPECT_EQ(addin_.platform.messages.size(), 1u);
}

TEST_F(Sheets, SortAndIndexInAProtectedStructureShowTheErrorReportAndChangeNothing) {
  addin_.host.ProtectStructure(addin_.StartWith({"b", "a"}));
  for (const char* command : {"Sheets Sort", "Create Index"}) addin_.Click(command);
  ASSERT_EQ(addin_.platform.messages.size(), 2u);
  for (const auto& report : addin_.platform.messages) {
    EXPECT_TRUE(report.text.starts_with("Error!\r\n\r\n")) << report.text;
    EXPECT_GT(report.text.size(), std::string("Error!\r\n\r\n").size());
    EXPECT_EQ(report.flags, 48);
    EXPECT_EQ(report.title, "Tabulara");
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(addin_.host.model().screenUpdating);
}

TEST_F(Sheets, IndexListsVisibleWorksheetsWithHyperlinksBetweenTitleAndClosingBlocks) {
  auto& book = addin_.host.NewWorkbook({"My Sheet", "Calc", "It's"}, "Book1.xlsx");
  addin_.host.Sheet("Calc").visibility = host::xlSheetHidden;
  addin_.host.AddSheet(book, "Chart1", SheetKind::Chart);
  addin_.Start();
  addin_.Click("Create Index");

  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(addin_.host.SheetNames(book), (std::vector<std::string>{"Index", "My Sheet", "Calc", "It's", "Chart1"}));
  const std::pair<const char*, const char*> cells[] = {
      {"A1", "Introduction"}, {"A2", "Please key the description here"},
      {"A3", ""}, {"A4", ""}, {"A5", "My Sheet"}, {"B5", "describe that..."}, {"A6", "It's"},
      {"B6", "describe that..."}, {"A7", ""}, {"A8", ""}, {"A9", ""}, {"B7", ""},
      {"A10", "Result"}, {"A11", "Please key the result here"}, {"A12", ""},
  };
  for (const auto& [cell, text] : cells) EXPECT_EQ(Text(cell), text) << cell;
  for (const char* heading : {"A1", "A10"}) {
    EXPECT_TRUE(addin_.host.Font(Index(), heading).bold);
    EXPECT_EQ(addin_.host.Font(Index(), heading).size, 16);
  }
  for (const char* plain : {"A2", "B5", "A11"}) EXPECT_FALSE(addin_.host.Font(Index(), plain).bold) << plain;

  const auto& links = Index().hyperlinks();
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].address, "");
  EXPECT_EQ(links[0].subAddress, "'[Book1.xlsx]My Sheet'!$A$1");
  EXPECT_EQ(links[1].subAddress, "'[Book1.xlsx]It''s'!$A$1");
  EXPECT_EQ(addin_.host.model().settingsLog, (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True"}));
}

TEST_F(Sheets, IndexGoesBeforeTheFirstWorksheetBehindLeadingChartSheets) {
  auto& book = addin_.host.NewWorkbook({"Data"});
  addin_.host.AddSheet(book, "Chart1", SheetKind::Chart);
  addin_.host.Sheet("Chart1").visibility = host::xlSheetVisible;
  std::swap(book.sheets[0], book.sheets[1]);
  addin_.Start();
  addin_.Click("Create Index");
  EXPECT_EQ(addin_.host.SheetNames(book), (std::vector<std::string>{"Chart1", "Index", "Data"}));
}

// A sheet of the index's name in any case, of any kind, refuses the index,
// with one message when it is visible and another when it is not.
TEST_F(Sheets, ASheetOfTheIndexsNameRefusesTheIndex) {
  auto& book = addin_.StartWith({"Data"});
  addin_.host.AddSheet(book, "Index", SheetKind::Chart);
  addin_.Click("Create Index");
  addin_.host.Sheet("Index").name = "Chart1";
  auto& sheet = addin_.host.AddSheet(book, "INDEX", SheetKind::Worksheet, host::xlSheetHidden);
  addin_.Click("Create Index");
  sheet.visibility = host::xlSheetVeryHidden;
  addin_.Click("Create Index");
  const std::string visible =
      "The worksheet [ Index ] is existing, please rename or delete this worksheet then try again.";
  const std::string invisible =
      "The worksheet [ Index ] is existing and invisible, please rename or delete this worksheet then try again.";
  EXPECT_EQ(addin_.MessageTexts(), (std::vector<std::string>{visible, invisible, invisible}));
  for (const auto& message : addin_.platform.messages) EXPECT_EQ(message.flags, 64);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Data", "Chart1", "INDEX"}));
}

TEST_F(Sheets, IndexNameComesFromTheLanguageFile) {
  addin_.platform.WriteInstallFile("English.lang", "[index]\r\nindexName=Contents\r\n");
  addin_.StartWith({"Data"});
  addin_.Click("Create Index");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Contents", "Data"}));
  addin_.Click("Create Index");
  EXPECT_EQ(addin_.MessageTexts(),
            std::vector<std::string>{"The worksheet [ Contents ] is existing, please rename or delete this worksheet "
                                     "then try again."});
}

}  // namespace
}  // namespace tabulara::addin
