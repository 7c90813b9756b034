#include "midpoints/direction_aspects.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/house_systems.h"
#include "chart/positions.h"
#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_trees.h"
#include "midpoints/planetary_pictures.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

std::vector<DirectionAspect> DirectionAspects(const Chart& natal, const Chart& moved, const Options& options,
                                              float modulus, float orb) {
    const AnalysisTable entries = NatalAnalysisTable(natal, options);
    const AnalysisTable factors = NatalAnalysisTable(moved, options);
    std::vector<DirectionAspect> found;
    for (int f = 1; f <= factors.FactorCount(); ++f) {
        for (int s = 1; s <= entries.EntryCount(); ++s) {
            const std::optional<double> o =
                TreeDialOrb(factors.Lon[static_cast<std::size_t>(f)],
                            entries.Lon[static_cast<std::size_t>(s)], modulus, orb);
            if (o) found.push_back({f, s, *o});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const DirectionAspect& a, const DirectionAspect& b) {
        return std::fabs(a.orb) < std::fabs(b.orb);
    });
    return found;
}

std::string ArcText(double arc) {
    const double whole = Int(arc);
    const double minutes = (arc - whole) * 60.0;
    const double seconds = (minutes - Int(minutes)) * 60.0;
    return Format(whole, "0") + "d " + Format(Int(minutes), "00") + "m " + Format(Int(seconds), "00") + "s";
}

void WriteDirectionsReport(const Chart& natal, const Chart& moved, const Options& options,
                           const RegionalFormat& regional, DirectionKind kind, const DirectionMoment& moment,
                           float modulus, ReportBuffer& report) {
    const bool arc = kind == DirectionKind::SolarArc;
    report.AppendLine(std::string(arc ? "  SOLAR ARC DIRECTIONS" : "  SECONDARY PROGRESSIONS") +
                      " - modulus =" + GeneralNumberSingle(modulus));
    report.AppendLine(std::string(arc ? "  Directed to " : "  Progressed to ") +
                      FormatDateDdMmmYyyy(moment.date, regional) + " - age " + Format(moment.age, "0.0000") +
                      " years - solar arc = " + ArcText(moment.arc));
    if (arc) {
        report.AppendLine("  Every natal point moved on by the solar arc; the houses are the natal houses.");
    } else {
        report.AppendLine("  The chart of birth + " + Format(moment.age, "0.0000") +
                          " days; the Midheaven moved by the solar arc in right ascension.");
        WriteHouseCusps(moved.houseSystem, moved.Cusp, report);
    }
    WriteNatalPositions(moved, report);

    const float orb = options.treeOrb();
    report.AppendBlankLine();
    report.AppendLine(std::string(arc ? "  DIRECTED" : "  PROGRESSED") +
                      " FACTORS TO NATAL FACTORS AND MIDPOINTS - orb =" + GeneralNumberSingle(orb));
    report.AppendBlankLine();
    const std::string prefix = arc ? "SA  " : "Pr. ";
    const AnalysisTable entries = NatalAnalysisTable(natal, options);
    const std::vector<DirectionAspect> aspects = DirectionAspects(natal, moved, options, modulus, orb);
    for (const DirectionAspect& a : aspects) {
        report.AppendLine(
            "  " + prefix + Padded(PictureFactorName(a.factor), 3) + "   " +
            TreeEntryName(entries.Label[static_cast<std::size_t>(a.entry)], a.entry, entries.FactorCount()) +
            "  " + TreeOrbText(a.orb));
    }
    if (aspects.empty()) report.AppendLine("  none");
    report.AppendBlankLine();
}

}  // namespace talvenor
