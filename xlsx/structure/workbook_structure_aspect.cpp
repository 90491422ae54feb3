#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "host/constants.h"
#include "xlsx/aspects.h"
#include "xlsx/package/package_error.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/structure/new_sheet_part.h"
#include "xlsx/structure/renamed_sheet_references.h"
#include "xlsx/structure/sheet_kinds.h"
#include "xlsx/structure/tab_positions.h"
#include "xlsx/structure/xml_names.h"

namespace tabulara::xlsx {
namespace {

using namespace structure;

using embedded::model::Sheet;

int VisibilityOf(std::string_view state) {
  if (state == "hidden") return host::xlSheetHidden;
  if (state == "veryHidden") return host::xlSheetVeryHidden;
  return host::xlSheetVisible;
}

const char* StateOf(int visibility) {
  if (visibility == host::xlSheetHidden) return "hidden";
  if (visibility == host::xlSheetVeryHidden) return "veryHidden";
  return nullptr;
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// The sheets list, active sheet and structure protection of the workbook
// part. It remembers the tab order, names and visibility it last read or
// wrote, and on writing gives new sheets their parts, drops the parts of
// deleted ones and edits the entries and tab positions that changed.
class WorkbookStructureAspect : public WorkbookAspect {
 public:
  void Read(WorkbookParts& parts) override {
    const pugi::xml_node workbook = parts.workbookXml.document_element();
    const pugi::xml_node sheets = ChildNamed(workbook, "sheets");
    std::set<std::string> partNames;
    for (const pugi::xml_node entry : sheets.children()) {
      if (LocalName(entry) != "sheet") continue;
      auto part = ReadSheetEntry(parts, entry);
      if (!partNames.insert(part->partName).second) {
        throw PackageError("the part " + part->partName + " is named by two sheets");
      }
      parts.workbook->sheets.push_back(part->sheet);
      parts.sheets.push_back(std::move(part));
    }
    if (parts.sheets.empty()) throw PackageError("the workbook part " + parts.workbookPart + " lists no sheets");

    const pugi::xml_node view = ChildNamed(ChildNamed(workbook, "bookViews"), "workbookView");
    const auto activeTab = view.attribute("activeTab").as_ullong();
    parts.workbook->activeSheet = parts.workbook->sheets[activeTab < parts.sheets.size() ? activeTab : 0];
    parts.workbook->structureProtected = IsTrue(ChildNamed(workbook, "workbookProtection").attribute("lockStructure"));
    parts.workbook->nextSheetNumber = static_cast<int>(parts.sheets.size()) + 1;
    Remember(*parts.workbook);
  }

  void Write(WorkbookParts& parts) override {
    embedded::model::Workbook& workbook = *parts.workbook;
    const pugi::xml_node root = parts.workbookXml.document_element();
    bool changed = RemoveDeletedSheets(parts);
    changed = AddNewSheets(parts) || changed;
    changed = PutInTabOrder(parts) || changed;

    SheetRenames renames;
    const SheetEntries entries = SheetEntriesOf(parts);
    for (const auto& part : parts.sheets) {
      pugi::xml_node entry = entries.at(part->relationshipId);
      const Sheet& sheet = *part->sheet;
      if (sheet.name != DecodeXstring(entry.attribute("name").value())) {
        if (const Remembered* before = Find(sheet)) renames.Add(before->name, sheet.name);
        entry.attribute("name").set_value(EncodeXstring(sheet.name).c_str());
        changed = true;
      }
      changed = SetState(entry, sheet.visibility) || changed;
    }

    std::vector<std::ptrdiff_t> newPositions;
    for (const Remembered& before : remembered_) newPositions.push_back(workbook.IndexOf(*before.sheet));
    changed = MoveTabPositions(root, newPositions) || changed;
    const auto active = workbook.ActiveSheet();
    const std::ptrdiff_t activeTab = active ? workbook.IndexOf(*active) : -1;
    if (activeTab >= 0) changed = SetActiveTab(root, static_cast<std::size_t>(activeTab)) || changed;
    changed = SetStructureProtection(root, workbook.structureProtected) || changed;

    if (!renames.Empty()) RenameSheetReferencesEverywhere(parts, renames);
    if (changed) parts.workbookXmlChanged = true;
    Remember(workbook);
  }

 private:
  struct Remembered {
    std::shared_ptr<Sheet> sheet;
    std::string name;
  };

  static std::unique_ptr<SheetPart> ReadSheetEntry(WorkbookParts& parts, const pugi::xml_node& entry) {
    const std::string name = DecodeXstring(entry.attribute("name").value());
    if (name.empty()) throw PackageError("a sheet of the workbook part " + parts.workbookPart + " has no name");
    const std::string id = RelationshipIdAttribute(entry).value();
    const Relationship* relationship = parts.RelationshipsOf(parts.workbookPart).Find(id);
    if (relationship == nullptr || relationship->external) {
      throw PackageError("the sheet " + Quoted(name) + " has no relationship \"" + id + "\" in " +
                         RelsPartNameOf(parts.workbookPart));
    }
    const std::string target = ResolveTarget(parts.workbookPart, relationship->target);
    const auto stored = parts.package.Find(target);
    if (!stored) throw PackageError("the part " + target + " of the sheet " + Quoted(name) + " is missing");
    const auto kind = SheetKindOf(relationship->type, parts.contentTypes.Of(*stored));
    if (!kind) throw PackageError("the part " + *stored + " of the sheet " + Quoted(name) + " is no sheet");

    auto part = std::make_unique<SheetPart>();
    part->sheet = std::make_shared<Sheet>();
    part->sheet->kind = *kind;
    part->sheet->name = name;
    part->sheet->visibility = VisibilityOf(entry.attribute("state").value());
    part->partName = *stored;
    part->relationshipId = id;
    return part;
  }

  static bool RemoveDeletedSheets(WorkbookParts& parts) {
    const auto deleted = std::stable_partition(parts.sheets.begin(), parts.sheets.end(), [&](const auto& part) {
      return parts.workbook->IndexOf(*part->sheet) >= 0;
    });
    if (deleted == parts.sheets.end()) return false;
    const SheetEntries entries = SheetEntriesOf(parts);
    for (auto part = deleted; part != parts.sheets.end(); ++part) {
      const pugi::xml_node entry = entries.at((*part)->relationshipId);
      entry.parent().remove_child(entry);
      parts.RelationshipsOf(parts.workbookPart).Remove((*part)->relationshipId);
      parts.contentTypes.RemoveOverride((*part)->partName);
      parts.package.Remove((*part)->partName);
      parts.package.Remove(RelsPartNameOf((*part)->partName));
    }
    parts.sheets.erase(deleted, parts.sheets.end());
    return true;
  }

  static bool AddNewSheets(WorkbookParts& parts) {
    bool added = false;
    std::unordered_set<const Sheet*> known;
    for (const auto& part : parts.sheets) known.insert(part->sheet.get());
    for (const auto& sheet : parts.workbook->sheets) {
      if (known.contains(sheet.get())) continue;
      parts.sheets.push_back(AddSheetPart(parts, sheet));
      added = true;
    }
    return added;
  }

  // Orders the sheet parts and the <sheet> entries as the model's tabs.
  static bool PutInTabOrder(WorkbookParts& parts) {
    std::unordered_map<const Sheet*, std::size_t> tabs;
    for (const auto& sheet : parts.workbook->sheets) tabs.emplace(sheet.get(), tabs.size());
    std::stable_sort(parts.sheets.begin(), parts.sheets.end(), [&](const auto& left, const auto& right) {
      return tabs.at(left->sheet.get()) < tabs.at(right->sheet.get());
    });
    pugi::xml_node sheets = ChildNamed(parts.workbookXml.document_element(), "sheets");
    std::vector<pugi::xml_node> current;
    for (const pugi::xml_node entry : sheets.children()) {
      if (LocalName(entry) == "sheet") current.push_back(entry);
    }
    const SheetEntries entries = SheetEntriesOf(parts);
    std::vector<pugi::xml_node> wanted;
    for (const auto& part : parts.sheets) wanted.push_back(entries.at(part->relationshipId));
    if (current == wanted) return false;
    for (const pugi::xml_node entry : wanted) sheets.append_move(entry);
    return true;
  }

  static bool SetState(pugi::xml_node entry, int visibility) {
    const char* state = StateOf(visibility);
    pugi::xml_attribute attribute = entry.attribute("state");
    if (state == nullptr) {
      if (!attribute || std::string_view(attribute.value()) == "visible") return false;
      entry.remove_attribute(attribute);
      return true;
    }
    if (std::string_view(attribute.value()) == state) return false;
    if (!attribute) attribute = entry.append_attribute("state");
    attribute.set_value(state);
    return true;
  }

  static bool SetStructureProtection(pugi::xml_node workbook, bool locked) {
    pugi::xml_node protection = ChildNamed(workbook, "workbookProtection");
    if (IsTrue(protection.attribute("lockStructure")) == locked) return false;
    if (!locked) return protection.remove_attribute("lockStructure");
    if (!protection) {
      pugi::xml_node before = ChildNamed(workbook, "bookViews");
      if (!before) before = ChildNamed(workbook, "sheets");
      const std::string prefix = PrefixOf(workbook);
      const std::string name = prefix.empty() ? "workbookProtection" : std::string(prefix) + ":workbookProtection";
      protection = workbook.insert_child_before(name.c_str(), before);
    }
    pugi::xml_attribute attribute = protection.attribute("lockStructure");
    if (!attribute) attribute = protection.append_attribute("lockStructure");
    attribute.set_value("1");
    return true;
  }

  const Remembered* Find(const Sheet& sheet) const {
    const auto found = rememberedIndex_.find(&sheet);
    return found == rememberedIndex_.end() ? nullptr : &remembered_[found->second];
  }

  void Remember(const embedded::model::Workbook& workbook) {
    remembered_.clear();
    rememberedIndex_.clear();
    for (const auto& sheet : workbook.sheets) {
      rememberedIndex_.emplace(sheet.get(), remembered_.size());
      remembered_.push_back({sheet, sheet->name});
    }
  }

  std::vector<Remembered> remembered_;
  std::unordered_map<const Sheet*, std::size_t> rememberedIndex_;
};

}  // namespace

std::unique_ptr<WorkbookAspect> MakeWorkbookStructureAspect() { return std::make_unique<WorkbookStructureAspect>(); }

}  // namespace tabulara::xlsx
