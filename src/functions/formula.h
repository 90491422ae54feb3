#pragma once

#include "host/variant.h"

namespace tabulara::functions {

// The ProgID by which the host loads the worksheet functions.
inline constexpr const char* kFormulaProgID = "Quorvel.Formula";

// The worksheet functions, a class the host creates itself while it has the
// automation add-in installed. It keeps no state.
class Formula {
 public:
  // The number of calendar-year boundaries from `birthday` to today (today's
  // year minus the birthday's: no adjustment for month and day, negative for
  // a later year). `birthday` is a date, or a text that reads as one; a cell
  // reference counts as its value. Anything else gives #VALUE!.
  host::Variant Age(const host::Variant& birthday);
  // The generator's next number, from 0 up to but not including 1, the
  // calling cell marked volatile. Fails while the add-in is not connected.
  host::Variant NonStaticRand();
};

}  // namespace tabulara::functions
