#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "embedded/model/grid.h"
#include "xlsx/cells/file_row.h"
#include "xlsx/cells/row_digests.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using embedded::model::Cell;
using embedded::model::Grid;

// Row 2: a number, a text, a formula, a logical and an error; row 3 beside it.
Grid DigestedGrid() {
  Grid grid;
  grid.Obtain(Address("B2")).SetNumber(1.5);
  grid.Obtain(Address("B2")).format = 1;
  grid.Obtain(Address("C2")).SetText(3);
  grid.SetFormula(Address("D2"), "=B2*2");
  grid.Obtain(Address("D2")).SetNumber(3);
  grid.Obtain(Address("E2")).SetLogical(true);
  grid.Obtain(Address("F2")).SetError(7);
  grid.Obtain(Address("A3")).SetNumber(9);
  grid.rows.Find(2)->height = 15;
  grid.rows.Find(2)->format = 1;
  return grid;
}

// Every change the writer writes of a row changes its digest, and only its.
TEST(RowDigests, EveryChangeTheWriterWritesChangesTheRowsDigest) {
  const struct {
    const char* what;
    std::function<void(Grid&)> edit;
  } changes[] = {
      {"a number", [](Grid& g) { g.Find(Address("B2"))->SetNumber(2.5); }},
      {"a number's sign", [](Grid& g) { g.Find(Address("B2"))->SetNumber(-1.5); }},
      {"a format", [](Grid& g) { g.Find(Address("B2"))->format = 2; }},
      {"a high format", [](Grid& g) { g.Find(Address("B2"))->format = 1u << 20; }},
      {"a text", [](Grid& g) { g.Find(Address("C2"))->SetText(4); }},
      {"a kind", [](Grid& g) { g.Find(Address("C2"))->SetNumber(3); }},
      {"a value emptied", [](Grid& g) { g.Find(Address("B2"))->SetEmpty(); }},
      {"a logical", [](Grid& g) { g.Find(Address("E2"))->SetLogical(false); }},
      {"an error", [](Grid& g) { g.Find(Address("F2"))->SetError(8); }},
      {"a formula's text", [](Grid& g) { g.formulas[Grid::FormulaKey(Address("D2"))] = "=B2+2"; }},
      {"a formula lengthened", [](Grid& g) { g.formulas[Grid::FormulaKey(Address("D2"))] = "=B2*22"; }},
      {"a formula removed", [](Grid& g) { g.RemoveFormula(Address("D2")); }},
      {"a formula's entry lost", [](Grid& g) { g.formulas.erase(Grid::FormulaKey(Address("D2"))); }},
      {"a formula added", [](Grid& g) { g.SetFormula(Address("B2"), "=1"); }},
      {"a cell moved", [](Grid& g) { g.rows.Find(2)->cells.front().column = 7; }},
      {"a cell added", [](Grid& g) { g.Obtain(Address("Z2")); }},
      {"a cell removed", [](Grid& g) { g.Erase(Address("E2")); }},
      {"a height", [](Grid& g) { g.rows.Find(2)->height = 20; }},
      {"no height", [](Grid& g) { g.rows.Find(2)->height.reset(); }},
      {"hidden", [](Grid& g) { g.rows.Find(2)->hidden = true; }},
      {"a row format", [](Grid& g) { g.rows.Find(2)->format = 2; }},
      {"a row format of zero", [](Grid& g) { g.rows.Find(2)->format = 0; }},
      {"no row format", [](Grid& g) { g.rows.Find(2)->format.reset(); }},
  };
  const Grid base = DigestedGrid();
  const std::vector<RowDigest> before = DigestRows(base);
  ASSERT_EQ(before.size(), 2u);
  EXPECT_EQ(before[0].number, 2);
  EXPECT_EQ(before[1].number, 3);
  EXPECT_EQ(before, DigestRows(DigestedGrid()));
  for (const auto& change : changes) {
    Grid grid = DigestedGrid();
    change.edit(grid);
    const std::vector<RowDigest> after = DigestRows(grid);
    ASSERT_EQ(after.size(), 2u) << change.what;
    EXPECT_NE(after[0].digest, before[0].digest) << change.what;
    EXPECT_EQ(after[1], before[1]) << change.what;
  }
}

// A file row settles each cell's formula as a read of the whole sheet does.
TEST(FileRow, SettlesEachCellsFormulaAsAReadOfTheSheetDoes) {
  SharedFormulas shared;
  shared[7] = SharedFormula{{Address("A1"), "B1*2"}, {}};
  FileRow file;
  for (const std::uint16_t column : {6, 1, 2, 3, 4, 5, 8}) file.row.cells.emplace_back().column = column;
  using Kind = RowFormula::Kind;
  const auto add = [&](Kind kind, std::uint16_t column, std::string_view text, std::uint32_t index = 0) {
    file.decoded.push_back({kind, column, index, {}, text});
  };
  add(Kind::Own, 6, "first");
  add(Kind::Own, 1, "1+1");
  add(Kind::SharedMember, 2, "", 7);
  add(Kind::SharedMember, 3, "", 9);
  add(Kind::Array, 4, "Y");
  add(Kind::Own, 4, "X");
  add(Kind::SharedMember, 5, "", 7);
  add(Kind::SharedMaster, 5, "Z", 8);
  add(Kind::Own, 6, "last");
  // No cell of its own: it marks none.
  add(Kind::Array, 7, "W");
  file.Finish(2, shared);

  ASSERT_EQ(file.row.cells.size(), 7u);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(file.row.cells[i].column, i + 1);
  // Members and arrays mark their cells (the decoder marks those of own
  // formulas); an unknown master's member does not.
  const bool marked[] = {false, true, false, true, true, false, false};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(file.row.cells[i].hasFormula, marked[i]) << i;

  const struct {
    std::uint16_t column;
    const char* now;
    bool same;
  } cases[] = {
      {1, "=1+1", true},   {1, "=1+2", false}, {1, "x1+1", false},  {1, "", false}, {1, nullptr, false},
      {2, "=C2*2", true},  {2, "=B1*2", false}, {3, nullptr, true},  {3, "=B3*2", false},
      {4, "=Y", true},     {4, "=X", false},    {5, "=F2*2", true},  {5, "=Z", false},
      {6, "=last", true},  {6, "=first", false}, {7, "=W", true},   {8, nullptr, true}, {8, "=", false},
  };
  for (const auto& c : cases) {
    const std::string now = c.now != nullptr ? c.now : "";
    EXPECT_EQ(file.SameFormula(c.column, c.now != nullptr ? &now : nullptr), c.same)
        << c.column << " " << (c.now != nullptr ? c.now : "(none)");
  }

  // Reused for another row: nothing of the first stays.
  file.row.height = 20;
  file.row.hidden = true;
  file.row.format = 3;
  file.Clear();
  EXPECT_TRUE(file.row.cells.empty());
  EXPECT_FALSE(file.row.height || file.row.hidden || file.row.format);
  file.row.cells.emplace_back().column = 2;
  add(Kind::Own, 2, "2+2");
  file.Finish(3, shared);
  const std::string any = "=1+1";
  EXPECT_TRUE(file.SameFormula(1, nullptr));
  EXPECT_FALSE(file.SameFormula(1, &any));
  const std::string two = "=2+2";
  EXPECT_TRUE(file.SameFormula(2, &two));
}

// A workbook saved twice: the second save finds what changed against the
// part the first one wrote.
using CellsChanges = FileTest;

std::string StylesXml(const std::string& cellXfs, const std::string& numFmts = "") {
  return std::string("<styleSheet xmlns=\"") + kMainNamespace + "\">" + numFmts +
         "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
         "<cellXfs>" + cellXfs + "</cellXfs></styleSheet>";
}

// A model format and the cellXfs entry written for it may differ in number:
// the part's entries are compared with the entries the model's formats write.
TEST_F(CellsChanges, FormatsAreComparedAsTheEntriesTheyWrite) {
  auto& book = OpenParts(WithWorkbookPart(
      MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\" s=\"1\"><v>2</v></c></row>"
                           "</sheetData>"),
      "styles", "rId97", StylesXml("<xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"1\"/>")));
  auto& sheet = *book.sheets.front();
  embedded::model::CellFormat bold = book.formats.Get(0);
  bold.font.bold = true;
  embedded::model::CellFormat italic = book.formats.Get(0);
  italic.font.italic = true;
  const std::uint32_t boldId = book.formats.Intern(bold);
  const std::uint32_t italicId = book.formats.Intern(italic);
  ASSERT_EQ(boldId, 2u);
  // Written as entry 2, the number of the bold format.
  sheet.grid().Find(Address("A1"))->format = italicId;
  auto& first = Save("first.xlsx");
  EXPECT_TRUE(FormatAt(first, *first.sheets.front(), "A1").font.italic);
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A1\" s=\"2\">"});

  sheet.grid().Find(Address("A1"))->format = boldId;
  auto& second = Save("second.xlsx");
  EXPECT_TRUE(FormatAt(second, *second.sheets.front(), "A1").font.bold);
  EXPECT_FALSE(FormatAt(second, *second.sheets.front(), "A1").font.italic);
  EXPECT_EQ(FormatAt(second, *second.sheets.front(), "B1").numberFormat, "0");
}

// In the 1904 date system a date is written 1462 days less: a number that
// becomes a date or stops being one is written anew, and whether an entry
// derived for a model format shows dates is that format's.
TEST_F(CellsChanges, ADateWrittenWithADerivedFormatIsReadBackAsWritten) {
  Parts parts = WithWorkbookPart(
      MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>100</v></c><c r=\"B1\"><v>5</v></c></row>"
                           "<row r=\"2\"><c r=\"B2\" s=\"1\"><v>5</v></c></row></sheetData>"),
      "styles",
      "rId97", StylesXml("<xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"14\"/>"));
  std::string& workbookXml = parts["xl/workbook.xml"];
  workbookXml.insert(workbookXml.find("<sheets>"), "<workbookPr date1904=\"1\"/>");
  auto& book = OpenParts(parts);
  auto& sheet = *book.sheets.front();
  Cell& a1 = *sheet.grid().Find(Address("A1"));
  ASSERT_EQ(a1.number, 1562);
  embedded::model::CellFormat bold = book.formats.Get(0);
  bold.font.bold = true;
  embedded::model::CellFormat boldDate = book.formats.Get(1);
  boldDate.font.bold = true;
  book.formats.Intern(bold);
  a1.format = book.formats.Intern(boldDate);
  sheet.grid().Find(Address("B1"))->format = 1;
  sheet.grid().Find(Address("B2"))->format = 0;
  auto& first = Save("first.xlsx");
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A1\" s=\"2\"><v>100</v></c>"});
  EXPECT_EQ(first.sheets.front()->grid().Find(Address("B1"))->number, 5);
  EXPECT_EQ(first.sheets.front()->grid().Find(Address("B2"))->number, 1467);

  // The part's 100 is 1562: a 100 now is a change.
  sheet.grid().Find(Address("A1"))->SetNumber(100);
  auto& second = Save("second.xlsx");
  EXPECT_EQ(second.sheets.front()->grid().Find(Address("A1"))->number, 100);
}

// A cell naming a cellXfs entry the file does not have was read with the
// default format: its row is written anew with the rows that change, before
// a save derives an entry of that number, changed or not.
TEST_F(CellsChanges, AFormatPastTheStyleSheetIsWrittenAnew) {
  Parts parts = WithWorkbookPart(
      MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\" s=\"3\"><v>5</v></c><c r=\"B1\"><v>1</v></c></row>"
                           "<row r=\"2\"><c r=\"B2\"><v>40000</v></c></row></sheetData>"),
      "styles", "rId97", StylesXml("<xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"14\"/><xf fontId=\"0\" numFmtId=\"1\"/>"));
  std::string& workbookXml = parts["xl/workbook.xml"];
  workbookXml.insert(workbookXml.find("<sheets>"), "<workbookPr date1904=\"1\"/>");
  auto& book = OpenParts(parts);
  auto& sheet = *book.sheets.front();
  ASSERT_EQ(sheet.grid().Find(Address("A1"))->format, 0u);
  embedded::model::CellFormat boldDate = book.formats.Get(1);
  boldDate.font.bold = true;
  sheet.grid().Find(Address("B2"))->format = book.formats.Intern(boldDate);
  auto& saved = Save();
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A1\"><v>5</v></c>", "<c r=\"B2\" s=\"3\"><v>38538</v></c>"});
  const auto& reread = *saved.sheets.front();
  EXPECT_EQ(reread.grid().Find(Address("A1"))->format, 0u);
  EXPECT_EQ(reread.grid().Find(Address("B2"))->number, 40000);
}

// A shared formula's members stay members across saves while their formula
// does not change; a member changed is written with its own formula.
TEST_F(CellsChanges, SharedFormulaMembersStayAcrossSaves) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A3\" si=\"0\">B1*2</f><v>2</v></c>"
      "<c r=\"B1\"><v>1</v></c></row>"
      "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c><c r=\"B2\"><v>2</v></c></row>"
      "<row r=\"3\"><c r=\"A3\"><f t=\"shared\" si=\"0\"/><v>6</v></c><c r=\"B3\"><v>3</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "B2", 5.0);
  Save("first.xlsx");
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c><c r=\"B2\"><v>5</v></c>"});

  Store(book, sheet, "B2", 6.0);
  sheet.grid().Find(Address("A2"))->SetNumber(12);
  sheet.grid().SetFormula(Address("A3"), "=B3*5");
  auto& second = Save("second.xlsx");
  ExpectIn("xl/worksheets/sheet1.xml", {"<c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>12</v></c><c r=\"B2\"><v>6</v>",
                                        "<c r=\"A3\"><f>B3*5</f>"});
  const auto& saved = *second.sheets.front();
  EXPECT_EQ(FormulaAt(saved, "A1"), "=B1*2");
  EXPECT_EQ(FormulaAt(saved, "A2"), "=B2*2");
  EXPECT_EQ(FormulaAt(saved, "A3"), "=B3*5");
}

// A row written in two elements was read as one, the second's settings over
// the first's: changed, it is written whole, in one element.
TEST_F(CellsChanges, ARowInTwoElementsIsWrittenWhole) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"2\" s=\"0\" customFormat=\"1\"><c r=\"C2\"><v>1</v></c></row>"
      "<row r=\"1\"><c r=\"A1\"><v>0</v></c></row><row r=\"2\" ht=\"30\" customHeight=\"1\" hidden=\"true\">"
      "<c r=\"D2\"><v>2</v></c><c><v>3</v></c></row>"
      "<row r=\"3\" hidden=\"1\"><c r=\"A3\"><v>1</v></c></row><row r=\"3\" outlineLevel=\"1\"><c r=\"B3\"/></row>"
      "</sheetData>"));
  auto& sheet = *book.sheets.front();
  ASSERT_EQ(sheet.grid().rows.Find(2)->height, 30);
  ASSERT_TRUE(sheet.grid().rows.Find(2)->hidden);
  ASSERT_FALSE(sheet.grid().rows.Find(3)->hidden);
  ASSERT_EQ(ValueAt(book, sheet, "E2"), host::Variant(3.0));
  Store(book, sheet, "C2", 5.0);
  sheet.grid().Erase(Address("E2"));
  Store(book, sheet, "A3", 7.0);
  auto& saved = Save();
  ExpectIn("xl/worksheets/sheet1.xml",
           {"<sheetData><row r=\"2\" s=\"0\" customFormat=\"1\" ht=\"30\" customHeight=\"1\" hidden=\"1\">"
            "<c r=\"C2\"><v>5</v></c><c r=\"D2\"><v>2</v></c></row><row r=\"1\"><c r=\"A1\"><v>0</v></c></row>"
            "<row r=\"3\" outlineLevel=\"1\"><c r=\"A3\"><v>7</v></c><c r=\"B3\"/></row></sheetData>"});
  const auto& reread = *saved.sheets.front();
  EXPECT_EQ(ValueAt(saved, reread, "D2"), host::Variant(2.0));
  EXPECT_EQ(reread.grid().Find(Address("E2")), nullptr);
  EXPECT_TRUE(reread.grid().rows.Find(2)->hidden);
  EXPECT_EQ(reread.grid().rows.Find(2)->height, 30);
  EXPECT_FALSE(reread.grid().rows.Find(3)->hidden);
}

// A new row that an array added also covers is written once.
TEST_F(CellsChanges, ARowToWriteForTwoReasonsIsWrittenOnce) {
  auto& book = OpenParts(MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"B1\"><v>1</v></c></row></sheetData>"));
  Grid& grid = book.sheets.front()->grid();
  grid.arrays.push_back({1, 1, 2, 1});
  grid.SetFormula(Address("A1"), "=B1:B2");
  grid.Obtain(Address("A2")).SetNumber(0);
  Save();
  const std::string& written = after.at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(written.find("<row r=\"2\""), written.rfind("<row r=\"2\"")) << written;
  ExpectIn("xl/worksheets/sheet1.xml", {"<f t=\"array\" ref=\"A1:A2\">B1:B2</f>", "<row r=\"2\"><c r=\"A2\"><v>0</v>"});
}

// Rows the plain writer leaves to the tree take the same edits: settings
// and formats removed, a shared text's reference let go.
TEST_F(CellsChanges, RowsWrittenAsATreeTakeEveryEdit) {
  Parts parts = WithWorkbookPart(
      MinimalWorkbookParts("<sheetData><row r=\"1\" s=\"1\" customFormat=\"1\"><!--tree--><c r=\"A1\" s=\"1\"><v>1</v></c>"
                           "<c r=\"B1\" t=\"s\"><v>0</v></c></row></sheetData>"),
      "styles", "rId97", StylesXml("<xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"1\"/>"));
  auto& book = OpenParts(WithWorkbookPart(parts, "sharedStrings", "rId96",
                                          std::string("<sst xmlns=\"") + kMainNamespace +
                                              "\" count=\"1\" uniqueCount=\"1\"><si><t>a</t></si></sst>"));
  Grid& grid = book.sheets.front()->grid();
  grid.rows.Find(1)->format.reset();
  grid.Find(Address("A1"))->format = 0;
  grid.Erase(Address("B1"));
  Save();
  ExpectIn("xl/worksheets/sheet1.xml", {"<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"});
  ExpectIn("xl/sharedStrings.xml", {"count=\"0\""});
}

// Cells out of column order were read in order: a changed row is written so.
TEST_F(CellsChanges, CellsOutOfOrderAreWrittenInOrder) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><!--dom--><c r=\"A1\"><v>1</v></c><c r=\"J1\"><v>10</v></c><c r=\"C1\"><v>3</v></c>"
      "<c r=\"E1\"><v>5</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  Store(book, sheet, "C1", 30.0);
  sheet.grid().Erase(Address("E1"));
  Store(book, sheet, "D1", 4.0);
  auto& saved = Save();
  ExpectIn("xl/worksheets/sheet1.xml", {"<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"C1\"><v>30</v></c>"
                                        "<c r=\"D1\"><v>4</v></c><c r=\"J1\"><v>10</v></c></row>"});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "C1"), host::Variant(30.0));
}

// A row without a number takes the one after the row before it: written
// with its number, it keeps it when the row before goes.
TEST_F(CellsChanges, ARowWithoutANumberKeepsItsNumber) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row><c r=\"A2\"><v>2</v></c></row></sheetData>"));
  auto& sheet = *book.sheets.front();
  ASSERT_EQ(ValueAt(book, sheet, "A2"), host::Variant(2.0));
  sheet.grid().Erase(Address("A1"));
  auto& saved = Save();
  ExpectIn("xl/worksheets/sheet1.xml", {"<sheetData><row r=\"2\"><c r=\"A2\"><v>2</v></c></row></sheetData>"});
  EXPECT_EQ(ValueAt(saved, *saved.sheets.front(), "A2"), host::Variant(2.0));
}

}  // namespace
}  // namespace tabulara::xlsx::testing
