// The sky at one instant: the Sun, Mercury to Pluto and the Moon, the Moon's nodes and the obliquity.
//
// A pure function of the instant: it reads nothing else and writes nothing but its result, so it can be
// called for as many instants as a search or a graph needs.
#pragma once

#include <array>

#include "ephemeris/fault_watch.h"
#include "ephemeris/point_index.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// Per-body values indexed like the chart's points: 1 Sun, 2 Mercury ... 9 Pluto, 10 Moon; element 0 is
// not used.
using BodyArray = std::array<double, kBodyCount + 1>;

struct Sky {
    BodyArray Longitude{};    // geocentric ecliptic longitude of the equinox of date, degrees, [0, 360)
    BodyArray Latitude{};     // ecliptic latitude, degrees (the Sun's is 0)
    BodyArray Declination{};  // degrees, north positive
    double MeanNode = 0;      // the Moon's mean ascending node, degrees, [0, 360)
    double TrueNode = 0;      // the Moon's true ascending node, degrees, [0, 360)
    double ObliquityRad = 0;  // obliquity of the ecliptic, radians, positive
    // The modern engine gives each body's motion in longitude at the instant, degrees per day (negative
    // while retrograde); the program's theory does not (its retrograde test compares the next day's sky).
    BodyArray DailyMotion{};
    bool HasDailyMotion = false;
    EngineStatus Status = EngineStatus::Sound;  // when not Sound, the values above are not to be used
};

Sky SkyAt(const Instant& instant);

}  // namespace talvenor
