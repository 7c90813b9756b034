#include "chart/positions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart/point_catalogue.h"
#include "report/report_buffer.h"

namespace talvenor {
namespace {

TEST(PositionsTest, ShortAndLongFormsNeverCarryIntoTheNextDegree) {
    struct Case {
        double lon;
        const char* shortForm;
        const char* longForm;
    };
    const Case cases[] = {
        {29.9999, "29 ARI 59", "29 ARI 59m 59s"},    {0.5, "00 ARI 30", "00 ARI 30m 00s"},
        {359.99, "29 PIS 59", "29 PIS 59m 24s"},     {0.0, "00 ARI 00", "00 ARI 00m 00s"},
        {5.12833334, "05 ARI 08", "05 ARI 07m 42s"}, {90.0, "00 CAN 00", "00 CAN 00m 00s"},
        {269.999, "29 SAG 59", "29 SAG 59m 56s"},    {123.25, "03 LEO 15", "03 LEO 15m 00s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lon);
        EXPECT_EQ(ShortPosition(c.lon), c.shortForm);
        EXPECT_EQ(LongPosition(c.lon), c.longForm);
    }
}

TEST(PositionsTest, EveryWholeDegreeSplitsIntoSignAndDegreesByTheRule) {
    // The rule: the whole degree through a thirtieth and back, rounded to hundredths, then floored.
    for (int d = 0; d < 360; ++d) {
        const double whole = d;
        const int sign = static_cast<int>(std::floor(whole / 30.0)) + 1;
        const double scaled = (whole / 30.0 - std::floor(whole / 30.0)) * 30.0;
        const int degrees = static_cast<int>(std::floor(std::floor(scaled * 100.0 + 0.5) / 100.0));
        for (const double fraction : {0.0, 0.25, 0.999}) {
            SCOPED_TRACE(whole + fraction);
            EXPECT_EQ(SplitShort(whole + fraction).SignNumber, sign);
            EXPECT_EQ(SplitShort(whole + fraction).SignDegrees, degrees);
            EXPECT_EQ(SplitLong(whole + fraction).SignDegrees, degrees);
        }
        EXPECT_EQ(sign, d / 30 + 1);
        EXPECT_EQ(degrees, d % 30);
    }
}

TEST(PositionsTest, DeclinationsShowTheirHemisphere) {
    EXPECT_EQ(DeclinationText(-0.5), "00 S 30");
    EXPECT_EQ(DeclinationText(0.0), "00 N 00");
    EXPECT_EQ(DeclinationText(23.44), "23 N 26");
    EXPECT_EQ(DeclinationText(-23.44), "23 S 26");
    EXPECT_EQ(DeclinationText(-5.2294), "05 S 14");
}

TEST(PositionsTest, SolsticePointsMirrorAcrossTheChosenAxis) {
    Options solstice;
    Options equinox;
    equinox[167] = 1;
    struct Case {
        double lon, solsticeAxis, equinoxAxis;
    };
    const Case cases[] = {
        {15, 165, 345},  // 15 Aries: 15 Virgo, or 15 Pisces
        {0, 180, 0},     // 0 Aries: 0 Libra, or 0 Aries (360 becomes 0)
        {180, 0, 180},   // 0 Libra: 0 Aries
        {95, 85, 265},   // 5 Cancer: 25 Gemini, or 25 Sagittarius
        {270, 270, 90},  // 0 Capricorn stays on the solstice axis
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lon);
        EXPECT_DOUBLE_EQ(SolsticePoint(c.lon, solstice), c.solsticeAxis);
        EXPECT_DOUBLE_EQ(SolsticePoint(c.lon, equinox), c.equinoxAxis);
    }
    EXPECT_EQ(ShortPosition(SolsticePoint(180, solstice)), "00 ARI 00");
}

TEST(PositionsTest, AValueOutsideOneTurnStillNamesASign) {
    EXPECT_EQ(ShortPosition(360.0), "00 ARI 00");
    EXPECT_EQ(ShortPosition(-10.0), "20 PIS 00");
}

// A birth as the input windows give it: hour and minute on the 12-hour clock, the zone in hours west, the
// place as whole degrees and minutes.
Birth BirthAt(const char* name, int year, int month, int day, int hour, int minute, bool pm, double zone,
              int lonDeg, int lonMin, bool east, int latDeg, int latMin, bool south) {
    Birth b;
    b.name = name;
    b.year = GivenNumber(year);
    b.month = GivenNumber(month);
    b.day = GivenNumber(day);
    b.hour = GivenNumber(hour);
    b.minute = GivenNumber(minute);
    b.pm = pm;
    b.zone = GivenNumber(zone);
    b.longitudeDegrees = GivenNumber(lonDeg);
    b.longitudeMinutes = GivenNumber(lonMin);
    b.east = east;
    b.latitudeDegrees = GivenNumber(latDeg);
    b.latitudeMinutes = GivenNumber(latMin);
    b.south = south;
    b.dateText = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
    return b;
}

Chart NatalSample() {
    Chart c;
    c.birth = BirthAt("Sample Person", 1962, 3, 14, 10, 15, true, 6, 87, 39, false, 41, 52, false);
    return c;
}

Chart SecondSample() {
    Chart c;
    c.birth = BirthAt("", 2026, 12, 7, 9, 5, false, -3.5, 151, 13, true, 33, 52, true);
    return c;
}

TEST(PositionsTest, HeadersPrintTheBirthsOfTheTwoCharts) {
    const Chart natal = NatalSample();
    const Chart second = SecondSample();
    ReportBuffer r;
    WriteNatalHeader(natal, second, RegionalFormat{}, r);
    WriteDiurnalHeader(second, RegionalFormat{}, r);
    ASSERT_EQ(r.PageLineCount, 5);
    EXPECT_EQ(r.PageLines[0], "");
    EXPECT_EQ(r.PageLines[1], "  Sample Person");
    EXPECT_EQ(r.PageLines[2], "  14 Mar 1962    TZ = 6.0      10.15 P.M.   41.52 NORTH    87.39 WEST");
    EXPECT_EQ(r.PageLines[3], "  Diurnal date = 07 Dec 2026");
    EXPECT_EQ(r.PageLines[4], "  07 Dec 2026    TZ = -3.5      9.05 A.M.   33.52 SOUTH    151.13 EAST");

    // The date is the birth's own, whatever the regional order of its text.
    RegionalFormat dmy;
    dmy.DateOrder = 1;
    Chart d = natal;
    d.birth.dateText = "14/3/1962";
    ReportBuffer short_;
    WriteNatalHeaderShort(d, dmy, short_);
    ASSERT_EQ(short_.PageLineCount, 2);
    EXPECT_EQ(short_.PageLines[1].substr(0, 13), "  14 Mar 1962");
}

TEST(PositionsTest, HeadingWordsFollowTheSignOfThePlace) {
    struct Case {
        int lonDeg, lonMin;
        bool east;
        int latDeg, latMin;
        bool south;
        const char* eastWest;
        const char* northSouth;
        float longitude, latitude;
    };
    const Case cases[] = {
        {87, 39, false, 41, 52, false, "WEST", "NORTH", 87.39f, 41.52f},
        {151, 13, true, 33, 52, true, "EAST", "SOUTH", -151.13f, -33.52f},
        // No degrees and no minutes: the word follows the sign, whichever direction was chosen.
        {0, 0, true, 0, 0, true, "WEST", "NORTH", 0.0f, 0.0f},
        {0, 30, true, 0, 30, true, "EAST", "SOUTH", -0.3f, -0.3f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lonDeg) + "." + std::to_string(c.lonMin));
        const BirthHeading h = HeadingOf(BirthAt("x", 2000, 1, 2, 12, 0, false, 0, c.lonDeg, c.lonMin, c.east,
                                                 c.latDeg, c.latMin, c.south));
        EXPECT_EQ(h.eastWest, c.eastWest);
        EXPECT_EQ(h.northSouth, c.northSouth);
        EXPECT_FLOAT_EQ(h.longitude, c.longitude);
        EXPECT_FLOAT_EQ(h.latitude, c.latitude);
        EXPECT_EQ(h.date, (CivilDate{2000, 1, 2}));
        EXPECT_EQ(h.amPm, "A.M.");
    }
}

TEST(PositionsTest, TransitTableShowsNoHouseColumnAndNoSouthNode) {
    Chart second = SecondSample();
    for (int p = 1; p <= kPointCount; ++p) {
        second.Lon[static_cast<std::size_t>(p)] = 20.0 * p + 0.5;
        second.Decl[static_cast<std::size_t>(p)] = p - 8.0;
    }
    second.RetroFlags = "   R           ";
    second.HouseText = std::string(150, 'x');
    SecondInputTexts transit;
    ReportBuffer r;
    WriteTransitPositionsPage(second, Options{}, RegionalFormat{}, transit, r);
    int rows = 0;
    for (int i = 0; i < r.PageLineCount; ++i) {
        const std::string& line = r.PageLines[static_cast<std::size_t>(i)];
        EXPECT_EQ(line.find("S. NODE"), std::string::npos);
        EXPECT_EQ(line.find("xxxx"), std::string::npos);
        if (line.find("   MARS      R    ") != std::string::npos) {
            EXPECT_EQ(line, "  20 GEM 30m 00s   MARS      R" + std::string(20, ' ') + "04 S 00   09 CAN 30");
        }
        if (line.size() > 20 && line[4] == ' ' && line[8] == ' ' && line[11] == 'm') ++rows;
    }
    EXPECT_EQ(rows, 14);
    EXPECT_EQ(r.PageLines[1], "  TRANSIT POSITIONS");
    EXPECT_EQ(r.PageLines[static_cast<std::size_t>(r.PageLineCount - 1)],
              std::string(51, ' ') + "Decl.   Solstice Pt");
}

}  // namespace
}  // namespace talvenor
