#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "embedded/rules/cell_values.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells_files.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using cells_testing::Address;
using cells_testing::ValueAt;

// Plain rows are read and written without a DOM; a comment in a row sends
// it to the DOM (which drops the comment). A plain row and its twin with a
// comment must read and write alike.
std::string Twin(const std::string& row, int from, int to) {
  const std::regex reference("r=\"([A-Z]*)" + std::to_string(from) + "\"");
  std::string twin;
  std::size_t copied = 0;
  for (auto match = std::sregex_iterator(row.begin(), row.end(), reference); match != std::sregex_iterator();
       ++match) {
    twin += row.substr(copied, static_cast<std::size_t>(match->position()) - copied);
    twin += "r=\"" + (*match)[1].str() + std::to_string(to) + "\"";
    copied = static_cast<std::size_t>(match->position() + match->length());
  }
  return twin + row.substr(copied);
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

std::map<std::string, std::string> WorkbookWithSharedStrings(const std::string& sheetData) {
  auto parts = testing::MinimalWorkbookParts(sheetData);
  parts["xl/sharedStrings.xml"] =
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"2\" uniqueCount=\"2\">"
      "<si><t>old</t></si><si><t xml:space=\"preserve\"> pad </t></si></sst>";
  std::string& types = parts["[Content_Types].xml"];
  types.insert(types.find("</Types>"),
               "<Override PartName=\"/xl/sharedStrings.xml\" "
               "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>");
  std::string& relationships = parts["xl/_rels/workbook.xml.rels"];
  relationships.insert(relationships.find("</Relationships>"),
                       "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                       "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>");
  return parts;
}

TEST(CellsPlainRows, ReadAndWriteAsTheDomDoes) {
  const std::string plain =
      "<row r=\"1\" spans=\"1:7\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"><v>1.5</v></c>"
      "<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> x </t></is></c><c r=\"C1\" t=\"b\"><v>1</v></c>"
      "<c r=\"D1\" t=\"e\"><v>#N/A</v></c><c r=\"E1\" t=\"s\"><v>1</v></c><c r=\"F1\" t=\"str\"><v>s</v></c>"
      "<c r=\"G1\" t=\"s\"><v>0</v></c></row>";
  // Read through the DOM either way (vm is not read without it), written
  // without it.
  const std::string withMetadata = "<row r=\"5\"><c r=\"G5\" t=\"s\" vm=\"1\"><v>0</v></c></row>";
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "twins.xlsx",
                        WorkbookWithSharedStrings(plain + WithComment(Twin(plain, 1, 2)) + withMetadata +
                                                  WithComment(Twin(withMetadata, 5, 6))));
  auto file = WorkbookFile::Open(folder / "twins.xlsx");
  auto& book = *file->workbook();
  auto& sheet = *book.sheets.front();
  for (const char* column : {"A", "B", "C", "D", "E", "F", "G"}) {
    EXPECT_EQ(ValueAt(book, sheet, std::string(column) + "1"), ValueAt(book, sheet, std::string(column) + "2"))
        << column;
  }
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(std::string(" x ")));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(std::string(" pad ")));

  const host::Variant edits[] = {std::string("  two  blanks"), 2.5, std::string("#DIV/0!"), std::string("TRUE"),
                                 std::string("old"), std::string("new"), 7.0};
  const char* columns[] = {"A", "B", "C", "D", "E", "F", "G"};
  for (int row : {1, 2}) {
    for (std::size_t i = 0; i < std::size(columns); ++i) {
      embedded::StoreEntry(book, sheet.grid, Address(columns[i] + std::to_string(row)),
                           embedded::ReadEntry(edits[i]));
    }
  }
  for (const char* cell : {"G5", "G6"}) embedded::StoreEntry(book, sheet.grid, Address(cell), embedded::ReadEntry(7.0));
  file->Save(folder / "saved.xlsx");
  const std::string written = testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml");
  const std::string first = RowText(written, 1);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(Twin(first, 1, 2), RowText(written, 2));
  EXPECT_EQ(RowText(written, 5), "<row r=\"5\"><c r=\"G5\"><v>7</v></c></row>");
  EXPECT_EQ(Twin(RowText(written, 5), 5, 6), RowText(written, 6));
}

TEST(CellsPlainRows, RowsKeepTheirPlaceAndTheTextBetweenThem) {
  const std::string rows =
      "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row>\n<!-- kept -->\n<row r=\"5\"><c r=\"A5\"><v>5</v></c></row>"
      "<row r=\"7\"><c r=\"A7\"><v>7</v></c></row>";
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "rows.xlsx", testing::MinimalWorkbookParts(rows));
  auto file = WorkbookFile::Open(folder / "rows.xlsx");
  auto& book = *file->workbook();
  auto& grid = book.sheets.front()->grid;
  embedded::StoreEntry(book, grid, Address("A3"), embedded::ReadEntry(3.0));
  embedded::StoreEntry(book, grid, Address("A9"), embedded::ReadEntry(9.0));
  embedded::ClearContents(grid, Address("A5"));
  grid.Erase(Address("A5"));
  embedded::StoreEntry(book, grid, Address("A7"), embedded::ReadEntry(8.0));
  file->Save(folder / "saved.xlsx");

  const std::string written = testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(cells_testing::SheetDataOf(written),
            "<sheetData><row r=\"2\"><c r=\"A2\"><v>2</v></c></row>\n<!-- kept -->\n"
            "<row r=\"3\"><c r=\"A3\"><v>3</v></c></row><row r=\"7\"><c r=\"A7\"><v>8</v></c></row>"
            "<row r=\"9\"><c r=\"A9\"><v>9</v></c></row></sheetData>");
}

TEST(CellsPlainRows, ANumberHeldAsNaNIsWrittenBackAsRead) {
  const std::string plain = "<row r=\"1\"><c r=\"A1\"><v>NaN</v></c><c r=\"B1\"><v>1</v></c></row>";
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "nan.xlsx", testing::MinimalWorkbookParts(plain + WithComment(Twin(plain, 1, 2))));
  auto file = WorkbookFile::Open(folder / "nan.xlsx");
  auto& book = *file->workbook();
  for (const char* cell : {"B1", "B2"}) {
    embedded::StoreEntry(book, book.sheets.front()->grid, Address(cell), embedded::ReadEntry(2.0));
  }
  file->Save(folder / "saved.xlsx");
  const std::string written = testing::PartsOf(folder / "saved.xlsx").at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(RowText(written, 1), "<row r=\"1\"><c r=\"A1\"><v>NaN</v></c><c r=\"B1\"><v>2</v></c></row>");
  EXPECT_EQ(RowText(written, 2), Twin(RowText(written, 1), 1, 2));
}

}  // namespace
}  // namespace tabulara::xlsx
