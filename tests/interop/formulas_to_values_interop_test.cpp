#include <gtest/gtest.h>

#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

constexpr int kOpenpyxlAbsent = 3;

std::string CalculateFailed(const std::string& why) {
  return "Tabulara: Error!\n\nCalculate method of Worksheet class failed: " + why +
         ", and formulas cannot be calculated here\n";
}

// Convert Formula To Value takes only values the file vouches for: a value
// nobody computed is refused with the error report, and nothing is saved.
class FormulasToValuesTest : public ::testing::Test {
 protected:
  CliSandbox sandbox;
};

TEST_F(FormulasToValuesTest, FormulasWithoutCalculatedValuesAreRefused) {
  const auto book = sandbox.path() / "openpyxl.xlsx";
  const int status = RunShellCommand("/usr/bin/python3 " +
                                     ShellQuoted(TABULARA_INTEROP_SCRIPTS "/write_formulas_with_openpyxl.py") + " " +
                                     ShellQuoted(book.string()));
  if (status == kOpenpyxlAbsent) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  ASSERT_EQ(status, 0);
  const std::string before = ReadFile(book);
  const ProgramRun run = sandbox.Run({"formulas-to-values", "--sheet", "Data", "openpyxl.xlsx"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, CalculateFailed("Data!C1 has no calculated value in the file"));
  EXPECT_EQ(ReadFile(book), before);
}

TEST_F(FormulasToValuesTest, CachedValuesConvertUntilCellsChange) {
  // "Formulas" A1 =SUM(...) 209, A2 ="one" by formula; "Table" holds constants.
  const auto corpusFile = CorpusFile("excel_table_structured_refs.xlsx");
  if (corpusFile.empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
  sandbox.Copy(corpusFile, "cached.xlsx");
  const ProgramRun converted =
      sandbox.Run({"formulas-to-values", "--sheet", "Formulas", "cached.xlsx", "-o", "values.xlsx"});
  ASSERT_EQ(converted.exitStatus, 0) << converted.err;
  EXPECT_EQ(converted.err, "");
  EXPECT_EQ(sandbox.Run({"shell", "values.xlsx"}, "sheet Formulas\nget A1\nget A2\n").out, "value: 209\nvalue: one\n");

  // A constant changed in the session may have left every cached value stale.
  const ProgramRun session = sandbox.Run({"shell", "cached.xlsx"}, "sheet Table\nclick Clear All\nsheet Formulas\n"
                                                                   "click Convert Formula To Value\nsave changed.xlsx\n");
  EXPECT_EQ(session.err, CalculateFailed("cells have changed since the file was read, so the value of Formulas!A1 "
                                         "may be out of date"));

  // The file saved then asks to be calculated when opened, and is taken at its word.
  const std::string saved = ReadFile(sandbox.path() / "changed.xlsx");
  const ProgramRun reopened = sandbox.Run({"formulas-to-values", "--sheet", "Formulas", "changed.xlsx"});
  EXPECT_EQ(reopened.exitStatus, 1);
  EXPECT_EQ(reopened.err, CalculateFailed("the file asks for its formulas to be calculated when it is opened, so the "
                                          "value of Formulas!A1 is not known"));
  EXPECT_EQ(ReadFile(sandbox.path() / "changed.xlsx"), saved);
}

}  // namespace
}  // namespace tabulara::testing
