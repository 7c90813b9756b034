// The exact-date search against searches written independently here: an hourly scan of the engine over
// a year with its own distance on the dial and its own bisection, factors whose crossings are known in
// closed form, retrograde loops found from the engine's own stations, and targets on the dial's edge.
#include "events/event_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <ostream>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "chart/midpoint_rule.h"
#include "ephemeris/chart_angles.h"
#include "ephemeris/sky.h"
#include "events/event_dates.h"
#include "events/event_factors.h"

namespace talvenor {
namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = 1.0 / 86400.0;

double JulianDate(int year, int month, int day) {
    return JulianDayNumberOf(year, month, day) - 0.5;
}

// The distance of a longitude from a target on the dial of modulus m, written apart from the search:
// the difference turned by 360/m brought into (-180, 180] by the arc tangent, and scaled back.
double HarmonicDistance(double lon, double target, double m) {
    const double k = 360.0 / m;
    const double a = (lon - target) * k * std::numbers::pi / 180.0;
    return std::atan2(std::sin(a), std::cos(a)) * 180.0 / std::numbers::pi / k;
}

double BodyLongitude(double jd, int point) {
    const Sky sky = SkyAt(InstantAtJulianDate(jd));
    return point == kNorthNode ? sky.MeanNode : sky.Longitude[static_cast<std::size_t>(point)];
}

// The sample birth, 14 Mar 1962, 10.15 P.M. at zone 6, 87W39 41N52: its 13 factors and 78 midpoints.
std::vector<EventTarget> SampleTargets() {
    const double jdn = JulianDayNumberOf(1962, 3, 14);
    const Instant birth = InstantOf(jdn, (10.25 + 6.0) / 24.0 + 0.5);
    const Sky sky = SkyAt(birth);
    const LocalAngles angles = AnglesAt(birth, PlaceAt(87.65, 41.8667));
    const int order[] = {kSun, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto};
    std::vector<double> factors;
    for (int p : order) factors.push_back(sky.Longitude[static_cast<std::size_t>(p)]);
    factors.push_back(sky.MeanNode);
    factors.push_back(angles.Angles.Ascendant);
    factors.push_back(angles.Angles.Midheaven);
    std::vector<EventTarget> targets;
    for (std::size_t i = 0; i < factors.size(); ++i) targets.push_back({"F" + std::to_string(i), factors[i]});
    for (std::size_t i = 0; i < factors.size(); ++i) {
        for (std::size_t j = i + 1; j < factors.size(); ++j) {
            targets.push_back(
                {"M" + std::to_string(i) + "/" + std::to_string(j), MidpointOf(factors[i], factors[j])});
        }
    }
    return targets;
}

struct ScanHit {
    double jd;
    int mover, target;
    bool retrograde;
};

// Every hour of the range: a sign change of the harmonic distance that is not the jump on the far side
// of the dial is a crossing, then bisected within its hour to a second.
std::vector<ScanHit> HourlyScan(double from, double to, double m, const std::vector<int>& points,
                                const std::vector<EventTarget>& targets) {
    std::vector<ScanHit> hits;
    const int hours = static_cast<int>(std::lround((to - from) * 24));
    std::vector<double> before(points.size());
    for (std::size_t b = 0; b < points.size(); ++b) before[b] = BodyLongitude(from, points[b]);
    for (int h = 1; h <= hours; ++h) {
        const double t0 = from + (h - 1) / 24.0, t1 = from + h / 24.0;
        const Sky sky = SkyAt(InstantAtJulianDate(t1));
        for (std::size_t b = 0; b < points.size(); ++b) {
            const int p = points[b];
            const double now = p == kNorthNode ? sky.MeanNode : sky.Longitude[static_cast<std::size_t>(p)];
            for (std::size_t j = 0; j < targets.size(); ++j) {
                const double e0 = HarmonicDistance(before[b], targets[j].longitude, m);
                const double e1 = HarmonicDistance(now, targets[j].longitude, m);
                if ((e0 < 0) == (e1 < 0) || std::fabs(e1 - e0) > m / 4) continue;
                double lo = t0, hi = t1, elo = e0;
                while (hi - lo > kSecond) {
                    const double mid = (lo + hi) / 2;
                    const double e = HarmonicDistance(BodyLongitude(mid, p), targets[j].longitude, m);
                    if ((e < 0) == (elo < 0)) {
                        lo = mid, elo = e;
                    } else {
                        hi = mid;
                    }
                }
                hits.push_back({(lo + hi) / 2, static_cast<int>(b), static_cast<int>(j), e1 < e0});
            }
            before[b] = now;
        }
    }
    return hits;
}

struct ScanCase {
    const char* name;
    double modulus;
    int year, month, day;  // the start
    int days;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << c.name;
}

const ScanCase kScanCases[] = {
    {"Dial90Year2027", 90, 2027, 1, 1, 365},
    {"Dial360Year2027", 360, 2027, 1, 1, 365},
    {"Dial22_5Quarter", 22.5, 2031, 4, 1, 91},
};

class HourlyScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(HourlyScanTest, FindsEveryCrossingOfTheScanWithinAMinuteAndNoOther) {
    const ScanCase& c = GetParam();
    const std::vector<int> points = {kSun,     kMoon,   kMercury, kVenus,   kMars,
                                     kJupiter, kSaturn, kUranus,  kNeptune, kPluto};
    EventSearchRequest request;
    request.fromJulianDate = JulianDate(c.year, c.month, c.day);
    request.toJulianDate = request.fromJulianDate + c.days;
    request.modulus = c.modulus;
    request.movers = TransitMovers(DefaultMoverNames(), std::make_shared<SkyAtMoment>());
    request.targets = SampleTargets();
    ASSERT_EQ(request.movers.size(), points.size());
    ASSERT_EQ(request.targets.size(), 91u);

    const EventSearchResult found = SearchEvents(request);
    ASSERT_EQ(found.outcome, EventSearchOutcome::Complete);
    const std::vector<ScanHit> scanned =
        HourlyScan(request.fromJulianDate, request.toJulianDate, c.modulus, points, request.targets);
    ASSERT_GT(scanned.size(), 1000u);

    // Paired per factor and target in time order: the same number, the same directions, a minute apart.
    using Key = std::pair<int, int>;
    std::map<Key, std::vector<std::pair<double, bool>>> mine, theirs;
    for (const EventHit& h : found.hits) mine[{h.mover, h.target}].push_back({h.julianDate, h.retrograde});
    for (const ScanHit& h : scanned) theirs[{h.mover, h.target}].push_back({h.jd, h.retrograde});
    int mismatches = 0;
    for (const auto& [key, list] : theirs) {
        const auto& other = mine[key];
        if (other.size() != list.size()) {
            if (++mismatches <= 5) {
                ADD_FAILURE() << request.movers[static_cast<std::size_t>(key.first)].name << " to target "
                              << key.second << ": the scan finds " << list.size() << ", the search "
                              << other.size();
            }
            continue;
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (std::fabs(other[i].first - list[i].first) > kMinute || other[i].second != list[i].second) {
                if (++mismatches <= 5) {
                    ADD_FAILURE() << request.movers[static_cast<std::size_t>(key.first)].name << " to target "
                                  << key.second << " at " << IsoMinuteText(list[i].first)
                                  << ": the search says " << IsoMinuteText(other[i].first)
                                  << (other[i].second ? " R" : " D");
                }
            }
        }
    }
    for (const auto& [key, list] : mine) {
        if (!theirs.contains(key) && ++mismatches <= 5) {
            ADD_FAILURE() << "spurious: " << list.size() << " events of mover " << key.first << " to target "
                          << key.second;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(found.hits.size(), scanned.size());
    EXPECT_TRUE(
        std::is_sorted(found.hits.begin(), found.hits.end(),
                       [](const EventHit& a, const EventHit& b) { return a.julianDate < b.julianDate; }));
}

INSTANTIATE_TEST_SUITE_P(Ranges, HourlyScanTest, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Factors whose crossings are known in closed form ----

struct LinearCase {
    const char* name;
    double start, speed;  // degrees at the range's start, degrees a day (negative: retrograde)
    double modulus, target;
    int days;
};

void PrintTo(const LinearCase& c, std::ostream* os) {
    *os << c.name;
}

const LinearCase kLinearCases[] = {
    {"SlowDirect", 10, 0.5, 90, 40, 400},           {"FastInASmallDial", 3, 50, 22.5, 7.25, 20},
    {"FasterThanTheDialInADay", 3, 170, 5, 1.5, 5}, {"Retrograde", 350, -1.3, 360, 5, 400},
    {"TargetAtZero", 359.5, 0.25, 360, 0, 30},      {"TargetAtTheEdge", 44.9, 0.1, 45, 44.99999, 30},
    {"TargetGivenBeyondATurn", 0, 1, 30, 725, 100},
};

class LinearFactorTest : public ::testing::TestWithParam<LinearCase> {};

TEST_P(LinearFactorTest, FindsEachClosedFormCrossingToTheSecond) {
    const LinearCase& c = GetParam();
    const double from = JulianDate(2001, 1, 1);
    EventSearchRequest request;
    request.fromJulianDate = from;
    request.toJulianDate = from + c.days;
    request.modulus = c.modulus;
    request.movers = {
        {"LIN", [&c, from](double t) { return std::fmod(c.start + c.speed * (t - from), 360.0) + 360.0; }}};
    request.targets = {{"T", c.target}};
    const EventSearchResult r = SearchEvents(request);
    ASSERT_EQ(r.outcome, EventSearchOutcome::Complete);

    // f(t) = target + k m: t = from + (target + k m - start) / speed, for every k that lands in range.
    std::vector<double> expected;
    for (int k = -2000; k <= 2000; ++k) {
        const double t = from + (c.target + k * c.modulus - c.start) / c.speed;
        if (t >= from && t < request.toJulianDate) expected.push_back(t);
    }
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(r.hits.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(r.hits[i].julianDate, expected[i], kSecond) << i;
        EXPECT_EQ(r.hits[i].retrograde, c.speed < 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, LinearFactorTest, ::testing::ValuesIn(kLinearCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A loop written out: a factor swinging five degrees either way on a slow forward motion, with stations
// every few days, against targets inside and at the ends of its loops.
TEST(EventSearchTest, FindsAllPassesOfAFactorThatTurnsMoreOftenThanTheGridIsFine) {
    const double from = JulianDate(2010, 1, 1);
    auto f = [from](double t) { return 100.0 + 0.05 * (t - from) + 5.0 * std::sin((t - from) / 3.0); };
    EventSearchRequest request;
    request.fromJulianDate = from;
    request.toJulianDate = from + 120;
    request.modulus = 360;
    request.movers = {{"SW", f}};
    // B lies just short of the first loop's furthest point (105.2379 degrees on the fifth day): its two
    // passes there are hours apart, inside one day of the grid.
    request.targets = {{"A", 101.0}, {"B", 105.237}, {"C", 96.2}};
    const EventSearchResult r = SearchEvents(request);
    EXPECT_GE(r.hits.size(), 10u);
    // A scan of every ten seconds of the same factor.
    for (std::size_t j = 0; j < request.targets.size(); ++j) {
        std::vector<std::pair<double, bool>> expected;
        const double step = 10 * kSecond;
        for (double t = from; t + step < request.toJulianDate; t += step) {
            const double a = f(t) - request.targets[j].longitude,
                         b = f(t + step) - request.targets[j].longitude;
            if ((a < 0) != (b < 0)) expected.push_back({t + step / 2, b < a});
        }
        std::vector<std::pair<double, bool>> got;
        for (const EventHit& h : r.hits) {
            if (h.target == static_cast<int>(j)) got.push_back({h.julianDate, h.retrograde});
        }
        ASSERT_EQ(got.size(), expected.size()) << request.targets[j].name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].first, expected[i].first, 10 * kSecond);
            EXPECT_EQ(got[i].second, expected[i].second);
        }
    }
}

// ---- Retrograde loops of the engine's own bodies ----

// The stations of a body within a range: the days on which its daily motion changes sign, refined to the
// minute by the largest (or smallest) longitude.
struct Station {
    double jd, lon;
    bool turnsRetrograde;
};

std::vector<Station> StationsOf(int point, double from, double to) {
    std::vector<Station> stations;
    double prevMotion = 0;
    for (double t = from; t < to; t += 1) {
        const double motion = std::remainder(BodyLongitude(t + 1, point) - BodyLongitude(t, point), 360.0);
        if (prevMotion != 0 && (motion < 0) != (prevMotion < 0)) {
            const bool retro = motion < 0;
            double best = t, bestLon = BodyLongitude(t, point);
            for (double u = t - 1; u <= t + 1; u += kMinute) {
                const double lon = BodyLongitude(u, point);
                const double ahead = std::remainder(lon - bestLon, 360.0);
                if ((retro && ahead > 0) || (!retro && ahead < 0)) best = u, bestLon = lon;
            }
            stations.push_back({best, bestLon, retro});
        }
        prevMotion = motion;
    }
    return stations;
}

struct LoopCase {
    const char* name;
    int point;
    const char* body;
    int year;
    double modulus;
    double fromStation;  // degrees from the first station into the loop; 0.5: the middle of the loop
    bool asShare;        // fromStation is a share of the loop's length, not degrees
};

void PrintTo(const LoopCase& c, std::ostream* os) {
    *os << c.name;
}

const LoopCase kLoopCases[] = {
    {"MercuryMiddleOfTheLoop", kMercury, "MER", 2027, 360, 0.5, true},
    {"MercuryNextToTheStation", kMercury, "MER", 2027, 360, 1e-5, false},
    {"MercuryInTheNinetyDial", kMercury, "MER", 2028, 90, 0.3, true},
    {"SaturnNextToTheStation", kSaturn, "SAT", 2027, 360, 2e-6, false},
    {"MarsMiddleOfTheLoop", kMars, "MAR", 2027, 45, 0.5, true},
};

class RetrogradeLoopTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(RetrogradeLoopTest, FindsTheThreePassesDirectRetrogradeDirect) {
    const LoopCase& c = GetParam();
    const double yearStart = JulianDate(c.year, 1, 1);
    const std::vector<Station> stations = StationsOf(c.point, yearStart, yearStart + 366);
    ASSERT_GE(stations.size(), 2u);
    std::size_t first = 0;
    while (first + 1 < stations.size() && !stations[first].turnsRetrograde) ++first;
    ASSERT_LT(first + 1, stations.size());
    const Station& s1 = stations[first];
    const Station& s2 = stations[first + 1];
    const double loop = std::remainder(s1.lon - s2.lon, 360.0);
    ASSERT_GT(loop, 0);
    const double back = c.asShare ? c.fromStation * loop : c.fromStation;
    const double target = s1.lon - back;

    EventSearchRequest request;
    // The loop's shadow: the body enters the loop's stretch about as long before the first station as
    // it leaves it after the second.
    const double shadow = s2.jd - s1.jd + 30;
    request.fromJulianDate = std::floor(s1.jd - shadow) + 0.5;
    request.toJulianDate = std::floor(s2.jd + shadow) + 0.5;
    request.modulus = c.modulus;
    request.movers = TransitMovers({c.body}, std::make_shared<SkyAtMoment>());
    request.targets = {{"T", target}};
    const EventSearchResult r = SearchEvents(request);
    // Within the loop's window every pass of the target's place on the dial; the loop's own three are
    // the ones within its stretch of the zodiac.
    std::vector<EventHit> passes;
    for (const EventHit& h : r.hits) {
        if (std::fabs(std::remainder(BodyLongitude(h.julianDate, c.point) - target, 360.0)) < 1e-3)
            passes.push_back(h);
    }
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_FALSE(passes[0].retrograde);
    EXPECT_TRUE(passes[1].retrograde);
    EXPECT_FALSE(passes[2].retrograde);
    EXPECT_LT(passes[0].julianDate, s1.jd + kMinute);
    EXPECT_GT(passes[1].julianDate, s1.jd - kMinute);
    EXPECT_LT(passes[1].julianDate, s2.jd);
    EXPECT_GT(passes[2].julianDate, s2.jd);
    // Each pass is a crossing: a minute either side the body stands on either side of the target.
    for (const EventHit& h : passes) {
        const double before = std::remainder(BodyLongitude(h.julianDate - kMinute, c.point) - target, 360.0);
        const double after = std::remainder(BodyLongitude(h.julianDate + kMinute, c.point) - target, 360.0);
        EXPECT_NE(before < 0, after < 0) << IsoMinuteText(h.julianDate);
    }
}

INSTANTIATE_TEST_SUITE_P(Loops, RetrogradeLoopTest, ::testing::ValuesIn(kLoopCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Targets on the dial's edge ----

struct EdgeCase {
    const char* name;
    const char* body;
    int point;
    double modulus, target;
    std::size_t expected;  // crossings in 2027
};

void PrintTo(const EdgeCase& c, std::ostream* os) {
    *os << c.name;
}

const EdgeCase kEdgeCases[] = {
    {"SunAtZeroOfTheNinetyDial", "SUN", kSun, 90, 0, 4},
    {"SunAtTheNinetyDialsEdge", "SUN", kSun, 90, 90 - 1e-6, 4},
    {"SunAtNinetyItself", "SUN", kSun, 90, 90, 4},
    {"SunAtZeroAries", "SUN", kSun, 360, 0, 1},
    {"SunJustBeforeZeroAries", "SUN", kSun, 360, 360 - 1e-7, 1},
    {"MoonAtZeroAries", "MOO", kMoon, 360, 0, 13},
    {"MoonAtTheEdgeOfTheTwentyTwoAndAHalfDial", "MOO", kMoon, 22.5, 22.5 - 1e-6, 13 * 16},
};

class EdgeTargetTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTargetTest, CrossesTheTargetAtZeroOrAtTheEdgeEachTimeAndOnlyThen) {
    const EdgeCase& c = GetParam();
    EventSearchRequest request;
    request.fromJulianDate = JulianDate(2027, 1, 1);
    request.toJulianDate = JulianDate(2028, 1, 1);
    request.modulus = c.modulus;
    request.movers = TransitMovers({c.body}, std::make_shared<SkyAtMoment>());
    request.targets = {{"T", c.target}};
    const EventSearchResult r = SearchEvents(request);
    // The Moon makes 13 or 14 turns in a year.
    if (c.point == kMoon) {
        EXPECT_GE(r.hits.size(), c.expected);
        EXPECT_LE(r.hits.size(), c.expected + c.expected / 13);
    } else {
        EXPECT_EQ(r.hits.size(), c.expected);
    }
    for (const EventHit& h : r.hits) {
        const double before =
            HarmonicDistance(BodyLongitude(h.julianDate - kMinute, c.point), c.target, c.modulus);
        const double after =
            HarmonicDistance(BodyLongitude(h.julianDate + kMinute, c.point), c.target, c.modulus);
        EXPECT_LT(before, 0) << IsoMinuteText(h.julianDate);
        EXPECT_GT(after, 0) << IsoMinuteText(h.julianDate);
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeTargetTest, ::testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Stopping ----

class StopAfter : public EventSearchProgress {
  public:
    explicit StopAfter(int calls) : left_(calls) {}
    bool Continue(double fraction) override {
        fractions.push_back(fraction);
        return --left_ > 0;
    }
    std::vector<double> fractions;

  private:
    int left_;
};

EventSearchRequest MoonYear() {
    EventSearchRequest request;
    request.fromJulianDate = JulianDate(2027, 1, 1);
    request.toJulianDate = JulianDate(2028, 1, 1);
    request.modulus = 90;
    request.movers = TransitMovers({"MOO", "SUN"}, std::make_shared<SkyAtMoment>());
    request.targets = {{"A", 10}, {"B", 77.7}};
    return request;
}

TEST(EventSearchTest, ACancelledSearchKeepsTheEventsBeforeItStoppedExactlyAsTheWholeSearchFindsThem) {
    const EventSearchRequest request = MoonYear();
    const EventSearchResult whole = SearchEvents(request);
    StopAfter stop(3);
    const EventSearchResult part = SearchEvents(request, stop);
    EXPECT_EQ(part.outcome, EventSearchOutcome::Cancelled);
    ASSERT_EQ(stop.fractions.size(), 3u);
    EXPECT_TRUE(std::is_sorted(stop.fractions.begin(), stop.fractions.end()));
    EXPECT_GT(part.stoppedJulianDate, request.fromJulianDate);
    EXPECT_LT(part.stoppedJulianDate, request.toJulianDate);
    std::size_t before = 0;
    while (before < whole.hits.size() && whole.hits[before].julianDate < part.stoppedJulianDate) ++before;
    ASSERT_EQ(part.hits.size(), before);
    ASSERT_GT(before, 0u);
    for (std::size_t i = 0; i < before; ++i) {
        EXPECT_EQ(part.hits[i].julianDate, whole.hits[i].julianDate);
        EXPECT_EQ(part.hits[i].target, whole.hits[i].target);
    }
}

TEST(EventSearchTest, ReportsTheWholeRangeDoneAtTheEnd) {
    StopAfter never(1000);
    const EventSearchResult r = SearchEvents(MoonYear(), never);
    EXPECT_EQ(r.outcome, EventSearchOutcome::Complete);
    ASSERT_FALSE(never.fractions.empty());
    EXPECT_DOUBLE_EQ(never.fractions.back(), 1.0);
    EXPECT_DOUBLE_EQ(r.stoppedJulianDate, MoonYear().toJulianDate);
}

TEST(EventSearchTest, StopsAtTheMostEventsAskedAndSaysWhere) {
    EventSearchRequest request = MoonYear();
    request.mostHits = 20;
    const EventSearchResult r = SearchEvents(request);
    EXPECT_EQ(r.outcome, EventSearchOutcome::TooMany);
    EXPECT_GE(r.hits.size(), 20u);
    EXPECT_LT(r.stoppedJulianDate, request.toJulianDate);
    for (const EventHit& h : r.hits) EXPECT_LT(h.julianDate, r.stoppedJulianDate);
}

// The cap counts events as they are found: the search stops as soon as it knows the first so many, lists
// exactly those, and every event of the whole search before the moment it names is among them.
TEST(EventSearchTest, StopsAsSoonAsItKnowsTheMostEventsAndListsExactlyTheFirstOfThem) {
    const EventSearchResult whole = SearchEvents(MoonYear());
    for (std::size_t most : {std::size_t{1}, std::size_t{20}, std::size_t{100}}) {
        SCOPED_TRACE(most);
        EventSearchRequest request = MoonYear();
        request.mostHits = most;
        const EventSearchResult r = SearchEvents(request);
        EXPECT_EQ(r.outcome, EventSearchOutcome::TooMany);
        ASSERT_EQ(r.hits.size(), most);
        EXPECT_EQ(r.count, most);
        ASSERT_GT(whole.hits.size(), most);
        for (std::size_t i = 0; i < most; ++i) {
            EXPECT_EQ(r.hits[i].julianDate, whole.hits[i].julianDate) << i;
            EXPECT_EQ(r.hits[i].mover, whole.hits[i].mover) << i;
            EXPECT_EQ(r.hits[i].target, whole.hits[i].target) << i;
        }
        // The next event of the whole search is where it stopped.
        EXPECT_GT(r.stoppedJulianDate, r.hits.back().julianDate);
        EXPECT_LE(r.stoppedJulianDate, whole.hits[most].julianDate);
    }
}

// The 91 natal targets in the 5 dial: the Moon meets one of them every few minutes, so a stretch of a month
// holds thousands of events, and Cancel is heard within it.
EventSearchRequest MoonMonthOnNinetyOneTargets() {
    EventSearchRequest request;
    request.fromJulianDate = JulianDate(2027, 1, 1);
    request.toJulianDate = JulianDate(2027, 1, 31);
    request.modulus = 5;
    request.movers = TransitMovers({"MOO"}, std::make_shared<SkyAtMoment>());
    request.targets = SampleTargets();
    return request;
}

TEST(EventSearchTest, ALongStretchTellsItsProgressWithinItAndACancelThereKeepsTheEventsBefore) {
    const EventSearchRequest request = MoonMonthOnNinetyOneTargets();
    const EventSearchResult whole = SearchEvents(request);
    StopAfter stop(1);
    const EventSearchResult part = SearchEvents(request, stop);
    EXPECT_EQ(part.outcome, EventSearchOutcome::Cancelled);
    ASSERT_EQ(stop.fractions.size(), 1u);
    EXPECT_GT(stop.fractions[0], 0);
    EXPECT_LT(stop.fractions[0], 1);
    // Stopped within the range's one stretch, with every event before that moment listed.
    EXPECT_GT(part.stoppedJulianDate, request.fromJulianDate);
    EXPECT_LT(part.stoppedJulianDate, request.toJulianDate);
    std::size_t before = 0;
    while (before < whole.hits.size() && whole.hits[before].julianDate < part.stoppedJulianDate) ++before;
    ASSERT_GT(before, 0u);
    ASSERT_EQ(part.hits.size(), before);
    for (std::size_t i = 0; i < before; ++i) EXPECT_EQ(part.hits[i].julianDate, whole.hits[i].julianDate);
}

// The report tool prints the events as they are known: they come in time order, batch after batch while
// the search goes on, and together they are the events the search keeps.
TEST(EventSearchTest, HandsTheEventsOnInTimeOrderWhileItSearches) {
    const EventSearchRequest request = MoonYear();
    const EventSearchResult kept = SearchEvents(request);
    class Count : public EventSearchProgress {
      public:
        bool Continue(double) override {
            ++calls;
            return true;
        }
        int calls = 0;
    } progress;
    std::vector<EventHit> streamed;
    std::vector<int> callsAtBatch;
    const EventSearchResult r = StreamEvents(
        request,
        [&](std::span<const EventHit> batch) {
            EXPECT_LE(batch.size(), kEventBatch);
            streamed.insert(streamed.end(), batch.begin(), batch.end());
            callsAtBatch.push_back(progress.calls);
        },
        progress);
    EXPECT_EQ(r.outcome, EventSearchOutcome::Complete);
    EXPECT_TRUE(r.hits.empty());
    EXPECT_EQ(r.count, kept.hits.size());
    ASSERT_EQ(streamed.size(), kept.hits.size());
    for (std::size_t i = 0; i < streamed.size(); ++i) {
        EXPECT_EQ(streamed[i].julianDate, kept.hits[i].julianDate) << i;
        EXPECT_EQ(streamed[i].target, kept.hits[i].target) << i;
    }
    // A batch after each stretch of about a month, the first long before the search's end.
    ASSERT_GE(callsAtBatch.size(), 10u);
    EXPECT_LE(callsAtBatch.front(), 1);
    EXPECT_GE(progress.calls, 11);
}

// ---- The smallest dial ----

TEST(EventSearchTest, AModulusBelowAMinuteOfArcIsRefusedWithItsReason) {
    const struct {
        double modulus;
        bool refused;
    } cases[] = {{1e-9, true},    {0.001, true},         {0.0166, true}, {1.0 / 60, false},
                 {0.0167, false}, {1.0f / 60.0f, false}, {0.5, false},   {360, false}};
    for (const auto& c : cases) {
        const auto refusal = SearchModulusRefusal(c.modulus, "--modulus " + ModulusInMessage(c.modulus));
        EXPECT_EQ(refusal.has_value(), c.refused) << c.modulus;
    }
    EXPECT_EQ(
        *SearchModulusRefusal(0.001, "--modulus 0.001"),
        "--modulus 0.001 is too small to search: the events are timed to the minute, and the Moon moves "
        "up to 0.0107 degrees in a minute, so the smallest dial searched is one minute of arc, 0.0167 "
        "(the positions themselves are good to about a minute of arc).");
    EXPECT_EQ(ModulusInMessage(1e-9), "0.000000001");
    EXPECT_EQ(ModulusInMessage(static_cast<float>(0.001)), "0.001");
}

// Below the smallest dial the search itself searches nothing: a modulus of a billionth of a degree once
// gave one invented event at midnight for every day and target.
TEST(EventSearchTest, BelowTheSmallestDialNothingIsSearchedAndNoEventInvented) {
    for (double modulus : {1e-9, 0.001, 0.0}) {
        SCOPED_TRACE(modulus);
        EventSearchRequest request;
        request.fromJulianDate = JulianDate(2027, 1, 1);
        request.toJulianDate = JulianDate(2027, 1, 31);
        request.modulus = modulus;
        request.movers = TransitMovers({"SUN"}, std::make_shared<SkyAtMoment>());
        request.targets = SampleTargets();
        const EventSearchResult r = SearchEvents(request);
        EXPECT_EQ(r.outcome, EventSearchOutcome::Refused);
        EXPECT_TRUE(r.hits.empty());
    }
}

// In the smallest dial every event is real and none is missed: the Sun and the Moon (always direct) pass
// a target as often as their whole motion passes multiples of the dial, each time where their place on
// the dial is the target's.
TEST(EventSearchTest, InTheSmallestDialEveryPassIsFoundOnceAndIsReal) {
    const double m = kSmallestSearchModulus;
    const double from = JulianDate(2027, 3, 1), to = from + 1;
    const std::vector<EventTarget> targets = {{"A", 10.001}, {"B", 123.4567}};
    EventSearchRequest request;
    request.fromJulianDate = from;
    request.toJulianDate = to;
    request.modulus = m;
    request.movers = TransitMovers({"SUN", "MOO"}, std::make_shared<SkyAtMoment>());
    request.targets = targets;
    const EventSearchResult r = SearchEvents(request);
    ASSERT_EQ(r.outcome, EventSearchOutcome::Complete);
    const int points[] = {kSun, kMoon};
    for (int mover = 0; mover < 2; ++mover) {
        // The whole motion over the day, unwound hour by hour.
        const int p = points[mover];
        double start = BodyLongitude(from, p), motion = 0, last = start;
        for (int h = 1; h <= 24; ++h) {
            const double now = BodyLongitude(from + h / 24.0, p);
            motion += std::remainder(now - last, 360.0);
            last = now;
        }
        for (int target = 0; target < 2; ++target) {
            SCOPED_TRACE(std::to_string(mover) + " " + std::to_string(target));
            const double d0 = start - targets[static_cast<std::size_t>(target)].longitude;
            const auto expected = static_cast<long>(std::floor((d0 + motion) / m) - std::floor(d0 / m));
            long found = 0;
            double previous = -1e9;
            for (const EventHit& h : r.hits) {
                if (h.mover != mover || h.target != target) continue;
                ++found;
                const double lon = BodyLongitude(h.julianDate, p);
                // Within the Moon's motion of a second.
                EXPECT_NEAR(HarmonicDistance(lon, targets[static_cast<std::size_t>(target)].longitude, m), 0,
                            2e-4);
                // Passes over one target lie more than a minute apart.
                EXPECT_GT(h.julianDate - previous, kMinute);
                previous = h.julianDate;
            }
            EXPECT_EQ(found, expected);
        }
    }
}

TEST(EventSearchTest, AFactorThatCannotBeComputedAbandonsTheSearchNamingFactorAndMoment) {
    const double from = JulianDate(2001, 1, 1);
    const double broken = from + 40.25;
    EventSearchRequest request;
    request.fromJulianDate = from;
    request.toJulianDate = from + 100;
    request.modulus = 90;
    request.movers = {{"OK", [from](double t) { return 10 + (t - from); }},
                      {"BAD", [broken](double t) { return t < broken ? 5.0 : std::nan(""); }}};
    request.targets = {{"T", 0}};
    const EventSearchResult r = SearchEvents(request);
    EXPECT_EQ(r.outcome, EventSearchOutcome::Fault);
    EXPECT_EQ(r.faultMover, 1);
    EXPECT_GE(r.faultJulianDate, broken);
    EXPECT_LT(r.faultJulianDate, broken + 1.5);
}

// A factor with no place before the range (a progression before the birth) is searched from the range's
// start all the same.
TEST(EventSearchTest, AFactorWithoutAPlaceBeforeTheRangeIsNoFault) {
    const double from = JulianDate(2001, 1, 1);
    EventSearchRequest request;
    request.fromJulianDate = from;
    request.toJulianDate = from + 10;
    request.modulus = 360;
    request.movers = {{"NEW", [from](double t) { return t < from ? std::nan("") : 100 + (t - from); }}};
    request.targets = {{"T", 100.5}, {"U", 105.25}};
    const EventSearchResult r = SearchEvents(request);
    EXPECT_EQ(r.outcome, EventSearchOutcome::Complete);
    ASSERT_EQ(r.hits.size(), 2u);
    EXPECT_NEAR(r.hits[0].julianDate, from + 0.5, kSecond);
    EXPECT_NEAR(r.hits[1].julianDate, from + 5.25, kSecond);
}

TEST(EventSearchTest, AnEmptyRangeFindsNothing) {
    EventSearchRequest request = MoonYear();
    request.toJulianDate = request.fromJulianDate;
    const EventSearchResult r = SearchEvents(request);
    EXPECT_EQ(r.outcome, EventSearchOutcome::Complete);
    EXPECT_TRUE(r.hits.empty());
}

TEST(EventSearchTest, DialPlaceReducesEveryLongitudeIntoTheDial) {
    const struct {
        double lon, modulus, place;
    } cases[] = {{0, 90, 0},    {90, 90, 0},     {359.5, 90, 89.5}, {-10, 45, 35},
                 {725, 360, 5}, {22.5, 22.5, 0}, {44.9, 22.5, 22.4}};
    for (const auto& c : cases)
        EXPECT_NEAR(DialPlace(c.lon, c.modulus), c.place, 1e-9) << c.lon << " " << c.modulus;
}

}  // namespace
}  // namespace talvenor
