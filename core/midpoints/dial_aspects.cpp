#include "midpoints/dial_aspects.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "ephemeris/angles.h"
#include "midpoints/analysis_table.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

constexpr float kMostDialOrb = 2.25f;

// Which dials show the aspect of step q: the 22.5-degree family only on the 16 dial, 45 and 135 from
// the 8 dial on, the square from the 4 dial on, conjunction and opposition always.
bool AllowedOnDial(int q, double dial) {
    if (q % 2 == 1) return dial == 16;
    if (q == 2 || q == 6) return dial >= 8;
    if (q == 4) return dial >= 4;
    return true;
}

struct DialComparison {
    int step;
    double signedOrb;
};

// Item a against item b: the dial aspect of their distance, the orb signed negative when b falls short of
// the exact aspect point on its side of a.
std::optional<DialComparison> CompareOnDial(double la, double lb, double orb, double dial) {
    const double s = Norm360(la) - lb;
    double d = std::fabs(s);
    if (d > 180.0) d = 360.0 - d;
    const std::optional<DialAspect> aspect = DialAspectTest(d, orb, dial);
    if (!aspect) return std::nullopt;
    const bool aAhead = s <= -180.0 || (s >= 0.0 && s < 180.0);
    return DialComparison{aspect->step, aAhead ? -aspect->deviation : aspect->deviation};
}

// The signed orb of a pair line: its last six characters without the "d".
double OrbKey(const std::string& line) {
    return line.size() < 6 ? 0.0 : LeadingNumber(std::string_view(line).substr(line.size() - 6, 5));
}

// Appends the pair lines, or in the sorted reports sorts them by signed orb, largest first, with the
// plain exchange sort (ties end where that loop leaves them), and then appends them.
void FinishPairLines(std::vector<std::string>& lines, bool sorted, ReportBuffer& report,
                     ProgressReporter& progress) {
    if (sorted) {
        progress.Clear();
        std::vector<double> keys;
        keys.reserve(lines.size());
        for (const std::string& line : lines) keys.push_back(OrbKey(line));
        const int k = static_cast<int>(lines.size());
        for (int g = 0; g <= k - 2; ++g) {
            for (int e = g + 1; e <= k - 1; ++e) {
                const auto ug = static_cast<std::size_t>(g), ue = static_cast<std::size_t>(e);
                if (keys[ug] < keys[ue]) {
                    std::swap(keys[ug], keys[ue]);
                    std::swap(lines[ug], lines[ue]);
                }
            }
            progress.ShowProgress(g, k - 1);
        }
    }
    for (std::string& line : lines) report.AppendLine(std::move(line));
    progress.Unload();
}

// Every item of one table against every item of the other (or of the same table), skipping equal table
// numbers: in one table that is the item itself, across two tables the same factor or midpoint.
void WriteDialPairs(const AnalysisTable& first, const AnalysisTable& second, Options& options, bool sorted,
                    ReportBuffer& report, ProgressReporter& progress) {
    report.AppendLine();
    progress.Load();
    report.AppendBlankLine();
    const double orb = DialOrb(options);
    const double dial = options.dialDivision();

    std::vector<std::string> lines;
    for (int a = 1; a <= first.EntryCount(); ++a) {
        const auto ua = static_cast<std::size_t>(a);
        for (int b = 1; b <= second.EntryCount(); ++b) {
            if (b == a) continue;
            const auto ub = static_cast<std::size_t>(b);
            const std::optional<DialComparison> hit = CompareOnDial(first.Lon[ua], second.Lon[ub], orb, dial);
            if (!hit) continue;
            std::string line = PairLine(first.Label[ua], hit->step, second.Label[ub], hit->signedOrb);
            if (sorted) {
                lines.push_back(std::move(line));
            } else {
                report.AppendLine(std::move(line));
            }
        }
        progress.ShowProgress(a, first.EntryCount());
    }
    FinishPairLines(lines, sorted, report, progress);
}

}  // namespace

double DialOrb(Options& options) {
    if (options.dialOrb() > kMostDialOrb) options.setDialOrb(kMostDialOrb);
    return options.dialOrb();
}

std::optional<DialAspect> DialAspectTest(double d, double orb, double dial) {
    const auto single = [](double x) { return static_cast<float>(x); };
    const float ds = single(d);
    for (int q = 0; q <= 8; ++q) {
        const double angle = q * 22.5;
        bool inBand;
        if (q == 0) {
            inBand = ds <= single(orb);
        } else if (q == 8) {
            inBand = ds >= single(180.0 - orb);
        } else if (q % 2 == 0) {  // whole-degree angles compare in single precision
            inBand = single(angle - orb) <= ds && ds <= single(angle + orb);
        } else {
            inBand = angle - orb <= d && d <= angle + orb;
        }
        if (!inBand) continue;
        // The first band that holds d decides, even when this dial does not show its aspect.
        if (!AllowedOnDial(q, dial)) return std::nullopt;
        return DialAspect{q, d - angle};
    }
    return std::nullopt;
}

std::string PairLine(const std::string& labelA, int step, const std::string& labelB, double signedOrb) {
    std::string angle = Format(step * 22.5, "##0.0");
    if (angle.size() < 5) angle.insert(0, 5 - angle.size(), ' ');
    const std::string orb = Format(signedOrb, "0.00");
    // Only a printed minus takes the sign position: an orb that rounds to 0.00 gets the blank.
    const std::string sign = LeadingNumber(orb) >= 0 ? " " : "";
    return "  " + labelA + angle + "  " + labelB + sign + orb + "d";
}

void WriteNatalDialAspects(const Chart& natal, Options& options, bool sorted, ReportBuffer& report,
                           ProgressReporter& progress) {
    const AnalysisTable t = NatalAnalysisTable(natal, options);
    WriteDialPairs(t, t, options, sorted, report, progress);
}

void WriteFormulas(const Chart& natal, const Chart& second, Options& options, bool sorted,
                   ReportBuffer& report, ProgressReporter& progress) {
    const AnalysisTables tables = BuildAnalysisTables(natal, second, options, kTransitMode);
    WriteDialPairs(tables.table, tables.natal, options, sorted, report, progress);
}

void WriteTransitMidpointsToNatal(const Chart& natal, const Chart& second, const Options& options,
                                  const RegionalFormat& regional, const SecondInputTexts& diurnal,
                                  ReportBuffer& report) {
    report.StartReport(EngineHeadingNote(natal));
    report.AppendBlankLine();
    if (diurnal.secondPerson) {
        report.AppendLine("  " + diurnal.secondPersonName + "'s MIDPOINTS ASPECTS TO");
        report.AppendLine("  " + natal.birth.name + "'s NATAL PLANETS");
    } else {
        WriteNatalHeaderShort(natal, regional, report);
        report.AppendBlankLine();
        report.AppendLine("     TRANSITING MIDPOINT ASPECTS TO NATAL PLANETS");
    }

    // The second chart's own node, with no choice of mean or true node.
    const AnalysisTable secondTable = SecondAnalysisTable(second);
    report.AppendBlankLine();
    for (int m = 1; m <= secondTable.PairCount(); ++m) {
        const auto [i, j] = secondTable.Pair(m);
        const double midpoint = secondTable.Lon[static_cast<std::size_t>(secondTable.FactorCount() + m)];
        for (int p = 1; p <= kPointCount; ++p) {
            double d = std::fabs(midpoint - natal.Lon[static_cast<std::size_t>(p)]);
            if (d > 180.0) d = 360.0 - d;
            const std::optional<HardAspect> aspect = HardAspectTest(d, options);
            if (!aspect) continue;
            report.AppendLine("  " + std::string(FactorAbbrev(i)) + "/" + std::string(FactorAbbrev(j)) +
                              "     " + std::string(AspectNameField(aspect->k)) + " " +
                              std::string(PointNameField(p)) + "    " + Format(aspect->deviation, "0.0") +
                              " degrees");
        }
    }
    report.AppendBlankLine();
}

}  // namespace talvenor
