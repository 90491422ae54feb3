#include <gtest/gtest.h>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

constexpr int kOpenpyxlAbsent = 3;

// A workbook changed in a `tabulara shell` session and saved to a new file.
class ShellSaveInteropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSampleWorkbook(sandbox.path() / "book.xlsx");
    const ProgramRun run = sandbox.Run({"shell", "book.xlsx"}, "sheet Notes\nsave changed.xlsx\nquit\n");
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_TRUE(std::filesystem::exists(changed));
  }
  CliSandbox sandbox;
  std::filesystem::path changed = sandbox.path() / "changed.xlsx";
};

TEST_F(ShellSaveInteropTest, OpenpyxlReadsSheetsActiveSheetValuesAndFormulas) {
  const auto out = sandbox.path() / "openpyxl.out";
  const int status = RunShellCommand("/usr/bin/python3 " + ShellQuoted(TABULARA_INTEROP_SCRIPTS "/read_with_openpyxl.py") +
                                     " " + ShellQuoted(changed.string()) + " >" + ShellQuoted(out.string()) + " 2>&1");
  if (status == kOpenpyxlAbsent) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  ASSERT_EQ(status, 0) << ReadFile(out);
  EXPECT_EQ(ReadFile(out),
            "sheet Data visible\n"
            "sheet Notes visible\n"
            "sheet Archive hidden\n"
            "active Notes\n"
            "cell Data!A1 int 42\n"
            "cell Data!A2 str Grid Wright\n"
            "cell Data!A3 str =A1*2\n"
            "cell Data!A4 bool True\n"
            "cell Notes!B2 str note\n"
            "cached Data!A1 int 42\n"
            "cached Data!A2 str Grid Wright\n"
            "cached Data!A3 int 84\n"
            "cached Data!A4 bool True\n"
            "cached Notes!B2 str note\n");
}

TEST_F(ShellSaveInteropTest, LibreOfficeConvertsItWithoutComplaint) {
  if (RunShellCommand("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice is not on the PATH";
  const auto log = sandbox.path() / "soffice.log";
  const std::string profile = "file://" + (sandbox.path() / "lo-profile").string();
  const int status = RunShellCommand(
      "cd " + ShellQuoted(sandbox.path().string()) + " && soffice -env:UserInstallation=" + ShellQuoted(profile) +
      " --headless --convert-to csv --outdir converted changed.xlsx >" + ShellQuoted(log.string()) + " 2>&1");
  const std::string output = ReadFile(log);
  ASSERT_EQ(status, 0) << output;
  EXPECT_TRUE(std::filesystem::exists(sandbox.path() / "converted" / "changed.csv")) << output;
  EXPECT_EQ(output.find("Error"), std::string::npos) << output;
}

}  // namespace
}  // namespace tabulara::testing
