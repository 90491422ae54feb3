#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>

#include "xlsx/cells/plain_row.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
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
  for (const std::string row : {
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
       }) {
    PlainRow plain;
    EXPECT_FALSE(ParsePlainRow(row, plain)) << row;
  }
  std::string endedEarly = "<row r=\"1\"><c r=\"A1\"><v>1";
  endedEarly += '\0';
  endedEarly += "</v></c></row>";
  PlainRow plain;
  EXPECT_FALSE(ParsePlainRow(endedEarly, plain));
}

TEST(PlainRow, AnElementOfManyAttributesIsLeftToTheDom) {
  std::string row = "<row";
  for (std::size_t i = 0; i < PlainAttributes::kMost; ++i) row += " a" + std::to_string(i) + "=\"1\"";
  PlainRow plain;
  EXPECT_TRUE(ParsePlainRow(row + "/>", plain));
  EXPECT_FALSE(ParsePlainRow(row + " last=\"1\"/>", plain));
}

TEST(PlainRow, AttributesChangeInPlaceAndNewOnesComeLast) {
  PlainRow plain;
  ASSERT_TRUE(ParsePlainRow("<row r=\"1\"><c r=\"A1\" t=\"s\" s=\"2\"><v>0</v></c></row>", plain));
  PlainAttributes& cell = plain.cells.front().attributes;
  cell.Remove("t");
  cell.Set("s", "5");
  cell.Set("t", plain.Keep("b"));
  EXPECT_EQ(cell.Value("s"), "5");
  EXPECT_FALSE(cell.Find("vm"));
  std::string printed;
  PrintPlainRow(plain, printed);
  EXPECT_EQ(printed, "<row r=\"1\"><c r=\"A1\" s=\"5\" t=\"b\"><v>0</v></c></row>");
}

}  // namespace
}  // namespace tabulara::xlsx
