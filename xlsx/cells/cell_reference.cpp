#include "xlsx/cells/cell_reference.h"

#include <algorithm>

#include "embedded/rules/reference_text.h"

namespace tabulara::xlsx {

using embedded::model::CellAddress;
using embedded::model::CellRect;

bool WrittenReference::InSheet() const {
  return row >= 1 && row <= embedded::model::kRowCount && column >= 1 && column <= embedded::model::kColumnCount;
}

std::optional<WrittenReference> ParseWrittenReference(std::string_view text) {
  // Past these the value only needs to stay out of range.
  constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
  WrittenReference reference;
  std::size_t at = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    reference.column = std::min(kSaturated, reference.column * 26 + (upper - 'A' + 1));
  }
  const std::size_t letters = at;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c < '0' || c > '9') return std::nullopt;
    reference.row = std::min(kSaturated, reference.row * 10 + (c - '0'));
  }
  if (letters == 0 || at == letters) return std::nullopt;
  return reference;
}

std::string CellReferenceText(CellAddress cell) {
  return embedded::ColumnLetters(cell.column) + std::to_string(cell.row);
}

std::string RangeReferenceText(const CellRect& range) {
  const std::string first = CellReferenceText(range.TopLeft());
  if (range.top == range.bottom && range.left == range.right) return first;
  return first + ":" + CellReferenceText({range.bottom, range.right});
}

std::optional<CellRect> ParseRangeReference(std::string_view text) {
  const auto colon = text.find(':');
  const auto first = ParseWrittenReference(text.substr(0, colon));
  const auto last = colon == std::string_view::npos ? first : ParseWrittenReference(text.substr(colon + 1));
  if (!first || !last || !first->InSheet() || !last->InSheet()) return std::nullopt;
  CellRect range{static_cast<std::int32_t>(first->row), static_cast<std::int32_t>(first->column),
                 static_cast<std::int32_t>(last->row), static_cast<std::int32_t>(last->column)};
  if (range.bottom < range.top || range.right < range.left) return std::nullopt;
  return range;
}

}  // namespace tabulara::xlsx
