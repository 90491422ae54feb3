#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "embedded/model/cell_address.h"

namespace tabulara::xlsx {

// A cell reference of a worksheet part ("B7", no "$"), before its range is
// checked: the row and column as written.
struct WrittenReference {
  std::int64_t row = 0;
  std::int64_t column = 0;
  bool InSheet() const;
};
std::optional<WrittenReference> ParseWrittenReference(std::string_view text);

// "B7"; "A1:C4" for a range, "A1" for a range of one cell.
std::string CellReferenceText(embedded::model::CellAddress cell);
std::string RangeReferenceText(const embedded::model::CellRect& range);
// "A1:C4" or "B2"; nothing when it is no range of the sheet.
std::optional<embedded::model::CellRect> ParseRangeReference(std::string_view text);

}  // namespace tabulara::xlsx
