#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// The MsoAutoShapeType of a DrawingML preset geometry ("roundRect" is 5);
// nothing for presets without one.
std::optional<int> AutoShapeTypeOfPreset(std::string_view preset);
// The preset geometry of an MsoAutoShapeType; nothing for types without one.
std::optional<std::string> PresetOfAutoShapeType(int autoShapeType);

}  // namespace tabulara::xlsx
