#pragma once

#include <cstdint>
#include <vector>

#include "embedded/model/grid.h"

namespace tabulara::xlsx {

// A 64-bit digest of everything the writer writes of a row: its settings,
// its cells' columns, formats, values and formulas.
struct RowDigest {
  std::int32_t number = 0;
  std::uint64_t digest = 0;
  friend bool operator==(const RowDigest&, const RowDigest&) = default;
};

std::uint64_t DigestRow(const embedded::model::Grid& grid, std::int32_t number, const embedded::model::Row& row);

// By number, every row of the grid.
std::vector<RowDigest> DigestRows(const embedded::model::Grid& grid);

}  // namespace tabulara::xlsx
