// The Data menu's "Event Search...": the page it writes over computed charts, compared with a checked-in
// page, and the messages of choices that make no search.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "computed_charts.h"
#include "session/event_commands.h"

namespace talvenor {
namespace {

using testing_support::ComputedChart;
using testing_support::kSampleCharts;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

EventSearchChoices MarchChoices() {
    EventSearchChoices c;
    c.from = "1 Mar 2027";
    c.to = "31 Mar 2027";
    c.modulus = "90";
    c.movers = {"SUN", "MER", "VEN", "MAR"};
    return c;
}

// Delhi: the diurnal zone is 5.5 hours east of Greenwich, so the local times run 5 hours 30 minutes
// ahead of UT, across midnight where an event falls after 18:30 UT.
TEST(EventPagesTest, ThePageListsEveryEventInTimeOrderWithUniversalAndLocalTime) {
    ComputedChart c(kSampleCharts[2]);
    const ShowResult shown = EventSearchCommand(c.session, MarchChoices(), NoSearchProgress());
    EXPECT_EQ(shown, ShowResult::Shown);
    const std::string page = PageText(c.session.report, "\r\n");
    const std::filesystem::path expected =
        std::filesystem::path(TALVENOR_TEST_DATA_DIR) / "pages" / "delhi-events-march-2027.txt";
    if (page != ReadAll(expected)) {
        std::ofstream(std::filesystem::temp_directory_path() / "delhi-events-march-2027.txt",
                      std::ios::binary)
            << page;
        FAIL() << "the page differs from " << expected << "; written to the temporary folder";
    }
    EXPECT_TRUE(c.dialogs.shown.empty());
}

struct RefusedCase {
    const char* name;
    const char* from;
    const char* to;
    const char* modulus;
    bool noMovers, noTargets;
    const char* message;
};

const RefusedCase kRefused[] = {
    {"BeyondTheDateLimits", "1 Jan 2095", "31 Dec 2105", "90", false, false,
     "The program computes dates up to 31 Dec 2099: a range cannot end on 31 Dec 2105."},
    {"MoreThanAHundredYears", "1 Jan 1950", "1 Jan 2051", "90", false, false,
     "The search covers at most 100 years."},
    {"NotADate", "yesterday", "31 Dec 2027", "90", false, false,
     "The start of the range, \"yesterday\", is not a date (for example 1 Jan 2027)."},
    {"ModulusZero", "1 Jan 2027", "31 Dec 2027", "0", false, false,
     "The modulus must lie above 0 and be at most 360."},
    {"ModulusTooLarge", "1 Jan 2027", "31 Dec 2027", "400", false, false,
     "The modulus must lie above 0 and be at most 360."},
    {"ModulusNotANumber", "1 Jan 2027", "31 Dec 2027", "ninety", false, false,
     "The modulus must lie above 0 and be at most 360."},
    {"ModulusOnlyPartlyANumber", "1 Jan 2027", "31 Dec 2027", "22,5", false, false,
     "The modulus must lie above 0 and be at most 360."},
    {"ModulusWithLettersAfterIt", "1 Jan 2027", "31 Dec 2027", "90abc", false, false,
     "The modulus must lie above 0 and be at most 360."},
    {"ModulusBelowAMinuteOfArc", "1 Jan 2027", "2 Jan 2027", "0.001", false, false,
     "The modulus 0.001 is too small to search: the events are timed to the minute, and the Moon moves up to "
     "0.0107 degrees in a minute, so the smallest dial searched is one minute of arc, 0.0167 (the positions "
     "themselves are good to about a minute of arc)."},
    {"ModulusOfABillionthOfADegree", "1 Jan 2027", "2 Jan 2027", " 1e-9 ", false, false,
     "The modulus 1e-9 is too small to search: the events are timed to the minute, and the Moon moves up to "
     "0.0107 degrees in a minute, so the smallest dial searched is one minute of arc, 0.0167 (the positions "
     "themselves are good to about a minute of arc)."},
    {"NoMovers", "1 Jan 2027", "31 Dec 2027", "90", true, false, "Choose at least one moving factor."},
    {"NoTargets", "1 Jan 2027", "31 Dec 2027", "90", false, true, "Choose at least one kind of target."},
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedSearchTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedSearchTest, SaysWhyAndLeavesTheDataWindowAsItWas) {
    const RefusedCase& r = GetParam();
    ComputedChart c(kSampleCharts[0]);
    const std::string before = PageText(c.session.report);
    EventSearchChoices choices;
    choices.from = r.from;
    choices.to = r.to;
    choices.modulus = r.modulus;
    if (r.noMovers) choices.movers.clear();
    if (r.noTargets) choices.targets = {false, false, false};
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::NothingToShow);
    ASSERT_EQ(c.dialogs.shown.size(), 1u);
    EXPECT_EQ(c.dialogs.shown[0].text, r.message);
    EXPECT_EQ(c.dialogs.shown[0].title, "Event Search");
    EXPECT_EQ(PageText(c.session.report), before);
}

INSTANTIATE_TEST_SUITE_P(Choices, RefusedSearchTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

class CancelAtOnce : public EventSearchProgress {
  public:
    bool Continue(double) override { return false; }
};

TEST(EventPagesTest, ACancelledSearchShowsTheEventsBeforeItStoppedAndSaysSo) {
    ComputedChart c(kSampleCharts[0]);
    EventSearchChoices choices = MarchChoices();
    choices.to = "31 Dec 2027";
    CancelAtOnce cancel;
    EXPECT_EQ(EventSearchCommand(c.session, choices, cancel), ShowResult::Shown);
    const std::string page = PageText(c.session.report, "\n");
    EXPECT_NE(page.find("  SEARCH CANCELLED: THE EVENTS BEFORE 02 Apr 2027  00:00 UT ARE LISTED.\n"),
              std::string::npos)
        << page;
    // The search stopped after its first stretch of 32 days: no event of April's second day or later.
    EXPECT_NE(page.find("\n  31 Mar 2027  "), std::string::npos);
    EXPECT_EQ(page.find("\n  02 Apr 2027  "), std::string::npos);
    EXPECT_EQ(page.find("\n  03 Apr 2027  "), std::string::npos);
}

// A search that did not run to its end says so under the heading, before its thousands of lines, and
// again at their foot; a whole search's page is as it always was.
TEST(EventPagesTest, AStoppedSearchSaysSoUnderTheHeadingAndAtTheFoot) {
    ComputedChart c(kSampleCharts[0]);
    const EventSearchPreparation prepared = PrepareEventSearch(c.session, MarchChoices());
    ASSERT_TRUE(prepared.search);
    const struct {
        const char* name;
        EventSearchOutcome outcome;
        std::size_t most;
        const char* line;  // empty: no such line
    } cases[] = {
        {"Cancelled", EventSearchOutcome::Cancelled, 1000000,
         "  SEARCH CANCELLED: THE EVENTS BEFORE 15 Mar 2027  06:00 UT ARE LISTED."},
        {"AtAMillion", EventSearchOutcome::TooMany, 1000000,
         "  SEARCH STOPPED AT 1 000 000 EVENTS: THE EVENTS BEFORE 15 Mar 2027  06:00 UT ARE LISTED."},
        {"AtTwelveThousand", EventSearchOutcome::TooMany, 12345,
         "  SEARCH STOPPED AT 12 345 EVENTS: THE EVENTS BEFORE 15 Mar 2027  06:00 UT ARE LISTED."},
        {"Whole", EventSearchOutcome::Complete, 1000000, ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        EventSearchRequest request = prepared.search->request;
        request.mostHits = k.most;
        EventSearchResult result;
        result.outcome = k.outcome;
        result.stoppedJulianDate = JulianDateAtMidnight({2027, 3, 15}) + 0.25;
        result.hits = {{result.stoppedJulianDate - 1, 0, 0, false}};
        ReportBuffer report;
        report.StartReport();
        WriteEventPage(c.session.natalChart, c.session.regional, prepared.search->heading, request, result,
                       report);
        const std::string page = PageText(report, "\n");
        const std::string heading = "  TARGETS:  NATAL FACTORS, NATAL MIDPOINTS\n";
        const std::size_t under = page.find(heading);
        ASSERT_NE(under, std::string::npos) << page;
        const std::string foot = "\n  1 EVENT\n";
        ASSERT_NE(page.find(foot), std::string::npos) << page;
        if (*k.line == '\0') {
            EXPECT_EQ(page.compare(under + heading.size(), 1, "\n"), 0) << page;
            EXPECT_EQ(page.find("SEARCH"), std::string::npos) << page;
            continue;
        }
        const std::string line = std::string(k.line) + "\n";
        EXPECT_EQ(page.compare(under + heading.size(), line.size(), line), 0) << page;
        EXPECT_NE(page.find("\n\n" + line + "  1 EVENT\n"), std::string::npos) << page;
    }
}

TEST(EventPagesTest, TheTargetsFollowTheChoiceAndTheHeadingSaysWhich) {
    ComputedChart c(kSampleCharts[0]);
    EventSearchChoices choices = MarchChoices();
    choices.targets = {true, false, false};
    EventSearchPreparation prepared = PrepareEventSearch(c.session, choices);
    ASSERT_TRUE(prepared.search);
    EXPECT_EQ(prepared.search->request.targets.size(), 13u);
    EXPECT_EQ(prepared.search->request.movers.size(), 4u);
    EXPECT_EQ(prepared.search->request.modulus, 90);
    EXPECT_EQ(prepared.search->heading.zoneWest, HeadingOf(c.session.secondChart.birth).zone);
    choices.targets = {false, true, false};
    prepared = PrepareEventSearch(c.session, choices);
    EXPECT_EQ(prepared.search->request.targets.size(), 78u);
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::Shown);
    const std::string page = PageText(c.session.report, "\n");
    EXPECT_NE(page.find("  TARGETS:  NATAL MIDPOINTS\n"), std::string::npos) << page;
    EXPECT_NE(page.find("  MOVING:   SUN MER VEN MAR\n"), std::string::npos) << page;
}

TEST(EventPagesTest, DirectedAndProgressedFactorsAndPicturesTakePartAndTheHeadingWraps) {
    ComputedChart c(kSampleCharts[0]);
    EventSearchChoices choices;
    choices.from = "1 Jan 2027";
    choices.to = "31 Dec 2027";
    choices.modulus = "90";
    ASSERT_FALSE(ReadMoverNames("SUN,SA,PR", choices.movers));
    choices.targets = {true, false, true};
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::Shown);
    const std::string page = PageText(c.session.report, "\n");
    EXPECT_NE(page.find("  MOVING:   SUN SA.SUN SA.MOO SA.MER"), std::string::npos) << page;
    // The 27 names run over lines of at most 80 characters, the last ending with the progressed MC.
    EXPECT_NE(page.find(" Pr.MC\n"), std::string::npos);
    for (std::size_t at = 0, end; (end = page.find('\n', at)) != std::string::npos; at = end + 1) {
        if (page.compare(at, 9, "  MOVING:") == 0 || page.compare(at, 12, std::string(12, ' ')) == 0) {
            EXPECT_LE(end - at, 80u) << page.substr(at, end - at);
        }
    }
    EXPECT_NE(page.find("  TARGETS:  NATAL FACTORS, PLANETARY PICTURES\n"), std::string::npos);
    // Some picture is met within the year, and some directed or progressed factor meets a natal factor.
    EXPECT_NE(page.find("+"), std::string::npos);
    EXPECT_NE(page.find("   SA."), std::string::npos);
}

TEST(EventPagesTest, DirectionsAndProgressionsAreNotSearchedBeforeTheBirth) {
    ComputedChart c(kSampleCharts[0]);
    EventSearchChoices choices;
    choices.from = "1 Jan 1962";
    choices.to = "31 Dec 1962";
    choices.movers = {"SUN", "Pr.MOO"};
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::NothingToShow);
    ASSERT_EQ(c.dialogs.shown.size(), 1u);
    EXPECT_EQ(
        c.dialogs.shown[0].text,
        "Directions and progressions begin at the birth: the range must start on the birth date (14 Mar "
        "1962) or later.");
    // From the birth date on they are.
    choices.from = "14 Mar 1962";
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::Shown);
    // Transits alone have no such limit.
    choices.from = "1 Jan 1900";
    choices.to = "31 Jan 1900";
    choices.movers = {"SUN"};
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::Shown);
    EXPECT_EQ(c.dialogs.shown.size(), 1u);
}

TEST(EventPagesTest, ARangeWithoutEventsSaysSo) {
    ComputedChart c(kSampleCharts[0]);
    EventSearchChoices choices;
    choices.from = "1 Mar 2027";
    choices.to = "1 Mar 2027";
    choices.movers = {"PLU"};
    choices.targets = {true, false, false};
    EXPECT_EQ(EventSearchCommand(c.session, choices, NoSearchProgress()), ShowResult::Shown);
    const std::string page = PageText(c.session.report, "\n");
    EXPECT_NE(page.find("\n  NO EVENTS\n"), std::string::npos) << page;
}

}  // namespace
}  // namespace talvenor
