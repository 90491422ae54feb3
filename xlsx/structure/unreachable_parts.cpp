#include "xlsx/structure/unreachable_parts.h"

#include <optional>
#include <vector>

#include "xlsx/package/package_error.h"

namespace tabulara::xlsx {
namespace {

// The stored part a relationship leads to; none for a target outside the
// package or a part that is not there.
std::optional<std::string> TargetPart(WorkbookParts& parts, const std::string& source,
                                      const Relationship& relationship) {
  if (relationship.external) return std::nullopt;
  try {
    return parts.package.Find(ResolveTarget(source, relationship.target));
  } catch (const PackageError&) {
    return std::nullopt;
  }
}

}  // namespace

std::set<std::string> ReachableParts(WorkbookParts& parts) {
  std::set<std::string> reached;
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string source = std::move(pending.back());
    pending.pop_back();
    for (const Relationship& relationship : parts.RelationshipsOf(source).All()) {
      const auto target = TargetPart(parts, source, relationship);
      if (target && reached.insert(*target).second) pending.push_back(*target);
    }
  }
  return reached;
}

void RemovePartWithRelationships(WorkbookParts& parts, const std::string& part) {
  parts.package.Remove(part);
  parts.contentTypes.RemoveOverride(part);
  if (const auto rels = parts.package.Find(RelsPartNameOf(part))) {
    parts.package.Remove(*rels);
    parts.contentTypes.RemoveOverride(*rels);
  }
  parts.relationships.erase(part);
}

void RemoveUnreachableParts(WorkbookParts& parts) {
  std::set<std::string> reachable = ReachableParts(parts);
  for (const std::string& part : parts.reachableWhenRead) {
    if (!reachable.contains(part) && parts.package.Has(part)) RemovePartWithRelationships(parts, part);
  }
  parts.reachableWhenRead = std::move(reachable);
}

}  // namespace tabulara::xlsx
