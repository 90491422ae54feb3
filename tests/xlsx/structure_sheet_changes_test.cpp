#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "embedded/rules/sheet_operations.h"
#include "host/constants.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::CorpusFolder;
using testing::OpenpyxlReport;
using testing::PartsOf;
using testing::ScratchFolder;

class StructureSheetChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(CorpusFolder() / "excel_internal_hyperlinks.xlsx")) {
      GTEST_SKIP() << "the shared corpus is not beside the repository";
    }
  }

  std::unique_ptr<WorkbookFile> Open(const std::string& corpusFile) {
    original_ = CorpusFolder() / corpusFile;
    return WorkbookFile::Open(original_);
  }

  embedded::model::Sheet& SheetNamed(WorkbookFile& file, const std::string& name) {
    for (const auto& sheet : file.workbook()->sheets) {
      if (sheet->name == name) return *sheet;
    }
    throw std::runtime_error("no sheet " + name);
  }

  // Saves, and checks that every part but `changed` kept its bytes.
  std::filesystem::path SaveKeepingAllBut(WorkbookFile& file, const std::set<std::string>& changed) {
    const auto saved = folder_ / original_.filename().string();
    file.Save(saved);
    const auto before = PartsOf(original_);
    const auto after = PartsOf(saved);
    EXPECT_EQ(before.size(), after.size());
    for (const auto& [name, bytes] : before) {
      if (!after.contains(name)) ADD_FAILURE() << name << " is missing";
      else if (changed.contains(name)) EXPECT_NE(after.at(name), bytes) << name;
      else EXPECT_EQ(after.at(name), bytes) << name;
    }
    return saved;
  }

  static std::vector<std::string> Names(const WorkbookFile& file) {
    std::vector<std::string> names;
    for (const auto& sheet : file.workbook()->sheets) names.push_back(sheet->name);
    return names;
  }

  ScratchFolder folder_;
  std::filesystem::path original_;
};

TEST_F(StructureSheetChanges, RenamedSheetsAndTheReferencesToThem) {
  auto file = Open("excel_internal_hyperlinks.xlsx");
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "Sheet1"), "Front Page");
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "Sheet2"), "Back");
  const auto saved = SaveKeepingAllBut(*file, {"xl/workbook.xml", "xl/worksheets/sheet1.xml"});

  const auto parts = PartsOf(saved);
  const std::string& workbook = parts.at("xl/workbook.xml");
  EXPECT_THAT(workbook, HasSubstr("<sheet name=\"Front Page\" sheetId=\"1\" r:id=\"rId1\"/>"
                                  "<sheet name=\"Back\" sheetId=\"2\" r:id=\"rId2\"/>"));
  EXPECT_THAT(workbook, HasSubstr("<definedName name=\"WBScope\">'Front Page'!$C$4:$E$5</definedName>"
                                  "<definedName name=\"WSScope\" localSheetId=\"1\">Back!$A$1:$D$2</definedName>"));
  const std::string& sheet1 = parts.at("xl/worksheets/sheet1.xml");
  EXPECT_THAT(sheet1, HasSubstr("location=\"Back!A1\""));
  EXPECT_THAT(sheet1, HasSubstr("location=\"'Front Page'!WSScope1\""));
  EXPECT_THAT(sheet1, HasSubstr("location=\"WBScope\""));

  auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(Names(*reopened), (std::vector<std::string>{"Front Page", "Back"}));
  if (const auto report = OpenpyxlReport("structure_sheets.py", saved)) {
    EXPECT_EQ(*report, "Front Page|Worksheet|visible\nBack|Worksheet|visible\nactive=0\nlockStructure=False\n");
  }
}

TEST_F(StructureSheetChanges, SheetNamesCarryControlCharactersAsXmlEscapes) {
  auto file = Open("excel_internal_hyperlinks.xlsx");
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "Sheet1"), "Bell\x07 Esc\x1B");
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "Sheet2"), "Literal _x0041_");
  const auto saved = folder_ / "escaped.xlsx";
  file->Save(saved);
  EXPECT_THAT(PartsOf(saved).at("xl/workbook.xml"),
              HasSubstr("<sheet name=\"Bell_x0007_ Esc_x001B_\" sheetId=\"1\" r:id=\"rId1\"/>"
                        "<sheet name=\"Literal _x005F_x0041_\" sheetId=\"2\" r:id=\"rId2\"/>"));
  EXPECT_EQ(Names(*WorkbookFile::Open(saved)), (std::vector<std::string>{"Bell\x07 Esc\x1B", "Literal _x0041_"}));
}

TEST_F(StructureSheetChanges, RenamingUpdatesCellAndValidationFormulasButNotStrings) {
  auto parts = testing::MinimalWorkbookParts(
      "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f>Sheet1!A1*2</f><v>2</v></c>"
      "<c r=\"C1\" t=\"str\"><f>\"Sheet1!A1\"&amp;sheet1!A1</f><v>Sheet1!A11</v></c></row>");
  std::string& sheet = parts["xl/worksheets/sheet1.xml"];
  sheet.insert(sheet.find("</worksheet>"),
               "<dataValidations count=\"1\"><dataValidation type=\"list\" sqref=\"D1\">"
               "<formula1>Sheet1!$A$1:$A$3</formula1></dataValidation></dataValidations>");
  original_ = folder_ / "formulas.xlsx";
  testing::WritePackage(original_, parts);

  auto file = WorkbookFile::Open(original_);
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "Sheet1"), "My Data");
  const auto saved = folder_ / "renamed.xlsx";
  file->Save(saved);
  const std::string written = PartsOf(saved).at("xl/worksheets/sheet1.xml");
  EXPECT_THAT(written, HasSubstr("<f>'My Data'!A1*2</f>"));
  EXPECT_THAT(written, HasSubstr("<f>\"Sheet1!A1\"&amp;'My Data'!A1</f>"));
  EXPECT_THAT(written, HasSubstr("<formula1>'My Data'!$A$1:$A$3</formula1>"));
  const auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(*reopened->workbook()->sheets[0]->grid.Formula({1, 2}), "='My Data'!A1*2");
}

TEST_F(StructureSheetChanges, RenamingUpdatesChartSeriesWithQuotedNames) {
  auto file = Open("excel_apostrophe_sheetnames_charts.xlsx");
  embedded::RenameSheet(*file->workbook(), SheetNamed(*file, "S'heet'2"), "Pie Data");
  const auto saved = folder_ / "charts.xlsx";
  file->Save(saved);
  const auto before = PartsOf(original_);
  const auto after = PartsOf(saved);
  int renamedCharts = 0;
  for (const auto& [name, bytes] : after) {
    if (!name.starts_with("xl/charts/chart")) continue;
    EXPECT_THAT(bytes, Not(HasSubstr("'S''heet''2'!")));
    if (bytes.find("<c:f>'Pie Data'!$A$1:$A$5</c:f>") != std::string::npos) ++renamedCharts;
    else EXPECT_EQ(bytes, before.at(name)) << name;
  }
  EXPECT_EQ(renamedCharts, 1);
  EXPECT_THAT(after.at("xl/workbook.xml"), HasSubstr("name=\"Pie Data\""));
}

TEST_F(StructureSheetChanges, MovedSheetsCarryTheirTabPositions) {
  auto file = Open("excel_internal_hyperlinks.xlsx");
  embedded::MoveSheet(*file->workbook(), SheetNamed(*file, "Sheet2"), SheetNamed(*file, "Sheet1"));
  // Sheet2, moved, becomes the active sheet and takes the tab selection.
  const auto saved =
      SaveKeepingAllBut(*file, {"xl/workbook.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"});

  const std::string workbook = PartsOf(saved).at("xl/workbook.xml");
  EXPECT_THAT(workbook, HasSubstr("<sheet name=\"Sheet2\" sheetId=\"2\" r:id=\"rId2\"/>"
                                  "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>"));
  EXPECT_THAT(workbook, HasSubstr("<definedName name=\"WSScope\" localSheetId=\"0\">Sheet2!$A$1:$D$2</definedName>"
                                  "<definedName name=\"WSScope1\" localSheetId=\"1\">Sheet1!$C$7:$E$8</definedName>"));
  auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(Names(*reopened), (std::vector<std::string>{"Sheet2", "Sheet1"}));
  EXPECT_EQ(reopened->workbook()->ActiveSheet()->name, "Sheet2");
  if (const auto report = OpenpyxlReport("structure_sheets.py", saved)) {
    EXPECT_EQ(*report, "Sheet2|Worksheet|visible\nSheet1|Worksheet|visible\nactive=0\nlockStructure=False\n");
  }
}

TEST_F(StructureSheetChanges, HiddenAndShownSheets) {
  auto file = Open("excel_visible_hidden_veryhidden_chartsheet.xlsx");
  ASSERT_EQ(Names(*file), (std::vector<std::string>{"Visible", "Hidden", "VeryHidden", "Chart"}));
  EXPECT_EQ(SheetNamed(*file, "Hidden").visibility, host::xlSheetHidden);
  EXPECT_EQ(SheetNamed(*file, "VeryHidden").visibility, host::xlSheetVeryHidden);
  EXPECT_EQ(SheetNamed(*file, "Chart").kind, embedded::model::SheetKind::Chart);

  embedded::SetSheetVisibility(*file->workbook(), SheetNamed(*file, "Hidden"), host::xlSheetVisible);
  embedded::SetSheetVisibility(*file->workbook(), SheetNamed(*file, "Chart"), host::xlSheetHidden);
  const auto saved = SaveKeepingAllBut(*file, {"xl/workbook.xml"});

  auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(SheetNamed(*reopened, "Hidden").visibility, host::xlSheetVisible);
  EXPECT_EQ(SheetNamed(*reopened, "VeryHidden").visibility, host::xlSheetVeryHidden);
  EXPECT_EQ(SheetNamed(*reopened, "Chart").visibility, host::xlSheetHidden);
  if (const auto report = OpenpyxlReport("structure_sheets.py", saved)) {
    // openpyxl reads no state of chart sheets.
    EXPECT_THAT(*report, HasSubstr("Visible|Worksheet|visible\nHidden|Worksheet|visible\n"
                                   "VeryHidden|Worksheet|veryHidden\nChart|Chartsheet|"));
  }
}

TEST_F(StructureSheetChanges, StructureLockIsRead) {
  EXPECT_TRUE(Open("excel_workbook_lockstructure.xlsx")->workbook()->structureProtected);
  EXPECT_TRUE(Open("wps_realworld_30_sheets_lockstructure.xlsx")->workbook()->structureProtected);
  EXPECT_FALSE(Open("libreoffice_line_chart.xlsx")->workbook()->structureProtected);
  auto locked = Open("excel_workbook_lockstructure.xlsx");
  EXPECT_ANY_THROW(embedded::RenameSheet(*locked->workbook(), *locked->workbook()->sheets[0], "Other"));
}

}  // namespace
}  // namespace tabulara::xlsx
