#include "xlsx/comments/vml_shape_types.h"

#include <array>
#include <utility>

#include "host/constants.h"

namespace tabulara::xlsx {
namespace {

inline constexpr int kTextBoxPreset = 202;

// MsoAutoShapeType and the VML (drawing-format) preset of the same shape.
constexpr std::array<std::pair<int, int>, 18> kPresets{{
    {host::msoShapeRectangle, 1},
    {host::msoShapeRoundedRectangle, 2},
    {9, 3},
    {4, 4},
    {7, 5},
    {8, 6},
    {2, 7},
    {3, 8},
    {10, 9},
    {host::msoShapeOctagon, 10},
    {host::msoShapeCross, 11},
    {host::msoShapePlaque, 21},
    {host::msoShapeWave, 64},
    {host::msoShapeFoldedCorner, 65},
    {host::msoShapeHeart, 74},
    {host::msoShape24pointStar, 92},
    {host::msoShapeFlowchartMultidocument, 115},
    {host::msoShapeDoubleWave, 188},
}};

}  // namespace

int VmlPresetOfAutoShapeType(int autoShapeType) {
  if (autoShapeType == host::msoShapeRectangle) return kTextBoxPreset;
  for (const auto& [type, preset] : kPresets) {
    if (type == autoShapeType) return preset;
  }
  return kTextBoxPreset;
}

int AutoShapeTypeOfVmlPreset(int preset) {
  for (const auto& [type, vml] : kPresets) {
    if (vml == preset) return type;
  }
  return host::msoShapeRectangle;
}

}  // namespace tabulara::xlsx
