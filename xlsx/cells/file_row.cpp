#include "xlsx/cells/file_row.h"

#include <algorithm>

#include "xlsx/cells/formula_shifter.h"

namespace tabulara::xlsx {

void FileRow::Clear() {
  row.cells.clear();
  row.height.reset();
  row.hidden = false;
  row.format.reset();
  decoded.clear();
  formulas_.clear();
  texts_.clear();
}

void FileRow::Finish(std::int32_t number, const SharedFormulas& shared) {
  number_ = number;
  RowDecoder::FinishRow(row);
  std::stable_sort(decoded.begin(), decoded.end(),
                   [](const RowFormula& a, const RowFormula& b) { return a.column < b.column; });
  // Ranks of the formulas a cell may have; the last of the highest wins.
  const auto rank = [&](const RowFormula& formula) {
    switch (formula.kind) {
      case RowFormula::Kind::Array:
        return 3;
      case RowFormula::Kind::SharedMember:
        return shared.count(formula.sharedIndex) != 0 ? 2 : 0;
      case RowFormula::Kind::Own:
      case RowFormula::Kind::SharedMaster:
        return 1;
    }
    return 0;
  };
  auto cell = row.cells.begin();
  for (auto first = decoded.begin(); first != decoded.end();) {
    const std::uint16_t column = first->column;
    const RowFormula* winner = nullptr;
    int best = 0;
    for (; first != decoded.end() && first->column == column; ++first) {
      const int own = rank(*first);
      if (own > 0 && own >= best) {
        winner = &*first;
        best = own;
      }
    }
    if (winner == nullptr) continue;
    Formula formula{column};
    if (winner->kind == RowFormula::Kind::SharedMember) {
      formula.master = &shared.at(winner->sharedIndex).master;
    } else {
      formula.offset = texts_.size();
      formula.size = winner->text.size();
      texts_ += winner->text;
    }
    formulas_.push_back(formula);
    // Members and arrays mark their cell, as the read's resolution does; own
    // formulas marked theirs as decoded.
    if (winner->kind != RowFormula::Kind::SharedMember && winner->kind != RowFormula::Kind::Array) continue;
    while (cell != row.cells.end() && cell->column < column) ++cell;
    if (cell != row.cells.end() && cell->column == column) cell->hasFormula = true;
  }
}

bool FileRow::SameFormula(std::uint16_t column, const std::string* now) const {
  const auto found = std::lower_bound(formulas_.begin(), formulas_.end(), column,
                                      [](const Formula& formula, std::uint16_t wanted) { return formula.column < wanted; });
  if (found == formulas_.end() || found->column != column) return now == nullptr;
  if (now == nullptr || now->empty() || now->front() != '=') return false;
  const std::string_view body = std::string_view(*now).substr(1);
  if (found->master == nullptr) return body == std::string_view(texts_).substr(found->offset, found->size);
  const embedded::model::CellAddress from = found->master->address;
  return body == ShiftFormula(found->master->text, number_ - from.row, column - from.column);
}

}  // namespace tabulara::xlsx
