#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "embedded/rules/number_formats.h"
#include "embedded/rules/reference_text.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ThrowsMessage;

class Addresses : public WorkbookTest {
 protected:
  // The external address of A1 on the third sheet, named `sheetName`.
  std::string External(const std::string& sheetName) {
    book.sheets[2]->name = sheetName;
    return As<host::Worksheet>(ActiveWorkbook()->Sheets()->Item(3))->Range("A1")->Address(true);
  }
};

TEST_F(Addresses, LocalFormsAreAbsoluteAndTheExternalFormNamesBookAndSheetQuotingBothWhenEitherNeedsIt) {
  EXPECT_EQ(RangeRef("Sheet1", "a1")->Address(), "$A$1");
  EXPECT_EQ(RangeRef("Sheet1", "C4:B2")->Address(), "$B$2:$C$4");
  EXPECT_EQ(RangeRef("Sheet1", "A1:B2,D4")->Address(), "$A$1:$B$2,$D$4");
  EXPECT_EQ(RangeRef("Sheet1", "AA:Z")->Address(), "$Z:$AA");
  EXPECT_EQ(RangeRef("Sheet1", "5:3")->Address(), "$3:$5");
  EXPECT_EQ(WorksheetRef("Sheet1")->Cells()->Address(), "$1:$1048576");
  EXPECT_EQ(RangeRef("Sheet1", "XFD1048576")->Address(), "$XFD$1048576");
  EXPECT_EQ(RangeRef("Sheet1", "A1,B2")->Address(true), "[Book1.xlsx]Sheet1!$A$1,[Book1.xlsx]Sheet1!$B$2");
  book.name = "My Book's.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "'[My Book''s.xlsx]Sheet1'!$B$2");
  book.name = "work_book.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "[work_book.xlsx]Sheet1!$B$2");
}

TEST_F(Addresses, OnlyOtherCharactersLeadingDigitsDotsOrEmojiAndCellReferencesNeedQuotesInASheetName) {
  for (std::string name : {"Data", "Sheet.1", "Sheet_1", "_Sheet1", "\u00c9cole1", "\u65e5\u672c\u8a9e", "Rabbit",
                           "XFE1", "A0", "R0C0", "AAAA1", "Sheet\U0001F600", "C16385x", "R1048577x", "R10485760"}) {
    EXPECT_EQ(External(name), "[Book1.xlsx]" + name + "!$A$1") << name;
  }
  for (std::string name : {"Sheet 1", "Sheet1 ", "Sheet-7", "S&P", "1Sheet", ".Sheet", "\U0001F600Sheet", "A1",
                           "xfd1048576", "AZ12", "C16384", "R", "c", "RC", "R1C1", "R2D2", "C3PO", "RC12x",
                           "R1048576x"}) {
    EXPECT_EQ(External(name), "'[Book1.xlsx]" + name + "'!$A$1") << name;
  }
  EXPECT_EQ(External("Sheet'1"), "'[Book1.xlsx]Sheet''1'!$A$1");
  EXPECT_EQ(External("S'heet'2"), "'[Book1.xlsx]S''heet''2'!$A$1");
}

class GoTo : public WorkbookTest {
 protected:
  void SetUp() override {
    book.sheets[2]->name = "My sheet";
    host.AddSheet(book, "Bob's, Data");
  }
};

TEST_F(GoTo, SelectsOnTheSheetTheReferenceNames) {
  // The reference and active cell given, then the sheet, selection and active cell gone to.
  for (const auto& [reference, activeCell, selected] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"A1:B2,D4", "", "Sheet1 $A$1:$B$2,$D$4 $A$1"},
           {"sheet1!C3:A1", "Sheet1!B2", "Sheet1 $A$1:$C$3 $B$2"},
           {"'My sheet'!A1", "", "My sheet $A$1 $A$1"},
           {"'Bob''s, Data'!A1:B2,'Bob''s, Data'!$D$4", "D4", "Bob's, Data $A$1:$B$2,$D$4 $D$4"},
           {"'My sheet'!C:D", "'my sheet'!D7", "My sheet $C:$D $D$7"},
           {"Sheet2!B2,C3", "C3", "Sheet2 $B$2,$C$3 $C$3"},
       }) {
    host.Activate(sheet1);
    host.GoTo(reference, activeCell);
    const model::Sheet& active = host.ActiveSheet();
    EXPECT_EQ(active.name + " " + AreasAddress(active.selection.areas) + " " +
                  AreaAddress(model::CellRect::Of(active.selection.activeCell)),
              selected);
  }
}

TEST_F(GoTo, ABadReferenceIsToldAndChangesNothing) {
  for (const auto& [reference, activeCell, error] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"", "", "not a cell reference: \"\""},
           {"A1:", "", "not a cell reference: \"A1:\""},
           {"A1,", "", "not a cell reference: \"A1,\""},
           {"Sheet2!", "", "not a cell reference: \"Sheet2!\""},
           {"!A1", "", "not a cell reference: \"!A1\""},
           {"'My sheet!A1", "", "not a cell reference: \"'My sheet!A1\""},
           {"'My sheet'A1", "", "not a cell reference: \"'My sheet'A1\""},
           {"Nowhere!A1", "", "no sheet named Nowhere"},
           {"Sheet2!A1,'My sheet'!B2", "", "the areas lie on different sheets: \"Sheet2!A1,'My sheet'!B2\""},
           {"Sheet2!A1:B2", "A1:B2", "not a single cell: \"A1:B2\""},
           {"Sheet2!A1:B2", "Sheet2!C3", "the active cell lies outside the selection"},
           {"Sheet2!A1:B2", "Sheet1!B2", "the active cell lies outside the selection"},
       }) {
    SCOPED_TRACE(reference);
    host.GoTo("B5");
    EXPECT_THAT([&] { host.GoTo(reference, activeCell); }, ThrowsMessage<std::invalid_argument>(error));
    EXPECT_EQ(host.ActiveSheet().name, "Sheet1");
    EXPECT_EQ(AreasAddress(sheet1.selection.areas), "$B$5");
  }
}

TEST(NumberFormats, DateCodesOutsideQuotesAndBracketsMakeADate) {
  for (const char* date : {"m/d/yyyy", "d-mmm-yy", "h:mm AM/PM", "[h]:mm:ss", "[h]", "[SS]",
                           "[$-409]dddd, mmmm dd, yyyy", "yyyy-mm-dd;@"}) {
    EXPECT_TRUE(IsDateFormat(date)) << date;
  }
  for (const char* other :
       {"General", "0.00", "#,##0 \"days\"", "[Red]0.00", "0.00E+00", "\\d0", "@", "_-* #,##0", "0;\"m\""}) {
    EXPECT_FALSE(IsDateFormat(other)) << other;
  }
}

}  // namespace
}  // namespace tabulara::embedded
