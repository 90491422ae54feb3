#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ranges>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "cli/support/tabulara_run.h"
#include "embedded/embedded_host.h"
#include "embedded/rules/drawing.h"
#include "xlsx/package/package.h"
#include "xlsx/workbook_file.h"

namespace tabulara::testing {
namespace {

// Runs `tabulara` with `arguments` on a copy of `file` named "book.xlsx",
// writing "changed.xlsx"; false when there is no file (the corpus is absent).
bool RunOn(const CliSandbox& sandbox, const std::filesystem::path& file, std::vector<std::string> arguments) {
  if (file.empty()) return false;
  sandbox.Copy(file, "book.xlsx");
  arguments.insert(arguments.end(), {"book.xlsx", "-o", "changed.xlsx"});
  const ProgramRun run = sandbox.Run(arguments);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  return true;
}

// Converts `file` with LibreOffice into the folder "converted"; false when
// soffice is not on the PATH.
bool LibreOfficeConverts(const CliSandbox& sandbox, const std::string& file, const std::string& format) {
  if (!HasProgram("soffice")) return false;
  const auto log = sandbox.path() / "soffice.log";
  const std::string profile = "file://" + (sandbox.path() / "lo-profile").string();
  const int status = RunShellCommand("cd " + ShellQuoted(sandbox.path().string()) +
                                     " && soffice -env:UserInstallation=" + ShellQuoted(profile) +
                                     " --headless --convert-to " + format + " --outdir converted " + file + " >" +
                                     ShellQuoted(log.string()) + " 2>&1");
  EXPECT_EQ(status, 0) << ReadFile(log);
  return true;
}

std::string Part(const CliSandbox& sandbox, const std::string& file, const std::string& part) {
  return xlsx::Package::Open(sandbox.path() / file).Read(part);
}

// The sample workbook run through the menu commands, then converted by
// LibreOffice: its first sheet is the index of the sorted sheets.
TEST(MenuCommandsInteropTest, LibreOfficeReadsTheResult) {
  if (!HasProgram("soffice")) GTEST_SKIP() << "soffice is not on the PATH";
  CliSandbox sandbox;
  sandbox.Copy(std::filesystem::path(TABULARA_SOURCE_DIR) / "samples" / "quarterly-sales.xlsx", "book.xlsx");
  const ProgramRun run = sandbox.Run(
      {"click", "Trim Cells", "Sheets Sort", "Create Index", "--sheet", "January", "--select", "A1:B4", "book.xlsx"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const auto log = sandbox.path() / "soffice.log";
  const std::string profile = "file://" + (sandbox.path() / "lo-profile").string();
  const int status = RunShellCommand(
      "cd " + ShellQuoted(sandbox.path().string()) + " && soffice -env:UserInstallation=" + ShellQuoted(profile) +
      " --headless --convert-to csv --outdir converted book.xlsx >" + ShellQuoted(log.string()) + " 2>&1");
  ASSERT_EQ(status, 0) << ReadFile(log);
  EXPECT_EQ(ReadFile(sandbox.path() / "converted" / "book.csv"),
            "Introduction,\nPlease key the description here,\n,\n,\nFebruary,describe that...\n"
            "January,describe that...\nMarch,describe that...\nSummary,describe that...\n,\n,\n,\nResult,\n"
            "Please key the result here,\n");
}

// "book.xlsx": "Data" with two cells, a formatted row and column, and
// "Locked", protected; "lines.xlsx": the spotter's lines around a cell 100
// points wide and 409 high, past the sheet's last column and row.
void WriteFontAndLineBooks(const CliSandbox& sandbox) {
  embedded::EmbeddedHost host;
  auto& workbook = host.NewWorkbook({"Data", "Locked"}, "book.xlsx");
  auto& data = host.Sheet(workbook, "Data");
  host.SetValue(data, "A1", 1);
  host.SetValue(data, "C2", "x");
  data.grid().rows[5].format = workbook.formats.Intern({{"Times New Roman", 9}});
  const std::uint32_t verdana = workbook.formats.Intern({{"Verdana", 8}});
  data.grid().columns.Change(4, 4, {}, [&](embedded::model::Column& column) { column.format = verdana; });
  host.SetValue(host.Sheet(workbook, "Locked"), "A1", "keep");
  host.ProtectSheet(host.Sheet(workbook, "Locked"));
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "book.xlsx");
  for (const auto& [beginX, beginY, endX, endY] : {std::array{0., 0., 1e6, 0.}, std::array{0., 409., 1e6, 409.},
                                                   std::array{0., 0., 0., 2863e4}, std::array{100., 0., 100., 2863e4}}) {
    embedded::AddLine(data, beginX, beginY, endX, endY);
  }
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "lines.xlsx");
}

// Unify Sheets Font's file: the font on the cells in use, the formatted row
// and every column, so that a cell typed later gets it, also after
// LibreOffice saved it again; the protected sheet keeps its own. Lines past
// the sheet's edge are a drawing both read.
TEST(FontAndLinesInteropTest, OpenpyxlAndLibreOfficeReadWhatWasWritten) {
  CliSandbox sandbox;
  WriteFontAndLineBooks(sandbox);
  sandbox.Write("config/Quorvel.Gridwright/settings.ini",
                "[FontSetting]\nSameFontName=1\nFontName=Courier New\nSameFontSize=1\nFontSize=12\n"
                "SameFontStyle=1\nFontBold=1\n");
  const ProgramRun run = sandbox.Run({"unify-font", "book.xlsx"});
  ASSERT_EQ(std::tie(run.exitStatus, run.err), std::tuple(0, ""));
  const std::string unified =
      "Data|cols 1-3|Courier New/12/b\nData|cols 4-4|Courier New/12/b\nData|cols 5-16384|Courier New/12/b\n"
      "Data|row 5|Courier New/12/b\nData|A1|Courier New/12/b\nData|C2|Courier New/12/b\nLocked|A1|Calibri/11\n";
  const auto fonts = sandbox.Python(TABULARA_INTEROP_SCRIPTS "/fonts_with_openpyxl.py", {"book.xlsx"});
  if (!fonts) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_EQ(*fonts, unified);
  EXPECT_TRUE(sandbox.Python(TABULARA_INTEROP_SCRIPTS "/fonts_with_openpyxl.py", {"lines.xlsx"}));

  if (!LibreOfficeConverts(sandbox, "book.xlsx", "xlsx")) GTEST_SKIP() << "soffice is not on the PATH";
  // LibreOffice joins the columns of one style and drops a row format that
  // its columns repeat.
  EXPECT_EQ(sandbox.Python(TABULARA_INTEROP_SCRIPTS "/fonts_with_openpyxl.py", {"converted/book.xlsx"}),
            "Data|cols 1-16384|Courier New/12/b\nData|A1|Courier New/12/b\nData|C2|Courier New/12/b\n"
            "Locked|A1|Calibri/11\n");
  LibreOfficeConverts(sandbox, "lines.xlsx", "fods");
  const std::string lines = ReadFile(sandbox.path() / "converted" / "lines.fods");
  EXPECT_EQ(std::ranges::distance(lines | std::views::split(std::string_view("<draw:connector "))), 5) << lines;
}

// Workbooks changed by a session of menu commands, as openpyxl reads them:
// the listing of workbook_with_openpyxl.py equals the one under expected/.
TEST(OpenpyxlReadsTest, WhatTheCommandsWrote) {
  const std::vector<std::tuple<std::filesystem::path, std::string, std::string>> sessions{
      {std::filesystem::path(TABULARA_SOURCE_DIR) / "samples" / "quarterly-sales.xlsx",
       "sheet March\nselect A1:C4\nclick Trim Cells\nclick Sheets Sort\nclick Create Index\n", "sample.txt"},
      {CorpusFile("excel_comments_hyperlinks_names.xlsx"),
       "click Clear Hyperlinks\nclick Sheets Name To Upper Case\n", "comments.txt"},
  };
  for (const auto& [book, commands, listing] : sessions) {
    SCOPED_TRACE(listing);
    if (book.empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
    CliSandbox sandbox;
    sandbox.Copy(book, "book.xlsx");
    const ProgramRun run = sandbox.Run({"shell", "book.xlsx"}, commands + "save changed.xlsx\n");
    ASSERT_EQ(run.err, "");
    const auto read = sandbox.Python(TABULARA_INTEROP_SCRIPTS "/workbook_with_openpyxl.py", {"changed.xlsx"});
    if (!read) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
    EXPECT_EQ(*read, ReadFile(TABULARA_INTEROP_SCRIPTS "/expected/" + listing));
  }
}

std::string CalculateFailed(const std::string& why) {
  return "Tabulara: Error!\n\nCalculate method of Worksheet class failed: " + why +
         ", and formulas cannot be calculated here\n";
}

// Convert Formula To Value takes only values the file vouches for: after a
// constant changed in the session every cached value may be stale, and the
// file saved then asks to be calculated when opened, and is taken at its word.
TEST(FormulasToValuesTest, CachedValuesConvertUntilCellsChange) {
  // "Formulas" A1 =SUM(...) 209, A2 ="one" by formula; "Table" holds constants.
  CliSandbox sandbox;
  const auto corpusFile = CorpusFile("excel_table_structured_refs.xlsx");
  if (corpusFile.empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
  sandbox.Copy(corpusFile, "book.xlsx");
  const ProgramRun session = sandbox.Run({"shell", "book.xlsx"}, "sheet Formulas\nclick Convert Formula To Value\n"
                                                                 "get A1\nget A2\nopen book.xlsx\nsheet Table\n"
                                                                 "click Clear All\nsheet Formulas\n"
                                                                 "click Convert Formula To Value\nsave stale.xlsx\n");
  EXPECT_EQ(session.out, "value: 209\nvalue: one\n");
  EXPECT_EQ(session.err, CalculateFailed("cells have changed since the file was read, so the value of Formulas!A1 "
                                         "may be out of date"));
  const std::string saved = ReadFile(sandbox.path() / "stale.xlsx");
  const ProgramRun reopened = sandbox.Run({"formulas-to-values", "--sheet", "Formulas", "stale.xlsx"});
  EXPECT_EQ(reopened.exitStatus, 1);
  EXPECT_EQ(reopened.err, CalculateFailed("the file asks for its formulas to be calculated when it is opened, so the "
                                          "value of Formulas!A1 is not known"));
  EXPECT_EQ(ReadFile(sandbox.path() / "stale.xlsx"), saved);
}

// A file from a tool that calculates nothing: the formulas' values come
// from the host's formula engine.
TEST(FormulasToValuesTest, AFileWithoutValuesIsCalculated) {
  const std::string script = TABULARA_INTEROP_SCRIPTS "/formulas_without_values.py";
  CliSandbox sandbox;
  const auto written = sandbox.Python(script, {"write", "book.xlsx"});
  if (!written) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  ASSERT_EQ(*written, "");
  const ProgramRun calculated = sandbox.Run({"calculate", "book.xlsx", "-o", "calculated.xlsx"});
  ASSERT_EQ(calculated.exitStatus, 0) << calculated.err;
  EXPECT_EQ(Part(sandbox, "calculated.xlsx", "xl/workbook.xml").find("fullCalcOnLoad"), std::string::npos)
      << "every value is current";
  const ProgramRun run = sandbox.Run({"formulas-to-values", "book.xlsx"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(sandbox.Python(script, {"read", "book.xlsx"}), "A1 3 n\nA2 '#DIV/0!' e\nA3 'tx' s\n");
}

// The corpus's table on the sheet "Table" widened to A1:D7, its header row
// holding blanks to trim, a number as text and names that differ only in
// letter case once trimmed.
void WriteTableBook(const std::filesystem::path& file) {
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
  package.Save(file);
}

std::string TableColumns(const std::vector<std::string>& names) {
  std::string columns;
  for (std::size_t i = 0; i < names.size(); ++i) {
    columns += "<tableColumn id=\"" + std::to_string(i + 1) + "\" name=\"" + names[i] + "\"/>";
  }
  return columns;
}

// A corpus file changed by a verb: the parts that must hold a text, the
// parts that must leave the file (with their content types), and what an
// openpyxl listing then prints.
struct Change {
  std::string book;
  std::vector<std::string> arguments;
  std::vector<std::pair<std::string, std::string>> partsHold;
  std::set<std::string> removed = {};
  std::string script = "";
  std::string listing = "";
};

TEST(CorpusChangesTest, PartsFollowTheChangeAndOpenpyxlReadsThem) {
  const std::string drawings = TABULARA_SOURCE_DIR "/tests/xlsx/interop/drawing_listing.py";
  const std::string tables = TABULARA_INTEROP_SCRIPTS "/tables_with_openpyxl.py";
  const std::vector<Change> changes{
      // The pivot caches read their data from the renamed sheets, a pivot chart names its pivot table's renamed
      // sheet; a source given by a table's name stays.
      {"excel_pivot_table.xlsx", {"upper-case-sheets"},
       {{"xl/pivotCache/pivotCacheDefinition1.xml", "<worksheetSource ref=\"A1:C4\" sheet=\"TABELLE1\"/>"},
        {"xl/pivotCache/pivotCacheDefinition2.xml", "<worksheetSource name=\"Tabelle1\"/>"}}},
      {"excel_chartsheet_pivot.xlsx", {"upper-case-sheets"},
       {{"xl/pivotCache/pivotCacheDefinition3.xml", "<worksheetSource ref=\"A1:D13\" sheet=\"SHEET1\"/>"},
        {"xl/charts/chart1.xml", "<c:name>[CVT23.tmp]SHEET2!PivotTable2</c:name>"}}},
      // Pictures, charts and drawings that nothing shows any more leave the file; a part that another sheet
      // still shows (Sheet2 of "shared pictures", through a drawing of its own) stays.
      {"libreoffice_grouped_images.xlsx", {"clear-all", "--sheet", "LMNP_page garde"}, {},
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.png",
        "xl/media/image2.bmp", "xl/media/image3.tif", "xl/media/image4.gif", "xl/media/image5.png",
        "xl/media/image6.svg"},
       drawings, "LMNP_page garde|images=0|charts=0\n"},
      {"libreoffice_line_chart.xlsx", {"clear-shapes", "--sheet", "Sheet1"}, {},
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels", "xl/charts/chart3.xml"}, drawings,
       "Sheet1|images=0|charts=0\n"},
      {"shared pictures", {"clear-shapes", "--sheet", "Sheet1"}, {},
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels"}, drawings,
       "Sheet1|images=0|charts=0\nSheet2|images=2|charts=0\nSheet3|images=0|charts=0\n"},
      // Table columns take the trimmed header texts (a number as the host shows it), a repeated name a number
      // after it, an empty header "Column<n>"; the header cells hold the names as text.
      {"table", {"trim-cells", "--sheet", "Table", "--select", "A1:D1"},
       {{"xl/tables/table1.xml", TableColumns({"Number2", "1.5", "Number", "number3"})}}, {}, tables,
       "Table|Primes|A1:D7|Number2,1.5,Number,number3|'Number2','1.5','Number','number3'\n"},
      {"table", {"clear-all", "--sheet", "Table"},
       {{"xl/tables/table1.xml", TableColumns({"Column1", "Column2", "Column3", "Column4"})}}, {"xl/calcChain.xml"},
       tables, "Table|Primes|A1:D7|Column1,Column2,Column3,Column4|'Column1','Column2','Column3','Column4'\n"},
  };
  if (CorpusFile("excel_drawing_pictures_shape.xlsx").empty()) GTEST_SKIP() << "the corpus is absent";
  const bool openpyxl = RunShellCommand("/usr/bin/python3 -c 'import openpyxl, PIL' 2>/dev/null") == 0;
  for (const Change& c : changes) {
    SCOPED_TRACE(c.book + " " + c.arguments.front());
    CliSandbox sandbox;
    auto book = sandbox.path() / "prepared.xlsx";
    if (c.book == "table") {
      WriteTableBook(book);
    } else if (c.book == "shared pictures") {
      const auto pictures = CorpusFile("excel_drawing_pictures_shape.xlsx");
      ASSERT_EQ(sandbox.Python(TABULARA_INTEROP_SCRIPTS "/share_sheet1_pictures.py", {pictures, book}), "");
    } else {
      book = CorpusFile(c.book);
    }
    ASSERT_TRUE(RunOn(sandbox, book, c.arguments));
    for (const auto& [part, text] : c.partsHold) {
      EXPECT_NE(Part(sandbox, "changed.xlsx", part).find(text), std::string::npos) << part;
    }
    const auto before = xlsx::Package::Open(sandbox.path() / "book.xlsx").PartNames();
    std::set<std::string> expected(before.begin(), before.end());
    for (const std::string& part : c.removed) ASSERT_EQ(expected.erase(part), 1u) << part;
    const auto after = xlsx::Package::Open(sandbox.path() / "changed.xlsx").PartNames();
    EXPECT_EQ(std::set<std::string>(after.begin(), after.end()), expected);
    const std::string contentTypes = Part(sandbox, "changed.xlsx", "[Content_Types].xml");
    for (const std::string& part : c.removed) EXPECT_EQ(contentTypes.find("\"/" + part + "\""), std::string::npos);
    if (openpyxl && !c.script.empty()) {
      EXPECT_EQ(sandbox.Python(c.script, {"changed.xlsx"}), c.listing);
    }
  }
}

}  // namespace
}  // namespace tabulara::testing
