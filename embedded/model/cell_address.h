#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

namespace tabulara::embedded::model {

// The size of a worksheet.
inline constexpr std::int32_t kRowCount = 1048576;
inline constexpr std::int32_t kColumnCount = 16384;

// A cell by 1-based row and column.
struct CellAddress {
  std::int32_t row = 1;
  std::int32_t column = 1;
  friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

// A rectangle of cells, its corners included.
struct CellRect {
  std::int32_t top = 1;
  std::int32_t left = 1;
  std::int32_t bottom = 1;
  std::int32_t right = 1;

  static constexpr CellRect Of(CellAddress cell) { return {cell.row, cell.column, cell.row, cell.column}; }
  static constexpr CellRect WholeSheet() { return {1, 1, kRowCount, kColumnCount}; }

  constexpr std::int64_t Rows() const { return std::int64_t{bottom} - top + 1; }
  constexpr std::int64_t Columns() const { return std::int64_t{right} - left + 1; }
  constexpr std::int64_t CellCount() const { return Rows() * Columns(); }
  constexpr CellAddress TopLeft() const { return {top, left}; }
  // Every row of its columns, or every column of its rows.
  constexpr bool WholeColumns() const { return top == 1 && bottom == kRowCount; }
  constexpr bool WholeRows() const { return left == 1 && right == kColumnCount; }

  constexpr bool Contains(CellAddress cell) const {
    return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
  }
  constexpr bool Contains(const CellRect& other) const {
    return other.top >= top && other.bottom <= bottom && other.left >= left && other.right <= right;
  }
  constexpr bool Intersects(const CellRect& other) const {
    return other.top <= bottom && other.bottom >= top && other.left <= right && other.right >= left;
  }

  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The areas of a range, in order.
using Areas = std::vector<CellRect>;

constexpr std::optional<CellRect> Intersection(const CellRect& a, const CellRect& b) {
  if (!a.Intersects(b)) return std::nullopt;
  return CellRect{std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
                  std::min(a.right, b.right)};
}

}  // namespace tabulara::embedded::model
