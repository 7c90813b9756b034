// Whole report pages for three charts, compared byte for byte with checked-in pages whose every line
// was verified against the layout rules: north and south latitudes, east and west longitudes,
// Placidus, Koch and Regiomontanus houses, retrograde planets, a transit and a second-person chart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart/house_systems.h"
#include "datafiles/name_record.h"
#include "report/report_buffer.h"
#include "session/chart_commands.h"
#include "session/compute_charts.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

struct PageCase {
    const char* file;  // expected page, without the report suffix
    const char* house;
    const char* natal;
    const char* diurnal;
    const char* secondPerson;  // null for a transit chart
};

const PageCase kCharts[] = {
    {"sample-placidus", "P", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
     "Transit,7 Dec 2026,9.30,A,0,000.00,51.29", nullptr},
    {"sydney-koch-second-person", "K", "Sydney Person,5 Jan 1990,6.45,A,-10,-151.13,-33.52",
     "Second Person,22 Jul 1985,3.20,P,-1,-013.24,52.31", "Second Person"},
    {"delhi-regiomontanus", "R", "Delhi Person,2 Oct 1969,11.50,A,-5.5,-077.13,28.40",
     "Transit,1 Jan 2000,12.00,P,-5.5,-077.13,28.40", nullptr},
};

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ReportPagesTest : public ::testing::TestWithParam<PageCase> {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("talvenor-pages-" + std::to_string(getpid()) + "-" + std::string(GetParam().file));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "REPORTS");

        const PageCase& c = GetParam();
        session_.appFolder = folder_;
        session_.options = DefaultOptions();
        session_.checkedHouse = HouseSystemOfMenuCode(c.house);
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(c.natal), session_.regional, session_.natal));
        ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(c.diurnal), session_.regional, session_.diurnal));
        session_.diurnal.secondPerson = c.secondPerson != nullptr;
        session_.diurnal.secondPersonName = c.secondPerson ? c.secondPerson : kSecondPersonCaption;
        ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
        ASSERT_TRUE(dialogs_.shown.empty());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // The last-page file as the command left it, against the expected page.
    void ExpectLastPage(const std::string& report) {
        const std::filesystem::path expected = std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" /
                                               (std::string(GetParam().file) + "-" + report + ".txt");
        EXPECT_EQ(ReadAll(LastPagePath(folder_)), ReadAll(expected)) << "page " << expected;
    }

    std::filesystem::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    Session session_{dialogs_};
};

TEST_P(ReportPagesTest, NatalDataPageAfterTheComputation) {
    ExpectLastPage("natal-data");
}

TEST_P(ReportPagesTest, NatalDataCommandRewritesTheSamePage) {
    NatalDataCommand(session_);
    ExpectLastPage("natal-data");
}

// A page leaves nothing behind that the next one reads: written after one another in any order, each
// page is the verified one.
TEST_P(ReportPagesTest, EachPageIsTheSameWhateverPageWasWrittenBefore) {
    for (int round = 0; round < 2; ++round) {
        TransitDataCommand(session_);
        ExpectLastPage("transit-data");
        TransitsToNatalCommand(session_);
        ExpectLastPage("transits-to-natal");
        NatalDataCommand(session_);
        ExpectLastPage("natal-data");
    }
}

TEST_P(ReportPagesTest, TransitDataPage) {
    TransitDataCommand(session_);
    ExpectLastPage("transit-data");
}

TEST_P(ReportPagesTest, TransitsToNatalPage) {
    TransitsToNatalCommand(session_);
    ExpectLastPage("transits-to-natal");
}

INSTANTIATE_TEST_SUITE_P(Charts, ReportPagesTest, ::testing::ValuesIn(kCharts),
                         [](const ::testing::TestParamInfo<PageCase>& info) {
                             std::string name = info.param.file;
                             for (char& ch : name) {
                                 if (ch == '-') ch = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace talvenor
