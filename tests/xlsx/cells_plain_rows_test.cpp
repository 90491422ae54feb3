#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <regex>
#include <string>
#include <vector>

#include "embedded/rules/cell_values.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/workbook_files.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::testing {
namespace {

// The row as the DOM prints it after reading it.
std::string PrintedByTheDom(const std::string& row) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(row.data(), row.size(), kXmlPartParseOptions, pugi::encoding_utf8)) << row;
  std::string printed;
  AppendXml(document.first_child(), printed);
  return printed;
}

TEST(PlainRow, PrintsAPlainRowByteForByteAsTheDomDoes) {
  for (const std::string row : {
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>",
           "<row r='2'  spans = \"1:3\"\n x14ac:dyDescent=\"0.25\" ><c r='A2' s=\"3\" t=\"s\"><v>0</v></c></row>",
           "<row r=\"3\"/>",
           "<row r=\"4\"></row>",
           "<row r=\"5\"><c r=\"A5\"/><c r=\"B5\"></c><c r=\"C5\"><v/></c><c r=\"D5\"><v></v></c></row>",
           "<row r=\"6\"><c r=\"A6\"><v> </v></c><c r=\"B6\" t=\"e\"><v>#N/A</v></c></row>",
           "<row r=\"7\"><c r=\"A7\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a > b </t></is></c></row>",
           "<row r=\"8\"><c r=\"A8\" t=\"inlineStr\"><is><t/></is></c><c r=\"B8\" t=\"str\"><v>x\ty\nz\x01</v></c></row>",
           "<row r=\"9\" note=\"it's > that\"><c r=\"A9\" cm=\"1\" vm=\"2\"><v>9</v></c></row>",
       }) {
    PlainRow plain;
    ASSERT_TRUE(ParsePlainRow(row, plain)) << row;
    std::string printed;
    PrintPlainRow(plain, printed);
    EXPECT_EQ(printed, PrintedByTheDom(row));
  }
}

TEST(PlainRow, LeavesEveryOtherRowToTheDom) {
  std::string endedEarly = "<row r=\"1\"><c r=\"A1\"><v>1";
  endedEarly += '\0';
  endedEarly += "</v></c></row>";
  std::string manyAttributes = "<row";
  for (std::size_t i = 0; i < PlainAttributes::kMost; ++i) manyAttributes += " a" + std::to_string(i) + "=\"1\"";
  PlainRow plain;
  EXPECT_TRUE(ParsePlainRow(manyAttributes + "/>", plain));
  for (const std::string& row : std::vector<std::string>{
           "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a &amp; b</t></is></c></row>",
           "<row r=\"1\"><c r=\"A1\"><v>1\r\n</v></c></row>",
           "<row r=\"1\"><!-- note --><c r=\"A1\"><v>1</v></c></row>",
           "<row r=\"1\"><c r=\"A1\"><v><![CDATA[1]]></v></c></row>",
           "<row r=\"1\"><?pi?><c r=\"A1\"/></row>",
           "<row r=\"1\"> <c r=\"A1\"/></row>",
           "<x:row r=\"1\"><x:c r=\"A1\"/></x:row>",
           "<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c></row>",
           "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t>rich</t></r></is></c></row>",
           "<row r=\"1\"><c r=\"A1\"><v xml:space=\"preserve\">1</v></c></row>",
           "<row r=\"1\" note=\"tab\there\"/>",
           "<row r=\"1\" note=\"&quot;\"/>",
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row> ",
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c>",
           "<row r=\"1\"><c r=\"A1\"><v>1</v><v>2</v></c></row>",
           "<rows r=\"1\"/>",
           "<row r=\"1\"><c \x02r=\"A1\"/></row>",
           "<row r=\"1\" 1a=\"1\"/>",
           "<row r=\"1\"><c r=\"A1\"t=\"s\"/></row>",
           endedEarly,
           manyAttributes + " last=\"1\"/>",
       }) {
    EXPECT_FALSE(ParsePlainRow(row, plain)) << row;
  }
}

// Plain rows are read and written without a DOM; a comment in a row sends
// it to the DOM (which drops the comment). A plain row and its twin with a
// comment must read and write alike.
std::string Twin(const std::string& row, int from, int to) {
  const std::regex reference("r=\"([A-Z]*)" + std::to_string(from) + "\"");
  return std::regex_replace(row, reference, "r=\"$01" + std::to_string(to) + "\"");
}

std::string WithComment(const std::string& row) {
  const std::size_t cut = row.find('>') + 1;
  return row.substr(0, cut) + "<!--dom-->" + row.substr(cut);
}

// The written row `number` of the sheet part.
std::string RowText(const std::string& sheet, int number) {
  const std::size_t begin = sheet.find("<row r=\"" + std::to_string(number) + "\"");
  if (begin == std::string::npos) return "";
  const std::size_t close = sheet.find('>', begin);
  if (sheet[close - 1] == '/') return sheet.substr(begin, close + 1 - begin);
  const std::size_t end = sheet.find("</row>", begin);
  return sheet.substr(begin, end + 6 - begin);
}

using CellsPlainRows = FileTest;

TEST_F(CellsPlainRows, ReadAndWriteAsTheDomDoes) {
  const std::string plain =
      "<row r=\"1\" spans=\"1:8\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"><v>1.5</v></c>"
      "<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> x </t></is></c><c r=\"C1\" t=\"b\"><v>1</v></c>"
      "<c r=\"D1\" t=\"e\"><v>#N/A</v></c><c r=\"E1\" t=\"s\"><v>1</v></c><c r=\"F1\" t=\"str\"><v>s</v></c>"
      "<c r=\"G1\" t=\"s\"><v>0</v></c><c r=\"H1\"><v>NaN</v></c></row>";
  // Read through the DOM either way (vm is not read without it), written
  // without it.
  const std::string withMetadata = "<row r=\"5\"><c r=\"G5\" t=\"s\" vm=\"1\"><v>0</v></c></row>";
  auto& book = OpenParts(WithSharedStrings(
      MinimalWorkbookParts(plain + WithComment(Twin(plain, 1, 2)) + withMetadata + WithComment(Twin(withMetadata, 5, 6))),
      "<si><t>old</t></si><si><t xml:space=\"preserve\"> pad </t></si>"));
  auto& sheet = *book.sheets.front();
  const char* columns[] = {"A", "B", "C", "D", "E", "F", "G"};
  for (const char* column : columns) {
    EXPECT_EQ(ValueAt(book, sheet, std::string(column) + "1"), ValueAt(book, sheet, std::string(column) + "2"))
        << column;
  }
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(std::string(" x ")));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(std::string(" pad ")));

  const host::Variant edits[] = {std::string("  two  blanks"), 2.5, std::string("#DIV/0!"), std::string("TRUE"),
                                 std::string("old"), std::string("new"), 7.0};
  for (int row : {1, 2}) {
    for (std::size_t i = 0; i < std::size(columns); ++i) {
      embedded::StoreEntry(book, sheet.grid, Address(columns[i] + std::to_string(row)),
                           embedded::ReadEntry(edits[i]));
    }
  }
  for (const char* cell : {"G5", "G6"}) embedded::StoreEntry(book, sheet.grid, Address(cell), embedded::ReadEntry(7.0));
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  const std::string first = RowText(written, 1);
  EXPECT_NE(first.find("<c r=\"H1\"><v>NaN</v></c></row>"), std::string::npos) << first;
  EXPECT_EQ(Twin(first, 1, 2), RowText(written, 2));
  EXPECT_EQ(RowText(written, 5), "<row r=\"5\"><c r=\"G5\"><v>7</v></c></row>");
  EXPECT_EQ(Twin(RowText(written, 5), 5, 6), RowText(written, 6));
}

TEST_F(CellsPlainRows, RowsKeepTheirPlaceAndTheTextBetweenThem) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row>\n<!-- kept -->\n<row r=\"5\"><c r=\"A5\"><v>5</v></c></row>"
      "<row r=\"7\"><c r=\"A7\"><v>7</v></c></row>"));
  auto& grid = book.sheets.front()->grid;
  embedded::StoreEntry(book, grid, Address("A3"), embedded::ReadEntry(3.0));
  embedded::StoreEntry(book, grid, Address("A9"), embedded::ReadEntry(9.0));
  embedded::ClearContents(grid, Address("A5"));
  grid.Erase(Address("A5"));
  embedded::StoreEntry(book, grid, Address("A7"), embedded::ReadEntry(8.0));
  Save();
  ExpectIn("xl/worksheets/sheet1.xml",
           {"<sheetData><row r=\"2\"><c r=\"A2\"><v>2</v></c></row>\n<!-- kept -->\n"
            "<row r=\"3\"><c r=\"A3\"><v>3</v></c></row><row r=\"7\"><c r=\"A7\"><v>8</v></c></row>"
            "<row r=\"9\"><c r=\"A9\"><v>9</v></c></row></sheetData>"});
}

}  // namespace
}  // namespace tabulara::xlsx::testing
