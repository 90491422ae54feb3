#pragma once

#include <string>
#include <vector>

#include "embedded/model/grid.h"
#include "embedded/model/same_value.h"

namespace tabulara::xlsx {

// Comparisons of a grid as it is with the grid as read or last written.

using embedded::model::SameValue;

inline bool SameFormula(const embedded::model::Grid& now, const embedded::model::Grid& before,
                        embedded::model::CellAddress address) {
  const std::string* a = now.Formula(address);
  const std::string* b = before.Formula(address);
  return a != nullptr && b != nullptr ? *a == *b : a == b;
}

inline bool SameRowFormat(const embedded::model::Row* now, const embedded::model::Row* before) {
  const auto format = [](const embedded::model::Row* row) { return row != nullptr ? row->format : std::nullopt; };
  return format(now) == format(before);
}

inline bool SameRowHeight(const embedded::model::Row* now, const embedded::model::Row* before) {
  const auto height = [](const embedded::model::Row* row) { return row != nullptr ? row->height : std::nullopt; };
  return height(now) == height(before);
}

inline bool SameRowHidden(const embedded::model::Row* now, const embedded::model::Row* before) {
  return (now != nullptr && now->hidden) == (before != nullptr && before->hidden);
}

// Calls visit(column, now, before) for the union of two rows' cells, until
// visit returns false.
template <class Visit>
void ForEachCellPair(const embedded::model::Row* now, const embedded::model::Row* before, Visit visit) {
  static const std::vector<embedded::model::Cell> kNone;
  const std::vector<embedded::model::Cell>& a = now != nullptr ? now->cells : kNone;
  const std::vector<embedded::model::Cell>& b = before != nullptr ? before->cells : kNone;
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
