#pragma once

#include <cmath>
#include <cstdint>

namespace tabulara::xlsx {

// DrawingML measures in English Metric Units: 12700 to the point.
inline constexpr double kEmuPerPoint = 12700;

inline double PointsOfEmu(double emu) { return emu / kEmuPerPoint; }
inline std::int64_t EmuOfPoints(double points) { return std::llround(points * kEmuPerPoint); }

}  // namespace tabulara::xlsx
