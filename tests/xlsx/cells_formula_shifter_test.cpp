#include <gtest/gtest.h>

#include "xlsx/cells/formula_shifter.h"

namespace tabulara::xlsx {
namespace {

TEST(CellsFormulaShifter, RelativePartsMoveAnchoredPartsStay) {
  EXPECT_EQ(ShiftFormula("B2+C$3*$D4-$E$5", 2, 1), "C4+D$3*$D6-$E$5");
  EXPECT_EQ(ShiftFormula("SUM(A1:B2)", 1, 0), "SUM(A2:B3)");
  EXPECT_EQ(ShiftFormula("b2*2", 0, 1), "C2*2");
}

TEST(CellsFormulaShifter, WholeColumnsAndRowsMove) {
  EXPECT_EQ(ShiftFormula("SUM(A:A)", 5, 2), "SUM(C:C)");
  EXPECT_EQ(ShiftFormula("SUM($A:B)", 0, 1), "SUM($A:C)");
  EXPECT_EQ(ShiftFormula("SUM(1:2)+SUM($3:4)", 3, 0), "SUM(4:5)+SUM($3:7)");
}

TEST(CellsFormulaShifter, StringsSheetNamesAndFunctionsAreLeftAlone) {
  EXPECT_EQ(ShiftFormula("TEXT(B1,\"A1 \"\"B2\"\"\")&'My A1'!B2&Sheet2!C3&LOG10(A1)", 1, 0),
            "TEXT(B2,\"A1 \"\"B2\"\"\")&'My A1'!B3&Sheet2!C4&LOG10(A2)");
  EXPECT_EQ(ShiftFormula("'It''s'!A1+[1]Data!B1", 1, 1), "'It''s'!B2+[1]Data!C2");
}

TEST(CellsFormulaShifter, StructuredReferencesErrorsAndNamesAreLeftAlone) {
  EXPECT_EQ(ShiftFormula("SUM(Table1[Col A1])+#REF!+TBL1[x]+_xlfn.XLOOKUP(A1,B:B,C:C)+Rate2024", 1, 1),
            "SUM(Table1[Col A1])+#REF!+TBL1[x]+_xlfn.XLOOKUP(B2,C:C,D:D)+Rate2024");
  EXPECT_EQ(ShiftFormula("IF(ISNA(A1),#N/A,TRUE)+1.5E+3", 1, 0), "IF(ISNA(A2),#N/A,TRUE)+1.5E+3");
}

TEST(CellsFormulaShifter, ReferencesMovedOffTheSheetBecomeRefErrors) {
  EXPECT_EQ(ShiftFormula("A1+B2", -1, 0), "#REF!+B1");
  EXPECT_EQ(ShiftFormula("XFD1", 0, 1), "#REF!");
  EXPECT_EQ(ShiftFormula("A1048576", 1, 0), "#REF!");
}

}  // namespace
}  // namespace tabulara::xlsx
