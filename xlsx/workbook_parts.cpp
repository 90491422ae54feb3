#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

Relationships& WorkbookParts::RelationshipsOf(const std::string& partName) {
  auto found = relationships.find(partName);
  if (found != relationships.end()) return found->second;
  const std::string relsPart = RelsPartNameOf(partName);
  const auto stored = package.Find(relsPart);
  Relationships read = stored ? Relationships(package.Read(*stored), *stored) : Relationships();
  return relationships.emplace(partName, std::move(read)).first->second;
}

}  // namespace tabulara::xlsx
