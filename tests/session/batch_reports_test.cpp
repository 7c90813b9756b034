// Charts for every record of a names file, as the report tool's --names runs compute them.
#include "session/batch_reports.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "chart/house_systems.h"
#include "chart/point_catalogue.h"
#include "datafiles/names_file.h"
#include "report/report_buffer.h"
#include "session/chart_commands.h"
#include "session/report_table.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

constexpr const char* kTransit = "Transit,7 Dec 2026,9.30,A,0,000.00,51.29";

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct BatchSession {
    ScriptedDialogs dialogs;
    Session session{dialogs};
    explicit BatchSession(const char* house = "P") {
        session.options = DefaultOptions();
        session.checkedHouse = HouseSystemOfMenuCode(house);
        EXPECT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(kTransit), session.regional, session.diurnal));
    }
};

TEST(BatchReportsTest, ARecordGivesThePageTheNamesWindowWouldGive) {
    BatchSession b;
    const auto why =
        ComputeNamesRecord(b.session, *ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"));
    ASSERT_FALSE(why) << *why;
    // Computing writes no page: the buffer is empty until the run writes the page it was asked for.
    EXPECT_EQ(b.session.report.DataLineCount, 0);
    ASSERT_EQ(WriteReport(b.session, *ReportNamed("natal-data")), ShowResult::Shown);
    EXPECT_EQ(PageText(b.session.report, "\r\n"), ReadAll(std::filesystem::path(TALVENOR_TEST_DATA_DIR) /
                                                          "pages" / "sample-placidus-natal-data.txt"));
    // Each record starts from an empty report buffer, so a run of any length holds one page.
    ASSERT_FALSE(
        ComputeNamesRecord(b.session, *ParseNameRecord("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52")));
    EXPECT_EQ(b.session.report.DataLineCount, 0);
    ASSERT_EQ(WriteReport(b.session, *ReportNamed("natal-data")), ShowResult::Shown);
    EXPECT_EQ(b.session.report.DataLineCount, b.session.report.PageLineCount);
}

TEST(BatchReportsTest, TheNatalChartAloneGivesTheSameNatalDataPageForAnyRecordAndHouseSystem) {
    // Records over the whole range the program takes: both hemispheres, both sides of Greenwich, old and
    // new dates, every hour; compared with the full computation in all nine house systems.
    std::uint64_t state = 20240917;
    const auto next = [&state](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(n));
    };
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (const char* house : {"P", "R", "K", "C", "O", "EA", "EM", "M", "I"}) {
        BatchSession full(house), natalOnly(house);
        for (int i = 0; i < 40; ++i) {
            char line[128];
            std::snprintf(line, sizeof line, "Person %d,%02d %s %d,%d.%02d,%c,%d,%s%03d.%02d,%s%02d.%02d", i,
                          1 + next(28), months[next(12)], 1600 + next(490), 1 + next(12), next(60),
                          next(2) ? 'A' : 'P', next(25) - 12, next(2) ? "-" : "", next(180), next(60),
                          next(2) ? "-" : "", next(66), next(60));
            SCOPED_TRACE(std::string(house) + " " + line);
            const NameRecord record = *ParseNameRecord(line);
            const auto fullWhy = ComputeNamesRecord(full.session, record, ChartsWanted::Both);
            const auto natalWhy = ComputeNamesRecord(natalOnly.session, record, ChartsWanted::NatalOnly);
            ASSERT_EQ(fullWhy, natalWhy);
            if (fullWhy) continue;
            ASSERT_EQ(WriteReport(natalOnly.session, *ReportNamed("natal-data")), ShowResult::Shown);
            ASSERT_EQ(WriteReport(full.session, *ReportNamed("natal-data")), ShowResult::Shown);
            ASSERT_EQ(PageText(natalOnly.session.report), PageText(full.session.report));
            ASSERT_EQ(ChartTableRow(natalOnly.session.natalChart), ChartTableRow(full.session.natalChart));
        }
    }
}

TEST(BatchReportsTest, ARecordThatCannotBeComputedSaysWhyInOneLineAndShowsNothing) {
    const struct {
        const char* line;
        const char* why;
    } cases[] = {
        {"X,31 Feb 1962,10.15,P,6,087.39,41.52", "field 2 (date) is not a date: 31 Feb 1962"},
        {"X,14 Mar 1962,10.15,P,14,087.39,41.52", "Error in natal input data section. Please correct."},
        {"X,14 Mar 1962,10.15,P,6,087.39,71.52",
         "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        BatchSession b;
        const auto why = ComputeNamesRecord(b.session, *ParseNameRecord(c.line));
        ASSERT_TRUE(why);
        EXPECT_NE(why->find(c.why), std::string::npos) << *why;
        EXPECT_TRUE(b.dialogs.shown.empty());
        EXPECT_EQ(b.session.dialogs, &b.dialogs);
        EXPECT_EQ(b.session.report.dialogs, &b.dialogs);
    }
}

TEST(BatchReportsTest, TheTableHasTheNameTheFifteenLongitudesAndTheCuspsFromTheFirstHouse) {
    EXPECT_EQ(
        ChartTableHeader(),
        "name\tSun\tMercury\tVenus\tMars\tJupiter\tSaturn\tUranus\tNeptune\tPluto\tMoon\tNorthNode\tSouthNode"
        "\t"
        "PartOfFortune\tAscendant\tMidheaven\tCusp1\tCusp2\tCusp3\tCusp4\tCusp5\tCusp6\tCusp7\tCusp8\tCusp9\t"
        "Cusp10\tCusp11\tCusp12");
    BatchSession b;
    ASSERT_FALSE(ComputeNamesRecord(
        b.session, *ParseNameRecord("Tab\tName\x1B[2J\x07,14 Mar 1962,10.15,P,6,087.39,41.52")));
    const std::string row = ChartTableRow(b.session.natalChart);
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = row.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(row.substr(start, tab - start));
    cells.push_back(row.substr(start));
    ASSERT_EQ(cells.size(), 28u);
    // A tab is a blank; an escape or a bell reaches no terminal: the pages' "?" stands in its place.
    EXPECT_EQ(cells[0], "Tab Name?[2J?");
    const Chart& chart = b.session.natalChart;
    EXPECT_EQ(std::stod(cells[1]), chart.Lon[kSun]);
    EXPECT_EQ(std::stod(cells[15]), chart.Lon[kMidheaven]);
    // The cusp elements run from the tenth house: the first house is element 4, the tenth element 1.
    EXPECT_EQ(std::stod(cells[16]), chart.Cusp[4]);
    EXPECT_EQ(std::stod(cells[25]), chart.Cusp[1]);
    EXPECT_EQ(std::stod(cells[27]), chart.Cusp[3]);
    EXPECT_NEAR(std::stod(cells[16]), chart.Lon[kAscendant], 1e-9);
    EXPECT_TRUE(ReadsNatalChartOnly("natal-data"));
    EXPECT_FALSE(ReadsNatalChartOnly("natal-midpoints"));
    EXPECT_FALSE(ReadsNatalChartOnly("dump"));
}

}  // namespace
}  // namespace talvenor
