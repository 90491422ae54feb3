#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/structure/sheet_aspects.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/structure/workbook_aspect_order.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

void WriteWorkbookParts(WorkbookParts& parts) {
  parts.aspects[structure::kStructureSlot]->Write(parts);
  for (const auto& sheet : parts.sheets) {
    // A sheet that is new in the model gets its aspects here; they write it
    // from the model without having read anything.
    if (sheet->aspects.empty()) structure::AttachSheetAspects(*sheet);
    for (const auto& aspect : sheet->aspects) {
      if (aspect->Write(parts, *sheet)) sheet->xmlChanged = true;
    }
  }
  for (const auto slot : {structure::kSharedStringsSlot, structure::kStylesSlot, structure::kCalculationSlot}) parts.aspects[slot]->Write(parts);

  RemoveUnreachableParts(parts);

  if (parts.workbookXmlChanged) parts.package.Write(parts.workbookPart, SerializeXmlPart(parts.workbookXml));
  for (const auto& sheet : parts.sheets) {
    if (sheet->xmlChanged) parts.package.Write(sheet->partName, JoinWorksheetXml(sheet->xml, sheet->sheetRows.text));
  }
  for (const auto& [part, relationships] : parts.relationships) {
    if (relationships.Changed()) parts.package.Write(RelsPartNameOf(part), relationships.Serialize());
  }
  if (parts.contentTypes.Changed()) parts.package.Write("[Content_Types].xml", parts.contentTypes.Serialize());
}

}  // namespace tabulara::xlsx
