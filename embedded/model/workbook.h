#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/model/format_table.h"
#include "embedded/model/sheet.h"
#include "embedded/model/string_pool.h"

namespace tabulara::embedded::model {

struct Workbook {
  // The file name without its folder, "Book1.xlsx".
  std::string name = "Book1.xlsx";
  // Tab order.
  std::vector<std::shared_ptr<Sheet>> sheets;
  std::weak_ptr<Sheet> activeSheet;
  // Workbook-structure protection: no sheet is added, moved, renamed,
  // hidden or shown.
  bool structureProtected = false;
  StringPool strings;
  FormatTable formats;
  // Pixels of the widest digit of the default font (7 for Calibri 11).
  int maxDigitWidth = 7;
  // The number of the next default sheet name, "Sheet4".
  int nextSheetNumber = 1;
  // The file asks for every formula to be calculated when it is opened: the
  // values it gives the formulas are not to be trusted.
  bool fullCalculationOnLoad = false;
  // A cell's value changed, or a formula was entered, since the workbook was
  // read or made: any formula's value may be out of date.
  bool cellsChanged = false;
  // Every formula of every sheet was calculated, or kept a value the file
  // vouched for: with no cell changed since, each formula's value is current.
  bool formulasCalculated = false;

  std::shared_ptr<Sheet> ActiveSheet() const { return activeSheet.lock(); }
  // Position in tab order, from 0; -1 when the sheet is not in the workbook.
  std::ptrdiff_t IndexOf(const Sheet& sheet) const;
};

}  // namespace tabulara::embedded::model
