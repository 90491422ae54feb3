#include "embedded/rules/protection.h"

#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {

bool ContentsProtected(const model::Sheet& sheet) { return sheet.protection().isProtected && sheet.protection().contents; }

bool DrawingProtected(const model::Sheet& sheet) {
  return sheet.protection().isProtected && sheet.protection().drawingObjects;
}

bool TouchesLockedCell(const model::Workbook& workbook, const model::Sheet& sheet, const model::Areas& areas) {
  if (!ContentsProtected(sheet)) return false;
  for (const model::CellRect& area : areas) {
    if (area.CellCount() > kMaxCellsPerEdit) return true;
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      for (std::int32_t column = area.left; column <= area.right; ++column) {
        if (workbook.formats.Get(sheet.grid().FormatOf({row, column})).locked) return true;
      }
    }
  }
  return false;
}

void RequireWholeArrays(const model::Sheet& sheet, const model::Areas& areas) {
  for (const model::CellRect& array : sheet.grid().arrays) {
    for (const model::CellRect& area : areas) {
      if (area.Intersects(array) && !area.Contains(array)) throw PartOfArray();
    }
  }
}

}  // namespace tabulara::embedded
