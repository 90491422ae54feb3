#pragma once

#include <memory>
#include <vector>

#include "embedded/command_bars/model.h"

namespace tabulara::embedded::command_bars {

// The host's bars as it starts: "Worksheet Menu Bar" with the menus File to
// Help, and the cell context menu "Cell".
std::vector<std::shared_ptr<Bar>> BuiltInBars();

}  // namespace tabulara::embedded::command_bars
