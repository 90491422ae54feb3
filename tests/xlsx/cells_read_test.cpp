#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>

#include "embedded/rules/range_edits.h"
#include "embedded/rules/range_queries.h"
#include "host/constants.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using embedded::model::CellRect;

using CellsRead = CorpusTest;

TEST_F(CellsRead, ValuesAndFormulasOfTheCorpus) {
  using host::ErrorValue;
  using host::Variant;
  const struct {
    const char* file;
    const char* cell;
    Variant value;
    // "-" when the cell's formula is not checked.
    const char* formula;
  } cells[] = {
      {"excel_dates_datetime_formats.xlsx", "A3", Variant(std::string("Date *3/14/2012 (US)")), ""},
      {"excelmac_dates_1904.xlsx", "B5", Variant(host::Date{11111 + 1462}), "-"},
      {"excelmac_dates_1904.xlsx", "A5", Variant(11111.0), "-"},
      {"excelmac_dates_1904.xlsx", "C5", Variant(std::string("1934-06-03")), "=TEXT(B5,\"YYYY-MM-DD\")"},
      {"excelmac_dates_1904.xlsx", "D4", Variant(std::string("1907-01-16")), "=T(C4)"},
      {"excelmac_dates_1904.xlsx", "A4", Variant(1111.0), ""},
      {"excelmac_error_values.xlsx", "A2", Variant(ErrorValue{host::xlErrNull}), ""},
      {"excelmac_error_values.xlsx", "A3", Variant(ErrorValue{host::xlErrDiv0}), ""},
      {"excelmac_error_values.xlsx", "H2", Variant(true), "=ISERR(A2)"},
      {"excelmac_error_values.xlsx", "G2", Variant(16.0), "-"},
      {"excel_array_formulas_errors.xlsx", "H2", Variant(0.0), "=B2:D4 + E2:G4"},
      {"excel_array_formulas_errors.xlsx", "H10", Variant(ErrorValue{host::xlErrValue}), "-"},
      {"excelmac_rich_text.xlsx", "B2", Variant(std::string("this text is bold, sure enough")), ""},
      {"excelmac_rich_text.xlsx", "B5", Variant(std::string("this text is sz10, sure enough")), ""},
  };
  for (const auto& expected : cells) {
    SCOPED_TRACE(std::string(expected.file) + " " + expected.cell);
    auto& book = Open(expected.file);
    EXPECT_EQ(ValueAt(book, *book.sheets.front(), expected.cell), expected.value);
    if (*expected.formula != '-') {
      EXPECT_EQ(FormulaAt(*book.sheets.front(), expected.cell), expected.formula);
    }
  }
}

TEST_F(CellsRead, DatesKeepTheirTimeOfDayAndFormatsFontsWidthsAndHeightsAreRead) {
  auto& book = Open("excel_dates_datetime_formats.xlsx");
  auto& sheet = *book.sheets.front();
  const host::Variant value = ValueAt(book, sheet, "B2");
  ASSERT_TRUE(value.IsDate());
  EXPECT_NEAR(value.AsDate().serial, 40982 + (13 * 3600 + 30 * 60 + 55.2) / 86400, 1e-9);
  EXPECT_TRUE(ValueAt(book, sheet, "C3").IsNumber()) << "a number format without date codes";
  EXPECT_EQ(FormulaAt(sheet, "C3"), "=B3");
  EXPECT_EQ(FormatAt(book, sheet, "B4").numberFormat, "[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy");
  EXPECT_EQ(sheet.grid.columns.Find(1)->width, 36.28515625);
  EXPECT_EQ(sheet.grid.columns.Find(3)->width, 15.85546875);

  auto& rich = Open("excelmac_rich_text.xlsx");
  auto& richSheet = *rich.sheets.front();
  EXPECT_TRUE(FormatAt(rich, richSheet, "A2").font.bold);
  EXPECT_EQ(FormatAt(rich, richSheet, "A5").font.size, 10);
  EXPECT_EQ(richSheet.grid.rows.at(7).height, 17);
  EXPECT_EQ(richSheet.grid.defaultRowHeight, 15);
  EXPECT_EQ(richSheet.grid.defaultColumnWidth, 2925.0 / 256) << "10 digits and padding, 80 pixels";
}

TEST_F(FileTest, EveryKindOfCellValue) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Rich </t></r>"
      "<r><rPr><b/></rPr><t>text</t></r></is></c><c r=\"B1\" t=\"d\"><v>2024-03-01T12:00:00</v></c>"
      "<c r=\"C1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c><c r=\"D1\" t=\"b\"><v>1</v></c>"
      "<c r=\"E1\"><v>-1.5E-3</v></c><c t=\"str\"><v>line_x000D_</v></c></row>"));
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "A1"), host::Variant(std::string("Rich text")));
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(45352.5));
  EXPECT_EQ(ValueAt(book, sheet, "C1"), host::Variant(std::string("ab")));
  EXPECT_EQ(FormulaAt(sheet, "C1"), "=\"a\"&\"b\"");
  EXPECT_EQ(ValueAt(book, sheet, "D1"), host::Variant(true));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(-0.0015));
  EXPECT_EQ(ValueAt(book, sheet, "F1"), host::Variant(std::string("line\r")));
}

// A file's claims about ranges (an array formula over the whole sheet,
// columns 1 to 16384) cost what the file's bytes cost: reading and saving
// such a file runs in a child process whose address space and processor
// time are limited.
constexpr rlim_t kAddressSpace = rlim_t{1} << 30;

// Far beyond what any case takes; a cost that grows with what the file
// claims runs into it.
constexpr rlim_t kProcessorSeconds = 20;

// Opens and saves the file within kAddressSpace and kProcessorSeconds, then
// ends the process.
[[noreturn]] void OpenAndSaveWithinMemory(const std::filesystem::path& file, const std::filesystem::path& saved) {
  const rlimit memory{kAddressSpace, kAddressSpace};
  setrlimit(RLIMIT_AS, &memory);
  const rlimit processor{kProcessorSeconds, kProcessorSeconds};
  setrlimit(RLIMIT_CPU, &processor);
  WorkbookFile::Open(file)->Save(saved);
  std::exit(0);
}

// The minimal workbook of `sheets` sheets whose worksheets hold `body`.
Parts WorkbookOf(const std::string& body, int sheets = 1) {
  auto parts = MinimalWorkbookParts("", sheets);
  for (int i = 1; i <= sheets; ++i) {
    parts["xl/worksheets/sheet" + std::to_string(i) + ".xml"] = WorksheetXml(body);
  }
  return parts;
}

using CellsClaims = FileTest;

TEST_F(CellsClaims, ColumnRangesCostTheirRecords) {
  std::string records;
  for (int i = 0; i < 20000; ++i) records += R"(<col min="1" max="16384" width=")" + std::to_string(i % 7 + 2) + R"("/>)";
  WritePackage(folder / "sheets.xlsx",
               WorkbookOf(R"(<cols><col min="1" max="16384" width="3" customWidth="1"/></cols><sheetData/>)", 1000));
  auto& book = OpenParts(WorkbookOf("<cols>" + records + "</cols><sheetData/>"));
  for (const auto& opened : {original, folder / "sheets.xlsx"}) {
    SCOPED_TRACE(opened.filename());
    EXPECT_EXIT(OpenAndSaveWithinMemory(opened, folder / "within.xlsx"), ::testing::ExitedWithCode(0), "");
  }

  embedded::model::Grid& grid = book.sheets.front()->grid;
  ASSERT_EQ(std::distance(grid.columns.begin(), grid.columns.end()), 1);
  // The last record, i = 19999, says 2.
  EXPECT_EQ(grid.columns.Find(16384)->width, 2);
  grid.columns.Change(3, 4, {}, [](embedded::model::Column& column) { column.hidden = true; });
  Save();
  EXPECT_THAT(after.at("xl/worksheets/sheet1.xml"),
              ::testing::HasSubstr(R"(<cols><col min="1" max="2" width="2"/><col min="3" max="4" )"
                                   R"(width="2" hidden="1"/><col min="5" max="16384" width="2"/></cols>)"));
}

TEST_F(CellsClaims, AnArrayOverTheWholeSheetIsOneRange) {
  const std::string sheetData = R"(<sheetData><row r="1"><c r="A1"><f t="array" ref="A1:XFD1048576">7</f><v>7</v></c>)"
                                R"(<c r="B1"><v>7</v></c></row></sheetData>)";
  auto& book = OpenParts(WorkbookOf(R"(<dimension ref="A1:XFD1048576"/>)" + sheetData));
  ASSERT_EXIT(OpenAndSaveWithinMemory(original, folder / "untouched.xlsx"), ::testing::ExitedWithCode(0), "");
  EXPECT_THAT(PartsOf(folder / "untouched.xlsx").at("xl/worksheets/sheet1.xml"), ::testing::HasSubstr(sheetData));

  auto& sheet = *book.sheets.front();
  EXPECT_EQ(sheet.grid.arrays, std::vector<CellRect>{CellRect::WholeSheet()});
  EXPECT_EQ(sheet.grid.CellCount(), 2u);
  EXPECT_EQ(FormulaAt(sheet, "XFD1048576"), "=7");
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(7.0));
  EXPECT_TRUE(embedded::AllInArrays(sheet, {{9, 9, 10, 10}}));

  embedded::ClearAreas(book, sheet, {CellRect::WholeSheet()});
  const auto& reread = *Save().sheets.front();
  EXPECT_TRUE(reread.grid.arrays.empty());
  EXPECT_EQ(reread.grid.CellCount(), 0u);
}

}  // namespace
}  // namespace tabulara::xlsx::testing
