#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

const char* const kAddFailed = "Method 'Add' of object 'Sheets' failed";
const char* const kVisibleNotSet = "Unable to set the Visible property of the Worksheet class";

// Chart1, Sheet1, Sheet2, Sheet3 in tab order, Sheet1 active.
class SheetsCollection : public WorkbookTest {
 protected:
  SheetsCollection() {
    host.AddSheet(book, "Chart1", model::SheetKind::Chart);
    std::rotate(book.sheets.begin(), book.sheets.end() - 1, book.sheets.end());
  }
};

TEST_F(SheetsCollection, SheetsHoldEveryKindInTabOrderByPositionFromOneOrNameInAnyCase) {
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
  host::Ref<host::Sheets> onlyWorksheets = ActiveWorkbook()->Worksheets();
  EXPECT_EQ(onlyWorksheets->Count(), 3);
  EXPECT_EQ(onlyWorksheets->Item(1)->Name(), "Sheet1");
  EXPECT_THAT([&] { onlyWorksheets->Item("Chart1"); }, RaisesHostError(9, "Subscript out of range"));
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
  host.Sheet("Sheet3").name = "Sheet5";
  EXPECT_EQ(ActiveWorkbook()->Sheets()->Add()->Name(), "Sheet6");
}

TEST_F(SheetsCollection, WorksheetsAddBeforeTheFirstWorksheetFollowsALeadingChartSheet) {
  host::Ref<host::Sheets> worksheets = ActiveWorkbook()->Worksheets();
  worksheets->Add(worksheets->Item(1))->Name("Index");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Index", "Sheet1", "Sheet2", "Sheet3"));
  host.ProtectStructure(book);
  EXPECT_THAT([&] { ActiveWorkbook()->Sheets()->Add(); }, RaisesHostError(1004, kAddFailed));
  EXPECT_EQ(book.sheets.size(), 5u);
}

// A template file of the test's own with sheets "Sheet1" (a text in bold at
// A1) and "Budget"; Sheet2 active.
class TemplateInsertion : public SheetsCollection {
 protected:
  TemplateInsertion() {
    std::ofstream(path) << "template";
    host.Activate(host.Sheet("Sheet2"));
  }
  ~TemplateInsertion() override { std::filesystem::remove(path); }

  static std::shared_ptr<model::Workbook> Template() {
    EmbeddedHost other;
    model::Workbook& workbook = other.NewWorkbook({"Sheet1", "Budget"});
    other.SetValue(other.Sheet("Sheet1"), "A1", "Total");
    model::Font bold;
    bold.bold = true;
    other.SetFont(other.Sheet("Sheet1"), "A1", bold);
    return std::make_shared<model::Workbook>(workbook);
  }

  void Insert(const std::string& file) { host.Application()->Sheets()->Add(std::nullopt, file); }

  std::string path =
      ::testing::TempDir() + "tabulara-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xlt";
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

TEST_F(TemplateInsertion, TheHostRefusesWithoutAReaderAFileOrUnderStructureProtection) {
  EXPECT_THAT([&] { Insert(path); },
              RaisesHostError(1004, "The sheets of '" + path +
                                        "' cannot be inserted: this host has no template reader."));
  host.SetTemplateLoader([](const std::string&) { return Template(); });
  std::string missing = path + ".gone";
  EXPECT_THAT([&] { Insert(missing); },
              RaisesHostError(1004, "'" + missing +
                                        "' could not be found. Check the spelling of the file name, and verify "
                                        "that the file location is correct."));
  host.ProtectStructure(book);
  EXPECT_THAT([&] { Insert(path); }, RaisesHostError(1004, kAddFailed));
  EXPECT_EQ(book.sheets.size(), 4u);
}

class SheetRules : public WorkbookTest {};

TEST_F(SheetRules, VisibleTakesTheThreeValuesOnly) {
  host::Ref<host::Sheet> sheet = SheetRef("Sheet2");
  EXPECT_EQ(sheet->Visible(), host::xlSheetVisible);
  sheet->Visible(host::xlSheetHidden);
  EXPECT_EQ(sheet->Visible(), host::xlSheetHidden);
  sheet->Visible(host::xlSheetVeryHidden);
  EXPECT_EQ(host.Sheet("Sheet2").visibility, host::xlSheetVeryHidden);
  sheet->Visible(host::xlSheetVisible);
  EXPECT_EQ(sheet->Visible(), host::xlSheetVisible);
  EXPECT_THAT([&] { sheet->Visible(1); }, RaisesHostError(1004, kVisibleNotSet));
}

TEST_F(SheetRules, TheLastVisibleSheetCannotBeHiddenAndTheActiveOneHandsOver) {
  host.Activate(host.Sheet("Sheet2"));
  SheetRef("Sheet3")->Visible(host::xlSheetVeryHidden);
  SheetRef("Sheet2")->Visible(host::xlSheetHidden);
  EXPECT_EQ((*ActiveWorkbook()->ActiveSheet())->Name(), "Sheet1");
  EXPECT_THAT([&] { SheetRef("Sheet1")->Visible(host::xlSheetHidden); }, RaisesHostError(1004, kVisibleNotSet));
  EXPECT_EQ(sheet1.visibility, host::xlSheetVisible);
  // A visible chart sheet counts as a visible sheet.
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  SheetRef("Sheet1")->Visible(host::xlSheetHidden);
  EXPECT_EQ(sheet1.visibility, host::xlSheetHidden);
}

TEST_F(SheetRules, StructureProtectionRefusesHidingShowingAndMovesButNotActivation) {
  host.Sheet("Sheet3").visibility = host::xlSheetHidden;
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  host.ProtectStructure(book);
  EXPECT_THAT([&] { SheetRef("Sheet2")->Visible(host::xlSheetHidden); }, RaisesHostError(1004, kVisibleNotSet));
  EXPECT_THAT([&] { SheetRef("Sheet3")->Visible(host::xlSheetVisible); }, RaisesHostError(1004));
  EXPECT_EQ(host.Sheet("Sheet3").visibility, host::xlSheetHidden);
  EXPECT_THAT([&] { SheetRef("Chart1")->Move(SheetRef("Sheet1")); },
              RaisesHostError(1004, "Move method of Chart class failed"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet2", "Sheet3", "Chart1"));
  SheetRef("Sheet2")->Activate();
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet2");
}

TEST_F(SheetRules, ActivateActivatesTheSheetAndItsWorkbookButNoHiddenSheet) {
  host.Sheet("Sheet2").visibility = host::xlSheetHidden;
  host.Sheet("Sheet3").visibility = host::xlSheetVeryHidden;
  EXPECT_THAT([&] { SheetRef("Sheet2")->Activate(); },
              RaisesHostError(1004, "Activate method of Worksheet class failed"));
  EXPECT_THAT([&] { SheetRef("Sheet3")->Activate(); }, RaisesHostError(1004));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
  host.Sheet("Sheet3").visibility = host::xlSheetVisible;
  host::Ref<host::Sheet> sheet3 = SheetRef("Sheet3");
  host.NewWorkbook({"Other"});
  sheet3->Activate();
  EXPECT_EQ(host.model().ActiveWorkbook().get(), &book);
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet3");
}

TEST_F(SheetRules, MoveGoesInFrontOfTheGivenSheetAndActivatesAVisibleSheet) {
  SheetRef("Sheet3")->Move(SheetRef("Sheet1"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet3", "Sheet1", "Sheet2"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet3");
  SheetRef("Sheet3")->Move(SheetRef("Sheet2"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet3", "Sheet2"));
  host.Activate(sheet1);
  SheetRef("Sheet3")->Move(SheetRef("Sheet3"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet1", "Sheet3", "Sheet2"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
  host.Sheet("Sheet2").visibility = host::xlSheetHidden;
  SheetRef("Sheet2")->Move(SheetRef("Sheet1"));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Sheet2", "Sheet1", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1");
  host::Ref<host::Sheet> other = SheetRef("Sheet1");
  host.NewWorkbook({"Elsewhere"});
  EXPECT_THAT([&] { other->Move(*host.Application()->ActiveSheet()); },
              RaisesHostError(1004, "Move method of Worksheet class failed"));
}

}  // namespace
}  // namespace tabulara::embedded
