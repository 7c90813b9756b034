#include "chart/wheel_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "chart/point_catalogue.h"

namespace talvenor {
namespace {

constexpr double kEps = 1e-9;

// The signed shift from a to b the shorter way round the circle.
double Shift(double from, double to, double circumference) {
    double d = std::fmod(to - from, circumference);
    if (d > circumference / 2) d -= circumference;
    if (d < -circumference / 2) d += circumference;
    return d;
}

TEST(SpreadOnCircleTest, CrowdedMarksSpreadAroundTheirMeanAndLoneOnesStay) {
    struct Case {
        const char* what;
        std::vector<double> places;
        double gap;
        double circumference;
        std::vector<double> shown;
    };
    const Case cases[] = {
        {"apart", {10, 100, 200}, 6, 360, {10, 100, 200}},
        {"two close", {10, 12}, 6, 360, {8, 14}},
        {"given out of order", {12, 10}, 6, 360, {14, 8}},
        {"three in a row", {10, 11, 12}, 5, 360, {6, 11, 16}},
        {"two close, one apart", {10, 12, 40}, 6, 360, {8, 14, 40}},
        {"pushed into a neighbour", {10, 12, 19}, 6, 360, {23.0 / 3, 41.0 / 3, 59.0 / 3}},
        {"across 0 Aries", {359, 1}, 6, 360, {357, 3}},
        {"three across 0 Aries", {358, 0, 2}, 5, 360, {355, 0, 5}},
        {"at the same place", {50, 50}, 4, 360, {48, 52}},
        {"across the dial's zero", {89, 1}, 4, 90, {88, 2}},
        {"too many for the gap", {0, 1, 2, 3}, 100, 360, {226.5, 316.5, 46.5, 136.5}},
    };
    for (const Case& c : cases) {
        const std::vector<double> shown = SpreadOnCircle(c.places, c.gap, c.circumference);
        ASSERT_EQ(shown.size(), c.shown.size()) << c.what;
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_NEAR(shown[i], c.shown[i], 1e-9) << c.what << " " << i;
    }
}

TEST(SpreadOnCircleTest, KeepsOrderAndGapAndMovesEachRunNoMoreThanNeeded) {
    std::mt19937 random(20240614);
    std::uniform_real_distribution<double> place(0, 360);
    for (int trial = 0; trial < 400; ++trial) {
        const std::size_t n = 2 + static_cast<std::size_t>(trial % 14);
        const double gap = std::array<double, 3>{3, 6.5, 11}[static_cast<std::size_t>(trial % 3)];
        std::vector<double> places(n);
        for (double& p : places) p = place(random);
        // Crowd some of them: half the trials put a cluster near 0 Aries.
        if (trial % 2 == 0) {
            for (std::size_t i = 0; i < n / 2; ++i)
                places[i] = std::fmod(358 + 1.3 * static_cast<double>(i), 360);
        }
        const std::vector<double> shown = SpreadOnCircle(places, gap);

        // The order around the circle, starting anywhere, is the order of the true places.
        std::vector<std::size_t> byPlace(n), byShown(n);
        std::iota(byPlace.begin(), byPlace.end(), std::size_t{0});
        byShown = byPlace;
        std::stable_sort(byPlace.begin(), byPlace.end(),
                         [&](auto a, auto b) { return places[a] < places[b]; });
        std::sort(byShown.begin(), byShown.end(), [&](auto a, auto b) { return shown[a] < shown[b]; });
        const auto start = std::find(byShown.begin(), byShown.end(), byPlace[0]) - byShown.begin();
        std::rotate(byShown.begin(), byShown.begin() + start, byShown.end());
        // Marks at one true place may stand either way round; elsewhere the order is the same.
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_DOUBLE_EQ(places[byShown[k]], places[byPlace[k]])
                << "trial " << trial << " position " << k;
        }

        // Every neighbour keeps the gap, the last one across the circle's zero included.
        for (std::size_t k = 0; k < n; ++k) {
            const double next = shown[byShown[(k + 1) % n]];
            const double here = shown[byShown[k]];
            const double distance = std::fmod(next - here + 360, 360);
            EXPECT_GE(distance, gap - 1e-7) << "trial " << trial;
        }

        // Least shift: a mark that moved belongs to a run of marks exactly one gap apart, and the run as
        // a whole did not move (its shifts add up to nothing); a mark alone did not move at all.
        const auto tight = [&](std::size_t k) {  // mark k and the next one stand exactly one gap apart
            const double d = std::fmod(shown[byShown[(k + 1) % n]] - shown[byShown[k]] + 360, 360);
            return std::fabs(d - gap) < 1e-7;
        };
        // Runs are counted from a mark whose left neighbour stands off, so none is cut at the zero.
        std::size_t first = 0;
        while (first < n && tight((first + n - 1) % n)) ++first;
        if (first == n) first = 0;
        for (std::size_t counted = 0; counted < n;) {
            std::size_t length = 1;
            while (counted + length < n && tight((first + counted + length - 1) % n)) ++length;
            double sum = 0;
            for (std::size_t i = 0; i < length; ++i) {
                const std::size_t m = byShown[(first + counted + i) % n];
                sum += Shift(places[m], shown[m], 360);
            }
            EXPECT_NEAR(sum, 0, 1e-6) << "trial " << trial << " run from " << counted << " of " << length;
            counted += length;
        }
    }
}

TEST(WheelLayoutTest, AspectFamiliesColourTheLines) {
    const std::pair<int, AspectFamily> cases[] = {
        {2, AspectFamily::Conjunction}, {4, AspectFamily::Hard},      {6, AspectFamily::Hard},
        {9, AspectFamily::Hard},        {10, AspectFamily::Hard},     {3, AspectFamily::Soft},
        {5, AspectFamily::Soft},        {8, AspectFamily::Minor},     {11, AspectFamily::Minor},
        {12, AspectFamily::Quintile},   {13, AspectFamily::Quintile}, {14, AspectFamily::Quintile},
        {15, AspectFamily::Quintile},   {16, AspectFamily::Quintile},
    };
    for (const auto& [k, family] : cases) EXPECT_EQ(FamilyOfAspect(k), family) << k;
}

TEST(WheelLayoutTest, GlyphsForBodiesNodesAndSignsLettersForTheRest) {
    const char32_t bodies[] = {0x2609, 0x263F, 0x2640, 0x2642, 0x2643,
                               0x2644, 0x2645, 0x2646, 0x2647, 0x263D};
    for (int p = 1; p <= 10; ++p) EXPECT_EQ(PointGlyph(p).symbol, bodies[p - 1]) << p;
    EXPECT_EQ(PointGlyph(kNorthNode).symbol, 0x260Au);
    EXPECT_EQ(PointGlyph(kSouthNode).symbol, 0x260Bu);
    const std::pair<int, const char*> lettersOnly[] = {
        {kPartOfFortune, "PF"}, {kAscendant, "AS"}, {kMidheaven, "MC"}};
    for (const auto& [p, letters] : lettersOnly) {
        EXPECT_EQ(PointGlyph(p).symbol, 0u);
        EXPECT_STREQ(PointGlyph(p).letters, letters);
    }
    EXPECT_STREQ(PointGlyph(kSun).letters, "SU");
    EXPECT_STREQ(PointGlyph(kMoon).letters, "MO");
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(SignGlyph(s).symbol, static_cast<char32_t>(0x2647 + s)) << s;
    EXPECT_STREQ(SignGlyph(1).letters, "AR");
    EXPECT_STREQ(SignGlyph(12).letters, "PI");
    EXPECT_EQ(PointGlyph(0).symbol, 0u);
    EXPECT_EQ(SignGlyph(13).symbol, 0u);
}

TEST(WheelLayoutTest, DegreeTextsDirectionsAndHouseNumbers) {
    const std::pair<double, const char*> texts[] = {{125 + 23.0 / 60,
                                                     "5\xC2\xB0"
                                                     "23'"},
                                                    {359.999,
                                                     "29\xC2\xB0"
                                                     "59'"},
                                                    {0,
                                                     "0\xC2\xB0"
                                                     "00'"},
                                                    {29.5,
                                                     "29\xC2\xB0"
                                                     "30'"},
                                                    {360,
                                                     "0\xC2\xB0"
                                                     "00'"}};
    for (const auto& [lon, text] : texts) EXPECT_EQ(DegreeMinuteText(lon), text) << lon;

    // The Ascendant at the left, the zodiac counterclockwise: 90 degrees on lies at the bottom.
    const std::pair<double, double> directions[] = {{100, 180}, {190, 270}, {280, 0}, {10, 90}, {99, 179}};
    for (const auto& [lon, direction] : directions)
        EXPECT_NEAR(WheelDirection(lon, 100), direction, kEps) << lon;

    const int houses[13] = {0, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int e = 1; e <= 12; ++e) EXPECT_EQ(HouseNumberOfCusp(e), houses[e]) << e;
}

TEST(WheelLayoutTest, AspectLinesFollowTheOrbsOfTheOptions) {
    PointArray lon{};
    for (int p = 1; p <= kPointCount; ++p)
        lon[static_cast<std::size_t>(p)] = 200 + 0.001 * p;  // all conjunct
    lon[kSun] = 0;
    lon[kMoon] = 61.5;  // a sextile 1.5 degrees wide
    Options options;
    options[2] = 1;
    const auto sunMoon = [&](const Options& o) {
        for (const WheelAspect& a : GridAspects(lon, o)) {
            if (a.a == kSun && a.b == kMoon) return a.k;
        }
        return 1;
    };
    EXPECT_EQ(sunMoon(options), 1);
    options[2] = 1.5f;
    EXPECT_EQ(sunMoon(options), 3);
    // The South Node's own row stays out, as in the grid's list; its column does not.
    options[1] = 1;
    bool southRow = false, southColumn = false;
    for (const WheelAspect& a : GridAspects(lon, options)) {
        southRow = southRow || a.a == kSouthNode;
        southColumn = southColumn || a.b == kSouthNode;
        if (a.a == kSun && a.b == kMoon) {
            EXPECT_EQ(a.family, AspectFamily::Soft);
        }
    }
    EXPECT_FALSE(southRow);
    EXPECT_TRUE(southColumn);
}

}  // namespace
}  // namespace talvenor
