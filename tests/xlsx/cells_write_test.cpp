#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/range_edits.h"
#include "host/conversion_details.h"
#include "host/conversions.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::Not;
using embedded::model::CellRect;

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

  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/sharedStrings.xml", "xl/workbook.xml", "xl/worksheets/sheet1.xml"}));
  const std::string& oldStrings = before.at("xl/sharedStrings.xml");
  const std::string items = oldStrings.substr(oldStrings.find("<si>"), oldStrings.find("</sst>") - oldStrings.find("<si>"));
  ExpectIn("xl/sharedStrings.xml", {items + "<si><t>changed</t></si></sst>"});
  ExpectIn("xl/workbook.xml", {"fullCalcOnLoad=\"1\""});
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A2\" t=\"e\"><v>#NULL!</v></c>"});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "C2"), host::Variant(std::string("changed")));
}

TEST_F(CellsWrite, AFormulaTurnedIntoItsValueKeepsSharedMembersValid) {
  auto& sheet = *Open("excel_shared_formulas_names.xlsx").sheets.front();
  ASSERT_EQ(FormulaAt(sheet, "A2"), "=B2");
  const host::Variant cached = ValueAt(*file->workbook(), sheet, "A2");
  sheet.grid.RemoveFormula(Address("A2"));
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

TEST_F(CellsWrite, AFontSizeOnWholeSheetsKeepsFillsBordersAndAlignment) {
  auto& book = Open("excel_template_balance_sheet.xltx");
  for (const auto& sheet : book.sheets) {
    if (sheet->kind != embedded::model::SheetKind::Worksheet) continue;
    embedded::ChangeFont(book, *sheet, {CellRect::WholeSheet()}, "Size",
                         [](embedded::model::Font& font) { font.size = 12; });
  }
  auto& saved = Save("saved.xltx");
  auto& savedSheet = *saved.sheets.front();
  savedSheet.grid.ForEachCell(CellRect::WholeSheet(), [&](embedded::model::CellAddress, const embedded::model::Cell& cell) {
    EXPECT_EQ(saved.formats.Get(cell.format).font.size, 12);
  });
  EXPECT_EQ(saved.formats.Get(savedSheet.grid.FormatOf({200, 30})).font.size, 12) << "an empty cell";

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
  sheet.grid.columns.Change(19, 20, {}, [](embedded::model::Column& column) { column.width = 20; });
  sheet.grid.rows[3].hidden = true;
  sheet.grid.rows[4].height = 30;
  auto& saved = *Save().sheets.front();

  ExpectIn("xl/worksheets/sheet1.xml",
           {"<cols><col min=\"1\" max=\"1\" width=\"12.7109375\" bestFit=\"1\" customWidth=\"1\"/>"
            "<col min=\"19\" max=\"19\" width=\"20\" customWidth=\"1\"/>"
            "<col min=\"20\" max=\"20\" width=\"20\" customWidth=\"1\"/></cols>",
            "x14ac:dyDescent=\"0.25\" hidden=\"1\">"});
  EXPECT_TRUE(saved.grid.rows.at(3).hidden);
  EXPECT_EQ(saved.grid.rows.at(4).height, 30);
  EXPECT_EQ(saved.grid.rows.at(3).cells.size(), sheet.grid.rows.at(3).cells.size());
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
  EXPECT_THAT(sheet.grid.arrays, ::testing::Contains(array));
  EXPECT_EQ(FormulaAt(sheet, "J4"), "=B2:D4 + E2:G4");
  std::erase(sheet.grid.arrays, array);
  sheet.grid.ForEachCell(array, [&](embedded::model::CellAddress address, embedded::model::Cell& cell) {
    sheet.grid.formulas.erase(embedded::model::Grid::FormulaKey(address));
    cell.hasFormula = false;
  });
  auto& saved = Save();

  auto& savedSheet = *saved.sheets.front();
  EXPECT_THAT(savedSheet.grid.arrays, Not(::testing::Contains(array)));
  EXPECT_THAT(savedSheet.grid.arrays, ::testing::Contains(CellRect{6, 8, 8, 10}));
  EXPECT_EQ(FormulaAt(savedSheet, "H2"), "");
  EXPECT_EQ(FormulaAt(savedSheet, "H6"), "=TRANSPOSE(B6:D8)");
  EXPECT_EQ(ValueAt(saved, savedSheet, "I3"), ValueAt(book, sheet, "I3"));
  ExpectIn("xl/worksheets/sheet1.xml", {"<f t=\"array\" ref=\"H6:J8\">TRANSPOSE(B6:D8)</f>"});
}

TEST_F(FileTest, CellsAreInsertedInOrderAndUnchangedOnesKeepEveryAttribute) {
  auto& book = OpenParts(MinimalWorkbookParts("<row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\"><v>1</v></c>"
                                              "<c r=\"C2\"><v>3</v></c></row><row r=\"4\"><c r=\"A4\"><v>4</v></c></row>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "B2", 2.0);
  Store(book, sheet, "A1", std::string(" x "));
  Store(book, sheet, "D5", true);
  embedded::ClearContents(sheet.grid, Address("A4"));
  auto& saved = Save();

  ExpectIn("xl/worksheets/sheet1.xml",
           {"<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
            "<row r=\"2\" spans=\"1:3\"><c r=\"A2\" cm=\"1\" ph=\"1\"><v>1</v></c><c r=\"B2\"><v>2</v></c>"
            "<c r=\"C2\"><v>3</v></c></row><row r=\"5\"><c r=\"D5\" t=\"b\"><v>1</v></c></row></sheetData>"});
  ExpectIn("xl/sharedStrings.xml", {"count=\"1\" uniqueCount=\"1\"><si><t xml:space=\"preserve\"> x </t></si></sst>"});
  ExpectIn("xl/_rels/workbook.xml.rels", {"Target=\"sharedStrings.xml\""});
  ExpectIn("[Content_Types].xml", {"PartName=\"/xl/sharedStrings.xml\""});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "A1"), host::Variant(std::string(" x ")));
}

TEST_F(FileTest, AreaRulesLoseTheClearedCells) {
  const std::string rule = "<cfRule type=\"expression\" priority=\"1\"><formula>TRUE</formula></cfRule>";
  auto parts = MinimalWorkbookParts();
  std::string& worksheet = parts.at("xl/worksheets/sheet1.xml");
  worksheet.insert(worksheet.find("</worksheet>"),
                   "<mergeCells count=\"3\"><mergeCell ref=\"B2:C2\"/><mergeCell ref=\"C3:E3\"/><mergeCell "
                   "ref=\"E5:F6\"/></mergeCells><conditionalFormatting sqref=\"A1:D4\">" + rule +
                       "</conditionalFormatting><conditionalFormatting sqref=\"B3 H8\">" + rule +
                       "</conditionalFormatting><conditionalFormatting sqref=\"H1\">" + rule +
                       "</conditionalFormatting><dataValidations count=\"2\"><dataValidation type=\"whole\" "
                       "sqref=\"B2:B3\"><formula1>1</formula1></dataValidation><dataValidation type=\"whole\" "
                       "sqref=\"C1:C3\"><formula1>2</formula1></dataValidation></dataValidations>");
  auto& book = OpenParts(parts);
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
  EXPECT_EQ(saved.sheets.front()->areaRules.validations, std::vector<embedded::model::Areas>{{CellRect::Of({1, 3})}});

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
  workbook->sheets[0]->protection.isProtected = true;
  workbook->sheets[0]->protection.scenarios = false;
  data.selection.areas = {CellRect{2, 2, 4, 3}, CellRect::Of({7, 1})};
  data.selection.activeCell = {3, 2};
  workbook->sheets[2]->visibility = host::xlSheetHidden;
  workbook->activeSheet = workbook->sheets[1];
  Store(*workbook, data, "A1", std::string("Name"));
  Store(*workbook, data, "B2", host::Date{45352});
  embedded::StoreEntry(*workbook, data.grid, Address("C3"), {std::string("=B2+1"), {}});
  embedded::ChangeFont(*workbook, data, {CellRect::Of(Address("A1"))}, "Bold",
                       [](embedded::model::Font& font) { font.bold = true; });
  for (const auto& [cell, typed] : {std::pair{"A5", "3/4"}, {"A6", "'007"}, {"A7", "Mar-2024"}}) {
    embedded::StoreEntry(*workbook, data.grid, Address(cell), embedded::ReadEntry(host::Variant(typed)));
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
  EXPECT_TRUE(after.contains("docProps/core.xml"));
  const std::string& relationships = after.at("xl/_rels/workbook.xml.rels");
  EXPECT_EQ(relationships.find("relationships/styles"), relationships.rfind("relationships/styles"));
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
  EXPECT_EQ(FormatAt(saved, again, "A7").numberFormat, "mmm-yy");
  EXPECT_EQ(ValueAt(saved, again, "A6"), host::Variant(std::string("007")));
  EXPECT_TRUE(FormatAt(saved, again, "A6").quotePrefix);
  EXPECT_FALSE(FormatAt(saved, again, "A5").quotePrefix);
  EXPECT_EQ(FormatAt(saved, again, "A8").style, "Hyperlink");
}

}  // namespace
}  // namespace tabulara::xlsx::testing
