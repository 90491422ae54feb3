#include "xlsx/hyperlinks/hyperlink_location.h"

namespace tabulara::xlsx {

std::string LocationOf(const std::string& subAddress, const std::string& workbookName) {
  std::string bracketed = "[" + workbookName + "]";
  if (subAddress.starts_with(bracketed)) return subAddress.substr(bracketed.size());
  if (subAddress.starts_with("'" + bracketed)) return "'" + subAddress.substr(bracketed.size() + 1);
  return subAddress;
}

}  // namespace tabulara::xlsx
