#include "xlsx/cells/grid_snapshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "xlsx/workbook_files.h"

namespace tabulara::xlsx::testing {
namespace {

using embedded::model::Cell;
using embedded::model::Grid;

// A grid of formulas in cells A1, C1, A2, B30 and C30, and a constant in B1.
Grid GridOfFormulas() {
  Grid grid;
  for (const char* cell : {"A1", "C1", "A2", "B30", "C30"}) grid.SetFormula(Address(cell), std::string("=") + cell);
  grid.Obtain(Address("B1")).SetNumber(1);
  return grid;
}

// The snapshot gives every formula of the grid and no other, whether each
// belongs to a cell that says it has one or not.
TEST(GridSnapshot, GivesEveryFormulaOfTheGridAndNoOther) {
  const std::vector<std::pair<std::string, std::function<void(Grid&)>>> grids = {
      {"formulas in their cells", [](Grid&) {}},
      {"a formula without a cell", [](Grid& grid) { grid.formulas[Grid::FormulaKey(Address("D9"))] = "=D9"; }},
      {"a formula in a cell that says it has none",
       [](Grid& grid) { grid.formulas[Grid::FormulaKey(Address("B1"))] = "=B1"; }},
      {"a column twice in a row, and a formula in a cell that says it has none",
       [](Grid& grid) {
         std::vector<Cell>& cells = grid.rows[30].cells;
         cells.insert(cells.begin(), cells.front());
         grid.formulas[Grid::FormulaKey(Address("B1"))] = "=B1";
       }},
  };
  for (const auto& [name, change] : grids) {
    SCOPED_TRACE(name);
    Grid grid = GridOfFormulas();
    change(grid);
    GridSnapshot snapshot;
    snapshot.Take(grid);
    for (const auto& [key, text] : grid.formulas) {
      EXPECT_EQ(snapshot.Formula(Grid::FormulaCell(key)), std::optional<std::string_view>(text)) << text;
    }
    for (const char* none : {"B2", "A3", "A30", "D1"}) EXPECT_FALSE(snapshot.Formula(Address(none))) << none;
    // Taken again from another grid, it keeps nothing of the first.
    Grid other;
    other.SetFormula(Address("E5"), "=E5");
    snapshot.Take(other);
    EXPECT_FALSE(snapshot.Formula(Address("A1")));
    EXPECT_EQ(snapshot.Formula(Address("E5")), std::optional<std::string_view>("=E5"));
  }
}

}  // namespace
}  // namespace tabulara::xlsx::testing
