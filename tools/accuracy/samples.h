// The instants the engine is compared at: a regular grid over the whole range and instants drawn at
// random within it, the same ones on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "ephemeris/chart_angles.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

struct SampleRange {
    double FirstJulianDay = 0;  // Universal Time, the first instant of the grid
    double EndJulianDay = 0;    // Universal Time, no instant lies past it
    double StepDays = 0;        // grid spacing; a step that is no whole number of days varies the hour
    int RandomCount = 0;        // instants drawn uniformly from [first, end)
    std::uint64_t Seed = 0;     // of the random draw, so that every run compares the same instants
};

// The grid first, in order, then the random instants.
std::vector<double> SampleInstants(const SampleRange& range);

// Places drawn at random, the same ones on every run: longitudes uniform over the whole circle
// [-180, 180), latitudes uniform in [-maxLatitude, maxLatitude) degrees, the hemisphere after the latitude.
std::vector<Place> SamplePlaces(std::size_t count, double maxLatitude, std::uint64_t seed);

// The engine's instant for a Julian day of Universal Time, built as a chart builds it: the civil date's
// day number and the time of day from 0h of that date (zone 0).
Instant EngineInstantAt(double julianDayUt);

}  // namespace talvenor
