#pragma once

#include <cstdint>

namespace tabulara::embedded::model {

// What a cell holds. A date is a number whose format is a date format.
enum class ValueKind : std::uint8_t { Empty, Number, Text, Logical, Error };

// One stored cell, 16 bytes. A text is an index into the workbook's string
// pool; a formula's text lives in the grid's formula table and its cached
// value here (Empty until the spreadsheet calculates it).
struct Cell {
  std::uint16_t column = 1;
  ValueKind kind = ValueKind::Empty;
  bool hasFormula = false;
  // Index into the workbook's format table.
  std::uint32_t format = 0;
  union {
    double number = 0;
    std::uint32_t text;
    std::int32_t error;
    bool logical;
  };

  void SetEmpty() {
    kind = ValueKind::Empty;
    number = 0;
  }
  void SetNumber(double value) {
    kind = ValueKind::Number;
    number = value;
  }
  void SetText(std::uint32_t id) {
    kind = ValueKind::Text;
    text = id;
  }
  void SetLogical(bool value) {
    kind = ValueKind::Logical;
    logical = value;
  }
  void SetError(std::int32_t code) {
    kind = ValueKind::Error;
    error = code;
  }
};

static_assert(sizeof(Cell) == 16);

}  // namespace tabulara::embedded::model
