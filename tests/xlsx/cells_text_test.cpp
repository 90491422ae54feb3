#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "host/constants.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/error_values.h"
#include "xlsx/cells/formula_shifter.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/styles/builtin_number_formats.h"
#include "xlsx/styles/font_element.h"
#include "xlsx/workbook_files.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::WorksheetXml;

// Each piece's text, elements marked with a leading "E:".
std::vector<std::string> Pieces(const SheetRows& rows) {
  std::vector<std::string> texts;
  for (const SheetDataPiece& piece : rows.pieces) {
    texts.push_back((piece.element ? "E:" : "") + rows.text.substr(piece.begin, piece.end - piece.begin));
  }
  return texts;
}

TEST(SheetDataText, TheRowsComeOutAsTextInPiecesAndGoBackInPlace) {
  const std::string part = WorksheetXml(
      "<sheetPr/><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>\n  <!-- note --><row r=\"2\"/>"
      "</sheetData><pageMargins left=\"1\"/>");
  WorksheetText split = SplitWorksheetXml(part, "xl/worksheets/sheet1.xml");

  EXPECT_EQ(split.outer, WorksheetXml("<sheetPr/><sheetData></sheetData><pageMargins left=\"1\"/>"));
  EXPECT_EQ(split.rows.partOffset, part.find("<row"));
  EXPECT_THAT(Pieces(split.rows), ElementsAre("E:<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "\n  <!-- note -->",
                                              "E:<row r=\"2\"/>"));

  pugi::xml_document outer = ParseXmlPart(split.outer, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(JoinWorksheetXml(outer, split.rows.text),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n" +
                WorksheetXml("<sheetPr/><sheetData>" + split.rows.text + "</sheetData><pageMargins left=\"1\"/>"));
  EXPECT_EQ(JoinWorksheetXml(outer, ""), SerializeXmlPart(outer));
}

TEST(SheetDataText, EndTagsInCommentsTextsAndValuesDoNotEndTheRows) {
  const std::string rows =
      "<row r=\"1\" note=\"a>b\"><c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[</row></sheetData>]]></t></is></c>"
      "</row><!-- </sheetData> --><?keep </row>?>";
  WorksheetText split = SplitWorksheetXml(WorksheetXml("<sheetData>" + rows + "</sheetData>"), "sheet.xml");
  EXPECT_EQ(split.rows.text, rows);
  ASSERT_EQ(split.rows.pieces.size(), 2u);
  EXPECT_TRUE(split.rows.pieces[0].element);
  EXPECT_EQ(split.rows.pieces[0].end, rows.find("<!--"));
  EXPECT_FALSE(split.rows.pieces[1].element);
}

TEST(SheetDataText, PartsWithoutRowsStayWholeAndPrefixesStay) {
  for (const std::string& part :
       {WorksheetXml("<sheetData/>"), WorksheetXml("<sheetPr/>"),
        WorksheetXml("<extLst><ext><sheetData><row r=\"9\"/></sheetData></ext></extLst>"),
        std::string("<chartsheet xmlns=\"") + testing::kMainNamespace + "\"><sheetPr/></chartsheet>"}) {
    WorksheetText split = SplitWorksheetXml(part, "sheet.xml");
    EXPECT_EQ(split.outer, part);
    EXPECT_TRUE(split.rows.text.empty()) << part;
    EXPECT_TRUE(split.rows.pieces.empty()) << part;
  }
  const std::string prefixed = std::string("<x:worksheet xmlns:x=\"") + testing::kMainNamespace +
                               "\"><x:sheetData><x:row r=\"1\"/></x:sheetData></x:worksheet>";
  WorksheetText split = SplitWorksheetXml(prefixed, "sheet.xml");
  EXPECT_EQ(split.rows.text, "<x:row r=\"1\"/>");
  pugi::xml_document outer = ParseXmlPart(split.outer, "sheet.xml");
  EXPECT_THAT(JoinWorksheetXml(outer, split.rows.text), HasSubstr("<x:sheetData><x:row r=\"1\"/></x:sheetData>"));
}

TEST(SheetDataText, PartsInOtherEncodingsAreReadInUtf8) {
  const std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xC3\xA9</t></is></c></row>";
  const std::string utf8 = WorksheetXml("<sheetData>" + rows + "</sheetData>");
  std::string utf16 = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    utf16 += static_cast<unsigned char>(utf8[i]) == 0xC3 ? '\xE9' : utf8[i];
    utf16 += '\0';
    if (static_cast<unsigned char>(utf8[i]) == 0xC3) ++i;
  }
  EXPECT_EQ(SplitWorksheetXml(utf16, "sheet.xml").rows.text, rows);

  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                             WorksheetXml("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xE9</t></is>"
                                       "</c></row></sheetData>");
  WorksheetText split = SplitWorksheetXml(latin1, "sheet.xml");
  EXPECT_EQ(split.rows.text, rows);
  EXPECT_THAT(split.outer, HasSubstr("encoding=\"UTF-8\""));
}

TEST(CellsValues, ReferencesDatesNumbersErrorsAndEscapesAsWritten) {
  EXPECT_TRUE(ParseWrittenReference("XFD1048576")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("XFE1")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("A1048577")->InSheet());
  EXPECT_FALSE(ParseWrittenReference("ABCDEFGH99999999999999")->InSheet());
  for (const char* notReference : {"1A", "A", "$A$1"}) EXPECT_FALSE(ParseWrittenReference(notReference));
  EXPECT_EQ(RangeReferenceText({2, 8, 4, 10}), "H2:J4");
  EXPECT_EQ(RangeReferenceText({10, 8, 10, 8}), "H10");

  EXPECT_EQ(IsoDateSerial("1900-01-01"), 1);
  EXPECT_EQ(IsoDateSerial("1900-02-28"), 59);
  EXPECT_EQ(IsoDateSerial("1900-03-01"), 61);
  EXPECT_EQ(IsoDateSerial("2024-03-01T12:00:00"), 45352.5);
  EXPECT_EQ(IsoDateSerial("06:00:00"), 0.25);
  EXPECT_FALSE(IsoDateSerial("2024-02-30"));
  EXPECT_FALSE(IsoDateSerial("yesterday"));

  EXPECT_EQ(CellNumberText(0.1), "0.1");
  EXPECT_EQ(CellNumberText(42), "42");
  EXPECT_EQ(ParseCellNumber(CellNumberText(1.0 / 3)), 1.0 / 3);
  EXPECT_EQ(ParseCellNumber("1E-3"), 0.001);
  EXPECT_FALSE(ParseCellNumber("12abc"));

  EXPECT_EQ(ErrorTextOf(host::xlErrRef), "#REF!");
  EXPECT_EQ(ErrorCodeOf("#SPILL!"), 2045);
  EXPECT_FALSE(ErrorCodeOf("#OOPS"));

  EXPECT_EQ(DecodeXstring("a_x000D_b_x005F_x0041_"), "a\rb_x0041_");
  EXPECT_EQ(EncodeXstring("a\rb_x0041_\n"), "a_x000D_b_x005F_x0041_\n");
  EXPECT_EQ(DecodeXstring(EncodeXstring("x_x00e9_\x01")), "x_x00e9_\x01");
}

TEST(CellsFormulaShifter, RelativeReferencesMoveAndTheRestIsLeftAlone) {
  const struct {
    const char* formula;
    int rows;
    int columns;
    const char* shifted;
  } cases[] = {
      {"B2+C$3*$D4-$E$5", 2, 1, "C4+D$3*$D6-$E$5"},
      {"SUM(A1:B2)", 1, 0, "SUM(A2:B3)"},
      {"b2*2", 0, 1, "C2*2"},
      {"SUM(A:A)", 5, 2, "SUM(C:C)"},
      {"SUM($A:B)", 0, 1, "SUM($A:C)"},
      {"SUM(1:2)+SUM($3:4)", 3, 0, "SUM(4:5)+SUM($3:7)"},
      {"TEXT(B1,\"A1 \"\"B2\"\"\")&'My A1'!B2&Sheet2!C3&LOG10(A1)", 1, 0,
       "TEXT(B2,\"A1 \"\"B2\"\"\")&'My A1'!B3&Sheet2!C4&LOG10(A2)"},
      {"'It''s'!A1+[1]Data!B1", 1, 1, "'It''s'!B2+[1]Data!C2"},
      {"SUM(Table1[Col A1])+#REF!+TBL1[x]+_xlfn.XLOOKUP(A1,B:B,C:C)+Rate2024", 1, 1,
       "SUM(Table1[Col A1])+#REF!+TBL1[x]+_xlfn.XLOOKUP(B2,C:C,D:D)+Rate2024"},
      {"IF(ISNA(A1),#N/A,TRUE)+1.5E+3", 1, 0, "IF(ISNA(A2),#N/A,TRUE)+1.5E+3"},
      {"A1+B2", -1, 0, "#REF!+B1"},
      {"XFD1", 0, 1, "#REF!"},
      {"A1048576", 1, 0, "#REF!"},
  };
  for (const auto& [formula, rows, columns, shifted] : cases) EXPECT_EQ(ShiftFormula(formula, rows, columns), shifted);
}

std::string Raw(const pugi::xml_node& node) {
  std::ostringstream printed;
  node.print(printed, "", pugi::format_raw);
  return printed.str();
}

TEST(CellsFontElement, FontsReadWithDefaultsAndANewNameDropsTheThemeScheme) {
  const char* const font = "<font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
                           "<charset val=\"204\"/><scheme val=\"minor\"/></font>";
  pugi::xml_document document;
  document.load_string("<font><b val=\"0\"/><i/></font>");
  const embedded::model::Font flags = ReadFont(document.child("font"), {"Arial", 10, true, false});
  EXPECT_FALSE(flags.bold);
  EXPECT_TRUE(flags.italic);
  EXPECT_EQ(flags.name, "Arial") << "taken from the defaults";

  document.load_string(font);
  const embedded::model::Font original = ReadFont(document.child("font"), {});
  EXPECT_EQ(original.size, 11);
  embedded::model::Font wanted = original;
  wanted.name = "Arial";
  wanted.italic = true;
  ApplyFont(document.child("font"), wanted, original);
  EXPECT_EQ(Raw(document.child("font")),
            "<font><i/><sz val=\"11\"/><color theme=\"1\"/><name val=\"Arial\"/><family val=\"2\"/>"
            "<charset val=\"204\"/></font>");

  EXPECT_TRUE(BuiltinNumberFormat(57)) << "an East Asian date";
  EXPECT_FALSE(BuiltinNumberFormat(164));
  EXPECT_EQ(BuiltinNumberFormatId("m/d/yyyy"), 14) << "the format of an entered date";
  EXPECT_FALSE(BuiltinNumberFormatId("yyyy-mm-dd"));
}

}  // namespace
}  // namespace tabulara::xlsx
