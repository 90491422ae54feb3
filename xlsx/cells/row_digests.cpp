#include "xlsx/cells/row_digests.h"

#include <bit>
#include <functional>
#include <string_view>

#include "xlsx/package/huge_pages.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Cell;
using embedded::model::ValueKind;

// Each word goes through a bijective mixer (MurmurHash3's finalizer) after
// the state before it: a change of any word, or of the words' order, changes
// the digest but by a chance of 2^-64.
class Digest {
 public:
  void Add(std::uint64_t word) {
    std::uint64_t h = state_ ^ word;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    state_ = h + 0x9e3779b97f4a7c15ULL;
  }
  std::uint64_t value() const { return state_; }

 private:
  std::uint64_t state_ = 0;
};

std::uint64_t ValueWord(const Cell& cell) {
  switch (cell.kind) {
    case ValueKind::Empty:
      return 0;
    case ValueKind::Number:
      return std::bit_cast<std::uint64_t>(cell.number);
    case ValueKind::Text:
      return cell.text;
    case ValueKind::Logical:
      return cell.logical ? 1 : 0;
    case ValueKind::Error:
      return static_cast<std::uint32_t>(cell.error);
  }
  return 0;
}

}  // namespace

std::uint64_t DigestRow(const embedded::model::Grid& grid, std::int32_t number, const embedded::model::Row& row) {
  Digest digest;
  digest.Add((row.height ? 1u : 0u) | (row.hidden ? 2u : 0u) | (row.format ? 4u : 0u) |
             (std::uint64_t{row.format.value_or(0)} << 32));
  digest.Add(std::bit_cast<std::uint64_t>(row.height.value_or(0)));
  for (const Cell& cell : row.cells) {
    digest.Add(std::uint64_t{cell.column} | (std::uint64_t{static_cast<std::uint8_t>(cell.kind)} << 16) |
               (std::uint64_t{cell.hasFormula} << 24) | (std::uint64_t{cell.format} << 32));
    digest.Add(ValueWord(cell));
    if (!cell.hasFormula) continue;
    const std::string* formula = grid.Formula({number, cell.column});
    digest.Add(formula != nullptr ? std::hash<std::string_view>()(*formula) : 0);
  }
  return digest.value();
}

std::vector<RowDigest> DigestRows(const embedded::model::Grid& grid) {
  std::vector<RowDigest> digests;
  ReserveLarge(digests, grid.rows.size());
  for (const auto& [number, row] : grid.rows) digests.push_back({number, DigestRow(grid, number, row)});
  return digests;
}

}  // namespace tabulara::xlsx
