#include <algorithm>
#include <string>
#include <vector>

#include "xlsx/aspects.h"
#include "xlsx/settings/selection_text.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::AreaRules;
using embedded::model::Areas;
using embedded::model::CellRect;
using settings::SqrefAreas;
using settings::SqrefText;

void SetCount(pugi::xml_node list, std::string_view item) {
  std::size_t count = 0;
  for (const pugi::xml_node child : list.children()) count += IsNamed(child, item) ? 1 : 0;
  if (pugi::xml_attribute attribute = list.attribute("count")) attribute.set_value(count);
}

// The list's items in order, each with the areas its attribute names (none
// when it names no cells).
std::vector<pugi::xml_node> Items(const pugi::xml_node& list, std::string_view item, std::vector<Areas>& areas) {
  std::vector<pugi::xml_node> items;
  for (const pugi::xml_node child : list.children()) {
    if (!IsNamed(child, item)) continue;
    items.push_back(child);
    areas.push_back(SqrefAreas(child.attribute("sqref").value()).value_or(Areas{}));
  }
  return items;
}

// Merged cells, conditional formats and data validations of a worksheet:
// an item whose cells changed gets its new sqref, one left with none goes,
// and a list left empty goes with it.
class AreaRulesAspect : public SheetAspect {
 public:
  void Read(WorkbookParts&, SheetPart& part) override {
    const pugi::xml_node root = part.xml.document_element();
    AreaRules& rules = part.sheet->areaRules();
    for (const pugi::xml_node merged : ChildNamed(root, "mergeCells").children()) {
      if (!IsNamed(merged, "mergeCell")) continue;
      const auto areas = SqrefAreas(merged.attribute("ref").value());
      if (areas && areas->size() == 1) rules.merged.push_back(areas->front());
    }
    formats_ = Items(root, "conditionalFormatting", rules.conditionalFormats);
    validations_ = Items(ChildNamed(root, "dataValidations"), "dataValidation", rules.validations);
    read_ = rules;
  }

  bool Write(WorkbookParts&, SheetPart& part) override {
    const AreaRules& rules = part.sheet->areaRules();
    if (rules == read_) return false;
    pugi::xml_node root = part.xml.document_element();
    if (rules.merged != read_.merged) WriteMerged(root, rules.merged);
    WriteItems(formats_, rules.conditionalFormats, read_.conditionalFormats);
    WriteItems(validations_, rules.validations, read_.validations);
    const pugi::xml_node validations = ChildNamed(root, "dataValidations");
    SetCount(validations, "dataValidation");
    if (validations && !ChildNamed(validations, "dataValidation")) root.remove_child(validations);
    read_ = rules;
    return true;
  }

 private:
  static void WriteMerged(pugi::xml_node root, const Areas& merged) {
    pugi::xml_node list = ChildNamed(root, "mergeCells");
    for (pugi::xml_node item = list.first_child(); item;) {
      const pugi::xml_node next = item.next_sibling();
      const auto areas = SqrefAreas(item.attribute("ref").value());
      if (IsNamed(item, "mergeCell") && areas && areas->size() == 1 &&
          std::find(merged.begin(), merged.end(), areas->front()) == merged.end()) {
        list.remove_child(item);
      }
      item = next;
    }
    SetCount(list, "mergeCell");
    if (list && !ChildNamed(list, "mergeCell")) root.remove_child(list);
  }

  static void WriteItems(std::vector<pugi::xml_node>& items, const std::vector<Areas>& now,
                         const std::vector<Areas>& before) {
    for (std::size_t i = 0; i < items.size() && i < now.size(); ++i) {
      if (!items[i] || now[i] == before[i]) continue;
      if (now[i].empty()) {
        items[i].parent().remove_child(items[i]);
        items[i] = pugi::xml_node();
      } else {
        items[i].attribute("sqref").set_value(SqrefText(now[i]).c_str());
      }
    }
  }

  std::vector<pugi::xml_node> formats_;
  std::vector<pugi::xml_node> validations_;
  AreaRules read_;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeAreaRulesAspect() { return std::make_unique<AreaRulesAspect>(); }

}  // namespace tabulara::xlsx
