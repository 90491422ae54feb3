#include "embedded/rules/area_rules.h"

#include <algorithm>

namespace tabulara::embedded {

using model::CellRect;

model::Areas Subtract(const model::Areas& areas, const CellRect& cut) {
  model::Areas left;
  for (const CellRect& area : areas) {
    const auto common = model::Intersection(area, cut);
    if (!common) {
      left.push_back(area);
      continue;
    }
    if (area.top < common->top) left.push_back({area.top, area.left, common->top - 1, area.right});
    if (common->left > area.left) left.push_back({common->top, area.left, common->bottom, common->left - 1});
    if (common->right < area.right) left.push_back({common->top, common->right + 1, common->bottom, area.right});
    if (common->bottom < area.bottom) left.push_back({common->bottom + 1, area.left, area.bottom, area.right});
  }
  return left;
}

void ClearAreaRules(model::AreaRules& rules, const CellRect& area) {
  std::erase_if(rules.merged, [&](const CellRect& merged) { return area.Contains(merged); });
  for (model::Areas& areas : rules.conditionalFormats) areas = Subtract(areas, area);
  for (model::Areas& areas : rules.validations) areas = Subtract(areas, area);
}

}  // namespace tabulara::embedded
