#include <gtest/gtest.h>

#include "embedded/model/format_table.h"
#include "embedded/model/grid.h"
#include "embedded/model/string_pool.h"
#include "embedded/rules/number_formats.h"
#include "embedded/rules/reference_text.h"

namespace tabulara::embedded {
namespace {

TEST(GridStorage, KeepsOnlyCellsThatHoldSomethingInColumnOrder) {
  model::Grid grid;
  grid.Obtain({5, 3}).SetNumber(1);
  grid.Obtain({5, 1}).SetNumber(2);
  grid.Obtain({2, 7}).SetLogical(true);
  EXPECT_EQ(grid.CellCount(), 3u);
  ASSERT_EQ(grid.rows.at(5).cells.size(), 2u);
  EXPECT_EQ(grid.rows.at(5).cells[0].column, 1);
  EXPECT_EQ(grid.rows.at(5).cells[1].column, 3);
  grid.Erase({2, 7});
  EXPECT_EQ(grid.rows.count(2), 0u);
  EXPECT_EQ(grid.Find({5, 2}), nullptr);
}

TEST(GridStorage, ACellTakesItsRowsFormatElseItsColumnsElseTheSheets) {
  model::Grid grid;
  grid.sheetFormat = 1;
  grid.columns.Change(2, 2, {}, [](model::Column& column) { column.format = 2; });
  grid.rows[3].format = 3;
  EXPECT_EQ(grid.FormatOf({1, 1}), 1u);
  EXPECT_EQ(grid.FormatOf({1, 2}), 2u);
  EXPECT_EQ(grid.FormatOf({3, 2}), 3u);
  EXPECT_EQ(grid.Obtain({3, 2}).format, 3u);
}

TEST(GridStorage, VisitsAndRemovesInsideAnAreaOnly) {
  model::Grid grid;
  for (std::int32_t row = 1; row <= 4; ++row) {
    for (std::int32_t column = 1; column <= 4; ++column) grid.Obtain({row, column}).SetNumber(row * 10 + column);
  }
  grid.SetFormula({2, 2}, "=1");
  double sum = 0;
  grid.ForEachCell({2, 2, 3, 3}, [&](model::CellAddress, const model::Cell& cell) { sum += cell.number; });
  EXPECT_EQ(sum, 22 + 23 + 32 + 33);
  grid.RemoveCellsIf({2, 2, 3, 3}, [](model::CellAddress, const model::Cell&) { return true; });
  EXPECT_EQ(grid.CellCount(), 12u);
  EXPECT_EQ(grid.Formula({2, 2}), nullptr);
}

TEST(StringPool, KeepsEachTextOnceAndSurvivesCopies) {
  model::StringPool pool;
  std::uint32_t a = pool.Intern("alpha");
  std::uint32_t b = pool.Intern("beta");
  EXPECT_EQ(pool.Intern("alpha"), a);
  model::StringPool copy = pool;
  EXPECT_EQ(copy.Text(b), "beta");
  EXPECT_EQ(copy.Intern("beta"), b);
  EXPECT_EQ(copy.size(), 2u);
}

TEST(FormatTable, FormatZeroIsTheDefaultAndFormatsAreKeptOnce) {
  model::FormatTable formats;
  EXPECT_EQ(formats.Get(0).font.name, "Calibri");
  model::CellFormat bold;
  bold.font.bold = true;
  std::uint32_t id = formats.Intern(bold);
  EXPECT_EQ(formats.Intern(bold), id);
  EXPECT_EQ(formats.Intern(model::CellFormat{}), 0u);
}

TEST(NumberFormats, DateCodesOutsideQuotesAndBracketsMakeADate) {
  for (const char* date :
       {"m/d/yyyy", "d-mmm-yy", "h:mm AM/PM", "[h]:mm:ss", "[$-409]dddd, mmmm dd, yyyy", "yyyy-mm-dd;@"}) {
    EXPECT_TRUE(IsDateFormat(date)) << date;
  }
  for (const char* other :
       {"General", "0.00", "#,##0 \"days\"", "[Red]0.00", "0.00E+00", "\\d0", "@", "_-* #,##0", "0;\"m\""}) {
    EXPECT_FALSE(IsDateFormat(other)) << other;
  }
}

TEST(ReferenceText, ColumnLettersRunToXFD) {
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(16384), "XFD");
}

}  // namespace
}  // namespace tabulara::embedded
