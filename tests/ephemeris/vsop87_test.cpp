#include "ephemeris/vsop87.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "ephemeris/series_table.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

const std::filesystem::path kTableFile =
    std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris" / "vsop87b.txt";

const Vsop87Tables& Tables() {
    static const Vsop87Read read = LoadVsop87(kTableFile);
    static const Vsop87Tables tables = read.tables.value_or(Vsop87Tables{});
    EXPECT_FALSE(read.fault.has_value()) << read.fault.value_or("");
    return tables;
}

// The authors' check values of VSOP87B (the check file that comes with the series): heliocentric l and b
// in radians to ten decimals, r in au to ten decimals or, where only seven are at hand, to seven.
struct CheckValue {
    Vsop87Body body;
    double julianDay;
    double l, b, r, rDigits;
};
constexpr double k10 = 0.5e-10, k7 = 0.5e-7;
const CheckValue kCheckValues[] = {
    {Vsop87Body::Mercury, 2451545.0, 4.4293481043, -0.0527573411, 0.4664714751, k10},
    {Vsop87Body::Venus, 2451545.0, 3.1870221910, 0.0569782849, 0.7202129248, k10},
    {Vsop87Body::Earth, 2451545.0, 1.7519238637, -0.0000039656, 0.9833276823, k10},
    {Vsop87Body::Mars, 2451545.0, 6.2735389872, -0.0247779824, 1.3912076937, k10},
    {Vsop87Body::Jupiter, 2451545.0, 0.6334614217, -0.0205001039, 4.9653813, k7},
    {Vsop87Body::Saturn, 2451545.0, 0.7980038867, -0.0401984149, 9.1838483, k7},
    {Vsop87Body::Uranus, 2451545.0, 5.5225485297, -0.0119527878, 19.9240479, k7},
    {Vsop87Body::Neptune, 2451545.0, 5.3045629284, 0.0042236790, 30.1205329, k7},
    // A century, two and nine before J2000, where the powers of t weigh.
    {Vsop87Body::Earth, 2415020.0, 1.7634989198, 0.0002186910, 0.9832690, k7},
    {Vsop87Body::Earth, 2378495.0, 1.7750058558, 0.0004381095, 0.9832274, k7},
    {Vsop87Body::Earth, 2122820.0, 1.8557201152, 0.0019445314, 0.9830332, k7},
    {Vsop87Body::Venus, 2122820.0, 3.5336333775, 0.0496161272, 0.7215820, k7},
    {Vsop87Body::Mars, 2415020.0, 5.0185792656, -0.0274073500, 1.4218778, k7},
    {Vsop87Body::Mars, 2122820.0, 2.9557712523, 0.0298285524, 1.6571002, k7},
    {Vsop87Body::Jupiter, 2415020.0, 4.1171308454, 0.0159456650, 5.3850276, k7},
    {Vsop87Body::Saturn, 2122820.0, 3.7760794190, 0.0422300831, 9.8669939, k7},
    {Vsop87Body::Uranus, 2415020.0, 4.3641525628, 0.0009368610, 18.9927163, k7},
    {Vsop87Body::Neptune, 2122820.0, 2.4315044302, 0.0040125142, 30.0653695, k7},
};

TEST(Vsop87Test, TheFullSeriesGiveTheAuthorsCheckValuesToTheirPrintedDigits) {
    for (const CheckValue& c : kCheckValues) {
        SCOPED_TRACE(::testing::Message() << Vsop87BodyName(c.body) << " JD" << c.julianDay);
        const HeliocentricPosition p = Vsop87Position(Tables()[c.body], c.julianDay);
        EXPECT_NEAR(p.longitude, c.l, k10);
        EXPECT_NEAR(p.latitude, c.b, k10);
        EXPECT_NEAR(p.radius, c.r, c.rDigits);
    }
}

TEST(Vsop87Test, TheTablesHoldEveryPlanetsSeriesInFull) {
    // The term counts of the published series: Earth's longitude has 623 periodic terms of power 0,
    // Mercury's 1583; every planet has a longitude, a latitude and a radius of power 0.
    EXPECT_EQ(Tables()[Vsop87Body::Earth].L[0].size(), 623u);
    EXPECT_EQ(Tables()[Vsop87Body::Mercury].L[0].size(), 1583u);
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        const Vsop87Planet& p = Tables().planets[i];
        EXPECT_FALSE(p.L[0].empty() || p.B[0].empty() || p.R[0].empty()) << i;
    }
}

std::string SmallTable() {
    std::string text = "# a comment\n";
    for (const char* body : {"mercury", "venus", "earth", "mars", "jupiter", "saturn", "uranus", "neptune"}) {
        for (const char* coordinate : {"L", "B", "R"}) {
            text += std::string("series ") + body + " " + coordinate + " 0 1\n1 0 0\n";
        }
    }
    return text;
}

std::string WithCheck(const std::string& text) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(text)));
    return text + "check " + hex + "\n";
}

TEST(Vsop87Test, ADamagedCutOrMissingTableIsRefusedWithItsPathAndReason) {
    testing_support::TemporaryFolder folder;
    const auto put = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder.path() / name, std::ios::binary) << bytes;
        return folder.path() / name;
    };
    const std::string good = WithCheck(SmallTable());
    const Vsop87Read read = LoadVsop87(put("good.txt", good));
    ASSERT_TRUE(read.tables.has_value()) << read.fault.value_or("");
    EXPECT_EQ(Vsop87Position((*read.tables)[Vsop87Body::Mars], 2451545.0).radius, 1.0);

    std::string damaged = good;
    damaged[damaged.find("1 0 0")] = '2';
    const std::filesystem::path damagedPath = put("damaged.txt", damaged);
    EXPECT_EQ(LoadVsop87(damagedPath).fault,
              "The table file " + damagedPath.string() +
                  " is damaged (its check value does not match its contents).");

    const std::filesystem::path cutPath = put("cut.txt", good.substr(0, good.size() / 2));
    EXPECT_EQ(LoadVsop87(cutPath).fault,
              "The table file " + cutPath.string() + " is cut short (it does not end with its check line).");

    const std::filesystem::path missing = folder.path() / "none.txt";
    EXPECT_EQ(LoadVsop87(missing).fault, "The table file " + missing.string() + " cannot be read.");

    // A sound check over a text the reader cannot take: named by its line.
    std::string shortSeries = SmallTable();
    shortSeries.replace(shortSeries.find("series mercury L 0 1"), 20, "series mercury L 0 2");
    const std::filesystem::path shortPath = put("short.txt", WithCheck(shortSeries));
    EXPECT_EQ(LoadVsop87(shortPath).fault, "The table file " + shortPath.string() +
                                               " is damaged (line 4: a term of three numbers was expected).");
    std::string noSaturn = SmallTable();
    noSaturn.replace(noSaturn.find("series saturn R"), 15, "series saturn B");
    EXPECT_EQ(ParseVsop87(noSaturn).fault, "line 36: the series is given twice");
    EXPECT_EQ(ParseVsop87("series pluto L 0 1\n1 0 0\n").fault, "line 1: a series heading was expected");
    EXPECT_EQ(ParseVsop87("series mercury L 6 1\n1 0 0\n").fault, "line 1: a series heading was expected");
    EXPECT_EQ(ParseVsop87("series mercury L 0 1\n1 0 nan\n").fault,
              "line 2: a term of three numbers was expected");
    EXPECT_EQ(ParseVsop87("# nothing\n").fault, "the series of mercury are missing");
}

// The motion summed with its rates gives the same position as Vsop87Position, and rates that agree with the
// positions' own change over a hundredth of a day either side (a central difference, good to a part in ten
// million of the motion for these smooth series), for every planet, near J2000 and centuries away.
TEST(Vsop87Test, TheRatesSummedWithThePositionAreThePositionsOwnChange) {
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        const Vsop87Planet& planet = Tables().planets[i];
        for (const double jd : {2451545.0, 2415020.3, 2488070.7, 2378496.5}) {
            SCOPED_TRACE(::testing::Message() << Vsop87BodyName(static_cast<Vsop87Body>(i)) << " " << jd);
            const HeliocentricMotion m = Vsop87Motion(planet, jd);
            const HeliocentricPosition p = Vsop87Position(planet, jd);
            EXPECT_NEAR(std::remainder(m.longitude - p.longitude, 2 * M_PI), 0, 1e-12);
            EXPECT_NEAR(m.latitude, p.latitude, 1e-12);
            EXPECT_NEAR(m.radius, p.radius, 1e-12);
            constexpr double h = 0.01;
            const HeliocentricPosition ahead = Vsop87Position(planet, jd + h);
            const HeliocentricPosition behind = Vsop87Position(planet, jd - h);
            const double lRate = std::remainder(ahead.longitude - behind.longitude, 2 * M_PI) / (2 * h);
            EXPECT_NEAR(m.longitudeRate, lRate, 1e-7 * std::fabs(lRate) + 1e-11);
            EXPECT_NEAR(m.latitudeRate, (ahead.latitude - behind.latitude) / (2 * h), 2e-9);
            EXPECT_NEAR(m.radiusRate, (ahead.radius - behind.radius) / (2 * h), 2e-9);
        }
    }
}

}  // namespace
}  // namespace talvenor
