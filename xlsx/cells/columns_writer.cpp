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

bool SameColumn(const Column& a, const Column& b) {
  return a.width == b.width && a.hidden == b.hidden && a.format == b.format;
}

bool SameColumns(const Grid& a, const Grid& b) {
  return a.sheetFormat == b.sheetFormat &&
         std::equal(a.columns.begin(), a.columns.end(), b.columns.begin(), b.columns.end(),
                    [](const auto& x, const auto& y) { return x.first == y.first && SameColumn(x.second, y.second); });
}

// A <col> of the part as read, for the attributes the model does not hold.
struct Source {
  std::int32_t first;
  std::int32_t last;
  pugi::xml_node node;
};

// What one <col> writes for each of its columns.
struct ColumnSettings {
  std::optional<double> width;
  bool hidden = false;
  std::uint32_t style = 0;
  const Source* source = nullptr;
  friend bool operator==(const ColumnSettings&, const ColumnSettings&) = default;
};

struct Range {
  std::int32_t first;
  std::int32_t last;
  ColumnSettings settings;
};

void SetAttribute(pugi::xml_node node, const char* name, const std::string& value) {
  pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) attribute = node.append_attribute(name);
  attribute.set_value(value.c_str());
}

}  // namespace

bool CellsAspect::WriteSheetFormat(pugi::xml_node worksheet, const Grid& grid) {
  if (grid.defaultRowHeight == snapshot_.defaultRowHeight && grid.defaultColumnWidth == snapshot_.defaultColumnWidth) {
    return false;
  }
  pugi::xml_node format = ObtainWorksheetChild(worksheet, "sheetFormatPr");
  if (grid.defaultColumnWidth != snapshot_.defaultColumnWidth) {
    SetAttribute(format, "defaultColWidth", CellNumberText(grid.defaultColumnWidth));
  }
  SetAttribute(format, "defaultRowHeight", CellNumberText(grid.defaultRowHeight));
  if (grid.defaultRowHeight != snapshot_.defaultRowHeight) SetAttribute(format, "customHeight", "1");
  return true;
}

bool CellsAspect::WriteColumns(pugi::xml_node worksheet, const Grid& grid, WriteContext& context) {
  if (SameColumns(grid, snapshot_)) return false;
  std::vector<pugi::xml_node> lists;
  std::vector<Source> sources;
  for (const pugi::xml_node cols : worksheet.children()) {
    if (!IsNamed(cols, "cols")) continue;
    lists.push_back(cols);
    for (const pugi::xml_node col : cols.children()) {
      if (!IsNamed(col, "col")) continue;
      const std::int32_t first = col.attribute("min").as_int();
      sources.push_back(Source{first, col.attribute("max").as_int(first), col});
    }
  }
  const auto sourceOf = [&](std::int32_t column) -> const Source* {
    for (const Source& source : sources) {
      if (source.first <= column && column <= source.last) return &source;
    }
    return nullptr;
  };

  const std::uint32_t sheetStyle = context.FileFormat(grid.sheetFormat);
  std::vector<Range> ranges;
  const auto add = [&](std::int32_t number, const ColumnSettings& settings) {
    if (!settings.width && !settings.hidden && settings.style == 0 && settings.source == nullptr) return;
    if (!ranges.empty() && ranges.back().last == number - 1 && ranges.back().settings == settings) {
      ranges.back().last = number;
    } else {
      ranges.push_back(Range{number, number, settings});
    }
  };
  const auto specOf = [&](std::int32_t number, const Column* column) {
    ColumnSettings settings;
    settings.source = sourceOf(number);
    settings.style = sheetStyle;
    if (column != nullptr) {
      settings.width = column->width;
      settings.hidden = column->hidden;
      if (column->format) settings.style = context.FileFormat(*column->format);
    }
    return settings;
  };
  if (sheetStyle == 0) {
    for (const auto& [number, column] : grid.columns) add(number, specOf(number, &column));
  } else {
    auto column = grid.columns.begin();
    for (std::int32_t number = 1; number <= embedded::model::kColumnCount; ++number) {
      const bool listed = column != grid.columns.end() && column->first == number;
      add(number, specOf(number, listed ? &column->second : nullptr));
      if (listed) ++column;
    }
  }

  pugi::xml_document scratch;
  const std::string colName = lists.empty() ? NameLike(worksheet, "col") : NameLike(lists.front(), "col");
  for (const Range& range : ranges) {
    const ColumnSettings& settings = range.settings;
    pugi::xml_node col = settings.source != nullptr ? scratch.append_copy(settings.source->node)
                                                : scratch.append_child(colName.c_str());
    SetAttribute(col, "min", std::to_string(range.first));
    SetAttribute(col, "max", std::to_string(range.last));
    const double width = settings.width.value_or(grid.defaultColumnWidth);
    const bool widthChanged = settings.source == nullptr || !col.attribute("width") || col.attribute("width").as_double() != width;
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
