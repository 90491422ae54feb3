#include "embedded/rules/range_queries.h"

#include <map>
#include <unordered_set>
#include <utility>

#include "embedded/rules/host_errors.h"
#include "host/constants.h"

namespace tabulara::embedded {
namespace {

using model::Cell;
using model::CellAddress;
using model::CellRect;

// XlCellType of the constants.
constexpr int kCellTypeConstants = 2;

// The value type of a cell for the value mask. A formula not yet
// calculated counts as a number, as the host shows it (0).
int ValueType(const Cell& cell) {
  switch (cell.kind) {
    case model::ValueKind::Text:
      return host::xlTextValues;
    case model::ValueKind::Logical:
      return host::xlLogical;
    case model::ValueKind::Error:
      return host::xlErrors;
    case model::ValueKind::Number:
    case model::ValueKind::Empty:
      return host::xlNumbers;
  }
  return 0;
}

// Collects matching cells as runs along each row, and runs over the same
// columns in consecutive rows as one block.
class Blocks {
 public:
  void Add(CellAddress cell) {
    if (run_ && run_->top == cell.row && run_->right + 1 == cell.column) {
      ++run_->right;
      return;
    }
    Close();
    run_ = CellRect::Of(cell);
  }

  model::Areas Take() {
    Close();
    return std::move(blocks_);
  }

 private:
  void Close() {
    if (!run_) return;
    auto [last, added] = lastByColumns_.try_emplace({run_->left, run_->right}, blocks_.size());
    if (!added && blocks_[last->second].bottom + 1 == run_->top) {
      blocks_[last->second].bottom = run_->top;
    } else {
      last->second = blocks_.size();
      blocks_.push_back(*run_);
    }
    run_.reset();
  }

  model::Areas blocks_;
  std::optional<CellRect> run_;
  // The last block over each span of columns.
  std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> lastByColumns_;
};

// The cells of the array formulas inside `area` that have entries.
std::unordered_set<std::uint64_t> ArrayEntries(const model::Grid& grid, const CellRect& area) {
  std::unordered_set<std::uint64_t> entries;
  for (const CellRect& array : grid.arrays) {
    if (const auto common = model::Intersection(area, array)) {
      grid.ForEachCell(*common, [&](CellAddress address, const Cell&) { entries.insert(model::Grid::FormulaKey(address)); });
    }
  }
  return entries;
}

// The parts of `rect` whose cells have no entry, as rows of runs and bands
// of whole rows: as many as the entries inside it, not its cells.
model::Areas PartsWithoutEntries(const model::Grid& grid, const CellRect& rect) {
  model::Areas parts;
  std::int32_t nextRow = rect.top;
  for (auto row = grid.rows.lower_bound(rect.top); row != grid.rows.end() && row->first <= rect.bottom; ++row) {
    model::Areas runs;
    std::int32_t column = rect.left;
    const CellRect line{row->first, rect.left, row->first, rect.right};
    grid.ForEachCell(line, [&](CellAddress address, const Cell&) {
      if (address.column > column) runs.push_back({row->first, column, row->first, address.column - 1});
      column = address.column + 1;
    });
    if (column == rect.left) continue;
    if (column <= rect.right) runs.push_back({row->first, column, row->first, rect.right});
    if (nextRow < row->first) parts.push_back({nextRow, rect.left, row->first - 1, rect.right});
    parts.insert(parts.end(), runs.begin(), runs.end());
    nextRow = row->first + 1;
  }
  if (nextRow <= rect.bottom) parts.push_back({nextRow, rect.left, rect.bottom, rect.right});
  return parts;
}

}  // namespace

model::Areas SpecialCells(const model::Sheet& sheet, const model::Areas& areas, int type, int valueMask) {
  if (type != host::xlCellTypeFormulas && type != kCellTypeConstants) throw MethodFailed("SpecialCells", "Range");
  bool formulas = type == host::xlCellTypeFormulas;
  model::Areas searched = areas;
  if (areas.size() == 1 && areas.front().CellCount() == 1) searched = {CellRect::WholeSheet()};
  model::Areas found;
  const model::Grid& grid = sheet.grid();
  for (const CellRect& area : searched) {
    const std::unordered_set<std::uint64_t> arrayEntries = ArrayEntries(grid, area);
    Blocks blocks;
    grid.ForEachCell(area, [&](CellAddress address, const Cell& cell) {
      const bool hasFormula = cell.hasFormula || arrayEntries.count(model::Grid::FormulaKey(address)) != 0;
      bool candidate = formulas ? hasFormula : !hasFormula && cell.kind != model::ValueKind::Empty;
      if (candidate && (ValueType(cell) & valueMask) != 0) blocks.Add(address);
    });
    for (const CellRect& block : blocks.Take()) found.push_back(block);
    // Array cells without an entry show 0, a number.
    if (!formulas || (valueMask & host::xlNumbers) == 0) continue;
    for (const CellRect& array : grid.arrays) {
      if (const auto common = model::Intersection(area, array)) {
        for (const CellRect& part : PartsWithoutEntries(grid, *common)) found.push_back(part);
      }
    }
  }
  if (found.empty()) throw NoCellsFound();
  return found;
}

bool AllHoldFormulas(const model::Sheet& sheet, const model::Areas& areas) {
  for (const CellRect& area : areas) {
    // Every cell of an array holds its formula; the top-left one also in
    // its entry.
    std::int64_t formulas = 0;
    sheet.grid().ForEachCell(area, [&](CellAddress, const Cell& cell) { formulas += cell.hasFormula ? 1 : 0; });
    for (const CellRect& array : sheet.grid().arrays) {
      const auto common = model::Intersection(area, array);
      if (!common) continue;
      formulas += common->CellCount();
      sheet.grid().ForEachCell(*common, [&](CellAddress, const Cell& cell) { formulas -= cell.hasFormula ? 1 : 0; });
    }
    if (formulas != area.CellCount()) return false;
  }
  return true;
}

bool AllInArrays(const model::Sheet& sheet, const model::Areas& areas) {
  for (const CellRect& area : areas) {
    std::int64_t covered = 0;
    for (const CellRect& array : sheet.grid().arrays) {
      if (auto common = model::Intersection(area, array)) covered += common->CellCount();
    }
    if (covered != area.CellCount()) return false;
  }
  return true;
}

}  // namespace tabulara::embedded
