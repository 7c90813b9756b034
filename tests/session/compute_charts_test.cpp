#include "session/compute_charts.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "chart/chart_dump.h"
#include "chart/house_systems.h"
#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "datafiles/name_record.h"
#include "ephemeris/angles.h"
#include "input/input_fills.h"
#include "support/scripted_dialogs.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

class ComputeChartsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session_.options = DefaultOptions();
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                                         session_.regional, session_.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"),
                                           session_.regional, session_.diurnal));
    }

    testing_support::ScriptedDialogs dialogs_;
    Session session_{dialogs_};
};

TEST_F(ComputeChartsTest, AnUncheckedOrUnknownHouseMenuMeansPlacidus) {
    EXPECT_EQ(HouseSystemOfMenuCode(""), *HouseSystemOfKnownCode("P"));
    EXPECT_EQ(HouseSystemOfMenuCode("X"), *HouseSystemOfKnownCode("P"));
    EXPECT_EQ(HouseSystemOfMenuCode("EM"), *HouseSystemOfKnownCode("EM"));
    session_.checkedHouse = HouseSystemOfMenuCode("");
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(session_.natalChart.houseSystem, HouseSystem::Placidus);
}

TEST_F(ComputeChartsTest, FillsBothChartsAndTheSharedValues) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const Chart& c = session_.natalChart;
    const Chart& second = session_.secondChart;
    EXPECT_EQ(c.MidpointCount, 78);
    EXPECT_EQ(second.MidpointCount, 0);
    EXPECT_EQ(c.birth.name, "Sample Person");
    EXPECT_EQ(c.time.JulianDayNumber, 2437738);  // the civil date, before the zone moves it
    EXPECT_EQ(second.time.JulianDayNumber, 2461382);
    // The natal Part of Fortune is Ascendant + Moon - Sun whatever the Sun's house.
    EXPECT_EQ(c.Lon[kPartOfFortune], Norm360(c.Lon[kMoon] + c.time.Ascendant - c.Lon[kSun]));
    EXPECT_EQ(c.Lon[kSouthNode], Norm360(c.Lon[kNorthNode] + 180));
    EXPECT_EQ(c.MeanNode, c.Lon[kNorthNode]);
    // Nodes and angles lie on the ecliptic: their declinations come from longitude alone.
    for (int p = kNorthNode; p <= kMidheaven; ++p) {
        EXPECT_EQ(c.Decl[p], Declination(c.Lon[p], 0, -c.time.ObliquityRad)) << p;
    }
    EXPECT_EQ(c.TrueNodeDecl, Declination(c.TrueNode, 0, -c.time.ObliquityRad));
    EXPECT_NEAR(c.Cusp[1], c.time.Midheaven, 1e-9);  // Placidus' 10th cusp is the Midheaven
    EXPECT_EQ(second.Cusp[4], second.time.Ascendant);
    // Two passes, two sets of special points.
    EXPECT_NE(c.Vertex(), second.Vertex());
}

TEST_F(ComputeChartsTest, MidpointTableFollowsThePairOrderAndTheNodeChoice) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const Chart& c = session_.natalChart;
    EXPECT_EQ(c.MidpointFactor[1], c.Lon[kSun]);
    EXPECT_EQ(c.MidpointFactor[2], c.Lon[kMoon]);
    EXPECT_EQ(c.MidpointFactor[3], c.Lon[kMercury]);
    EXPECT_EQ(c.MidpointFactor[10], c.Lon[kPluto]);
    EXPECT_EQ(c.MidpointFactor[11], c.MeanNode);  // option 161 at 0: the mean node
    EXPECT_NE(c.TrueNode, c.MeanNode);
    EXPECT_EQ(c.MidpointFactor[13], c.Lon[kMidheaven]);
    EXPECT_EQ(c.MidpointFactor[18], 0.0);
    for (int i = 1; i <= 12; ++i) {
        for (int j = i + 1; j <= 13; ++j) {
            EXPECT_EQ(c.MidpointLon[static_cast<std::size_t>(MidpointPairIndex(i, j))],
                      MidpointOf(c.MidpointFactor[static_cast<std::size_t>(i)],
                                 c.MidpointFactor[static_cast<std::size_t>(j)]));
        }
    }

    session_.options[161] = 1;
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(session_.natalChart.MidpointFactor[11], session_.natalChart.TrueNode);
}

TEST_F(ComputeChartsTest, RefusedInputLeavesThePreviousChartUntouched) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const Chart natal = session_.natalChart, second = session_.secondChart;
    const int pageLines = session_.report.PageLineCount;

    session_.natal.month = "13";
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::InputRefused);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Error in natal input data section. Please correct.");
    EXPECT_EQ(session_.report.PageLineCount, pageLines);
    EXPECT_EQ(session_.natalChart, natal);
    EXPECT_EQ(session_.secondChart, second);
}

// The dump keeps a name exactly, every control character escaped, so that none reaches a terminal raw.
TEST_F(ComputeChartsTest, TheDumpEscapesEveryControlCharacterOfAName) {
    Chart chart;
    chart.birth.name = "Esc\x1B Del\x7F Csi\xC2\x9B \xC3\xA9\"";
    const std::string json = ChartDumpJson(chart, Chart{});
    EXPECT_NE(json.find("\"ChartName\": \"Esc\\u001b Del\\u007f Csi\\u009b \xC3\xA9\\\"\""),
              std::string::npos)
        << json.substr(0, 200);
    EXPECT_FALSE(HoldsControlCharacter(json));
}

TEST_F(ComputeChartsTest, NegativeClockTimesAndHomePlacesAreRefusedNotComputed) {
    const struct {
        const char* what;
        const char* natal;  // a names record for the natal chart
        int homeOption;     // an option of the home place made negative for the present moment
        float homeValue;
        const char* message;
    } cases[] = {
        {"natal time -0.30", "X,01 Jan 2000,-0.30,P,0,000.00,51.30", 0, 0,
         "Error in natal input data section. Please correct."},
        {"natal time -1.30", "X,01 Jan 2000,-1.30,A,0,000.00,51.30", 0, 0,
         "Error in natal input data section. Please correct."},
        {"home latitude degrees", "X,01 Jan 2000,1.30,A,0,000.00,51.30", 22, -66,
         "Error in diurnal input data section. Please correct."},
        {"home longitude minutes", "X,01 Jan 2000,1.30,A,0,000.00,51.30", 20, -5,
         "Error in diurnal input data section. Please correct."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs_.shown.clear();
        session_.options = DefaultOptions();
        if (c.homeOption != 0) session_.options[c.homeOption] = c.homeValue;
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(c.natal), session_.regional, session_.natal));
        std::tm noon{};
        noon.tm_year = 2026 - 1900;
        noon.tm_mday = 1;
        noon.tm_hour = 12;
        FillDiurnalNow(session_.diurnal, session_.options, session_.regional, noon);
        EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::InputRefused);
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].text, c.message);
    }
}

TEST_F(ComputeChartsTest, ALeapDayBeforeTheGregorianCalendarIsComputedAsAJulianDay) {
    for (const char* year : {"1500", "1300", "1100"}) {
        SCOPED_TRACE(year);
        const std::string before = std::string("X,28 Feb ") + year + ",1.30,P,0,000.00,51.30";
        const std::string leap = std::string("X,29 Feb ") + year + ",1.30,P,0,000.00,51.30";
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(before), session_.regional, session_.natal));
        ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
        const double dayBefore = session_.natalChart.time.JulianDayNumber;
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(leap), session_.regional, session_.natal));
        ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
        EXPECT_EQ(session_.natalChart.time.JulianDayNumber, dayBefore + 1);
        EXPECT_TRUE(dialogs_.shown.empty());
    }
}

TEST_F(ComputeChartsTest, AHighLatitudeIsRefusedForQuadrantHousesOnly) {
    session_.diurnal.latDeg = "70";
    session_.checkedHouse = HouseSystemOfMenuCode("K");
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::InputRefused);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Warning!");
    session_.checkedHouse = HouseSystemOfMenuCode("M");
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
}

TEST_F(ComputeChartsTest, AnArithmeticFaultIsReportedAndKeepsThePreviousChart) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const Chart natal = session_.natalChart, second = session_.secondChart;

    // A latitude beyond single precision passes the checks under Meridian houses but cannot be computed.
    session_.checkedHouse = HouseSystemOfMenuCode("M");
    session_.natal.latDeg = "1" + std::string(39, '0');
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::Fault);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Error!");
    EXPECT_NE(dialogs_.shown[0].text.find("could not be computed"), std::string::npos);
    EXPECT_EQ(session_.natalChart, natal);
    EXPECT_EQ(session_.secondChart, second);
}

TEST_F(ComputeChartsTest, OptionToEmptyTheDataBufferKeepsOnlyThePage) {
    session_.options[165] = 1;
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(session_.report.DataLineCount, 0);
    EXPECT_GT(session_.report.PageLineCount, 50);

    session_.options[165] = 0;
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(session_.report.DataLineCount, session_.report.PageLineCount);
}

}  // namespace
}  // namespace talvenor
