#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

class MenuVerbsTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteSampleWorkbook(book); }
  std::string Info(const std::string& file) { return sandbox.Run({"info", file}).out; }

  CliSandbox sandbox;
  std::filesystem::path book = sandbox.path() / "book.xlsx";
};

TEST_F(MenuVerbsTest, SortWritesTheSortedWorkbookToTheOutputAndLeavesTheOriginal) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"sort-sheets", "book.xlsx", "-o", "sorted.xlsx"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(ReadFile(book), before);
  EXPECT_EQ(Info("sorted.xlsx"),
            "Archive\tworksheet\thidden\nData\tworksheet\tvisible\nNotes\tworksheet\tvisible\nactive sheet: Data\n");
}

TEST_F(MenuVerbsTest, CreateIndexAndTrimCellsChangeTheWorkbookInPlace) {
  EXPECT_EQ(sandbox.Run({"create-index", "book.xlsx"}).exitStatus, 0);
  EXPECT_THAT(Info("book.xlsx"), HasSubstr("Index\tworksheet\tvisible\n"));
  const ProgramRun get = sandbox.Run({"shell", "book.xlsx"}, "sheet Index\nget A5\nget A1\n");
  EXPECT_EQ(get.out, "value: Data\nvalue: Introduction\n");

  EXPECT_EQ(sandbox.Run({"trim-cells", "--sheet", "Data", "--select", "A1:A4", "book.xlsx"}).exitStatus, 0);
}

TEST_F(MenuVerbsTest, AMessageOfTheAddinGoesToStandardErrorAndNothingIsSaved) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"clear-hyperlinks", "--sheet", "Notes", "book.xlsx"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "Tabulara: No Hyperlinks in this worksheet!\n");
  EXPECT_EQ(ReadFile(book), before);
}

TEST_F(MenuVerbsTest, FormulasToValuesWithoutFormulasSaysSoAndSavesNothing) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"formulas-to-values", "--sheet", "Notes", "book.xlsx"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "Tabulara: No formula in this worksheet!\n");
  EXPECT_EQ(ReadFile(book), before);
}

TEST_F(MenuVerbsTest, ClickTakesCaptionsAndPathsAndRefusesUnknownOnes) {
  EXPECT_EQ(sandbox.Run({"click", "Sheets Sort", "Create Index", "book.xlsx"}).exitStatus, 0);
  EXPECT_THAT(Info("book.xlsx"), HasSubstr("Index\tworksheet\tvisible\nArchive\tworksheet\thidden\n"));

  const ProgramRun unknown = sandbox.Run({"click", "Tabulara/Nothing", "book.xlsx"});
  EXPECT_EQ(unknown.exitStatus, 2);
  EXPECT_EQ(unknown.err, "tabulara: error: no menu item \"Tabulara/Nothing\" is shown\n");
}

TEST_F(MenuVerbsTest, TrimCellsNeedsASelection) {
  const ProgramRun run = sandbox.Run({"trim-cells", "book.xlsx"});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err, "tabulara: error: trim-cells needs --select RANGE\n");
}

TEST_F(MenuVerbsTest, ALargeTrimAsksAndNoKeepsTheWorkbook) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"trim-cells", "--no", "--select", "A1:J1001", "book.xlsx"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_THAT(run.err, HasSubstr("Tabulara: The region you selected is more than 10000 cells"));
  EXPECT_THAT(run.err, EndsWith("\n\u2192 No (--no)\n"));
  EXPECT_EQ(ReadFile(book), before);
}

TEST_F(MenuVerbsTest, WithAnOutputFileARunThatChangesNothingWritesACopy) {
  const std::string before = ReadFile(book);
  for (const std::vector<std::string>& verb : std::vector<std::vector<std::string>>{
           {"info"}, {"clear-hyperlinks"}, {"trim-cells", "--no", "--select", "A1:J1001"}}) {
    SCOPED_TRACE(verb.front());
    std::filesystem::remove(sandbox.path() / "out.xlsx");
    std::vector<std::string> arguments = verb;
    arguments.insert(arguments.end(), {"-o", "out.xlsx", "book.xlsx"});
    const ProgramRun run = sandbox.Run(arguments);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(ReadFile(book), before);
    EXPECT_EQ(Info("out.xlsx"), Info("book.xlsx"));
  }
}

TEST_F(MenuVerbsTest, TheMenuIsHiddenWithoutAWorkbookAndItsItemsCannotBeClicked) {
  EXPECT_THAT(sandbox.Run({"menu"}).out, HasSubstr("Worksheet Menu Bar:\n  Tabulara (hidden)\n"));
  const ProgramRun shown = sandbox.Run({"menu", "book.xlsx"});
  EXPECT_EQ(shown.exitStatus, 0) << shown.err;
  EXPECT_THAT(shown.out, HasSubstr("Worksheet Menu Bar:\n  Tabulara\n    Sheets Name To Upper Case\n"));
  EXPECT_THAT(shown.out, HasSubstr("    Miscellaneous\n      Run Yahoo Messeger\n"));

  const ProgramRun run = sandbox.Run({"shell"},
                                     "click Sheets Sort\n"
                                     "open book.xlsx\n"
                                     "click Sheets Sort\n"
                                     "info\n");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err, "tabulara: error: no menu item \"Sheets Sort\" is shown\n");
  EXPECT_EQ(run.out,
            "Archive\tworksheet\thidden\nData\tworksheet\tvisible\nNotes\tworksheet\tvisible\nactive sheet: Data\n");
}

TEST_F(MenuVerbsTest, TheShellClicksSelectsAndAnswers) {
  const ProgramRun run = sandbox.Run({"shell", "book.xlsx"},
                                     "select A1:J1001\n"
                                     "answer no\n"
                                     "click Trim Cells\n"
                                     "click Tabulara/Sheets Sort\n"
                                     "info\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.err, HasSubstr("more than 10000 cells"));
  EXPECT_EQ(run.out, "Archive\tworksheet\thidden\nData\tworksheet\tvisible\nNotes\tworksheet\tvisible\nactive sheet: Data\n");
}

}  // namespace
}  // namespace tabulara::testing
