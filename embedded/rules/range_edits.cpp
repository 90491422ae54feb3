#include "embedded/rules/range_edits.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "embedded/rules/area_rules.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"
#include "embedded/rules/table_headers.h"

namespace tabulara::embedded {
namespace {

using model::Cell;
using model::CellAddress;
using model::CellRect;
using model::Grid;

void DropArraysInside(Grid& grid, const CellRect& area) {
  std::erase_if(grid.arrays, [&](const CellRect& array) { return area.Contains(array); });
}

void DropCommentsInside(model::Sheet& sheet, const CellRect& area) {
  for (auto comment = sheet.comments().begin(); comment != sheet.comments().end();) {
    if (!area.Contains(comment->first)) {
      ++comment;
      continue;
    }
    std::uint32_t box = comment->second.shape;
    std::erase_if(sheet.shapes(), [box](const model::Shape& shape) { return shape.id == box; });
    comment = sheet.comments().erase(comment);
  }
}

bool LayersFormatted(const Grid& grid, const CellRect& area) {
  if (grid.sheetFormat != 0) return true;
  for (auto row = grid.rows.lower_bound(area.top); row != grid.rows.end() && row->first <= area.bottom; ++row) {
    if (row->second.format.value_or(0) != 0) return true;
  }
  for (auto run = grid.columns.From(area.left); run != grid.columns.end() && run->first <= area.right; ++run) {
    if (run->second.value.format.value_or(0) != 0) return true;
  }
  return false;
}

// After a clear, cells whose row, column or sheet carries a format get an
// entry in the default format.
void ResetLayerFormats(Grid& grid, const CellRect& area) {
  if (area.WholeColumns() && area.WholeRows()) {
    grid.sheetFormat = 0;
    grid.columns.ChangeAll([](model::Column& column) { column.format.reset(); });
    for (auto row = grid.rows.begin(); row != grid.rows.end();) {
      row->second.format.reset();
      row = row->second.HoldsNothing() ? grid.rows.erase(row) : std::next(row);
    }
    return;
  }
  if (!LayersFormatted(grid, area)) return;
  if (area.WholeColumns()) {
    for (auto& [number, row] : grid.rows) {
      if (row.format.value_or(0) == 0) continue;
      for (std::int32_t column = area.left; column <= area.right; ++column) grid.Obtain({number, column}).format = 0;
    }
    std::optional<std::uint32_t> format;
    if (grid.sheetFormat != 0) format = 0;
    grid.columns.Change(area.left, area.right, {}, [&](model::Column& column) { column.format = format; });
    return;
  }
  if (area.WholeRows()) {
    bool columnsFormatted =
        grid.sheetFormat != 0 || std::any_of(grid.columns.begin(), grid.columns.end(), [](const auto& run) {
          return run.second.value.format.value_or(0) != 0;
        });
    if (columnsFormatted) {
      for (std::int32_t row = area.top; row <= area.bottom; ++row) grid.rows[row].format = 0;
      return;
    }
    for (auto row = grid.rows.lower_bound(area.top); row != grid.rows.end() && row->first <= area.bottom;) {
      row->second.format.reset();
      row = row->second.HoldsNothing() ? grid.rows.erase(row) : std::next(row);
    }
    return;
  }
  if (area.CellCount() > kMaxCellsPerEdit) throw OutOfMemory();
  for (std::int32_t row = area.top; row <= area.bottom; ++row) {
    for (std::int32_t column = area.left; column <= area.right; ++column) {
      if (grid.LayerFormat({row, column}) != 0) grid.Obtain({row, column}).format = 0;
    }
  }
}

// Maps each format to the same format changed, once per format.
class FormatChange {
 public:
  FormatChange(model::FormatTable& formats, const std::function<void(model::CellFormat&)>& change)
      : formats_(formats), change_(change) {}

  // Neighbouring cells mostly share a format: the last one is asked first.
  std::uint32_t operator()(std::uint32_t id) {
    if (last_ && last_->first == id) return last_->second;
    auto [entry, added] = changed_.try_emplace(id, 0);
    if (added) {
      model::CellFormat format = formats_.Get(id);
      change_(format);
      entry->second = formats_.Intern(format);
    }
    last_ = std::pair(id, entry->second);
    return entry->second;
  }

 private:
  model::FormatTable& formats_;
  const std::function<void(model::CellFormat&)>& change_;
  std::unordered_map<std::uint32_t, std::uint32_t> changed_;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> last_;
};

void ChangeAreaFormat(Grid& grid, const CellRect& area, FormatChange& change) {
  if (area.WholeColumns() && area.WholeRows()) {
    grid.sheetFormat = change(grid.sheetFormat);
    grid.columns.ChangeAll([&](model::Column& column) {
      if (column.format) column.format = change(*column.format);
    });
    for (auto& [number, row] : grid.rows) {
      if (row.format) row.format = change(*row.format);
    }
  } else if (area.WholeColumns()) {
    // Cells of formatted rows take the row's format until they get their own.
    for (auto& [number, row] : grid.rows) {
      if (!row.format) continue;
      for (std::int32_t column = area.left; column <= area.right; ++column) grid.Obtain({number, column});
    }
    grid.columns.Change(area.left, area.right, {}, [&](model::Column& column) {
      column.format = change(column.format.value_or(grid.sheetFormat));
    });
  } else if (area.WholeRows()) {
    // Cells of formatted columns in rows without a format keep their column's
    // format as their own, since the new row format would come first.
    std::vector<std::int32_t> formattedColumns;
    for (const auto& [first, run] : grid.columns) {
      if (!run.value.format) continue;
      for (std::int32_t number = run.first; number <= run.last; ++number) formattedColumns.push_back(number);
    }
    for (std::int32_t number = area.top; number <= area.bottom; ++number) {
      auto row = grid.rows.find(number);
      if (row != grid.rows.end() && row->second.format) continue;
      for (std::int32_t column : formattedColumns) grid.Obtain({number, column});
    }
    for (std::int32_t number = area.top; number <= area.bottom; ++number) {
      model::Row& row = grid.rows[number];
      row.format = change(row.format.value_or(grid.sheetFormat));
    }
  } else {
    if (area.CellCount() > kMaxCellsPerEdit) throw OutOfMemory();
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      for (std::int32_t column = area.left; column <= area.right; ++column) grid.Obtain({row, column});
    }
  }
  grid.ForEachCell(area, [&](CellAddress, Cell& cell) { cell.format = change(cell.format); });
}

std::int64_t CellCount(const model::Areas& areas) {
  std::int64_t count = 0;
  for (const CellRect& area : areas) count += area.CellCount();
  return count;
}

}  // namespace

void PutValue(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas, const host::Variant& value) {
  if (TouchesLockedCell(workbook, sheet, areas)) throw ProtectedCell();
  RequireWholeArrays(sheet, areas);
  CellEntry entry = ReadEntry(value);
  bool clearing = !entry.formula && entry.constant.IsEmpty();
  if (!clearing && CellCount(areas) > kMaxCellsPerEdit) throw OutOfMemory();
  bool changed = false;
  for (const CellRect& area : areas) {
    DropArraysInside(sheet.grid(), area);
    if (clearing) {
      std::vector<CellAddress> filled;
      sheet.grid().ForEachCell(area, [&](CellAddress address, const Cell&) { filled.push_back(address); });
      for (CellAddress address : filled) changed = ClearContents(sheet.grid(), address) || changed;
      continue;
    }
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      for (std::int32_t column = area.left; column <= area.right; ++column) {
        changed = StoreEntry(workbook, sheet.grid(), {row, column}, entry) || changed;
      }
    }
  }
  if (changed) workbook.cellsChanged = true;
  KeepTableHeaders(workbook, sheet, areas);
}

void ClearAreas(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas) {
  if (ContentsProtected(sheet)) throw MethodFailed("Clear", "Range");
  RequireWholeArrays(sheet, areas);
  for (const CellRect& area : areas) {
    DropArraysInside(sheet.grid(), area);
    sheet.grid().RemoveCellsIf(area, [&](CellAddress, const Cell& cell) {
      if (cell.hasFormula || cell.kind != model::ValueKind::Empty) workbook.cellsChanged = true;
      return true;
    });
    ResetLayerFormats(sheet.grid(), area);
    std::erase_if(sheet.hyperlinks(), [&](const model::Hyperlink& link) { return link.anchor.Intersects(area); });
    DropCommentsInside(sheet, area);
    ClearAreaRules(sheet.areaRules(), area);
  }
  KeepTableHeaders(workbook, sheet, areas);
}

void ChangeFont(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& areas, std::string_view property,
                const std::function<void(model::Font&)>& change) {
  if (ContentsProtected(sheet)) throw PropertyNotSet(property, "Font");
  const std::function<void(model::CellFormat&)> changeFont = [&](model::CellFormat& format) { change(format.font); };
  FormatChange formatChange(workbook.formats, changeFont);
  for (const CellRect& area : areas) ChangeAreaFormat(sheet.grid(), area, formatChange);
}

void ApplyStyle(model::Workbook& workbook, model::Sheet& sheet, const model::CellRect& area, const std::string& style) {
  const model::Font styleFont = workbook.formats.Get(0).font;
  const std::function<void(model::CellFormat&)> applyStyle = [&](model::CellFormat& format) {
    format.style = style;
    format.font = styleFont;
  };
  FormatChange formatChange(workbook.formats, applyStyle);
  ChangeAreaFormat(sheet.grid(), area, formatChange);
}

}  // namespace tabulara::embedded
