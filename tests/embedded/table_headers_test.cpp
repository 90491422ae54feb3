#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

struct HeaderEdit {
  std::string name;
  std::string cells;
  // An empty value clears the cells.
  host::Variant value;
  // A1:E1 afterwards; D1 lies outside the table.
  std::vector<std::string> header;
};

// A table over A1:C9 whose header row is "Name", "Size", "Note"; D1 holds "x".
class TableHeaders : public WorkbookTest {
 protected:
  TableHeaders() {
    sheet1.tableHeaders().push_back({1, 1, 1, 3});
    TypeHeader();
  }

  void TypeHeader() {
    host.SetValue(sheet1, "A1", "Name");
    host.SetValue(sheet1, "B1", "Size");
    host.SetValue(sheet1, "C1", "Note");
    host.SetValue(sheet1, "D1", "x");
  }

  std::vector<std::string> Header() {
    std::vector<std::string> texts;
    for (const char* cell : {"A1", "B1", "C1", "D1"}) {
      const host::Variant value = host.Value(sheet1, cell);
      texts.push_back(value.IsText() ? value.AsText() : value.IsEmpty() ? "" : "not text");
    }
    return texts;
  }
};

// The host keeps a header cell a unique, non-empty text; cells outside the
// table keep what they were given.
TEST_F(TableHeaders, EditedHeaderCellsHoldTheirColumnsNames) {
  const std::vector<HeaderEdit> edits{
      {"cleared", "B1", {}, {"Name", "Column2", "Note", "x"}},
      {"whole row cleared", "1:1", {}, {"Column1", "Column2", "Column3", ""}},
      {"number typed", "C1", "1.50", {"Name", "Size", "1.5", "x"}},
      {"name repeated in another case", "C1", "NAME", {"Name", "Size", "NAME2", "x"}},
      {"same text in every cell", "A1:D1", "a", {"a", "a2", "a3", "a"}},
      {"logical value", "B1", true, {"Name", "TRUE", "Note", "x"}},
      {"error value", "B1", "#N/A", {"Name", "#N/A", "Note", "x"}},
  };
  for (const HeaderEdit& edit : edits) {
    SCOPED_TRACE(edit.name);
    TypeHeader();
    if (edit.value.IsEmpty()) {
      RangeRef("Sheet1", edit.cells)->Clear();
    } else {
      RangeRef("Sheet1", edit.cells)->Value(edit.value);
    }
    EXPECT_EQ(Header(), edit.header);
  }
}

TEST_F(TableHeaders, AGeneratedNameCountsAsAChangeOfTheCells) {
  book.cellsChanged = false;
  RangeRef("Sheet1", "A1")->Value(host::Variant("Name"));
  EXPECT_FALSE(book.cellsChanged);
  RangeRef("Sheet1", "A1")->Clear();
  EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant("Column1"));
  EXPECT_TRUE(book.cellsChanged);
}

TEST_F(TableHeaders, AHyperlinkOnAnEmptyHeaderCellNamesItsColumn) {
  sheet1.tableHeaders().push_back({5, 1, 5, 2});
  host.SetValue(sheet1, "A5", "Sheet2!A1");
  WorksheetRef("Sheet1")->Hyperlinks()->Add(RangeRef("Sheet1", "B5"), "", "Sheet2!A1");
  EXPECT_EQ(host.Value(sheet1, "B5"), host::Variant("Sheet2!A12"));
}

}  // namespace
}  // namespace tabulara::embedded
