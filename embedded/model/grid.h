#pragma once

#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "embedded/model/cell.h"
#include "embedded/model/cell_address.h"
#include "embedded/model/column_runs.h"
#include "embedded/model/row_map.h"

namespace tabulara::embedded::model {

struct Column {
  // In the file's unit: characters of the default font's widest digit,
  // padding included. The sheet's default when absent.
  std::optional<double> width;
  bool hidden = false;
  // The format of the column's cells that have neither an entry nor a row
  // format.
  std::optional<std::uint32_t> format;

  friend bool operator==(const Column&, const Column&) = default;
};

// The cells of a worksheet, stored sparsely: only cells that hold a value, a
// formula or a format of their own have an entry. A cell without one takes
// its row's format, else its column's, else the sheet's.
class Grid {
 public:
  RowMap rows;
  ColumnRuns<Column> columns;
  // Formula texts ("=SUM(A1:A3)") by FormulaKey.
  std::unordered_map<std::uint64_t, std::string> formulas;
  // The ranges of the array formulas. The top-left cell of one holds its
  // formula; the other cells hold only their values, when they have any.
  std::vector<CellRect> arrays;
  std::uint32_t sheetFormat = 0;
  // Points.
  double defaultRowHeight = 15;
  // Excel's default of 8.43 characters: 64 pixels with Calibri 11.
  double defaultColumnWidth = 9.140625;

  static std::uint64_t FormulaKey(CellAddress cell) {
    return (static_cast<std::uint64_t>(cell.row) << 16) | static_cast<std::uint64_t>(cell.column);
  }
  static CellAddress FormulaCell(std::uint64_t key) {
    return {static_cast<std::int32_t>(key >> 16), static_cast<std::int32_t>(key & 0xffff)};
  }

  const Cell* Find(CellAddress cell) const;
  Cell* Find(CellAddress cell);
  // The cell's entry, created with the format its row, column or sheet
  // gives it when it has none.
  Cell& Obtain(CellAddress cell);
  // Removes the cell's entry (value, formula and own format).
  void Erase(CellAddress cell);

  // The format a cell without an entry takes.
  std::uint32_t LayerFormat(CellAddress cell) const;
  std::uint32_t FormatOf(CellAddress cell) const;

  // The cell's own formula.
  const std::string* Formula(CellAddress cell) const;
  // The formula the cell shows: its own, or that of the array holding it.
  const std::string* FormulaShown(CellAddress cell) const;
  // The array formula range holding the cell, or null.
  const CellRect* ArrayAt(CellAddress cell) const;
  void SetFormula(CellAddress cell, std::string formula);
  void RemoveFormula(CellAddress cell);

  std::size_t CellCount() const;

  // Calls visit(CellAddress, Cell&) for every entry inside `area`, row by
  // row. `visit` must not add or remove entries.
  template <class Visit>
  void ForEachCell(const CellRect& area, Visit visit) {
    if (area.top == area.bottom) {
      if (Row* row = rows.Find(area.top)) {
        for (Cell& cell : ColumnsOf(*row, area)) visit(CellAddress{area.top, cell.column}, cell);
      }
      return;
    }
    for (auto row = rows.lower_bound(area.top); row != rows.end() && row->first <= area.bottom; ++row) {
      for (Cell& cell : ColumnsOf(row->second, area)) visit(CellAddress{row->first, cell.column}, cell);
    }
  }
  template <class Visit>
  void ForEachCell(const CellRect& area, Visit visit) const {
    if (area.top == area.bottom) {
      if (const Row* row = rows.Find(area.top)) {
        for (const Cell& cell : ColumnsOf(*row, area)) visit(CellAddress{area.top, cell.column}, cell);
      }
      return;
    }
    for (auto row = rows.lower_bound(area.top); row != rows.end() && row->first <= area.bottom; ++row) {
      for (const Cell& cell : ColumnsOf(row->second, area)) visit(CellAddress{row->first, cell.column}, cell);
    }
  }

  // Calls visit(key, cell, formula) for each formula, in the order of the
  // cells, which is the order of their keys. False when that cannot be done
  // for every formula, which the caller then takes from the table: one
  // belongs to no cell that says it has one, or a column repeats in a row.
  template <class Visit>
  bool ForEachFormulaByCell(Visit visit) const {
    std::size_t visited = 0;
    std::uint64_t last = 0;
    for (const auto& [number, row] : rows) {
      for (const Cell& cell : row.cells) {
        if (!cell.hasFormula) continue;
        const std::uint64_t key = FormulaKey({number, cell.column});
        const auto formula = formulas.find(key);
        if (formula == formulas.end()) continue;
        if (visited > 0 && key <= last) return false;
        last = key;
        ++visited;
        visit(key, cell, formula->second);
      }
    }
    return visited == formulas.size();
  }

  // Removes the entries inside `area` for which remove(CellAddress, Cell&)
  // is true, and rows left holding nothing.
  template <class Remove>
  void RemoveCellsIf(const CellRect& area, Remove remove) {
    for (auto row = rows.lower_bound(area.top); row != rows.end() && row->first <= area.bottom;) {
      std::vector<Cell>& cells = row->second.cells;
      std::erase_if(cells, [&](Cell& cell) {
        CellAddress address{row->first, cell.column};
        if (!area.Contains(address) || !remove(address, cell)) return false;
        if (cell.hasFormula) formulas.erase(FormulaKey(address));
        return true;
      });
      row = row->second.HoldsNothing() ? rows.erase(row) : std::next(row);
    }
  }

 private:
  template <class Cells>
  struct Span {
    Cells* first;
    Cells* last;
    Cells* begin() const { return first; }
    Cells* end() const { return last; }
  };
  static Span<Cell> ColumnsOf(Row& row, const CellRect& area);
  static Span<const Cell> ColumnsOf(const Row& row, const CellRect& area);
};

}  // namespace tabulara::embedded::model
