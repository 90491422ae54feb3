#include "embedded/rules/range_queries.h"

#include <map>
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

}  // namespace

model::Areas SpecialCells(const model::Sheet& sheet, const model::Areas& areas, int type, int valueMask) {
  if (type != host::xlCellTypeFormulas && type != kCellTypeConstants) throw MethodFailed("SpecialCells", "Range");
  bool formulas = type == host::xlCellTypeFormulas;
  model::Areas searched = areas;
  if (areas.size() == 1 && areas.front().CellCount() == 1) searched = {CellRect::WholeSheet()};
  model::Areas found;
  for (const CellRect& area : searched) {
    Blocks blocks;
    sheet.grid.ForEachCell(area, [&](CellAddress address, const Cell& cell) {
      bool candidate = formulas ? cell.hasFormula : !cell.hasFormula && cell.kind != model::ValueKind::Empty;
      if (candidate && (ValueType(cell) & valueMask) != 0) blocks.Add(address);
    });
    for (const CellRect& block : blocks.Take()) found.push_back(block);
  }
  if (found.empty()) throw NoCellsFound();
  return found;
}

bool AllHoldFormulas(const model::Sheet& sheet, const model::Areas& areas) {
  for (const CellRect& area : areas) {
    std::int64_t formulas = 0;
    sheet.grid.ForEachCell(area, [&](CellAddress, const Cell& cell) { formulas += cell.hasFormula ? 1 : 0; });
    if (formulas != area.CellCount()) return false;
  }
  return true;
}

bool AllInArrays(const model::Sheet& sheet, const model::Areas& areas) {
  for (const CellRect& area : areas) {
    std::int64_t covered = 0;
    for (const CellRect& array : sheet.grid.arrays) {
      if (auto common = model::Intersection(area, array)) covered += common->CellCount();
    }
    if (covered != area.CellCount()) return false;
  }
  return true;
}

}  // namespace tabulara::embedded
