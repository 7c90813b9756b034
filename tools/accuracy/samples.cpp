#include "samples.h"

#include <cmath>
#include <random>

namespace talvenor {

std::vector<double> SampleInstants(const SampleRange& range) {
    std::vector<double> instants;
    // Counted by index, not by adding the step, so that the last instant carries no summed rounding.
    for (long i = 0;; ++i) {
        const double jd = range.FirstJulianDay + static_cast<double>(i) * range.StepDays;
        if (jd > range.EndJulianDay) break;
        instants.push_back(jd);
    }
    // The 64-bit Mersenne twister is defined to the bit, and the draw to [0, 1) is done here rather than
    // by a library distribution whose algorithm is left to the implementation.
    std::mt19937_64 draw(range.Seed);
    const double span = range.EndJulianDay - range.FirstJulianDay;
    for (int i = 0; i < range.RandomCount; ++i) {
        const double unit = static_cast<double>(draw() >> 11) * 0x1p-53;
        instants.push_back(range.FirstJulianDay + unit * span);
    }
    return instants;
}

std::vector<Place> SamplePlaces(std::size_t count, double maxLatitude, std::uint64_t seed) {
    std::mt19937_64 draw(seed);
    auto unit = [&draw] { return static_cast<double>(draw() >> 11) * 0x1p-53; };
    std::vector<Place> places;
    places.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double longitudeWest = 360.0 * unit() - 180.0;
        const double latitude = maxLatitude * (2.0 * unit() - 1.0);
        places.push_back(PlaceAt(longitudeWest, latitude));
    }
    return places;
}

Instant EngineInstantAt(double julianDayUt) {
    // The civil date starts at the half day before its noon day number.
    const double dayNumber = std::floor(julianDayUt + 0.5);
    return InstantOf(dayNumber, julianDayUt + 0.5 - dayNumber);
}

}  // namespace talvenor
