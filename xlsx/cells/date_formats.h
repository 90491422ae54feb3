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

// Whether the workbook counts dates from 1904 (workbookPr date1904).
bool UsesDate1904(const pugi::xml_document& workbookXml);

}  // namespace tabulara::xlsx
