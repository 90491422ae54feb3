#pragma once

#include <cstdint>
#include <vector>

#include <pugixml.hpp>

#include "embedded/model/format_table.h"

namespace tabulara::xlsx {

// Whether model formats show dates, worked out once per format.
class DateFormats {
 public:
  explicit DateFormats(const embedded::model::FormatTable& formats) : formats_(formats) {}
  bool IsDate(std::uint32_t format);

 private:
  const embedded::model::FormatTable& formats_;
  std::vector<std::int8_t> known_;
};

class StylesAspect;

// Whether cellXfs entries show dates: what the style sheet holds for each,
// read or derived since (a derived entry is not the model format of its
// number), or the model format of the number without a style sheet.
class EntryDates {
 public:
  EntryDates(const StylesAspect* styles, const embedded::model::FormatTable& formats)
      : styles_(styles), formats_(formats) {}
  bool IsDate(std::uint32_t entry);

 private:
  const StylesAspect* styles_;
  DateFormats formats_;
  // By entry: 1 for a date, 0 for none, -1 not yet known.
  std::vector<std::int8_t> known_;
};

// Whether the workbook counts dates from 1904 (workbookPr date1904).
bool UsesDate1904(const pugi::xml_document& workbookXml);

}  // namespace tabulara::xlsx
