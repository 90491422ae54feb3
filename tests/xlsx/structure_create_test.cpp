#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include "host/constants.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using testing::OpenpyxlReport;
using testing::PartsOf;
using testing::ScratchFolder;

std::shared_ptr<embedded::model::Workbook> BuiltWorkbook() {
  auto workbook = std::make_shared<embedded::model::Workbook>();
  workbook->name = "Built.xlsx";
  for (const char* name : {"Summary", "Raw data", "Notes"}) {
    auto sheet = std::make_shared<embedded::model::Sheet>();
    sheet->name = name;
    workbook->sheets.push_back(sheet);
  }
  workbook->sheets[0]->protection.isProtected = true;
  workbook->sheets[0]->protection.scenarios = false;
  workbook->sheets[1]->selection.areas = {CellRect{2, 2, 4, 3}, CellRect::Of({7, 1})};
  workbook->sheets[1]->selection.activeCell = CellAddress{3, 2};
  workbook->sheets[2]->visibility = host::xlSheetHidden;
  workbook->activeSheet = workbook->sheets[1];
  return workbook;
}

class StructureCreate : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(StructureCreate, AWorkbookBuiltInTheModelIsWrittenAsAWholePackage) {
  const auto file = folder_ / "Built.xlsx";
  WorkbookFile::Create(BuiltWorkbook())->Save(file);

  const auto parts = PartsOf(file);
  for (const char* name : {"[Content_Types].xml", "_rels/.rels", "docProps/app.xml", "docProps/core.xml",
                           "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                           "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml"}) {
    EXPECT_TRUE(parts.contains(name)) << name;
  }
  EXPECT_THAT(parts.at("[Content_Types].xml"),
              HasSubstr("<Override PartName=\"/xl/worksheets/sheet3.xml\" "
                        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"));
  EXPECT_THAT(parts.at("xl/workbook.xml"),
              HasSubstr("<bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"
                        "<sheet name=\"Summary\" sheetId=\"1\" r:id=\"rId2\"/>"
                        "<sheet name=\"Raw data\" sheetId=\"2\" r:id=\"rId3\"/>"
                        "<sheet name=\"Notes\" sheetId=\"3\" r:id=\"rId4\" state=\"hidden\"/></sheets>"));
  EXPECT_THAT(parts.at("xl/worksheets/sheet2.xml"),
              HasSubstr("<sheetView workbookViewId=\"0\" tabSelected=\"1\">"
                        "<selection activeCell=\"B3\" sqref=\"B2:C4 A7\"/></sheetView>"));
  EXPECT_THAT(parts.at("xl/worksheets/sheet1.xml"), HasSubstr("<sheetProtection sheet=\"1\" objects=\"1\"/>"));
}

TEST_F(StructureCreate, TheWrittenWorkbookReadsBackTheSame) {
  const auto file = folder_ / "Built.xlsx";
  WorkbookFile::Create(BuiltWorkbook())->Save(file);
  const auto reopened = WorkbookFile::Open(file);
  const auto& workbook = *reopened->workbook();
  ASSERT_EQ(workbook.sheets.size(), 3u);
  EXPECT_EQ(workbook.ActiveSheet(), workbook.sheets[1]);
  EXPECT_TRUE(workbook.sheets[0]->protection.isProtected);
  EXPECT_TRUE(workbook.sheets[0]->protection.drawingObjects);
  EXPECT_FALSE(workbook.sheets[0]->protection.scenarios);
  EXPECT_EQ(workbook.sheets[1]->selection.areas, (std::vector<CellRect>{CellRect{2, 2, 4, 3}, CellRect::Of({7, 1})}));
  EXPECT_EQ(workbook.sheets[1]->selection.activeCell, (CellAddress{3, 2}));
  EXPECT_EQ(workbook.sheets[2]->visibility, host::xlSheetHidden);

  if (const auto report = OpenpyxlReport("structure_sheets.py", file)) {
    EXPECT_EQ(*report,
              "Summary|Worksheet|visible\nRaw data|Worksheet|visible\nNotes|Worksheet|hidden\nactive=1\n"
              "lockStructure=False\n");
  }
}

TEST_F(StructureCreate, LibreOfficeConvertsTheWrittenWorkbook) {
  if (system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice is not installed";
  const auto file = folder_ / "Built.xlsx";
  WorkbookFile::Create(BuiltWorkbook())->Save(file);
  const std::string command = "cd '" + (folder_ / "").string() + "' && soffice -env:UserInstallation=file://" +
                              (folder_ / "profile").string() +
                              " --headless --convert-to ods Built.xlsx >/dev/null 2>&1";
  ASSERT_EQ(system(command.c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "Built.ods"));
}

}  // namespace
}  // namespace tabulara::xlsx
