#include "embedded/rules/cell_values.h"

#include "embedded/model/same_value.h"
#include "embedded/rules/number_formats.h"
#include "host/conversions.h"
#include "host/host_error.h"

namespace tabulara::embedded {

using model::Cell;
using model::CellAddress;
using model::SameValue;
using model::ValueKind;

host::Variant CellValue(const model::Workbook& workbook, const model::Grid& grid, CellAddress address) {
  const Cell* cell = grid.Find(address);
  if (cell == nullptr) return {};
  switch (cell->kind) {
    case ValueKind::Empty:
      return {};
    case ValueKind::Number:
      if (IsDateFormat(workbook.formats.Get(cell->format).numberFormat)) return host::Date{cell->number};
      return cell->number;
    case ValueKind::Text:
      return workbook.strings.Text(cell->text);
    case ValueKind::Logical:
      return cell->logical;
    case ValueKind::Error:
      return host::ErrorValue{cell->error};
  }
  return {};
}

CellEntry ReadEntry(const host::Variant& value) {
  if (value.IsObject()) throw host::TypeMismatch();
  if (!value.IsText()) return {std::nullopt, value};
  const std::string& text = value.AsText();
  if (text.size() > 1 && text.front() == '=') return {text, {}};
  host::TypedEntry typed = host::ReadTypedEntry(text);
  return {std::nullopt, std::move(typed.value), typed.dateFormat, typed.quotePrefix};
}

bool StoreEntry(model::Workbook& workbook, model::Grid& grid, CellAddress address, const CellEntry& entry) {
  if (entry.formula) {
    grid.SetFormula(address, *entry.formula);
    grid.Obtain(address).SetEmpty();
    return true;
  }
  const host::Variant& value = entry.constant;
  if (value.IsEmpty()) return ClearContents(grid, address);
  Cell& cell = grid.Obtain(address);
  const Cell before = cell;
  if (cell.hasFormula) grid.RemoveFormula(address);
  SetCellValue(workbook, cell, value);
  if (value.IsDate()) {
    model::CellFormat format = workbook.formats.Get(cell.format);
    if (!IsDateFormat(format.numberFormat)) {
      format.numberFormat = entry.dateFormat.empty() ? kShortDateFormat : entry.dateFormat;
      cell.format = workbook.formats.Intern(format);
    }
  }
  if (workbook.formats.Get(cell.format).quotePrefix != entry.quotePrefix) {
    model::CellFormat format = workbook.formats.Get(cell.format);
    format.quotePrefix = entry.quotePrefix;
    cell.format = workbook.formats.Intern(format);
  }
  return !SameValue(before, cell);
}

bool SetCellValue(model::Workbook& workbook, Cell& cell, const host::Variant& value) {
  switch (value.kind()) {
    case host::Variant::Kind::Number:
      cell.SetNumber(value.AsNumber());
      return true;
    case host::Variant::Kind::Date:
      cell.SetNumber(value.AsDate().serial);
      return true;
    case host::Variant::Kind::Text:
      cell.SetText(workbook.strings.Intern(value.AsText()));
      return true;
    case host::Variant::Kind::Logical:
      cell.SetLogical(value.AsLogical());
      return true;
    case host::Variant::Kind::Error:
      cell.SetError(value.AsError().code);
      return true;
    case host::Variant::Kind::Empty:
    case host::Variant::Kind::Object:
      break;
  }
  return false;
}

bool ClearContents(model::Grid& grid, CellAddress address) {
  Cell* cell = grid.Find(address);
  if (cell == nullptr) return false;
  const bool held = cell->hasFormula || cell->kind != ValueKind::Empty;
  grid.RemoveFormula(address);
  if (cell->format == grid.LayerFormat(address)) {
    grid.Erase(address);
  } else {
    cell->SetEmpty();
  }
  return held;
}

}  // namespace tabulara::embedded
