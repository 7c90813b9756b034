#include "midpoints/midpoint_list.h"

#include <cmath>
#include <string>
#include <vector>

#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "midpoints/analysis_table.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// "SUN/MOO": the two factor abbreviations of pair m of the factors.
std::string PairName(int m, int factorCount) {
    const auto [i, j] = PairFactors(m, factorCount);
    return std::string(FactorAbbrev(i)) + "/" + std::string(FactorAbbrev(j));
}

// The natal midpoints in pair order: the 78 of the chart's own table as the chart was computed, or with
// the Uranian factors the 231 of its analysis table.
struct NamedMidpoint {
    std::string name;
    double lon = 0;
};
std::vector<NamedMidpoint> NatalMidpoints(const Chart& natal, const Options& options) {
    std::vector<NamedMidpoint> list;
    if (natal.factors == FactorSet::Classic) {
        for (int m = 1; m <= kPairCount; ++m)
            list.push_back({PairName(m, kFactorCount), natal.MidpointLon[static_cast<std::size_t>(m)]});
        return list;
    }
    const AnalysisTable table = NatalAnalysisTable(natal, options);
    for (int m = 1; m <= table.PairCount(); ++m) {
        list.push_back(
            {PairName(m, table.FactorCount()), table.Lon[static_cast<std::size_t>(table.FactorCount() + m)]});
    }
    return list;
}

// Distance of two longitudes the short way round, 0..180.
double ShortDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

}  // namespace

void WriteNatalMidpointsReport(const Chart& natal, const Options& options, const RegionalFormat& regional,
                               ReportBuffer& report) {
    report.StartReport(EngineHeadingNote(natal));
    report.AppendBlankLine();
    WriteNatalHeaderShort(natal, regional, report);
    report.AppendBlankLine();
    report.AppendLine(std::string(25, ' ') + "NATAL MIDPOINTS");
    report.AppendBlankLine();

    // Three 21-character entries a line; "MC " keeps its blank so every entry has the same width.
    report.ReportLine.clear();
    const std::vector<NamedMidpoint> midpoints = NatalMidpoints(natal, options);
    for (std::size_t m = 1; m <= midpoints.size(); ++m) {
        report.ReportLine += "  " + midpoints[m - 1].name + " = " + PositionText(midpoints[m - 1].lon);
        if (m % 3 == 0) {
            report.AppendLine();
            report.ReportLine.clear();
        }
    }

    report.AppendBlankLine();
    report.AppendBlankLine();
    report.AppendLine("      NATAL PLANET ASPECTS TO NATAL MIDPOINTS");
    WritePointToMidpointAspects(natal.Lon, natal, options, report);
}

void WritePointToMidpointAspects(const PointArray& points, const Chart& natal, const Options& options,
                                 ReportBuffer& report) {
    report.AppendBlankLine();
    const std::vector<NamedMidpoint> midpoints = NatalMidpoints(natal, options);
    // All fifteen points, the South Node and the Part of Fortune included.
    for (int p = 1; p <= kPointCount; ++p) {
        for (const NamedMidpoint& midpoint : midpoints) {
            const double d = ShortDistance(points[static_cast<std::size_t>(p)], midpoint.lon);
            const std::optional<HardAspect> aspect = HardAspectTest(d, options);
            if (!aspect) continue;
            report.AppendLine("  " + std::string(PointNameField(p)) + " " +
                              std::string(AspectNameField(aspect->k)) + " " + midpoint.name + "      " +
                              Format(aspect->deviation, "0.0") + " degrees");
        }
    }
    report.AppendBlankLine();
}

void WriteTransitAspectsToNatalMidpoints(const Chart& natal, const Chart& second, const Options& options,
                                         const RegionalFormat& regional, const SecondInputTexts& diurnal,
                                         ReportBuffer& report) {
    report.StartReport(EngineHeadingNote(natal));
    report.AppendBlankLine();
    if (diurnal.secondPerson) {
        report.AppendLine("  " + diurnal.secondPersonName + "'s NATAL PLANET ASPECTS TO");
        report.AppendLine("  " + natal.birth.name + "'s NATAL MIDPOINTS");
    } else {
        WriteNatalHeaderShort(natal, regional, report);
        report.AppendBlankLine();
        report.AppendLine("    TRANSITING PLANET ASPECTS TO NATAL MIDPOINTS");
    }
    WritePointToMidpointAspects(second.Lon, natal, options, report);
}

}  // namespace talvenor
