#include "ephemeris/pluto_table.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "ephemeris/engine_test_support.h"
#include "ephemeris/modern_sky.h"
#include "ephemeris/series_table.h"
#include "support/shipped_tables.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::Tables;

using testing_support::Decimals;

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kArcsecond = kDegree / 3600;

PlutoRectangular At(double julianDayTdb) {
    const std::optional<PlutoRectangular> p = PlutoHeliocentricJ2000(Tables().pluto, julianDayTdb);
    EXPECT_TRUE(p.has_value()) << julianDayTdb;
    return p.value_or(PlutoRectangular{});
}

double Distance(const PlutoRectangular& a, const PlutoRectangular& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

// Meeus, Astronomical Algorithms (2nd ed.), example 37.a, 1992 October 13.0 TD. From 1895 on the table is
// his chapter's periodic terms, reproduced to 0.0001", so the heliocentric place meets his printed digits.
// His astrometric place (Pluto at the time its light left, the Earth from VSOP87, the
// equator of J2000.0) is met to the printed 0.1 s and 1": the only differences are his J2000 obliquity
// (23.4392911 deg against the 84381.406" the table is referred to: 0.04") and his FK5 correction of the
// Earth's longitude (0.09"), both far below the printed digits.
TEST(PlutoTableTest, MeeusExample37aIsReproducedToItsPrintedDigits) {
    constexpr double jd = 2448908.5;
    const PlutoRectangular p = At(jd);
    const double r = std::hypot(p.x, p.y, p.z);
    EXPECT_EQ(Decimals(std::atan2(p.y, p.x) / kDegree + 360, "232.74071"), "232.74071");
    EXPECT_EQ(Decimals(std::asin(p.z / r) / kDegree, "14.58782"), "14.58782");
    EXPECT_EQ(Decimals(r, "29.711111"), "29.711111");

    // The astrometric place: the Earth at the instant, Pluto when its light left, both on the equator of
    // J2000.0.
    const HeliocentricPosition e = Vsop87Position(Tables().vsop[Vsop87Body::Earth], jd);
    const double ex = e.radius * std::cos(e.latitude) * std::cos(e.longitude);
    const double ey = e.radius * std::cos(e.latitude) * std::sin(e.longitude);
    const double ez = e.radius * std::sin(e.latitude);
    double x = 0, y = 0, z = 0, tau = 0;
    for (int i = 0; i < 3; ++i) {
        const PlutoRectangular q = At(jd - tau);
        x = q.x - ex;
        y = q.y - ey;
        z = q.z - ez;
        tau = std::hypot(x, y, z) * 0.0057755183;  // days of light time per au
    }
    const double eps = 84381.406 * kArcsecond;
    const double xq = x, yq = std::cos(eps) * y - std::sin(eps) * z,
                 zq = std::sin(eps) * y + std::cos(eps) * z;
    const double alphaHours = eraAnp(std::atan2(yq, xq)) / kDegree / 15;
    const double delta = std::atan2(zq, std::hypot(xq, yq)) / kDegree;
    EXPECT_EQ(static_cast<int>(alphaHours), 15);
    EXPECT_EQ(static_cast<int>((alphaHours - 15) * 60), 31);
    EXPECT_EQ(Decimals(alphaHours * 3600 - 15 * 3600 - 31 * 60, "43.8"), "43.8");
    EXPECT_EQ(static_cast<int>(-delta), 4);
    EXPECT_EQ(static_cast<int>((-delta - 4) * 60), 27);
    EXPECT_EQ(Decimals(-delta * 3600 - 4 * 3600 - 27 * 60, "29"), "29");

    // The apparent place of date is that astrometric place carried through ERFA's own chain for a source
    // at that place (its Earth, the Sun's deflection, the aberration, the CIO-based precession-nutation):
    // the two agree within 0.05" (the deflection of a body at 30 au against one at infinity, and ERFA's
    // Earth velocity against the series', differ by far less).
    double ri = 0, di = 0, eo = 0;
    eraAtci13(std::atan2(yq, xq), std::asin(zq / std::hypot(xq, yq, zq)), 0, 0, 0, 0, jd, 0, &ri, &di, &eo);
    const double ra = eraAnp(ri - eo);  // on the true equator and equinox of date
    double dpsi = 0, deps = 0;
    eraNut06a(jd, 0, &dpsi, &deps);
    const double epsDate = eraObl06(jd, 0) + deps;
    const double longitude =
        std::atan2(std::sin(ra) * std::cos(epsDate) + std::tan(di) * std::sin(epsDate), std::cos(ra));
    const ApparentPlace place = ApparentPlaceAt(Tables(), ModernBody::Pluto, jd);
    EXPECT_LT(std::fabs(std::remainder(place.longitude * kDegree - longitude, 2 * std::numbers::pi)),
              0.05 * kArcsecond);
    EXPECT_LT(std::fabs(place.declination * kDegree - di), 0.05 * kArcsecond);
    EXPECT_NEAR(place.distance, std::hypot(x, y, z), 1e-6);
}

// The two sources as they give Pluto (heliocentric, ecliptic of J2000.0, au): the gravity simulation
// before 1885, Meeus' terms from 1895 on, to the end of the table. The segments follow the simulation to
// 0.02" (3e-6 au at 30 au), smoothing its steps, and the smooth terms to 1e-8 au.
TEST(PlutoTableTest, TheSegmentsReproduceTheirSources) {
    const struct {
        double jd, x, y, z, within;
    } sources[] = {
        {1721423.5, -26.314549023, -11.466420651, 8.839713703, 3e-6},   // 0001 Jan 1, the simulation
        {1903682.0, -23.320290546, -16.368695745, 8.501585144, 3e-6},   // 0498, the simulation
        {2100000.25, 21.637894821, -28.621246711, -3.181060228, 3e-6},  // 1037, the simulation
        {2460000.5, 16.333570323, -30.597304437, -1.448119922, 1e-8},   // 2023 Feb 24, Meeus' terms
        {2488069.5, 39.674675919, 24.905218709, -14.143079797, 1e-8},   // 2100 Jan 1, Meeus' terms
    };
    for (const auto& s : sources) {
        SCOPED_TRACE(s.jd);
        const PlutoRectangular p = At(s.jd);
        EXPECT_LT(Distance(p, {s.x, s.y, s.z}), s.within);
    }
}

// Where one segment ends the next begins. From 1885 on, where the source is smooth, the place agrees to
// 1e-7 au (a milli-arc-second at Pluto) and the velocity to 5e-8 au a day. Before, the simulation the table
// follows moves in steps of 146 days, which the fit smooths: the joins agree to 1.5e-6 au (0.01") and the
// velocity to 1e-6 au a day (Pluto moves 0.002 to 0.004 au a day).
TEST(PlutoTableTest, TheSegmentsJoinWithoutAStep) {
    const PlutoTable& t = Tables().pluto;
    ASSERT_GT(t.Segments(), 1u);
    constexpr double kFrom1885 = 2409907.5;
    double worstPlace[2] = {0, 0}, worstVelocity[2] = {0, 0};
    const double h = 1e-9 * t.days;  // just inside each side of a join
    constexpr double dt = 0.01;      // the velocity over a hundredth of a day on each side
    for (std::size_t i = 1; i < t.Segments(); ++i) {
        const double join = t.first + t.days * static_cast<double>(i);
        const int smooth = join > kFrom1885 ? 1 : 0;
        const PlutoRectangular before = At(join - h), after = At(join + h);
        worstPlace[smooth] = std::max(worstPlace[smooth], Distance(before, after));
        const PlutoRectangular earlier = At(join - dt), later = At(join + dt);
        const PlutoRectangular velocityBefore{(before.x - earlier.x) / dt, (before.y - earlier.y) / dt,
                                              (before.z - earlier.z) / dt};
        const PlutoRectangular velocityAfter{(later.x - after.x) / dt, (later.y - after.y) / dt,
                                             (later.z - after.z) / dt};
        worstVelocity[smooth] = std::max(worstVelocity[smooth], Distance(velocityBefore, velocityAfter));
    }
    EXPECT_LT(worstPlace[1], 1e-7);
    EXPECT_LT(worstVelocity[1], 5e-8);
    EXPECT_LT(worstPlace[0], 1.5e-6);
    EXPECT_LT(worstVelocity[0], 1e-6);
}

// The table spans 0 BC Jan 1 to AD 2102; every instant of years 1 to 2100 has a place, none outside.
TEST(PlutoTableTest, InstantsOutsideTheTableHaveNoPlace) {
    const PlutoTable& t = Tables().pluto;
    EXPECT_LE(t.first, 1721423.5 - 300);   // 0001 Jan 1 (Julian calendar), less a margin
    EXPECT_GE(t.Last(), 2488434.5 + 300);  // 2101 Jan 1, and a margin
    EXPECT_TRUE(PlutoHeliocentricJ2000(t, t.first).has_value());
    EXPECT_TRUE(PlutoHeliocentricJ2000(t, t.Last()).has_value());
    EXPECT_FALSE(PlutoHeliocentricJ2000(t, t.first - 1e-6).has_value());
    EXPECT_FALSE(PlutoHeliocentricJ2000(t, t.Last() + 1e-6).has_value());
    EXPECT_FALSE(PlutoHeliocentricJ2000(t, NAN).has_value());
    EXPECT_FALSE(PlutoHeliocentricJ2000(PlutoTable{}, 2451545.0).has_value());

    // The apparent place needs the day before as well, for the light time.
    EXPECT_TRUE(ModernBodyCovered(Tables(), ModernBody::Pluto, 1721423.5));
    EXPECT_TRUE(ModernBodyCovered(Tables(), ModernBody::Pluto, 2488434.5));
    EXPECT_FALSE(ModernBodyCovered(Tables(), ModernBody::Pluto, t.first + 0.5));
    EXPECT_FALSE(ModernBodyCovered(Tables(), ModernBody::Pluto, t.Last() + 0.5));
    EXPECT_TRUE(ModernBodyCovered(Tables(), ModernBody::Neptune, t.Last() + 0.5));
    const ApparentPlace outside = ApparentPlaceAt(Tables(), ModernBody::Pluto, t.Last() + 0.5);
    EXPECT_TRUE(std::isnan(outside.longitude) && std::isnan(outside.latitude) &&
                std::isnan(outside.declination) && std::isnan(outside.distance));
    const ApparentPlace inside = ApparentPlaceAt(Tables(), ModernBody::Pluto, 1721423.5);
    EXPECT_TRUE(inside.longitude >= 0 && inside.longitude < 360);
    EXPECT_TRUE(inside.distance > 28.5 && inside.distance < 50.5);  // perihelion 29.7 au, aphelion 49.3 au
}

std::string WithCheck(const std::string& text) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(text)));
    return text + "check " + hex + "\n";
}

// Two segments of two days with two coefficients: x = 1 + 2u over the first (u from -1 to 1), then 5 + 2u
// over the second; y = 2u, then 4 + 2u; z = -1 + 2u, then 3 + 2u.
const std::string kSmallTable =
    "# a small table\n"
    "chebyshev 100.5 2 2 2\n"
    "1 2 0 2 -1 2\n"
    "5 2 4 2 3 2\n";

TEST(PlutoTableTest, ASmallTableIsReadAndSummed) {
    const PlutoRead read = ParsePlutoTable(kSmallTable);
    ASSERT_TRUE(read.table.has_value()) << read.fault.value_or("");
    EXPECT_EQ(read.table->Segments(), 2u);
    EXPECT_EQ(read.table->Last(), 104.5);
    const auto at = [&](double jd) { return PlutoHeliocentricJ2000(*read.table, jd).value(); };
    EXPECT_EQ(at(100.5).x, -1);
    EXPECT_EQ(at(101.0).x, 0);
    EXPECT_EQ(at(102.5).x, 3);  // the second segment's start
    EXPECT_EQ(at(103.5).y, 4);
    EXPECT_EQ(at(104.5).z, 5);  // the very end belongs to the last segment
}

TEST(PlutoTableTest, ADamagedOrMalformedTableIsRefusedWithItsPathAndLine) {
    testing_support::TemporaryFolder folder;
    const auto put = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder.path() / name, std::ios::binary) << bytes;
        return folder.path() / name;
    };
    const std::string good = WithCheck(kSmallTable);
    ASSERT_TRUE(LoadPlutoTable(put("good.txt", good)).table.has_value());

    std::string damaged = good;
    damaged[damaged.find("5 2 4")] = '6';
    const std::filesystem::path damagedPath = put("damaged.txt", damaged);
    EXPECT_EQ(LoadPlutoTable(damagedPath).fault,
              "The table file " + damagedPath.string() +
                  " is damaged (its check value does not match its contents).");
    std::string badCheck = good;
    badCheck[badCheck.size() - 3] = badCheck[badCheck.size() - 3] == '0' ? '1' : '0';
    const std::filesystem::path badCheckPath = put("check.txt", badCheck);
    EXPECT_EQ(LoadPlutoTable(badCheckPath).fault,
              "The table file " + badCheckPath.string() +
                  " is damaged (its check value does not match its contents).");
    const std::filesystem::path cutPath = put("cut.txt", good.substr(0, good.size() - 10));
    EXPECT_EQ(LoadPlutoTable(cutPath).fault,
              "The table file " + cutPath.string() + " is cut short (it does not end with its check line).");
    const std::filesystem::path missing = folder.path() / "none.txt";
    EXPECT_EQ(LoadPlutoTable(missing).fault, "The table file " + missing.string() + " cannot be read.");

    // A sound check over a text the reader cannot take: named by its line.
    std::string shortLine = kSmallTable;
    shortLine.replace(shortLine.find("5 2 4 2 3 2"), 11, "5 2 4 2 3");
    const std::filesystem::path shortPath = put("short.txt", WithCheck(shortLine));
    EXPECT_EQ(LoadPlutoTable(shortPath).fault,
              "The table file " + shortPath.string() +
                  " is damaged (line 4: a segment of 6 numbers was expected).");
    EXPECT_EQ(ParsePlutoTable("chebyshev 100.5 2 2 2\n1 2 0 2 -1 x\n").fault,
              "line 2: a segment of 6 numbers was expected");
    EXPECT_EQ(ParsePlutoTable("chebyshev 100.5 2 2 2\n1 2 0 2 -1 inf\n").fault,
              "line 2: a segment of 6 numbers was expected");
    EXPECT_EQ(ParsePlutoTable("# one segment of two\nchebyshev 100.5 2 2 2\n1 2 0 2 -1 2\n").fault,
              "line 3: the table ends before its last segment");
    EXPECT_EQ(ParsePlutoTable("chebyshev 100.5 2 99999999999999999 2\n1 2 0 2 -1 2\n").fault,
              "line 2: the table ends before its last segment");
    EXPECT_EQ(ParsePlutoTable(kSmallTable + "1 2 0 2 -1 2\n").fault,
              "line 5: the table goes on past its last segment");
    const std::string heading =
        "line 2: the heading \"chebyshev FIRST DAYS SEGMENTS COEFFICIENTS\" was expected";
    for (const char* bad : {"chebyshev 100.5 0 2 2\n", "chebyshev 100.5 2 2 65\n", "chebyshev 100.5 2 2\n",
                            "segments 100.5 2 2 2\n"}) {
        EXPECT_EQ(ParsePlutoTable(std::string("# comment\n") + bad).fault, heading) << bad;
    }
    EXPECT_EQ(ParsePlutoTable("# nothing\n").fault,
              "the heading \"chebyshev FIRST DAYS SEGMENTS COEFFICIENTS\" is missing");
}

}  // namespace
}  // namespace talvenor
