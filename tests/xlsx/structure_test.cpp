#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "embedded/rules/sheet_operations.h"
#include "host/constants.h"
#include "host/host_error.h"
#include "xlsx/settings/tab_selection.h"
#include "xlsx/structure/sheet_reference_renaming.h"
#include "xlsx/structure/tab_positions.h"
#include "xlsx/template_loader.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using embedded::model::CellAddress;
using embedded::model::CellRect;

std::vector<std::string> Names(const embedded::model::Workbook& workbook) {
  std::vector<std::string> names;
  for (const auto& sheet : workbook.sheets) names.push_back(sheet->name);
  return names;
}

using StructureSheets = CorpusTest;

TEST_F(StructureSheets, RenamedSheetsAndTheReferencesToThem) {
  auto& book = Open("excel_internal_hyperlinks.xlsx");
  embedded::RenameSheet(book, SheetNamed(book, "Sheet1"), "Front Page");
  embedded::RenameSheet(book, SheetNamed(book, "Sheet2"), "Back");
  Save();
  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/workbook.xml", "xl/worksheets/sheet1.xml"}));
  ExpectIn("xl/workbook.xml", {"<sheet name=\"Front Page\" sheetId=\"1\" r:id=\"rId1\"/>"
                               "<sheet name=\"Back\" sheetId=\"2\" r:id=\"rId2\"/>",
                               "<definedName name=\"WBScope\">'Front Page'!$C$4:$E$5</definedName>"
                               "<definedName name=\"WSScope\" localSheetId=\"1\">Back!$A$1:$D$2</definedName>"});
  ExpectIn("xl/worksheets/sheet1.xml",
           {"location=\"Back!A1\"", "location=\"'Front Page'!WSScope1\"", "location=\"WBScope\""});

  embedded::RenameSheet(book, SheetNamed(book, "Front Page"), "Bell\x07 Esc\x1B");
  embedded::RenameSheet(book, SheetNamed(book, "Back"), "Literal _x0041_");
  EXPECT_EQ(Names(Save()), (std::vector<std::string>{"Bell\x07 Esc\x1B", "Literal _x0041_"}));
  ExpectIn("xl/workbook.xml", {"<sheet name=\"Bell_x0007_ Esc_x001B_\" sheetId=\"1\" r:id=\"rId1\"/>"
                               "<sheet name=\"Literal _x005F_x0041_\" sheetId=\"2\" r:id=\"rId2\"/>"});
}

TEST_F(StructureSheets, RenamingUpdatesCellValidationAndChartFormulasButNotStrings) {
  auto& book = OpenParts(MinimalWorkbookParts(
      "<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f>Sheet1!A1*2</f><v>2</v></c>"
      "<c r=\"C1\" t=\"str\"><f>\"Sheet1!A1\"&amp;sheet1!A1</f><v>Sheet1!A11</v></c></row></sheetData>"
      "<dataValidations count=\"1\"><dataValidation type=\"list\" sqref=\"D1\">"
      "<formula1>Sheet1!$A$1:$A$3</formula1></dataValidation></dataValidations>"));
  embedded::RenameSheet(book, SheetNamed(book, "Sheet1"), "My Data");
  EXPECT_EQ(FormulaAt(*Save().sheets[0], "B1"), "='My Data'!A1*2");
  ExpectIn("xl/worksheets/sheet1.xml", {"<f>'My Data'!A1*2</f>", "<f>\"Sheet1!A1\"&amp;'My Data'!A1</f>",
                                        "<formula1>'My Data'!$A$1:$A$3</formula1>"});

  auto& charts = Open("excel_apostrophe_sheetnames_charts.xlsx");
  embedded::RenameSheet(charts, SheetNamed(charts, "S'heet'2"), "Pie Data");
  Save();
  int renamedCharts = 0;
  for (const auto& [name, bytes] : after) {
    if (!name.starts_with("xl/charts/chart")) continue;
    EXPECT_THAT(bytes, Not(HasSubstr("'S''heet''2'!")));
    if (bytes.find("<c:f>'Pie Data'!$A$1:$A$5</c:f>") != std::string::npos) ++renamedCharts;
    else EXPECT_EQ(bytes, before.at(name)) << name;
  }
  EXPECT_EQ(renamedCharts, 1);
  ExpectIn("xl/workbook.xml", {"name=\"Pie Data\""});
}

TEST_F(StructureSheets, MovedSheetsCarryTheirTabPositions) {
  auto& book = Open("excel_internal_hyperlinks.xlsx");
  embedded::MoveSheet(book, SheetNamed(book, "Sheet2"), SheetNamed(book, "Sheet1"));
  // Sheet2, moved, becomes the active sheet and takes the tab selection.
  auto& saved = Save();
  EXPECT_EQ(Differing(), (std::set<std::string>{"xl/workbook.xml", "xl/worksheets/sheet1.xml",
                                                "xl/worksheets/sheet2.xml"}));
  ExpectIn("xl/workbook.xml", {"<sheet name=\"Sheet2\" sheetId=\"2\" r:id=\"rId2\"/>"
                               "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>",
                               "<definedName name=\"WSScope\" localSheetId=\"0\">Sheet2!$A$1:$D$2</definedName>"
                               "<definedName name=\"WSScope1\" localSheetId=\"1\">Sheet1!$C$7:$E$8</definedName>"});
  EXPECT_EQ(saved.ActiveSheet()->name, "Sheet2");
}

TEST_F(StructureSheets, HiddenShownAndLockedSheets) {
  auto& book = Open("excel_visible_hidden_veryhidden_chartsheet.xlsx");
  EXPECT_EQ(SheetNamed(book, "Chart").kind, embedded::model::SheetKind::Chart);
  embedded::SetSheetVisibility(book, SheetNamed(book, "Hidden"), host::xlSheetVisible);
  embedded::SetSheetVisibility(book, SheetNamed(book, "Chart"), host::xlSheetHidden);
  auto& saved = Save();
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/workbook.xml"});
  EXPECT_EQ(SheetNamed(saved, "Hidden").visibility, host::xlSheetVisible);
  EXPECT_EQ(SheetNamed(saved, "VeryHidden").visibility, host::xlSheetVeryHidden);
  EXPECT_EQ(SheetNamed(saved, "Chart").visibility, host::xlSheetHidden);

  EXPECT_FALSE(Open("libreoffice_line_chart.xlsx").structureProtected);
  EXPECT_TRUE(Open("excel_workbook_lockstructure.xlsx").structureProtected);
}

TEST_F(StructureSheets, TemplatesAreReadWhateverTheirFileIsCalledAndInsertedWithPartsOfTheirOwn) {
  const auto loader = MakeTemplateLoader();
  const auto source = loader(CorpusFile("excel_template_minimal.xltx").string());
  ASSERT_TRUE(source);
  EXPECT_EQ(Names(*source), (std::vector<std::string>{"Лист1", "Лист2", "Лист3"}));
  std::filesystem::copy_file(CorpusFile("excel_template_minimal.xltx"), folder / "Report.xlt");
  EXPECT_EQ(Names(*loader((folder / "Report.xlt").string())), Names(*source));
  std::ofstream(folder / "Broken.xltx") << "not a workbook";
  EXPECT_THROW(loader((folder / "Broken.xltx").string()), host::HostError);

  auto& book = Open("excel_internal_hyperlinks.xlsx");
  book.activeSheet = book.sheets[1];
  embedded::InsertSheets(book, nullptr, *source);
  ASSERT_EQ(Names(book), (std::vector<std::string>{"Sheet1", "Лист1", "Лист2", "Лист3", "Sheet2"}));
  auto& saved = Save();
  ExpectIn("xl/_rels/workbook.xml.rels", {"Target=\"worksheets/sheet5.xml\""});
  ExpectIn("[Content_Types].xml", {"PartName=\"/xl/worksheets/sheet5.xml\""});
  // The sheet-scoped name of Sheet2 follows it from tab 1 to tab 4.
  ExpectIn("xl/workbook.xml", {"<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Лист1\" ",
                               "<definedName name=\"WSScope\" localSheetId=\"4\">"});
  for (const char* unchanged : {"xl/styles.xml", "xl/theme/theme1.xml", "docProps/app.xml"}) {
    EXPECT_EQ(after.at(unchanged), before.at(unchanged)) << unchanged;
  }
  EXPECT_EQ(saved.ActiveSheet()->name, "Лист1");
  EXPECT_EQ(saved.sheets[1]->grid().CellCount(), source->sheets[0]->grid().CellCount());
}

using StructureSettings = CorpusTest;

TEST_F(StructureSettings, ProtectionFlagsAreReadAndWrittenKeepingThePasswordHash) {
  auto& protection = Open("excel_sheet_protection_sha512.xlsx").sheets[0]->protection();
  EXPECT_TRUE(protection.isProtected);
  EXPECT_TRUE(protection.scenarios);
  protection.scenarios = false;
  EXPECT_FALSE(Save().sheets[0]->protection().scenarios);
  ExpectIn("xl/worksheets/sheet1.xml", {"spinCount=\"100000\" sheet=\"1\" objects=\"1\"/>", "hashValue=\""});
  protection.isProtected = false;
  EXPECT_FALSE(Save().sheets[0]->protection().isProtected);
  ExpectNotIn("xl/worksheets/sheet1.xml", {"sheetProtection"});

  auto& plain = Open("libreoffice_line_chart.xlsx").sheets[0]->protection();
  EXPECT_FALSE(plain.isProtected);
  plain.isProtected = true;
  Save();
  EXPECT_THAT(after.at("xl/worksheets/sheet1.xml"),
              HasSubstr("</sheetData><sheetProtection sheet=\"1\" objects=\"1\" scenarios=\"1\"/>"));
}

TEST_F(StructureSettings, SelectionsAndTheActiveSheetAreReadAndWrittenBack) {
  auto& book = Open("excel_internal_hyperlinks.xlsx");
  auto& sheet2 = *book.sheets[1];
  EXPECT_EQ(sheet2.selection().areas, (std::vector<CellRect>{CellRect{1, 1, 2, 4}}));
  EXPECT_EQ(sheet2.selection().activeCell, (CellAddress{1, 1}));

  sheet2.selection().areas = {CellRect{5, 2, 6, 3}, CellRect::Of({9, 9})};
  sheet2.selection().activeCell = CellAddress{9, 9};
  const auto& again = *Save().sheets[1];
  EXPECT_EQ(Differing(), std::set<std::string>{"xl/worksheets/sheet2.xml"});
  ExpectIn("xl/worksheets/sheet2.xml", {"<selection sqref=\"B5:C6 I9\" activeCell=\"I9\"/>"});
  EXPECT_EQ(again.selection().areas, sheet2.selection().areas);
  EXPECT_EQ(again.selection().activeCell, sheet2.selection().activeCell);

  book.activeSheet = book.sheets[1];
  EXPECT_EQ(Save().ActiveSheet()->name, "Sheet2");
  ExpectIn("xl/worksheets/sheet1.xml", {"<sheetView workbookViewId=\"0\">"});
  ExpectIn("xl/worksheets/sheet2.xml", {"<sheetView workbookViewId=\"0\" tabSelected=\"1\">"});
  ExpectIn("xl/workbook.xml", {"windowHeight=\"11430\" activeTab=\"1\"/>"});
}

TEST(TabSelection, TheFirstSheetViewTellsItFromThePartsFirstBytes) {
  const std::string head = "<worksheet><sheetPr/><dimension ref=\"A1\"/>";
  const struct {
    std::string prefix;
    bool whole;
    std::optional<bool> selected;
  } cases[] = {
      {head + "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews><sheetData>", false, true},
      {head + "<sheetViews><x:sheetView tabSelected = 'true'>", false, true},
      {head + "<sheetViews><sheetView tabSelected=\"1\" showGridLines=\"0\" zoomScale=\"85\" zoomScaleNormal=\"85\"/>",
       false, true},
      {head + "<sheetViews><sheetView workbookViewId=\"0\" tabSelected=\"0\"/>", false, false},
      {head + "<sheetViews><sheetView workbookViewId=\"0\"/><sheetView tabSelected=\"1\"/>", false, false},
      {head + "<sheetViews><sheetView showGridLines=\"0\" zoomScale=\"85\" zoomScaleNormal=\"85\" workbookViewId=\"0\"/>"
              "<sheetView tabSelected=\"1\" workbookViewId=\"1\"/>",
       false, false},
      {head + "<sheetViews><sheetView notTabSelected=\"1\" workbookViewId=\"0\"/>", false, false},
      {head + "<sheetData><row r=\"1\"/></sheetData><sheetView tabSelected=\"1\"/>", false, false},
      {head + "<sheetViews><sheetView tabSel", false, std::nullopt},
      {head, false, std::nullopt},
      {"<chartsheet><sheetPr/></chartsheet>", true, false},
  };
  for (const auto& [prefix, whole, selected] : cases) EXPECT_EQ(TabSelectedIn(prefix, whole), selected) << prefix;
}

TEST(TabSelection, OnlyTheFirstSheetViewIsEditedToMoveIt) {
  const std::string data = "<sheetData><row r=\"1\"/></sheetData></worksheet>";
  const struct {
    std::string part;
    bool selected;
    std::optional<std::string> edited;
  } cases[] = {
      {"<worksheet><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>", true,
       "<worksheet><sheetViews><sheetView workbookViewId=\"0\" tabSelected=\"1\"/></sheetViews>"},
      {"<worksheet><sheetViews><x:sheetView tabSelected=\"1\" zoomScale=\"90\"><selection/>", false,
       "<worksheet><sheetViews><x:sheetView zoomScale=\"90\"><selection/>"},
      {"<worksheet><sheetViews><sheetView tabSelected='0'>", true,
       "<worksheet><sheetViews><sheetView tabSelected=\"1\">"},
      {"<worksheet><sheetViews><sheetView tabSelected=\"\" workbookViewId=\"0\">", true,
       "<worksheet><sheetViews><sheetView workbookViewId=\"0\" tabSelected=\"1\">"},
      {"<worksheet><sheetViews><sheetView tabSelected=\"true\"/>", true,
       "<worksheet><sheetViews><sheetView tabSelected=\"true\"/>"},
      {"<worksheet>", true, std::nullopt},
  };
  for (const auto& [part, selected, edited] : cases) {
    EXPECT_EQ(WithTabSelected(part + data, selected), edited ? std::optional(*edited + data) : std::nullopt) << part;
  }
}

TEST(ActiveTab, TheFirstTabShownIsNeverPastTheActiveOne) {
  const struct {
    const char* view;
    std::size_t active;
    const char* written;
    bool changed;
  } cases[] = {{R"(firstSheet="4" activeTab="6")", 2, R"(firstSheet="2" activeTab="2")", true},
               {R"(firstSheet="3" activeTab="3")", 3, R"(firstSheet="3" activeTab="3")", false},
               {R"(firstSheet="5" activeTab="1")", 1, R"(firstSheet="1" activeTab="1")", true},
               {R"(firstSheet="1" activeTab="1")", 4, R"(firstSheet="1" activeTab="4")", true}};
  for (const auto& c : cases) {
    pugi::xml_document xml;
    const std::string text = std::string("<workbook><bookViews><workbookView ") + c.view + "/></bookViews></workbook>";
    ASSERT_TRUE(xml.load_string(text.c_str()));
    EXPECT_EQ(structure::SetActiveTab(xml.document_element(), c.active), c.changed) << c.view;
    std::ostringstream written;
    xml.document_element().child("bookViews").print(written, "", pugi::format_raw);
    EXPECT_EQ(written.str(), std::string("<bookViews><workbookView ") + c.written + "/></bookViews>") << c.view;
  }
}

TEST(StructureReferenceRenaming, ReferencesToTheSheetTakeItsNewNameQuotedWhereNeeded) {
  const struct {
    const char* from;
    const char* to;
    const char* formula;
    const char* renamed;
  } cases[] = {
      {"Sheet1", "Data", "=Sheet1!A1", "=Data!A1"},
      {"Sheet1", "Data", "=SUM(Sheet1!A1:B2)+sheet1!$C$3", "=SUM(Data!A1:B2)+Data!$C$3"},
      {"Sheet1", "It's", "=Sheet1!A1", "='It''s'!A1"},
      {"Sheet1", "2024", "=Sheet1!A1", "='2024'!A1"},
      {"My Sheet", "Data", "='My Sheet'!A1*2", "=Data!A1*2"},
      {"Sheet3", "Last Sheet", "=SUM(Sheet1:Sheet3!A1)", "=SUM('Sheet1:Last Sheet'!A1)"},
      {"Sheet3", "Last Sheet", "=SUM('Sheet3:Sheet 5'!A1)", "=SUM('Last Sheet:Sheet 5'!A1)"},
      {"Sheet1", "Data", "=\"say \"\"Sheet1!A1\"\"\"&Sheet1!B1", "=\"say \"\"Sheet1!A1\"\"\"&Data!B1"},
      {"Sheet1", "Data", "=Sheet10!A1+MySheet1!A1", "=Sheet10!A1+MySheet1!A1"},
      {"Sheet1", "Data", "=[1]Sheet1!A1+'[Book.xlsx]Sheet1'!A1", "=[1]Sheet1!A1+'[Book.xlsx]Sheet1'!A1"},
      {"Sheet1", "Data", "=SUM(Table1[[#This Row],[Sheet1!x]])", "=SUM(Table1[[#This Row],[Sheet1!x]])"},
      {"Sheet1", "Data", "=Sheet1+A1:B2", "=Sheet1+A1:B2"},
      {"日本語", "表", "=日本語!A1", "=表!A1"},
      {"Sheet1", "X", "=\"Sheet1!A1", "=\"Sheet1!A1"},
  };
  for (const auto& [from, to, formula, renamed] : cases) {
    structure::SheetRenames renames;
    renames.Add(from, to);
    EXPECT_EQ(structure::RenameSheetReferences(formula, renames), renamed);
  }
  structure::SheetRenames swapped;
  swapped.Add("A", "B");
  swapped.Add("B", "A");
  EXPECT_EQ(structure::RenameSheetReferences("=A!A1+B!B2", swapped), "=B!A1+A!B2");
}

}  // namespace
}  // namespace tabulara::xlsx::testing
