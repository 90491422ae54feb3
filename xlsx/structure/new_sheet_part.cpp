#include "xlsx/structure/new_sheet_part.h"

#include <algorithm>
#include <string>

#include "xlsx/strings/xstring.h"
#include "xlsx/structure/sheet_kinds.h"
#include "xlsx/structure/xml_names.h"

namespace tabulara::xlsx::structure {
namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationshipsNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string Qualified(std::string_view prefix, const char* name) {
  return prefix.empty() ? std::string(name) : std::string(prefix) + ":" + name;
}

// The prefix the workbook part binds to the relationships namespace,
// declared on its root as "r" when it has none.
std::string RelationshipsPrefix(pugi::xml_node root) {
  for (const pugi::xml_attribute attribute : root.attributes()) {
    const std::string_view name = attribute.name();
    if (name.starts_with("xmlns:") && std::string_view(attribute.value()) == kRelationshipsNamespace) {
      return std::string(name.substr(6));
    }
  }
  std::string prefix = "r";
  while (root.attribute(("xmlns:" + prefix).c_str())) prefix += "r";
  root.append_attribute(("xmlns:" + prefix).c_str()) = kRelationshipsNamespace;
  return prefix;
}

std::string FreePartName(const WorkbookParts& parts, const char* folderAndStem) {
  for (int number = 1;; ++number) {
    std::string name = folderAndStem + std::to_string(number) + ".xml";
    const bool taken = parts.package.Has(name) || std::any_of(parts.sheets.begin(), parts.sheets.end(),
                                                              [&](const auto& sheet) { return sheet->partName == name; });
    if (!taken) return name;
  }
}

unsigned NextSheetId(pugi::xml_node sheets) {
  unsigned highest = 0;
  for (const pugi::xml_node entry : sheets.children()) {
    if (LocalName(entry) == "sheet") highest = std::max(highest, entry.attribute("sheetId").as_uint());
  }
  return highest + 1;
}

void FillNewSheetXml(pugi::xml_document& xml, const SheetPartKind& kind) {
  pugi::xml_node root = xml.append_child(kind.rootElement);
  root.append_attribute("xmlns") = kMainNamespace;
  root.append_attribute("xmlns:r") = kRelationshipsNamespace;
  root.append_child("sheetViews").append_child("sheetView").append_attribute("workbookViewId") = 0;
  if (std::string_view(kind.rootElement) == "worksheet") root.append_child("sheetData");
}

}  // namespace

std::unique_ptr<SheetPart> AddSheetPart(WorkbookParts& parts, std::shared_ptr<embedded::model::Sheet> sheet) {
  const SheetPartKind kind = PartKindOf(sheet->kind);
  auto part = std::make_unique<SheetPart>();
  part->partName = FreePartName(parts, kind.folderAndStem);
  part->relationshipId =
      parts.RelationshipsOf(parts.workbookPart).Add(kind.relationshipType, RelativeTarget(parts.workbookPart, part->partName));
  parts.contentTypes.Override(part->partName, kind.contentType);

  pugi::xml_node root = parts.workbookXml.document_element();
  pugi::xml_node sheets = ChildNamed(root, "sheets");
  pugi::xml_node entry = sheets.append_child(Qualified(PrefixOf(sheets), "sheet").c_str());
  entry.append_attribute("name") = EncodeXstring(sheet->name).c_str();
  entry.append_attribute("sheetId") = NextSheetId(sheets);
  entry.append_attribute(Qualified(RelationshipsPrefix(root), "id").c_str()) = part->relationshipId.c_str();

  FillNewSheetXml(part->xml, kind);
  part->xmlChanged = true;
  part->sheet = std::move(sheet);
  return part;
}

SheetEntries SheetEntriesOf(const WorkbookParts& parts) {
  SheetEntries entries;
  for (const pugi::xml_node entry : ChildNamed(parts.workbookXml.document_element(), "sheets").children()) {
    if (LocalName(entry) == "sheet") entries.emplace(RelationshipIdAttribute(entry).value(), entry);
  }
  return entries;
}

}  // namespace tabulara::xlsx::structure
