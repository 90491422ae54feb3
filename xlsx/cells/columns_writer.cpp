#include <algorithm>
#include <optional>
#include <vector>

#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/cells/worksheet_children.h"
#include "xlsx/cells/write_context.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Column;
using embedded::model::Grid;
using embedded::model::kColumnCount;

// What one <col> writes for each of its columns; `source` is the <col> of
// the part as read, for the attributes the model does not hold.
struct ColumnSettings {
  std::optional<double> width;
  bool hidden = false;
  std::uint32_t style = 0;
  pugi::xml_node source;
  friend bool operator==(const ColumnSettings&, const ColumnSettings&) = default;
};

struct Range {
  std::int32_t first;
  std::int32_t last;
  ColumnSettings settings;
};

}  // namespace

bool CellsAspect::WriteSheetFormat(pugi::xml_node worksheet, const Grid& grid) {
  if (grid.defaultRowHeight == layout_.defaultRowHeight && grid.defaultColumnWidth == layout_.defaultColumnWidth) {
    return false;
  }
  pugi::xml_node format = ObtainWorksheetChild(worksheet, "sheetFormatPr");
  if (grid.defaultColumnWidth != layout_.defaultColumnWidth) {
    SetAttribute(format, "defaultColWidth", CellNumberText(grid.defaultColumnWidth));
  }
  SetAttribute(format, "defaultRowHeight", CellNumberText(grid.defaultRowHeight));
  if (grid.defaultRowHeight != layout_.defaultRowHeight) SetAttribute(format, "customHeight", "1");
  return true;
}

bool CellsAspect::WriteColumns(pugi::xml_node worksheet, const Grid& grid, WriteContext& context) {
  if (grid.sheetFormat == layout_.sheetFormat && grid.columns == layout_.columns) return false;
  std::vector<pugi::xml_node> lists;
  std::vector<pugi::xml_node> read;
  for (const pugi::xml_node list : worksheet.children()) {
    if (!IsNamed(list, "cols")) continue;
    lists.push_back(list);
    for (const pugi::xml_node col : list.children()) {
      if (IsNamed(col, "col")) read.push_back(col);
    }
  }
  // The <col> each column was read from: the first that names it.
  embedded::model::ColumnRuns<std::size_t> sources;
  for (std::size_t i = read.size(); i-- > 0;) {
    const std::int32_t first = read[i].attribute("min").as_int();
    sources.Assign(std::max(1, first), std::min(kColumnCount, read[i].attribute("max").as_int(first)), i);
  }

  // Every column between two neighbouring bounds writes the same.
  const std::uint32_t sheetStyle = context.FileFormat(grid.sheetFormat);
  std::vector<std::int32_t> bounds;
  for (const auto& [first, run] : grid.columns) bounds.insert(bounds.end(), {run.first, run.last + 1});
  for (const auto& [first, run] : sources) bounds.insert(bounds.end(), {run.first, run.last + 1});
  if (sheetStyle != 0) bounds.insert(bounds.end(), {1, kColumnCount + 1});
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

  std::vector<Range> ranges;
  for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
    const std::int32_t first = bounds[i];
    const std::int32_t last = bounds[i + 1] - 1;
    const Column* column = grid.columns.Find(first);
    if (column == nullptr && sheetStyle == 0) continue;
    ColumnSettings settings;
    if (const std::size_t* source = sources.Find(first)) settings.source = read[*source];
    settings.style = sheetStyle;
    if (column != nullptr) {
      settings.width = column->width;
      settings.hidden = column->hidden;
      if (column->format) settings.style = context.FileFormat(*column->format);
    }
    if (!settings.width && !settings.hidden && settings.style == 0 && !settings.source) continue;
    if (!ranges.empty() && ranges.back().last == first - 1 && ranges.back().settings == settings) {
      ranges.back().last = last;
    } else {
      ranges.push_back(Range{first, last, settings});
    }
  }

  pugi::xml_document scratch;
  const std::string colName = lists.empty() ? NameLike(worksheet, "col") : NameLike(lists.front(), "col");
  for (const Range& range : ranges) {
    const ColumnSettings& settings = range.settings;
    pugi::xml_node col = settings.source ? scratch.append_copy(settings.source) : scratch.append_child(colName.c_str());
    SetAttribute(col, "min", std::to_string(range.first));
    SetAttribute(col, "max", std::to_string(range.last));
    const double width = settings.width.value_or(grid.defaultColumnWidth);
    const bool widthChanged = !settings.source || !col.attribute("width") || col.attribute("width").as_double() != width;
    SetAttribute(col, "width", CellNumberText(width));
    if (!settings.width) {
      col.remove_attribute("customWidth");
    } else if (widthChanged) {
      SetAttribute(col, "customWidth", "1");
    }
    col.remove_attribute("style");
    if (settings.style != 0) SetAttribute(col, "style", std::to_string(settings.style));
    col.remove_attribute("hidden");
    if (settings.hidden) SetAttribute(col, "hidden", "1");
  }

  for (std::size_t i = 1; i < lists.size(); ++i) worksheet.remove_child(lists[i]);
  if (ranges.empty()) {
    if (!lists.empty()) worksheet.remove_child(lists.front());
    return true;
  }
  pugi::xml_node cols = lists.empty() ? ObtainWorksheetChild(worksheet, "cols") : lists.front();
  while (pugi::xml_node child = cols.first_child()) cols.remove_child(child);
  for (const pugi::xml_node col : scratch.children()) cols.append_copy(col);
  return true;
}

}  // namespace tabulara::xlsx
