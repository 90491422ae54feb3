#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "embedded/rules/case_folding.h"
#include "embedded/rules/sheet_names.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

const char* const kAddFailed = "Method 'Add' of object 'Sheets' failed";
const char* const kVisibleNotSet = "Unable to set the Visible property of the Worksheet class";
const char* const kNameNotSet = "Unable to set the Name property of the Worksheet class";

// Chart1, Sheet1, Sheet2, Sheet3 in tab order, Sheet1 active.
class SheetsCollection : public WorkbookTest {
 protected:
  SheetsCollection() {
    host.AddSheet(book, "Chart1", model::SheetKind::Chart);
    std::rotate(book.sheets.begin(), book.sheets.end() - 1, book.sheets.end());
  }
};

TEST_F(SheetsCollection, SheetsHoldEveryKindInTabOrderByPositionFromOneOrNameInAnyCaseAndEnumerationSkipsDeletedOnes) {
  host::Ref<host::Sheets> sheets = ActiveWorkbook()->Sheets();
  EXPECT_EQ(sheets->Count(), 4);
  std::vector<std::string> names;
  for (const host::Ref<host::Sheet>& sheet : host::Each(sheets)) {
    names.push_back(sheet->Name() + (std::dynamic_pointer_cast<host::Worksheet>(sheet) ? "" : " (chart)"));
  }
  EXPECT_THAT(names, ElementsAre("Chart1 (chart)", "Sheet1", "Sheet2", "Sheet3"));
  host::Ref<host::Sheets> onlyWorksheets = ActiveWorkbook()->Worksheets();
  EXPECT_EQ(onlyWorksheets->Count(), 3);
  EXPECT_EQ(onlyWorksheets->Item(1)->Name(), "Sheet1");
  EXPECT_THAT([&] { onlyWorksheets->Item("Chart1"); }, RaisesHostError(9, "Subscript out of range"));
  EXPECT_EQ(sheets->Item(2)->Name(), "Sheet1");
  EXPECT_EQ(sheets->Item("sHEET3")->Name(), "Sheet3");
  EXPECT_THAT([&] { sheets->Item(0); }, RaisesHostError(9, "Subscript out of range"));
  EXPECT_THAT([&] { sheets->Item(5); }, RaisesHostError(9, "Subscript out of range"));
  EXPECT_THAT([&] { sheets->Item("Sheet"); }, RaisesHostError(9));
  names.clear();
  for (const host::Ref<host::Sheet>& sheet : host::Each(sheets)) {
    names.push_back(sheet->Name());
    if (names.size() == 1) book.sheets.erase(book.sheets.begin() + 2);
  }
  EXPECT_THAT(names, ElementsAre("Chart1", "Sheet1", "Sheet3"));
}

TEST_F(SheetsCollection, AddPutsANewWorksheetInFrontOfTheActiveSheetOrAfterALeadingChartSheetUnlessProtected) {
  host.Activate(host.Sheet("Sheet2"));
  host::Ref<host::Sheet> added = ActiveWorkbook()->Sheets()->Add();
  EXPECT_EQ(added->Name(), "Sheet4");
  EXPECT_TRUE(std::dynamic_pointer_cast<host::Worksheet>(added));
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Sheet1", "Sheet4", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet4");
  host.Sheet("Sheet3").name = "Sheet5";
  EXPECT_EQ(ActiveWorkbook()->Sheets()->Add()->Name(), "Sheet6");
  host::Ref<host::Sheets> worksheets = ActiveWorkbook()->Worksheets();
  worksheets->Add(worksheets->Item(1))->Name("Index");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Index", "Sheet1", "Sheet6", "Sheet4", "Sheet2", "Sheet5"));
  host.ProtectStructure(book);
  EXPECT_THAT([&] { ActiveWorkbook()->Sheets()->Add(); }, RaisesHostError(1004, kAddFailed));
  EXPECT_EQ(book.sheets.size(), 7u);
}

// A template file of the test's own, its name not all ASCII, with sheets
// "Sheet1" (a text in bold at A1) and "Budget"; Sheet2 active.
class TemplateInsertion : public SheetsCollection {
 protected:
  TemplateInsertion() {
    std::ofstream(Utf8Path(path)) << "template";
    host.Activate(host.Sheet("Sheet2"));
  }
  ~TemplateInsertion() override { std::filesystem::remove(Utf8Path(path)); }

  static std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
  }

  static std::shared_ptr<model::Workbook> Template() {
    EmbeddedHost other;
    model::Workbook& workbook = other.NewWorkbook({"Sheet1", "Budget"});
    other.SetValue(other.Sheet("Sheet1"), "A1", "Total");
    model::Font bold;
    bold.bold = true;
    other.SetFont(other.Sheet("Sheet1"), "A1", bold);
    return std::make_shared<model::Workbook>(workbook);
  }

  host::Ref<host::Sheet> Insert(const std::string& file) { return App()->Sheets()->Add(std::nullopt, file); }

  std::string path = ::testing::TempDir() + "tabulara-\u00e9t\u00e9-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xlt";
};

TEST_F(TemplateInsertion, InsertsTheTemplateSheetsInFrontOfTheActiveSheetGivenAReaderAFileAndNoProtection) {
  EXPECT_THAT(
      [&] { Insert(path); },
      RaisesHostError(1004, "The sheets of '" + path + "' cannot be inserted: this host has no template reader."));
  std::vector<std::string> read;
  host.SetTemplateLoader([&](const std::string& file) {
    read.push_back(file);
    return Template();
  });
  std::string missing = path + ".gone";
  EXPECT_THAT([&] { Insert(missing); },
              RaisesHostError(1004, "'" + missing +
                                        "' could not be found. Check the spelling of the file name, and verify "
                                        "that the file location is correct."));
  host::Ref<host::Sheet> first = Insert(path);
  EXPECT_THAT(read, ElementsAre(path));
  EXPECT_EQ(first->Name(), "Sheet1 (2)");
  EXPECT_THAT(host.SheetNames(book), ElementsAre("Chart1", "Sheet1", "Sheet1 (2)", "Budget", "Sheet2", "Sheet3"));
  EXPECT_EQ(book.ActiveSheet()->name, "Sheet1 (2)");
  model::Sheet& inserted = host.Sheet("Sheet1 (2)");
  EXPECT_EQ(host.Value(inserted, "A1"), host::Variant("Total"));
  EXPECT_TRUE(host.Font(inserted, "A1").bold);
  host.ProtectStructure(book);
  EXPECT_THAT([&] { Insert(path); }, RaisesHostError(1004, kAddFailed));
  EXPECT_EQ(book.sheets.size(), 6u);
}

class SheetRules : public WorkbookTest {
 protected:
  void Rename(const std::string& name) { ActiveWorkbook()->Sheets()->Item(1)->Name(name); }
};

TEST_F(SheetRules, VisibleTakesTheThreeValuesOnlyTheLastVisibleSheetStaysAndTheActiveOneHandsOver) {
  host::Ref<host::Sheet> sheet = SheetRef("Sheet2");
  sheet->Visible(host::xlSheetHidden);
  EXPECT_EQ(sheet->Visible(), host::xlSheetHidden);
  sheet->Visible(host::xlSheetVeryHidden);
  EXPECT_EQ(host.Sheet("Sheet2").visibility, host::xlSheetVeryHidden);
  sheet->Visible(host::xlSheetVisible);
  EXPECT_EQ(sheet->Visible(), host::xlSheetVisible);
  EXPECT_THAT([&] { sheet->Visible(1); }, RaisesHostError(1004, kVisibleNotSet));
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

TEST_F(SheetRules, StructureProtectionRefusesHidingShowingMovesAndEveryRenameButNotActivation) {
  host.Sheet("Sheet3").visibility = host::xlSheetHidden;
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  host.ProtectStructure(book);
  EXPECT_THAT([&] { SheetRef("Sheet2")->Visible(host::xlSheetHidden); }, RaisesHostError(1004, kVisibleNotSet));
  EXPECT_THAT([&] { SheetRef("Sheet3")->Visible(host::xlSheetVisible); }, RaisesHostError(1004));
  EXPECT_EQ(host.Sheet("Sheet3").visibility, host::xlSheetHidden);
  EXPECT_THAT([&] { SheetRef("Chart1")->Move(SheetRef("Sheet1")); },
              RaisesHostError(1004, "Move method of Chart class failed"));
  for (std::string name : {"Other", "Sheet1", "a:b"}) {
    EXPECT_THAT([&] { Rename(name); }, RaisesHostError(1004, kNameNotSet)) << name;
  }
  EXPECT_THAT([&] { SheetRef("Chart1")->Name("Graph"); },
              RaisesHostError(1004, "Unable to set the Name property of the Chart class"));
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
  EXPECT_THAT([&] { App()->Sheets()->Add(sheet3); }, RaisesHostError(1004, kAddFailed));
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

const std::string kInvalidName =
    "You typed an invalid name for a sheet or chart. Make sure that:\n\n"
    "\u2022 The name that you type does not exceed 31 characters.\n"
    "\u2022 The name does not contain any of the following characters: : \\ / ? * [ or ]\n"
    "\u2022 The name does not begin or end with an apostrophe.\n"
    "\u2022 You did not leave the name blank.";
const std::string kDuplicateName =
    "Cannot rename a sheet to the same name as another sheet, a referenced object library or a workbook "
    "referenced by Visual Basic.";

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST_F(SheetRules, NamesAreRefusedWhenInvalidReservedOrTakenAndAcceptedUpTo31CharactersCountedAsTheHostCountsThem) {
  host.AddSheet(book, "\u00c4pfel");
  for (const std::string& bad :
       {std::string(), std::string(32, 'x'), Repeated("\U0001F600", 16), std::string("'lead"), std::string("trail'")}) {
    EXPECT_THAT([&] { Rename(bad); }, RaisesHostError(1004, kInvalidName)) << bad;
  }
  for (std::string bad : {"a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b"}) {
    EXPECT_THAT([&] { Rename(bad); }, RaisesHostError(1004, kInvalidName)) << bad;
  }
  for (std::string reserved : {"History", "HISTORY"}) {
    EXPECT_THAT([&] { Rename(reserved); }, RaisesHostError(1004, "'History' is a reserved name."));
  }
  for (std::string taken : {"sheet2", "SHEET3", "\u00e4PFEL"}) {
    EXPECT_THAT([&] { Rename(taken); }, RaisesHostError(1004, kDuplicateName)) << taken;
  }
  EXPECT_EQ(sheet1.name, "Sheet1");
  // Accented letters count once, characters outside the basic plane twice.
  host.AddSheet(book, "STRASSE");
  for (const std::string& name :
       {std::string(31, 'x'), Repeated("\u00e9", 31), Repeated("\U0001F600", 15), std::string("Sam's Club"),
        std::string("Histories"), std::string("SHEET1"), std::string("SHEET1"), std::string("stra\u00dfe")}) {
    Rename(name);
    EXPECT_EQ(sheet1.name, name);
  }
}

TEST(SheetNames, UniqueNamesLookupAndFoldingWithoutRegardToCase) {
  model::Workbook workbook;
  for (const std::string& name : {std::string("Budget"), std::string("Budget (2)"), std::string(31, 'L'),
                                  std::string(26, 'M') + "\U0001F600MMM"}) {
    workbook.sheets.push_back(std::make_shared<model::Sheet>());
    workbook.sheets.back()->name = name;
  }
  EXPECT_EQ(UniqueSheetName(workbook, "Invoice"), "Invoice");
  EXPECT_EQ(UniqueSheetName(workbook, "budget"), "budget (3)");
  EXPECT_EQ(UniqueSheetName(workbook, std::string(31, 'L')), std::string(27, 'L') + " (2)");
  // The suffix never splits a character in two.
  EXPECT_EQ(UniqueSheetName(workbook, std::string(26, 'M') + "\U0001F600MMM"), std::string(26, 'M') + " (2)");
  ASSERT_TRUE(FindSheet(workbook, "BUDGET (2)"));
  EXPECT_EQ(FindSheet(workbook, "BUDGET (2)")->name, "Budget (2)");
  EXPECT_FALSE(FindSheet(workbook, "Budge"));
  EXPECT_TRUE(SameSheetName("\u03a3", "\u03c2"));
  EXPECT_TRUE(SameSheetName("\u212a", "k"));
  EXPECT_TRUE(SameSheetName("Zone A", "zONE a"));
  EXPECT_FALSE(SameSheetName("a", "b"));
  EXPECT_FALSE(SameSheetName("\u00e9", "\u00ea"));
  EXPECT_EQ(CaseFolded("\u00c4b\u212a"), "\u00e4bk");
  // Bytes that are not UTF-8 stay as they are, each ill-formed sequence as
  // long as it reads well-formed; to names they are all U+FFFD.
  EXPECT_EQ(CaseFolded("A\xc3(\xf0\x9f\x98Z\xed\xa0\x80"), "a\xc3(\xf0\x9f\x98z\xed\xa0\x80");
  EXPECT_TRUE(SameSheetName("\xf0\x9f\x98z", "\xffZ"));
}

}  // namespace
}  // namespace tabulara::embedded
