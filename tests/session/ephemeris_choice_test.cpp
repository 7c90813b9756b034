#include "session/ephemeris_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "chart/chart_dump.h"
#include "chart/progressions.h"
#include "datafiles/name_record.h"
#include "events/event_dates.h"
#include "input/input_fills.h"
#include "report/report_buffer.h"
#include "session/chart_commands.h"
#include "session/compute_charts.h"
#include "session/event_commands.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

const std::filesystem::path kShippedTables = std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris";

class EphemerisChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session_.options = DefaultOptions();
        session_.ephemerisFolder = kShippedTables;
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                                         session_.regional, session_.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord("Transit,7 Dec 2026,9.30,A,0,000.00,51.29"),
                                           session_.regional, session_.diurnal));
    }

    // The natal data page of the charts last computed.
    std::vector<std::string> NatalDataPage() {
        NatalDataCommand(session_);
        return {session_.report.PageLines.begin(),
                session_.report.PageLines.begin() + session_.report.PageLineCount};
    }

    testing_support::ScriptedDialogs dialogs_;
    Session session_{dialogs_};
};

TEST_F(EphemerisChoiceTest, TheModernTablesAreReadOnceAtTheFirstComputation) {
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    EXPECT_FALSE(session_.engine.IsModern());  // not read yet
    EXPECT_EQ(EphemerisInUse(session_), EphemerisChoice::Modern);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_TRUE(session_.engine.IsModern());
    EXPECT_TRUE(session_.natalChart.engine.IsModern());
    EXPECT_TRUE(session_.secondChart.engine.IsModern());
    const SkyEngine first = session_.engine;
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(session_.engine, first);  // the same tables, not read again
    EXPECT_TRUE(dialogs_.shown.empty());

    ChooseEphemeris(session_, EphemerisChoice::Theory);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_FALSE(session_.natalChart.engine.IsModern());
}

TEST_F(EphemerisChoiceTest, MissingTablesAreNamedAndTheTheoryComputesInstead) {
    testing_support::TemporaryFolder empty;
    session_.ephemerisFolder = empty.path() / "ephemeris";
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    ASSERT_FALSE(dialogs_.shown.empty());
    const auto& said = dialogs_.shown.front();
    EXPECT_NE(said.text.find((empty.path() / "ephemeris" / "vsop87b.txt").string()), std::string::npos)
        << said.text;
    EXPECT_TRUE(said.text.ends_with("The charts are computed with the program's theory instead."))
        << said.text;
    EXPECT_EQ(said.title, kModernTablesTitle);
    EXPECT_EQ(said.icon, MessageIcon::Exclamation);
    EXPECT_EQ(EphemerisInUse(session_), EphemerisChoice::Theory);
    EXPECT_FALSE(session_.natalChart.engine.IsModern());
    // Said once: the next computation goes on with the theory quietly.
    const std::size_t messages = dialogs_.shown.size();
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EXPECT_EQ(dialogs_.shown.size(), messages);
}

TEST_F(EphemerisChoiceTest, ADamagedTableIsRefusedWithItsPath) {
    testing_support::TemporaryFolder folder;
    const auto tables = folder.path() / "ephemeris";
    std::filesystem::copy(kShippedTables, tables);
    // One digit changed in the middle of the planetary table: its check line no longer matches.
    std::fstream file(tables / "vsop87b.txt", std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(100000);
    char c = 0;
    file.get(c);
    file.seekp(100000);
    file.put(c == '7' ? '8' : '7');
    file.close();
    session_.ephemerisFolder = tables;
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    EngineForComputing(session_);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].text.find((tables / "vsop87b.txt").string()), std::string::npos);
    EXPECT_FALSE(session_.engine.IsModern());
}

TEST_F(EphemerisChoiceTest, TheTablesAreLookedForInTheDataFolderThenWhereTheyAreInstalled) {
    testing_support::TemporaryFolder data, installed;
    EXPECT_EQ(ModernTablesFolder(data.path(), installed.path()), data.path() / "ephemeris");
    std::filesystem::create_directories(installed.path() / "ephemeris");
    std::ofstream(installed.path() / "ephemeris" / "vsop87b.txt") << "x";
    EXPECT_EQ(ModernTablesFolder(data.path(), installed.path()), installed.path() / "ephemeris");
    std::filesystem::create_directories(data.path() / "ephemeris");
    std::ofstream(data.path() / "ephemeris" / "vsop87b.txt") << "x";
    EXPECT_EQ(ModernTablesFolder(data.path(), installed.path()), data.path() / "ephemeris");
    EXPECT_EQ(ModernTablesFolder(data.path(), {}), data.path() / "ephemeris");
}

// The modern page is the theory's page with the note on its first heading line and its own figures: the
// same lines in the same places, positions within a few minutes of arc of the theory's.
TEST_F(EphemerisChoiceTest, AModernPageSaysSoOnItsFirstHeadingLine) {
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const std::vector<std::string> theory = NatalDataPage();
    const Chart theoryChart = session_.natalChart;
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const std::vector<std::string> modern = NatalDataPage();
    ASSERT_EQ(modern.size(), theory.size());
    EXPECT_EQ(theory[1], "  Sample Person");
    EXPECT_EQ(modern[1], "  Sample Person   (modern ephemeris)");
    EXPECT_EQ(modern[2], theory[2]);  // the birth line
    for (std::size_t i = 3; i < 30; ++i) EXPECT_EQ(modern[i].size(), theory[i].size()) << i;
    const Chart& c = session_.natalChart;
    for (int p = 1; p <= 15; ++p) {
        const double apart = std::fabs(std::remainder(c.Lon[p] - theoryChart.Lon[p], 360.0)) * 60;
        EXPECT_LT(apart, 10.0) << p;
    }
    EXPECT_NE(c.Lon[kMoon], theoryChart.Lon[kMoon]);

    // The dump says so first; the theory's dump has no such line.
    EXPECT_TRUE(ChartDumpJson(session_.natalChart, session_.secondChart)
                    .starts_with("{\n  \"Ephemeris\": \"modern\",\n"));
    EXPECT_EQ(ChartDumpJson(theoryChart, theoryChart).find("Ephemeris"), std::string::npos);
}

// What is computed from a modern natal chart is modern too: the progressed chart, and the solar arc
// chart keeps the engine it was directed from.
TEST_F(EphemerisChoiceTest, ProgressionsAndDirectionsFollowTheNatalChartsEngine) {
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const ChartResult progressed = ComputeProgressedChart(session_.natalChart, session_.options, 30.0);
    ASSERT_TRUE(progressed.chart);
    EXPECT_TRUE(progressed.chart->engine.IsModern());
    // Thirty days on, the progressed Sun is about thirty degrees further.
    const double moved = std::remainder(progressed.chart->Lon[kSun] - session_.natalChart.Lon[kSun], 360.0);
    EXPECT_NEAR(moved, 30.0, 1.5);
    EXPECT_TRUE(SolarArcChart(session_.natalChart, session_.options, moved).engine.IsModern());
}

// The event search follows the natal chart's engine: with the modern engine each moment found is the one at
// which the modern sky (computed in full at that minute, not read from the search's fits) puts the mover on
// its target in the dial, to within the minute the search is timed to.
TEST_F(EphemerisChoiceTest, EventMomentsAreTheModernSkysOwn) {
    ChooseEphemeris(session_, EphemerisChoice::Modern);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    EventSearchChoices choices;
    choices.from = "1 Jan 2030";
    choices.to = "31 Dec 2030";
    choices.modulus = "90";
    choices.movers = {"SUN", "MAR", "SAT"};
    const EventSearchPreparation prepared = PrepareEventSearch(session_, choices);
    ASSERT_TRUE(prepared.search) << prepared.message;
    const EventSearchRequest& request = prepared.search->request;
    const EventSearchResult result = SearchEvents(request);
    ASSERT_GT(result.hits.size(), 50u);
    const SkyEngine& engine = session_.natalChart.engine;
    const int points[] = {kSun, kMars, kSaturn};
    for (const EventHit& hit : result.hits) {
        const Sky sky = engine.SkyAt(InstantAtJulianDate(hit.julianDate));
        const double lon = sky.Longitude[static_cast<std::size_t>(points[hit.mover])];
        const double apart =
            std::remainder(lon - request.targets[static_cast<std::size_t>(hit.target)].longitude, 90.0);
        // The Sun moves 2.5" a minute, Mars at most 2.2", Saturn 0.2": half a minute of motion and the fits'
        // hundredth of a second of arc.
        EXPECT_LT(std::fabs(apart) * 3600, 1.3)
            << request.movers[static_cast<std::size_t>(hit.mover)].name << " " << hit.julianDate;
    }
    // The program's theory finds its own moments: hardly one falls on the same minute.
    ChooseEphemeris(session_, EphemerisChoice::Theory);
    ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    const EventSearchPreparation theory = PrepareEventSearch(session_, choices);
    std::size_t same = 0;
    for (const EventHit& a : SearchEvents(theory.search->request).hits) {
        for (const EventHit& b : result.hits) same += std::fabs(a.julianDate - b.julianDate) < 0.5 / 1440;
    }
    EXPECT_LT(same, result.hits.size() / 4);
}

}  // namespace
}  // namespace talvenor
