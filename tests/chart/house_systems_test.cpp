#include "chart/house_systems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_state.h"
#include "chart/chart_time.h"
#include "chart/point_catalogue.h"
#include "ephemeris/angles.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

constexpr double kObliquity = 23.44;
constexpr double kPi = std::numbers::pi;
double Rad(double degrees) {
    return degrees * kPi / 180.0;
}
double Deg(double radians) {
    return radians * 180.0 / kPi;
}
double Turn(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360.0 : r;
}
// Signed difference a - b on the circle, in (-180, 180].
double Arc(double a, double b) {
    double d = Turn(a - b);
    return d > 180.0 ? d - 360.0 : d;
}
#define EXPECT_ON_CIRCLE(actual, expected, tolerance) EXPECT_NEAR(Arc((actual), (expected)), 0.0, (tolerance))

// A chart as the time routine leaves it for a right ascension of the meridian and a packed latitude
// (south negative).
ChartState Prepared(std::string code, double ramcDeg, float packedLatitude,
                    double obliquityDeg = kObliquity) {
    ChartState chart;
    chart.HouseSystemCode = std::move(code);
    chart.ChartSelector = kSelectNatal;
    chart.NatalLatitude = packedLatitude;
    chart.NatalNorthSouth = packedLatitude < 0 ? "SOUTH" : "NORTH";
    chart.RamcRad = DegToRad(ramcDeg);
    const ChartAngles angles =
        ComputeAngles(chart.RamcRad, DegToRad(obliquityDeg), packedLatitude, chart.NatalNorthSouth);
    chart.ObliquityRad = -DegToRad(obliquityDeg);
    chart.Midheaven = angles.Midheaven;
    chart.Ascendant = angles.Ascendant;
    chart.AuxLatitudeRad = angles.AuxLatitudeRad;
    return chart;
}

// Cusps in natural house order (1st ... 12th) from HouseCusp's label order.
double NaturalCusp(const ChartState& chart, int house) {
    return chart.HouseCusp[static_cast<std::size_t>(house >= 10 ? house - 9 : house + 3)];
}

// ---- Independent constructions on the sphere (equatorial frame, full-precision pi) ----

struct Vec {
    double x, y, z;
};
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec EclipticPoint(double lonDeg, double eps) {
    const double l = Rad(lonDeg);
    return {std::cos(l), std::sin(l) * std::cos(eps), std::sin(l) * std::sin(eps)};
}
// Where the great circle through a and b meets the ecliptic, on b's side.
double CircleMeetsEcliptic(Vec a, Vec b, double eps) {
    const Vec n = Cross(a, b);
    const double lon = Turn(Deg(std::atan2(-n.x, n.y * std::cos(eps) + n.z * std::sin(eps))));
    return Dot(EclipticPoint(lon, eps), b) >= 0 ? lon : Turn(lon + 180.0);
}

struct Sky {
    double theta, phi, eps;  // radians
    Vec Zenith() const {
        return {std::cos(phi) * std::cos(theta), std::cos(phi) * std::sin(theta), std::sin(phi)};
    }
    Vec East() const { return {-std::sin(theta), std::cos(theta), 0}; }
    Vec NorthPoint() const {
        return {-std::sin(phi) * std::cos(theta), -std::sin(phi) * std::sin(theta), std::cos(phi)};
    }
    Vec EquatorPoint(double raDeg) const {
        return {std::cos(theta + Rad(raDeg)), std::sin(theta + Rad(raDeg)), 0};
    }
    Vec CelestialPole() const { return {0, 0, 1}; }
    Vec EclipticPole() const { return {0, -std::sin(eps), std::cos(eps)}; }
    // The ecliptic degree rising when the sidereal time is theta + shift.
    double AscendantAt(double shiftDeg) const {
        const double t = theta + Rad(shiftDeg);
        return Turn(
            Deg(std::atan2(std::cos(t), -(std::sin(t) * std::cos(eps) + std::tan(phi) * std::sin(eps)))));
    }
    double RightAscension(double lonDeg) const {
        return Turn(Deg(std::atan2(std::sin(Rad(lonDeg)) * std::cos(eps), std::cos(Rad(lonDeg)))));
    }
    double Declination(double lonDeg) const { return std::asin(std::sin(Rad(lonDeg)) * std::sin(eps)); }
    double DiurnalSemiArc(double lonDeg) const {
        return Deg(std::acos(-std::tan(Declination(lonDeg)) * std::tan(phi)));
    }
};

Sky SkyOf(const ChartState& chart, double phiRad) {
    return {chart.RamcRad, phiRad, -chart.ObliquityRad};
}
double LatitudeRad(float packed) {
    return Rad(SignedPackedToDecimal(packed));
}

// Root of f on the arc from `from` forwards to `to`, f(from) < 0 < f(to).
double Bisect(double from, double to, const std::function<double(double)>& f) {
    double lo = 0, hi = Turn(to - from);
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (f(Turn(from + mid)) < 0 ? lo : hi) = mid;
    }
    return Turn(from + lo);
}

// The Placidus cusps solved directly from their definition: the 11th and 12th lie a third and two
// thirds of their own diurnal semi-arc east of the meridian, the 3rd and 2nd a third and two thirds of
// their nocturnal semi-arc before the lower meridian.
double PlacidusByDefinition(const Sky& sky, double mc, double asc, int house) {
    const double ramc = Deg(sky.theta);
    if (house == 11 || house == 12) {
        const double part = house == 11 ? 1.0 / 3 : 2.0 / 3;
        return Bisect(mc, asc, [&](double lon) {
            return Arc(sky.RightAscension(lon), ramc) - part * sky.DiurnalSemiArc(lon);
        });
    }
    const double part = house == 3 ? 1.0 / 3 : 2.0 / 3;
    return Bisect(asc, mc + 180.0, [&](double lon) {
        return Arc(sky.RightAscension(lon), ramc + 180.0) + part * (180.0 - sky.DiurnalSemiArc(lon));
    });
}

struct Place {
    float latitude;
    const char* name;
};
constexpr Place kPlaces[] = {{40.00f, "40N"}, {-33.30f, "33S30"}, {51.30f, "51N30"}, {66.00f, "66N"}};
constexpr double kRamcs[] = {0.0, 17.5, 95.0, 181.0, 263.25, 330.0};

// ---------------------------------------------------------------------------------------------------
// Cusps

TEST(HouseCuspsTest, EqualMidheavenStartsTheTenthAtTheMcAndIgnoresTheAscendant) {
    ChartState chart = Prepared("EM", 350.0, 40.00f);
    ASSERT_GT(std::fabs(Arc(chart.Ascendant, chart.Midheaven + 90.0)), 1.0);
    ComputeHouseCusps(chart);
    EXPECT_EQ(chart.HouseCusp[1], chart.Midheaven);
    for (std::size_t e = 2; e <= 12; ++e) {
        SCOPED_TRACE(e);
        EXPECT_NEAR(chart.HouseCusp[e], Turn(chart.Midheaven + 30.0 * static_cast<double>(e - 1)), 1e-9);
    }
    EXPECT_NEAR(chart.HouseCusp[4], Turn(chart.Midheaven + 90.0), 1e-9);
}

TEST(HouseCuspsTest, EqualAscendantStartsTheFirstAtTheAscendant) {
    ChartState chart;
    chart.HouseSystemCode = "EA";
    chart.Ascendant = 75.5;
    chart.Midheaven = 340.0;
    ComputeHouseCusps(chart);
    EXPECT_EQ(chart.HouseCusp[4], 75.5);
    // Ascendant + 270 runs past the end of the circle.
    EXPECT_DOUBLE_EQ(chart.HouseCusp[1], 345.5);
    const double expected[13] = {0,     345.5, 15.5,  45.5,  75.5,  105.5, 135.5,
                                 165.5, 195.5, 225.5, 255.5, 285.5, 315.5};
    for (std::size_t e = 1; e <= 12; ++e) {
        SCOPED_TRACE(e);
        EXPECT_NEAR(chart.HouseCusp[e], expected[e], 1e-9);
    }
}

TEST(HouseCuspsTest, PorphyryTrisectsEachQuadrantInLongitude) {
    struct Case {
        double mc, asc;
        double expected[13];  // label order
    };
    const Case cases[] = {
        // A 90-degree quadrant gives 30-degree houses throughout.
        {10.0, 100.0, {0, 10, 40, 70, 100, 130, 160, 190, 220, 250, 280, 310, 340}},
        {350.0, 80.0, {0, 350, 20, 50, 80, 110, 140, 170, 200, 230, 260, 290, 320}},
        // Quadrants of 120 and 60 degrees across 0 Aries.
        {300.0, 60.0, {0, 300, 340, 20, 60, 80, 100, 120, 160, 200, 240, 260, 280}},
        {250.0, 340.0, {0, 250, 280, 310, 340, 10, 40, 70, 100, 130, 160, 190, 220}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "MC " << c.mc << " Asc " << c.asc);
        ChartState chart;
        chart.HouseSystemCode = "O";
        chart.Midheaven = c.mc;
        chart.Ascendant = c.asc;
        ComputeHouseCusps(chart);
        for (std::size_t e = 1; e <= 12; ++e) {
            SCOPED_TRACE(e);
            EXPECT_NEAR(chart.HouseCusp[e], c.expected[e], 1e-9);
        }
    }
}

TEST(HouseCuspsTest, PlacidusKeepsTheAnglesAndSolvesTheSemiArcCondition) {
    for (const Place& place : {kPlaces[0], kPlaces[1], kPlaces[2]}) {
        for (double ramc : kRamcs) {
            SCOPED_TRACE(testing::Message() << place.name << " RAMC " << ramc);
            ChartState chart = Prepared("P", ramc, place.latitude);
            ComputeHouseCusps(chart);
            EXPECT_NEAR(chart.HouseCusp[1], Turn(chart.Midheaven + 180.0 + 180.0), 1e-12);
            EXPECT_EQ(chart.HouseCusp[4], chart.Ascendant);
            const Sky sky = SkyOf(chart, LatitudeRad(place.latitude));
            // Ten steps come within a hundredth of an arc second up to 40 degrees, within an arc
            // second at 51 degrees.
            const double tolerance = std::fabs(place.latitude) <= 40.0f ? 5e-6 : 3e-4;
            for (int house : {11, 12, 2, 3}) {
                SCOPED_TRACE(house);
                const double expected = PlacidusByDefinition(sky, chart.Midheaven, chart.Ascendant, house);
                EXPECT_ON_CIRCLE(NaturalCusp(chart, house), expected, tolerance);
                EXPECT_ON_CIRCLE(NaturalCusp(chart, (house + 5) % 12 + 1), NaturalCusp(chart, house) + 180.0,
                                 1e-9);
            }
        }
    }
}

TEST(HouseCuspsTest, PlacidusStopsAfterTenStepsEvenWhereTheyFallShort) {
    // At 66 degrees the iteration is still moving after ten steps: the 12th cusp settles at 219.4482
    // (09 SCO 27) but the printed chart has always shown the tenth step's value.
    ChartState chart = Prepared("P", 181.0, 66.00f);
    ComputeHouseCusps(chart);
    EXPECT_NEAR(chart.HouseCusp[3], 219.7232279, 1e-6);
    EXPECT_NEAR(chart.HouseCusp[9], 39.7232279, 1e-6);
    EXPECT_NEAR(chart.HouseCusp[5], 255.6968743, 1e-6);
    const Sky sky = SkyOf(chart, LatitudeRad(66.00f));
    EXPECT_NEAR(PlacidusByDefinition(sky, chart.Midheaven, chart.Ascendant, 12), 219.4482363, 1e-6);
}

TEST(HouseCuspsTest, PlacidusAtTheEquatorWorksWithTheTimeRoutinesNudgedLatitude) {
    ChartState chart = Prepared("P", 40.0, 0.0f);
    ASSERT_EQ(chart.AuxLatitudeRad, 0.00001);
    ComputeHouseCusps(chart);
    const Sky nudged = SkyOf(chart, -0.00001);
    const Sky exact = SkyOf(chart, 0.0);
    const double atNudge = PlacidusByDefinition(nudged, chart.Midheaven, chart.Ascendant, 12);
    const double atZero = PlacidusByDefinition(exact, chart.Midheaven, chart.Ascendant, 12);
    ASSERT_GT(std::fabs(atNudge - atZero), 1e-5);
    EXPECT_NEAR(NaturalCusp(chart, 12), atNudge, 1e-7);

    // The other systems use the equator as it is.
    chart.HouseSystemCode = "R";
    ComputeHouseCusps(chart);
    EXPECT_NEAR(NaturalCusp(chart, 12),
                CircleMeetsEcliptic(exact.NorthPoint(), exact.EquatorPoint(60), exact.eps), 1e-6);
}

TEST(HouseCuspsTest, KochCuspsAreAscendantsAtTrisectedSemiArcOfTheMidheaven) {
    for (const Place& place : kPlaces) {
        for (double ramc : kRamcs) {
            SCOPED_TRACE(testing::Message() << place.name << " RAMC " << ramc);
            ChartState chart = Prepared("K", ramc, place.latitude);
            ComputeHouseCusps(chart);
            const Sky sky = SkyOf(chart, LatitudeRad(place.latitude));
            // Koch finds its own angles: H = 90 is the Ascendant, H = 0 the Midheaven.
            EXPECT_ON_CIRCLE(NaturalCusp(chart, 1), chart.Ascendant, 1e-6);
            EXPECT_ON_CIRCLE(NaturalCusp(chart, 10), chart.Midheaven, 1e-6);
            // The time the Midheaven's degree takes from rising to culminating, in thirds.
            const double adMc =
                Deg(std::asin(std::tan(sky.Declination(chart.Midheaven)) * std::tan(sky.phi)));
            const double third = (90.0 + adMc) / 3.0;
            const int houses[] = {11, 12, 1, 2, 3};
            for (int i = 0; i < 5; ++i) {
                SCOPED_TRACE(houses[i]);
                const double expected = sky.AscendantAt((i - 2) * third);
                EXPECT_ON_CIRCLE(NaturalCusp(chart, houses[i]), expected, 1e-6);
                EXPECT_ON_CIRCLE(NaturalCusp(chart, (houses[i] + 5) % 12 + 1), expected + 180.0, 1e-6);
            }
        }
    }
}

TEST(HouseCuspsTest, GreatCircleSystemsMatchTheirConstructions) {
    struct System {
        const char* code;
        double tolerance;
        // The two points on the sphere whose great circle makes the cusp of natural house h.
        std::function<std::pair<Vec, Vec>(const Sky&, double)> circle;
    };
    const System systems[] = {
        {"R", 1e-6,
         [](const Sky& s, double h) {
             return std::pair{s.NorthPoint(), s.EquatorPoint(h)};
         }},
        // The extra millionth of a degree moves a Campanus cusp by a few millionths at most.
        {"C", 2e-5,
         [](const Sky& s, double h) {
             const Vec z = s.Zenith(), e = s.East();
             const double c = std::cos(Rad(h)), n = std::sin(Rad(h));
             return std::pair{s.NorthPoint(), Vec{c * z.x + n * e.x, c * z.y + n * e.y, c * z.z + n * e.z}};
         }},
        {"M", 1e-6,
         [](const Sky& s, double h) {
             return std::pair{s.CelestialPole(), s.EquatorPoint(h)};
         }},
        {"I", 1e-6,
         [](const Sky& s, double h) {
             return std::pair{s.EclipticPole(), s.EquatorPoint(h)};
         }},
        // Any code the dispatch does not know is Regiomontanus.
        {"X", 1e-6,
         [](const Sky& s, double h) {
             return std::pair{s.NorthPoint(), s.EquatorPoint(h)};
         }},
    };
    for (const System& system : systems) {
        for (const Place& place : kPlaces) {
            for (double ramc : kRamcs) {
                SCOPED_TRACE(testing::Message() << system.code << " " << place.name << " RAMC " << ramc);
                ChartState chart = Prepared(system.code, ramc, place.latitude);
                ComputeHouseCusps(chart);
                const Sky sky = SkyOf(chart, LatitudeRad(place.latitude));
                for (int house = 1; house <= 12; ++house) {
                    SCOPED_TRACE(house);
                    const auto [a, b] = system.circle(sky, 30.0 * house + 60.0);
                    EXPECT_ON_CIRCLE(NaturalCusp(chart, house), CircleMeetsEcliptic(a, b, sky.eps),
                                     system.tolerance);
                }
            }
        }
    }
}

TEST(HouseCuspsTest, RegiomontanusAndCampanusFindTheTimeRoutinesAngles) {
    for (const char* code : {"R", "C"}) {
        for (const Place& place : kPlaces) {
            SCOPED_TRACE(testing::Message() << code << " " << place.name);
            ChartState chart = Prepared(code, 217.0, place.latitude);
            ComputeHouseCusps(chart);
            EXPECT_ON_CIRCLE(NaturalCusp(chart, 1), chart.Ascendant, 1e-5);
            EXPECT_ON_CIRCLE(NaturalCusp(chart, 10), chart.Midheaven, 1e-5);
        }
    }
}

TEST(HouseCuspsTest, EverySystemRunsAroundTheCircleWithOppositeCuspsOpposite) {
    for (const char* code : {"P", "R", "K", "C", "O", "EA", "EM", "M", "I"}) {
        for (const Place& place : {kPlaces[0], kPlaces[1]}) {
            for (double ramc : kRamcs) {
                SCOPED_TRACE(testing::Message() << code << " " << place.name << " RAMC " << ramc);
                ChartState chart = Prepared(code, ramc, place.latitude);
                chart.HouseCusp[13] = -7.25;
                ComputeHouseCusps(chart);
                double total = 0;
                for (std::size_t e = 1; e <= 12; ++e) {
                    SCOPED_TRACE(e);
                    EXPECT_GE(chart.HouseCusp[e], 0.0);
                    EXPECT_LT(chart.HouseCusp[e], 360.0);
                    const double width = Turn(chart.HouseCusp[e % 12 + 1] - chart.HouseCusp[e]);
                    EXPECT_GT(width, 0.0);
                    EXPECT_LT(width, 180.0);
                    total += width;
                    if (e <= 6) {
                        EXPECT_ON_CIRCLE(chart.HouseCusp[e + 6], chart.HouseCusp[e] + 180.0, 1e-6);
                    }
                }
                EXPECT_NEAR(total, 360.0, 1e-6);
                EXPECT_EQ(chart.HouseCusp[13], -7.25);
            }
        }
    }
}

TEST(HouseCuspsTest, LatitudeComesFromTheChartBeingComputedAndItsHemisphereText) {
    ChartState natal = Prepared("R", 120.0, 40.00f);
    ComputeHouseCusps(natal);

    // The diurnal pass reads the diurnal latitude.
    ChartState diurnal = Prepared("R", 120.0, 40.00f);
    diurnal.ChartSelector = kSelectDiurnal;
    diurnal.NatalLatitude = 10.00f;
    diurnal.DiurnalLatitude = 40.00f;
    ComputeHouseCusps(diurnal);
    for (std::size_t e = 1; e <= 12; ++e) EXPECT_EQ(diurnal.HouseCusp[e], natal.HouseCusp[e]) << e;

    // The hemisphere follows the text the time routine left, whatever the packed value's sign.
    ChartState south = Prepared("R", 120.0, -40.00f);
    ComputeHouseCusps(south);
    ChartState textOnly = Prepared("R", 120.0, 40.00f);
    textOnly.NatalNorthSouth = "SOUTH";
    ComputeHouseCusps(textOnly);
    for (std::size_t e = 1; e <= 12; ++e) EXPECT_EQ(textOnly.HouseCusp[e], south.HouseCusp[e]) << e;
    EXPECT_GT(std::fabs(Arc(south.HouseCusp[2], natal.HouseCusp[2])), 1.0);
}

TEST(HouseCuspsTest, ComputedChartGivesPlacidusCuspsFromItsOwnAngles) {
    // A whole time-routine pass: 1990 June 15, 3:45 P.M., zone 5, 74 W 00, 40 N 45.
    ChartState chart;
    chart.NatalYear = 1990;
    chart.NatalMonth = 6;
    chart.NatalDay = 15;
    chart.NatalTime = 3.45f;
    chart.NatalAmPm = "P.M.";
    chart.NatalTZ = 5;
    chart.NatalLongitude = 74.00f;
    chart.NatalLatitude = 40.45f;
    chart.HouseSystemCode = "P";
    ASSERT_FALSE(ComputeChartTime(chart));
    ComputeHouseCusps(chart);
    EXPECT_EQ(chart.HouseCusp[4], chart.Ascendant);
    const Sky sky = SkyOf(chart, LatitudeRad(40.45f));
    EXPECT_ON_CIRCLE(NaturalCusp(chart, 11), PlacidusByDefinition(sky, chart.Midheaven, chart.Ascendant, 11),
                     1e-6);
    EXPECT_ON_CIRCLE(NaturalCusp(chart, 2), PlacidusByDefinition(sky, chart.Midheaven, chart.Ascendant, 2),
                     1e-6);
}

TEST(HouseCuspsTest, ThePassGivesTheEnginesHousesForItsInstantAndPlace) {
    struct Case {
        float latitude;
        const char* northSouth;
    };
    for (const Case& c : {Case{40.45f, "NORTH"}, Case{-33.52f, "SOUTH"}, Case{0.0f, "NORTH"}}) {
        for (const char* code : {"P", "R", "K", "C", "O", "EA", "EM", "M", "I", "Q"}) {
            SCOPED_TRACE(testing::Message() << c.latitude << " " << code);
            ChartState chart;
            chart.NatalYear = 1990;
            chart.NatalMonth = 6;
            chart.NatalDay = 15;
            chart.NatalTime = 3.45f;
            chart.NatalAmPm = "P.M.";
            chart.NatalTZ = 5;
            chart.NatalLongitude = 74.00f;
            chart.NatalLatitude = c.latitude;
            chart.NatalNorthSouth = c.northSouth;
            chart.HouseSystemCode = code;
            ASSERT_FALSE(ComputeChartTime(chart));
            ASSERT_EQ(ComputeHouseCusps(chart), EngineStatus::Sound);
            const HouseCusps engine =
                HousesAt(InstantOf(chart.JulianDayNumber, chart.DayFraction),
                         PlaceOfInput(chart.NatalLongitude, chart.NatalLatitude, c.northSouth),
                         HouseSystemOfCode(code));
            for (std::size_t h = 1; h <= 12; ++h) EXPECT_EQ(chart.HouseCusp[h], engine.Cusp[h]) << h;
        }
    }
    // An unknown code is Regiomontanus.
    EXPECT_EQ(HouseSystemOfCode("Q"), HouseSystem::Regiomontanus);
    EXPECT_EQ(HouseSystemOfCode("EM"), HouseSystem::EqualMidheaven);
}

// ---------------------------------------------------------------------------------------------------
// House placement

// Equal houses from a Midheaven: element 1 (10th) opens at mc.
ChartState EqualChart(double mc) {
    ChartState chart;
    chart.HouseSystemCode = "EM";
    chart.Midheaven = mc;
    ComputeHouseCusps(chart);
    return chart;
}
std::string LabelOf(const ChartState& chart, int p) {
    return chart.PointHouseText.substr(static_cast<std::size_t>(10 * (p - 1)), 10);
}

TEST(PlaceHousesTest, EachPointGetsTheHouseWhoseCuspRangeHoldsIt) {
    struct Case {
        double mc;
        double lon;
        const char* slot;
    };
    const Case cases[] = {
        // A point on a cusp opens that house; just below it is still in the one before.
        {0.0, 90.0, " 1ST HOUSE"},
        {0.0, 89.9999, "12TH HOUSE"},
        {0.0, 0.0, "10TH HOUSE"},
        {0.0, 45.0, "11TH HOUSE"},
        {0.0, 331.0, " 9TH HOUSE"},
        // The house that spans 0 degrees: from 345 to 15.
        {15.0, 350.0, " 9TH HOUSE"},
        {15.0, 0.0, " 9TH HOUSE"},
        {15.0, 14.9999, " 9TH HOUSE"},
        {15.0, 15.0, "10TH HOUSE"},
        // Within a tenth of an arc second below 360 the point reaches the cusp at 0 ...
        {0.0, 359.99999, "10TH HOUSE"},
        {0.0, std::nextafter(360.0, 0.0), "10TH HOUSE"},
        // ... or stays in the house that spans 0.
        {15.0, 359.99999, " 9TH HOUSE"},
        {20.0, 359.999999, " 9TH HOUSE"},
        // A point a tenth of an arc second below a cusp counts as on it.
        {0.0, 30.0 - 1.0 / 40000.0, "11TH HOUSE"},
        {0.0, 30.0 - 1.0 / 30000.0, "10TH HOUSE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "MC " << c.mc << " lon " << c.lon);
        ChartState chart = EqualChart(c.mc);
        // A label from an earlier chart must never survive.
        chart.PointHouseText = std::string(kHouseTextLength, '#');
        for (int p = 1; p <= kPointCount; ++p) chart.PointLon[static_cast<std::size_t>(p)] = c.lon;
        PlaceHouses(chart);
        for (int p = 1; p <= kPointCount; ++p) EXPECT_EQ(LabelOf(chart, p), c.slot) << p;
    }
}

TEST(PlaceHousesTest, SlotsFollowThePointOrder) {
    ChartState chart = EqualChart(0.0);
    for (int p = 1; p <= kPointCount; ++p) chart.PointLon[static_cast<std::size_t>(p)] = 30.0 * (p - 1) + 1.0;
    PlaceHouses(chart);
    EXPECT_EQ(chart.PointHouseText,
              "10TH HOUSE11TH HOUSE12TH HOUSE 1ST HOUSE 2ND HOUSE 3RD HOUSE 4TH HOUSE 5TH HOUSE 6TH HOUSE"
              " 7TH HOUSE 8TH HOUSE 9TH HOUSE10TH HOUSE11TH HOUSE12TH HOUSE");
}

TEST(PlaceHousesTest, PlacidusChartPutsTheAnglesInTheHousesTheyOpen) {
    ChartState chart = Prepared("P", 200.0, 40.00f);
    ComputeHouseCusps(chart);
    chart.PointLon[kAscendant] = chart.Ascendant;
    chart.PointLon[kMidheaven] = chart.Midheaven;
    chart.PointLon[kSun] = Turn(chart.Ascendant - 0.001);
    PlaceHouses(chart);
    EXPECT_EQ(LabelOf(chart, kAscendant), " 1ST HOUSE");
    EXPECT_EQ(LabelOf(chart, kMidheaven), "10TH HOUSE");
    EXPECT_EQ(LabelOf(chart, kSun), "12TH HOUSE");
}

TEST(PlaceHousesTest, OverlappingHousesGiveTheLastAndAPointInNoHouseKeepsItsLabel) {
    // Cusps out of order, as a fault or an extreme latitude leaves them: element 2 (the 11th house) runs
    // back from 100 to 40, so it spans all but 40..100 and overlaps every other house.
    ChartState chart = EqualChart(0.0);
    chart.HouseCusp[2] = 100.0;
    chart.HouseCusp[3] = 40.0;
    chart.PointHouseText = std::string(150, '*');
    chart.PointLon[kSun] = 20.0;   // in the 10th (0..100) and in the 11th: the 11th, tested later, counts
    chart.PointLon[kMoon] = 70.0;  // in the 10th and in the 12th (40..90): the 12th counts
    // Every cusp at 50: each house is empty, no point is in any house.
    ChartState none = EqualChart(0.0);
    for (std::size_t h = 1; h <= 12; ++h) none.HouseCusp[h] = 50.0;
    none.PointHouseText = std::string(150, '*');
    PlaceHouses(chart);
    PlaceHouses(none);
    EXPECT_EQ(LabelOf(chart, kSun), "11TH HOUSE");
    EXPECT_EQ(LabelOf(chart, kMoon), "12TH HOUSE");
    EXPECT_EQ(LabelOf(none, kSun), "**** HOUSE");
}

// ---------------------------------------------------------------------------------------------------
// High-latitude check

// The high-latitude rule itself is checked with the births it judges (tests/input/house_latitude_check_test).
TEST(HouseLatitudeCheckTest, MeridianAndMorinusCuspsStaySoundUpThere) {
    for (const char* code : {"M", "I"}) {
        SCOPED_TRACE(code);
        ChartState polar = Prepared(code, 75.0, 80.00f);
        ComputeHouseCusps(polar);
        for (std::size_t e = 1; e <= 12; ++e) EXPECT_TRUE(std::isfinite(polar.HouseCusp[e])) << e;
    }
}

// ---------------------------------------------------------------------------------------------------
// Report lines

TEST(HouseCuspsReportTest, NamesEverySystem) {
    const std::pair<const char*, const char*> names[] = {
        {"P", "Placidus"}, {"R", "Regiomontanus"},      {"K", "Koch"},          {"C", "Campanus"},
        {"O", "Porphyry"}, {"EA", "Equal - Ascendant"}, {"EM", "Equal - MC"},   {"M", "Meridian"},
        {"I", "Morinus"},  {"", "Regiomontanus"},       {"p", "Regiomontanus"}, {"E", "Regiomontanus"},
    };
    for (const auto& [code, name] : names) EXPECT_STREQ(HouseSystemReportName(code), name) << code;
}

TEST(HouseCuspsReportTest, WritesTitleAndFourLinesOfThreeCusps) {
    const double cusps[13] = {0,      5.12,  35.0,    64.995, 95.5,    129.999, 150.25,
                              185.12, 215.0, 244.995, 275.5,  309.999, 330.25};
    CuspArray chart{};
    for (std::size_t e = 0; e <= 12; ++e) chart[e] = cusps[e];
    ReportBuffer report;
    report.AppendLine("before");
    WriteHouseCusps(HouseSystem::EqualAscendant, chart, report);
    ASSERT_EQ(report.PageLineCount, 7);
    const std::vector<std::string> expected = {
        "before",
        "",
        "  HOUSE CUSPS - Equal - Ascendant",
        "  10TH house = 05 ARI 07 11TH house = 05 TAU 00 12TH house = 04 GEM 59",
        "   1ST house = 05 CAN 30  2ND house = 09 LEO 59  3RD house = 00 VIR 15",
        "   4TH house = 05 LIB 07  5TH house = 05 SCO 00  6TH house = 04 SAG 59",
        "   7TH house = 05 CPR 30  8TH house = 09 AQU 59  9TH house = 00 PIS 15",
    };
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(report.PageLines[i], expected[i]) << i;
    EXPECT_EQ(report.DataLineCount, 7);
}

}  // namespace
}  // namespace talvenor

namespace talvenor {
namespace {

// ---------------------------------------------------------------------------------------------------
// The one table of house systems

TEST(HouseSystemTableTest, EveryCodeReadsBothWaysAndNamesItsMenuItemAndReport) {
    struct Row {
        HouseSystem system;
        const char* code;
        const char* menuItem;
        const char* caption;
        const char* reportName;
        float option27;
    };
    const Row rows[] = {
        {HouseSystem::Placidus, "P", "mnuHousePlacidus", "&Placidus", "Placidus", 1},
        {HouseSystem::Regiomontanus, "R", "mnuHouseRegiomontanus", "&Regiomontanus", "Regiomontanus", 2},
        {HouseSystem::Koch, "K", "mnuHouseKoch", "&Koch", "Koch", 3},
        {HouseSystem::Campanus, "C", "mnuHouseCampanus", "&Campanus", "Campanus", 4},
        {HouseSystem::Porphyry, "O", "mnuHousePorphyry", "P&orphyry", "Porphyry", 5},
        {HouseSystem::EqualAscendant, "EA", "mnuHouseEqualAsc", "&Equal - Asc", "Equal - Ascendant", 6},
        {HouseSystem::EqualMidheaven, "EM", "mnuHouseEqualMC", "E&qual - MC", "Equal - MC", 7},
        {HouseSystem::Meridian, "M", "mnuHouseMeridian", "&Meridian", "Meridian", 8},
        {HouseSystem::Morinus, "I", "mnuHouseMorinus", "Mor&inus", "Morinus", 9},
    };
    ASSERT_EQ(std::size(rows), kHouseSystems.size());
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.code);
        // The menu lists them in this order.
        EXPECT_EQ(kHouseSystems[i].system, r.system);
        EXPECT_EQ(HouseSystemOfKnownCode(r.code), r.system);
        EXPECT_EQ(HouseSystemOfCode(r.code), r.system);
        EXPECT_EQ(HouseSystemOfMenuCode(r.code), r.system);
        EXPECT_EQ(CodeOfHouseSystem(r.system), r.code);
        EXPECT_STREQ(HouseSystemEntryOf(r.system).menuItem, r.menuItem);
        EXPECT_STREQ(HouseSystemEntryOf(r.system).menuCaption, r.caption);
        EXPECT_STREQ(HouseSystemReportName(r.code), r.reportName);
        EXPECT_EQ(HouseSystemForOption(r.option27), r.system);
    }
}

TEST(HouseSystemTableTest, OtherOptionValuesCheckPlacidus) {
    for (const float value : {0.0f, -2.0f, 1.5f, 2.5f, 10.0f, 27.0f, 1e30f}) {
        EXPECT_EQ(HouseSystemForOption(value), HouseSystem::Placidus) << value;
    }
}

TEST(HouseSystemTableTest, AnyOtherCodeIsRefusedAndEachReaderFallsBackItsOwnWay) {
    // The report tool refuses these; the house menu's code falls back to Placidus, the chart state's
    // to Regiomontanus, as the house-cusp report names it.
    for (const char* code : {"", "p", "ea", "E", "EAX", " P", "P ", "Q", "PLACIDUS", "1"}) {
        SCOPED_TRACE(std::string("\"") + code + "\"");
        EXPECT_FALSE(HouseSystemOfKnownCode(code));
        EXPECT_EQ(HouseSystemOfMenuCode(code), HouseSystem::Placidus);
        EXPECT_EQ(HouseSystemOfCode(code), HouseSystem::Regiomontanus);
    }
}

TEST(HouseSystemTableTest, OnlyMeridianAndMorinusTakeALatitudeAboveTheLimit) {
    Birth polar;
    polar.latitudeDegrees = GivenNumber(66);
    polar.latitudeMinutes = GivenNumber(1);
    Birth low;
    low.latitudeDegrees = GivenNumber(66);
    for (const HouseSystemEntry& e : kHouseSystems) {
        SCOPED_TRACE(e.code);
        const bool free = e.system == HouseSystem::Meridian || e.system == HouseSystem::Morinus;
        EXPECT_EQ(HouseLatitudeRefused(polar, low, e.system), !free);
        EXPECT_EQ(HouseLatitudeRefused(low, polar, e.system), !free);
        EXPECT_FALSE(HouseLatitudeRefused(low, low, e.system));
    }
}

}  // namespace
}  // namespace talvenor
