#include "xlsx/drawing/preset_shapes.h"

#include <array>
#include <utility>

#include "host/constants.h"

namespace tabulara::xlsx {
namespace {

constexpr std::array<std::pair<int, std::string_view>, 36> kPresets{{
    {host::msoShapeRectangle, "rect"},
    {2, "parallelogram"},
    {3, "trapezoid"},
    {4, "diamond"},
    {host::msoShapeRoundedRectangle, "roundRect"},
    {host::msoShapeOctagon, "octagon"},
    {7, "triangle"},
    {8, "rtTriangle"},
    {9, "ellipse"},
    {10, "hexagon"},
    {host::msoShapeCross, "plus"},
    {12, "pentagon"},
    {13, "can"},
    {14, "cube"},
    {15, "bevel"},
    {host::msoShapeFoldedCorner, "foldedCorner"},
    {17, "smileyFace"},
    {18, "donut"},
    {19, "noSmoking"},
    {20, "blockArc"},
    {host::msoShapeHeart, "heart"},
    {22, "lightningBolt"},
    {23, "sun"},
    {24, "moon"},
    {25, "arc"},
    {host::msoShapePlaque, "plaque"},
    {33, "rightArrow"},
    {34, "leftArrow"},
    {35, "upArrow"},
    {36, "downArrow"},
    {host::msoShapeFlowchartMultidocument, "flowChartMultidocument"},
    {91, "star4"},
    {92, "star5"},
    {host::msoShape24pointStar, "star24"},
    {host::msoShapeWave, "wave"},
    {host::msoShapeDoubleWave, "doubleWave"},
}};

}  // namespace

std::optional<int> AutoShapeTypeOfPreset(std::string_view preset) {
  for (const auto& [type, name] : kPresets) {
    if (name == preset) return type;
  }
  return std::nullopt;
}

std::optional<std::string> PresetOfAutoShapeType(int autoShapeType) {
  for (const auto& [type, name] : kPresets) {
    if (type == autoShapeType) return std::string(name);
  }
  return std::nullopt;
}

}  // namespace tabulara::xlsx
