#include "embedded/model/format_table.h"

namespace tabulara::embedded::model {

FormatTable::FormatTable() : FormatTable(CellFormat{}) {}

FormatTable::FormatTable(CellFormat defaults) { Intern(defaults); }

std::uint32_t FormatTable::Intern(const CellFormat& format) {
  if (auto found = ids_.find(format); found != ids_.end()) return found->second;
  auto id = static_cast<std::uint32_t>(formats_.size());
  formats_.push_back(format);
  ids_.emplace(format, id);
  return id;
}

}  // namespace tabulara::embedded::model
