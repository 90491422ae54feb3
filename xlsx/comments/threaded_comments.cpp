#include "xlsx/comments/threaded_comments.h"

#include <string>
#include <vector>

#include "embedded/rules/reference_text.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

using namespace markup;

namespace {

inline constexpr const char* kRelThreadedComment =
    "http://schemas.microsoft.com/office/2017/10/relationships/threadedComment";

bool OfCells(const pugi::xml_node& thread, const std::set<embedded::model::CellAddress>& cells) {
  auto ref = embedded::ParseReference(AttributeNamed(thread, "ref").value());
  return ref && ref->size() == 1 && cells.contains(ref->front().TopLeft());
}

}  // namespace

void RemoveThreads(WorkbookParts& parts, SheetPart& sheet, const std::set<embedded::model::CellAddress>& cells) {
  if (cells.empty()) return;
  Relationships& relationships = parts.RelationshipsOf(sheet.partName);
  std::vector<std::string> emptied;
  for (const Relationship* relationship : relationships.OfType(kRelThreadedComment)) {
    if (relationship->external) continue;
    std::string name = ResolveTarget(sheet.partName, relationship->target);
    if (!parts.package.Has(name)) continue;
    name = *parts.package.Find(name);
    pugi::xml_document threads = ParseXmlPart(parts.package.Read(name), name);
    pugi::xml_node root = threads.document_element();
    bool changed = false;
    bool left = false;
    for (pugi::xml_node thread = root.first_child(); thread;) {
      pugi::xml_node next = thread.next_sibling();
      if (LocalName(thread) == "threadedComment") {
        if (OfCells(thread, cells)) {
          root.remove_child(thread);
          changed = true;
        } else {
          left = true;
        }
      }
      thread = next;
    }
    if (!changed) continue;
    if (left) {
      parts.package.Write(name, SerializeXmlPart(threads));
      continue;
    }
    parts.package.Remove(name);
    parts.contentTypes.RemoveOverride("/" + name);
    emptied.push_back(relationship->id);
  }
  for (const std::string& id : emptied) relationships.Remove(id);
}

}  // namespace tabulara::xlsx
