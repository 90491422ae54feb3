#pragma once

#include <memory>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// The aspects of a workbook file. Reading runs: workbook structure, styles,
// shared strings, then every sheet's aspects in the order below, then
// calculation. Writing runs: workbook structure (which gives new model
// sheets their parts), every sheet's aspects, shared strings, styles,
// calculation; then changed XML, relationships and content types are
// written with the package.

// xl/workbook.xml: the sheets (names, tab order, visibility, kinds), the
// active sheet, structure protection, defined names.
std::unique_ptr<WorkbookAspect> MakeWorkbookStructureAspect();
// xl/styles.xml: the cell formats.
std::unique_ptr<WorkbookAspect> MakeStylesAspect();
// xl/sharedStrings.xml.
std::unique_ptr<WorkbookAspect> MakeSharedStringsAspect();
// The calculation chain and the calculation properties, kept valid when
// formulas or values change.
std::unique_ptr<WorkbookAspect> MakeCalculationAspect();

// A worksheet's cells, rows, columns and their formats (sheetData, cols,
// sheetFormatPr).
std::unique_ptr<SheetAspect> MakeCellsAspect();
// A sheet's protection, views and selection.
std::unique_ptr<SheetAspect> MakeSheetSettingsAspect();
// A worksheet's drawing: shapes, lines, pictures, charts, groups.
std::unique_ptr<SheetAspect> MakeDrawingAspect();
// A worksheet's comments with their boxes (comments part and VML drawing).
std::unique_ptr<SheetAspect> MakeCommentsAspect();
// A worksheet's hyperlinks.
std::unique_ptr<SheetAspect> MakeHyperlinksAspect();
// A worksheet's tables: their column names follow the header cells.
std::unique_ptr<SheetAspect> MakeTablesAspect();
// A worksheet's merged cells, conditional formats and data validations.
std::unique_ptr<SheetAspect> MakeAreaRulesAspect();

}  // namespace tabulara::xlsx
