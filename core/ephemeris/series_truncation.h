// Shortened copies of the modern series for everyday use, with a stated bound on what the shortening costs.
//
// A term a cos(b + c t) (or a sin(...)) of power k contributes at most |a| |t|^k; a coordinate has a budget
// at the edge of the inner span and a looser one at the edge of the outer span. The terms are taken from the
// lightest, by the larger of their shares of the two budgets, and each is left out while the sums of the
// left-out weights stay within both. The sum of the dropped |a| |t|^k is a rigorous bound on the difference
// between the full and the shortened series at any t within the span.
//
// The spans: the inner one is 1800-2200 (200 years either side of J2000.0), where the budgets below hold;
// the outer one is the year 1 to 4000 (2000 years either side), where thirty times the budget holds (1.2"
// for the Sun, 6" for the planets at their closest, 6" for the Moon: of the order of the full series' own
// error that far out). Beyond the outer span the bound grows as the highest power of t left out;
// DroppedAmplitudes::BoundAt gives it.
//
// The budgets: the shortening moves no geocentric place by more than (rigorous bound, inner span) the Sun
// 0.04", a planet's own series 0.2" (Uranus and Neptune 0.6") at its closest approach to the Earth, the
// Moon 0.2" in longitude and in latitude and 1 km in distance (3 microseconds of light time). A heliocentric
// position error of e au moves a geocentric direction by at most e / (the body's least distance from the
// Earth); each planet's position budget is shared equally between longitude (times its greatest distance
// from the Sun), latitude (likewise) and radius. The Earth's error adds to every planet's, most to Venus's
// (0.04" x 0.983 / 0.264 = 0.149" at inferior conjunction). The sampled differences are far smaller: the
// dropped terms' phases are scattered (see the tests).
// The rates are those of the shortened series: the Earth's dropped terms move its velocity by four parts in
// a hundred million, the aberration by a millionth of a second of arc.
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
// every planet's as much as it moves the planet's direction at that approach (0.04" x 0.983 / 0.264 au =
// 0.149" for Venus, less for the others). A chart pass of the modern engine then costs less than the
// reference ephemeris' analytical chart, and the sampled differences stay under a tenth of a second of
// arc.
inline constexpr double kSunTruncationArcsec = 0.04;
inline constexpr double kPlanetTruncationArcsec = 0.2;       // Mercury to Saturn
inline constexpr double kOuterPlanetTruncationArcsec = 0.6;  // Uranus and Neptune
inline constexpr double kMoonTruncationArcsec = 0.2;         // longitude and latitude each
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
