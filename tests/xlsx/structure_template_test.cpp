#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "embedded/rules/sheet_operations.h"
#include "host/host_error.h"
#include "xlsx/compound_files.h"
#include "xlsx/structure_files.h"
#include "xlsx/template_loader.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using testing::CorpusFolder;
using testing::PartsOf;
using testing::ScratchFolder;

class StructureTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(CorpusFolder() / "excel_template_minimal.xltx")) {
      GTEST_SKIP() << "the shared corpus is not beside the repository";
    }
  }
  static std::vector<std::string> Names(const embedded::model::Workbook& workbook) {
    std::vector<std::string> names;
    for (const auto& sheet : workbook.sheets) names.push_back(sheet->name);
    return names;
  }
  ScratchFolder folder_;
};

TEST_F(StructureTemplates, TheLoaderReadsATemplateWhateverItsFileIsCalled) {
  const auto loader = MakeTemplateLoader();
  const auto source = loader((CorpusFolder() / "excel_template_minimal.xltx").string());
  ASSERT_TRUE(source);
  EXPECT_EQ(Names(*source), (std::vector<std::string>{"Лист1", "Лист2", "Лист3"}));

  const auto renamed = folder_ / "Report.xlt";
  std::filesystem::copy_file(CorpusFolder() / "excel_template_minimal.xltx", renamed);
  EXPECT_EQ(Names(*loader(renamed.string())), Names(*source));
}

TEST_F(StructureTemplates, AnUnreadableTemplateRaisesTheHostError) {
  const auto broken = folder_ / "Broken.xltx";
  std::ofstream(broken) << "not a workbook";
  const auto document = folder_ / "Document.xlt";
  std::ofstream(document, std::ios::binary) << testing::CompoundFileWithStreams({"WordDocument"});
  for (const auto& file : {broken, document}) EXPECT_THROW(MakeTemplateLoader()(file.string()), host::HostError);
}

TEST_F(StructureTemplates, InsertedTemplateSheetsGetPartsOfTheirOwn) {
  const auto original = CorpusFolder() / "excel_internal_hyperlinks.xlsx";
  auto file = WorkbookFile::Open(original);
  auto& workbook = *file->workbook();
  workbook.activeSheet = workbook.sheets[1];
  const auto source = MakeTemplateLoader()((CorpusFolder() / "excel_template_minimal.xltx").string());
  embedded::InsertSheets(workbook, nullptr, *source);
  ASSERT_EQ(Names(workbook), (std::vector<std::string>{"Sheet1", "Лист1", "Лист2", "Лист3", "Sheet2"}));

  const auto saved = folder_ / "with-template.xlsx";
  file->Save(saved);
  const auto before = PartsOf(original);
  const auto after = PartsOf(saved);
  for (const char* name : {"xl/worksheets/sheet3.xml", "xl/worksheets/sheet4.xml", "xl/worksheets/sheet5.xml"}) {
    EXPECT_TRUE(after.contains(name)) << name;
  }
  EXPECT_THAT(after.at("xl/_rels/workbook.xml.rels"), HasSubstr("Target=\"worksheets/sheet5.xml\""));
  EXPECT_THAT(after.at("[Content_Types].xml"), HasSubstr("PartName=\"/xl/worksheets/sheet5.xml\""));
  const std::string& workbookXml = after.at("xl/workbook.xml");
  EXPECT_THAT(workbookXml, HasSubstr("<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Лист1\" "));
  // The sheet-scoped name of Sheet2 follows it from tab 1 to tab 4.
  EXPECT_THAT(workbookXml, HasSubstr("<definedName name=\"WSScope\" localSheetId=\"4\">"));
  for (const char* unchanged : {"xl/styles.xml", "xl/theme/theme1.xml", "docProps/app.xml"}) {
    EXPECT_EQ(after.at(unchanged), before.at(unchanged)) << unchanged;
  }

  const auto reopened = WorkbookFile::Open(saved);
  EXPECT_EQ(Names(*reopened->workbook()), Names(workbook));
  EXPECT_EQ(reopened->workbook()->ActiveSheet()->name, "Лист1");
  EXPECT_EQ(reopened->workbook()->sheets[1]->grid.CellCount(), source->sheets[0]->grid.CellCount());
}

}  // namespace
}  // namespace tabulara::xlsx
