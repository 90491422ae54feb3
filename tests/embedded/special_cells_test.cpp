#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

class SpecialCells : public WorkbookTest {
 protected:
  SpecialCells() {
    host.SetFormula(sheet1, "A1", "=1", 1.0);
    host.SetFormula(sheet1, "B1", "=\"a\"", "a");
    host.SetFormula(sheet1, "C1", "=TRUE", true);
    host.SetFormula(sheet1, "A2", "=1/0", host::ErrorValue{host::xlErrDiv0});
    host.SetValue(sheet1, "B2", 5.0);
    host.SetValue(sheet1, "C2", "constant");
  }

  model::Sheet& sheet2() { return host.Sheet("Sheet2"); }

  std::string Found(const std::string& reference, int type, int mask) {
    return RangeRef("Sheet1", reference)->SpecialCells(type, mask)->Address();
  }
};

TEST_F(SpecialCells, TheMaskPicksFormulasByTheTypeOfTheirValue) {
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlNumbers), "$A$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlTextValues), "$B$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlLogical), "$C$1");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlErrors), "$A$2");
  EXPECT_EQ(Found("A1:C2", host::xlCellTypeFormulas, host::xlAllFormulaResults), "$A$1:$C$1,$A$2");
}

TEST_F(SpecialCells, ConstantsAreTheOtherFilledCells) {
  EXPECT_EQ(Found("A1:C2", 2, host::xlAllFormulaResults), "$B$2:$C$2");
  EXPECT_EQ(Found("A1:C2", 2, host::xlTextValues), "$C$2");
}

TEST_F(SpecialCells, NothingFoundIsError1004) {
  EXPECT_THAT([&] { Found("B2:C3", host::xlCellTypeFormulas, host::xlAllFormulaResults); },
              RaisesHostError(1004, "No cells were found."));
  EXPECT_THAT([&] { WorksheetRef("Sheet2")->Cells()->SpecialCells(host::xlCellTypeFormulas, 23); },
              RaisesHostError(1004, "No cells were found."));
}

TEST_F(SpecialCells, AnUncalculatedFormulaCountsAsANumber) {
  RangeRef("Sheet1", "E5")->Value("=A1*2");
  EXPECT_EQ(Found("E1:E9", host::xlCellTypeFormulas, host::xlNumbers), "$E$5");
}

TEST_F(SpecialCells, ASingleCellStandsForTheWholeSheet) {
  EXPECT_EQ(Found("Z99", host::xlCellTypeFormulas, host::xlErrors), "$A$2");
}

TEST_F(SpecialCells, BlocksJoinRunsOverTheSameColumnsAndEnumerateEveryCell) {
  host.SetFormula(sheet2(), "B2:C4", "=1", 1.0);
  host.SetFormula(sheet2(), "E3", "=1", 1.0);
  host::Ref<host::Range> found =
      WorksheetRef("Sheet2")->Cells()->SpecialCells(host::xlCellTypeFormulas, host::xlAllFormulaResults);
  EXPECT_EQ(found->Address(), "$B$2:$C$4,$E$3");
  EXPECT_EQ(found->Count(), 7);
  std::vector<std::string> cells;
  for (const host::Ref<host::Range>& cell : host::Each(found)) cells.push_back(cell->Address());
  EXPECT_THAT(cells, ElementsAre("$B$2", "$C$2", "$B$3", "$C$3", "$B$4", "$C$4", "$E$3"));
}

TEST_F(SpecialCells, OtherCellTypesAreRefused) {
  EXPECT_THAT([&] { Found("A1:C2", 4, 0); }, RaisesHostError(1004, "SpecialCells method of Range class failed"));
}

}  // namespace
}  // namespace tabulara::embedded
