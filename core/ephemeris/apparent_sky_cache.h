// The modern sky for searches that sample many instants: each body's apparent longitude, latitude and
// distance fitted with Chebyshev polynomials over fixed windows of time, with the true obliquity, computed
// from ApparentSkyAt at the Chebyshev nodes the first time a window is asked for and then read in a fraction
// of a microsecond. The places are fitted without the Sun's light deflection, which is sharp near a
// conjunction, and bent after from the fitted Sun; the declination follows from the longitude, the latitude
// and the obliquity. The windows lie at fixed multiples of their length from J2000.0, so a place does not
// depend on what was asked before. The fits keep within 0.01" (and 1e-9 au) of ApparentSkyAt.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "ephemeris/apparent_sky.h"

namespace talvenor {

// The bodies fitted together, over windows of the same length, with polynomials of the same degree: the
// Moon over 32 days with degree 32 (0.0015" at worst from 1800 to 2200), the others over 32 days with
// degree 24 (0.0002"; the nutation's 9- and 14-day terms are what the degree is for).
struct SkyCacheGroup {
    SkyBodies bodies = 0;
    double windowDays = 0;
    int degree = 0;
};
inline constexpr std::size_t kSkyCacheGroups = 2;
inline constexpr int kSkyCacheMaxDegree = 32;
inline constexpr std::array<SkyCacheGroup, kSkyCacheGroups> kSkyCacheGroupings = {{
    {SkyBodyBit(ModernBody::Moon), 32, 32},
    {kAllSkyBodies & ~SkyBodyBit(ModernBody::Moon), 32, 24},
}};

class ApparentSkyCache {
  public:
    // The tables must outlive the cache. One cache belongs to one thread.
    explicit ApparentSkyCache(const ModernTables& tables, NutationSeries nutation = NutationSeries::Iau2000A)
        : tables_(tables), nutation_(nutation), windows_(kSkyCacheGroups) {}

    // The apparent place of a body at a Julian day of TT, as ApparentSkyAt gives it with the nutation chosen.
    ApparentPlace PlaceAt(ModernBody body, double julianDayTt);
    // The rate of its apparent longitude in degrees per day, from the fitted longitude.
    double SpeedAt(ModernBody body, double julianDayTt);

    // How many windows have been fitted so far (each costs degree + 1 skies of its group's bodies).
    std::size_t WindowsFitted() const { return fitted_; }

  private:
    static constexpr std::size_t kCoordinates = 3;  // longitude (unwrapped), latitude, distance
    static constexpr std::size_t kSlots = 4;        // windows kept per group
    struct Window {
        long index = 0;
        bool filled = false;
        // Coefficients per body of the group's bodies (in ModernBody order), per coordinate.
        std::array<std::array<std::array<double, kSkyCacheMaxDegree + 1>, kCoordinates>, kApparentSkyBodies>
            coefficients{};
        std::array<double, kSkyCacheMaxDegree + 1> obliquity{};
    };
    struct Found {
        const Window* window = nullptr;
        double x = 0, halfSpan = 0;  // the instant in [-1, 1] over the window, half the window in days
        int degree = 0;
    };
    Found WindowFor(ModernBody body, double julianDayTt);
    void Fit(std::size_t group, long index, Window& window);

    const ModernTables& tables_;
    NutationSeries nutation_;
    std::vector<std::array<Window, kSlots>> windows_;  // per group
    std::array<std::size_t, kSkyCacheGroups> next_{};
    std::size_t fitted_ = 0;
};

}  // namespace talvenor
