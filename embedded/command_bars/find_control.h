#pragma once

#include <memory>
#include <optional>
#include <string>

#include "embedded/command_bars/model.h"

namespace tabulara::embedded::command_bars {

// FindControl's criteria: an omitted one matches every control.
struct ControlCriteria {
  std::optional<int> type;
  std::optional<int> id;
  std::optional<std::string> tag;
  // Only controls shown, inside pop-ups shown; otherwise hidden ones too.
  bool visibleOnly = false;
  // The items of pop-ups too, depth first in menu order.
  bool recursive = false;
};

// The first control of the bar that meets every criterion, or none.
std::shared_ptr<Control> FindFirstControl(const Bar& bar, const ControlCriteria& criteria);

}  // namespace tabulara::embedded::command_bars
