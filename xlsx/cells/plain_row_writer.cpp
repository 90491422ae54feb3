#include <string>
#include <vector>

#include "embedded/rules/error_values.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/grid_comparison.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/cells/write_context.h"
#include "xlsx/strings/xstring.h"

namespace tabulara::xlsx {

using embedded::model::Cell;
using embedded::model::CellAddress;
using embedded::model::Grid;
using embedded::model::Row;
using embedded::model::ValueKind;

namespace {

// Writing a cell may add its s and t.
bool HasRoomForTypeAndFormat(const PlainCell& cell) {
  return cell.attributes.size() + 2 <= PlainAttributes::kMost;
}

}  // namespace

// The edits WriteRow and WriteCell make, for a plain row whose changes are
// values and formats of cells it holds, and formulas kept or removed. The
// row's cell references are noted (NoteCellReferences).
bool CellsAspect::WritePlainRow(PlainRow& row, std::int32_t number, const Grid& grid, const FileRow& beforeRow,
                                WriteContext& context) {
  const Row* const modelRow = grid.rows.Find(number);
  if (modelRow == nullptr) return false;
  const Row& now = *modelRow;
  const Row& before = beforeRow.row;
  if (now.cells.empty() || !SameRowHeight(&now, &before) || !SameRowHidden(&now, &before) ||
      !SameRowFormat(&now, &before, [&](std::uint32_t format) { return context.FileFormat(format); })) {
    return false;
  }

  std::vector<std::int64_t>& columns = plainColumns_;
  columns.clear();
  for (const PlainCell& cell : row.cells) {
    const std::optional<WrittenReference>& parsed = cell.reference;
    if (!parsed || parsed->row != number || (!columns.empty() && parsed->column <= columns.back())) return false;
    columns.push_back(parsed->column);
  }

  // Every change is checked before the first is made.
  std::vector<PlainChange>& changes = plainChanges_;
  changes.clear();
  bool plain = true;
  std::size_t cursor = 0;
  ForEachCellPair(&now, &before, [&](std::uint16_t column, const Cell* a, const Cell* b) {
    const CellAddress address{number, column};
    if (!CellChanged(address, a, b, grid, &beforeRow, context)) return true;
    while (cursor < columns.size() && columns[cursor] < column) ++cursor;
    const bool formulaKept = a != nullptr && FormulaKept(address, *a, b, grid, &beforeRow, context);
    plain = a != nullptr && b != nullptr && (!a->hasFormula || formulaKept) && !context.Forced(address) &&
            !context.InChangedArray(address) && cursor < columns.size() && columns[cursor] == column &&
            HasRoomForTypeAndFormat(row.cells[cursor]);
    if (plain) changes.push_back({cursor, a, b, formulaKept});
    return plain;
  });
  if (!plain) return false;

  for (const PlainChange& change : changes) {
    WritePlainCell(row, row.cells[change.cell], {number, change.now->column}, *change.now, *change.before,
                   change.formulaKept, context);
  }
  if (row.attributes.Find("spans")) {
    row.attributes.Set("spans", row.Keep(std::to_string(now.cells.front().column) + ":" +
                                         std::to_string(now.cells.back().column)));
  }
  return true;
}

void CellsAspect::WritePlainCell(PlainRow& row, PlainCell& cell, CellAddress address, const Cell& now,
                                 const Cell& before, bool formulaKept, WriteContext& context) {
  if (before.format != context.FileFormat(now.format)) {
    const std::string_view format = context.FormatAttribute(now.format);
    if (format.empty()) {
      cell.attributes.Remove("s");
    } else {
      cell.attributes.Set("s", format);
    }
  }
  if (!ValueKept(now, before, context)) {
    WritePlainValue(row, cell, now, context);
  }
  if (formulaKept) return;
  // The formula is gone: WritePlainRow takes no other change of one.
  formulasChanged_ = true;
  valuesChanged_ = true;
  context.rewrittenFormulas.push_back(Grid::FormulaKey(address));
  cell.contentEdited = true;
  cell.hasFormula = false;
  cell.attributes.Remove("cm");
}

void CellsAspect::WritePlainValue(PlainRow& row, PlainCell& cell, const Cell& now, WriteContext& context) {
  valuesChanged_ = true;
  cell.contentEdited = true;
  if (context.strings != nullptr && cell.attributes.Value("t") == "s") context.strings->CountReferences(-1);
  cell.content = PlainCell::Content::None;
  cell.text.reset();
  cell.textAttributes.clear();
  cell.attributes.Remove("vm");
  // The type goes last, as the DOM writer puts it.
  std::optional<std::string_view> type;
  const auto setValue = [&](std::string text) {
    cell.content = PlainCell::Content::Value;
    cell.text = row.Keep(std::move(text));
  };
  switch (now.kind) {
    case ValueKind::Empty:
      break;
    case ValueKind::Number: {
      const bool shifted = date1904_ && context.dates.IsDate(now.format);
      setValue(CellNumberText(shifted ? now.number - kDate1904Offset : now.number));
      break;
    }
    case ValueKind::Text:
      if (now.hasFormula) {
        type = "str";
        setValue(EncodeXstring(context.workbook.strings.Text(now.text)));
      } else if (context.strings != nullptr) {
        type = "s";
        setValue(std::to_string(context.strings->IndexFor(context.workbook.strings, now.text)));
        context.strings->CountReferences(1);
      } else {
        type = "inlineStr";
        cell.content = PlainCell::Content::InlineText;
        cell.text = row.Keep(EncodeXstring(context.workbook.strings.Text(now.text)));
        if (NeedsPreservedSpace(*cell.text)) cell.textAttributes.Set("xml:space", "preserve");
      }
      break;
    case ValueKind::Logical:
      type = "b";
      setValue(now.logical ? "1" : "0");
      break;
    case ValueKind::Error:
      type = "e";
      cell.content = PlainCell::Content::Value;
      cell.text = embedded::ErrorTextOf(now.error);
      break;
  }
  if (type) {
    cell.attributes.SetLast("t", *type);
  } else {
    cell.attributes.Remove("t");
  }
}

}  // namespace tabulara::xlsx
