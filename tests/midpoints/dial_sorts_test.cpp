#include "midpoints/dial_sorts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midpoints/midpoint_test_support.h"

namespace talvenor {
namespace {

using midpoint_test::PageOf;
using midpoint_test::RecordingProgress;
using midpoint_test::SetNatalFactors;

// The page a sort writes after the command has put "title" in ReportLine.
std::vector<std::string> ModulusSortPage(const Chart& chart, float modulus) {
    ReportBuffer report;
    report.ReportLine = "title";
    WriteModulusSort(chart, Options{}, modulus, report, NoProgress());
    return PageOf(report);
}

// The value text printed after the label "SUN      = ".
std::string SunValue(const std::vector<std::string>& page) {
    for (const std::string& line : page) {
        const std::size_t at = line.find("SUN      = ");
        if (at != std::string::npos) return line.substr(at + 11, line.find("  ", at + 11) - at - 11);
    }
    return "(none)";
}

TEST(DialSortsTest, TitleIndentDependsOnTheModulus) {
    EXPECT_EQ(ModulusSortTitle(360), std::string(15, ' ') + "Natal Data Sort - modulus =  360");
    EXPECT_EQ(ModulusSortTitle(22.5f), std::string(9, ' ') + "Natal Data Sort - modulus =  22.5");
    EXPECT_EQ(ModulusSortTitle(45), std::string(12, ' ') + "Natal Data Sort - modulus =  45");
    EXPECT_EQ(ModulusSortTitle(0.5f), std::string(12, ' ') + "Natal Data Sort - modulus =  0.5");
}

TEST(DialSortsTest, WholeCircleKeepsSignPositionsAndPutsThe91stEntryAfter46Blanks) {
    Chart chart;
    SetNatalFactors(chart, 300, {{1, 125.5}});
    const std::vector<std::string> page = ModulusSortPage(chart, 360);
    ASSERT_EQ(page.size(), 33u);
    EXPECT_EQ(page[0], "title");
    EXPECT_EQ(page[1], "");
    EXPECT_EQ(page[2], "  SUN      = 05 LEO 30  MOO/URA  = 00 AQU 00  MAR/NN   = 00 AQU 00");
    EXPECT_EQ(page[3], "  SUN/MOO  = 02 SCO 45  MOO/NEP  = 00 AQU 00  MAR/ASC  = 00 AQU 00");
    EXPECT_EQ(page[15], "  MOON     = 00 AQU 00  MER/NN   = 00 AQU 00  SAT/NN   = 00 AQU 00");
    EXPECT_EQ(page[32], std::string(46, ' ') + "  ASC/MC   = 00 AQU 00");
}

// Sun at 90, the other factors at 0: on the 90 dial every entry is 0 except the twelve Sun midpoints at
// 45. The exchange sort keeps the zeros in table order but hands the 45s on in blocks of twelve, the last
// block split after six zeros: SUN/URA .. SUN/MC come before SUN/MOO .. SUN/SAT.
TEST(DialSortsTest, EqualDialValuesEndInTheOrderOfTheExchangeSort) {
    Chart chart;
    SetNatalFactors(chart, 0, {{1, 90}});
    const std::vector<std::string> page = ModulusSortPage(chart, 90);
    ASSERT_EQ(page.size(), 33u);
    EXPECT_EQ(page[2], "  SUN      = 00 00  MER/PLU  = 00 00  SAT/PLU  = 00 00");
    EXPECT_EQ(page[20], "  MOO/URA  = 00 00  MAR/NN   = 00 00  ASC/MC   = 00 00");
    EXPECT_EQ(page[21], "  MOO/NEP  = 00 00  MAR/ASC  = 00 00  SUN/URA  = 45 00");
    EXPECT_EQ(page[32], std::string(38, ' ') + "  SUN/SAT  = 45 00");

    std::vector<std::string> lastColumn;
    for (std::size_t n = 21; n <= 31; ++n) lastColumn.push_back(page[n].substr(38, 9));
    const std::vector<std::string> expected = {"SUN/URA  ", "SUN/NEP  ", "SUN/PLU  ", "SUN/NN   ",
                                               "SUN/ASC  ", "SUN/MC   ", "SUN/MOO  ", "SUN/MER  ",
                                               "SUN/VEN  ", "SUN/MAR  ", "SUN/JUP  "};
    EXPECT_EQ(lastColumn, expected);
}

TEST(DialSortsTest, ReducedValuesPrintDegreesAndMinutes) {
    struct Case {
        float modulus;
        double sun;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {90, 100.5, "10 30"},
        {120, 220, "100 00"},
        {22.5f, 359.75, "22 15"},
        {45, 90, "00 00"},            // a multiple of the modulus reduces to 0
        {45, 7.9999, "07 59"},        // minutes that round to 60 stay 59
        {45, 89.999999999, "00 00"},  // a hair below the multiple is the multiple in single precision
        {1e-30f, 100.5, "00 00"},     // a modulus too small to subtract from still ends
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sun);
        Chart chart;
        SetNatalFactors(chart, 0, {{1, c.sun}});
        EXPECT_EQ(SunValue(ModulusSortPage(chart, c.modulus)), c.text);
    }
}

TEST(DialSortsTest, DegreeSortCountsOnlyTheDegreesWithinTheSign) {
    Chart chart;
    SetNatalFactors(chart, 200, {{1, 60}, {2, 59 + 59 / 60.0}});
    ReportBuffer report;
    report.ReportLine = "  Natal Data Sort - numerical";
    WriteDegreeSort(chart, Options{}, report, NoProgress());
    const std::vector<std::string> page = PageOf(report);
    ASSERT_EQ(page.size(), 93u);
    EXPECT_EQ(page[0], "  Natal Data Sort - numerical");
    EXPECT_EQ(page[1], "");
    EXPECT_EQ(page[2], "  SUN      = 00 GEM 00");
    EXPECT_EQ(page[91], "  MOON     = 29 TAU 59");
    EXPECT_EQ(page[92], "  SUN/MOO  = 29 TAU 59");
}

TEST(DialSortsTest, BothSortsAdvanceTheProgressBarOncePerOuterPass) {
    std::vector<std::string> expected = {"Load"};
    for (int g = 1; g <= 90; ++g) expected.push_back(std::to_string(g) + "/90");
    expected.push_back("Unload");

    Chart chart;
    ReportBuffer report;
    RecordingProgress modulus, degree;
    WriteModulusSort(chart, Options{}, 45, report, modulus);
    WriteDegreeSort(chart, Options{}, report, degree);
    EXPECT_EQ(modulus.calls, expected);
    EXPECT_EQ(degree.calls, expected);
}

}  // namespace
}  // namespace talvenor
