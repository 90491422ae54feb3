#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

class SheetsCollection : public WorkbookTest {
 protected:
  SheetsCollection() {
    host.AddSheet(book, "Chart1", model::SheetKind::Chart);
    host.Sheet("Chart1").visibility = host::xlSheetVisible;
    // Move the chart sheet to the front: Chart1, Sheet1, Sheet2, Sheet3.
    std::rotate(book.sheets.begin(), book.sheets.end() - 1, book.sheets.end());
  }
};

TEST_F(SheetsCollection, SheetsHoldEveryKindInTabOrder) {
  host::Ref<host::Sheets> sheets = ActiveWorkbook()->Sheets();
  EXPECT_EQ(sheets->Count(), 4);
  std::vector<std::string> names;
  std::vector<bool> worksheets;
  for (const host::Ref<host::Sheet>& sheet : host::Each(sheets)) {
    names.push_back(sheet->Name());
    worksheets.push_back(std::dynamic_pointer_cast<host::Worksheet>(sheet) != nullptr);
  }
  EXPECT_THAT(names, ElementsAre("Chart1", "Sheet1", "Sheet2", "Sheet3"));
  EXPECT_THAT(worksheets, ElementsAre(false, true, true, true));
}

TEST_F(SheetsCollection, WorksheetsHoldOnlyWorksheets) {
  host::Ref<host::Sheets> worksheets = ActiveWorkbook()->Worksheets();
  EXPECT_EQ(worksheets->Count(), 3);
  EXPECT_EQ(worksheets->Item(1)->Name(), "Sheet1");
  EXPECT_THAT([&] { worksheets->Item("Chart1"); }, RaisesHostError(9, "Subscript out of range"));
}

TEST_F(SheetsCollection, ItemsByPositionFromOneAndByNameInAnyCase) {
  host::Ref<host::Sheets> sheets = ActiveWorkbook()->Sheets();
  EXPECT_EQ(sheets->Item(2)->Name(), "Sheet1");
  EXPECT_EQ(sheets->Item("sHEET3")->Name(), "Sheet3");
  EXPECT_THAT([&] { sheets->Item(0); }, RaisesHostError(9, "Subscript out of range"));
  EXPECT_THAT([&] { sheets->Item(5); }, RaisesHostError(9, "Subscript out of range"));
  EXPECT_THAT([&] { sheets->Item("Sheet"); }, RaisesHostError(9));
}

TEST_F(SheetsCollection, EnumerationSkipsSheetsDeletedMeanwhile) {
  std::vector<std::string> names;
  for (const host::Ref<host::Sheet>& sheet : host::Each(ActiveWorkbook()->Sheets())) {
    names.push_back(sheet->Name());
    if (names.size() == 1) book.sheets.erase(book.sheets.begin() + 2);
  }
  EXPECT_THAT(names, ElementsAre("Chart1", "Sheet1", "Sheet3"));
}

TEST_F(SheetsCollection, AddPutsANewWorksheetInFrontOfTheActiveSheetAndActivatesIt) {
  host.Activate(host.Sheet("Sheet2"));
  host::Ref<host::Sheet> added = ActiveWorkbook()->Sheets()->Add();
  EXPECT_EQ(added->Name(), "Sheet4");
  EXPECT_TRUE(std::dynamic_pointer_cast<host::Worksheet>(added));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Sheet1", "Sheet4", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet4");
}

TEST_F(SheetsCollection, WorksheetsAddBeforeTheFirstWorksheetFollowsALeadingChartSheet) {
  host::Ref<host::Sheets> worksheets = ActiveWorkbook()->Worksheets();
  host::Ref<host::Sheet> added = worksheets->Add(worksheets->Item(1));
  added->Name("Index");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Index", "Sheet1", "Sheet2", "Sheet3"));
}

TEST_F(SheetsCollection, NewNamesSkipNamesInUse) {
  host.Sheet("Sheet3").name = "Sheet5";
  book.nextSheetNumber = 5;
  EXPECT_EQ(ActiveWorkbook()->Sheets()->Add()->Name(), "Sheet6");
}

TEST_F(SheetsCollection, StructureProtectionRefusesAdding) {
  host.ProtectStructure(book);
  EXPECT_THAT([&] { ActiveWorkbook()->Sheets()->Add(); },
              RaisesHostError(1004, "Method 'Add' of object 'Sheets' failed"));
  EXPECT_EQ(book.sheets.size(), 4u);
}

TEST_F(SheetsCollection, TheSheetsOfTheApplicationAreThoseOfTheActiveWorkbook) {
  host.NewWorkbook({"Only"});
  EXPECT_EQ(host.Application()->Sheets()->Count(), 1);
  EXPECT_EQ(host.Application()->Sheets()->Item(1)->Name(), "Only");
}

class TemplateInsertion : public SheetsCollection {
 protected:
  TemplateInsertion() {
    std::ofstream(path) << "template";
    host.Activate(host.Sheet("Sheet2"));
  }
  ~TemplateInsertion() override { std::filesystem::remove(path); }

  // A template with sheets "Sheet1" (a text in bold at A1) and "Budget".
  static std::shared_ptr<model::Workbook> Template() {
    EmbeddedHost other;
    model::Workbook& workbook = other.NewWorkbook({"Sheet1", "Budget"});
    model::Sheet& first = other.Sheet("Sheet1");
    other.SetValue(first, "A1", "Total");
    model::Font bold;
    bold.bold = true;
    other.SetFont(first, "A1", bold);
    auto copy = std::make_shared<model::Workbook>(workbook);
    return copy;
  }

  std::string path = (std::filesystem::temp_directory_path() / "tabulara-embedded-budget.xlt").string();
};

TEST_F(TemplateInsertion, InsertsTheTemplateSheetsInFrontOfTheActiveSheet) {
  std::vector<std::string> read;
  host.SetTemplateLoader([&](const std::string& file) {
    read.push_back(file);
    return Template();
  });
  host::Ref<host::Sheet> first = host.Application()->Sheets()->Add(std::nullopt, path);
  EXPECT_THAT(read, ElementsAre(path));
  EXPECT_EQ(first->Name(), "Sheet1 (2)");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Sheet1", "Sheet1 (2)", "Budget", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1 (2)");
  model::Sheet& inserted = host.Sheet("Sheet1 (2)");
  EXPECT_EQ(host.Value(inserted, "A1"), host::Variant("Total"));
  EXPECT_TRUE(host.Font(inserted, "A1").bold);
}

TEST_F(TemplateInsertion, WithoutAReaderTheHostRefuses) {
  EXPECT_THAT(
      [&] { host.Application()->Sheets()->Add(std::nullopt, path); },
      RaisesHostError(1004, "The sheets of '" + path + "' cannot be inserted: this host has no template reader."));
}

TEST_F(TemplateInsertion, AMissingFileIsNotFound) {
  host.SetTemplateLoader([](const std::string&) { return Template(); });
  std::string missing = path + ".gone";
  EXPECT_THAT([&] { host.Application()->Sheets()->Add(std::nullopt, missing); },
              RaisesHostError(1004, "'" + missing +
                                        "' could not be found. Check the spelling of the file name, and verify "
                                        "that the file location is correct."));
  EXPECT_EQ(book.sheets.size(), 4u);
}

TEST_F(TemplateInsertion, StructureProtectionRefusesTheTemplate) {
  host.SetTemplateLoader([](const std::string&) { return Template(); });
  host.ProtectStructure(book);
  EXPECT_THAT([&] { host.Application()->Sheets()->Add(std::nullopt, path); },
              RaisesHostError(1004, "Method 'Add' of object 'Sheets' failed"));
}

}  // namespace
}  // namespace tabulara::embedded
