#include <string>

#include "embedded/rules/reference_text.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class GoTo : public WorkbookTest {
 protected:
  void SetUp() override {
    book.sheets[2]->name = "My sheet";
    host.AddSheet(book, "Bob's, Data");
  }
};

TEST_F(GoTo, SelectsOnTheSheetTheReferenceNames) {
  struct Case {
    const char* reference;
    const char* activeCell;
    const char* sheet;
    const char* selection;
    const char* active;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"A1:B2,D4", "", "Sheet1", "$A$1:$B$2,$D$4", "$A$1"},
           {"sheet1!C3:A1", "Sheet1!B2", "Sheet1", "$A$1:$C$3", "$B$2"},
           {"'My sheet'!A1", "", "My sheet", "$A$1", "$A$1"},
           {"'Bob''s, Data'!A1:B2,'Bob''s, Data'!$D$4", "D4", "Bob's, Data", "$A$1:$B$2,$D$4", "$D$4"},
           {"'My sheet'!C:D", "'my sheet'!D7", "My sheet", "$C:$D", "$D$7"},
           {"Sheet2!B2,C3", "C3", "Sheet2", "$B$2,$C$3", "$C$3"},
       }) {
    SCOPED_TRACE(c.reference);
    host.Activate(sheet1);
    host.GoTo(c.reference, c.activeCell);
    const model::Sheet& active = host.ActiveSheet();
    EXPECT_EQ(active.name, c.sheet);
    EXPECT_EQ(AreasAddress(active.selection.areas), c.selection);
    EXPECT_EQ(AreaAddress(model::CellRect::Of(active.selection.activeCell)), c.active);
  }
}

TEST_F(GoTo, ABadReferenceIsToldAndChangesNothing) {
  struct Case {
    const char* reference;
    const char* activeCell;
    const char* error;
  };
  for (const Case& c : std::initializer_list<Case>{
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
    SCOPED_TRACE(c.reference);
    host.GoTo("B5");
    try {
      host.GoTo(c.reference, c.activeCell);
      ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& error) {
      EXPECT_STREQ(error.what(), c.error);
    }
    EXPECT_EQ(host.ActiveSheet().name, "Sheet1");
    EXPECT_EQ(AreasAddress(sheet1.selection.areas), "$B$5");
  }
}

}  // namespace
}  // namespace tabulara::embedded
