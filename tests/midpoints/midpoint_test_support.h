// Small hand-made charts, a recording progress window and page helpers for the midpoint report tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "midpoints/progress.h"
#include "report/report_buffer.h"

namespace talvenor::midpoint_test {

// Records the progress calls as "Load", "Clear", "done/total" and "Unload".
class RecordingProgress : public ProgressReporter {
  public:
    std::vector<std::string> calls;
    void Load() override { calls.push_back("Load"); }
    void Clear() override { calls.push_back("Clear"); }
    void ShowProgress(int done, int total) override {
        calls.push_back(std::to_string(done) + "/" + std::to_string(total));
    }
    void Unload() override { calls.push_back("Unload"); }
};

inline std::vector<std::string> PageOf(const ReportBuffer& report) {
    return {report.PageLines.begin(), report.PageLines.begin() + report.PageLineCount};
}

// The natal heading of HeadedChart() as WriteNatalHeaderShort writes it.
inline const std::vector<std::string> kHeading = {
    "  Sample Person", "  14 Mar 1962    TZ = 6.0      10.15 P.M.   41.52 NORTH    87.39 WEST"};

// A natal chart with a name and birth data for the heading; every longitude 0.
inline Chart HeadedChart() {
    Chart c;
    c.birth.name = "Sample Person";
    c.birth.year = GivenNumber(1962);
    c.birth.month = GivenNumber(3);
    c.birth.day = GivenNumber(14);
    c.birth.hour = GivenNumber(10);
    c.birth.minute = GivenNumber(15);
    c.birth.pm = true;
    c.birth.zone = GivenNumber(6);
    c.birth.latitudeDegrees = GivenNumber(41);
    c.birth.latitudeMinutes = GivenNumber(52);
    c.birth.longitudeDegrees = GivenNumber(87);
    c.birth.longitudeMinutes = GivenNumber(39);
    c.birth.dateText = "3/14/1962";
    return c;
}

// The points of the thirteen midpoint factors in factor order (the node stands at index 10).
inline constexpr int kFactorPoints[13] = {1, 10, 2, 3, 4, 5, 6, 7, 8, 9, 11, 14, 15};

// Puts every natal factor at `others` (the mean node included) and then the listed factors, given by
// factor number 1..13, at their own longitudes.
inline void SetNatalFactors(Chart& natal, double others,
                            const std::vector<std::pair<int, double>>& own = {}) {
    for (int p : kFactorPoints) natal.Lon[static_cast<std::size_t>(p)] = others;
    natal.MeanNode = others;
    for (const auto& [f, lon] : own) {
        const int p = kFactorPoints[f - 1];
        natal.Lon[static_cast<std::size_t>(p)] = lon;
        if (p == 11) natal.MeanNode = lon;
    }
}

// Makes a chart one of the Uranian factors with every factor at `others` and then the listed ones, given by
// factor number 1..22 (14 the Aries point), at their own longitudes; the hypothetical points move forwards.
inline void SetUranianFactors(Chart& chart, double others,
                              const std::vector<std::pair<int, double>>& own = {}) {
    chart.factors = FactorSet::Uranian;
    std::vector<std::pair<int, double>> classic;
    for (const auto& [f, lon] : own)
        if (f <= 13) classic.push_back({f, lon});
    SetNatalFactors(chart, others, classic);
    chart.UranianLon.fill(others);
    chart.UranianSpeed.fill(0.01);
    for (const auto& [f, lon] : own)
        if (f >= 14) chart.UranianLon[static_cast<std::size_t>(f - 14)] = lon;
}

// The same for the second chart, whose node factor is its own point 11.
inline void SetDiurnalFactors(Chart& second, double others,
                              const std::vector<std::pair<int, double>>& own = {}) {
    for (int p : kFactorPoints) second.Lon[static_cast<std::size_t>(p)] = others;
    for (const auto& [f, lon] : own) second.Lon[static_cast<std::size_t>(kFactorPoints[f - 1])] = lon;
}

}  // namespace talvenor::midpoint_test
