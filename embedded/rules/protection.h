#pragma once

#include <cstdint>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// The most cells one edit may create; more is beyond the host's memory.
inline constexpr std::int64_t kMaxCellsPerEdit = std::int64_t{1} << 24;

// Whether the sheet's protection is on for its cells or its drawing objects.
bool ContentsProtected(const model::Sheet& sheet);
bool DrawingProtected(const model::Sheet& sheet);

// Whether a change to the areas meets a locked cell of a protected sheet.
// Areas too large to look at cell by cell count as locked.
bool TouchesLockedCell(const model::Workbook& workbook, const model::Sheet& sheet, const model::Areas& areas);

// Raises "You cannot change part of an array." when an area covers some
// but not all cells of an array formula.
void RequireWholeArrays(const model::Sheet& sheet, const model::Areas& areas);

}  // namespace tabulara::embedded
