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

ChartState SmallChart() {
    ChartState c;
    c.ChartName = "Sample Person";
    c.NatalDateText = "3/14/1962";
    c.DiurnalDateText = "12/7/2026";
    c.NatalTZ = 6;
    c.NatalTime = 10.15f;
    c.NatalAmPm = "P.M.";
    c.NatalLatitude = 41.52f;
    c.NatalLongitude = 87.39f;
    c.NatalNorthSouthCopy = "NORTH";
    c.NatalEastWestCopy = "WEST";
    c.DiurnalTZ = -3.5f;
    c.DiurnalTime = 9.05f;
    c.DiurnalAmPm = "A.M.";
    c.DiurnalLatitude = -33.52f;
    c.DiurnalNorthSouth = "SOUTH";
    c.DiurnalLongitude = -151.13f;
    c.DiurnalEastWest = "EAST";
    return c;
}

TEST(PositionsTest, HeadersReadTheDateTextsAsDates) {
    const ChartState c = SmallChart();
    ReportBuffer r;
    WriteNatalHeader(c, RegionalFormat{}, r);
    WriteDiurnalHeader(c, RegionalFormat{}, r);
    ASSERT_EQ(r.PageLineCount, 5);
    EXPECT_EQ(r.PageLines[0], "");
    EXPECT_EQ(r.PageLines[1], "  Sample Person");
    EXPECT_EQ(r.PageLines[2], "  14 Mar 1962    TZ = 6.0      10.15 P.M.   41.52 NORTH    87.39 WEST");
    EXPECT_EQ(r.PageLines[3], "  Diurnal date = 07 Dec 2026");
    EXPECT_EQ(r.PageLines[4], "  07 Dec 2026    TZ = -3.5      9.05 A.M.   33.52 SOUTH    151.13 EAST");

    // Day-month-year order reads the same texts differently.
    RegionalFormat dmy;
    dmy.DateOrder = 1;
    ChartState d = c;
    d.NatalDateText = "14/3/1962";
    ReportBuffer short_;
    WriteNatalHeaderShort(d, dmy, short_);
    ASSERT_EQ(short_.PageLineCount, 2);
    EXPECT_EQ(short_.PageLines[1].substr(0, 13), "  14 Mar 1962");
}

TEST(PositionsTest, TransitTableShowsNoHouseColumnAndNoSouthNode) {
    const ChartState c = SmallChart();
    Chart second;
    for (int p = 1; p <= kPointCount; ++p) {
        second.Lon[static_cast<std::size_t>(p)] = 20.0 * p + 0.5;
        second.Decl[static_cast<std::size_t>(p)] = p - 8.0;
    }
    second.RetroFlags = "   R           ";
    second.HouseText = std::string(150, 'x');
    SecondInputTexts transit;
    ReportBuffer r;
    WriteTransitPositionsPage(c, second, Options{}, RegionalFormat{}, transit, r);
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
