#include "midpoints/midpoint_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/point_catalogue.h"
#include "midpoints/midpoint_test_support.h"

namespace talvenor {
namespace {

using midpoint_test::HeadedChart;
using midpoint_test::kHeading;
using midpoint_test::PageOf;

// Every midpoint at 3.3 except SUN/MOO at 200 and ASC/MC at 300; every point at 0, which aspects none
// of them. Orbs 2, 1 and 1.
Chart MidpointChart() {
    Chart chart = HeadedChart();
    chart.MidpointLon.fill(3.3);
    chart.MidpointLon[1] = 200;
    chart.MidpointLon[78] = 300;
    return chart;
}

Options HardOrbs() {
    Options options;
    options[33] = 2, options[34] = 1, options[35] = 1;
    return options;
}

// Three points that aspect the midpoints above, and the aspect pass they give: by point, then by pair.
void PlacePointsForAspects(PointArray& lon) {
    lon[kMars] = 291.2;          // 91.2 from SUN/MOO
    lon[kSouthNode] = 300;       // on ASC/MC
    lon[kPartOfFortune] = 42.1;  // 157.9 from SUN/MOO
}
const std::vector<std::string> kAspectLines = {
    "",
    "  MARS       Square       SUN/MOO      1.2 degrees",
    "  S. NODE    Conjunct     ASC/MC       0.0 degrees",
    "  P. OF F.   157.5 deg.   SUN/MOO      0.4 degrees",
    "",
};

TEST(MidpointListTest, NatalReportListsTheMidpointsInThreeColumnsThenThePointsAspects) {
    Chart chart = MidpointChart();
    PlacePointsForAspects(chart.Lon);
    ReportBuffer report;
    report.AppendLine("an earlier page");
    WriteNatalMidpointsReport(chart, HardOrbs(), RegionalFormat{}, report);
    const std::vector<std::string> page = PageOf(report);

    std::vector<std::string> expected = {""};
    expected.insert(expected.end(), kHeading.begin(), kHeading.end());
    expected.insert(expected.end(), {"", "                         NATAL MIDPOINTS", ""});
    ASSERT_EQ(page.size(), expected.size() + 26 + 3 + kAspectLines.size());
    for (std::size_t n = 0; n < expected.size(); ++n) EXPECT_EQ(page[n], expected[n]) << n;

    const std::size_t list = expected.size();
    EXPECT_EQ(page[list], "  SUN/MOO = 20 LIB 00  SUN/MER = 03 ARI 18  SUN/VEN = 03 ARI 18");
    EXPECT_EQ(page[list + 3], "  SUN/NOD = 03 ARI 18  SUN/ASC = 03 ARI 18  SUN/MC  = 03 ARI 18");
    EXPECT_EQ(page[list + 25], "  NOD/ASC = 03 ARI 18  NOD/MC  = 03 ARI 18  ASC/MC  = 00 AQU 00");
    for (std::size_t n = list; n < list + 26; ++n) EXPECT_EQ(page[n].size(), 63u) << n;

    EXPECT_EQ(page[list + 26], "");
    EXPECT_EQ(page[list + 27], "");
    EXPECT_EQ(page[list + 28], "      NATAL PLANET ASPECTS TO NATAL MIDPOINTS");
    EXPECT_EQ(std::vector<std::string>(page.begin() + static_cast<long>(list) + 29, page.end()),
              kAspectLines);
    EXPECT_EQ(report.ReportLine, "");
}

TEST(MidpointListTest, TransitReportSetsTheSecondChartsPointsAgainstTheNatalMidpoints) {
    for (const bool secondPerson : {false, true}) {
        SCOPED_TRACE(secondPerson);
        Chart chart = MidpointChart();
        Chart second;
        PlacePointsForAspects(second.Lon);
        chart.Lon[kMars] = 200;          // natal points play no part
        second.MidpointLon.fill(291.2);  // nor does the second chart's own midpoint table
        SecondInputTexts diurnal;
        diurnal.secondPerson = secondPerson;
        diurnal.secondPersonName = "Jane";
        ReportBuffer report;
        WriteTransitAspectsToNatalMidpoints(chart, second, HardOrbs(), RegionalFormat{}, diurnal, report);

        std::vector<std::string> expected = {""};
        if (secondPerson) {
            expected.insert(expected.end(),
                            {"  Jane's NATAL PLANET ASPECTS TO", "  Sample Person's NATAL MIDPOINTS"});
        } else {
            expected.insert(expected.end(), kHeading.begin(), kHeading.end());
            expected.insert(expected.end(), {"", "    TRANSITING PLANET ASPECTS TO NATAL MIDPOINTS"});
        }
        expected.insert(expected.end(), kAspectLines.begin(), kAspectLines.end());
        EXPECT_EQ(PageOf(report), expected);
    }
}

}  // namespace
}  // namespace talvenor
