#include <algorithm>
#include <string_view>

#include "embedded/rules/error_values.h"
#include "xlsx/cells/aspect_lookup.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/grid_comparison.h"
#include "xlsx/cells/plain_rows_ahead.h"
#include "xlsx/cells/row_decoder.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/cells/worksheet_children.h"
#include "xlsx/cells/write_context.h"
#include "xlsx/package/huge_pages.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"
#include "xlsx/strings/xstring.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Cell;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::Grid;
using embedded::model::Row;
using embedded::model::ValueKind;

void RemoveChildren(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_node child = node.first_child(); child;) {
    const pugi::xml_node next = child.next_sibling();
    if (child.type() == pugi::node_element && IsNamed(child, local)) node.remove_child(child);
    child = next;
  }
}

// A new child of a cell in its place: <f> first, <v> and <is> before any
// <extLst>.
pugi::xml_node AddCellChild(pugi::xml_node cell, std::string_view local) {
  const std::string name = NameLike(cell, local);
  if (local == "f") return cell.prepend_child(name.c_str());
  if (const pugi::xml_node extensions = ChildNamed(cell, "extLst")) {
    return cell.insert_child_before(name.c_str(), extensions);
  }
  return cell.append_child(name.c_str());
}

void AddValue(pugi::xml_node cell, const std::string& text) {
  AddCellChild(cell, "v").text().set(text.c_str());
}

std::string FormulaBody(const std::string& formula) {
  return !formula.empty() && formula.front() == '=' ? formula.substr(1) : formula;
}

// Row attributes that say nothing beyond the row's number and cells.
bool OnlyPlainAttributes(const pugi::xml_node& row) {
  for (const pugi::xml_attribute attribute : row.attributes()) {
    const std::string_view name = attribute.name();
    if (name != "r" && name != "spans" && name != "x14ac:dyDescent") return false;
  }
  return true;
}

// The column of a <c> written with its reference.
std::int32_t ColumnOfElement(const pugi::xml_node& cell) {
  const auto reference = ParseWrittenReference(cell.attribute("r").value());
  return reference ? static_cast<std::int32_t>(reference->column) : 0;
}

// Gives each <c> of row `number` written without its reference the one it
// stands for (the column after the cell before it), so that removing,
// inserting or moving a cell cannot move the ones after it.
void GiveCellReferences(pugi::xml_node row, std::int32_t number) {
  std::int32_t column = 0;
  for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
    if (!IsNamed(c, "c")) continue;
    if (!c.attribute("r")) c.prepend_attribute("r") = CellReferenceText({number, column + 1}).c_str();
    column = ColumnOfElement(c);
  }
}

}  // namespace

const CellRect* CellsAspect::WriteContext::ArrayStartingAt(const Grid& grid, CellAddress cell) {
  if (grid.arrays.empty()) return nullptr;
  if (!arraysIndexed_) {
    for (std::uint32_t index = 0; index < grid.arrays.size(); ++index) {
      arrayCorners_.emplace(Grid::FormulaKey(grid.arrays[index].TopLeft()), index);
    }
    arraysIndexed_ = true;
  }
  const auto found = arrayCorners_.find(Grid::FormulaKey(cell));
  return found != arrayCorners_.end() ? &grid.arrays[found->second] : nullptr;
}

bool CellsAspect::WriteContext::InChangedArray(CellAddress cell) const {
  return std::any_of(changedArrays.begin(), changedArrays.end(),
                     [&](const CellRect& range) { return range.Contains(cell); });
}

bool CellsAspect::Write(WorkbookParts& parts, SheetPart& sheet) {
  formulasChanged_ = false;
  valuesChanged_ = false;
  pugi::xml_node worksheet = sheet.xml.document_element();
  if (!IsNamed(worksheet, "worksheet")) return false;
  const Grid& grid = sheet.sheet->grid();
  date1904_ = UsesDate1904(parts.workbookXml);
  WriteContext context(*parts.workbook, FindWorkbookAspect<StylesAspect>(parts),
                       FindWorkbookAspect<SharedStringsAspect>(parts));
  if (context.styles != nullptr) context.styles->Prepare(parts);
  bool changed = WriteSheetFormat(worksheet, grid);
  changed = WriteColumns(worksheet, grid, context) || changed;
  changed = WriteSheetData(parts, sheet, grid, context) || changed;
  if (!changed) return false;
  layout_.Take(grid);
  digests_ = std::move(context.rowDigests);
  entryCount_ = context.styles != nullptr ? context.styles->EntryCount() : parts.workbook->formats.size();
  sheet.xmlChanged = true;
  return true;
}

void CellsAspect::Layout::Take(const Grid& grid) {
  columns = grid.columns;
  arrays = grid.arrays;
  sheetFormat = grid.sheetFormat;
  defaultRowHeight = grid.defaultRowHeight;
  defaultColumnWidth = grid.defaultColumnWidth;
}

bool CellsAspect::WriteSheetData(WorkbookParts& parts, SheetPart& sheet, const Grid& grid, WriteContext& context) {
  const pugi::xml_node worksheet = sheet.xml.document_element();
  for (const CellRect& range : grid.arrays) {
    if (std::find(layout_.arrays.begin(), layout_.arrays.end(), range) == layout_.arrays.end()) {
      context.changedArrays.push_back(range);
    }
  }
  for (const CellRect& range : layout_.arrays) {
    if (std::find(grid.arrays.begin(), grid.arrays.end(), range) == grid.arrays.end()) {
      context.changedArrays.push_back(range);
    }
  }
  for (const auto& [index, shared] : sharedFormulas_) {
    const CellAddress at = shared.master.address;
    const Cell* master = grid.Find(at);
    const std::string* formula = grid.Formula(at);
    if (master != nullptr && master->hasFormula && formula != nullptr && !formula->empty() &&
        std::string_view(*formula).substr(1) == shared.master.text && !context.InChangedArray(at)) {
      continue;
    }
    context.changedMasters.push_back(index);
    for (const CellAddress member : shared.members) context.forced.insert(Grid::FormulaKey(member));
  }
  context.writtenRows = ChangedRows(grid, context);
  if (context.writtenRows.empty()) return false;
  const pugi::xml_node sheetData = ObtainWorksheetChild(worksheet, "sheetData");
  RewriteRows(parts, sheet, sheetData.name(), grid, context);
  if (pugi::xml_node dimension = ChildNamed(worksheet, "dimension")) {
    CellRect used{0, embedded::model::kColumnCount, 0, 0};
    for (const auto& [number, row] : grid.rows) {
      if (row.cells.empty()) continue;
      if (used.top == 0) used.top = number;
      used.bottom = number;
      used.left = std::min<std::int32_t>(used.left, row.cells.front().column);
      used.right = std::max<std::int32_t>(used.right, row.cells.back().column);
    }
    SetAttribute(dimension, "ref", used.top == 0 ? std::string("A1") : RangeReferenceText(used));
  }
  ForgetRewrittenMembers(context);
  return true;
}

// Writes the sheetData text anew: the rows to write are parsed, edited and
// printed one at a time, new ones put before the first row of a higher
// number; everything else is copied as it stands.
void CellsAspect::RewriteRows(WorkbookParts& parts, SheetPart& sheet, const std::string& holderName,
                              const Grid& grid, WriteContext& context) {
  const SheetRows& rows = sheet.sheetRows;
  std::vector<bool> rewritten(rows.pieces.size(), false);
  // New rows by the piece they go before (the number of pieces: the end).
  std::vector<std::pair<std::size_t, std::int32_t>> added;
  // The first piece of a row's number.
  const auto firstPiece = [&](std::int32_t number) {
    return std::lower_bound(rowOrder_.begin(), rowOrder_.end(), number,
                            [&](std::size_t piece, std::int32_t row) { return rows.pieces[piece].row < row; });
  };
  for (const std::int32_t number : context.writtenRows) {
    const auto place = firstPiece(number);
    if (place != rowOrder_.end() && rows.pieces[*place].row == number) {
      rewritten[*place] = true;
    } else {
      added.emplace_back(place != rowOrder_.end() ? *place : rows.pieces.size(), number);
    }
  }
  for (const SheetDataPiece& piece : rows.pieces) {
    if (piece.rewriteAlways) rewritten[*firstPiece(piece.row)] = true;
  }
  std::stable_sort(added.begin(), added.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  // A row written in several elements is rewritten whole into its first.
  std::vector<bool> merged(rows.pieces.size(), false);
  std::vector<bool> dropped(rows.pieces.size(), false);
  for (std::size_t i = 0; i + 1 < rowOrder_.size(); ++i) {
    const std::size_t first = rowOrder_[i];
    if (!rewritten[first]) continue;
    for (std::size_t j = i + 1; j < rowOrder_.size() && rows.pieces[rowOrder_[j]].row == rows.pieces[first].row; ++j) {
      merged[first] = true;
      dropped[rowOrder_[j]] = true;
    }
  }

  std::vector<std::string_view> texts;
  for (std::size_t i = 0; i < rows.pieces.size(); ++i) {
    const SheetDataPiece& piece = rows.pieces[i];
    if (rewritten[i]) texts.emplace_back(rows.text.data() + piece.begin, piece.end - piece.begin);
  }
  PlainRowsAhead parsed(std::move(texts), &RowDecoder::Prepare);
  RowDecoder decoder(parts, partName_, date1904_, entryCount_, RowDecoder::kNoEntry);

  SheetRows written;
  written.partOffset = rows.partOffset;
  written.buffer = std::make_shared<std::string>();
  std::string& text = *written.buffer;
  ReserveLargeText(text, rows.text.size() + rows.text.size() / 8);
  pugi::xml_document scratch;
  // `original`: the index of the row's first piece, or the number of pieces
  // for a new row.
  const auto writeRow = [&](std::int32_t number, std::size_t original) {
    const bool existing = original < rows.pieces.size();
    const FileRow* before = nullptr;
    if (existing) {
      PlainRow* const plain = parsed.Next();
      if (plain != nullptr && !merged[original] && decoder.Readable(*plain)) {
        before = DecodeFileRow(decoder, number, plain, pugi::xml_node());
        const bool plainWritten = WritePlainRow(*plain, number, grid, *before, context);
        if (plainWritten) {
          const std::size_t begin = text.size();
          PrintPlainRow(*plain, text);
          written.pieces.push_back({begin, text.size(), true, number});
        }
        // The texts the row kept were allocated on this thread: freed here,
        // not where the row is parsed next, they stay in this thread's cache.
        plain->kept.clear();
        if (plainWritten) return;
      }
    }
    scratch.reset();
    pugi::xml_node holder = scratch.append_child(holderName.c_str());
    if (existing) {
      // The row's first element, then any later ones of its number.
      for (auto piece = firstPiece(number); piece != rowOrder_.end() && rows.pieces[*piece].row == number; ++piece) {
        ParseSheetDataPiece(holder, rows, rows.pieces[*piece], partName_);
      }
      if (before == nullptr) before = DecodeFileRow(decoder, number, nullptr, holder);
      if (merged[original]) MergeRowPieces(holder, number, *before);
    }
    WriteRow(holder, holder.first_child(), number, grid, before, context);
    for (const pugi::xml_node node : holder.children()) {
      const std::size_t begin = text.size();
      AppendXml(node, text);
      written.pieces.push_back({begin, text.size(), true, IsNamed(node, "row") ? number : 0});
    }
  };
  auto next = added.begin();
  for (std::size_t i = 0; i < rows.pieces.size(); ++i) {
    for (; next != added.end() && next->first == i; ++next) writeRow(next->second, rows.pieces.size());
    const SheetDataPiece& piece = rows.pieces[i];
    if (rewritten[i]) {
      writeRow(piece.row, i);
      continue;
    }
    if (dropped[i]) continue;
    SheetDataPiece copy = piece;
    copy.begin = text.size();
    text.append(rows.text, piece.begin, piece.end - piece.begin);
    copy.end = text.size();
    written.pieces.push_back(copy);
  }
  for (; next != added.end(); ++next) writeRow(next->second, rows.pieces.size());
  written.text = text;
  sheet.sheetRows = std::move(written);
  IndexRows(sheet.sheetRows);
}

void CellsAspect::MergeRowPieces(pugi::xml_node holder, std::int32_t number, const FileRow& file) {
  // A cell without a reference counts its column within its own element.
  pugi::xml_node row = holder.first_child();
  GiveCellReferences(row, number);
  while (pugi::xml_node element = row.next_sibling()) {
    GiveCellReferences(element, number);
    // Each attribute as the last element that gives it says.
    for (const pugi::xml_attribute attribute : element.attributes()) {
      if (std::string_view(attribute.name()) != "r") SetAttribute(row, attribute.name(), attribute.value());
    }
    while (const pugi::xml_node child = element.first_child()) row.append_move(child);
    holder.remove_child(element);
  }
  // The settings as the read took them: hidden and the format from the last
  // element, each by its own, whatever an earlier one said.
  row.remove_attribute("hidden");
  if (file.row.hidden) SetAttribute(row, "hidden", "1");
  if (file.row.format) {
    SetAttribute(row, "s", std::to_string(*file.row.format));
    SetAttribute(row, "customFormat", "1");
  } else {
    row.remove_attribute("customFormat");
  }
}

const FileRow* CellsAspect::DecodeFileRow(RowDecoder& decoder, std::int32_t number, const PlainRow* plain,
                                          const pugi::xml_node& holder) {
  FileRow& file = fileRow_;
  file.Clear();
  if (plain != nullptr) {
    decoder.DecodePlain(*plain, number, file.row, file.decoded);
  } else {
    // Later elements of the same number add to the row, as they did when read.
    for (const pugi::xml_node element : holder.children()) {
      decoder.DecodeElement(element, number, file.row, file.decoded);
    }
  }
  file.Finish(number, sharedFormulas_);
  return &file;
}

std::vector<std::int32_t> CellsAspect::ChangedRows(const Grid& grid, WriteContext& context) {
  std::vector<std::int32_t> rows;
  std::vector<RowDigest> now = DigestRows(grid);
  auto a = now.begin();
  auto b = digests_.begin();
  while (a != now.end() || b != digests_.end()) {
    if (b == digests_.end() || (a != now.end() && a->number < b->number)) {
      rows.push_back((a++)->number);
    } else if (a == now.end() || b->number < a->number) {
      rows.push_back((b++)->number);
    } else {
      if (a->digest != b->digest) rows.push_back(a->number);
      ++a;
      ++b;
    }
  }
  const std::size_t found = rows.size();
  for (const std::uint64_t key : context.forced) rows.push_back(static_cast<std::int32_t>(key >> 16));
  for (const CellRect& range : context.changedArrays) {
    for (auto row = grid.rows.lower_bound(range.top); row != grid.rows.end() && row->first <= range.bottom; ++row) {
      rows.push_back(row->first);
    }
    auto row = std::lower_bound(digests_.begin(), digests_.end(), range.top,
                                [](const RowDigest& digest, std::int32_t wanted) { return digest.number < wanted; });
    for (; row != digests_.end() && row->number <= range.bottom; ++row) rows.push_back(row->number);
  }
  if (rows.size() != found) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  }
  context.rowDigests = std::move(now);
  return rows;
}

bool CellsAspect::CellChanged(CellAddress address, const Cell* now, const Cell* before, const Grid& grid,
                              const FileRow* beforeRow, WriteContext& context) const {
  if (now == nullptr || before == nullptr) return now != before;
  if (context.FileFormat(now->format) != before->format || now->hasFormula != before->hasFormula ||
      !SameValue(*now, *before)) {
    return true;
  }
  if (now->hasFormula && !beforeRow->SameFormula(now->column, grid.Formula(address))) return true;
  return context.Forced(address) || (!context.changedArrays.empty() && context.InChangedArray(address));
}

bool CellsAspect::ValueKept(const Cell& now, const Cell& before, WriteContext& context) const {
  if (!SameValue(now, before)) return false;
  // A formula's text is written as a string of its own, a constant's as a shared one.
  if (now.kind == ValueKind::Text) return now.hasFormula == before.hasFormula;
  // A 1904 date is written 1462 days less than the number it is.
  if (now.kind == ValueKind::Number && date1904_) {
    return context.entryDates.IsDate(context.FileFormat(now.format)) == context.entryDates.IsDate(before.format);
  }
  return true;
}

bool CellsAspect::FormulaKept(CellAddress address, const Cell& now, const Cell* before, const Grid& grid,
                              const FileRow* beforeRow, const WriteContext& context) const {
  if (before == nullptr || before->hasFormula != now.hasFormula) return false;
  if (now.hasFormula && !beforeRow->SameFormula(now.column, grid.Formula(address))) return false;
  return !context.Forced(address) && !context.InChangedArray(address);
}

void CellsAspect::WriteRow(pugi::xml_node sheetData, pugi::xml_node element, std::int32_t number, const Grid& grid,
                           const FileRow* beforeRow, WriteContext& context) {
  const Row* now = grid.rows.Find(number);
  const Row* before = beforeRow != nullptr ? &beforeRow->row : nullptr;

  if (!element) {
    if (now == nullptr) return;
    element = sheetData.append_child(NameLike(sheetData, "row").c_str());
  }
  if (!element.attribute("r")) element.prepend_attribute("r") = number;

  if (!SameRowHeight(now, before)) {
    element.remove_attribute("ht");
    element.remove_attribute("customHeight");
    if (now != nullptr && now->height) {
      SetAttribute(element, "ht", CellNumberText(*now->height));
      SetAttribute(element, "customHeight", "1");
    }
  }
  if (!SameRowHidden(now, before)) {
    element.remove_attribute("hidden");
    if (now != nullptr && now->hidden) SetAttribute(element, "hidden", "1");
  }
  if (!SameRowFormat(now, before, [&](std::uint32_t format) { return context.FileFormat(format); })) {
    element.remove_attribute("s");
    element.remove_attribute("customFormat");
    if (now != nullptr && now->format) {
      SetAttribute(element, "s", std::to_string(context.FileFormat(*now->format)));
      SetAttribute(element, "customFormat", "1");
    }
  }

  // The row's <c> elements and their columns.
  GiveCellReferences(element, number);
  std::vector<std::pair<pugi::xml_node, std::int32_t>> elements;
  for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling()) {
    if (IsNamed(c, "c")) elements.emplace_back(c, ColumnOfElement(c));
  }
  // Cells out of column order go in order, as they were read, and as the
  // row's cells are compared.
  const auto byColumn = [](const auto& x, const auto& y) { return x.second < y.second; };
  if (!std::is_sorted(elements.begin(), elements.end(), byColumn)) {
    std::stable_sort(elements.begin(), elements.end(), byColumn);
    std::vector<pugi::xml_node> order;
    auto sorted = elements.begin();
    for (const pugi::xml_node child : element.children()) {
      order.push_back(IsNamed(child, "c") ? (sorted++)->first : child);
    }
    for (const pugi::xml_node child : order) element.append_move(child);
  }

  std::size_t cursor = 0;
  const std::string cellName = NameLike(element, "c");
  ForEachCellPair(now, before, [&](std::uint16_t column, const Cell* a, const Cell* b) {
    const CellAddress address{number, column};
    // The element `b` was read from; of a column given twice, the next one.
    while (cursor < elements.size() && elements[cursor].second < column) ++cursor;
    pugi::xml_node cell =
        cursor < elements.size() && elements[cursor].second == column ? elements[cursor].first : pugi::xml_node();
    if (cell && b != nullptr) ++cursor;
    if (!CellChanged(address, a, b, grid, beforeRow, context)) return true;
    if (a == nullptr) {
      valuesChanged_ = true;
      formulasChanged_ = formulasChanged_ || b->hasFormula;
      if (!cell) return true;
      if (context.strings != nullptr && std::string_view(cell.attribute("t").value()) == "s") {
        context.strings->CountReferences(-1);
      }
      element.remove_child(cell);
      return true;
    }
    if (!cell) {
      cell = cursor < elements.size() ? element.insert_child_before(cellName.c_str(), elements[cursor].first)
                                      : element.append_child(cellName.c_str());
      cell.append_attribute("r") = CellReferenceText(address).c_str();
    }
    WriteCell(cell, address, a, b, grid, beforeRow, context);
    return true;
  });

  if (pugi::xml_attribute spans = element.attribute("spans")) {
    if (now != nullptr && !now->cells.empty()) {
      spans.set_value((std::to_string(now->cells.front().column) + ":" + std::to_string(now->cells.back().column)).c_str());
    } else {
      element.remove_attribute(spans);
    }
  }
  if (now == nullptr && !ChildNamed(element, "c")) {
    if (OnlyPlainAttributes(element)) sheetData.remove_child(element);
  }
}

void CellsAspect::WriteCell(pugi::xml_node cell, CellAddress address, const Cell* now, const Cell* before,
                            const Grid& grid, const FileRow* beforeRow, WriteContext& context) {
  const std::uint32_t format = context.FileFormat(now->format);
  if (before == nullptr || before->format != format) {
    if (format == 0) {
      cell.remove_attribute("s");
    } else {
      SetAttribute(cell, "s", std::to_string(format));
    }
  }
  const bool valueKept = before != nullptr && ValueKept(*now, *before, context);
  if (!valueKept) {
    valuesChanged_ = true;
    if (context.strings != nullptr && std::string_view(cell.attribute("t").value()) == "s") {
      context.strings->CountReferences(-1);
    }
    RemoveChildren(cell, "v");
    RemoveChildren(cell, "is");
    cell.remove_attribute("t");
    cell.remove_attribute("vm");
    switch (now->kind) {
      case ValueKind::Empty:
        break;
      case ValueKind::Number: {
        const bool shifted = date1904_ && context.dates.IsDate(now->format);
        AddValue(cell, CellNumberText(shifted ? now->number - kDate1904Offset : now->number));
        break;
      }
      case ValueKind::Text: {
        const std::string& text = context.workbook.strings.Text(now->text);
        if (now->hasFormula) {
          SetAttribute(cell, "t", "str");
          AddValue(cell, EncodeXstring(text));
        } else if (context.strings != nullptr) {
          SetAttribute(cell, "t", "s");
          AddValue(cell, std::to_string(context.strings->IndexFor(context.workbook.strings, now->text)));
          context.strings->CountReferences(1);
        } else {
          SetAttribute(cell, "t", "inlineStr");
          WritePlainText(AddCellChild(cell, "is"), text);
        }
        break;
      }
      case ValueKind::Logical:
        SetAttribute(cell, "t", "b");
        AddValue(cell, now->logical ? "1" : "0");
        break;
      case ValueKind::Error:
        SetAttribute(cell, "t", "e");
        AddValue(cell, std::string(embedded::ErrorTextOf(now->error)));
        break;
    }
  }
  if (FormulaKept(address, *now, before, grid, beforeRow, context)) return;
  formulasChanged_ = true;
  valuesChanged_ = true;
  context.rewrittenFormulas.push_back(Grid::FormulaKey(address));
  RemoveChildren(cell, "f");
  cell.remove_attribute("cm");
  const std::string* formula = now->hasFormula ? grid.Formula(address) : nullptr;
  if (formula == nullptr) return;
  const CellRect* array = context.ArrayStartingAt(grid, address);
  pugi::xml_node f = AddCellChild(cell, "f");
  if (array != nullptr) {
    f.append_attribute("t") = "array";
    f.append_attribute("ref") = RangeReferenceText(*array).c_str();
  }
  f.text().set(FormulaBody(*formula).c_str());
}

void CellsAspect::ForgetRewrittenMembers(WriteContext& context) {
  for (const std::uint32_t index : context.changedMasters) sharedFormulas_.erase(index);
  if (context.rewrittenFormulas.empty() || sharedFormulas_.empty()) return;
  std::vector<std::uint64_t>& rewritten = context.rewrittenFormulas;
  std::sort(rewritten.begin(), rewritten.end());
  for (auto& [index, shared] : sharedFormulas_) {
    std::erase_if(shared.members, [&](CellAddress member) {
      return std::binary_search(rewritten.begin(), rewritten.end(), Grid::FormulaKey(member));
    });
  }
}

}  // namespace tabulara::xlsx
