#include <gtest/gtest.h>

#include "cli/support/tabulara_run.h"
#include "embedded/embedded_host.h"
#include "xlsx/workbook_file.h"

namespace tabulara::testing {
namespace {

// A sheet name that would switch a terminal to line drawing and ring its
// bell.
const std::string kHostileName = "Data\x1B(0\x07";
const std::string kShownName = "Data\\x1b(0\\x07";

// What the program prints of a workbook's texts cannot drive the terminal.
class TerminalSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    embedded::EmbeddedHost host;
    auto& workbook = host.NewWorkbook({kHostileName}, "book.xlsx");
    auto& data = host.Sheet(workbook, kHostileName);
    host.SetFormula(data, "A3", "=1+1", host::Variant());
    xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "book.xlsx");
  }
  CliSandbox sandbox;
};

TEST_F(TerminalSafetyTest, InfoMessageBoxesAndErrorLinesEscapeControlCharacters) {
  const ProgramRun info = sandbox.Run({"info", "book.xlsx"});
  EXPECT_EQ(info.exitStatus, 0) << info.err;
  EXPECT_EQ(info.out, kShownName + "\tworksheet\tvisible\nactive sheet: " + kShownName + "\n");

  const ProgramRun convert = sandbox.Run({"formulas-to-values", "book.xlsx"});
  EXPECT_EQ(convert.exitStatus, 1);
  EXPECT_EQ(convert.err, "Tabulara: Error!\n\nCalculate method of Worksheet class failed: '" + kShownName +
                             "'!A3 has no calculated value in the file, and formulas cannot be calculated here\n");

  const ProgramRun missing = sandbox.Run({"info", "--sheet", "Nothing\x1B]0;x\x07", "book.xlsx"});
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_EQ(missing.err, "tabulara: error: no sheet named Nothing\\x1b]0;x\\x07\n");
}

}  // namespace
}  // namespace tabulara::testing
