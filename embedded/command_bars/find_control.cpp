#include "embedded/command_bars/find_control.h"

namespace tabulara::embedded::command_bars {
namespace {

bool Meets(const Control& control, const ControlCriteria& criteria) {
  return (!criteria.type || control.type == *criteria.type) && (!criteria.id || control.id == *criteria.id) &&
         (!criteria.tag || control.tag == *criteria.tag) && (!criteria.visibleOnly || control.visible);
}

}  // namespace

std::shared_ptr<Control> FindFirstControl(const Bar& bar, const ControlCriteria& criteria) {
  for (const std::shared_ptr<Control>& control : bar.controls) {
    if (Meets(*control, criteria)) return control;
    const bool searchItems = criteria.recursive && control->bar && (!criteria.visibleOnly || control->visible);
    if (!searchItems) continue;
    if (std::shared_ptr<Control> found = FindFirstControl(*control->bar, criteria)) return found;
  }
  return nullptr;
}

}  // namespace tabulara::embedded::command_bars
