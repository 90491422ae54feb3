#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/model/grid.h"

namespace tabulara::xlsx {

// A grid as read or last written, which writing compares the grid with to
// find what changed. Its cells are kept flat, in one array, and its formulas
// in one text: taking a grid of a million cells is a copy of 16 MB, not a
// million allocations.
class GridSnapshot {
 public:
  struct Row {
    std::int32_t number = 0;
    std::span<const embedded::model::Cell> cells;
    std::optional<double> height;
    bool hidden = false;
    std::optional<std::uint32_t> format;
  };

  GridSnapshot() = default;
  // Rows view the snapshot's own cells.
  GridSnapshot(const GridSnapshot&) = delete;
  GridSnapshot& operator=(const GridSnapshot&) = delete;

  void Take(const embedded::model::Grid& grid);

  // Ascending by number.
  const std::vector<Row>& rows() const { return rows_; }
  const Row* FindRow(std::int32_t number) const;
  // The first row numbered `number` or more.
  std::vector<Row>::const_iterator RowsFrom(std::int32_t number) const;
  std::optional<std::string_view> Formula(embedded::model::CellAddress cell) const;

  embedded::model::ColumnRuns<embedded::model::Column> columns;
  std::vector<embedded::model::CellRect> arrays;
  std::uint32_t sheetFormat = 0;
  double defaultRowHeight = 0;
  double defaultColumnWidth = 0;

 private:
  // The formulas, sorted by key; after the rows.
  void TakeFormulas(const embedded::model::Grid& grid);

  struct FormulaEntry {
    std::uint64_t key;
    std::size_t offset;
    std::size_t size;
  };

  std::vector<embedded::model::Cell> cells_;
  std::vector<Row> rows_;
  // Where FindRow found a row last; for one thread at a time.
  mutable std::size_t lastFound_ = 0;
  std::string formulaText_;
  // Ascending by key.
  std::vector<FormulaEntry> formulas_;
};

}  // namespace tabulara::xlsx
