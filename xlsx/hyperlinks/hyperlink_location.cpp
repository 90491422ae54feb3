#include "xlsx/hyperlinks/hyperlink_location.h"

#include <string_view>

#include "embedded/rules/sheet_quoting.h"

namespace tabulara::xlsx {

std::string LocationOf(const std::string& subAddress, const std::string& workbookName) {
  std::string bracketed = "[" + workbookName + "]";
  if (subAddress.starts_with(bracketed)) return subAddress.substr(bracketed.size());
  std::string quoted = "'" + embedded::DoubleApostrophes(bracketed);
  if (!subAddress.starts_with(quoted)) return subAddress;
  std::string_view rest = std::string_view(subAddress).substr(quoted.size());
  const auto sheet = embedded::TakeQuotedSheetName(rest);
  if (!sheet) return subAddress;
  return embedded::SheetPrefix(*sheet) + std::string(rest);
}

}  // namespace tabulara::xlsx
