#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/date_formats.h"
#include "xlsx/cells/formula_shifter.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/plain_rows_ahead.h"
#include "xlsx/cells/row_decoder.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Cell;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::Grid;

// A formula of the file as the model holds it, "=" first.
std::string Formula(std::string_view text) {
  std::string formula;
  formula.reserve(text.size() + 1);
  formula += '=';
  formula += text;
  return formula;
}

bool IsTrue(const pugi::xml_attribute& attribute) {
  const std::string_view value = attribute.value();
  return value == "1" || value == "true";
}

// The width of a column in the file's unit for `baseWidth` characters: the
// digits and 5 pixels of padding, rounded up to a multiple of 8 pixels.
double DefaultColumnWidth(double baseWidth, int maxDigitWidth) {
  const double pixels = std::ceil((baseWidth * maxDigitWidth + 5) / 8) * 8;
  return std::floor(pixels / maxDigitWidth * 256) / 256;
}

// Reads the <c> elements of a sheetData into a grid.
class SheetDataReader {
 public:
  SheetDataReader(WorkbookParts& parts, SheetPart& sheet, bool date1904)
      : partName_(sheet.partName), grid_(sheet.sheet->grid()), decoder_(parts, sheet.partName, date1904, parts.workbook->formats.size(), 0) {}

  // Reads the rows of the sheetData text, and numbers its row pieces.
  void Read(SheetRows& rows, const std::string& holderName) {
    std::vector<std::string_view> texts;
    for (const SheetDataPiece& piece : rows.pieces) {
      if (piece.element) texts.emplace_back(rows.text.data() + piece.begin, piece.end - piece.begin);
    }
    PlainRowsAhead parsed(std::move(texts), &RowDecoder::Prepare);
    pugi::xml_document scratch;
    std::int32_t number = 0;
    for (SheetDataPiece& piece : rows.pieces) {
      if (!piece.element) continue;
      const PlainRow* const plain = parsed.Next();
      if (plain != nullptr && decoder_.Readable(*plain)) {
        number = decoder_.PlainRowNumber(number);
        embedded::model::Row& row = grid_.rows[number];
        decoder_.DecodePlain(*plain, number, row, rowFormulas_);
        FinishRow(row, number);
        piece.row = number;
        piece.rewriteAlways = decoder_.TakeMissingEntries();
        continue;
      }
      scratch.reset();
      pugi::xml_node holder = scratch.append_child(holderName.c_str());
      ParseSheetDataPiece(holder, rows, piece, partName_);
      const pugi::xml_node element = holder.first_child();
      if (!IsNamed(element, "row")) continue;
      number = decoder_.ElementRowNumber(element, number);
      embedded::model::Row& row = grid_.rows[number];
      decoder_.DecodeElement(element, number, row, rowFormulas_);
      FinishRow(row, number);
      piece.row = number;
      piece.rewriteAlways = decoder_.TakeMissingEntries() || !element.attribute("r");
    }
  }

  // Member formulas from their masters, and array formulas in their
  // top-left cells.
  void Finish(std::unordered_map<std::uint32_t, std::vector<CellAddress>>& membersOut,
              std::unordered_map<std::uint32_t, SharedMaster>& mastersOut) {
    grid_.formulas.reserve(grid_.formulas.size() + formulas_.size() + members_.size() + arrays_.size());
    for (auto& [key, formula] : formulas_) grid_.formulas.insert_or_assign(key, std::move(formula));
    for (const auto& [address, index] : members_) {
      const auto master = masters_.find(index);
      Cell* cell = grid_.Find(address);
      if (master == masters_.end() || cell == nullptr) continue;
      const CellAddress from = master->second.address;
      grid_.formulas.insert_or_assign(
          Grid::FormulaKey(address),
          Formula(ShiftFormula(master->second.text, address.row - from.row, address.column - from.column)));
      cell->hasFormula = true;
      membersOut[index].push_back(address);
    }
    mastersOut = std::move(masters_);
    for (auto& [range, formula] : arrays_) {
      grid_.arrays.push_back(range);
      grid_.Obtain(range.TopLeft()).hasFormula = true;
      grid_.formulas.insert_or_assign(Grid::FormulaKey(range.TopLeft()), std::move(formula));
    }
  }

 private:
  // Takes the row's formulas, and drops the row when it holds nothing.
  void FinishRow(embedded::model::Row& row, std::int32_t number) {
    for (const RowFormula& formula : rowFormulas_) {
      const CellAddress address{number, formula.column};
      switch (formula.kind) {
        case RowFormula::Kind::SharedMaster:
          masters_.try_emplace(formula.sharedIndex, SharedMaster{address, std::string(formula.text)});
          formulas_.emplace_back(Grid::FormulaKey(address), Formula(formula.text));
          break;
        case RowFormula::Kind::SharedMember:
          members_.emplace_back(address, formula.sharedIndex);
          break;
        case RowFormula::Kind::Array:
          arrays_.emplace_back(formula.range, Formula(formula.text));
          break;
        case RowFormula::Kind::Own:
          formulas_.emplace_back(Grid::FormulaKey(address), Formula(formula.text));
          break;
      }
    }
    rowFormulas_.clear();
    RowDecoder::FinishRow(row);
    if (row.HoldsNothing()) grid_.rows.erase(number);
  }

  const std::string& partName_;
  Grid& grid_;
  RowDecoder decoder_;
  std::vector<RowFormula> rowFormulas_;
  std::unordered_map<std::uint32_t, SharedMaster> masters_;
  std::vector<std::pair<CellAddress, std::uint32_t>> members_;
  std::vector<std::pair<CellRect, std::string>> arrays_;
  // The cells' own formulas in the order read, put in the grid's table at
  // once when its size is known.
  std::vector<std::pair<std::uint64_t, std::string>> formulas_;
};

}  // namespace

void CellsAspect::Read(WorkbookParts& parts, SheetPart& sheet) {
  partName_ = sheet.partName;
  const pugi::xml_node worksheet = sheet.xml.document_element();
  if (!IsNamed(worksheet, "worksheet")) return;
  date1904_ = UsesDate1904(parts.workbookXml);
  Grid& grid = sheet.sheet->grid();
  ReadSheetFormat(worksheet, grid, parts.workbook->maxDigitWidth);
  ReadColumns(worksheet, grid, parts.workbook->formats.size());
  const pugi::xml_node sheetData = ChildNamed(worksheet, "sheetData");
  SheetDataReader reader(parts, sheet, date1904_);
  reader.Read(sheet.sheetRows, sheetData ? sheetData.name() : "sheetData");
  std::unordered_map<std::uint32_t, std::vector<CellAddress>> members;
  std::unordered_map<std::uint32_t, SharedMaster> masters;
  reader.Finish(members, masters);
  for (auto& [index, addresses] : members) {
    const auto master = masters.find(index);
    if (master != masters.end()) {
      sharedFormulas_[index] = SharedFormula{std::move(master->second), std::move(addresses)};
    }
  }
  IndexRows(sheet.sheetRows);
  layout_.Take(grid);
  digests_ = DigestRows(grid);
  entryCount_ = parts.workbook->formats.size();
}

void CellsAspect::ReadSheetFormat(const pugi::xml_node& worksheet, Grid& grid, int maxDigitWidth) {
  const pugi::xml_node format = ChildNamed(worksheet, "sheetFormatPr");
  if (!format) return;
  if (const pugi::xml_attribute height = format.attribute("defaultRowHeight")) grid.defaultRowHeight = height.as_double();
  if (const pugi::xml_attribute width = format.attribute("defaultColWidth")) {
    grid.defaultColumnWidth = width.as_double();
  } else if (const pugi::xml_attribute base = format.attribute("baseColWidth"); base && maxDigitWidth > 0) {
    grid.defaultColumnWidth = DefaultColumnWidth(base.as_double(), maxDigitWidth);
  }
}

void CellsAspect::ReadColumns(const pugi::xml_node& worksheet, Grid& grid, std::size_t formatCount) {
  for (const pugi::xml_node cols : worksheet.children()) {
    if (!IsNamed(cols, "cols")) continue;
    for (const pugi::xml_node col : cols.children()) {
      if (!IsNamed(col, "col")) continue;
      const std::int32_t first = std::max(1, col.attribute("min").as_int());
      const std::int32_t last = std::min(embedded::model::kColumnCount, col.attribute("max").as_int(first));
      embedded::model::Column column;
      if (const pugi::xml_attribute width = col.attribute("width")) column.width = width.as_double();
      column.hidden = IsTrue(col.attribute("hidden"));
      if (const pugi::xml_attribute style = col.attribute("style")) {
        column.format = style.as_uint() < formatCount ? style.as_uint() : 0;
      }
      // A later <col> over the same columns replaces what an earlier one said.
      grid.columns.Assign(first, last, column);
    }
  }
}

void CellsAspect::IndexRows(const SheetRows& rows) {
  rowOrder_.clear();
  for (std::size_t i = 0; i < rows.pieces.size(); ++i) {
    if (rows.pieces[i].row != 0) rowOrder_.push_back(i);
  }
  const auto byNumber = [&](std::size_t a, std::size_t b) { return rows.pieces[a].row < rows.pieces[b].row; };
  // Rows mostly come in order already.
  if (!std::is_sorted(rowOrder_.begin(), rowOrder_.end(), byNumber)) {
    std::stable_sort(rowOrder_.begin(), rowOrder_.end(), byNumber);
  }
}

}  // namespace tabulara::xlsx
