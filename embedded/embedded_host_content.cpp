#include <stdexcept>

#include "embedded/embedded_host.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/reference_text.h"

// The facade's building and reading of cells, drawing objects, comments
// and hyperlinks.
namespace tabulara::embedded {
namespace {

model::Areas AreasOf(std::string_view text) {
  std::optional<model::Areas> areas = ParseReference(text);
  if (!areas) throw std::invalid_argument("not a reference: " + std::string(text));
  return std::move(*areas);
}

model::CellAddress CellOf(std::string_view text) { return AreasOf(text).front().TopLeft(); }

// Calls visit(CellAddress) for every cell of the areas.
template <class Visit>
void ForEachAddress(const model::Areas& areas, Visit visit) {
  for (const model::CellRect& area : areas) {
    for (std::int32_t row = area.top; row <= area.bottom; ++row) {
      for (std::int32_t column = area.left; column <= area.right; ++column) visit(model::CellAddress{row, column});
    }
  }
}

// Gives the cells a format derived from their own by `change`.
template <class Change>
void Reformat(model::Workbook& workbook, model::Sheet& sheet, std::string_view cells, Change change) {
  ForEachAddress(AreasOf(cells), [&](model::CellAddress address) {
    model::Cell& cell = sheet.grid().Obtain(address);
    model::CellFormat format = workbook.formats.Get(cell.format);
    change(format);
    cell.format = workbook.formats.Intern(format);
  });
}

}  // namespace

void EmbeddedHost::SetValue(model::Sheet& sheet, std::string_view cells, const host::Variant& value) {
  if (value.IsObject()) throw std::invalid_argument("a cell cannot hold an object");
  model::Workbook& workbook = WorkbookOf(sheet);
  ForEachAddress(AreasOf(cells), [&](model::CellAddress cell) {
    StoreEntry(workbook, sheet.grid(), cell, {std::nullopt, value});
  });
}

void EmbeddedHost::TypeEntry(model::Sheet& sheet, std::string_view cells, std::string_view text) {
  model::Workbook& workbook = WorkbookOf(sheet);
  CellEntry entry = ReadEntry(host::Variant(std::string(text)));
  ForEachAddress(AreasOf(cells), [&](model::CellAddress cell) { StoreEntry(workbook, sheet.grid(), cell, entry); });
}

void EmbeddedHost::SetFormula(model::Sheet& sheet, std::string_view cells, const std::string& formula,
                              const host::Variant& cachedValue) {
  model::Workbook& workbook = WorkbookOf(sheet);
  ForEachAddress(AreasOf(cells), [&](model::CellAddress cell) {
    StoreEntry(workbook, sheet.grid(), cell, {formula, {}});
  });
  SetCachedValue(sheet, cells, cachedValue);
}

void EmbeddedHost::SetArrayFormula(model::Sheet& sheet, std::string_view range, const std::string& formula,
                                   const host::Variant& cachedValue) {
  model::Areas areas = AreasOf(range);
  if (areas.size() != 1) throw std::invalid_argument("an array formula takes one area");
  const model::CellRect array = areas.front();
  std::erase_if(sheet.grid().arrays, [&](const model::CellRect& other) { return other.Intersects(array); });
  ForEachAddress(areas, [&](model::CellAddress cell) { sheet.grid().RemoveFormula(cell); });
  StoreEntry(WorkbookOf(sheet), sheet.grid(), array.TopLeft(), {formula, {}});
  sheet.grid().arrays.push_back(array);
  SetCachedValue(sheet, range, cachedValue);
}

void EmbeddedHost::SetCachedValue(model::Sheet& sheet, std::string_view cells, const host::Variant& value) {
  model::Workbook& workbook = WorkbookOf(sheet);
  ForEachAddress(AreasOf(cells), [&](model::CellAddress cell) {
    const std::string* own = sheet.grid().Formula(cell);
    if (own == nullptr && sheet.grid().ArrayAt(cell) == nullptr) throw std::invalid_argument("no formula to calculate");
    std::optional<std::string> kept;
    if (own != nullptr) kept = *own;
    if (value.IsEmpty()) {
      sheet.grid().Obtain(cell).SetEmpty();
    } else {
      StoreEntry(workbook, sheet.grid(), cell, {std::nullopt, value});
    }
    if (kept) sheet.grid().SetFormula(cell, std::move(*kept));
  });
}

void EmbeddedHost::SetFont(model::Sheet& sheet, std::string_view cells, const model::Font& font) {
  Reformat(WorkbookOf(sheet), sheet, cells, [&](model::CellFormat& format) { format.font = font; });
}

void EmbeddedHost::SetNumberFormat(model::Sheet& sheet, std::string_view cells, const std::string& numberFormat) {
  Reformat(WorkbookOf(sheet), sheet, cells, [&](model::CellFormat& format) { format.numberFormat = numberFormat; });
}

void EmbeddedHost::SetLocked(model::Sheet& sheet, std::string_view cells, bool locked) {
  Reformat(WorkbookOf(sheet), sheet, cells, [&](model::CellFormat& format) { format.locked = locked; });
}

void EmbeddedHost::SetColumnWidth(model::Sheet& sheet, std::int32_t column, double width) {
  sheet.grid().columns.Change(column, column, {}, [&](model::Column& settings) { settings.width = width; });
}

void EmbeddedHost::SetRowHeight(model::Sheet& sheet, std::int32_t row, double points) {
  sheet.grid().rows[row].height = points;
}

void EmbeddedHost::HideColumn(model::Sheet& sheet, std::int32_t column, bool hidden) {
  sheet.grid().columns.Change(column, column, {}, [&](model::Column& settings) { settings.hidden = hidden; });
}

void EmbeddedHost::HideRow(model::Sheet& sheet, std::int32_t row, bool hidden) { sheet.grid().rows[row].hidden = hidden; }

host::Variant EmbeddedHost::Value(const model::Sheet& sheet, std::string_view cell) const {
  return CellValue(WorkbookOf(sheet), sheet.grid(), CellOf(cell));
}

std::optional<std::string> EmbeddedHost::Formula(const model::Sheet& sheet, std::string_view cell) const {
  const std::string* formula = sheet.grid().FormulaShown(CellOf(cell));
  if (formula == nullptr) return std::nullopt;
  return *formula;
}

model::Font EmbeddedHost::Font(const model::Sheet& sheet, std::string_view cell) const {
  return WorkbookOf(sheet).formats.Get(sheet.grid().FormatOf(CellOf(cell))).font;
}

std::string EmbeddedHost::NumberFormat(const model::Sheet& sheet, std::string_view cell) const {
  return WorkbookOf(sheet).formats.Get(sheet.grid().FormatOf(CellOf(cell))).numberFormat;
}

model::Shape& EmbeddedHost::AddShape(model::Sheet& sheet, model::ShapeKind kind, const std::string& name) {
  if (kind == model::ShapeKind::CommentBox) throw std::invalid_argument("a comment's box comes with AddComment");
  model::Shape& shape = embedded::AddShape(sheet, kind);
  if (!name.empty()) shape.name = name;
  return shape;
}

model::Comment& EmbeddedHost::AddComment(model::Sheet& sheet, std::string_view cell, const std::string& text,
                                         bool visible) {
  model::Comment& comment = embedded::AddComment(WorkbookOf(sheet), sheet, CellOf(cell), text);
  comment.visible = visible;
  sheet.FindShape(comment.shape)->visible = visible;
  return comment;
}

void EmbeddedHost::AddHyperlink(model::Sheet& sheet, std::string_view anchor, const std::string& address,
                                const std::string& subAddress) {
  embedded::AddHyperlink(WorkbookOf(sheet), sheet, AreasOf(anchor).front(), address, subAddress);
}

model::Shape* EmbeddedHost::FindShape(model::Sheet& sheet, std::string_view name) const {
  for (model::Shape& shape : sheet.shapes()) {
    if (shape.name == name) return &shape;
  }
  return nullptr;
}

const model::Comment* EmbeddedHost::FindComment(const model::Sheet& sheet, std::string_view cell) const {
  auto comment = sheet.comments().find(CellOf(cell));
  return comment != sheet.comments().end() ? &comment->second : nullptr;
}

std::vector<std::string> EmbeddedHost::ShapeNames(const model::Sheet& sheet) const {
  std::vector<std::string> names;
  for (const model::Shape& shape : sheet.shapes()) names.push_back(shape.name);
  return names;
}

}  // namespace tabulara::embedded
