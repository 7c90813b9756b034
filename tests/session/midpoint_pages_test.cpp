// Every midpoint report for two charts, compared byte for byte with checked-in pages whose lines were
// verified against the layout rules: a transit chart with retrograde planets and trees in columns, and a
// second-person chart with trees one below the other, no positions, the 8 dial and the widest dial orb.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "chart/point_catalogue.h"
#include "datafiles/name_record.h"
#include "session/compute_charts.h"
#include "session/midpoint_commands.h"
#include "session/modulus_questions.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

struct MidpointChart {
    const char* prefix;
    const char* natal;
    const char* diurnal;
    const char* secondPerson;
    bool treesInColumns;
};

const MidpointChart kSample{"sample-midpoints", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
                            "Transit,7 Dec 2026,9.30,A,0,000.00,51.29", nullptr, true};
const MidpointChart kSecondPerson{
    "sydney-second-person-midpoints", "Sydney Person,5 Jan 1990,6.45,A,-10,-151.13,-33.52",
    "Second Person,22 Jul 1985,3.20,P,-1,-013.24,52.31", "Second Person", false};

using Command = std::function<ShowResult(Session&)>;
struct ReportCase {
    const char* page;  // suffix of the expected page
    Command run;
};

const ReportCase kReports[] = {
    {"natal-midpoints", [](Session& s) { return NatalMidpointsCommand(s); }},
    {"transits-to-natal-midpoints", [](Session& s) { return TransitAspectsToNatalMidpointsCommand(s); }},
    {"sort45", [](Session& s) { return NatalSortCommand(s, 45, NoProgress()); }},
    {"sort360", [](Session& s) { return NatalSortCommand(s, 360, NoProgress()); }},
    {"sort22.5", [](Session& s) { return NatalSortCommand(s, 22.5f, NoProgress()); }},
    {"sort-degree", [](Session& s) { return NatalSortByDegreeCommand(s, NoProgress()); }},
    {"natal-tree45", [](Session& s) { return NatalTreeCommand(s, 45, NoProgress()); }},
    {"transit-tree90", [](Session& s) { return TransitTreeCommand(s, 90, NoProgress()); }},
    {"natal-mp-unsorted", [](Session& s) { return NatalMidpointAspectsCommand(s, false, NoProgress()); }},
    {"natal-mp-sorted", [](Session& s) { return NatalMidpointAspectsCommand(s, true, NoProgress()); }},
    {"formulas-unsorted", [](Session& s) { return TransitFormulasCommand(s, false, NoProgress()); }},
    {"formulas-sorted", [](Session& s) { return TransitFormulasCommand(s, true, NoProgress()); }},
    {"transit-midpoints-to-natal", [](Session& s) { return TransitMidpointsToNatalCommand(s); }},
};

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class MidpointPagesTest : public ::testing::TestWithParam<std::tuple<MidpointChart, ReportCase>> {
  protected:
    void SetUp() override {
        const MidpointChart& chart = std::get<0>(GetParam());
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("talvenor-mp-") + std::to_string(getpid()) + "-" + chart.prefix + "-" +
                   std::get<1>(GetParam()).page);
        std::filesystem::remove_all(folder_);
        session_.appFolder = folder_;
        session_.options = DefaultOptions();
        if (!chart.treesInColumns) {
            session_.options[60] = 0;
            session_.options[65] = 0;
            session_.options[162] = 2.25f;
            session_.options[163] = 8;
        }
        ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(chart.natal), session_.regional, session_.natal));
        ASSERT_FALSE(
            FillDiurnalFromRecord(*ParseNameRecord(chart.diurnal), session_.regional, session_.diurnal));
        session_.diurnal.secondPerson = chart.secondPerson != nullptr;
        session_.diurnal.secondPersonName = chart.secondPerson ? chart.secondPerson : kSecondPersonCaption;
        ASSERT_EQ(ComputeCharts(session_), ComputeOutcome::Computed);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    testing_support::ScriptedDialogs dialogs_;
    Session session_{dialogs_};
};

TEST_P(MidpointPagesTest, PageMatchesTheVerifiedPage) {
    const auto& [chart, report] = GetParam();
    ASSERT_EQ(report.run(session_), ShowResult::Shown);
    EXPECT_EQ(session_.AnalysisMode, 0);  // every command leaves transit mode behind
    const auto expected = std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" /
                          (std::string(chart.prefix) + "-" + report.page + ".txt");
    EXPECT_EQ(ReadAll(LastPagePath(folder_)), ReadAll(expected)) << expected;
}

INSTANTIATE_TEST_SUITE_P(Reports, MidpointPagesTest,
                         ::testing::Combine(::testing::Values(kSample, kSecondPerson),
                                            ::testing::ValuesIn(kReports)),
                         [](const auto& info) {
                             std::string name = std::string(std::get<0>(info.param).prefix) + "_" +
                                                std::get<1>(info.param).page;
                             for (char& c : name) {
                                 if (c == '-' || c == '.') c = '_';
                             }
                             return name;
                         });

TEST(MidpointCommandsTest, ModulusPromptAsksAgainUntilTheAnswerIsOnTheDial) {
    testing_support::ScriptedDialogs dialogs;
    dialogs.answers = {std::string("400"), std::string("-5"), std::string(" 45")};
    EXPECT_EQ(AskModulus(dialogs), 45.0f);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "Enter modulus (e.g. 22.5, 45, 90, or 360):");
    EXPECT_EQ(dialogs.shown[0].title, "Modulus");

    struct Case {
        std::optional<std::string> answer;
        std::optional<float> modulus;
    };
    const Case cases[] = {{std::nullopt, std::nullopt},     {std::string(""), std::nullopt},
                          {std::string("0"), std::nullopt}, {std::string("letters"), std::nullopt},
                          {std::string("360"), 360.0f},     {std::string("0.5"), 0.5f},
                          {std::string(" 22.5 "), 22.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("<cancel>"));
        testing_support::ScriptedDialogs one;
        one.answers = {c.answer};
        EXPECT_EQ(AskModulus(one), c.modulus);
        EXPECT_EQ(one.shown.size(), 1u);
    }
}

TEST(MidpointCommandsTest, ACancelledPromptWritesNoPageAndTheAspectCommandsEmptyTheDataBuffer) {
    testing_support::ScriptedDialogs dialogs;
    Session session(dialogs);
    session.options = DefaultOptions();
    ASSERT_FALSE(FillNatalFromRecord(*ParseNameRecord(kSample.natal), session.regional, session.natal));
    ASSERT_FALSE(FillDiurnalFromRecord(*ParseNameRecord(kSample.diurnal), session.regional, session.diurnal));
    ASSERT_EQ(ComputeCharts(session), ComputeOutcome::Computed);
    const int before = session.report.DataLineCount;

    EXPECT_EQ(NatalTreeCommand(session, NoProgress()), ShowResult::NothingToShow);
    EXPECT_EQ(NatalSortCommand(session, NoProgress()), ShowResult::NothingToShow);
    EXPECT_EQ(session.report.DataLineCount, before);

    NatalMidpointsCommand(session);
    EXPECT_GT(session.report.DataLineCount, before);  // adds to the data buffer
    NatalMidpointAspectsCommand(session, false, NoProgress());
    EXPECT_EQ(session.report.DataLineCount, session.report.PageLineCount);  // emptied first
}

}  // namespace
}  // namespace talvenor
