#include "chart/aspects.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "chart/point_catalogue.h"

namespace talvenor {
namespace {

std::vector<std::string> PageOf(const ReportBuffer& report) {
    return {report.PageLines.begin(), report.PageLines.begin() + report.PageLineCount};
}

// Orbs of a typical options file: 8, 4, 5, 5, 6 for the major aspects, 1 for the parallels and the
// minor aspects, 2 for the quincunx, the quintile family switched on.
Options WideOptions() {
    Options options;
    const float orbs[] = {8, 4, 5, 5, 6, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1};
    for (int n = 1; n <= 16; ++n) options[n] = orbs[n - 1];
    return options;
}

// Grid rows start at page line 4 (after a blank, the title, a blank and the column header); the cell of
// column j starts after the 7-character row label, columns running from 15 down to 1.
constexpr int kFirstRowLine = 4;
std::string Cell(const std::vector<std::string>& page, int i, int j) {
    return page.at(static_cast<std::size_t>(kFirstRowLine + i - 1))
        .substr(static_cast<std::size_t>(7 + (15 - j) * 5), 5);
}

// The aspect list is the last line of the grid's output, its entries separated by CR LF.
std::vector<std::string> ListEntries(const std::vector<std::string>& page) {
    std::vector<std::string> entries;
    const std::string& list = page.back();
    std::size_t start = 0;
    for (std::size_t pos; (pos = list.find("\r\n", start)) != std::string::npos; start = pos + 2) {
        entries.push_back(list.substr(start, pos - start));
    }
    EXPECT_EQ(start, list.size()) << "the list ends with a line break";
    return entries;
}

// All points on 0 Aries with no declination except the two placed.
Chart TwoPoints(double lonSun, double lonMercury, double declSun = 0, double declMercury = 0) {
    Chart chart;
    chart.Lon[kSun] = lonSun;
    chart.Lon[kMercury] = lonMercury;
    chart.Decl[kSun] = declSun;
    chart.Decl[kMercury] = declMercury;
    return chart;
}

std::vector<std::string> GridPage(const Chart& chart, const Options& options) {
    ReportBuffer report;
    WriteAspectGrid(chart, options, report);
    return PageOf(report);
}

TEST(AspectGridTest, WritesGridLegendAndListOfAHandMadeChart) {
    Chart chart;
    chart.Lon = {0,    335.25, 288.5,  260.25, 238.5,  2.25,  28.25, 9.5,
                      40.0, 356.25, 107.75, 315.25, 135.25, 65.25, 162.5, 135.0};
    chart.Decl = {0,    -10.0, -12.5, -20.0, -18.25, 1.0, 10.5, 3.5,
                       14.0, -1.5,  22.0,  -17.5, 17.5,   0.0, 5.0,  19.0};

    const std::vector<std::string> expectedLines = {
        "",
        "                      NATAL PLANET ASPECTS TO NATAL PLANETS",
        "",
        "        MC  Asc  P.F  S.N  N.N  Moo  Plu  Nep  Ura  Sat  Jup  Mar  Ven  Mer  Sun",
        "  SUN  ---  ---   90  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ***  ",
        "  MER  ---  ---  ---  ---  ---  180  ---  ---  ---  ---  ---  ---  ---  ***  ---  ",
        "  VEN  ---  ---  ---  120  ---  ---  ---  ---  ---  ---  ---  ---  ***  ---  ---  ",
        "  MAR  ---  ---  ---  ---  ---  ---  120  ---  ---  150  120  ***  ---  ---  ---  ",
        "  JUP  ---  ---   60  ---  ---  ---    0  ---    0  ---  ***  ---  ---  ---  ---  ",
        "  SAT  ---  135   36  108   72  ---  ---  ---  ---  ***  ---  ---  ---  ---   CP  ",
        "  URA  ---  ---  ---  ---  ---  ---  ---   30  ***  ---  ---  ---  ---  ---  ---  ",
        "  NEP   90  120  ---  ---  ---  ---  ---  ***  ---  ---  ---  ---  ---  ---  ---  ",
        "  PLU  ---  ---  ---  ---   40  ---  ***  ---  ---  ---   CP  ---  ---  ---  ---  ",
        "  MOO  ---  ---  ---  ---  ---  ***  ---  ---  ---  ---  ---  ---  ---  ---  ---  ",
        "  N.N  180  ---  ---  180  ***  ---  ---  ---  ---  ---  ---   P   ---  ---  ---  ",
        "  S.N    0  ---  ---  ***   CP  ---  ---  ---  ---  ---  ---   CP  ---  ---  ---  ",
        "  P.F  ---  ---  ***  ---  ---  ---  ---  ---  ---  ---   P   ---  ---  ---  ---  ",
        "  ASC  ---  ***  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---  ",
        "  MC   ***  ---  ---  ---  ---  ---  ---  ---  ---  ---  ---   CP   CP  ---  ---  ",
        "",
        "    0  = conjunction    60 = sextile          90 = square         120 = trine",
        "  180  = opposition      P = parallel         CP = contra-parallel",
        "",
        "   30  = semi-sextile   45 = semi-square     135 = sesquisquare   150 = quincunx",
        "   36  = semi-quintile  40 = nonagen          72 = quintile       108 = trecile",
        "  144  = bi-quintile",
        "",
        "",
    };
    // Several of these sit exactly on the edge of their orb (125, 63, 37, 107, 73, 41, 95).
    const std::vector<std::string> expectedList = {
        "  Planet    Planet    Separation   Degrees from exact",
        "  SUN       P. OF F.    90d 00m          0d 00m",
        "  MERCURY   MOON       179d 15m          0d 45m",
        "  VENUS     S. NODE    125d 00m          5d 00m",
        "  MARS      PLUTO      117d 45m          2d 15m",
        "  MARS      SATURN     149d 45m          0d 15m",
        "  MARS      JUPITER    123d 45m          3d 45m",
        "  JUPITER   P. OF F.    63d 00m          3d 00m",
        "  JUPITER   PLUTO        6d 00m          6d 00m",
        "  JUPITER   URANUS       7d 15m          7d 15m",
        "  SATURN    ASC        134d 15m          0d 45m",
        "  SATURN    P. OF F.    37d 00m          1d 00m",
        "  SATURN    S. NODE    107d 00m          1d 00m",
        "  SATURN    N. NODE     73d 00m          1d 00m",
        "  URANUS    NEPTUNE     30d 30m          0d 30m",
        "  NEPTUNE   MC          95d 00m          5d 00m",
        "  NEPTUNE   ASC        122d 30m          2d 30m",
        "  PLUTO     N. NODE     41d 00m          1d 00m",
        "  N. NODE   MC         179d 45m          0d 15m",
        "  N. NODE   S. NODE    180d 00m          0d 00m",
    };
    std::string list;
    for (const std::string& entry : expectedList) list += entry + "\r\n";

    std::vector<std::string> expected = expectedLines;
    expected.push_back(list);
    const std::vector<std::string> page = GridPage(chart, WideOptions());
    ASSERT_EQ(page.size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(page[n], expected[n]);
    }
}

TEST(AspectGridTest, CellShowsTheAspectFoundWithTheOrbsOfTheOptions) {
    struct Case {
        const char* what;
        double separation;
        int option;
        float value;
        const char* cell;
    };
    const Case cases[] = {
        {"an exact opposition needs no orb", 180, 5, 0, "180  "},
        {"opposition orb reaches down", 174, 5, 6, "180  "},
        {"one beyond the opposition orb", 173.9, 5, 6, "---  "},
        {"conjunction tested last beats a wide semi-sextile", 8, 7, 25, "  0  "},
        {"upper edge of the sextile orb is in orb", 64, 2, 4, " 60  "},
        {"lower edge of the sextile orb is in orb", 56, 2, 4, " 60  "},
        {"beyond the edge at single precision is out", 64.00001, 2, 4, "---  "},
        {"within single-precision rounding of the edge is in", 64.000001, 2, 4, " 60  "},
        // 0.7 is held as 0.69999999; the user's 60.7 is still in orb once both sides are single.
        {"an orb as typed holds at its edge", 60.7, 2, 0.7f, " 60  "},
        {"and at its lower edge", 59.3, 2, 0.7f, " 60  "},
        {"square", 93, 3, 5, " 90  "},
        {"trine", 116, 4, 5, "120  "},
        {"semi-square", 45.5, 8, 1, " 45  "},
        {"sesquisquare", 134, 9, 1, "135  "},
        {"quincunx", 152, 10, 2, "150  "},
        {"wide quincunx overrides the opposition before it", 178, 10, 30, "150  "},
        {"nonagen", 40.5, 12, 1, " 40  "},
        {"bi-quintile", 143, 15, 1, "144  "},
        {"no aspect", 100, 1, 8, "---  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Options options = WideOptions();
        options[c.option] = c.value;
        if (c.option == 7) options[1] = 10;
        const auto page = GridPage(TwoPoints(10, 10 + c.separation), options);
        EXPECT_EQ(Cell(page, kSun, kMercury), c.cell);
    }
}

TEST(AspectGridTest, SeparationIsTakenTheShortWayRound) {
    const auto page = GridPage(TwoPoints(355, 65), WideOptions());  // 290 apart one way, 70 the other
    EXPECT_EQ(Cell(page, kSun, kMercury), "---  ");
    const auto square = GridPage(TwoPoints(350, 80), WideOptions());
    EXPECT_EQ(Cell(square, kSun, kMercury), " 90  ");
}

TEST(AspectGridTest, QuintileFamilyNeedsOptionSixteenExactlyOne) {
    struct Case {
        float option16;
        bool legend;
        const char* cell;
    };
    const Case cases[] = {{1, true, " 72  "}, {2, true, "---  "}, {0, false, "---  "}, {0.5f, true, "---  "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option16);
        Options options = WideOptions();
        options[16] = c.option16;
        const auto page = GridPage(TwoPoints(0, 72.5), options);
        EXPECT_EQ(Cell(page, kSun, kMercury), c.cell);
        // Legend: blank, two lines, blank, one line, then the two quintile lines when shown.
        const std::size_t legendStart = kFirstRowLine + 15;
        EXPECT_EQ(page.at(legendStart + 4),
                  "   30  = semi-sextile   45 = semi-square     135 = sesquisquare   150 = quincunx");
        if (c.legend) {
            EXPECT_EQ(page.at(legendStart + 5),
                      "   36  = semi-quintile  40 = nonagen          72 = quintile       108 = trecile");
            EXPECT_EQ(page.at(legendStart + 6), "  144  = bi-quintile");
            EXPECT_EQ(page.size(), legendStart + 10);
        } else {
            EXPECT_EQ(page.at(legendStart + 5), "");
            EXPECT_EQ(page.size(), legendStart + 8);
        }
    }
}

TEST(AspectGridTest, DeclinationCellsShowParallelAndContraParallel) {
    struct Case {
        double sun;
        double mercury;
        const char* cell;
    };
    const Case cases[] = {
        {10, 10.5, " P   "},  {-10, -11, " P   "},  // the orb's edge is in orb
        {10, -10.5, " CP  "}, {-10, 9.25, " CP  "},
        {0, 0.5, " P   "},    {0, -0.5, " CP  "},  // zero counts as north
        {10, 11.01, "---  "}, {-10, 8.5, "---  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.sun) + " " + std::to_string(c.mercury));
        // Mercury's row holds the declination cell of the pair, in the Sun's column.
        const auto page = GridPage(TwoPoints(0, 200, c.sun, c.mercury), WideOptions());
        EXPECT_EQ(Cell(page, kMercury, kSun), c.cell);
    }
}

TEST(AspectGridTest, ListEntryRoundsToTheWholeMinuteAndPadsByTheRoundedDegrees) {
    struct Case {
        double separation;
        float conjunctionOrb;
        const char* entry;
    };
    const Case cases[] = {
        // 10.9999 degrees has 59.994 minutes: eleven degrees, never "10d 60m" or "10d 59m"
        {10.9999, 12, "  SUN       MERCURY     11d 00m         11d 00m"},
        {0.99999, 12, "  SUN       MERCURY      1d 00m          1d 00m"},
        {9.99999, 12, "  SUN       MERCURY     10d 00m         10d 00m"},
        {99.99999, 100, "  SUN       MERCURY    100d 00m        100d 00m"},
        {10.99, 12, "  SUN       MERCURY     10d 59m         10d 59m"},
        {9.5, 12, "  SUN       MERCURY      9d 30m          9d 30m"},
        {120.5, 150, "  SUN       MERCURY    120d 30m        120d 30m"},
        {99.25, 100, "  SUN       MERCURY     99d 15m         99d 15m"},
        // an opposition a hair short of exact: 180 degrees and no minute from exact
        {179.99999, 1, "  SUN       MERCURY    180d 00m          0d 00m"},
        {179.99, 1, "  SUN       MERCURY    179d 59m          0d 01m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.separation);
        Options options = WideOptions();
        options[1] = c.conjunctionOrb;
        const auto entries = ListEntries(GridPage(TwoPoints(100, 100 + c.separation), options));
        ASSERT_GE(entries.size(), 2u);
        EXPECT_EQ(entries[0], "  Planet    Planet    Separation   Degrees from exact");
        std::string found;
        for (const std::string& entry : entries) {
            if (entry.starts_with("  SUN       MERCURY")) found = entry;
        }
        EXPECT_EQ(found, c.entry);
    }
}

TEST(AspectGridTest, DegreesFromExactRoundsToTheWholeMinuteToo) {
    // A sextile 0.9999 beyond exact: 59.994 minutes in both columns, so a whole degree in both.
    const auto entries = ListEntries(GridPage(TwoPoints(0, 60.9999), WideOptions()));
    std::string found;
    for (const std::string& entry : entries) {
        if (entry.starts_with("  SUN       MERCURY")) found = entry;
    }
    EXPECT_EQ(found, "  SUN       MERCURY     61d 00m          1d 00m");
}

TEST(AspectGridTest, SouthNodeRowShowsCellsButStaysOutOfTheList) {
    Chart chart = TwoPoints(0, 200);
    chart.Lon[kNorthNode] = 310;
    chart.Lon[kSouthNode] = 130;
    chart.Lon[kPartOfFortune] = 190;  // 60 from the South Node
    chart.Lon[kAscendant] = 220;      // 90 from the South Node
    chart.Lon[kMidheaven] = 131;      // conjunct the South Node
    const auto page = GridPage(chart, WideOptions());
    EXPECT_EQ(Cell(page, kSouthNode, kMidheaven), "  0  ");
    EXPECT_EQ(Cell(page, kSouthNode, kAscendant), " 90  ");
    EXPECT_EQ(Cell(page, kSouthNode, kPartOfFortune), " 60  ");
    bool nodePair = false;
    for (const std::string& entry : ListEntries(page)) {
        EXPECT_FALSE(entry.starts_with("  S. NODE")) << entry;
        if (entry.starts_with("  N. NODE   S. NODE")) nodePair = true;
    }
    EXPECT_TRUE(nodePair) << "the South Node still shows as the other point of an aspect";
}

TEST(AspectGridTest, PointsWithoutARealPositionFormNoAspect) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf}) {
        SCOPED_TRACE(bad);
        const auto page = GridPage(TwoPoints(bad, 0, bad, 0), WideOptions());
        EXPECT_EQ(Cell(page, kSun, kMercury), "---  ");
        EXPECT_EQ(Cell(page, kMercury, kSun), "---  ");
    }
}

// ---- Transit lists ----

TEST(ListAspectTest, FixedOrbsOfOneDegreeRoundedToTenths) {
    struct Case {
        double separation;
        int k;
        double orb;
    };
    const Case cases[] = {
        {61, 3, 1.0},      {61.01, 1, 0},    {59, 3, -1.0},    {59.94, 3, -0.1},
        {59.96, 3, 0.0},   {60.06, 3, 0.1},  {89, 4, -1.0},    {121, 5, 1.0},
        {179, 6, -1.0},    {180, 6, 0.0},    {178.99, 1, 0},   {31, 8, 1.0},
        {44.5, 9, -0.5},   {136, 10, 1.0},   {150.5, 11, 0.5}, {21.5, 17, -1.0},
        {23.5, 17, 1.0},   {23.6, 1, 0},     {67.5, 18, 0.0},  {113.5, 19, 1.0},
        {156.5, 20, -1.0}, {59.25, 3, -0.7}, {89.25, 4, -0.7}, {0.96, 2, 1.0},
        {0, 2, 0.0},       {1, 2, 1.0},      {1.01, 1, 0},     {72, 1, 0},
        {36, 1, 0},        {40, 1, 0},  // no quintile family in the transit lists
    };
    // Tenths are rounded upwards from a half, also below zero: 0.75 short of exact shows -0.7.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.separation);
        const ListAspect found = FindListAspect(c.separation);
        EXPECT_EQ(found.k, c.k);
        if (c.k != 1) {
            EXPECT_NEAR(found.orb, c.orb, 1e-9);
        }
    }
    EXPECT_EQ(FindListAspect(std::numeric_limits<double>::quiet_NaN()).k, 1);
    EXPECT_EQ(FindListAspect(std::numeric_limits<double>::infinity()).k, 1);
}

TEST(ListAspectTest, LineSignShowsWhetherTheTransitIsBehind) {
    struct Case {
        double d;
        const char* line;
    };
    const Case cases[] = {
        {-0.96, "  SUN         Conjunct      MERCURY      1.0 degrees"},   // behind
        {0.96, "  SUN         Conjunct      MERCURY     -1.0 degrees"},    // ahead
        {359.04, "  SUN         Conjunct      MERCURY      1.0 degrees"},  // d >= 180: behind
        {-359.04, "  SUN         Conjunct      MERCURY     -1.0 degrees"},
        {-61, "  SUN         Sextile       MERCURY      1.0 degrees"},
        {61, "  SUN         Sextile       MERCURY     -1.0 degrees"},
        {180, "  SUN         Opposite      MERCURY      0.0 degrees"},
        {-180, "  SUN         Opposite      MERCURY      0.0 degrees"},  // a negated zero prints unsigned
        {-179.5, "  SUN         Opposite      MERCURY     -0.5 degrees"},
        {179.5, "  SUN         Opposite      MERCURY      0.5 degrees"},
        {202, "  SUN         157.5 deg.    MERCURY      0.5 degrees"},
        {-134.6, "  SUN         Ses.Square    MERCURY     -0.4 degrees"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        ReportBuffer report;
        WriteListAspect(kSun, kMercury, c.d, report);
        EXPECT_EQ(PageOf(report), std::vector<std::string>{c.line});
    }
}

TEST(ListAspectTest, NamesAreCutToEightCharacters) {
    ReportBuffer report;
    WriteListAspect(kPartOfFortune, kNorthNode, 30, report);
    WriteListAspect(kMidheaven, kJupiter, 200, report);  // 160 apart: no aspect, no line
    WriteListAspect(0, kSun, 0, report);                 // not a point: nothing
    WriteListAspect(kSun, 16, 0, report);
    EXPECT_EQ(PageOf(report),
              std::vector<std::string>{"  P. OF F.    S.Sextile     N. NODE      0.0 degrees"});
}

TEST(TransitListTest, TransitToNatalSkipsSouthNodeAndTransitingPartOfFortune) {
    Chart chart;  // every point on 0 Aries: each pair listed is a conjunction
    ReportBuffer report;
    WriteTransitToNatal(chart, chart, SecondInputTexts{}, report);
    const auto page = PageOf(report);
    ASSERT_EQ(page.size(), 3u + 13u * 14u);
    EXPECT_EQ(page[0], "");
    EXPECT_EQ(page[1], "      TRANSITING PLANET ASPECTS TO NATAL PLANETS");
    EXPECT_EQ(page[2], "");
    EXPECT_EQ(page[3], "  SUN         Conjunct      SUN          0.0 degrees");
    EXPECT_EQ(page.back(), "  MC          Conjunct      MC           0.0 degrees");
    int fortuneAsNatal = 0;
    for (std::size_t n = 3; n < page.size(); ++n) {
        EXPECT_EQ(page[n].find("S. NODE"), std::string::npos) << page[n];
        EXPECT_FALSE(page[n].starts_with("  P. OF F.")) << page[n];
        if (page[n].ends_with("P. OF F.     0.0 degrees")) ++fortuneAsNatal;
    }
    EXPECT_EQ(fortuneAsNatal, 13);
}

TEST(TransitListTest, TransitToNatalComparesDiurnalWithNatal) {
    Chart natal, second;
    for (int p = 1; p <= kPointCount; ++p) {
        natal.Lon[static_cast<std::size_t>(p)] = 5 + 11.3 * p;
        second.Lon[static_cast<std::size_t>(p)] = 200 + 13.7 * p;
    }
    second.Lon[kMars] = 100.96;  // 0.96 past natal Venus
    natal.Lon[kVenus] = 100;
    ReportBuffer report;
    WriteTransitToNatal(second, natal, SecondInputTexts{}, report);
    bool found = false;
    for (const std::string& line : PageOf(report)) {
        if (line.starts_with("  MARS        Conjunct      VENUS")) {
            EXPECT_EQ(line, "  MARS        Conjunct      VENUS       -1.0 degrees");
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(TransitListTest, SecondPersonTitleNamesThePerson) {
    Chart natal, second;
    second.Lon.fill(100);
    natal.Lon.fill(10);  // 90 apart: squares throughout
    SecondInputTexts diurnal;
    diurnal.secondPerson = true;
    diurnal.secondPersonName = "ANNA";
    ReportBuffer report;
    WriteTransitToNatal(second, natal, diurnal, report);
    const auto page = PageOf(report);
    ASSERT_GE(page.size(), 4u);
    EXPECT_EQ(page[1], "      ANNA's PLANET ASPECTS TO NATAL PLANETS");
    EXPECT_EQ(page[3], "  SUN         Square        SUN          0.0 degrees");
}

TEST(TransitListTest, TransitToTransitListsEachPairOnce) {
    Chart chart;
    ReportBuffer report;
    WriteTransitToTransit(chart, report);
    const auto page = PageOf(report);
    // Sun..N. Node against every later point but the South Node, and the Ascendant against the MC.
    ASSERT_EQ(page.size(), 3u + 88u + 1u);
    EXPECT_EQ(page[0], "");
    EXPECT_EQ(page[1], "   TRANSITING PLANET ASPECTS TO TRANSITING PLANETS");
    EXPECT_EQ(page[2], "");
    EXPECT_EQ(page[3], "  SUN         Conjunct      MERCURY      0.0 degrees");
    EXPECT_EQ(page.back(), "  ASC         Conjunct      MC           0.0 degrees");
    for (std::size_t n = 3; n < page.size(); ++n) {
        EXPECT_EQ(page[n].find("S. NODE"), std::string::npos) << page[n];
        EXPECT_FALSE(page[n].starts_with("  P. OF F.")) << page[n];
        EXPECT_FALSE(page[n].starts_with("  MC")) << page[n];
    }
}

}  // namespace
}  // namespace talvenor
