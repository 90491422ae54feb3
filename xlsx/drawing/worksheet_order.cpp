#include "xlsx/drawing/worksheet_order.h"

#include <algorithm>
#include <array>

#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

constexpr std::array<std::string_view, 39> kWorksheetOrder{
    "sheetPr",         "dimension",          "sheetViews",      "sheetFormatPr",  "cols",
    "sheetData",       "sheetCalcPr",        "sheetProtection", "protectedRanges", "scenarios",
    "autoFilter",      "sortState",          "dataConsolidate", "customSheetViews", "mergeCells",
    "phoneticPr",      "conditionalFormatting", "dataValidations", "hyperlinks",   "printOptions",
    "pageMargins",     "pageSetup",          "headerFooter",    "rowBreaks",      "colBreaks",
    "customProperties", "cellWatches",       "ignoredErrors",   "smartTags",      "drawing",
    "legacyDrawing",   "legacyDrawingHF",    "drawingHF",       "picture",        "oleObjects",
    "controls",        "webPublishItems",    "tableParts",      "extLst"};

// Position in the schema's order; elements the order does not know (from
// other namespaces) count as coming last.
std::size_t Rank(std::string_view localName) {
  auto found = std::find(kWorksheetOrder.begin(), kWorksheetOrder.end(), localName);
  return static_cast<std::size_t>(found - kWorksheetOrder.begin());
}

}  // namespace

pugi::xml_node InsertWorksheetChild(pugi::xml_node worksheet, std::string_view localName) {
  std::size_t rank = Rank(localName);
  std::string name = NameLike(worksheet, localName);
  for (pugi::xml_node child : worksheet.children()) {
    if (child.type() == pugi::node_element && Rank(LocalName(child)) > rank) {
      return worksheet.insert_child_before(name.c_str(), child);
    }
  }
  return worksheet.append_child(name.c_str());
}

bool RemoveWorksheetChild(pugi::xml_node worksheet, std::string_view localName) {
  pugi::xml_node child = ChildNamed(worksheet, localName);
  return child && worksheet.remove_child(child);
}

}  // namespace tabulara::xlsx
