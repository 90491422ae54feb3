#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <set>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/range_edits.h"
#include "xlsx/cells_files.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using cells_testing::Address;
using cells_testing::CorpusFile;
using cells_testing::FormulaAt;
using cells_testing::SheetNamed;
using cells_testing::SaveAndReopen;
using cells_testing::SheetDataOf;
using cells_testing::ValueAt;

#define CORPUS_OR_SKIP(variable, name)                     \
  const auto variable = CorpusFile(name);                 \
  if (variable.empty()) GTEST_SKIP() << "the corpus (shared/corpus) is not beside the repository"

std::set<std::string> DifferingParts(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
  std::set<std::string> names;
  for (const auto& [name, bytes] : before) {
    const auto found = after.find(name);
    if (found == after.end() || found->second != bytes) names.insert(name);
  }
  for (const auto& [name, bytes] : after) {
    if (before.count(name) == 0) names.insert(name);
  }
  return names;
}

void Store(embedded::model::Workbook& book, embedded::model::Sheet& sheet, std::string_view cell,
           const host::Variant& value) {
  embedded::StoreEntry(book, sheet.grid, Address(cell), {std::nullopt, value});
}

pugi::xml_document Xml(const std::string& bytes) {
  pugi::xml_document document;
  document.load_string(bytes.c_str());
  return document;
}

TEST(CellsRoundTrip, FilesSavedUnchangedAreByteIdentical) {
  for (const char* name : {"excel_dates_datetime_formats.xlsx", "excelmac_dates_1904.xlsx", "excelmac_error_values.xlsx",
                           "excel_shared_formulas_names.xlsx", "excel_array_formulas_errors.xlsx",
                           "excelmac_rich_text.xlsx", "excelmac_dynamic_arrays.xlsx",
                           "excel_template_balance_sheet.xltx"}) {
    CORPUS_OR_SKIP(path, name);
    testing::ScratchFolder folder;
    WorkbookFile::Open(path)->Save(folder / name);
    EXPECT_THAT(DifferingParts(testing::PartsOf(path), testing::PartsOf(folder / name)), ::testing::IsEmpty())
        << name;
  }
}

TEST(CellsRoundTrip, AChangedTextTouchesOnlyItsSheetTheStringsAndTheWorkbook) {
  CORPUS_OR_SKIP(path, "excelmac_error_values.xlsx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& book = *file->workbook();
  Store(book, *book.sheets.front(), "C2", std::string("changed"));
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  const auto before = testing::PartsOf(path);
  const auto after = testing::PartsOf(folder / "saved.xlsx");
  EXPECT_EQ(DifferingParts(before, after),
            (std::set<std::string>{"xl/sharedStrings.xml", "xl/workbook.xml", "xl/worksheets/sheet1.xml"}));
  EXPECT_THAT(after.at("xl/workbook.xml"), HasSubstr("fullCalcOnLoad=\"1\""));
  const std::string& oldStrings = before.at("xl/sharedStrings.xml");
  const std::string items = oldStrings.substr(oldStrings.find("<si>"), oldStrings.find("</sst>") - oldStrings.find("<si>"));
  EXPECT_THAT(after.at("xl/sharedStrings.xml"), HasSubstr(items + "<si><t>changed</t></si></sst>"));
  EXPECT_THAT(after.at("xl/worksheets/sheet1.xml"), HasSubstr("<c r=\"A2\" t=\"e\"><v>#NULL!</v></c>"));

  auto& saved = *reopened->workbook();
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "C2"), host::Variant(std::string("changed")));
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "D2"), ValueAt(book, *book.sheets.front(), "D2"));

  const auto report = testing::OpenpyxlReport("cells_values.py", folder / "saved.xlsx");
  if (!report) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_THAT(*report, HasSubstr("!C2='changed'"));
  EXPECT_THAT(*report, HasSubstr("!A2='#NULL!'"));
}

TEST(CellsRoundTrip, AFormulaTurnedIntoItsValueKeepsSharedMembersValid) {
  CORPUS_OR_SKIP(path, "excel_shared_formulas_names.xlsx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  ASSERT_EQ(FormulaAt(sheet, "A2"), "=B2");
  const host::Variant cached = ValueAt(book, sheet, "A2");
  sheet.grid.RemoveFormula(Address("A2"));
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  auto& saved = *reopened->workbook();
  auto& savedSheet = *saved.sheets.front();
  EXPECT_EQ(FormulaAt(savedSheet, "A2"), "");
  EXPECT_EQ(ValueAt(saved, savedSheet, "A2"), cached);
  EXPECT_EQ(FormulaAt(savedSheet, "A3"), "=B3");
  EXPECT_EQ(FormulaAt(savedSheet, "A41"), "=B41");

  const auto after = testing::PartsOf(folder / "saved.xlsx");
  EXPECT_EQ(after.count("xl/calcChain.xml"), 0u);
  EXPECT_THAT(after.at("xl/_rels/workbook.xml.rels"), Not(HasSubstr("calcChain")));
  EXPECT_THAT(after.at("[Content_Types].xml"), Not(HasSubstr("calcChain")));
  EXPECT_THAT(after.at("xl/worksheets/sheet1.xml"), Not(HasSubstr("si=\"0\"")));

  const auto report = testing::OpenpyxlReport("cells_values.py", folder / "saved.xlsx");
  if (!report) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_THAT(*report, HasSubstr("!A3='=B3'"));
  EXPECT_THAT(*report, HasSubstr("!A41='=B41'"));
}

TEST(CellsRoundTrip, AFontSizeOnWholeSheetsKeepsFillsBordersAndAlignment) {
  CORPUS_OR_SKIP(path, "excel_template_balance_sheet.xltx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& book = *file->workbook();
  for (const auto& sheet : book.sheets) {
    if (sheet->kind != embedded::model::SheetKind::Worksheet) continue;
    embedded::ChangeFont(book, *sheet, {embedded::model::CellRect::WholeSheet()}, "Size",
                         [](embedded::model::Font& font) { font.size = 12; });
  }
  auto reopened = SaveAndReopen(*file, folder / "saved.xltx");

  auto& saved = *reopened->workbook();
  auto& savedSheet = *saved.sheets.front();
  savedSheet.grid.ForEachCell(embedded::model::CellRect::WholeSheet(), [&](embedded::model::CellAddress, const embedded::model::Cell& cell) {
    EXPECT_EQ(saved.formats.Get(cell.format).font.size, 12);
  });
  EXPECT_EQ(saved.formats.Get(savedSheet.grid.FormatOf({200, 30})).font.size, 12) << "an empty cell";

  const auto before = testing::PartsOf(path);
  const auto after = testing::PartsOf(folder / "saved.xltx");
  const auto oldStyles = Xml(before.at("xl/styles.xml"));
  const auto newStyles = Xml(after.at("xl/styles.xml"));
  const auto oldSheet = Xml(before.at("xl/worksheets/sheet1.xml"));
  const auto newSheet = Xml(after.at("xl/worksheets/sheet1.xml"));
  const auto xfsOf = [](const pugi::xml_document& styles) {
    std::vector<pugi::xml_node> xfs;
    for (const auto xf : styles.child("styleSheet").child("cellXfs").children("xf")) xfs.push_back(xf);
    return xfs;
  };
  const auto fontsOf = [](const pugi::xml_document& styles) {
    std::vector<pugi::xml_node> fonts;
    for (const auto font : styles.child("styleSheet").child("fonts").children("font")) fonts.push_back(font);
    return fonts;
  };
  const auto oldXfs = xfsOf(oldStyles);
  const auto newXfs = xfsOf(newStyles);
  const auto oldFonts = fontsOf(oldStyles);
  const auto newFonts = fontsOf(newStyles);
  int compared = 0;
  for (const auto c : oldSheet.select_nodes("//c[@s]")) {
    const std::string reference = c.node().attribute("r").value();
    const auto savedCell = newSheet.select_node(("//c[@r='" + reference + "']").c_str()).node();
    const auto& oldXf = oldXfs.at(c.node().attribute("s").as_uint());
    const auto& newXf = newXfs.at(savedCell.attribute("s").as_uint());
    EXPECT_STREQ(oldXf.attribute("fillId").value(), newXf.attribute("fillId").value()) << reference;
    EXPECT_STREQ(oldXf.attribute("borderId").value(), newXf.attribute("borderId").value()) << reference;
    EXPECT_STREQ(oldXf.attribute("numFmtId").value(), newXf.attribute("numFmtId").value()) << reference;
    EXPECT_EQ(oldXf.child("alignment").attribute("horizontal").value(),
              std::string(newXf.child("alignment").attribute("horizontal").value()));
    const auto& oldFont = oldFonts.at(oldXf.attribute("fontId").as_uint());
    const auto& newFont = newFonts.at(newXf.attribute("fontId").as_uint());
    EXPECT_STREQ(newFont.child("sz").attribute("val").value(), "12") << reference;
    EXPECT_STREQ(oldFont.child("color").attribute("theme").value(), newFont.child("color").attribute("theme").value());
    EXPECT_STREQ(oldFont.child("name").attribute("val").value(), newFont.child("name").attribute("val").value());
    ++compared;
  }
  EXPECT_GT(compared, 20);
}

TEST(CellsRoundTrip, CellsAreInsertedInOrderAndUnchangedOnesKeepEveryAttribute) {
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "book.xlsx",
                        testing::MinimalWorkbookParts("<row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\"><v>1</v></c>"
                                                      "<c r=\"C2\"><v>3</v></c></row>"
                                                      "<row r=\"4\"><c r=\"A4\"><v>4</v></c></row>"));
  auto file = WorkbookFile::Open(folder / "book.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "B2", 2.0);
  Store(book, sheet, "A1", std::string(" x "));
  Store(book, sheet, "D5", true);
  embedded::ClearContents(sheet.grid, Address("A4"));
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  const auto after = testing::PartsOf(folder / "saved.xlsx");
  EXPECT_EQ(SheetDataOf(after.at("xl/worksheets/sheet1.xml")),
            "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
            "<row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\"><v>1</v></c><c r=\"B2\"><v>2</v></c>"
            "<c r=\"C2\"><v>3</v></c></row><row r=\"5\"><c r=\"D5\" t=\"b\"><v>1</v></c></row></sheetData>");
  ASSERT_EQ(after.count("xl/sharedStrings.xml"), 1u);
  EXPECT_THAT(after.at("xl/sharedStrings.xml"),
              HasSubstr("count=\"1\" uniqueCount=\"1\"><si><t xml:space=\"preserve\"> x </t></si></sst>"));
  EXPECT_THAT(after.at("xl/_rels/workbook.xml.rels"), HasSubstr("Target=\"sharedStrings.xml\""));
  EXPECT_THAT(after.at("[Content_Types].xml"), HasSubstr("PartName=\"/xl/sharedStrings.xml\""));
  EXPECT_EQ(ValueAt(*reopened->workbook(), *reopened->workbook()->sheets.front(), "A1"),
            host::Variant(std::string(" x ")));

  const auto report = testing::OpenpyxlReport("cells_values.py", folder / "saved.xlsx");
  if (!report) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_THAT(*report, HasSubstr("Sheet1!A1=' x '"));
  EXPECT_THAT(*report, HasSubstr("Sheet1!D5=True"));
  EXPECT_THAT(*report, Not(HasSubstr("A4")));
}

TEST(CellsRoundTrip, WidthsHeightsAndHiddenRowsAreWrittenKeepingOtherAttributes) {
  CORPUS_OR_SKIP(path, "excel_array_formulas_errors.xlsx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& sheet = *file->workbook()->sheets.front();
  sheet.grid.columns.Change(19, 20, {}, [](embedded::model::Column& column) { column.width = 20; });
  sheet.grid.rows[3].hidden = true;
  sheet.grid.rows[4].height = 30;
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  const std::string xml = testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml");
  EXPECT_THAT(xml, HasSubstr("<cols><col min=\"1\" max=\"1\" width=\"12.7109375\" bestFit=\"1\" customWidth=\"1\"/>"
                             "<col min=\"19\" max=\"19\" width=\"20\" customWidth=\"1\"/>"
                             "<col min=\"20\" max=\"20\" width=\"20\" customWidth=\"1\"/></cols>"));
  auto& saved = *reopened->workbook()->sheets.front();
  EXPECT_TRUE(saved.grid.rows.at(3).hidden);
  EXPECT_EQ(saved.grid.rows.at(4).height, 30);
  EXPECT_EQ(saved.grid.rows.at(3).cells.size(), sheet.grid.rows.at(3).cells.size());
  EXPECT_THAT(xml, HasSubstr("x14ac:dyDescent=\"0.25\" hidden=\"1\">"));
}

TEST(CellsRoundTrip, DatesOfThe1904SystemAreWrittenInIt) {
  CORPUS_OR_SKIP(path, "excelmac_dates_1904.xlsx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& book = *file->workbook();
  Store(book, *book.sheets.front(), "B1", host::Date{1464});
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  EXPECT_THAT(testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml"),
              HasSubstr("<c r=\"B1\" s=\"1\"><v>2</v></c>"));
  auto& saved = *reopened->workbook();
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "B1"), host::Variant(host::Date{1464}));
}

TEST(CellsRoundTrip, ArrayFormulasConvertedToValuesLoseTheirArray) {
  CORPUS_OR_SKIP(path, "excel_array_formulas_errors.xlsx");
  testing::ScratchFolder folder;
  auto file = WorkbookFile::Open(path);
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  const embedded::model::CellRect array{2, 8, 4, 10};
  std::erase(sheet.grid.arrays, array);
  sheet.grid.ForEachCell(array, [&](embedded::model::CellAddress address, embedded::model::Cell&) {
    sheet.grid.formulas.erase(embedded::model::Grid::FormulaKey(address));
  });
  sheet.grid.ForEachCell(array, [](embedded::model::CellAddress, embedded::model::Cell& cell) { cell.hasFormula = false; });
  auto reopened = SaveAndReopen(*file, folder / "saved.xlsx");

  auto& saved = *reopened->workbook()->sheets.front();
  EXPECT_THAT(saved.grid.arrays, Not(::testing::Contains(array)));
  EXPECT_THAT(saved.grid.arrays, ::testing::Contains(embedded::model::CellRect{6, 8, 8, 10}));
  EXPECT_EQ(FormulaAt(saved, "H2"), "");
  EXPECT_EQ(FormulaAt(saved, "H6"), "=TRANSPOSE(B6:D8)");
  EXPECT_EQ(ValueAt(*reopened->workbook(), saved, "I3"), ValueAt(book, sheet, "I3"));
  EXPECT_THAT(testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml"),
              HasSubstr("<f t=\"array\" ref=\"H6:J8\">TRANSPOSE(B6:D8)</f>"));
}

TEST(CellsRoundTrip, AWorkbookBuiltInTheModelIsWrittenWithItsCellsAndFormats) {
  auto book = cells_testing::NewWorkbook();
  auto sheet = std::make_shared<embedded::model::Sheet>();
  sheet->name = "Data";
  book->sheets.push_back(sheet);
  book->activeSheet = sheet;
  Store(*book, *sheet, "A1", std::string("Name"));
  Store(*book, *sheet, "B2", host::Date{45352});
  embedded::StoreEntry(*book, sheet->grid, Address("C3"), {std::string("=B2+1"), {}});
  embedded::ChangeFont(*book, *sheet, {embedded::model::CellRect::Of(Address("A1"))}, "Bold",
                       [](embedded::model::Font& font) { font.bold = true; });
  testing::ScratchFolder folder;
  auto reopened = SaveAndReopen(*WorkbookFile::Create(book), folder / "new.xlsx");

  auto& saved = *reopened->workbook();
  auto& savedSheet = SheetNamed(saved, "Data");
  EXPECT_EQ(ValueAt(saved, savedSheet, "A1"), host::Variant(std::string("Name")));
  EXPECT_TRUE(cells_testing::FormatAt(saved, savedSheet, "A1").font.bold);
  EXPECT_FALSE(cells_testing::FormatAt(saved, savedSheet, "B2").font.bold);
  EXPECT_EQ(ValueAt(saved, savedSheet, "B2"), host::Variant(host::Date{45352}));
  EXPECT_EQ(FormulaAt(savedSheet, "C3"), "=B2+1");
  const std::string relationships = testing::PartsOf(folder / "new.xlsx").at("xl/_rels/workbook.xml.rels");
  EXPECT_EQ(relationships.find("relationships/styles"), relationships.rfind("relationships/styles"))
      << "one style sheet";

  const auto report = testing::OpenpyxlReport("cells_values.py", folder / "new.xlsx");
  if (!report) GTEST_SKIP() << "openpyxl is not installed for /usr/bin/python3";
  EXPECT_THAT(*report, HasSubstr("Data!A1='Name'"));
  EXPECT_THAT(*report, HasSubstr("Data!B2=datetime.datetime(2024, 3, 1, 0, 0)"));
  EXPECT_THAT(*report, HasSubstr("Data!C3='=B2+1'"));
}

}  // namespace
}  // namespace tabulara::xlsx
