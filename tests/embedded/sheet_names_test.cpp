#include "embedded/rules/sheet_names.h"

#include <string>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

const std::string kInvalidName =
    "You typed an invalid name for a sheet or chart. Make sure that:\n\n"
    "\u2022 The name that you type does not exceed 31 characters.\n"
    "\u2022 The name does not contain any of the following characters: : \\ / ? * [ or ]\n"
    "\u2022 The name does not begin or end with an apostrophe.\n"
    "\u2022 You did not leave the name blank.";
const std::string kDuplicateName =
    "Cannot rename a sheet to the same name as another sheet, a referenced object library or a workbook "
    "referenced by Visual Basic.";

class SheetNameRules : public WorkbookTest {
 protected:
  void Rename(const std::string& name) { ActiveWorkbook()->Sheets()->Item(1)->Name(name); }
};

TEST_F(SheetNameRules, AcceptsNamesUpTo31CharactersCountedAsTheHostCountsThem) {
  Rename(std::string(31, 'x'));
  EXPECT_EQ(sheet1.name, std::string(31, 'x'));
  // 31 accented letters are 62 bytes but 31 characters.
  std::string accented;
  for (int i = 0; i < 31; ++i) accented += "\u00e9";
  Rename(accented);
  EXPECT_EQ(sheet1.name, accented);
}

TEST_F(SheetNameRules, RefusesEmptyOverlongAndForbiddenCharacters) {
  EXPECT_THAT([&] { Rename(""); }, RaisesHostError(1004, kInvalidName));
  EXPECT_THAT([&] { Rename(std::string(32, 'x')); }, RaisesHostError(1004, kInvalidName));
  for (std::string bad : {"a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b"}) {
    EXPECT_THAT([&] { Rename(bad); }, RaisesHostError(1004, kInvalidName)) << bad;
  }
  EXPECT_EQ(sheet1.name, "Sheet1");
}

TEST_F(SheetNameRules, CharactersOutsideTheBasicPlaneCountTwice) {
  std::string faces;
  for (int i = 0; i < 15; ++i) faces += "\U0001F600";
  Rename(faces);
  EXPECT_EQ(sheet1.name, faces);
  EXPECT_THAT([&] { Rename(faces + "\U0001F600"); }, RaisesHostError(1004, kInvalidName));
}

TEST_F(SheetNameRules, ApostropheOnlyInside) {
  EXPECT_THAT([&] { Rename("'lead"); }, RaisesHostError(1004, kInvalidName));
  EXPECT_THAT([&] { Rename("trail'"); }, RaisesHostError(1004, kInvalidName));
  Rename("Sam's Club");
  EXPECT_EQ(sheet1.name, "Sam's Club");
}

TEST_F(SheetNameRules, HistoryIsReservedInAnyCase) {
  EXPECT_THAT([&] { Rename("History"); }, RaisesHostError(1004, "'History' is a reserved name."));
  EXPECT_THAT([&] { Rename("HISTORY"); }, RaisesHostError(1004, "'History' is a reserved name."));
  Rename("Histories");
  EXPECT_EQ(sheet1.name, "Histories");
}

TEST_F(SheetNameRules, NamesAreUniqueWithoutRegardToCase) {
  EXPECT_THAT([&] { Rename("sheet2"); }, RaisesHostError(1004, kDuplicateName));
  EXPECT_THAT([&] { Rename("SHEET3"); }, RaisesHostError(1004, kDuplicateName));
  host.AddSheet(book, "\u00c4pfel");
  EXPECT_THAT([&] { Rename("\u00e4PFEL"); }, RaisesHostError(1004, kDuplicateName));
  EXPECT_EQ(sheet1.name, "Sheet1");
}

TEST_F(SheetNameRules, SimpleFoldingKeepsSharpSApartFromDoubleS) {
  host.AddSheet(book, "STRASSE");
  Rename("stra\u00dfe");
  EXPECT_EQ(sheet1.name, "stra\u00dfe");
}

TEST_F(SheetNameRules, ASheetTakesItsOwnNameInAnotherCaseOrUnchanged) {
  Rename("SHEET1");
  EXPECT_EQ(sheet1.name, "SHEET1");
  Rename("SHEET1");
  EXPECT_EQ(sheet1.name, "SHEET1");
}

TEST_F(SheetNameRules, StructureProtectionRefusesEveryRenameBeforeLookingAtTheName) {
  host.ProtectStructure(book);
  const std::string refused = "Unable to set the Name property of the Worksheet class";
  EXPECT_THAT([&] { Rename("Other"); }, RaisesHostError(1004, refused));
  EXPECT_THAT([&] { Rename("Sheet1"); }, RaisesHostError(1004, refused));
  EXPECT_THAT([&] { Rename("a:b"); }, RaisesHostError(1004, refused));
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  EXPECT_THAT([&] { SheetRef("Chart1")->Name("Graph"); },
              RaisesHostError(1004, "Unable to set the Name property of the Chart class"));
}

TEST(UniqueSheetNames, NumbersTakenNamesAndKeepsWithin31Characters) {
  model::Workbook workbook;
  for (const std::string& name : std::vector<std::string>{"Budget", "Budget (2)", std::string(31, 'L')}) {
    auto sheet = std::make_shared<model::Sheet>();
    sheet->name = name;
    workbook.sheets.push_back(sheet);
  }
  EXPECT_EQ(UniqueSheetName(workbook, "Invoice"), "Invoice");
  EXPECT_EQ(UniqueSheetName(workbook, "budget"), "budget (3)");
  EXPECT_EQ(UniqueSheetName(workbook, std::string(31, 'L')), std::string(27, 'L') + " (2)");
}

TEST(SheetLookup, FindsByNameWithoutRegardToCase) {
  model::Workbook workbook;
  for (std::string name : {"Data", "Report"}) {
    auto sheet = std::make_shared<model::Sheet>();
    sheet->name = name;
    workbook.sheets.push_back(sheet);
  }
  ASSERT_TRUE(FindSheet(workbook, "REPORT"));
  EXPECT_EQ(FindSheet(workbook, "REPORT")->name, "Report");
  EXPECT_FALSE(FindSheet(workbook, "Repor"));
  EXPECT_THAT(std::vector<bool>({SameSheetName("\u03a3", "\u03c2"), SameSheetName("a", "b")}),
              ElementsAre(true, false));
}

}  // namespace
}  // namespace tabulara::embedded
