// The midpoint factors, their pairs and the analysis table every midpoint report builds afresh: the
// factors of the chart's set (13 classic, 22 Uranian), then their midpoints (78, 231), each with a
// 9-character label.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "chart/chart.h"
#include "chart/factor_catalogue.h"
#include "environment/options.h"

namespace talvenor {

// The classic set's counts.
inline constexpr int kFactorCount = kClassicFactorCount;            // 13
inline constexpr int kPairCount = PairCountOf(FactorSet::Classic);  // 78
inline constexpr int kAnalysisCount = kFactorCount + kPairCount;    // 91
// The most entries a table holds: the Uranian set's 22 factors and 231 midpoints.
inline constexpr int kMostAnalysisEntries = kUranianFactorCount + PairCountOf(FactorSet::Uranian);  // 253

// AnalysisMode values.
inline constexpr std::int16_t kTransitMode = 0;
inline constexpr std::int16_t kNatalMode = 1;

// The factors (i, j), i < j, of pair m = 1..n(n-1)/2 of n factors: (1, 2), (1, 3) ... (n-1, n).
std::pair<int, int> PairFactors(int m, int factorCount = kFactorCount);

// The three-character abbreviation of factor f ("SUN", "MOO" ... "NOD", "ASC", "MC ", then "ARI" ...
// "POS"), as the midpoint list names them.
std::string_view FactorAbbrev(int f);

struct AnalysisTable {
    FactorSet set = FactorSet::Classic;
    std::array<double, kMostAnalysisEntries + 1> Lon{};         // 1..EntryCount()
    std::array<std::string, kMostAnalysisEntries + 1> Label{};  // 1..EntryCount(), 9 characters each

    int FactorCount() const { return FactorCountOf(set); }
    int PairCount() const { return PairCountOf(set); }
    int EntryCount() const { return FactorCount() + PairCount(); }
    // The factors of pair m, and the entry of the midpoint of factors i < j.
    std::pair<int, int> Pair(int m) const { return PairFactors(m, FactorCount()); }
};

// Whether factor f of a chart moves backwards: the chart's retrograde flag of its point, or, for the
// hypothetical points of the Uranian set, their daily motion; never the Aries point.
bool FactorRetrograde(const Chart& chart, int f);

// The table of one chart: the factors from its fifteen longitudes (with nodeFactor standing for point
// 11), then the midpoints and their labels ("SUN/MOO  "). With the Uranian set the Aries point and the
// eight hypothetical points follow from `uranian` (0 the Aries point, 1..8 Cupido .. Poseidon).
AnalysisTable BuildAnalysisTable(const PointArray& lon, double nodeFactor, FactorSet set = FactorSet::Classic,
                                 const std::array<double, 1 + kUranianPoints>& uranian = {});

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
