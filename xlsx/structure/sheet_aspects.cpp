#include "xlsx/structure/sheet_aspects.h"

#include "xlsx/aspects.h"

namespace tabulara::xlsx::structure {

void AttachSheetAspects(SheetPart& sheet) {
  if (sheet.sheet->kind == embedded::model::SheetKind::Worksheet) {
    sheet.aspects.push_back(MakeCellsAspect());
    sheet.aspects.push_back(MakeSheetSettingsAspect());
    sheet.aspects.push_back(MakeDrawingAspect());
    sheet.aspects.push_back(MakeCommentsAspect());
    sheet.aspects.push_back(MakeHyperlinksAspect());
    sheet.aspects.push_back(MakeTablesAspect());
    sheet.aspects.push_back(MakeAreaRulesAspect());
  } else {
    sheet.aspects.push_back(MakeSheetSettingsAspect());
  }
}

}  // namespace tabulara::xlsx::structure
