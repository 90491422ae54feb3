#pragma once

#include <span>
#include <string>

#include "embedded/model/grid.h"
#include "embedded/model/same_value.h"
#include "xlsx/cells/grid_snapshot.h"

namespace tabulara::xlsx {

// Comparisons of a grid as it is with the grid as read or last written.

using embedded::model::SameValue;

inline bool SameFormula(const embedded::model::Grid& now, const GridSnapshot& before,
                        embedded::model::CellAddress address) {
  const std::string* a = now.Formula(address);
  const std::optional<std::string_view> b = before.Formula(address);
  return a != nullptr && b ? *a == *b : (a == nullptr) == !b;
}

inline bool SameRowFormat(const embedded::model::Row* now, const GridSnapshot::Row* before) {
  return (now != nullptr ? now->format : std::nullopt) == (before != nullptr ? before->format : std::nullopt);
}

inline bool SameRowHeight(const embedded::model::Row* now, const GridSnapshot::Row* before) {
  return (now != nullptr ? now->height : std::nullopt) == (before != nullptr ? before->height : std::nullopt);
}

inline bool SameRowHidden(const embedded::model::Row* now, const GridSnapshot::Row* before) {
  return (now != nullptr && now->hidden) == (before != nullptr && before->hidden);
}

// Calls visit(column, now, before) for the union of two rows' cells, until
// visit returns false.
template <class Visit>
void ForEachCellPair(const embedded::model::Row* now, const GridSnapshot::Row* before, Visit visit) {
  using embedded::model::Cell;
  const std::span<const Cell> a = now != nullptr ? std::span<const Cell>(now->cells) : std::span<const Cell>();
  const std::span<const Cell> b = before != nullptr ? before->cells : std::span<const Cell>();
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i].column < b[j].column)) {
      if (!visit(a[i].column, &a[i], nullptr)) return;
      ++i;
    } else if (i == a.size() || b[j].column < a[i].column) {
      if (!visit(b[j].column, nullptr, &b[j])) return;
      ++j;
    } else {
      if (!visit(a[i].column, &a[i], &b[j])) return;
      ++i;
      ++j;
    }
  }
}

}  // namespace tabulara::xlsx
