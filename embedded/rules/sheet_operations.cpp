#include "embedded/rules/sheet_operations.h"

#include <algorithm>
#include <unordered_map>

#include "embedded/rules/host_errors.h"
#include "embedded/rules/sheet_names.h"
#include "host/constants.h"

namespace tabulara::embedded {
namespace {

using SheetPtr = std::shared_ptr<model::Sheet>;

bool IsVisible(const model::Sheet& sheet) { return sheet.visibility == host::xlSheetVisible; }

std::size_t InsertionIndex(const model::Workbook& workbook, const model::Sheet* before) {
  if (before == nullptr) before = workbook.ActiveSheet().get();
  std::ptrdiff_t index = before != nullptr ? workbook.IndexOf(*before) : -1;
  if (index < 0) throw ObjectMethodFailed("Add", "Sheets");
  return static_cast<std::size_t>(index);
}

// The visible sheet nearest to `index`, looking right first.
SheetPtr NearestVisible(const model::Workbook& workbook, std::size_t index) {
  for (std::size_t i = index + 1; i < workbook.sheets.size(); ++i) {
    if (IsVisible(*workbook.sheets[i])) return workbook.sheets[i];
  }
  for (std::size_t i = index; i-- > 0;) {
    if (IsVisible(*workbook.sheets[i])) return workbook.sheets[i];
  }
  return nullptr;
}

// Copies a sheet of another workbook, its texts and formats carried over.
SheetPtr CopySheet(model::Workbook& workbook, const model::Sheet& original, const model::Workbook& source) {
  auto copy = std::make_shared<model::Sheet>(original);
  std::unordered_map<std::uint32_t, std::uint32_t> formats;
  auto format = [&](std::uint32_t id) {
    auto [entry, added] = formats.try_emplace(id, 0);
    if (added) entry->second = workbook.formats.Intern(source.formats.Get(id));
    return entry->second;
  };
  model::Grid& grid = copy->grid();
  grid.sheetFormat = format(grid.sheetFormat);
  grid.columns.ChangeAll([&](model::Column& column) {
    if (column.format) column.format = format(*column.format);
  });
  for (auto& [number, row] : grid.rows) {
    if (row.format) row.format = format(*row.format);
    for (model::Cell& cell : row.cells) {
      cell.format = format(cell.format);
      if (cell.kind == model::ValueKind::Text) cell.text = workbook.strings.Intern(source.strings.Text(cell.text));
    }
  }
  copy->name = UniqueSheetName(workbook, original.name);
  return copy;
}

}  // namespace

std::string_view SheetClassName(model::SheetKind kind) {
  switch (kind) {
    case model::SheetKind::Worksheet:
      return "Worksheet";
    case model::SheetKind::Chart:
      return "Chart";
    case model::SheetKind::DialogSheet:
      return "DialogSheet";
  }
  return "Worksheet";
}

void RenameSheet(model::Workbook& workbook, model::Sheet& sheet, std::string_view name) {
  if (workbook.structureProtected) throw PropertyNotSet("Name", SheetClassName(sheet.kind));
  ValidateSheetName(name);
  SheetPtr holder = FindSheet(workbook, name);
  if (holder && holder.get() != &sheet) throw DuplicateSheetName();
  sheet.name = std::string(name);
}

void SetSheetVisibility(model::Workbook& workbook, model::Sheet& sheet, int visibility) {
  std::string_view className = SheetClassName(sheet.kind);
  if (workbook.structureProtected) throw PropertyNotSet("Visible", className);
  if (visibility != host::xlSheetVisible && visibility != host::xlSheetHidden &&
      visibility != host::xlSheetVeryHidden) {
    throw PropertyNotSet("Visible", className);
  }
  if (visibility == sheet.visibility) return;
  if (visibility != host::xlSheetVisible && IsVisible(sheet)) {
    std::ptrdiff_t index = workbook.IndexOf(sheet);
    SheetPtr next = NearestVisible(workbook, static_cast<std::size_t>(index));
    if (!next) throw PropertyNotSet("Visible", className);
    if (workbook.ActiveSheet().get() == &sheet) workbook.activeSheet = next;
  }
  sheet.visibility = visibility;
}

void ActivateSheet(model::Workbook& workbook, model::Sheet& sheet) {
  std::ptrdiff_t index = workbook.IndexOf(sheet);
  if (index < 0 || !IsVisible(sheet)) throw MethodFailed("Activate", SheetClassName(sheet.kind));
  workbook.activeSheet = workbook.sheets[static_cast<std::size_t>(index)];
}

void MoveSheet(model::Workbook& workbook, model::Sheet& sheet, const model::Sheet& before) {
  std::string_view className = SheetClassName(sheet.kind);
  if (workbook.structureProtected) throw MethodFailed("Move", className);
  std::ptrdiff_t from = workbook.IndexOf(sheet);
  std::ptrdiff_t to = workbook.IndexOf(before);
  if (from < 0 || to < 0) throw MethodFailed("Move", className);
  if (from == to) return;
  SheetPtr moved = workbook.sheets[static_cast<std::size_t>(from)];
  workbook.sheets.erase(workbook.sheets.begin() + from);
  if (from < to) --to;
  workbook.sheets.insert(workbook.sheets.begin() + to, moved);
  // The sheets between the two places shifted by one tab.
  for (auto i = static_cast<std::size_t>(std::min(from, to)); i <= static_cast<std::size_t>(std::max(from, to)); ++i) {
    workbook.sheets[i]->tabIndexHint = i;
  }
  if (IsVisible(*moved)) workbook.activeSheet = moved;
}

SheetPtr NewWorksheet(model::Workbook& workbook) {
  int number = std::max(workbook.nextSheetNumber, 1);
  while (FindSheet(workbook, "Sheet" + std::to_string(number))) ++number;
  workbook.nextSheetNumber = number + 1;
  auto sheet = std::make_shared<model::Sheet>();
  sheet->name = "Sheet" + std::to_string(number);
  return sheet;
}

SheetPtr AddWorksheet(model::Workbook& workbook, const model::Sheet* before) {
  if (workbook.structureProtected) throw ObjectMethodFailed("Add", "Sheets");
  std::size_t index = InsertionIndex(workbook, before);
  SheetPtr sheet = NewWorksheet(workbook);
  workbook.sheets.insert(workbook.sheets.begin() + static_cast<std::ptrdiff_t>(index), sheet);
  workbook.activeSheet = sheet;
  return sheet;
}

SheetPtr InsertSheets(model::Workbook& workbook, const model::Sheet* before, const model::Workbook& source) {
  if (workbook.structureProtected || source.sheets.empty()) throw ObjectMethodFailed("Add", "Sheets");
  std::size_t index = InsertionIndex(workbook, before);
  SheetPtr first;
  SheetPtr firstVisible;
  for (const SheetPtr& original : source.sheets) {
    SheetPtr copy = CopySheet(workbook, *original, source);
    workbook.sheets.insert(workbook.sheets.begin() + static_cast<std::ptrdiff_t>(index++), copy);
    if (!first) first = copy;
    if (!firstVisible && IsVisible(*copy)) firstVisible = copy;
  }
  if (firstVisible) workbook.activeSheet = firstVisible;
  return first;
}

}  // namespace tabulara::embedded
