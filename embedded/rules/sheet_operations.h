#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// The class a sheet's errors name: "Worksheet", "Chart" or "DialogSheet".
std::string_view SheetClassName(model::SheetKind kind);

// The host's rules for the sheets of a workbook. Each raises the host's
// error when it refuses; workbook-structure protection refuses all but
// activation.

// Renaming to the same name in another letter case is allowed.
void RenameSheet(model::Workbook& workbook, model::Sheet& sheet, std::string_view name);
// The last visible sheet cannot be hidden; hiding the active sheet
// activates the next visible one.
void SetSheetVisibility(model::Workbook& workbook, model::Sheet& sheet, int visibility);
// A hidden sheet cannot be activated.
void ActivateSheet(model::Workbook& workbook, model::Sheet& sheet);
// Puts `sheet` in front of `before`, which must be in the same workbook;
// in front of itself nothing changes. A visible sheet moved becomes active.
void MoveSheet(model::Workbook& workbook, model::Sheet& sheet, const model::Sheet& before);

// A new, empty worksheet named "SheetN".
std::shared_ptr<model::Sheet> NewWorksheet(model::Workbook& workbook);

// Inserts a new worksheet in front of `before` (the active sheet when
// null) and activates it.
std::shared_ptr<model::Sheet> AddWorksheet(model::Workbook& workbook, const model::Sheet* before);

// Inserts copies of the sheets of `source` (a template) in front of
// `before` (the active sheet when null), renamed "Name (2)" where their
// names are taken, and activates the first visible one. Returns the first.
std::shared_ptr<model::Sheet> InsertSheets(model::Workbook& workbook, const model::Sheet* before,
                                           const model::Workbook& source);

}  // namespace tabulara::embedded
