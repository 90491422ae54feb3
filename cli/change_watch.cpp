#include "cli/change_watch.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <type_traits>

namespace tabulara::cli {
namespace {

namespace model = embedded::model;

// A 64-bit digest of the values fed to it, a word at a time.
class Digest {
 public:
  template <class T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
  void Add(T value) {
    static_assert(sizeof(T) <= sizeof(std::uint64_t));
    std::uint64_t word = 0;
    std::memcpy(&word, &value, sizeof(T));
    Mix(word);
  }
  void Add(std::string_view text) {
    Mix(text.size());
    Mix(std::hash<std::string_view>{}(text));
  }
  template <class T>
  void Add(const std::optional<T>& value) {
    Add(value.has_value());
    if (value) Add(*value);
  }
  void Add(const model::CellRect& area) {
    Add(area.top);
    Add(area.left);
    Add(area.bottom);
    Add(area.right);
  }
  std::uint64_t value() const { return hash_; }

 private:
  // One round of MurmurHash64A.
  void Mix(std::uint64_t word) {
    constexpr std::uint64_t kMultiplier = 0xc6a4a7935bd1e995ULL;
    word *= kMultiplier;
    word ^= word >> 47;
    word *= kMultiplier;
    hash_ ^= word;
    hash_ *= kMultiplier;
  }
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// A cell in two words: its column, kind, formula flag and format, then its
// value; its row is in the digest already.
void AddCell(Digest& digest, const model::Grid& grid, std::int32_t row, const model::Cell& cell) {
  digest.Add(static_cast<std::uint64_t>(cell.column) | static_cast<std::uint64_t>(cell.kind) << 16 |
             static_cast<std::uint64_t>(cell.hasFormula) << 24 | static_cast<std::uint64_t>(cell.format) << 32);
  switch (cell.kind) {
    case model::ValueKind::Empty:
      break;
    case model::ValueKind::Number:
      digest.Add(cell.number);
      break;
    case model::ValueKind::Text:
      // The pool keeps each text once, under one id for good.
      digest.Add(cell.text);
      break;
    case model::ValueKind::Logical:
      digest.Add(cell.logical);
      break;
    case model::ValueKind::Error:
      digest.Add(cell.error);
      break;
  }
  if (!cell.hasFormula) return;
  if (const std::string* formula = grid.Formula({row, cell.column})) digest.Add(std::string_view(*formula));
}

void AddGrid(Digest& digest, const model::Grid& grid) {
  for (const auto& [number, row] : grid.rows) {
    // A row in one word, its height and format after it when it has them.
    digest.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(number)) |
               static_cast<std::uint64_t>(row.hidden) << 32 | static_cast<std::uint64_t>(row.height.has_value()) << 33 |
               static_cast<std::uint64_t>(row.format.has_value()) << 34 |
               static_cast<std::uint64_t>(row.cells.size()) << 35);
    if (row.height) digest.Add(*row.height);
    if (row.format) digest.Add(*row.format);
    for (const model::Cell& cell : row.cells) AddCell(digest, grid, number, cell);
  }
  for (const auto& [first, run] : grid.columns) {
    digest.Add(run.first);
    digest.Add(run.last);
    digest.Add(run.value.width);
    digest.Add(run.value.hidden);
    digest.Add(run.value.format);
  }
  for (const model::CellRect& array : grid.arrays) digest.Add(array);
  digest.Add(grid.sheetFormat);
  digest.Add(grid.defaultRowHeight);
  digest.Add(grid.defaultColumnWidth);
}

void AddColor(Digest& digest, const model::Color& color) {
  digest.Add(color.schemeColor);
  digest.Add(color.rgb);
}

void AddShape(Digest& digest, const model::Shape& shape) {
  digest.Add(shape.id);
  digest.Add(shape.kind);
  digest.Add(std::string_view(shape.name));
  for (double measure : {shape.left, shape.top, shape.width, shape.height}) digest.Add(measure);
  digest.Add(shape.flipHorizontal);
  digest.Add(shape.flipVertical);
  digest.Add(shape.autoShapeType);
  digest.Add(shape.line.weight);
  digest.Add(shape.line.dashStyle);
  digest.Add(shape.line.style);
  digest.Add(shape.line.transparency);
  digest.Add(shape.line.visible);
  AddColor(digest, shape.line.foreColor);
  AddColor(digest, shape.line.backColor);
  digest.Add(shape.printObject);
  digest.Add(shape.visible);
  digest.Add(shape.commentCell.has_value());
  if (shape.commentCell) digest.Add(model::CellRect::Of(*shape.commentCell));
  digest.Add(shape.members.size());
  for (const model::Shape& member : shape.members) AddShape(digest, member);
}

std::uint64_t ContentDigest(const model::Sheet& sheet) {
  Digest digest;
  digest.Add(sheet.protection().isProtected);
  digest.Add(sheet.protection().contents);
  digest.Add(sheet.protection().drawingObjects);
  digest.Add(sheet.protection().scenarios);
  AddGrid(digest, sheet.grid());
  digest.Add(sheet.shapes().size());
  for (const model::Shape& shape : sheet.shapes()) AddShape(digest, shape);
  digest.Add(sheet.comments().size());
  for (const auto& [cell, comment] : sheet.comments()) {
    digest.Add(model::CellRect::Of(cell));
    digest.Add(std::string_view(comment.author));
    digest.Add(std::string_view(comment.text));
    digest.Add(comment.visible);
    digest.Add(comment.shape);
  }
  digest.Add(sheet.hyperlinks().size());
  for (const model::Hyperlink& link : sheet.hyperlinks()) {
    digest.Add(link.anchor);
    digest.Add(std::string_view(link.address));
    digest.Add(std::string_view(link.subAddress));
  }
  return digest.value();
}

std::uint64_t SheetsDigest(const model::Workbook& workbook) {
  Digest digest;
  digest.Add(workbook.structureProtected);
  digest.Add(workbook.sheets.size());
  for (const auto& sheet : workbook.sheets) {
    digest.Add(reinterpret_cast<std::uintptr_t>(sheet.get()));
    digest.Add(sheet->kind);
    digest.Add(std::string_view(sheet->name));
    digest.Add(sheet->visibility);
  }
  return digest.value();
}

}  // namespace

ChangeWatch::Digests ChangeWatch::DigestsOf(const model::Workbook& workbook) {
  Digests digests{SheetsDigest(workbook), {}};
  for (const auto& sheet : workbook.sheets) {
    if (sheet->ContentLoaded()) digests.contents[sheet.get()] = ContentDigest(*sheet);
  }
  return digests;
}

void ChangeWatch::MarkUnchanged(const model::Workbook& workbook) { marked_ = DigestsOf(workbook); }

void ChangeWatch::MarkLastSeenUnchanged() {
  if (lastSeen_) marked_ = std::move(*lastSeen_);
  lastSeen_.reset();
}

void ChangeWatch::SheetRead(const model::Sheet& sheet) { marked_.contents[&sheet] = ContentDigest(sheet); }

bool ChangeWatch::Changed(const model::Workbook& workbook) {
  lastSeen_ = DigestsOf(workbook);
  if (lastSeen_->sheets != marked_.sheets) return true;
  for (const auto& [sheet, digest] : lastSeen_->contents) {
    const auto marked = marked_.contents.find(sheet);
    if (marked == marked_.contents.end() || marked->second != digest) return true;
  }
  return false;
}

}  // namespace tabulara::cli
