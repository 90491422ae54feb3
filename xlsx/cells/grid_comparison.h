#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "embedded/model/grid.h"
#include "embedded/model/same_value.h"

namespace tabulara::xlsx {

// Comparisons of a grid's row with the row as the part holds it, whose
// formats are cellXfs entries: `fileFormat` gives the entry a model format
// writes.

using embedded::model::SameValue;

template <class FileFormat>
bool SameRowFormat(const embedded::model::Row* now, const embedded::model::Row* before, FileFormat fileFormat) {
  const std::optional<std::uint32_t> written =
      now != nullptr && now->format ? std::optional<std::uint32_t>(fileFormat(*now->format)) : std::nullopt;
  return written == (before != nullptr ? before->format : std::nullopt);
}

inline bool SameRowHeight(const embedded::model::Row* now, const embedded::model::Row* before) {
  return (now != nullptr ? now->height : std::nullopt) == (before != nullptr ? before->height : std::nullopt);
}

inline bool SameRowHidden(const embedded::model::Row* now, const embedded::model::Row* before) {
  return (now != nullptr && now->hidden) == (before != nullptr && before->hidden);
}

// Calls visit(column, now, before) for the union of two rows' cells, until
// visit returns false.
template <class Visit>
void ForEachCellPair(const embedded::model::Row* now, const embedded::model::Row* before, Visit visit) {
  using embedded::model::Cell;
  const std::span<const Cell> a = now != nullptr ? std::span<const Cell>(now->cells) : std::span<const Cell>();
  const std::span<const Cell> b = before != nullptr ? std::span<const Cell>(before->cells) : std::span<const Cell>();
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
