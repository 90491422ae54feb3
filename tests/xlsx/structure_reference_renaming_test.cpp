#include <gtest/gtest.h>

#include "xlsx/structure/sheet_reference_renaming.h"

namespace tabulara::xlsx::structure {
namespace {

SheetRenames Renaming(const std::string& from, const std::string& to) {
  SheetRenames renames;
  renames.Add(from, to);
  return renames;
}

TEST(StructureReferenceRenaming, UnquotedReferencesTakeTheNewName) {
  const auto renames = Renaming("Sheet1", "Data");
  EXPECT_EQ(RenameSheetReferences("=Sheet1!A1", renames), "=Data!A1");
  EXPECT_EQ(RenameSheetReferences("=SUM(Sheet1!A1:B2)+sheet1!$C$3", renames), "=SUM(Data!A1:B2)+Data!$C$3");
  EXPECT_EQ(RenameSheetReferences("Sheet1!$A$1", renames), "Data!$A$1");
}

TEST(StructureReferenceRenaming, NewNamesAreQuotedWhereTheyNeedIt) {
  EXPECT_EQ(RenameSheetReferences("=Sheet1!A1", Renaming("Sheet1", "My Sheet")), "='My Sheet'!A1");
  EXPECT_EQ(RenameSheetReferences("=Sheet1!A1", Renaming("Sheet1", "It's")), "='It''s'!A1");
  EXPECT_EQ(RenameSheetReferences("=Sheet1!A1", Renaming("Sheet1", "2024")), "='2024'!A1");
}

TEST(StructureReferenceRenaming, QuotedReferencesAreRecognised) {
  EXPECT_EQ(RenameSheetReferences("='My Sheet'!A1*2", Renaming("My Sheet", "Data")), "=Data!A1*2");
  EXPECT_EQ(RenameSheetReferences("='It''s'!A1", Renaming("It's", "Other one")), "='Other one'!A1");
  EXPECT_EQ(RenameSheetReferences("'S''heet''2'!$A$1:$A$5", Renaming("S'heet'2", "Pie")), "Pie!$A$1:$A$5");
}

TEST(StructureReferenceRenaming, ThreeDimensionalReferencesRenameEitherEnd) {
  const auto renames = Renaming("Sheet3", "Last Sheet");
  EXPECT_EQ(RenameSheetReferences("=SUM(Sheet1:Sheet3!A1)", renames), "=SUM('Sheet1:Last Sheet'!A1)");
  EXPECT_EQ(RenameSheetReferences("=SUM('Sheet3:Sheet 5'!A1)", renames), "=SUM('Last Sheet:Sheet 5'!A1)");
}

TEST(StructureReferenceRenaming, LeavesStringsOtherSheetsAndOtherWorkbooksAlone) {
  const auto renames = Renaming("Sheet1", "Data");
  EXPECT_EQ(RenameSheetReferences("=\"Sheet1!A1\"&Sheet1!A1", renames), "=\"Sheet1!A1\"&Data!A1");
  EXPECT_EQ(RenameSheetReferences("=\"say \"\"Sheet1!A1\"\"\"&Sheet1!B1", renames), "=\"say \"\"Sheet1!A1\"\"\"&Data!B1");
  EXPECT_EQ(RenameSheetReferences("=Sheet10!A1+MySheet1!A1", renames), "=Sheet10!A1+MySheet1!A1");
  EXPECT_EQ(RenameSheetReferences("=[1]Sheet1!A1+'[Book.xlsx]Sheet1'!A1", renames),
            "=[1]Sheet1!A1+'[Book.xlsx]Sheet1'!A1");
  EXPECT_EQ(RenameSheetReferences("=SUM(Table1[[#This Row],[Sheet1!x]])", renames),
            "=SUM(Table1[[#This Row],[Sheet1!x]])");
  EXPECT_EQ(RenameSheetReferences("=Sheet1+A1:B2", renames), "=Sheet1+A1:B2");
}

TEST(StructureReferenceRenaming, SwappedNamesRenameInOnePass) {
  SheetRenames renames;
  renames.Add("A", "B");
  renames.Add("B", "A");
  EXPECT_EQ(RenameSheetReferences("=A!A1+B!B2", renames), "=B!A1+A!B2");
}

TEST(StructureReferenceRenaming, NonAsciiNamesAndUnterminatedText) {
  EXPECT_EQ(RenameSheetReferences("=日本語!A1", Renaming("日本語", "表")), "=表!A1");
  EXPECT_EQ(RenameSheetReferences("='Sheet1", Renaming("Sheet1", "X")), "='Sheet1");
  EXPECT_EQ(RenameSheetReferences("=\"Sheet1!A1", Renaming("Sheet1", "X")), "=\"Sheet1!A1");
}

}  // namespace
}  // namespace tabulara::xlsx::structure
