#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string Worksheet(const std::string& children) {
  return std::string("<worksheet xmlns=\"") + kMain + "\">" + children + "</worksheet>";
}

// Each piece's text, elements marked with a leading "E:".
std::vector<std::string> Pieces(const SheetRows& rows) {
  std::vector<std::string> texts;
  for (const SheetDataPiece& piece : rows.pieces) {
    texts.push_back((piece.element ? "E:" : "") + rows.text.substr(piece.begin, piece.end - piece.begin));
  }
  return texts;
}

TEST(SheetDataText, TheRowsComeOutAsTextInPiecesAndGoBackInPlace) {
  const std::string part = Worksheet(
      "<sheetPr/><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>\n  <!-- note --><row r=\"2\"/>"
      "</sheetData><pageMargins left=\"1\"/>");
  WorksheetText split = SplitWorksheetXml(part, "xl/worksheets/sheet1.xml");

  EXPECT_EQ(split.outer, Worksheet("<sheetPr/><sheetData></sheetData><pageMargins left=\"1\"/>"));
  EXPECT_EQ(split.rows.partOffset, part.find("<row"));
  EXPECT_THAT(Pieces(split.rows), ElementsAre("E:<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "\n  <!-- note -->",
                                              "E:<row r=\"2\"/>"));

  pugi::xml_document outer = ParseXmlPart(split.outer, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(JoinWorksheetXml(outer, split.rows.text),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n" +
                Worksheet("<sheetPr/><sheetData>" + split.rows.text + "</sheetData><pageMargins left=\"1\"/>"));
  EXPECT_EQ(JoinWorksheetXml(outer, ""), SerializeXmlPart(outer));
}

TEST(SheetDataText, EndTagsInCommentsTextsAndValuesDoNotEndTheRows) {
  const std::string rows =
      "<row r=\"1\" note=\"a>b\"><c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[</row></sheetData>]]></t></is></c>"
      "</row><!-- </sheetData> --><?keep </row>?>";
  WorksheetText split = SplitWorksheetXml(Worksheet("<sheetData>" + rows + "</sheetData>"), "sheet.xml");
  EXPECT_EQ(split.rows.text, rows);
  ASSERT_EQ(split.rows.pieces.size(), 2u);
  EXPECT_TRUE(split.rows.pieces[0].element);
  EXPECT_EQ(split.rows.pieces[0].end, rows.find("<!--"));
  EXPECT_FALSE(split.rows.pieces[1].element);
}

TEST(SheetDataText, PartsWithoutRowsStayWhole) {
  for (const std::string& part :
       {Worksheet("<sheetData/>"), Worksheet("<sheetPr/>"),
        Worksheet("<extLst><ext><sheetData><row r=\"9\"/></sheetData></ext></extLst>"),
        std::string("<chartsheet xmlns=\"") + kMain + "\"><sheetPr/></chartsheet>"}) {
    WorksheetText split = SplitWorksheetXml(part, "sheet.xml");
    EXPECT_EQ(split.outer, part);
    EXPECT_TRUE(split.rows.text.empty()) << part;
    EXPECT_TRUE(split.rows.pieces.empty()) << part;
  }
}

TEST(SheetDataText, APrefixedSheetDataKeepsItsPrefix) {
  const std::string part = std::string("<x:worksheet xmlns:x=\"") + kMain +
                           "\"><x:sheetData><x:row r=\"1\"/></x:sheetData></x:worksheet>";
  WorksheetText split = SplitWorksheetXml(part, "sheet.xml");
  EXPECT_EQ(split.rows.text, "<x:row r=\"1\"/>");
  pugi::xml_document outer = ParseXmlPart(split.outer, "sheet.xml");
  EXPECT_THAT(JoinWorksheetXml(outer, split.rows.text), HasSubstr("<x:sheetData><x:row r=\"1\"/></x:sheetData>"));
}

TEST(SheetDataText, PartsInOtherEncodingsAreReadInUtf8) {
  const std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xC3\xA9</t></is></c></row>";
  const std::string utf8 = Worksheet("<sheetData>" + rows + "</sheetData>");

  std::string utf16 = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte == 0xC3) {
      utf16 += "\xE9";
      utf16 += '\0';
      ++i;
    } else {
      utf16 += utf8[i];
      utf16 += '\0';
    }
  }
  EXPECT_EQ(SplitWorksheetXml(utf16, "sheet.xml").rows.text, rows);

  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                             Worksheet("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xE9</t></is>"
                                       "</c></row></sheetData>");
  WorksheetText split = SplitWorksheetXml(latin1, "sheet.xml");
  EXPECT_EQ(split.rows.text, rows);
  EXPECT_THAT(split.outer, HasSubstr("encoding=\"UTF-8\""));
}

TEST(SheetDataText, BrokenRowsAreReportedWithTheirPlaceInThePart) {
  testing::ScratchFolder folder;
  const std::string broken = "<row r=\"1\"><c r=\"A1\"><v>1</x></c></row>";
  auto parts = testing::MinimalWorkbookParts(broken);
  testing::WritePackage(folder / "broken.xlsx", parts);
  const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
  try {
    WorkbookFile::Open(folder / "broken.xlsx");
    FAIL() << "a broken row was read";
  } catch (const PackageError& error) {
    EXPECT_THAT(error.what(), HasSubstr("xl/worksheets/sheet1.xml is not well-formed XML"));
    EXPECT_THAT(error.what(), HasSubstr("at byte " + std::to_string(sheet.find("</x>") + 2)));
  }

  testing::WritePackage(folder / "unclosed.xlsx", testing::MinimalWorkbookParts("<row r=\"1\"><c r=\"A1\">"));
  EXPECT_THROW(WorkbookFile::Open(folder / "unclosed.xlsx"), PackageError);
}

}  // namespace
}  // namespace tabulara::xlsx
