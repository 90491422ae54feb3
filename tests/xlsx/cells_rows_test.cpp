#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <limits>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/error_values.h"
#include "host/constants.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/formula_shifter.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/plain_rows_ahead.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/package/package_error.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/styles/builtin_number_formats.h"
#include "xlsx/styles/font_element.h"
#include "xlsx/workbook_files.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::WorksheetXml;

// Each piece's text, elements marked with a leading "E:".
std::vector<std::string> Pieces(const SheetRows& rows) {
  std::vector<std::string> texts;
  for (const SheetDataPiece& piece : rows.pieces) {
    texts.push_back((piece.element ? "E:" : "") + std::string(rows.text.substr(piece.begin, piece.end - piece.begin)));
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
  const std::string rows(split.rows.text);
  const auto expected = [&](const std::string& before) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n" +
           WorksheetXml(before + "<sheetData>" + rows + "</sheetData><pageMargins left=\"1\"/>");
  };
  // The bytes read hold the rows alone: the part is made around them, in place.
  const std::shared_ptr<std::string> first = JoinWorksheetXml(outer, split.rows);
  EXPECT_EQ(*first, expected("<sheetPr/>"));
  EXPECT_EQ(split.rows.text, rows);
  EXPECT_EQ(split.rows.text.data(), first->data() + first->find("<row"));
  EXPECT_THAT(Pieces(split.rows), ElementsAre("E:<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "\n  <!-- note -->",
                                              "E:<row r=\"2\"/>"));

  // Now the package shares them: the next part is a copy, and the first stays as it was.
  outer.document_element().first_child().set_name("sheetProperties");
  const std::shared_ptr<std::string> second = JoinWorksheetXml(outer, split.rows);
  EXPECT_EQ(*second, expected("<sheetProperties/>"));
  EXPECT_EQ(*first, expected("<sheetPr/>"));
  EXPECT_EQ(split.rows.text, rows);
  EXPECT_EQ(split.rows.text.data(), second->data() + second->find("<row"));

  SheetRows none;
  EXPECT_EQ(*JoinWorksheetXml(outer, none), SerializeXmlPart(outer));
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
  EXPECT_THAT(*JoinWorksheetXml(outer, split.rows), HasSubstr("<x:sheetData><x:row r=\"1\"/></x:sheetData>"));
}

// The part split on one thread, and on two wherever there is a row tag past
// its middle; none when it is not well-formed.
std::optional<WorksheetText> SplitOn(const std::string& part, bool twoThreads) {
  try {
    return SplitWorksheetXml(part, "sheet.xml", twoThreads ? 0 : std::numeric_limits<std::size_t>::max());
  } catch (const PackageError&) {
    return std::nullopt;
  }
}

TEST(SheetDataText, TwoThreadsSplitAPartAsOneDoes) {
  // The second thread starts at the first row tag past the middle: between
  // rows after blanks, in a comment, a value, a CDATA section, an element
  // within a row, or before markup that is not well-formed. Rows added
  // before or after move the middle over each.
  const std::string kRow = "<row r=\"9\"><c r=\"A9\"><v>9</v></c></row>";
  for (const std::string& middle : std::vector<std::string>{
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>  <row r=\"2\"/>",
           "<!-- <row r=\"1\"/> --><row r=\"2\" note=\"a <row \"/>",
           "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t><![CDATA[<row r=\"5\"/>]]></t></is></c></row>",
           "<row r=\"1\"><extLst><row r=\"7\"/></extLst></row>",
           "<row r=\"1\"/><row r=\"2\"><c></row>",
       }) {
    for (int count = 0; count < 12; ++count) {
      std::string around;
      for (int i = 0; i < count; ++i) around += kRow;
      for (const std::string& part : {WorksheetXml("<sheetData>" + around + middle + "</sheetData><pageMargins/>"),
                                      WorksheetXml("<sheetData>" + middle + around + "</sheetData><pageMargins/>")}) {
        const std::optional<WorksheetText> one = SplitOn(part, false);
        const std::optional<WorksheetText> two = SplitOn(part, true);
        ASSERT_EQ(one.has_value(), two.has_value()) << part;
        if (!one) continue;
        EXPECT_EQ(two->outer, one->outer) << part;
        EXPECT_EQ(two->rows.text, one->rows.text) << part;
        EXPECT_EQ(two->rows.partOffset, one->rows.partOffset) << part;
        EXPECT_EQ(Pieces(two->rows), Pieces(one->rows)) << part;
      }
    }
  }
}

TEST(SheetDataText, APartInAnotherEncodingIsReadAndWrittenInUtf8) {
  const std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xC3\xA9</t></is></c></row>";
  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                             WorksheetXml("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caf\xE9</t></is>"
                                       "</c></row></sheetData>");
  WorksheetText split = SplitWorksheetXml(latin1, "sheet.xml");
  EXPECT_EQ(split.rows.text, rows);
  EXPECT_THAT(split.outer, HasSubstr("encoding=\"UTF-8\""));
}

TEST(CellsValues, ReferencesDatesNumbersErrorsAndEscapesAsWritten) {
  EXPECT_TRUE(ParseWrittenReference("XFD1048576")->InSheet());
  for (const char* notReference : {"1A", "A", "$A$1"}) EXPECT_FALSE(ParseWrittenReference(notReference));
  EXPECT_EQ(RangeReferenceText({10, 8, 10, 8}), "H10");

  EXPECT_EQ(IsoDateSerial("1900-02-28"), 59);
  EXPECT_EQ(IsoDateSerial("1900-03-01"), 61);
  EXPECT_EQ(IsoDateSerial("06:00:00"), 0.25);
  EXPECT_FALSE(IsoDateSerial("2024-02-30"));

  EXPECT_EQ(CellNumberText(42), "42");
  EXPECT_EQ(ParseCellNumber(CellNumberText(1.0 / 3)), 1.0 / 3);
  EXPECT_EQ(ParseCellNumber("1E-3"), 0.001);
  EXPECT_FALSE(ParseCellNumber("12abc"));

  EXPECT_EQ(embedded::ErrorTextOf(host::xlErrRef), "#REF!");
  EXPECT_EQ(embedded::ErrorCodeOf("#SPILL!"), 2045);
  EXPECT_FALSE(embedded::ErrorCodeOf("#OOPS"));
  EXPECT_FALSE(embedded::ErrorCodeOf(""));

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
      {"b2*2", 0, 1, "C2*2"},
      {"SUM(A:A)", 5, 2, "SUM(C:C)"},
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

TEST(CellsFontElement, ANewNameDropsTheThemeSchemeAndKeepsTheRest) {
  const char* const font = "<font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
                           "<charset val=\"204\"/><scheme val=\"minor\"/></font>";
  pugi::xml_document document;
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

// The row as the DOM prints it after reading it.
std::string PrintedByTheDom(const std::string& row) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(row.data(), row.size(), kXmlPartParseOptions, pugi::encoding_utf8)) << row;
  std::string printed;
  AppendXml(document.first_child(), printed);
  return printed;
}

TEST(PlainRow, PrintsAPlainRowByteForByteAsTheDomDoes) {
  // One row object for all, as a sheet's rows are read: nothing of a row
  // may stay for the next.
  PlainRow plain;
  for (const std::string& row : std::vector<std::string>{
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>",
           "<row r='2'  spans = \"1:3\"\n x14ac:dyDescent=\"0.25\" ><c r='A2' s=\"3\" t=\"s\"><v>0</v></c></row>",
           "<row r=\"3\"/>",
           "<row r=\"4\"></row>",
           "<row r=\"5\"><c r=\"A5\"/><c r=\"B5\"></c><c r=\"C5\"><v/></c><c r=\"D5\"><v></v></c></row>",
           "<row r=\"6\"><c r=\"A6\"><v> </v></c><c r=\"B6\" t=\"e\"><v>#N/A</v></c></row>",
           "<row r=\"7\"><c r=\"A7\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a > b </t></is></c></row>",
           "<row r=\"8\"><c r=\"A8\" t=\"inlineStr\"><is><t/></is></c>"
           "<c r=\"B8\" t=\"str\"><v>x\ty\nz\x01</v></c></row>",
           "<row r=\"9\" note=\"it's > that\"><c r=\"A9\" cm=\"1\" vm=\"2\"><v>9</v></c></row>",
           "<row r=\"10\"><c r=\"A10\"><f>1+1</f><v>2</v></c><c r=\"B10\" t=\"str\"><f aca='false'>\"a\"</f><v>a</v></c>"
           "<c r=\"C10\"><f t=\"shared\" si=\"0\"/><v>3</v></c><c r=\"D10\"><f></f></c><c r=\"E10\"><f >1</f></c>"
           "<c r=\"F10\" t=\"inlineStr\"><f>T(1)</f><is><t>x</t></is></c></row>",
           "<row r=\"11\"><c r=\"A11\"/><c r=\"B11\"><v>1</v></c><c r=\"C11\"/><c r=\"D11\"><v/></c><c r=\"E11\"/>"
           "<c r=\"F11\" t=\"inlineStr\"><is><t/></is></c><c r=\"G11\"/></row>",
           "<row r=\"12\"><c r=\"A12\"><f/><v/></c><c r=\"B12\"><f/><v/></c><c r=\"C12\" t=\"inlineStr\"><is><t/></is></c></row>",
           "<row r=\"13\"><c r=\"A13\"/></row>",
           "<row r=\"14\" ><c r=\"A14\" /><c r = \"B14\"><v>1</v></c><c r=\"C14\"><f>1</f><v>a>b</v></c>"
           "<c r=\"D14\"><v>1</v></c></row>",
           "<row r=\"15\"><c\nr=\"A15\"><v>1</v></c><c r=\"B15\"><f>2>1</f><v>1</v></c><c r=\"C15\"></c></row>",
           "<row r=\"16\"><c r=\"A16\" t=\"e\" t=\"n\"><v>1</v></c></row>",
           "<row r=\"17\" note=\"" + std::string(300, 'x') + "\"><c r=\"A17\"/></row>",
       }) {
    // Attributes set again to the same values, held apart from the source,
    // and contents marked edited print the same; what is neither is copied
    // from the source where it can be.
    for (const bool attributesSet : {false, true}) {
      for (const bool contentsEdited : {false, true}) {
        ASSERT_TRUE(ParsePlainRow(row, plain)) << row;
        const auto setAgain = [&](PlainAttributes& attributes) {
          if (!attributesSet) return;
          const std::vector<PlainAttribute> each(attributes.begin(), attributes.end());
          attributes.clear();
          for (const PlainAttribute& attribute : each) {
            attributes.Add({attribute.name, plain.Keep(std::string(attribute.value))});
          }
        };
        setAgain(plain.attributes);
        for (PlainCell& cell : plain.cells) {
          setAgain(cell.attributes);
          cell.contentEdited = contentsEdited;
        }
        std::string printed;
        PrintPlainRow(plain, printed);
        EXPECT_EQ(printed, PrintedByTheDom(row)) << attributesSet << contentsEdited;
      }
    }
  }
}

// An edit leaves a cell's attributes in the order the DOM writer would,
// and as parsed, so that their tag is copied whole, when it changed nothing.
TEST(PlainRow, AttributeEditsKeepTheDomsOrderAndTellWhetherTheyChangedAnything) {
  using Edit = void (*)(PlainAttributes&);
  const struct {
    const char* what;
    Edit edit;
    const char* after;
    bool asParsed;
  } cases[] = {
      {"a value set as it is", [](PlainAttributes& a) { a.Set("s", "1"); }, "r=A1 s=1 t=s", true},
      {"a value changed", [](PlainAttributes& a) { a.Set("s", "2"); }, "r=A1 s=2 t=s", false},
      {"one added by setting it", [](PlainAttributes& a) { a.Set("vm", "1"); }, "r=A1 s=1 t=s vm=1", false},
      {"one that is not there removed", [](PlainAttributes& a) { a.Remove("cm"); }, "r=A1 s=1 t=s", true},
      {"one removed", [](PlainAttributes& a) { a.Remove("s"); }, "r=A1 t=s", false},
      {"the last set last as it is", [](PlainAttributes& a) { a.SetLast("t", "s"); }, "r=A1 s=1 t=s", true},
      {"the last set last anew", [](PlainAttributes& a) { a.SetLast("t", "n"); }, "r=A1 s=1 t=n", false},
      {"another set last as it is", [](PlainAttributes& a) { a.SetLast("r", "A1"); }, "s=1 t=s r=A1", false},
      {"one not there set last", [](PlainAttributes& a) { a.SetLast("cm", "1"); }, "r=A1 s=1 t=s cm=1", false},
  };
  for (const auto& [what, edit, after, asParsed] : cases) {
    SCOPED_TRACE(what);
    PlainRow row;
    ASSERT_TRUE(ParsePlainRow("<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c></row>", row));
    PlainAttributes& attributes = row.cells.front().attributes;
    ASSERT_TRUE(attributes.AsParsed());
    edit(attributes);
    std::string listed;
    for (const PlainAttribute& attribute : attributes) {
      listed += (listed.empty() ? "" : " ") + std::string(attribute.name) + "=" + std::string(attribute.value);
    }
    EXPECT_EQ(listed, after);
    EXPECT_EQ(attributes.AsParsed(), asParsed);
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
           "<row r=\"1\"><c r=\"A1\"><f>1&gt;2</f><v>0</v></c></row>",
           "<row r=\"1\"><c r=\"A1\"><f>1</f><f>2</f></c></row>",
           "<row r=\"1\"><c r=\"A1\"><v>2</v><f>1+1</f></c></row>",
           "<row r=\"1\"><c r=\"A1\"><fx>1</fx></c></row>",
           "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t>rich</t></r></is></c></row>",
           "<row r=\"1\"><c r=\"A1\"><v xml:space=\"preserve\">1</v></c></row>",
           "<row r=\"1\" note=\"tab\there\"/>",
           "<row r=\"1\" note=\"&quot;\"/>",
           "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row> ",
           "<row r=\"1\"><c r=\"A1\"><v>1</v><v>2</v></c></row>",
           "<row r=\"1\"><c \x02r=\"A1\"/></row>",
           endedEarly,
           manyAttributes + " last=\"1\"/>",
       }) {
    EXPECT_FALSE(ParsePlainRow(row, plain)) << row;
  }
}

// Prepares a row by noting its number in each of its cells.
void NoteRowNumber(PlainRow& row) {
  for (PlainCell& cell : row.cells) cell.number = std::stod(std::string(row.attributes.Value("r")));
}

TEST(PlainRowsAhead, GivesEveryRowInOrderPreparedWhetherParsedAheadOrNot) {
  constexpr std::size_t kBatch = PlainRowsAhead::kBatch;
  // Rows in batches of kBatch, of fewer where the rows are wide, of one where one is wider than a batch.
  const struct {
    std::size_t count;
    std::size_t padding;
    std::size_t widePadding;
  } cases[] = {{3, 0, 0},
               {kBatch * 2 - 1, 0, 0},
               {kBatch * 3 + 7, 0, 0},
               {kBatch + 301, PlainRowsAhead::kBatchBytes / 100, PlainRowsAhead::kBatchBytes * 2}};
  for (const auto& [count, padding, widePadding] : cases) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string number = std::to_string(i + 1);
      const std::string note(i == kBatch ? widePadding : padding, ' ');
      texts.push_back(i % 5 == 4 ? "<row r=\"" + number + "\"><!-- not plain --></row>"
                                 : "<row r=\"" + number + "\"" + note + "><c r=\"A" + number + "\"/></row>");
    }
    PlainRowsAhead parsed(std::vector<std::string_view>(texts.begin(), texts.end()), &NoteRowNumber);
    for (std::size_t i = 0; i < count; ++i) {
      PlainRow* const row = parsed.Next();
      if (i % 5 == 4) {
        EXPECT_EQ(row, nullptr) << i;
        continue;
      }
      ASSERT_NE(row, nullptr) << i;
      EXPECT_EQ(row->attributes.Value("r"), std::to_string(i + 1));
      ASSERT_EQ(row->cells.size(), 1U);
      EXPECT_EQ(row->cells.front().number, static_cast<double>(i + 1)) << "prepared";
      // The caller may edit the row it was given.
      row->cells.front().attributes.Set("s", "1");
      row->cells.front().number = -1;
    }
  }
}

TEST(PlainRowsAhead, StopsWhenLeftBeforeItsLastRow) {
  const std::vector<std::string> texts(PlainRowsAhead::kBatch * 4, "<row r=\"1\"/>");
  PlainRowsAhead parsed(std::vector<std::string_view>(texts.begin(), texts.end()));
  for (std::size_t i = 0; i <= PlainRowsAhead::kBatch; ++i) ASSERT_NE(parsed.Next(), nullptr) << i;
}

// The workbook with a shared strings part of the items given.
Parts WithSharedStrings(Parts parts, const std::string& items) {
  return WithWorkbookPart(std::move(parts), "sharedStrings", "rId99",
                          std::string("<sst xmlns=\"") + kMainNamespace + "\">" + items + "</sst>");
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
      "<row r=\"1\" spans=\"1:10\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"><v>1.5</v></c>"
      "<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> x </t></is></c><c r=\"C1\" t=\"b\"><v>1</v></c>"
      "<c r=\"D1\" t=\"e\"><v>#N/A</v></c><c r=\"E1\" t=\"s\"><v>1</v></c><c r=\"F1\" t=\"str\"><v>s</v></c>"
      "<c r=\"G1\" t=\"s\"><v>0</v></c><c r=\"H1\"><v>NaN</v></c><c r=\"I1\" t=\"s\" s=\"0\"><v>0</v></c></row>";
  // Read through the DOM either way (vm is not read without it), written
  // without it.
  const std::string withMetadata = "<row r=\"5\"><c r=\"G5\" t=\"s\" vm=\"1\"><v>0</v></c></row>";
  auto& book = OpenParts(WithSharedStrings(
      MinimalWorkbookParts("<sheetData>" + plain + WithComment(Twin(plain, 1, 2)) + withMetadata +
                           WithComment(Twin(withMetadata, 5, 6)) + "</sheetData>"),
      "<si><t>old</t></si><si><t xml:space=\"preserve\"> pad </t></si>"));
  auto& sheet = *book.sheets.front();
  const char* columns[] = {"A", "B", "C", "D", "E", "F", "G", "I"};
  for (const char* column : columns) {
    EXPECT_EQ(ValueAt(book, sheet, std::string(column) + "1"), ValueAt(book, sheet, std::string(column) + "2"))
        << column;
  }
  EXPECT_EQ(ValueAt(book, sheet, "B1"), host::Variant(std::string(" x ")));
  EXPECT_EQ(ValueAt(book, sheet, "E1"), host::Variant(std::string(" pad ")));

  const host::Variant edits[] = {std::string("  two  blanks"), 2.5, std::string("#DIV/0!"), std::string("TRUE"),
                                 std::string("old"), std::string("new"), 7.0, std::string("typed last")};
  for (int row : {1, 2}) {
    for (std::size_t i = 0; i < std::size(columns); ++i) {
      embedded::StoreEntry(book, sheet.grid(), Address(columns[i] + std::to_string(row)),
                           embedded::ReadEntry(edits[i]));
    }
  }
  for (const char* cell : {"G5", "G6"}) embedded::StoreEntry(book, sheet.grid(), Address(cell), embedded::ReadEntry(7.0));
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  const std::string first = RowText(written, 1);
  EXPECT_NE(first.find("<c r=\"H1\"><v>NaN</v></c><c r=\"I1\" s=\"0\" t=\"s\">"), std::string::npos) << first;
  EXPECT_TRUE(first.starts_with("<row r=\"1\" spans=\"1:9\" ")) << first;
  EXPECT_EQ(Twin(first, 1, 2), RowText(written, 2));
  EXPECT_EQ(RowText(written, 5), "<row r=\"5\"><c r=\"G5\"><v>7</v></c></row>");
  EXPECT_EQ(Twin(RowText(written, 5), 5, 6), RowText(written, 6));
}

TEST_F(CellsPlainRows, ACellThatGainsOrLosesItsContentEndsItsTagAsTheDomDoes) {
  const std::string plain = "<row r=\"1\"><c r=\"A1\" s=\"1\"/><c r=\"B1\" s=\"1\"><v>1</v></c></row>";
  auto& book = OpenParts(WithWorkbookPart(
      MinimalWorkbookParts("<sheetData>" + plain + WithComment(Twin(plain, 1, 2)) + "</sheetData>"), "styles", "rId97",
      std::string("<styleSheet xmlns=\"") + kMainNamespace +
          "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
          "<cellXfs count=\"2\"><xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"1\"/></cellXfs></styleSheet>"));
  auto& sheet = *book.sheets.front();
  for (const std::string row : {"1", "2"}) {
    embedded::StoreEntry(book, sheet.grid(), Address("A" + row), embedded::ReadEntry(5.0));
    sheet.grid().Find(Address("B" + row))->SetEmpty();
  }
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(RowText(written, 1), "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>5</v></c><c r=\"B1\" s=\"1\"/></row>");
  EXPECT_EQ(Twin(RowText(written, 1), 1, 2), RowText(written, 2));
}

TEST_F(CellsPlainRows, ACellSetBackAfterASaveIsWrittenAtTheNextSave) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f>1+1</f><v>2</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "A1", 5.0);
  sheet.grid().SetFormula(Address("B1"), "=2+2");
  auto& first = Save("first.xlsx");
  EXPECT_EQ(ValueAt(first, *first.sheets.front(), "A1"), host::Variant(5.0));
  EXPECT_EQ(FormulaAt(*first.sheets.front(), "B1"), "=2+2");
  Store(book, sheet, "A1", 1.0);
  sheet.grid().SetFormula(Address("B1"), "=1+1");
  auto& second = Save("second.xlsx");
  EXPECT_EQ(ValueAt(second, *second.sheets.front(), "A1"), host::Variant(1.0));
  EXPECT_EQ(FormulaAt(*second.sheets.front(), "B1"), "=1+1");
}

TEST_F(CellsPlainRows, ASheetParsedAheadIsReadAndWrittenInRowOrder) {
  // Enough rows for them to be parsed on a second thread; every seventh
  // goes to the DOM.
  const int count = static_cast<int>(PlainRowsAhead::kBatch) * 3 + 5;
  std::string rows;
  for (int row = 1; row <= count; ++row) {
    const std::string number = std::to_string(row);
    rows += "<row r=\"" + number + "\">" + (row % 7 == 0 ? "<!--dom-->" : "") + "<c r=\"A" + number + "\"><v>" +
            number + "</v></c></row>";
  }
  auto& book = OpenParts(MinimalWorkbookParts("<sheetData>" + rows + "</sheetData>"));
  auto& sheet = *book.sheets.front();
  for (int row = 1; row <= count; ++row) {
    const std::string cell = "A" + std::to_string(row);
    ASSERT_EQ(ValueAt(book, sheet, cell), host::Variant(static_cast<double>(row))) << cell;
    if (row % 2 == 0) Store(book, sheet, cell, static_cast<double>(-row));
  }
  auto& saved = Save();
  for (int row = 1; row <= count; ++row) {
    const std::string cell = "A" + std::to_string(row);
    const double expected = row % 2 == 0 ? -row : row;
    EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), cell), host::Variant(expected)) << cell;
  }
}

// The workbook with a calculation chain.
Parts WithCalculationChain(Parts parts) {
  return WithWorkbookPart(std::move(parts), "calcChain", "rId98",
                          std::string("<calcChain xmlns=\"") + kMainNamespace + "\"><c r=\"A1\" i=\"1\"/></calcChain>");
}

TEST_F(CellsPlainRows, FormulasAndRowAttributesReadAndWriteAsTheDomDoes) {
  const std::string plain =
      "<row r=\"1\" customFormat=\"false\" ht=\"12.8\" hidden=\"true\" customHeight=\"false\" "
      "outlineLevel=\"0\" collapsed=\"false\"><c r=\"A1\" s=\"0\" t=\"n\" cm=\"1\"><f aca=\"false\">1+1</f><v>2</v></c>"
      "<c r=\"B1\" t=\"str\"><f>T(\"a\")</f><v>a</v></c><c r=\"C1\" t=\"str\"><f>T(\"x\")</f><v>old</v></c>"
      "<c r=\"D1\"><f>RAND()</f><v>0.5</v></c><c r=\"E1\"><f>4</f><v>4</v></c></row>";
  auto& book = OpenParts(WithCalculationChain(WithSharedStrings(
      MinimalWorkbookParts("<sheetData>" + plain + WithComment(Twin(plain, 1, 2)) + "</sheetData>"), "")));
  auto& sheet = *book.sheets.front();
  for (const char* column : {"A", "B", "C", "D", "E"}) {
    const std::string first = std::string(column) + "1";
    const std::string second = std::string(column) + "2";
    EXPECT_EQ(ValueAt(book, sheet, first), ValueAt(book, sheet, second)) << column;
    EXPECT_EQ(FormulaAt(sheet, first), FormulaAt(sheet, second)) << column;
  }
  EXPECT_EQ(FormulaAt(sheet, "B1"), "=T(\"a\")");
  for (int number : {1, 2}) {
    const embedded::model::Row& row = sheet.grid().rows.at(number);
    EXPECT_EQ(row.height, 12.8);
    EXPECT_TRUE(row.hidden);
    EXPECT_FALSE(row.format);
  }

  for (const std::string row : {"1", "2"}) {
    for (const char* column : {"A", "B"}) sheet.grid().RemoveFormula(Address(column + row));
    sheet.grid().Find(Address("C" + row))->SetText(book.strings.Intern("new"));
    sheet.grid().Find(Address("D" + row))->SetNumber(0.25);
  }
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  const std::string first = RowText(written, 1);
  EXPECT_EQ(first.substr(first.find('>') + 1),
            "<c r=\"A1\" s=\"0\" t=\"n\"><v>2</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
            "<c r=\"C1\" t=\"str\"><f>T(\"x\")</f><v>new</v></c><c r=\"D1\"><f>RAND()</f><v>0.25</v></c>"
            "<c r=\"E1\"><f>4</f><v>4</v></c></row>");
  EXPECT_EQ(Twin(first, 1, 2), RowText(written, 2));
}

// A row's height, visibility and format read the same from a plain row and
// through the DOM, the first of a repeated attribute counting.
TEST_F(CellsPlainRows, RowAttributesReadAsTheDomReadsThem) {
  for (const std::string& attributes : {
           std::string("ht=\"20\" ht=\"30\" hidden=\"0\" hidden=\"1\" customFormat=\"1\" s=\"1\" s=\"0\""),
           std::string("customFormat=\"0\" customFormat=\"1\" s=\"1\" r=\"9\""),
           std::string("customFormat=\"true\" s=\"1\" ht=\"9.75\" hidden=\"true\""),
           std::string("s=\"1\" customFormat=\"0\" hidden=\"false\""),
           std::string("customFormat=\"1\" s=\"x\""),
       }) {
    SCOPED_TRACE(attributes);
    const std::string plain = "<row r=\"1\" " + attributes + "><c r=\"A1\"><v>1</v></c></row>";
    auto& book =
        OpenParts(MinimalWorkbookParts("<sheetData>" + plain + WithComment(Twin(plain, 1, 2)) + "</sheetData>"));
    const auto& rows = book.sheets.front()->grid().rows;
    const embedded::model::Row& first = rows.at(1);
    const embedded::model::Row& second = rows.at(2);
    EXPECT_EQ(first.height, second.height);
    EXPECT_EQ(first.hidden, second.hidden);
    EXPECT_EQ(first.format, second.format);
    EXPECT_TRUE(first.height || attributes.find("ht") == std::string::npos);
  }
}

// Rows the plain writer must leave to the DOM: cells out of order, and a cell
// with no room left for the type and format it may need.
TEST_F(CellsPlainRows, RowsThePlainWriterCannotTakeAreWrittenWhole) {
  const std::string crowded =
      "<c r=\"A2\" a=\"1\" b=\"2\" c=\"3\" d=\"4\" e=\"5\" f=\"6\" g=\"7\"><v>1</v></c>";
  auto& book = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"B1\"><v>2</v></c><c r=\"A1\"><v>1</v></c>"
                                              "</row><row r=\"2\">" + crowded + "</row></sheetData>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "A1", 5.0);
  Store(book, sheet, "A2", std::string("text"));
  auto& saved = Save();

  auto& savedSheet = *saved.sheets.front();
  EXPECT_EQ(ValueAt(saved, savedSheet, "A1"), host::Variant(5.0));
  EXPECT_EQ(ValueAt(saved, savedSheet, "B1"), host::Variant(2.0));
  EXPECT_EQ(ValueAt(saved, savedSheet, "A2"), host::Variant(std::string("text")));
  EXPECT_THAT(RowText(after.at("xl/worksheets/sheet1.xml"), 2), HasSubstr("g=\"7\""));
}

TEST_F(CellsPlainRows, RowsOutOfOrderAreEachRewrittenInTheirPlace) {
  auto& book = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"3\"><c r=\"A3\"><v>3</v></c></row>"
                                              "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                                              "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  for (const char* cell : {"A1", "A2", "A3"}) Store(book, sheet, cell, 7.0);
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(written.substr(written.find("<sheetData>")),
            "<sheetData><row r=\"3\"><c r=\"A3\"><v>7</v></c></row><row r=\"1\"><c r=\"A1\"><v>7</v></c></row>"
            "<row r=\"2\"><c r=\"A2\"><v>7</v></c></row></sheetData></worksheet>");
}

TEST_F(CellsPlainRows, AFormulaRemovedFromAPlainRowTakesTheCalculationChainAlong) {
  auto& book = OpenParts(WithCalculationChain(
      MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c></row></sheetData>")));
  book.sheets.front()->grid().RemoveFormula(Address("A1"));
  Save();
  EXPECT_EQ(RowText(after.at("xl/worksheets/sheet1.xml"), 1), "<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>");
  EXPECT_FALSE(after.contains("xl/calcChain.xml"));
}

}  // namespace
}  // namespace tabulara::xlsx::testing
