#include "xlsx/cells/worksheet_children.h"

#include <algorithm>
#include <array>
#include <string>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

constexpr std::array<std::string_view, 6> kLeadingChildren{"sheetPr",       "dimension", "sheetViews",
                                                           "sheetFormatPr", "cols",      "sheetData"};

std::ptrdiff_t RankOf(std::string_view local) {
  const auto found = std::find(kLeadingChildren.begin(), kLeadingChildren.end(), local);
  return found == kLeadingChildren.end() ? static_cast<std::ptrdiff_t>(kLeadingChildren.size())
                                         : found - kLeadingChildren.begin();
}

}  // namespace

pugi::xml_node ObtainWorksheetChild(pugi::xml_node worksheet, std::string_view local) {
  if (pugi::xml_node found = ChildNamed(worksheet, local)) return found;
  const std::ptrdiff_t rank = RankOf(local);
  const std::string name = NameLike(worksheet, local);
  for (pugi::xml_node child = worksheet.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && RankOf(LocalName(child)) > rank) {
      return worksheet.insert_child_before(name.c_str(), child);
    }
  }
  return worksheet.append_child(name.c_str());
}

}  // namespace tabulara::xlsx
