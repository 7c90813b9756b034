// Shortened copies of the modern series for everyday use, with a stated bound on what the shortening costs.
//
// A term a cos(b + c t) (or a sin(...)) of power k contributes at most |a| |t|^k; the terms left out are
// the smallest by that weight at the edge of the inner span, taken in ascending order as long as the sum of
// their weights stays within the coordinate's budget, both at the edge of the inner span and (with a looser
// budget) at the edge of the outer span. The sum of the dropped |a| |t|^k is a rigorous bound on the
// difference between the full and the shortened series at any t within the span.
//
// The spans: the inner one is 1800-2200 (200 years either side of J2000.0), where the budgets below hold;
// the outer one is the year 1 to 4000 (2000 years either side), where ten times the budget holds. Beyond
// the outer span the bound grows as the highest power of t left out; DroppedAmplitudes::BoundAt gives it.
//
// The budgets are set so that the shortening moves no geocentric place by more than (rigorous bound, inner
// span): the Sun 0.01", Mercury to Saturn 0.03", Uranus and Neptune 0.1", the Moon 0.03" in longitude and
// latitude and 10 m in distance. A heliocentric position error of e au moves a geocentric direction by at
// most e / (the body's least distance from the Earth), and the Earth's own error adds to every planet's:
// each planet's position budget is its angle times its least geocentric distance less the Earth's share,
// shared equally between longitude (times the greatest heliocentric radius), latitude (likewise) and radius.
// The rates differentiated from the shortened series are good to a part in a million of the motion, which
// moves the aberration and the light time by micro-arcseconds.
#pragma once

#include <array>
#include <cstddef>

#include "ephemeris/elp_mpp02.h"
#include "ephemeris/vsop87.h"

namespace talvenor {

// The spans the budgets hold over, in Julian years either side of J2000.0, and the outer budget's factor.
inline constexpr double kTruncationInnerYears = 200;
inline constexpr double kTruncationOuterYears = 2000;
inline constexpr double kTruncationOuterFactor = 30;

// The geocentric budgets in seconds of arc, over the inner span: the Sun's is the Earth's series', and a
// planet's own series add theirs at the planet's closest approach to the Earth; the Earth's error adds to
// every planet's as much as it moves the planet's direction at that approach (0.02" x 0.983 / 0.264 au =
// 0.074" for Venus, less for the others).
inline constexpr double kSunTruncationArcsec = 0.02;
inline constexpr double kPlanetTruncationArcsec = 0.1;       // Mercury to Saturn
inline constexpr double kOuterPlanetTruncationArcsec = 0.3;  // Uranus and Neptune
inline constexpr double kMoonTruncationArcsec = 0.1;         // longitude and latitude each
inline constexpr double kMoonDistanceTruncationKm = 1.0;

// Per planet (Vsop87Body order): its least distance from the Earth and greatest from the Sun, in au.
struct PlanetReach {
    double closestToEarth = 0, farthestFromSun = 0;
};
inline constexpr std::array<PlanetReach, kVsop87Bodies> kPlanetReach = {{
    {0.549, 0.467},  // Mercury
    {0.264, 0.729},  // Venus
    {0.983, 1.017},  // the Earth: its distance from the Sun
    {0.372, 1.666},  // Mars
    {3.95, 5.46},    // Jupiter
    {7.99, 10.1},    // Saturn
    {17.2, 20.1},    // Uranus
    {28.8, 30.4},    // Neptune
}};

// One coordinate's budget: in its series' units (radians, au, seconds of arc or km), over the inner span.
struct TruncationBudget {
    double inner = 0, outer = 0;
};

// The budgets of a planet's longitude and latitude (radians) and radius (au), from the constants above.
struct Vsop87Budgets {
    TruncationBudget L, B, R;
};
Vsop87Budgets Vsop87TruncationBudgets(Vsop87Body body);

// The sums of |a| of the terms left out, power by power, and how many terms were kept and left out.
struct DroppedAmplitudes {
    std::array<double, kVsop87Powers> byPower{};
    std::size_t kept = 0, dropped = 0;
    // The bound on the difference at |t| (t in the series' own unit of time).
    double BoundAt(double absT) const;
};

// The series' own units of time: VSOP87 counts Julian millennia, ELP/MPP02 Julian centuries.
inline constexpr double kVsop87YearsPerUnit = 1000;
inline constexpr double kElpYearsPerUnit = 100;

// A shortened coordinate with the record of what was left out.
struct ShortenedVsop87Series {
    Vsop87Series series;
    DroppedAmplitudes dropped;
};
struct ShortenedElpSeries {
    ElpSeries series;
    DroppedAmplitudes dropped;
};
ShortenedVsop87Series ShortenVsop87Series(const Vsop87Series& full, const TruncationBudget& budget);
ShortenedElpSeries ShortenElpSeries(const ElpSeries& full, const TruncationBudget& budget);

// All the series shortened by the budgets above, with the records (L, B, R for each).
struct ShortenedSeries {
    Vsop87Tables vsop;
    ElpTables elp;
    std::array<std::array<DroppedAmplitudes, 3>, kVsop87Bodies> vsopDropped;
    std::array<DroppedAmplitudes, 3> elpDropped;
};
ShortenedSeries ShortenModernSeries(const Vsop87Tables& vsop, const ElpTables& elp);

}  // namespace talvenor
