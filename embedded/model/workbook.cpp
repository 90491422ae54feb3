#include "embedded/model/workbook.h"

namespace tabulara::embedded::model {

// Every host call on a sheet asks for its position: the sheet's hint
// answers at once unless the tabs moved since, and then one walk renews the
// hints of every sheet, so that moving sheet after sheet does not cost a
// walk per call.
std::ptrdiff_t Workbook::IndexOf(const Sheet& sheet) const {
  const std::size_t hint = sheet.tabIndexHint;
  if (hint < sheets.size() && sheets[hint].get() == &sheet) return static_cast<std::ptrdiff_t>(hint);
  std::ptrdiff_t found = -1;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    sheets[i]->tabIndexHint = i;
    if (sheets[i].get() == &sheet) found = static_cast<std::ptrdiff_t>(i);
  }
  return found;
}

}  // namespace tabulara::embedded::model
