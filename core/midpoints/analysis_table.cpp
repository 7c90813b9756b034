#include "midpoints/analysis_table.h"

#include <cmath>

#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "text/basic_text.h"

namespace talvenor {

std::pair<int, int> PairFactors(int m, int factorCount) {
    for (int i = 1; i < factorCount; ++i) {
        const int first =
            (i - 1) * (2 * factorCount - i) / 2 + 1;  // the block of pairs starting with factor i
        const int last = first + factorCount - 1 - i;
        if (m >= first && m <= last) return {i, m - first + i + 1};
    }
    return {0, 0};
}

std::string_view FactorAbbrev(int f) {
    if (f > kClassicFactorCount) return FactorOf(f).analysisName.substr(0, 3);
    return MidpointFactorField(f);
}

AnalysisTable BuildAnalysisTable(const PointArray& lon, double nodeFactor, FactorSet set,
                                 const std::array<double, 1 + kUranianPoints>& uranian) {
    AnalysisTable t;
    t.set = set;
    const int factors = t.FactorCount();
    for (int f = 1; f <= factors; ++f) {
        const auto e = static_cast<std::size_t>(f);
        const int p = FactorOf(f).point;
        if (f >= kAriesPointFactor) {
            t.Lon[e] = uranian[static_cast<std::size_t>(f - kAriesPointFactor)];
        } else {
            t.Lon[e] = p == kNorthNode ? nodeFactor : lon[static_cast<std::size_t>(p)];
        }
        t.Label[e] = std::string(FactorOf(f).analysisName);
    }
    const int pairs = t.PairCount();
    for (int m = 1; m <= pairs; ++m) {
        const auto [i, j] = PairFactors(m, factors);
        const auto e = static_cast<std::size_t>(factors + m);
        t.Lon[e] = MidpointOf(t.Lon[static_cast<std::size_t>(i)], t.Lon[static_cast<std::size_t>(j)]);
        t.Label[e] = t.Label[static_cast<std::size_t>(i)].substr(0, 3) + "/" +
                     t.Label[static_cast<std::size_t>(j)].substr(0, 3) + "  ";
    }
    return t;
}

bool FactorRetrograde(const Chart& chart, int f) {
    if (f >= kFirstUranianFactor) {
        return chart.factors == FactorSet::Uranian && f <= kUranianFactorCount &&
               chart.UranianSpeed[static_cast<std::size_t>(f - kAriesPointFactor)] < 0;
    }
    const int point = FactorOf(f).point;
    const auto i = static_cast<std::size_t>(point - 1);
    return point >= 1 && i < chart.RetroFlags.size() && chart.RetroFlags[i] == 'R';
}

double NatalNodeFactor(const Chart& natal, const Options& options) {
    return options.trueNodeFactor() ? natal.TrueNode : natal.MeanNode;
}

AnalysisTable NatalAnalysisTable(const Chart& natal, const Options& options) {
    return BuildAnalysisTable(natal.Lon, NatalNodeFactor(natal, options), natal.factors, natal.UranianLon);
}

AnalysisTable SecondAnalysisTable(const Chart& second) {
    return BuildAnalysisTable(second.Lon, second.Lon[kNorthNode], second.factors, second.UranianLon);
}

AnalysisTables BuildAnalysisTables(const Chart& natal, const Chart& second, const Options& options,
                                   std::int16_t analysisMode) {
    AnalysisTables tables;
    if (analysisMode == kNatalMode) {
        tables.table = NatalAnalysisTable(natal, options);
    } else {
        tables.table = SecondAnalysisTable(second);
        tables.natal = NatalAnalysisTable(natal, options);
    }
    return tables;
}

std::string PositionText(double longitude) {
    return ShortPosition(longitude);
}

double RoundToTenths(double x) {
    return Int((x + 0.05) * 10.0) / 10.0;
}

std::optional<HardAspect> HardAspectTest(double d, const Options& options) {
    const double o1 = options.midpointOrbHard(), o2 = options.midpointOrbSemiSquare(),
                 o3 = options.midpointOrbSixteenth();
    // The whole-degree aspects compare in single precision, the 22.5-degree family in double.
    const float ds = static_cast<float>(d);
    auto single = [](double x) { return static_cast<float>(x); };
    auto hit = [](int k, double deviation) { return HardAspect{k, RoundToTenths(deviation)}; };

    if (ds >= single(180 - o1)) return hit(6, std::fabs(d - 180));
    if (single(90 - o1) <= ds && ds <= single(90 + o1)) return hit(4, std::fabs(d - 90));
    if (single(45 - o2) <= ds && ds <= single(45 + o2)) return hit(9, std::fabs(d - 45));
    if (single(135 - o2) <= ds && ds <= single(135 + o2)) return hit(10, std::fabs(d - 135));
    if (22.5 - o3 <= d && d <= 22.5 + o3) return hit(17, std::fabs(d - 22.5));
    if (67.5 - o3 <= d && d <= 67.5 + o3) return hit(18, std::fabs(d - 67.5));
    if (112.5 - o3 <= d && d <= 112.5 + o3) return hit(19, std::fabs(d - 112.5));
    if (157.5 - o3 <= d && d <= 157.5 + o3) return hit(20, std::fabs(d - 157.5));
    if (ds <= single(o1)) return hit(2, d);
    return std::nullopt;
}

}  // namespace talvenor
