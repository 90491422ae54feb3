#include <gtest/gtest.h>

#include <string>

#include "embedded/rules/range_edits.h"
#include "xlsx/cells_files.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::CellRect;

// The worksheet's elements from <mergeCells> on, as written.
std::string AreaRulesOf(const std::string& worksheet) {
  const std::size_t from = worksheet.find("<mergeCells");
  return worksheet.substr(from, worksheet.find("</worksheet>") - from);
}

TEST(AreaRules, ClearUnmergesAndTakesItsCellsOutOfConditionalFormatsAndValidations) {
  const std::string rule = "<cfRule type=\"expression\" priority=\"1\"><formula>TRUE</formula></cfRule>";
  const std::string rules =
      "<mergeCells count=\"3\"><mergeCell ref=\"B2:C2\"/><mergeCell ref=\"C3:E3\"/><mergeCell ref=\"E5:F6\"/>"
      "</mergeCells><conditionalFormatting sqref=\"A1:D4\">" + rule + "</conditionalFormatting>"
      "<conditionalFormatting sqref=\"B3 H8\">" + rule + "</conditionalFormatting>"
      "<conditionalFormatting sqref=\"H1\">" + rule + "</conditionalFormatting>"
      "<dataValidations count=\"2\"><dataValidation type=\"whole\" sqref=\"B2:B3\"><formula1>1</formula1>"
      "</dataValidation><dataValidation type=\"whole\" sqref=\"C1:C3\"><formula1>2</formula1></dataValidation>"
      "</dataValidations>";
  auto parts = testing::MinimalWorkbookParts();
  std::string& worksheet = parts.at("xl/worksheets/sheet1.xml");
  worksheet.insert(worksheet.find("</worksheet>"), rules);
  testing::ScratchFolder folder;
  testing::WritePackage(folder / "rules.xlsx", parts);

  auto file = WorkbookFile::Open(folder / "rules.xlsx");
  auto& sheet = *file->workbook()->sheets.front();
  embedded::ClearAreas(*file->workbook(), sheet, {CellRect{2, 2, 3, 3}});
  const auto reopened = cells_testing::SaveAndReopen(*file, folder / "cleared.xlsx");

  EXPECT_EQ(AreaRulesOf(testing::PartsOf(folder / "cleared.xlsx").at("xl/worksheets/sheet1.xml")),
            "<mergeCells count=\"2\"><mergeCell ref=\"C3:E3\"/><mergeCell ref=\"E5:F6\"/></mergeCells>"
            "<conditionalFormatting sqref=\"A1:D1 A2:A3 D2:D3 A4:D4\">" + rule + "</conditionalFormatting>"
            "<conditionalFormatting sqref=\"H8\">" + rule + "</conditionalFormatting>"
            "<conditionalFormatting sqref=\"H1\">" + rule + "</conditionalFormatting>"
            "<dataValidations count=\"1\"><dataValidation type=\"whole\" sqref=\"C1\"><formula1>2</formula1>"
            "</dataValidation></dataValidations>");
  EXPECT_EQ(reopened->workbook()->sheets.front()->areaRules.validations,
            std::vector<embedded::model::Areas>{{CellRect::Of({1, 3})}});

  embedded::ClearAreas(*file->workbook(), sheet, {CellRect{1, 3, 1, 3}});
  file->Save(folder / "no-validations.xlsx");
  const std::string written = testing::PartsOf(folder / "no-validations.xlsx").at("xl/worksheets/sheet1.xml");
  EXPECT_EQ(written.find("dataValidation"), std::string::npos);
}

}  // namespace
}  // namespace tabulara::xlsx
