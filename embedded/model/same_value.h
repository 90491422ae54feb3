#pragma once

#include <cmath>

#include "embedded/model/cell.h"

namespace tabulara::embedded::model {

// Whether two cells hold the same value (their formats and formulas aside).
// A NaN that a file held is the same as itself.
inline bool SameValue(const Cell& a, const Cell& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case ValueKind::Empty:
      return true;
    case ValueKind::Number:
      return a.number == b.number || (std::isnan(a.number) && std::isnan(b.number));
    case ValueKind::Text:
      return a.text == b.text;
    case ValueKind::Logical:
      return a.logical == b.logical;
    case ValueKind::Error:
      return a.error == b.error;
  }
  return false;
}

}  // namespace tabulara::embedded::model
