#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteSampleWorkbook(book); }
  CliSandbox sandbox;
  std::filesystem::path book = sandbox.path() / "book.xlsx";
};

TEST_F(ShellTest, SessionFromStandardInputOpensReadsAndSavesToAnotherFile) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"shell"},
                                     "# a session from a script\n"
                                     "open book.xlsx\n"
                                     "\n"
                                     "get A1\n"
                                     "get a3\n"
                                     "  sheet   Notes  \n"
                                     "get B2\n"
                                     "save copy.xlsx\n"
                                     "quit\n"
                                     "sheet Data\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "value: 42\n"
            "value: 84\n"
            "formula: =A1*2\n"
            "value: note\n");
  // The original stays as it was; the copy has the sheet made active.
  EXPECT_EQ(ReadFile(book), before);
  const ProgramRun copy = sandbox.Run({"info", "copy.xlsx"});
  EXPECT_EQ(copy.exitStatus, 0) << copy.err;
  EXPECT_THAT(copy.out, HasSubstr("active sheet: Notes\n"));
}

TEST_F(ShellTest, ValuesOfEveryKindAndEmptyCells) {
  const ProgramRun run = sandbox.Run({"shell", book.string()}, "get A2\nget A4\nget Z99\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "value: Grid Wright\n"
            "value: TRUE\n"
            "value: \n");
}

TEST_F(ShellTest, SaveWithoutAFileWritesToTheOutputOptionAndLeavesTheWorkbook) {
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"shell", "-o", "out.xlsx", "--sheet", "Notes", book.string()}, "save\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(ReadFile(book), before);
  EXPECT_THAT(sandbox.Run({"info", "out.xlsx"}).out, HasSubstr("active sheet: Notes\n"));
}

TEST_F(ShellTest, SaveWithoutAFileWritesBackToTheOpenedFile) {
  const ProgramRun run = sandbox.Run({"shell"}, "open book.xlsx\nsheet notes\nsave\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(sandbox.Run({"info", "book.xlsx"}).out, HasSubstr("active sheet: Notes\n"));
}

TEST_F(ShellTest, InfoInTheSessionMatchesTheVerb) {
  const ProgramRun session = sandbox.Run({"shell", book.string()}, "info\n");
  const ProgramRun verb = sandbox.Run({"info", book.string()});
  EXPECT_EQ(session.exitStatus, 0) << session.err;
  EXPECT_EQ(session.out, verb.out);
}

TEST_F(ShellTest, MistakesAreToldAndTheSessionGoesOnWithStatusTwo) {
  const ProgramRun run = sandbox.Run({"shell"},
                                     "get A1\n"
                                     "open\n"
                                     "open missing.xlsx\n"
                                     "open book.xlsx\n"
                                     "frobnicate now\n"
                                     "sheet Nowhere\n"
                                     "get not-a-cell!\n"
                                     "get A1\n");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "value: 42\n");
  EXPECT_THAT(run.err, HasSubstr("tabulara: error: no workbook is open\n"));
  EXPECT_THAT(run.err, HasSubstr("tabulara: error: usage: open FILE\n"));
  EXPECT_THAT(run.err, HasSubstr("missing.xlsx"));
  EXPECT_THAT(run.err, HasSubstr("tabulara: error: unknown command \"frobnicate\""));
  EXPECT_THAT(run.err, HasSubstr("tabulara: error: no sheet named Nowhere\n"));
}

TEST_F(ShellTest, SelectAndCellGoToTheSheetTheyName) {
  const ProgramRun run = sandbox.Run({"shell", book.string()},
                                     "select 'Notes'!B2:C3\n"
                                     "info\n"
                                     "cell Data!A3\n"
                                     "get A3\n"
                                     "select Nowhere!A1\n"
                                     "select A1:\n"
                                     "cell A1:B2\n");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_THAT(run.out, HasSubstr("active sheet: Notes\n"));
  EXPECT_THAT(run.out, EndsWith("value: 84\nformula: =A1*2\n"));
  EXPECT_EQ(run.err,
            "tabulara: error: no sheet named Nowhere\n"
            "tabulara: error: not a cell reference: \"A1:\"\n"
            "tabulara: error: not a single cell: \"A1:B2\"\n");
}

TEST_F(ShellTest, OpeningAnotherWorkbookReplacesTheFirst) {
  const auto other = sandbox.path() / "other.xlsx";
  WriteSampleWorkbook(other);
  const ProgramRun run = sandbox.Run({"shell", book.string()}, "sheet Notes\nopen other.xlsx\ninfo\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("active sheet: Data\n"));
}

}  // namespace
}  // namespace tabulara::testing
