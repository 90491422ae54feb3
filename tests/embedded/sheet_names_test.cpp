#include "embedded/rules/sheet_names.h"

#include <string>
#include <vector>

#include "embedded/rules/case_folding.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

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

class SheetNameRules : public WorkbookTest {
 protected:
  void Rename(const std::string& name) { ActiveWorkbook()->Sheets()->Item(1)->Name(name); }
};

TEST_F(SheetNameRules, AcceptsNamesUpTo31CharactersCountedAsTheHostCountsThem) {
  // Accented letters count once, characters outside the basic plane twice.
  host.AddSheet(book, "STRASSE");
  for (const std::string& name : {std::string(31, 'x'), Repeated("\u00e9", 31), Repeated("\U0001F600", 15),
                                  std::string("Sam's Club"), std::string("Histories"), std::string("SHEET1"),
                                  std::string("SHEET1"), std::string("stra\u00dfe")}) {
    Rename(name);
    EXPECT_EQ(sheet1.name, name);
  }
}

TEST_F(SheetNameRules, RefusesInvalidReservedAndDuplicateNames) {
  host.AddSheet(book, "\u00c4pfel");
  for (const std::string& bad : {std::string(), std::string(32, 'x'), Repeated("\U0001F600", 16),
                                 std::string("'lead"), std::string("trail'")}) {
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
}

TEST_F(SheetNameRules, StructureProtectionRefusesEveryRenameBeforeLookingAtTheName) {
  host.ProtectStructure(book);
  const std::string refused = "Unable to set the Name property of the Worksheet class";
  for (std::string name : {"Other", "Sheet1", "a:b"}) {
    EXPECT_THAT([&] { Rename(name); }, RaisesHostError(1004, refused)) << name;
  }
  host.AddSheet(book, "Chart1", model::SheetKind::Chart);
  EXPECT_THAT([&] { SheetRef("Chart1")->Name("Graph"); },
              RaisesHostError(1004, "Unable to set the Name property of the Chart class"));
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
  EXPECT_FALSE(SameSheetName("a", "b"));
  EXPECT_FALSE(SameSheetName("\u00e9", "\u00ea"));
  EXPECT_EQ(CaseFolded("\u00c4b\u212a"), "\u00e4bk");
}

}  // namespace
}  // namespace tabulara::embedded
