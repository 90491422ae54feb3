#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <sys/resource.h>

#include <cstdlib>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/range_edits.h"
#include "host/constants.h"
#include "host/conversion_details.h"
#include "host/conversions.h"
#include "xlsx/package/package_error.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::Not;
using embedded::model::CellAddress;
using embedded::model::CellRect;

using CellsRead = CorpusTest;

TEST_F(CellsRead, ValuesAndFormulasOfTheCorpus) {
  const struct {
    const char* file;
    const char* cell;
    host::Variant value;
    // "-" when the cell's formula is not checked.
    const char* formula;
  } cells[] = {
      {"excel_dates_datetime_formats.xlsx", "A3", host::Variant(std::string("Date *3/14/2012 (US)")), ""},
      {"excelmac_dates_1904.xlsx", "C5", host::Variant(std::string("1934-06-03")), "=TEXT(B5,\"YYYY-MM-DD\")"},
      {"excelmac_dates_1904.xlsx", "D4", host::Variant(std::string("1907-01-16")), "=T(C4)"},
      {"excelmac_dates_1904.xlsx", "A4", host::Variant(1111.0), ""},
      {"excelmac_error_values.xlsx", "A2", host::Variant(host::ErrorValue{host::xlErrNull}), ""},
      {"excelmac_error_values.xlsx", "H2", host::Variant(true), "=ISERR(A2)"},
      {"excel_array_formulas_errors.xlsx", "H2", host::Variant(0.0), "=B2:D4 + E2:G4"},
      {"excel_array_formulas_errors.xlsx", "H10", host::Variant(host::ErrorValue{host::xlErrValue}), "-"},
      {"excelmac_rich_text.xlsx", "B2", host::Variant(std::string("this text is bold, sure enough")), ""},
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
  EXPECT_EQ(FormatAt(book, sheet, "B4").numberFormat, "[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy");
  EXPECT_EQ(sheet.grid().columns.Find(3)->width, 15.85546875);

  auto& rich = Open("excelmac_rich_text.xlsx");
  auto& richSheet = *rich.sheets.front();
  EXPECT_EQ(FormatAt(rich, richSheet, "A5").font.size, 10);
  EXPECT_EQ(richSheet.grid().rows.at(7).height, 17);
  EXPECT_EQ(richSheet.grid().defaultRowHeight, 15);
  EXPECT_EQ(richSheet.grid().defaultColumnWidth, 2925.0 / 256) << "10 digits and padding, 80 pixels";
}

TEST_F(FileTest, EveryKindOfCellValue) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Rich </t></r>"
      "<r><rPr><b/></rPr><t>text</t></r></is></c><c r=\"B1\" t=\"d\"><v>2024-03-01T12:00:00</v></c>"
      "<c r=\"C1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c><c r=\"D1\" t=\"b\"><v>1</v></c>"
      "<c r=\"E1\"><v>-1.5E-3</v></c><c t=\"str\"><v>line_x000D_</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  EXPECT_EQ(ValueAt(book, sheet, "A1"), host::Variant(std::string("Rich text")));
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(45352.5));
  EXPECT_EQ(ValueAt(book, sheet, "C1"), host::Variant(std::string("ab")));
  EXPECT_EQ(FormulaAt(sheet, "C1"), "=\"a\"&\"b\"");
  EXPECT_EQ(ValueAt(book, sheet, "D1"), host::Variant(true));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(-0.0015));
  EXPECT_EQ(ValueAt(book, sheet, "F1"), host::Variant(std::string("line\r")));
}

// A row's number is its digits alone, naming a row of the sheet; its one
// cell, which names no place, then stands in column A of that row.
TEST_F(FileTest, RowNumbersAreDigitsThatNameARowOfTheSheet) {
  const struct {
    std::string r;
    // The end of the refusal; empty when the row is read.
    std::string refusal;
  } cases[] = {
      {"7", ""},
      {"007", ""},
      {"1048576", ""},
      {"0", "the row number \"0\" is not valid"},
      {"", "the row number \"\" is not valid"},
      {"+7", "the row number \"+7\" is not valid"},
      {"7 ", "the row number \"7 \" is not valid"},
      {"7.0", "the row number \"7.0\" is not valid"},
      {"/7", "the row number \"/7\" is not valid"},
      {"7:", "the row number \"7:\" is not valid"},
      {"4294967296", "the row number \"4294967296\" is not valid"},
      {"99999999999999999999", "the row number \"99999999999999999999\" is not valid"},
      {"4294967295", "row 4294967295 lies outside the sheet (the last row is 1048576)"},
      {"1048577", "row 1048577 lies outside the sheet (the last row is 1048576)"},
  };
  for (const auto& [r, refusal] : cases) {
    SCOPED_TRACE(r);
    auto& book = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"" + r + "\"><c><v>5</v></c></row></sheetData>"));
    auto& sheet = *book.sheets.front();
    try {
      sheet.LoadContent();
      EXPECT_EQ(refusal, "");
      EXPECT_EQ(ValueAt(book, sheet, "A" + std::to_string(std::stoi(r))), host::Variant(5.0));
    } catch (const PackageError& error) {
      EXPECT_THAT(error.what(), ::testing::EndsWith(refusal));
      EXPECT_NE(refusal, "");
    }
  }
}

// A cell or row that names no place stands after the one before it, up to
// XFD and row 1048576.
TEST_F(FileTest, CellsWithoutAReferenceEndAtTheLastColumn) {
  auto& last = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"XFC1\"/><c><v>5</v></c></row></sheetData>"));
  EXPECT_EQ(ValueAt(last, *last.sheets.front(), "XFD1"), host::Variant(5.0));
  auto& past = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"2\"><c r=\"XFD2\"/><c><v>5</v></c></row></sheetData>"));
  EXPECT_THAT([&] { past.sheets.front()->LoadContent(); },
              ::testing::ThrowsMessage<PackageError>(::testing::EndsWith("a cell of row 2 lies past XFD")));
  auto& below = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"1048576\"/><row><c><v>5</v></c></row></sheetData>"));
  EXPECT_THAT([&] { below.sheets.front()->LoadContent(); },
              ::testing::ThrowsMessage<PackageError>(
                  ::testing::EndsWith("row 1048577 lies outside the sheet (the last row is 1048576)")));
}

// An array formula is one only in the top-left cell of its range; elsewhere
// it is the cell's own.
TEST_F(FileTest, AnArrayFormulaOutsideTheTopLeftOfItsRangeIsTheCellsOwn) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\"><f t=\"array\" ref=\"B1:B2\">1+1</f><v>2</v></c></row></sheetData>"));
  const auto& sheet = *book.sheets.front();
  EXPECT_EQ(FormulaAt(sheet, "A1"), "=1+1");
  EXPECT_EQ(FormulaAt(sheet, "B1"), "");
  EXPECT_TRUE(sheet.grid().arrays.empty());
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

using CellsClaims = FileTest;

TEST_F(CellsClaims, ColumnRangesCostTheirRecords) {
  std::string records;
  for (int i = 0; i < 20000; ++i) {
    records += R"(<col min="1" max="16384" width=")" + std::to_string(i % 7 + 2) + R"("/>)";
  }
  WritePackage(folder / "sheets.xlsx",
               MinimalWorkbookParts(R"(<cols><col min="1" max="16384" width="3" customWidth="1"/></cols><sheetData/>)",
                                    1000));
  auto& book = OpenParts(MinimalWorkbookParts("<cols>" + records + "</cols><sheetData/>"));
  for (const auto& opened : {original, folder / "sheets.xlsx"}) {
    SCOPED_TRACE(opened.filename());
    EXPECT_EXIT(OpenAndSaveWithinMemory(opened, folder / "within.xlsx"), ::testing::ExitedWithCode(0), "");
  }

  embedded::model::Grid& grid = book.sheets.front()->grid();
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
  auto& book = OpenParts(MinimalWorkbookParts(R"(<dimension ref="A1:XFD1048576"/>)" + sheetData));
  ASSERT_EXIT(OpenAndSaveWithinMemory(original, folder / "untouched.xlsx"), ::testing::ExitedWithCode(0), "");
  EXPECT_THAT(PartsOf(folder / "untouched.xlsx").at("xl/worksheets/sheet1.xml"), ::testing::HasSubstr(sheetData));

  auto& sheet = *book.sheets.front();
  EXPECT_EQ(sheet.grid().arrays, std::vector<CellRect>{CellRect::WholeSheet()});
  EXPECT_EQ(sheet.grid().CellCount(), 2u);
  EXPECT_EQ(FormulaAt(sheet, "XFD1048576"), "=7");
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(7.0));

  embedded::ClearAreas(book, sheet, {CellRect::WholeSheet()});
  const auto& reread = *Save().sheets.front();
  EXPECT_TRUE(reread.grid().arrays.empty());
  EXPECT_EQ(reread.grid().CellCount(), 0u);
}

pugi::xml_document Xml(const std::string& bytes) {
  pugi::xml_document document;
  document.load_string(bytes.c_str());
  return document;
}

// The element of a list at `index`, as the file numbers its entries.
pugi::xml_node Entry(const pugi::xml_node& list, unsigned index) {
  for (const pugi::xml_node child : list.children()) {
    if (index-- == 0) return child;
  }
  return {};
}

// The cellXfs entry that cell `reference` of the worksheet part uses.
pugi::xml_node CellXf(const pugi::xml_document& styles, const pugi::xml_document& sheet, const std::string& reference) {
  const pugi::xml_node cell = sheet.select_node(("//c[@r='" + reference + "']").c_str()).node();
  return Entry(styles.child("styleSheet").child("cellXfs"), cell.attribute("s").as_uint());
}

using CellsWrite = CorpusTest;

TEST_F(CellsWrite, AChangedTextTouchesOnlyItsSheetTheStringsAndTheWorkbook) {
  auto& book = Open("excelmac_error_values.xlsx");
  Store(book, *book.sheets.front(), "C2", std::string("changed"));
  auto& saved = Save();

  EXPECT_EQ(Differing(),
            (std::set<std::string>{"xl/sharedStrings.xml", "xl/workbook.xml", "xl/worksheets/sheet1.xml"}));
  const std::string& oldStrings = before.at("xl/sharedStrings.xml");
  const std::size_t first = oldStrings.find("<si>");
  const std::string items = oldStrings.substr(first, oldStrings.find("</sst>") - first);
  ExpectIn("xl/sharedStrings.xml", {items + "<si><t>changed</t></si></sst>"});
  ExpectIn("xl/workbook.xml", {"fullCalcOnLoad=\"1\""});
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A2\" t=\"e\"><v>#NULL!</v></c>"});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "C2"), host::Variant(std::string("changed")));
  const std::string strings = after.at("xl/sharedStrings.xml");
  Save("again.xlsx");
  EXPECT_EQ(after.at("xl/sharedStrings.xml"), strings) << "a second save appends nothing";
}

TEST_F(CellsWrite, AFormulaTurnedIntoItsValueKeepsSharedMembersValid) {
  auto& sheet = *Open("excel_shared_formulas_names.xlsx").sheets.front();
  ASSERT_EQ(FormulaAt(sheet, "A2"), "=B2");
  const host::Variant cached = ValueAt(*file->workbook(), sheet, "A2");
  sheet.grid().RemoveFormula(Address("A2"));
  auto& saved = Save();

  auto& savedSheet = *saved.sheets.front();
  EXPECT_EQ(FormulaAt(savedSheet, "A2"), "");
  EXPECT_EQ(ValueAt(saved, savedSheet, "A2"), cached);
  EXPECT_EQ(FormulaAt(savedSheet, "A3"), "=B3");
  EXPECT_EQ(FormulaAt(savedSheet, "A41"), "=B41");
  EXPECT_FALSE(after.contains("xl/calcChain.xml"));
  for (const char* part : {"xl/_rels/workbook.xml.rels", "[Content_Types].xml"}) ExpectNotIn(part, {"calcChain"});
  ExpectNotIn("xl/worksheets/sheet1.xml", {"si=\"0\""});
}

using CellsFonts = FileTest;

TEST_F(CellsFonts, AFontThatLeavesOutItsNameAndSizeIsWrittenWithTheOnesGiven) {
  Parts parts = MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row></sheetData>");
  parts["xl/styles.xml"] = std::string("<styleSheet xmlns=\"") + kMainNamespace +
                           "\"><fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                           "<font><b val=\"1\"/></font></fonts><cellXfs count=\"2\"><xf fontId=\"0\"/>"
                           "<xf fontId=\"1\"/></cellXfs></styleSheet>";
  std::string& types = parts["[Content_Types].xml"];
  types.insert(types.find("</Types>"), "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                                       "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>");
  std::string& links = parts["xl/_rels/workbook.xml.rels"];
  links.insert(links.find("</Relationships>"), std::string("<Relationship Id=\"rIdStyles\" Type=\"") +
                                                   kRelationshipsNamespace + "/styles\" Target=\"styles.xml\"/>");
  auto& book = OpenParts(parts);
  ASSERT_EQ(FormatAt(book, *book.sheets[0], "A1").font, (embedded::model::Font{"Calibri", 11, true, false}));
  embedded::ChangeFont(book, *book.sheets[0], {CellRect::WholeSheet()}, "Name", [](embedded::model::Font& font) {
    font.name = "Arial";
    font.size = 10;
  });
  auto& saved = Save();
  EXPECT_EQ(FormatAt(saved, *saved.sheets[0], "A1").font, (embedded::model::Font{"Arial", 10, true, false}));
}

TEST_F(CellsWrite, AFontSizeOnWholeSheetsKeepsFillsBordersAndAlignment) {
  auto& book = Open("excel_template_balance_sheet.xltx");
  for (const auto& sheet : book.sheets) {
    if (sheet->kind != embedded::model::SheetKind::Worksheet) continue;
    embedded::ChangeFont(book, *sheet, {CellRect::WholeSheet()}, "Size",
                         [](embedded::model::Font& font) { font.size = 12; });
  }
  auto& saved = Save("saved.xltx");
  auto& savedSheet = *saved.sheets.front();
  savedSheet.grid().ForEachCell(CellRect::WholeSheet(), [&](CellAddress, const embedded::model::Cell& cell) {
    EXPECT_EQ(saved.formats.Get(cell.format).font.size, 12);
  });
  EXPECT_EQ(saved.formats.Get(savedSheet.grid().FormatOf({200, 30})).font.size, 12) << "an empty cell";

  // What the format of each styled cell says but for its font size, before and after.
  const auto oldStyles = Xml(before.at("xl/styles.xml"));
  const auto newStyles = Xml(after.at("xl/styles.xml"));
  const auto oldSheet = Xml(before.at("xl/worksheets/sheet1.xml"));
  const auto newSheet = Xml(after.at("xl/worksheets/sheet1.xml"));
  const auto described = [](const pugi::xml_document& styles, const pugi::xml_document& sheet, const char* cell) {
    const pugi::xml_node xf = CellXf(styles, sheet, cell);
    const pugi::xml_node font = Entry(styles.child("styleSheet").child("fonts"), xf.attribute("fontId").as_uint());
    return std::string(xf.attribute("fillId").value()) + "|" + xf.attribute("borderId").value() + "|" +
           xf.attribute("numFmtId").value() + "|" + xf.child("alignment").attribute("horizontal").value() + "|" +
           font.child("color").attribute("theme").value() + "|" + font.child("name").attribute("val").value();
  };
  const auto styled = oldSheet.select_nodes("//c[@s]");
  EXPECT_GT(styled.size(), 20u);
  for (const auto c : styled) {
    const char* cell = c.node().attribute("r").value();
    EXPECT_EQ(described(newStyles, newSheet, cell), described(oldStyles, oldSheet, cell)) << cell;
  }
}

TEST_F(CellsWrite, WidthsHeightsAndHiddenRowsAreWrittenKeepingOtherAttributes) {
  auto& sheet = *Open("excel_array_formulas_errors.xlsx").sheets.front();
  sheet.grid().columns.Change(19, 20, {}, [](embedded::model::Column& column) { column.width = 20; });
  sheet.grid().rows[3].hidden = true;
  sheet.grid().rows[4].height = 30;
  auto& saved = *Save().sheets.front();

  ExpectIn("xl/worksheets/sheet1.xml",
           {"<cols><col min=\"1\" max=\"1\" width=\"12.7109375\" bestFit=\"1\" customWidth=\"1\"/>"
            "<col min=\"19\" max=\"19\" width=\"20\" customWidth=\"1\"/>"
            "<col min=\"20\" max=\"20\" width=\"20\" customWidth=\"1\"/></cols>",
            "x14ac:dyDescent=\"0.25\" hidden=\"1\">"});
  EXPECT_TRUE(saved.grid().rows.at(3).hidden);
  EXPECT_EQ(saved.grid().rows.at(4).height, 30);
  EXPECT_EQ(saved.grid().rows.at(3).cells.size(), sheet.grid().rows.at(3).cells.size());
}

TEST_F(CellsWrite, DatesOfThe1904SystemAreWrittenInIt) {
  auto& book = Open("excelmac_dates_1904.xlsx");
  EXPECT_EQ(ValueAt(book, *book.sheets.front(), "B1"), host::Variant(host::Date{1463})) << "2 January 1904";
  Store(book, *book.sheets.front(), "B1", host::Date{1464});
  auto& saved = Save();
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "B1"), host::Variant(host::Date{1464}));
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"B1\" s=\"1\"><v>2</v></c>"});
}

TEST_F(CellsWrite, ArrayFormulasConvertedToValuesLoseTheirArray) {
  auto& book = Open("excel_array_formulas_errors.xlsx");
  auto& sheet = *book.sheets.front();
  const CellRect array{2, 8, 4, 10};
  EXPECT_THAT(sheet.grid().arrays, ::testing::Contains(array));
  EXPECT_EQ(FormulaAt(sheet, "J4"), "=B2:D4 + E2:G4");
  std::erase(sheet.grid().arrays, array);
  sheet.grid().ForEachCell(array, [&](CellAddress address, embedded::model::Cell& cell) {
    sheet.grid().formulas.erase(embedded::model::Grid::FormulaKey(address));
    cell.hasFormula = false;
  });
  auto& saved = Save();

  auto& savedSheet = *saved.sheets.front();
  EXPECT_THAT(savedSheet.grid().arrays, Not(::testing::Contains(array)));
  EXPECT_THAT(savedSheet.grid().arrays, ::testing::Contains(CellRect{6, 8, 8, 10}));
  EXPECT_EQ(FormulaAt(savedSheet, "H2"), "");
  EXPECT_EQ(FormulaAt(savedSheet, "H6"), "=TRANSPOSE(B6:D8)");
  EXPECT_EQ(ValueAt(saved, savedSheet, "I3"), ValueAt(book, sheet, "I3"));
  ExpectIn("xl/worksheets/sheet1.xml", {"<f t=\"array\" ref=\"H6:J8\">TRANSPOSE(B6:D8)</f>"});
}

TEST_F(FileTest, CellsAndRowsAreInsertedInOrderAndUnchangedOnesKeepEveryAttributeAndTheTextBetween) {
  auto& book = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\">"
                                              "<v>1</v></c><c r=\"C2\"><v>3</v></c></row>\n<!-- kept -->\n"
                                              "<row r=\"4\"><c r=\"A4\"><v>4</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "B2", 2.0);
  Store(book, sheet, "A1", std::string(" x "));
  Store(book, sheet, "D5", true);
  embedded::ClearContents(sheet.grid(), Address("A4"));
  auto& saved = Save();

  ExpectIn("xl/worksheets/sheet1.xml",
           {"<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
            "<row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\"><v>1</v></c><c r=\"B2\"><v>2</v></c>"
            "<c r=\"C2\"><v>3</v></c></row>\n<!-- kept -->\n<row r=\"5\"><c r=\"D5\" t=\"b\"><v>1</v></c></row>"
            "</sheetData>"});
  ExpectIn("xl/sharedStrings.xml", {"count=\"1\" uniqueCount=\"1\"><si><t xml:space=\"preserve\"> x </t></si></sst>"});
  ExpectIn("xl/_rels/workbook.xml.rels", {"Target=\"sharedStrings.xml\""});
  ExpectIn("[Content_Types].xml", {"PartName=\"/xl/sharedStrings.xml\""});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "A1"), host::Variant(std::string(" x ")));
}

TEST_F(FileTest, AreaRulesLoseTheClearedCells) {
  const std::string rule = "<cfRule type=\"expression\" priority=\"1\"><formula>TRUE</formula></cfRule>";
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData/><mergeCells count=\"3\"><mergeCell ref=\"B2:C2\"/><mergeCell ref=\"C3:E3\"/><mergeCell "
      "ref=\"E5:F6\"/></mergeCells><conditionalFormatting sqref=\"A1:D4\">" + rule +
      "</conditionalFormatting><conditionalFormatting sqref=\"B3 H8\">" + rule +
      "</conditionalFormatting><conditionalFormatting sqref=\"H1\">" + rule +
      "</conditionalFormatting><dataValidations count=\"2\"><dataValidation type=\"whole\" sqref=\"B2:B3\">"
      "<formula1>1</formula1></dataValidation><dataValidation type=\"whole\" sqref=\"C1:C3\"><formula1>2</formula1>"
      "</dataValidation></dataValidations>"));
  embedded::ClearAreas(book, *book.sheets.front(), {CellRect{2, 2, 3, 3}});
  auto& saved = Save();

  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(written.substr(written.find("<mergeCells")),
            "<mergeCells count=\"2\"><mergeCell ref=\"C3:E3\"/><mergeCell ref=\"E5:F6\"/></mergeCells>"
            "<conditionalFormatting sqref=\"A1:D1 A2:A3 D2:D3 A4:D4\">" + rule + "</conditionalFormatting>"
            "<conditionalFormatting sqref=\"H8\">" + rule + "</conditionalFormatting>"
            "<conditionalFormatting sqref=\"H1\">" + rule + "</conditionalFormatting>"
            "<dataValidations count=\"1\"><dataValidation type=\"whole\" sqref=\"C1\"><formula1>2</formula1>"
            "</dataValidation></dataValidations></worksheet>");
  EXPECT_EQ(saved.sheets.front()->areaRules().validations, std::vector<embedded::model::Areas>{{CellRect::Of({1, 3})}});

  embedded::ClearAreas(book, *book.sheets.front(), {CellRect{1, 3, 1, 3}});
  Save("no-validations.xlsx");
  ExpectNotIn("xl/worksheets/sheet1.xml", {"dataValidation"});
}

// Cells, formats, typed entries and a hyperlink of a workbook that only the
// model held, with the sheets' protection, selection and visibility.
TEST_F(FileTest, AWorkbookBuiltInTheModelIsWrittenAsAWholePackage) {
  auto workbook = std::make_shared<embedded::model::Workbook>();
  workbook->name = "Built.xlsx";
  for (const char* name : {"Summary", "Data", "Notes"}) {
    workbook->sheets.push_back(std::make_shared<embedded::model::Sheet>());
    workbook->sheets.back()->name = name;
  }
  auto& data = *workbook->sheets[1];
  workbook->sheets[0]->protection().isProtected = true;
  workbook->sheets[0]->protection().scenarios = false;
  data.selection().areas = {CellRect{2, 2, 4, 3}, CellRect::Of({7, 1})};
  data.selection().activeCell = {3, 2};
  workbook->sheets[2]->visibility = host::xlSheetHidden;
  workbook->activeSheet = workbook->sheets[1];
  Store(*workbook, data, "A1", std::string("Name"));
  Store(*workbook, data, "B2", host::Date{45352});
  embedded::StoreEntry(*workbook, data.grid(), Address("C3"), {std::string("=B2+1"), {}});
  embedded::ChangeFont(*workbook, data, {CellRect::Of(Address("A1"))}, "Bold",
                       [](embedded::model::Font& font) { font.bold = true; });
  for (const auto& [cell, typed] : {std::pair{"A5", "3/4"}, {"A6", "'007"}}) {
    embedded::StoreEntry(*workbook, data.grid(), Address(cell), embedded::ReadEntry(host::Variant(typed)));
  }
  embedded::AddHyperlink(*workbook, data, CellRect::Of(Address("A8")), "", "Data!A1");
  file = WorkbookFile::Create(workbook);
  auto& saved = Save("Built.xlsx");

  ExpectIn("[Content_Types].xml",
           {"<Override PartName=\"/xl/worksheets/sheet3.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"});
  ExpectIn("xl/workbook.xml", {"<bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"
                               "<sheet name=\"Summary\" sheetId=\"1\" r:id=\"rId2\"/>"
                               "<sheet name=\"Data\" sheetId=\"2\" r:id=\"rId3\"/>"
                               "<sheet name=\"Notes\" sheetId=\"3\" r:id=\"rId4\" state=\"hidden\"/></sheets>"});
  ExpectIn("xl/worksheets/sheet2.xml", {"<sheetView workbookViewId=\"0\" tabSelected=\"1\">"
                                        "<selection activeCell=\"B3\" sqref=\"B2:C4 A7\"/></sheetView>"});
  ExpectIn("xl/worksheets/sheet1.xml", {"<sheetProtection sheet=\"1\" objects=\"1\"/>"});
  // The hyperlink's cell takes the built-in Hyperlink style, underlined in the theme's link colour.
  const auto styles = Xml(after.at("xl/styles.xml"));
  const pugi::xml_node root = styles.child("styleSheet");
  const pugi::xml_node hyperlinkStyle = root.select_node("cellStyles/cellStyle[@name='Hyperlink']").node();
  EXPECT_STREQ(hyperlinkStyle.attribute("builtinId").value(), "8");
  const pugi::xml_node linkXf = CellXf(styles, Xml(after.at("xl/worksheets/sheet2.xml")), "A8");
  EXPECT_EQ(linkXf.attribute("xfId").as_uint(), hyperlinkStyle.attribute("xfId").as_uint());
  const pugi::xml_node styleXf = Entry(root.child("cellStyleXfs"), hyperlinkStyle.attribute("xfId").as_uint());
  for (const pugi::xml_node& xf : {linkXf, styleXf}) {
    const pugi::xml_node font = Entry(root.child("fonts"), xf.attribute("fontId").as_uint());
    EXPECT_TRUE(font.child("u"));
    EXPECT_STREQ(font.child("color").attribute("theme").value(), "10");
  }

  auto& again = *saved.sheets.at(1);
  EXPECT_EQ(ValueAt(saved, again, "A1"), host::Variant(std::string("Name")));
  EXPECT_TRUE(FormatAt(saved, again, "A1").font.bold);
  EXPECT_FALSE(FormatAt(saved, again, "B2").font.bold);
  EXPECT_EQ(ValueAt(saved, again, "B2"), host::Variant(host::Date{45352}));
  EXPECT_EQ(FormulaAt(again, "C3"), "=B2+1");
  EXPECT_EQ(ValueAt(saved, again, "A5"), host::Variant(host::DateFromCivil(host::detail::CurrentYear(), 3, 4)));
  EXPECT_EQ(FormatAt(saved, again, "A5").numberFormat, "d-mmm");
  EXPECT_EQ(ValueAt(saved, again, "A6"), host::Variant(std::string("007")));
  EXPECT_TRUE(FormatAt(saved, again, "A6").quotePrefix);
  EXPECT_FALSE(FormatAt(saved, again, "A5").quotePrefix);
  EXPECT_EQ(FormatAt(saved, again, "A8").style, "Hyperlink");
}

}  // namespace
}  // namespace tabulara::xlsx::testing
