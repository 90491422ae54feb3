#include "xlsx/cells/date_formats.h"

#include <string_view>

#include "embedded/rules/number_formats.h"
#include "xlsx/styles/styles_aspect.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {

bool DateFormats::IsDate(std::uint32_t format) {
  if (format >= formats_.size()) return false;
  if (known_.size() < formats_.size()) known_.resize(formats_.size(), -1);
  if (known_[format] < 0) known_[format] = embedded::IsDateFormat(formats_.Get(format).numberFormat) ? 1 : 0;
  return known_[format] == 1;
}

bool EntryDates::IsDate(std::uint32_t entry) {
  if (styles_ == nullptr) return formats_.IsDate(entry);
  // An entry not there yet may be derived later: it is not known till then.
  const embedded::model::CellFormat* format = styles_->EntryFormat(entry);
  if (format == nullptr) return false;
  if (entry >= known_.size()) known_.resize(std::size_t{entry} + 1, -1);
  if (known_[entry] < 0) known_[entry] = embedded::IsDateFormat(format->numberFormat) ? 1 : 0;
  return known_[entry] == 1;
}

bool UsesDate1904(const pugi::xml_document& workbookXml) {
  const std::string_view value = ChildNamed(workbookXml.document_element(), "workbookPr").attribute("date1904").value();
  return value == "1" || value == "true";
}

}  // namespace tabulara::xlsx
