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
    EXPECT_EQ(session_.chart.HouseSystemCode, "P");
}

TEST_F(ComputeChartsTest, FillsBothChartsAndTheSharedValues) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const ChartState& c = session_.chart;
    EXPECT_EQ(c.MidpointCount, 78);
    EXPECT_EQ(c.ChartName, "Sample Person");
    EXPECT_EQ(c.NatalPass.JulianDayNumber, 2437738);  // the civil date, before the zone moves it
    EXPECT_EQ(c.DiurnalPass.JulianDayNumber, 2461382);
    // The natal Part of Fortune is Ascendant + Moon - Sun whatever the Sun's house.
    EXPECT_EQ(c.NatalLon[kPartOfFortune],
              Norm360(c.NatalLon[kMoon] + c.NatalPass.Ascendant - c.NatalLon[kSun]));
    EXPECT_EQ(c.NatalLon[kSouthNode], Norm360(c.NatalLon[kNorthNode] + 180));
    EXPECT_EQ(c.NatalMeanNode, c.NatalLon[kNorthNode]);
    // Nodes and angles lie on the ecliptic: their declinations come from longitude alone.
    for (int p = kNorthNode; p <= kMidheaven; ++p) {
        EXPECT_EQ(c.NatalDecl[p], Declination(c.NatalLon[p], 0, -c.NatalPass.ObliquityRad)) << p;
    }
    EXPECT_EQ(c.TrueNodeDecl, Declination(c.TrueNode, 0, -c.NatalPass.ObliquityRad));
    // The natal values are what the working arrays hold afterwards (the natal page loaded them).
    EXPECT_EQ(c.PointLon, c.NatalLon);
    EXPECT_NEAR(c.NatalCusp[1], c.NatalPass.Midheaven, 1e-9);  // Placidus' 10th cusp is the Midheaven
    EXPECT_EQ(c.DiurnalCusp[4], c.DiurnalPass.Ascendant);
    // Two passes, two sets of special points.
    EXPECT_EQ(c.NatalVertex, c.NatalPass.Vertex);
    EXPECT_EQ(c.DiurnalVertex, c.DiurnalPass.Vertex);
    EXPECT_EQ(c.NatalEastWestCopy, "WEST");
    EXPECT_EQ(c.NatalNorthSouthCopy, "NORTH");
}

TEST_F(ComputeChartsTest, MidpointTableFollowsThePairOrderAndTheNodeChoice) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const ChartState& c = session_.chart;
    EXPECT_EQ(c.MidpointFactor[1], c.NatalLon[kSun]);
    EXPECT_EQ(c.MidpointFactor[2], c.NatalLon[kMoon]);
    EXPECT_EQ(c.MidpointFactor[3], c.NatalLon[kMercury]);
    EXPECT_EQ(c.MidpointFactor[10], c.NatalLon[kPluto]);
    EXPECT_EQ(c.MidpointFactor[11], c.NatalMeanNode);  // option 161 at 0: the mean node
    EXPECT_NE(c.TrueNode, c.NatalMeanNode);
    EXPECT_EQ(c.MidpointFactor[13], c.NatalLon[kMidheaven]);
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
    EXPECT_EQ(session_.chart.MidpointFactor[11], session_.chart.TrueNode);
}

TEST_F(ComputeChartsTest, RefusedInputLeavesThePreviousChartUntouched) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const std::string before = ChartStateJson(session_.chart);
    const int pageLines = session_.report.PageLineCount;

    session_.natal.month = "13";
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::InputRefused);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Error in natal input data section. Please correct.");
    EXPECT_EQ(session_.report.PageLineCount, pageLines);
    session_.chart.InputErrorFlag = 0;  // the flag itself is the one thing a refusal sets
    EXPECT_EQ(ChartStateJson(session_.chart), before);
}

// The dump keeps a name exactly, every control character escaped, so that none reaches a terminal raw.
TEST_F(ComputeChartsTest, TheDumpEscapesEveryControlCharacterOfAName) {
    ChartState chart;
    chart.ChartName = "Esc\x1B Del\x7F Csi\xC2\x9B \xC3\xA9\"";
    const std::string json = ChartStateJson(chart);
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
        const double dayBefore = session_.chart.NatalPass.JulianDayNumber;
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(leap), session_.regional, session_.natal));
        ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
        EXPECT_EQ(session_.chart.NatalPass.JulianDayNumber, dayBefore + 1);
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
    const std::string before = ChartStateJson(session_.chart);

    // A latitude beyond single precision passes the checks under Meridian houses but cannot be computed.
    session_.checkedHouse = HouseSystemOfMenuCode("M");
    session_.natal.latDeg = "1" + std::string(39, '0');
    EXPECT_EQ(ComputeCharts(session_), ComputeOutcome::Fault);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].title, "Error!");
    EXPECT_NE(dialogs_.shown[0].text.find("could not be computed"), std::string::npos);
    EXPECT_EQ(ChartStateJson(session_.chart), before);
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
