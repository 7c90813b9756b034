// The tables a chart is made of: the fifteen points, the twelve house cusps, the house column and the
// time and angles of a pass.
#pragma once

#include <array>
#include <cstddef>

namespace talvenor {

using PointArray = std::array<double, 16>;  // elements 1..15 by point index
using CuspArray = std::array<double, 14>;   // elements 1..12: 10th, 11th, 12th, 1st ... 9th house

// Length of PointHouseText: one 10-character slot for each of the 15 points.
inline constexpr std::size_t kHouseTextLength = 150;

// The time and angle outputs of one pass, kept for checking a computation against other tools.
struct PassTimeOutputs {
    double DayFraction = 0, JulianDayNumber = 0, CenturiesT = 0, RamcRad = 0, ObliquityRad = 0,
           ObliquityDeg = 0, Midheaven = 0, Ascendant = 0, Vertex = 0, EquatorialAscendant = 0,
           CoAscendant = 0, PolarAscendant = 0, AuxLatitudeRad = 0;
    int SiderealHours = 0, SiderealMinutes = 0, SiderealSeconds = 0;
    friend bool operator==(const PassTimeOutputs&, const PassTimeOutputs&) = default;
};

}  // namespace talvenor
