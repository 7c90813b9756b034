// House cusps in the nine house systems for a place at an instant.
#pragma once

#include <array>

#include "ephemeris/chart_angles.h"
#include "ephemeris/fault_watch.h"

namespace talvenor {

enum class HouseSystem {
    Placidus,
    Regiomontanus,
    Koch,
    Campanus,
    Porphyry,
    EqualAscendant,  // 30-degree houses from the Ascendant
    EqualMidheaven,  // 30-degree houses from the Midheaven
    Meridian,
    Morinus,
};

struct HouseCusps {
    // Ecliptic longitudes in degrees, [0, 360), in label order: element 1 opens the 10th house, 2 the
    // 11th, 3 the 12th, 4 the 1st ... 12 the 9th; element 0 is not used.
    std::array<double, 13> Cusp{};
    EngineStatus Status = EngineStatus::Sound;  // when not Sound, the cusps are not to be used
};

// The cusps from the angles already computed for the place (AnglesAt). Placidus iterates a fixed ten
// steps from the auxiliary angles' latitude; the other systems take the latitude with the place's
// hemisphere. Above about 66 degrees the semi-arcs of the quadrant systems stop existing, which shows as
// an invalid operation.
HouseCusps CuspsFor(const LocalAngles& angles, const Place& place, HouseSystem system);

// The same for an instant, computing the angles first (their fault, if any, is the result's status).
HouseCusps HousesAt(const Instant& instant, const Place& place, HouseSystem system);

}  // namespace talvenor
