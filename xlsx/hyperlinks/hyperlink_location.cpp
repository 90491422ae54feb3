#include "xlsx/hyperlinks/hyperlink_location.h"

#include <string_view>

#include "embedded/rules/sheet_quoting.h"

namespace tabulara::xlsx {
namespace {

using embedded::DoubleApostrophes;

// After the book part of "'[Book]Sheet''s'!$A$1": the sheet name with its
// apostrophes undoubled, and what follows the closing "'!".
bool SplitQuotedSheet(std::string_view rest, std::string& sheet, std::string_view& cell) {
  for (std::size_t at = 0; at < rest.size(); ++at) {
    if (rest[at] != '\'') {
      sheet += rest[at];
    } else if (at + 1 < rest.size() && rest[at + 1] == '\'') {
      sheet += '\'';
      ++at;
    } else if (at + 1 < rest.size() && rest[at + 1] == '!') {
      cell = rest.substr(at + 2);
      return true;
    } else {
      return false;
    }
  }
  return false;
}

}  // namespace

std::string LocationOf(const std::string& subAddress, const std::string& workbookName) {
  std::string bracketed = "[" + workbookName + "]";
  if (subAddress.starts_with(bracketed)) return subAddress.substr(bracketed.size());
  std::string quoted = "'" + DoubleApostrophes(bracketed);
  if (!subAddress.starts_with(quoted)) return subAddress;
  std::string sheet;
  std::string_view cell;
  if (!SplitQuotedSheet(std::string_view(subAddress).substr(quoted.size()), sheet, cell)) return subAddress;
  return embedded::SheetPrefix(sheet) + std::string(cell);
}

}  // namespace tabulara::xlsx
