// The points of a chart, numbered as every table reads them. The engine computes the first ten (the
// bodies) and the nodes; the chart adds the Part of Fortune and takes the angles from the place.
#pragma once

namespace talvenor {

enum PointIndex : int {
    kSun = 1,
    kMercury = 2,
    kVenus = 3,
    kMars = 4,
    kJupiter = 5,
    kSaturn = 6,
    kUranus = 7,
    kNeptune = 8,
    kPluto = 9,
    kMoon = 10,
    kNorthNode = 11,
    kSouthNode = 12,
    kPartOfFortune = 13,
    kAscendant = 14,
    kMidheaven = 15,
};
inline constexpr int kPointCount = 15;

// Sun, Mercury to Pluto and the Moon: points 1 to 10.
inline constexpr int kBodyCount = 10;

}  // namespace talvenor
