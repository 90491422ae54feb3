#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/support/tabulara_run.h"
#include "xlsx/package/package.h"

namespace tabulara::testing {
namespace {

constexpr int kOpenpyxlAbsent = 3;

// The corpus's table on the sheet "Table" widened to A1:D7, its header row
// holding blanks to trim, a number as text and names that differ only in
// letter case once trimmed.
std::filesystem::path WriteTableBook(const CliSandbox& sandbox) {
  auto package = xlsx::Package::Open(CorpusFile("excel_table_structured_refs.xlsx"));
  std::string sheet = package.Read("xl/worksheets/sheet2.xml");
  const auto row = sheet.find("<row r=\"1\"");
  sheet.replace(row, sheet.find("</row>", row) + 6 - row,
                "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">  Number</t></is></c>"
                "<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> 1.50</t></is></c>"
                "<c r=\"C1\" t=\"s\"><v>1</v></c>"
                "<c r=\"D1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> number</t></is></c></row>");
  package.Write("xl/worksheets/sheet2.xml", sheet);
  package.Write("xl/tables/table1.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                "<table xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" id=\"1\" "
                "name=\"Primes\" displayName=\"Primes\" ref=\"A1:D7\" totalsRowShown=\"0\">"
                "<autoFilter ref=\"A1:D7\"/><tableColumns count=\"4\">"
                "<tableColumn id=\"1\" name=\"  Number\"/><tableColumn id=\"2\" name=\" 1.50\"/>"
                "<tableColumn id=\"3\" name=\"Number\"/><tableColumn id=\"4\" name=\" number\"/></tableColumns>"
                "<tableStyleInfo name=\"TableStyleMedium2\" showRowStripes=\"1\"/></table>");
  const auto book = sandbox.path() / "book.xlsx";
  package.Save(book);
  return book;
}

struct HeaderChange {
  std::vector<std::string> command;
  std::vector<std::string> names;
};

std::string TableColumns(const std::vector<std::string>& names) {
  std::string columns;
  for (std::size_t i = 0; i < names.size(); ++i) {
    columns += "<tableColumn id=\"" + std::to_string(i + 1) + "\" name=\"" + names[i] + "\"/>";
  }
  return columns;
}

// Trim Cells and Clear All over a table's header row: the columns take the
// trimmed texts (a number as the host shows it), a repeated name a number
// after it, an empty header "Column<n>"; openpyxl still reads the table.
TEST(TableColumnsInteropTest, ColumnNamesFollowTheHeaderCells) {
  const std::vector<HeaderChange> cases{
      {{"trim-cells", "--sheet", "Table", "--select", "A1:D1"}, {"Number2", "1.5", "Number", "number3"}},
      {{"clear-all", "--sheet", "Table"}, {"Column1", "Column2", "Column3", "Column4"}},
  };
  if (CorpusFile("excel_table_structured_refs.xlsx").empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
  for (const HeaderChange& c : cases) {
    SCOPED_TRACE(c.command.front());
    CliSandbox sandbox;
    WriteTableBook(sandbox);
    std::vector<std::string> arguments = c.command;
    arguments.insert(arguments.end(), {"book.xlsx", "-o", "changed.xlsx"});
    const ProgramRun run = sandbox.Run(arguments);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto changed = sandbox.path() / "changed.xlsx";
    const std::string table = xlsx::Package::Open(changed).Read("xl/tables/table1.xml");
    EXPECT_NE(table.find(TableColumns(c.names)), std::string::npos) << table;

    const auto out = sandbox.path() / "openpyxl.out";
    const int status = RunShellCommand("/usr/bin/python3 " +
                                       ShellQuoted(TABULARA_INTEROP_SCRIPTS "/tables_with_openpyxl.py") + " " +
                                       ShellQuoted(changed.string()) + " >" + ShellQuoted(out.string()) + " 2>&1");
    if (status == kOpenpyxlAbsent) continue;
    ASSERT_EQ(status, 0) << ReadFile(out);
    std::string names;
    for (const std::string& name : c.names) names += (names.empty() ? "" : ",") + name;
    EXPECT_EQ(ReadFile(out), "Table|Primes|A1:D7|" + names + "\n");
  }
}

}  // namespace
}  // namespace tabulara::testing
