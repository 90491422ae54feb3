#include "xlsx/structure/tab_positions.h"

#include <string>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx::structure {
namespace {

// The old position held in `attribute` moved to its new one; false when it
// names a deleted sheet.
bool MovePosition(pugi::xml_attribute attribute, const std::vector<std::ptrdiff_t>& newPositions, bool& changed) {
  const auto old = attribute.as_ullong();
  if (old >= newPositions.size()) return true;
  if (newPositions[old] < 0) return false;
  if (static_cast<unsigned long long>(newPositions[old]) != old) {
    attribute.set_value(static_cast<unsigned long long>(newPositions[old]));
    changed = true;
  }
  return true;
}

std::string Qualified(const pugi::xml_node& like, const char* name) {
  const std::string prefix = PrefixOf(like);
  return prefix.empty() ? std::string(name) : std::string(prefix) + ":" + name;
}

// The host scrolls the tab bar so that the active tab shows: the first tab
// shown is at most the active one.
bool KeepTabInSight(pugi::xml_node view, std::size_t position) {
  pugi::xml_attribute first = view.attribute("firstSheet");
  if (first.as_ullong() <= position) return false;
  first.set_value(static_cast<unsigned long long>(position));
  return true;
}

}  // namespace

bool MoveTabPositions(pugi::xml_node workbook, const std::vector<std::ptrdiff_t>& newPositions) {
  bool changed = false;
  for (pugi::xml_node view : ChildNamed(workbook, "bookViews").children()) {
    const pugi::xml_attribute first = view.attribute("firstSheet");
    if (first && !MovePosition(first, newPositions, changed)) {
      view.remove_attribute(first);
      changed = true;
    }
  }
  pugi::xml_node definedNames = ChildNamed(workbook, "definedNames");
  for (pugi::xml_node name = definedNames.first_child(); name;) {
    const pugi::xml_node next = name.next_sibling();
    const pugi::xml_attribute scope = name.attribute("localSheetId");
    if (scope && !MovePosition(scope, newPositions, changed)) {
      definedNames.remove_child(name);
      changed = true;
    }
    name = next;
  }
  if (definedNames && !ChildNamed(definedNames, "definedName")) {
    workbook.remove_child(definedNames);
    changed = true;
  }
  return changed;
}

bool SetActiveTab(pugi::xml_node workbook, std::size_t position) {
  pugi::xml_node views = ChildNamed(workbook, "bookViews");
  if (!views) {
    if (position == 0) return false;
    views = workbook.insert_child_before(Qualified(workbook, "bookViews").c_str(), ChildNamed(workbook, "sheets"));
  }
  if (!ChildNamed(views, "workbookView")) views.append_child(Qualified(workbook, "workbookView").c_str());
  bool changed = false;
  for (pugi::xml_node view : views.children()) {
    if (LocalName(view) != "workbookView") continue;
    changed = KeepTabInSight(view, position) || changed;
    pugi::xml_attribute active = view.attribute("activeTab");
    if (active.as_ullong() == position) continue;
    if (!active) active = view.append_attribute("activeTab");
    active.set_value(static_cast<unsigned long long>(position));
    changed = true;
  }
  return changed;
}

}  // namespace tabulara::xlsx::structure
