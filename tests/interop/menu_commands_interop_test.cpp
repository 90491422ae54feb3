#include <gtest/gtest.h>

#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

constexpr int kOpenpyxlAbsent = 3;

// The sample workbook run through the menu commands by `tabulara`, then read
// by openpyxl.
TEST(MenuCommandsInteropTest, OpenpyxlSeesSortedSheetsTheIndexAndTrimmedCells) {
  CliSandbox sandbox;
  sandbox.Copy(std::filesystem::path(TABULARA_SOURCE_DIR) / "samples" / "quarterly-sales.xlsx", "book.xlsx");
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"sort-sheets", "book.xlsx"}, {"create-index", "book.xlsx"},
        {"trim-cells", "--sheet", "January", "--select", "A1:B4", "book.xlsx"}}) {
    const ProgramRun run = sandbox.Run(command);
    ASSERT_EQ(run.exitStatus, 0) << command.front() << ": " << run.err;
    ASSERT_EQ(run.err, "") << command.front();
  }
  const auto out = sandbox.path() / "openpyxl.out";
  const int status = RunShellCommand("/usr/bin/python3 " +
                                     ShellQuoted(TABULARA_INTEROP_SCRIPTS "/menu_commands_with_openpyxl.py") + " " +
                                     ShellQuoted((sandbox.path() / "book.xlsx").string()) + " January >" +
                                     ShellQuoted(out.string()) + " 2>&1");
  if (status == kOpenpyxlAbsent) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  ASSERT_EQ(status, 0) << ReadFile(out);
  EXPECT_EQ(ReadFile(out),
            "sheets Index:visible February:visible January:visible March:visible notes:hidden Summary:visible\n"
            "index A1 'Introduction' bold=True size=16 link=-\n"
            "index A2 'Please key the description here' bold=False size=11 link=-\n"
            "index A5 'February' bold=False size=11 link=February!$A$1\n"
            "index B5 'describe that...' bold=False size=11 link=-\n"
            "index A6 'January' bold=False size=11 link=January!$A$1\n"
            "index B6 'describe that...' bold=False size=11 link=-\n"
            "index A7 'March' bold=False size=11 link=March!$A$1\n"
            "index B7 'describe that...' bold=False size=11 link=-\n"
            "index A8 'Summary' bold=False size=11 link=Summary!$A$1\n"
            "index B8 'describe that...' bold=False size=11 link=-\n"
            "index A12 'Result' bold=True size=16 link=-\n"
            "index A13 'Please key the result here' bold=False size=11 link=-\n"
            "cells 'Region' 'Sales'\n"
            "cells 'North' 102\n"
            "cells 'South' 103\n"
            "cells 'East' 104\n");
}

}  // namespace
}  // namespace tabulara::testing
