#include "xlsx/drawing/drawing_part.h"

#include "xlsx/drawing/worksheet_order.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

inline constexpr const char* kNamespaceSpreadsheetDrawing =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kNamespaceDrawingMain = "http://schemas.openxmlformats.org/drawingml/2006/main";

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
  RemovePartWithRelationships(parts, drawing.partName);
  parts.RelationshipsOf(sheet.partName).Remove(drawing.relationshipId);
  RemoveWorksheetChild(sheet.xml.document_element(), "drawing");
  sheet.xmlChanged = true;
}

}  // namespace tabulara::xlsx
