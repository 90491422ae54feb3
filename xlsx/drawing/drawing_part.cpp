#include "xlsx/drawing/drawing_part.h"

#include <string_view>

#include "xlsx/drawing/worksheet_order.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

inline constexpr const char* kNamespaceSpreadsheetDrawing =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kNamespaceDrawingMain = "http://schemas.openxmlformats.org/drawingml/2006/main";

// Chart and diagram parts belong to the drawing that shows them.
bool OwnedByDrawing(const Relationship& relationship) {
  std::string_view type = relationship.type;
  return !relationship.external && (type.ends_with("/chart") || type.find("/diagram") != std::string_view::npos);
}

// The part whose relationships a .rels part holds.
std::string SourceOfRels(const std::string& relsPart) {
  auto slash = relsPart.rfind("_rels/");
  std::string folder = relsPart.substr(0, slash);
  std::string file = relsPart.substr(slash + 6);
  return folder + file.substr(0, file.size() - 5);
}

bool TargetedElsewhere(WorkbookParts& parts, const std::string& target, const std::string& except) {
  for (const std::string& name : parts.package.PartNames()) {
    if (!name.ends_with(".rels") || name == RelsPartNameOf(except)) continue;
    std::string source = SourceOfRels(name);
    for (const Relationship& relationship : parts.RelationshipsOf(source).All()) {
      if (!relationship.external && ResolveTarget(source, relationship.target) == target) return true;
    }
  }
  return false;
}

void RemovePartWithRels(WorkbookParts& parts, const std::string& partName) {
  parts.package.Remove(partName);
  parts.contentTypes.RemoveOverride("/" + partName);
  std::string rels = RelsPartNameOf(partName);
  if (parts.package.Has(rels)) parts.package.Remove(rels);
  parts.relationships.erase(partName);
}

}  // namespace

DrawingPartRef FindDrawingPart(WorkbookParts& parts, SheetPart& sheet) {
  pugi::xml_node element = ChildNamed(sheet.xml.document_element(), "drawing");
  pugi::xml_attribute id = AttributeNamed(element, "id");
  if (!id) return {};
  const Relationship* relationship = parts.RelationshipsOf(sheet.partName).Find(id.value());
  if (relationship == nullptr || relationship->external) return {};
  std::string partName = ResolveTarget(sheet.partName, relationship->target);
  if (!parts.package.Has(partName)) return {};
  return {*parts.package.Find(partName), id.value()};
}

DrawingPartRef CreateDrawingPart(WorkbookParts& parts, SheetPart& sheet) {
  DrawingPartRef drawing;
  for (int number = 1; drawing.partName.empty(); ++number) {
    std::string candidate = "xl/drawings/drawing" + std::to_string(number) + ".xml";
    if (!parts.package.Has(candidate)) drawing.partName = candidate;
  }
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("xdr:wsDr");
  root.append_attribute("xmlns:xdr") = kNamespaceSpreadsheetDrawing;
  root.append_attribute("xmlns:a") = kNamespaceDrawingMain;
  parts.package.Write(drawing.partName, SerializeXmlPart(document));
  parts.contentTypes.Override("/" + drawing.partName, kContentTypeDrawing);
  drawing.relationshipId = parts.RelationshipsOf(sheet.partName)
                               .Add(kRelDrawing, RelativeTarget(sheet.partName, drawing.partName));
  pugi::xml_node worksheet = sheet.xml.document_element();
  pugi::xml_node element = InsertWorksheetChild(worksheet, "drawing");
  element.append_attribute((RelationshipPrefix(worksheet) + ":id").c_str()) = drawing.relationshipId.c_str();
  sheet.xmlChanged = true;
  return drawing;
}

void RemoveDrawingPart(WorkbookParts& parts, SheetPart& sheet, const DrawingPartRef& drawing) {
  for (const Relationship& relationship : parts.RelationshipsOf(drawing.partName).All()) {
    if (!OwnedByDrawing(relationship)) continue;
    std::string target = ResolveTarget(drawing.partName, relationship.target);
    if (parts.package.Has(target) && !TargetedElsewhere(parts, target, drawing.partName)) {
      RemovePartWithRels(parts, target);
    }
  }
  RemovePartWithRels(parts, drawing.partName);
  parts.RelationshipsOf(sheet.partName).Remove(drawing.relationshipId);
  RemoveWorksheetChild(sheet.xml.document_element(), "drawing");
  sheet.xmlChanged = true;
}

}  // namespace tabulara::xlsx
