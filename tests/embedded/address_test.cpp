#include <string>

#include "embedded/rules/sheet_quoting.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class Addresses : public WorkbookTest {
 protected:
  // The external address of a cell on the third sheet, named `sheetName`.
  std::string External(const std::string& sheetName, const std::string& reference = "A1") {
    book.sheets[2]->name = sheetName;
    return As<host::Worksheet>(ActiveWorkbook()->Sheets()->Item(3))->Range(reference)->Address(true);
  }
};

TEST_F(Addresses, LocalFormsAreAbsolute) {
  EXPECT_EQ(RangeRef("Sheet1", "a1")->Address(), "$A$1");
  EXPECT_EQ(RangeRef("Sheet1", "C4:B2")->Address(), "$B$2:$C$4");
  EXPECT_EQ(RangeRef("Sheet1", "A1:B2,D4")->Address(), "$A$1:$B$2,$D$4");
  EXPECT_EQ(RangeRef("Sheet1", "C:A")->Address(), "$A:$C");
  EXPECT_EQ(RangeRef("Sheet1", "5:3")->Address(), "$3:$5");
  EXPECT_EQ(WorksheetRef("Sheet1")->Cells()->Address(), "$1:$1048576");
  EXPECT_EQ(RangeRef("Sheet1", "XFD1048576")->Address(), "$XFD$1048576");
}

TEST_F(Addresses, ExternalFormNamesBookAndSheet) {
  EXPECT_EQ(RangeRef("Sheet1", "A1")->Address(true), "[Book1.xlsx]Sheet1!$A$1");
  EXPECT_EQ(RangeRef("Sheet1", "A1,B2")->Address(true), "[Book1.xlsx]Sheet1!$A$1,[Book1.xlsx]Sheet1!$B$2");
}

TEST_F(Addresses, NamesOfWordCharactersAndDotsNeedNoQuotes) {
  for (std::string name : {"Data", "Sheet.1", "Sheet_1", "_Sheet1", "\u00c9cole1", "\u65e5\u672c\u8a9e", "Rabbit",
                           "XFE1", "A0", "R0C0", "AAAA1"}) {
    EXPECT_EQ(External(name), "[Book1.xlsx]" + name + "!$A$1") << name;
  }
}

TEST_F(Addresses, OtherCharactersQuoteBookAndSheetTogether) {
  EXPECT_EQ(External("Sheet 1"), "'[Book1.xlsx]Sheet 1'!$A$1");
  EXPECT_EQ(External("Sheet-7"), "'[Book1.xlsx]Sheet-7'!$A$1");
  EXPECT_EQ(External("S&P"), "'[Book1.xlsx]S&P'!$A$1");
  EXPECT_EQ(External("Sheet'1"), "'[Book1.xlsx]Sheet''1'!$A$1");
  EXPECT_EQ(External("S'heet'2"), "'[Book1.xlsx]S''heet''2'!$A$1");
}

TEST_F(Addresses, ALeadingDigitDotOrEmojiNeedsQuotes) {
  EXPECT_EQ(External("1Sheet"), "'[Book1.xlsx]1Sheet'!$A$1");
  EXPECT_EQ(External(".Sheet"), "'[Book1.xlsx].Sheet'!$A$1");
  EXPECT_EQ(External("\U0001F600Sheet"), "'[Book1.xlsx]\U0001F600Sheet'!$A$1");
  EXPECT_EQ(External("Sheet\U0001F600"), "[Book1.xlsx]Sheet\U0001F600!$A$1");
}

TEST_F(Addresses, NamesReadingAsCellReferencesNeedQuotes) {
  for (std::string name : {"A1", "xfd1048576", "AB12", "R", "c", "RC", "R1C1", "R2D2", "C3PO", "RC12x"}) {
    EXPECT_EQ(External(name), "'[Book1.xlsx]" + name + "'!$A$1") << name;
  }
}

TEST_F(Addresses, ABookNameWithOtherCharactersIsQuotedToo) {
  book.name = "My Book's.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "'[My Book''s.xlsx]Sheet1'!$B$2");
  book.name = "work_book.xlsx";
  EXPECT_EQ(RangeRef("Sheet1", "B2")->Address(true), "[work_book.xlsx]Sheet1!$B$2");
}

TEST(SheetQuoting, RulesOnTheirOwn) {
  EXPECT_FALSE(SheetNameNeedsQuotes("Sheet1"));
  EXPECT_TRUE(SheetNameNeedsQuotes("Sheet1 "));
  EXPECT_TRUE(SheetNameNeedsQuotes("C16384"));
  EXPECT_FALSE(SheetNameNeedsQuotes("C16385x"));
  EXPECT_TRUE(SheetNameNeedsQuotes("R1048576x"));
  EXPECT_FALSE(SheetNameNeedsQuotes("R1048577x"));
}

}  // namespace
}  // namespace tabulara::embedded
