// The midpoint factors, their pairs and the analysis table every midpoint report builds afresh: 13
// factors, then their 78 midpoints, each with a 9-character label.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "chart/chart.h"
#include "environment/options.h"

namespace talvenor {

inline constexpr int kFactorCount = 13;
inline constexpr int kPairCount = 78;
inline constexpr int kAnalysisCount = kFactorCount + kPairCount;  // 91

// AnalysisMode values.
inline constexpr std::int16_t kTransitMode = 0;
inline constexpr std::int16_t kNatalMode = 1;

// Point index of each factor: Sun, Moon, Mercury to Pluto, North Node, Ascendant, Midheaven.
inline constexpr std::array<int, 14> kFactorPoint = {0, 1, 10, 2, 3, 4, 5, 6, 7, 8, 9, 11, 14, 15};

// The 9-character analysis names of the factors.
inline constexpr std::array<std::string_view, 14> kAnalysisName = {
    "",          "SUN      ", "MOON     ", "MERCURY  ", "VENUS    ", "MARS     ", "JUPITER  ",
    "SATURN   ", "URANUS   ", "NEPTUNE  ", "PLUTO    ", "NN       ", "ASC      ", "MC       "};

// The factors (i, j), i < j, of pair m = 1..78.
std::pair<int, int> PairFactors(int m);

// The three-character abbreviation of factor f ("SUN", "MOO" ... "MC ").
std::string_view FactorAbbrev(int f);

struct AnalysisTable {
    std::array<double, kAnalysisCount + 1> Lon{};         // 1..91
    std::array<std::string, kAnalysisCount + 1> Label{};  // 1..91, 9 characters each
};

// The table of one chart: the factors from its fifteen longitudes (with nodeFactor standing for point
// 11), then the 78 midpoints and their labels ("SUN/MOO  ").
AnalysisTable BuildAnalysisTable(const PointArray& lon, double nodeFactor);

// The node factor of the natal chart: the mean node, or the true node when option 161 is not 0.
double NatalNodeFactor(const Chart& natal, const Options& options);

// The table of the natal chart, with the node option 161 chooses.
AnalysisTable NatalAnalysisTable(const Chart& natal, const Options& options);
// The table of the second chart, whose node factor is its own point 11, with no choice of node.
AnalysisTable SecondAnalysisTable(const Chart& second);

// The tables a report works with: in natal mode the natal chart's; in transit mode the second chart's,
// with the natal table beside it.
struct AnalysisTables {
    AnalysisTable table;
    AnalysisTable natal;  // filled in transit mode only
};
AnalysisTables BuildAnalysisTables(const Chart& natal, const Chart& second, const Options& options,
                                   std::int16_t analysisMode);

// The 9-character position text of a longitude, "05 LEO 23" (minutes that round to 60 stay 59).
std::string PositionText(double longitude);

// The hard aspects of a point to a midpoint, with orbs from options 33 (conjunction, square,
// opposition), 34 (45 and 135) and 35 (22.5-degree family).
struct HardAspect {
    int k;             // aspect number: 2, 4, 6, 9, 10, 17..20
    double deviation;  // rounded to tenths as the reports print it
};
std::optional<HardAspect> HardAspectTest(double d, const Options& options);

// Rounds a deviation to tenths the way the lists print it: Int((x + 0.05) * 10) / 10.
double RoundToTenths(double x);

}  // namespace talvenor
