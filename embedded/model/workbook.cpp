#include "embedded/model/workbook.h"

namespace tabulara::embedded::model {

std::ptrdiff_t Workbook::IndexOf(const Sheet& sheet) const {
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].get() == &sheet) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

}  // namespace tabulara::embedded::model
