#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "xlsx/structure/tab_positions.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::SheetKind;
using testing::CorpusFolder;
using testing::PartsOf;
using testing::ScratchFolder;

class StructureSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(CorpusFolder() / "excel_sheet_protection_sha512.xlsx")) {
      GTEST_SKIP() << "the shared corpus is not beside the repository";
    }
  }
  std::unique_ptr<WorkbookFile> Open(const std::string& name) { return WorkbookFile::Open(CorpusFolder() / name); }
  ScratchFolder folder_;
};

TEST_F(StructureSettings, ProtectionFlagsAreRead) {
  const auto protectedFile = Open("excel_sheet_protection_sha512.xlsx");
  const auto& protection = protectedFile->workbook()->sheets[0]->protection;
  EXPECT_TRUE(protection.isProtected);
  EXPECT_TRUE(protection.contents);
  EXPECT_TRUE(protection.drawingObjects);
  EXPECT_TRUE(protection.scenarios);
  EXPECT_FALSE(Open("libreoffice_line_chart.xlsx")->workbook()->sheets[0]->protection.isProtected);

  const auto mixed = Open("excel_realworld_vba_chartsheets_protected.xlsm");
  // Four worksheets (sheet, objects, scenarios) and both chart sheets
  // (content, objects) are protected.
  int protectedWorksheets = 0;
  int protectedCharts = 0;
  for (const auto& sheet : mixed->workbook()->sheets) {
    if (!sheet->protection.isProtected) continue;
    EXPECT_TRUE(sheet->protection.contents);
    EXPECT_TRUE(sheet->protection.drawingObjects);
    ++(sheet->kind == SheetKind::Chart ? protectedCharts : protectedWorksheets);
  }
  EXPECT_EQ(protectedWorksheets, 4);
  EXPECT_EQ(protectedCharts, 2);
}

TEST_F(StructureSettings, ChangedFlagsKeepThePasswordHash) {
  auto file = Open("excel_sheet_protection_sha512.xlsx");
  file->workbook()->sheets[0]->protection.scenarios = false;
  const auto saved = folder_ / "flags.xlsx";
  file->Save(saved);
  const std::string sheet = PartsOf(saved).at("xl/worksheets/sheet1.xml");
  EXPECT_THAT(sheet, HasSubstr("spinCount=\"100000\" sheet=\"1\" objects=\"1\"/>"));
  EXPECT_THAT(sheet, HasSubstr("hashValue=\""));
  EXPECT_FALSE(WorkbookFile::Open(saved)->workbook()->sheets[0]->protection.scenarios);
}

TEST_F(StructureSettings, UnprotectingRemovesTheProtectionAndProtectingAddsItInPlace) {
  auto file = Open("excel_sheet_protection_sha512.xlsx");
  file->workbook()->sheets[0]->protection.isProtected = false;
  const auto unprotected = folder_ / "unprotected.xlsx";
  file->Save(unprotected);
  EXPECT_THAT(PartsOf(unprotected).at("xl/worksheets/sheet1.xml"), Not(HasSubstr("sheetProtection")));
  EXPECT_FALSE(WorkbookFile::Open(unprotected)->workbook()->sheets[0]->protection.isProtected);

  auto plain = Open("libreoffice_line_chart.xlsx");
  plain->workbook()->sheets[0]->protection.isProtected = true;
  const auto protectedFile = folder_ / "protected.xlsx";
  plain->Save(protectedFile);
  EXPECT_THAT(PartsOf(protectedFile).at("xl/worksheets/sheet1.xml"),
              HasSubstr("</sheetData><sheetProtection sheet=\"1\" objects=\"1\" scenarios=\"1\"/>"));
}

TEST_F(StructureSettings, SelectionsAreReadAndWrittenBack) {
  auto file = Open("excel_internal_hyperlinks.xlsx");
  auto& sheet1 = *file->workbook()->sheets[0];
  auto& sheet2 = *file->workbook()->sheets[1];
  EXPECT_EQ(sheet1.selection.activeCell, (CellAddress{6, 1}));
  EXPECT_EQ(sheet2.selection.areas, (std::vector<CellRect>{CellRect{1, 1, 2, 4}}));
  EXPECT_EQ(sheet2.selection.activeCell, (CellAddress{1, 1}));

  sheet2.selection.areas = {CellRect{5, 2, 6, 3}, CellRect::Of({9, 9})};
  sheet2.selection.activeCell = CellAddress{9, 9};
  const auto saved = folder_ / "selection.xlsx";
  file->Save(saved);
  const auto before = PartsOf(CorpusFolder() / "excel_internal_hyperlinks.xlsx");
  const auto after = PartsOf(saved);
  EXPECT_EQ(after.at("xl/worksheets/sheet1.xml"), before.at("xl/worksheets/sheet1.xml"));
  EXPECT_THAT(after.at("xl/worksheets/sheet2.xml"), HasSubstr("<selection sqref=\"B5:C6 I9\" activeCell=\"I9\"/>"));
  const auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(reopened->workbook()->sheets[1]->selection.areas, sheet2.selection.areas);
  EXPECT_EQ(reopened->workbook()->sheets[1]->selection.activeCell, sheet2.selection.activeCell);
}

TEST_F(StructureSettings, TheActiveSheetCarriesTheTabSelection) {
  auto file = Open("excel_internal_hyperlinks.xlsx");
  file->workbook()->activeSheet = file->workbook()->sheets[1];
  const auto saved = folder_ / "active.xlsx";
  file->Save(saved);
  const auto parts = PartsOf(saved);
  EXPECT_THAT(parts.at("xl/worksheets/sheet1.xml"), HasSubstr("<sheetView workbookViewId=\"0\">"));
  EXPECT_THAT(parts.at("xl/worksheets/sheet2.xml"), HasSubstr("<sheetView workbookViewId=\"0\" tabSelected=\"1\">"));
  EXPECT_THAT(parts.at("xl/workbook.xml"), HasSubstr("windowHeight=\"11430\" activeTab=\"1\"/>"));
  EXPECT_EQ(WorkbookFile::Open(saved)->workbook()->ActiveSheet()->name, "Sheet2");
}

TEST(ActiveTab, TheFirstTabShownIsNeverPastTheActiveOne) {
  struct Case {
    const char* view;
    std::size_t active;
    const char* written;
    bool changed;
  };
  for (const Case& c : {Case{R"(firstSheet="4" activeTab="6")", 2, R"(firstSheet="2" activeTab="2")", true},
                        Case{R"(firstSheet="3" activeTab="3")", 3, R"(firstSheet="3" activeTab="3")", false},
                        Case{R"(firstSheet="5" activeTab="1")", 1, R"(firstSheet="1" activeTab="1")", true},
                        Case{R"(firstSheet="1" activeTab="1")", 4, R"(firstSheet="1" activeTab="4")", true}}) {
    pugi::xml_document xml;
    const std::string text = std::string("<workbook><bookViews><workbookView ") + c.view + "/></bookViews></workbook>";
    ASSERT_TRUE(xml.load_string(text.c_str()));
    EXPECT_EQ(structure::SetActiveTab(xml.document_element(), c.active), c.changed) << c.view;
    std::ostringstream written;
    xml.document_element().child("bookViews").print(written, "", pugi::format_raw);
    EXPECT_EQ(written.str(), std::string("<bookViews><workbookView ") + c.written + "/></bookViews>") << c.view;
  }
}

}  // namespace
}  // namespace tabulara::xlsx
