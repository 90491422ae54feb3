#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "host/constants.h"
#include "xlsx/cells_files.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using cells_testing::CorpusFile;
using cells_testing::FormatAt;
using cells_testing::FormulaAt;
using cells_testing::SheetNamed;
using cells_testing::ValueAt;

std::unique_ptr<WorkbookFile> OpenCorpus(const std::string& name) {
  const auto path = CorpusFile(name);
  if (path.empty()) return nullptr;
  return WorkbookFile::Open(path);
}

#define OPEN_CORPUS_OR_SKIP(variable, name)                                  \
  auto variable = OpenCorpus(name);                                         \
  if (!variable) GTEST_SKIP() << "the corpus (shared/corpus) is not beside the repository"

TEST(CellsRead, DatesOfThe1900SystemKeepTheirTimeOfDay) {
  OPEN_CORPUS_OR_SKIP(file, "excel_dates_datetime_formats.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  const host::Variant value = ValueAt(book, sheet, "B2");
  ASSERT_TRUE(value.IsDate());
  EXPECT_NEAR(value.AsDate().serial, 40982 + (13 * 3600 + 30 * 60 + 55.2) / 86400, 1e-9);
  EXPECT_EQ(ValueAt(book, sheet, "A3"), host::Variant(std::string("Date *3/14/2012 (US)")));
  EXPECT_EQ(FormatAt(book, sheet, "B4").numberFormat, "[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy");
  EXPECT_EQ(FormulaAt(sheet, "C3"), "=B3");
  EXPECT_EQ(sheet.grid.columns.Find(1)->width, 36.28515625);
  EXPECT_EQ(sheet.grid.columns.Find(3)->width, 15.85546875);
  EXPECT_TRUE(ValueAt(book, sheet, "C3").IsNumber()) << "a number format without date codes";
}

TEST(CellsRead, DatesOfThe1904SystemReadAsTheHostsDates) {
  OPEN_CORPUS_OR_SKIP(file, "excelmac_dates_1904.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(host::Date{1463})) << "2 January 1904";
  EXPECT_EQ(ValueAt(book, sheet, "B5"), host::Variant(host::Date{11111 + 1462}));
  EXPECT_EQ(ValueAt(book, sheet, "A5"), host::Variant(11111.0)) << "not in a date format";
  EXPECT_EQ(ValueAt(book, sheet, "C5"), host::Variant(std::string("1934-06-03")));
}

TEST(CellsRead, SharedFormulaMembersHoldTheirOwnMovedFormula) {
  OPEN_CORPUS_OR_SKIP(file, "excelmac_dates_1904.xlsx");
  auto& sheet = *file->workbook()->sheets.front();
  EXPECT_EQ(FormulaAt(sheet, "C2"), "=TEXT(B2,\"YYYY-MM-DD\")");
  EXPECT_EQ(FormulaAt(sheet, "C4"), "=TEXT(B4,\"YYYY-MM-DD\")");
  EXPECT_EQ(FormulaAt(sheet, "D4"), "=T(C4)");
  EXPECT_EQ(FormulaAt(sheet, "A4"), "");
}

TEST(CellsRead, ErrorValuesAsConstantsAndAsCachedResults) {
  OPEN_CORPUS_OR_SKIP(file, "excelmac_error_values.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "A2"), host::Variant(host::ErrorValue{host::xlErrNull}));
  EXPECT_EQ(ValueAt(book, sheet, "A3"), host::Variant(host::ErrorValue{host::xlErrDiv0}));
  EXPECT_EQ(ValueAt(book, sheet, "H2"), host::Variant(true));
  EXPECT_EQ(FormulaAt(sheet, "H2"), "=ISERR(A2)");
  EXPECT_EQ(ValueAt(book, sheet, "G2"), host::Variant(16.0));
}

TEST(CellsRead, ArrayFormulasHoldTheirRange) {
  OPEN_CORPUS_OR_SKIP(file, "excel_array_formulas_errors.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  EXPECT_THAT(sheet.grid.arrays, ::testing::Contains(embedded::model::CellRect{2, 8, 4, 10}));
  EXPECT_EQ(FormulaAt(sheet, "H2"), "=B2:D4 + E2:G4");
  EXPECT_EQ(FormulaAt(sheet, "J4"), "=B2:D4 + E2:G4");
  EXPECT_EQ(ValueAt(book, sheet, "H10"), host::Variant(host::ErrorValue{host::xlErrValue}));
}

TEST(CellsRead, RichTextFontsWidthsAndHeights) {
  OPEN_CORPUS_OR_SKIP(file, "excelmac_rich_text.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "B2"), host::Variant(std::string("this text is bold, sure enough")));
  EXPECT_EQ(ValueAt(book, sheet, "B5"), host::Variant(std::string("this text is sz10, sure enough")));
  EXPECT_TRUE(FormatAt(book, sheet, "A2").font.bold);
  EXPECT_FALSE(FormatAt(book, sheet, "A3").font.bold);
  EXPECT_EQ(FormatAt(book, sheet, "A5").font.size, 10);
  EXPECT_EQ(FormatAt(book, sheet, "A1").font.name, "Calibri");
  EXPECT_EQ(sheet.grid.rows.at(7).height, 17);
  EXPECT_EQ(sheet.grid.defaultRowHeight, 15);
  EXPECT_EQ(sheet.grid.defaultColumnWidth, 2925.0 / 256) << "10 digits and padding, 80 pixels";
}

TEST(CellsRead, EveryKindOfCellValue) {
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "kinds.xlsx",
                        testing::MinimalWorkbookParts(
                            "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Rich </t></r>"
                            "<r><rPr><b/></rPr><t>text</t></r></is></c><c r=\"B1\" t=\"d\"><v>2024-03-01T12:00:00</v></c>"
                            "<c r=\"C1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c><c r=\"D1\" t=\"b\"><v>1</v></c>"
                            "<c r=\"E1\"><v>-1.5E-3</v></c><c t=\"str\"><v>line_x000D_</v></c></row>"));
  auto file = WorkbookFile::Open(folder / "kinds.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "A1"), host::Variant(std::string("Rich text")));
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(45352.5));
  EXPECT_EQ(ValueAt(book, sheet, "C1"), host::Variant(std::string("ab")));
  EXPECT_EQ(FormulaAt(sheet, "C1"), "=\"a\"&\"b\"");
  EXPECT_EQ(ValueAt(book, sheet, "D1"), host::Variant(true));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(-0.0015));
  EXPECT_EQ(ValueAt(book, sheet, "F1"), host::Variant(std::string("line\r")));
}

TEST(CellsRead, CellsOutsideTheSheetAreRefusedNamingPartAndCell) {
  testing::ScratchFolder folder;
  const std::pair<const char*, const char*> cases[] = {
      {"<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "XFE1"},
      {"<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row>", "1048577"},
      {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "shared string 0"},
  };
  for (const auto& [sheetData, named] : cases) {
    testing::WritePackage(folder / "bad.xlsx", testing::MinimalWorkbookParts(sheetData));
    try {
      WorkbookFile::Open(folder / "bad.xlsx");
      ADD_FAILURE() << "opened " << sheetData;
    } catch (const PackageError& error) {
      EXPECT_THAT(error.what(), ::testing::HasSubstr("xl/worksheets/sheet1.xml"));
      EXPECT_THAT(error.what(), ::testing::HasSubstr(named));
    }
  }
}

}  // namespace
}  // namespace tabulara::xlsx
