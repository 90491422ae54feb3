#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "embedded/model/workbook.h"
#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/date_formats.h"
#include "xlsx/strings/shared_strings_aspect.h"
#include "xlsx/styles/styles_aspect.h"

namespace tabulara::xlsx {

struct CellsAspect::WriteContext {
  WriteContext(const embedded::model::Workbook& workbook, StylesAspect* styles, SharedStringsAspect* strings)
      : workbook(workbook), styles(styles), strings(strings), dates(workbook.formats), entryDates(styles, workbook.formats) {}

  // The cellXfs entry that writes a model format.
  std::uint32_t FileFormat(std::uint32_t format) {
    return styles != nullptr ? styles->FileFormatOf(workbook.formats, format) : format;
  }
  // The s attribute that writes a model format, kept here; empty for the
  // first cellXfs entry, which needs none.
  std::string_view FormatAttribute(std::uint32_t format) {
    // Neighbouring cells mostly share a format: the last one is asked first.
    if (lastFormatAttribute_ != nullptr && lastFormatAttribute_->first == format) return lastFormatAttribute_->second;
    const auto [entry, added] = formatAttributes_.try_emplace(format);
    if (added) {
      const std::uint32_t file = FileFormat(format);
      if (file != 0) entry->second = std::to_string(file);
    }
    lastFormatAttribute_ = &*entry;
    return entry->second;
  }
  // The array formula range whose top-left cell is `cell`, or null.
  const embedded::model::CellRect* ArrayStartingAt(const embedded::model::Grid& grid,
                                                   embedded::model::CellAddress cell);
  bool InChangedArray(embedded::model::CellAddress cell) const;
  bool Forced(embedded::model::CellAddress cell) const {
    return !forced.empty() && forced.count(embedded::model::Grid::FormulaKey(cell)) != 0;
  }

  const embedded::model::Workbook& workbook;
  StylesAspect* styles;
  SharedStringsAspect* strings;
  DateFormats dates;
  EntryDates entryDates;
  // Arrays added or removed since the last read or write.
  std::vector<embedded::model::CellRect> changedArrays;
  // Shared-formula members to write with their own formula, their master
  // having changed.
  std::unordered_set<std::uint64_t> forced;
  std::vector<std::uint32_t> changedMasters;
  // The grid's rows' digests.
  std::vector<RowDigest> rowDigests;
  // The rows the write rewrote, ascending.
  std::vector<std::int32_t> writtenRows;
  // Formula keys of the cells whose formula element was rewritten, in the
  // order written.
  std::vector<std::uint64_t> rewrittenFormulas;

 private:
  bool arraysIndexed_ = false;
  std::unordered_map<std::uint64_t, std::uint32_t> arrayCorners_;
  std::unordered_map<std::uint32_t, std::string> formatAttributes_;
  const std::pair<const std::uint32_t, std::string>* lastFormatAttribute_ = nullptr;
};

}  // namespace tabulara::xlsx
