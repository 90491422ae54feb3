#include <optional>
#include <string>

#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/settings/tab_selection.h"
#include "xlsx/structure/sheet_aspects.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/structure/workbook_aspect_order.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

// Enough of a sheet part to reach its first sheet view.
constexpr std::size_t kViewsPrefix = 1 << 13;

// A sheet not read keeps its part as it is, unless the active sheet changed
// and the tab selection moves into or out of it: then only its sheet view is
// edited, or, where it has none, the sheet is read and its settings write it.
void MoveTabSelectionInSheetsNotRead(WorkbookParts& parts) {
  const auto active = parts.workbook->ActiveSheet();
  const auto before = parts.activeSheetInFile.lock();
  if (active == before) return;
  for (const auto& sheet : parts.sheets) {
    if (!sheet->sheet->ContentPending()) continue;
    const bool selected = sheet->sheet == active;
    if (!selected && sheet->sheet != before) {
      const std::string prefix = parts.package.ReadPrefix(sheet->partName, kViewsPrefix);
      if (TabSelectedIn(prefix, prefix.size() < kViewsPrefix) == false) continue;
    }
    const std::string text = parts.package.Take(sheet->partName);
    std::optional<std::string> edited = WithTabSelected(text, selected);
    if (!edited) {
      sheet->sheet->LoadContent();
    } else if (*edited != text) {
      parts.package.Write(sheet->partName, std::move(*edited));
    }
  }
}

}  // namespace

void WriteWorkbookParts(WorkbookParts& parts) {
  parts.aspects[structure::kStructureSlot]->Write(parts);
  MoveTabSelectionInSheetsNotRead(parts);
  for (const auto& sheet : parts.sheets) {
    // A sheet whose content was never read is as its part has it.
    if (!sheet->sheet->ContentLoaded()) continue;
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
    if (sheet->xmlChanged) parts.package.Write(sheet->partName, JoinWorksheetXml(sheet->xml, sheet->sheetRows));
  }
  for (const auto& [part, relationships] : parts.relationships) {
    if (relationships.Changed()) parts.package.Write(RelsPartNameOf(part), relationships.Serialize());
  }
  if (parts.contentTypes.Changed()) parts.package.Write("[Content_Types].xml", parts.contentTypes.Serialize());
  parts.activeSheetInFile = parts.workbook->activeSheet;
}

}  // namespace tabulara::xlsx
