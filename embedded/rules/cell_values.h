#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "embedded/model/workbook.h"
#include "host/variant.h"

namespace tabulara::embedded {

// A cell's value as the host gives it: a formula's cached value (Empty
// before the sheet is calculated), a number in a date format as a date.
host::Variant CellValue(const model::Workbook& workbook, const model::Grid& grid, model::CellAddress cell);

// What putting a value into a cell stores: a constant, or a formula for a
// text beginning with "=". Other texts are read as the host reads typed
// text (a number, a date, a logical value ...); an object is a type
// mismatch.
struct CellEntry {
  CellEntry(std::optional<std::string> entered, host::Variant value, std::string_view format = {}, bool prefixed = false)
      : formula(std::move(entered)), constant(std::move(value)), dateFormat(format), quotePrefix(prefixed) {}

  std::optional<std::string> formula;
  host::Variant constant;
  // For typed text: the format a date takes, and whether an apostrophe
  // made it text.
  std::string_view dateFormat;
  bool quotePrefix = false;
};
CellEntry ReadEntry(const host::Variant& value);

// Stores the entry into the cell: a formula without a cached value, or a
// constant in place of any formula; a date takes a date format unless it
// has one; the cell's quote prefix follows the entry. An Empty constant clears the contents. True when the cell's
// value changed or a formula was entered (a formula replaced by its own
// value changes nothing that other formulas see).
bool StoreEntry(model::Workbook& workbook, model::Grid& grid, model::CellAddress cell, const CellEntry& entry);

// Puts a number, date (as its serial), text, logical value or error value
// into the cell's value, leaving its formula and format; false for any other
// value, which leaves the cell as it was.
bool SetCellValue(model::Workbook& workbook, model::Cell& cell, const host::Variant& value);

// Removes the cell's value and formula; its own format stays. True when
// there was a value or a formula.
bool ClearContents(model::Grid& grid, model::CellAddress cell);

}  // namespace tabulara::embedded
