// The one table of reports that the Data menu and the report tool both read: the names each has always
// accepted, the menu in its order with its texts and keys, the reports that ask for a modulus, and the
// same page whichever way a report is run.
#include "session/report_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "computed_charts.h"
#include "midpoints/modulus_prompt.h"
#include "session/batch_reports.h"

namespace talvenor {
namespace {

using testing_support::ComputedChart;
using testing_support::kSampleCharts;

// The Data menu as it has always been, item by item: the report each runs in the report tool's words,
// its text, its second-person text, its key and the separator above it.
struct MenuItem {
    const char* item;
    const char* report;
    const char* caption;
    const char* secondPerson;
    const char* key;
    const char* separator;
};
const MenuItem kDataMenu[] = {
    {"mnuDataNatalData", "natal-data", "Natal &Data and Aspects", nullptr, "F2", nullptr},
    {"mnuDataNatalMidpoints", "natal-midpoints", "Natal &Midpoints and MWA", nullptr, "F3", nullptr},
    {"mnuDataNatalSort", "sort", "Natal Pla&net and Midpoint Sort", nullptr, "F4", nullptr},
    {"mnuDataNatalSortNumerical", "sort-degree", "Natal MP Sort by Degree", nullptr, "Ctrl+F4", nullptr},
    {"mnuDataNatalMPAspects_Unsort", "natal-mp-unsorted", "&Unsorted Natal Planet and Midpoint Aspects",
     nullptr, "F5", nullptr},
    {"mnuDataNatalMPAspects_Sorted", "natal-mp-sorted", "Sorted Natal Planet and Mid&point Aspects", nullptr,
     "Ctrl+F5", nullptr},
    {"mnuDataNatalTree", "natal-tree", "Natal Tree", nullptr, "Ctrl+F1", nullptr},
    {"mnuDataTransitData", "transit-data", "&Transit Data and Aspects", "&2nd Person Natal Data and Aspects",
     "F6", "mnuSplit34"},
    {"mnuDataTransitsAspectstoNatal", "transits-to-natal", "Transit A&spects to Natal", "&Interchart Aspects",
     "F7", nullptr},
    {"mnuDataTranAspectsNatalMidpoints", "transits-to-natal-midpoints", "Transit Aspects to Nata&l Midpoints",
     "2nd Person Aspects to Nata&l Midpoints", "F8", nullptr},
    {"mnuDataTranMPAspectsNatal", "transit-midpoints-to-natal", "Transit Midp&oint Aspects to Natal",
     "2nd Person Midp&oint Aspects to Natal", "F9", nullptr},
    {"mnuDataNatalTRFactorAspects_Unsort", "formulas-unsorted", "Unsorted Transit &Formulas",
     "Unsorted 2nd Person &Formulas", "F11", nullptr},
    {"mnuDataNatalTRFactorAspects_Sorted", "formulas-sorted", "S&orted Transit Formulas",
     "S&orted 2nd Person Formulas", "Ctrl+F11", nullptr},
    {"mnuDataTransitTree", "transit-tree", "Transit Tree", nullptr, "Ctrl+F2", nullptr},
    {"mnuDataPlanetaryPictures", "pictures", "Planetary Pi&ctures", nullptr, nullptr, "mnuSplitPictures"},
    {"mnuDataSolarArc", "solar-arc", "Solar &Arc Directions", nullptr, nullptr, nullptr},
    {"mnuDataProgressions", "progressed", "Secondary P&rogressions", nullptr, nullptr, nullptr},
    {"mnuDataEventSearch", "events", "&Event Search...", nullptr, nullptr, nullptr},
};

// Every report the report tool has accepted.
const char* const kToolReports[] = {"natal-data",
                                    "transit-data",
                                    "transits-to-natal",
                                    "natal-midpoints",
                                    "transits-to-natal-midpoints",
                                    "sort",
                                    "sort-degree",
                                    "natal-tree",
                                    "transit-tree",
                                    "natal-mp-unsorted",
                                    "natal-mp-sorted",
                                    "formulas-unsorted",
                                    "formulas-sorted",
                                    "transit-midpoints-to-natal",
                                    "dump",
                                    "wheel",
                                    "dial",
                                    "dial-panel",
                                    "pictures",
                                    "solar-arc",
                                    "progressed",
                                    "events",
                                    "graphic-ephemeris"};

// The reports whose menu item has always asked for the modulus.
const std::set<std::string> kAskedForAModulus = {"sort",     "natal-tree", "transit-tree",
                                                 "pictures", "solar-arc",  "progressed"};

std::string Text(const char* text) {
    return text ? text : "(none)";
}

TEST(ReportTableTest, TheReportToolAcceptsExactlyTheNamesItAlwaysAccepted) {
    std::set<std::string> names;
    for (const ReportEntry& r : Reports()) {
        ASSERT_NE(r.toolName, nullptr);
        EXPECT_TRUE(names.insert(r.toolName).second) << "twice: " << r.toolName;
    }
    EXPECT_EQ(names, std::set<std::string>(std::begin(kToolReports), std::end(kToolReports)));
    for (const char* name : kToolReports) {
        const ReportEntry* entry = ReportNamed(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(std::string(entry->toolName), name);
    }
    // Names are taken as typed: no other case, no menu item's name, no part of a name.
    for (const char* refused : {"Natal-Data", "NATAL-DATA", "natal", "natal-data ", "", "mnuDataNatalData",
                                "event-search", "horoscope", "tree", "dial-panel,"}) {
        EXPECT_EQ(ReportNamed(refused), nullptr) << '"' << refused << '"';
    }
}

TEST(ReportTableTest, TheDataMenuHasItsItemsInTheirOrderWithTheirTextsKeysAndReports) {
    std::vector<const ReportEntry*> menu;
    for (const ReportEntry& r : Reports()) {
        if (r.menuItem) menu.push_back(&r);
    }
    ASSERT_EQ(menu.size(), std::size(kDataMenu));
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const MenuItem& expected = kDataMenu[i];
        const ReportEntry& r = *menu[i];
        SCOPED_TRACE(expected.item);
        EXPECT_EQ(std::string(r.menuItem), expected.item);
        EXPECT_EQ(std::string(r.toolName), expected.report);
        EXPECT_EQ(Text(r.menuCaption), Text(expected.caption));
        EXPECT_EQ(Text(r.secondPersonCaption), Text(expected.secondPerson));
        EXPECT_EQ(Text(r.shortcut), Text(expected.key));
        EXPECT_EQ(Text(r.separatorBefore), Text(expected.separator));
        EXPECT_EQ(ReportOfMenuItem(expected.item), &r);
    }
    EXPECT_EQ(ReportOfMenuItem("mnuDataNatalHelp"), nullptr);
    EXPECT_EQ(ReportOfMenuItem("mnuSplit34"), nullptr);
    EXPECT_EQ(ReportOfMenuItem(""), nullptr);
    // The report tool's own reports have no menu item: they draw, dump or list rather than show a page.
    for (const char* toolOnly : {"dump", "wheel", "dial", "dial-panel", "graphic-ephemeris"}) {
        EXPECT_EQ(ReportNamed(toolOnly)->menuItem, nullptr) << toolOnly;
        EXPECT_EQ(ReportNamed(toolOnly)->write, nullptr) << toolOnly;
    }
}

TEST(ReportTableTest, TheModulusIsAskedExactlyForTheReportsThatAlwaysAskedAndCancelEndsThem) {
    for (const ReportEntry& r : Reports()) {
        if (!r.write) continue;
        SCOPED_TRACE(r.toolName);
        ComputedChart computed(kSampleCharts[0]);
        computed.dialogs.shown.clear();
        // No answers: every prompt is cancelled.
        const ShowResult shown = WriteReport(computed.session, r);
        const bool asked =
            !computed.dialogs.shown.empty() && computed.dialogs.shown.front().text == kModulusPrompt;
        EXPECT_EQ(asked, kAskedForAModulus.count(r.toolName) == 1);
        EXPECT_EQ(r.modulus == ModulusQuestion::Asked, asked);
        if (asked) {
            EXPECT_EQ(computed.dialogs.shown.size(), 1u);
            EXPECT_EQ(computed.dialogs.shown.front().title, kModulusTitle);
            EXPECT_EQ(shown, ShowResult::NothingToShow);
        } else {
            EXPECT_TRUE(computed.dialogs.shown.empty());
            EXPECT_EQ(shown, ShowResult::Shown);
        }
    }
    // Dials of their own: the report tool's default when --modulus is not given.
    const std::pair<const char*, float> ownDials[] = {
        {"dial", 90.0f}, {"dial-panel", 90.0f}, {"events", 90.0f}, {"graphic-ephemeris", 45.0f}};
    for (const auto& [name, modulus] : ownDials) {
        EXPECT_EQ(ReportNamed(name)->modulus, ModulusQuestion::OfItsOwn) << name;
        EXPECT_EQ(ReportNamed(name)->defaultModulus, modulus) << name;
    }
}

// The Data menu asks for the modulus (and the pictures' target); the report tool gives them. Both write
// the same page for the same chart (or both refuse it: directions for a date before the birth), and a
// given modulus asks nothing.
TEST(ReportTableTest, EveryPageIsTheSameWhetherItsModulusIsAskedOrGiven) {
    for (const auto& charts : kSampleCharts) {
        for (const ReportEntry& r : Reports()) {
            if (!r.write) continue;
            SCOPED_TRACE(std::string(charts.name) + " " + r.toolName);
            ComputedChart menu(charts);
            menu.dialogs.answers = {std::string("45"), std::string("")};
            const ShowResult asked = WriteReport(menu.session, r);
            if (&charts == &kSampleCharts[0]) {
                EXPECT_EQ(asked, ShowResult::Shown);
            }

            ComputedChart tool(charts);
            tool.dialogs.shown.clear();
            ReportRun run;
            run.modulus = 45.0f;
            if (std::string(r.toolName) == "pictures") {
                PictureRequest request;
                request.modulus = 45.0f;
                request.orb = tool.session.options[40];
                run.pictures = request;
            }
            EXPECT_EQ(WriteReport(tool.session, r, run), asked);
            for (const auto& shown : tool.dialogs.shown) EXPECT_NE(shown.text, kModulusPrompt);
            EXPECT_EQ(PageText(tool.session.report), PageText(menu.session.report));
        }
    }
}

// The natal data page that a computing command writes as its second step is the page the Data menu's
// item writes, and natal-data is the only report that reads the natal chart alone.
TEST(ReportTableTest, ThePageLeftByTheComputationIsTheNatalDataItemsPage) {
    for (const auto& charts : kSampleCharts) {
        SCOPED_TRACE(charts.name);
        ComputedChart computed(charts);
        const std::string left = PageText(computed.session.report);
        ASSERT_FALSE(left.empty());
        const ReportEntry& natalData = *ReportNamed("natal-data");
        ASSERT_EQ(WriteReport(computed.session, natalData), ShowResult::Shown);
        EXPECT_EQ(PageText(computed.session.report), left);
    }
    for (const ReportEntry& r : Reports()) {
        const bool natalData = std::string(r.toolName) == "natal-data";
        EXPECT_EQ(r.charts == ChartsWanted::NatalOnly, natalData) << r.toolName;
        EXPECT_EQ(ReadsNatalChartOnly(r.toolName), natalData) << r.toolName;
    }
}

}  // namespace
}  // namespace talvenor
