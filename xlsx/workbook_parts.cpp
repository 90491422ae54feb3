#include "xlsx/workbook_parts.h"

#include <stdexcept>

namespace tabulara::xlsx {

SheetPart::~SheetPart() {
  if (!sheet || sheet->ContentLoaded()) return;
  sheet->LoadContentLater([name = sheet->name](embedded::model::Sheet&) {
    throw std::runtime_error("the sheet " + name + " is no longer in an open workbook");
  }, false);
}

Relationships& WorkbookParts::RelationshipsOf(const std::string& partName) {
  auto found = relationships.find(partName);
  if (found != relationships.end()) return found->second;
  const std::string relsPart = RelsPartNameOf(partName);
  const auto stored = package.Find(relsPart);
  Relationships read = stored ? Relationships(package.Read(*stored), *stored) : Relationships();
  return relationships.emplace(partName, std::move(read)).first->second;
}

}  // namespace tabulara::xlsx
