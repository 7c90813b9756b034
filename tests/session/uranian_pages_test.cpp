// Every midpoint page with the Uranian factors, read back and checked against the chart's own table: each
// name a page writes is a name of the 22 factors, each position and orb is the table's, and every entry
// the page promises is there once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chart/factor_catalogue.h"
#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_trees.h"
#include "report/report_buffer.h"
#include "session/computed_charts.h"
#include "session/report_table.h"

namespace talvenor {
namespace {

using testing_support::ComputedChart;
using testing_support::kSampleCharts;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    // Without the line ends and the blanks some lines carry after their text.
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.erase(line.find_last_not_of(" \r") + 1));
    return lines;
}

struct UranianCharts : ComputedChart {
    explicit UranianCharts(const testing_support::ChartRecords& records) : ComputedChart(records) {
        session.factors = FactorSet::Uranian;
        EXPECT_EQ(ComputeCharts(session), ComputeOutcome::Computed);
    }
    std::vector<std::string> Page(const char* toolName, float modulus = 45) {
        const ReportEntry* entry = ReportNamed(toolName);
        EXPECT_NE(entry, nullptr) << toolName;
        ReportRun run;
        run.modulus = modulus;
        WriteReport(session, *entry, run);
        return Lines(PageText(session.report));
    }
};

// The names of the set: three letters (the formulas', the lists'), two (the trees'), both with the
// lists' "NOD" for the node.
std::set<std::string> ThreeLetterNames() {
    std::set<std::string> names{"NOD"};
    for (int f = 1; f <= kUranianFactorCount; ++f) names.insert(FactorName(f));
    return names;
}
std::set<std::string> TwoLetterNames() {
    std::set<std::string> names;
    for (int f = 1; f <= kUranianFactorCount; ++f)
        names.insert(std::string(FactorOf(f).analysisName.substr(0, 2)));
    return names;
}

TEST(UranianPagesTest, TheSortsListEveryOneOfTheTwoHundredAndFiftyThreeEntriesOnceInOrder) {
    for (const auto& records : kSampleCharts) {
        SCOPED_TRACE(records.name);
        UranianCharts charts(records);
        const AnalysisTable table = NatalAnalysisTable(charts.session.natalChart, charts.session.options);
        ASSERT_EQ(table.EntryCount(), 253);
        // "  LABEL9   = dd mm" three a line in the modulus sort; the labels are the table's.
        std::multiset<std::string> expected;
        for (int e = 1; e <= 253; ++e) expected.insert(table.Label[static_cast<std::size_t>(e)]);
        const std::regex entry(R"(  (.{9})= (\d\d) (\d\d))");
        std::multiset<std::string> listed;
        std::vector<std::vector<double>> columns(3);
        int rows = 0;
        for (const std::string& line : charts.Page("sort", 45)) {
            int column = 0;
            bool any = false;
            for (auto it = std::sregex_iterator(line.begin(), line.end(), entry);
                 it != std::sregex_iterator(); ++it) {
                listed.insert((*it)[1]);
                const double place = std::stod((*it)[2]) + std::stod((*it)[3]) / 60;
                if (it->position() < 40 || column > 0)
                    columns[static_cast<std::size_t>(std::min(column, 2))].push_back(place);
                ++column;
                any = true;
            }
            if (any) ++rows;
        }
        EXPECT_EQ(listed, expected);
        EXPECT_EQ(rows, 85);  // 84 rows of three and the last entry alone
        for (const auto& c : columns) EXPECT_TRUE(std::is_sorted(c.begin(), c.end()));
        // The degree sort: one a line.
        std::multiset<std::string> byDegree;
        const std::regex line(R"(^  (.{9})= \d\d [A-Z]{3} \d\d$)");
        for (const std::string& l : charts.Page("sort-degree")) {
            std::smatch m;
            if (std::regex_match(l, m, line)) byDegree.insert(m[1]);
        }
        EXPECT_EQ(byDegree, expected);
    }
}

TEST(UranianPagesTest, EveryNameOnTheTreeAndDirectionPagesIsAFactorOrAPairOfFactors) {
    const std::set<std::string> three = ThreeLetterNames(), two = TwoLetterNames();
    for (const auto& records : kSampleCharts) {
        SCOPED_TRACE(records.name);
        UranianCharts charts(records);
        int trees = 0;
        // A tree's head: its position, then four blanks (or "  Tr. ") and the factor's name.
        const std::regex header(R"(\(\d\d [A-Z]{3} \d\d\)(?:    |  Tr\. )([A-Z]{2,3})(?= |$))");
        const std::regex entry(R"((?:-([A-Z]{2,3}) ?-|([A-Z]{2})/([A-Z]{2})) (?:R )?\s*-?\d+°\d\d')");
        for (const char* page : {"natal-tree", "transit-tree"}) {
            for (const std::string& line : charts.Page(page, 90)) {
                for (auto it = std::sregex_iterator(line.begin(), line.end(), header);
                     it != std::sregex_iterator(); ++it) {
                    EXPECT_TRUE(three.count((*it)[1])) << line;
                    ++trees;
                }
                for (auto it = std::sregex_iterator(line.begin(), line.end(), entry);
                     it != std::sregex_iterator(); ++it) {
                    const std::smatch& e = *it;
                    if (e[1].matched) {
                        EXPECT_TRUE(three.count(e[1])) << line;
                    } else {
                        EXPECT_TRUE(two.count(e[2]) && two.count(e[3])) << line;
                    }
                }
            }
        }
        EXPECT_EQ(trees, 44);  // 22 natal trees and 22 transit trees
        // The directions: "  SA  POS   UR/CU   0°00'" or a factor "-URA-".
        const std::regex direction(
            R"(^  (?:SA |Pr\.) ([A-Z ]{3})   (?:-([A-Z ]{3})-|([A-Z]{2})/([A-Z]{2}))  +-?\d+°\d\d'$)");
        for (const char* page : {"solar-arc", "progressed"}) {
            int lines = 0;
            for (const std::string& line : charts.Page(page, 45)) {
                std::smatch m;
                if (!std::regex_match(line, m, direction)) continue;
                ++lines;
                auto trimmed = [](std::string s) { return s.substr(0, s.find_last_not_of(' ') + 1); };
                EXPECT_TRUE(three.count(trimmed(m[1]))) << line;
                if (m[2].matched) {
                    EXPECT_TRUE(three.count(trimmed(m[2]))) << line;
                } else {
                    EXPECT_TRUE(two.count(m[3]) && two.count(m[4])) << line;
                }
            }
            // (The Sydney chart's second date lies before the birth: no directions.)
            if (std::string(records.name) != "Sydney") {
                EXPECT_GT(lines, 50) << page;
            }
        }
    }
}

TEST(UranianPagesTest, TheMidpointListHasEveryPairAtTheTablesPlace) {
    UranianCharts charts(kSampleCharts[0]);
    const AnalysisTable table = NatalAnalysisTable(charts.session.natalChart, charts.session.options);
    std::map<std::string, std::string> expected;  // "CUP/HAD" -> "12 CAN 05"
    for (int m = 1; m <= table.PairCount(); ++m) {
        const auto [i, j] = table.Pair(m);
        const std::string first = std::string(FactorAbbrev(i)), second = std::string(FactorAbbrev(j));
        std::string name = first + "/" + second;
        expected[name.erase(name.find_last_not_of(' ') + 1)] =
            PositionText(table.Lon[static_cast<std::size_t>(table.FactorCount() + m)]);
    }
    std::map<std::string, std::string> listed;
    int lines = 0;
    const std::regex entry(R"(  ([A-Z][A-Z ]{2}/[A-Z ]{3}) = (\d\d [A-Z]{3} \d\d))");
    for (const std::string& line : charts.Page("natal-midpoints")) {
        if (!std::regex_search(line, entry)) continue;
        ++lines;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), entry); it != std::sregex_iterator();
             ++it) {
            std::string name = (*it)[1];
            name = name.substr(0, name.find_last_not_of(' ') + 1);
            EXPECT_TRUE(listed.emplace(name, (*it)[2]).second) << name;
        }
    }
    EXPECT_EQ(lines, 77);
    EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace talvenor
