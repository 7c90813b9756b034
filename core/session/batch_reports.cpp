#include "session/batch_reports.h"

#include <cmath>
#include <cstdio>

#include "chart/factor_catalogue.h"
#include "chart/point_catalogue.h"
#include "datafiles/names_file.h"
#include "session/compute_charts.h"
#include "session/report_table.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

constexpr const char* kColumnNames[] = {
    "",        "Sun",   "Mercury", "Venus",     "Mars",      "Jupiter",       "Saturn",    "Uranus",
    "Neptune", "Pluto", "Moon",    "NorthNode", "SouthNode", "PartOfFortune", "Ascendant", "Midheaven"};

std::string Real(double v) {
    if (!std::isfinite(v)) return "";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

// The cusp elements run from the tenth house: house h is element (h + 2) % 12 + 1.
std::size_t CuspElement(int house) {
    return static_cast<std::size_t>((house + 2) % 12 + 1);
}

}  // namespace

std::optional<std::string> ComputeNamesRecord(Session& session, const NameRecord& record,
                                              ChartsWanted wanted) {
    return ComputeNamesRecord(session, record, DiurnalWindowBirth(session), {}, wanted);
}

std::optional<std::string> ComputeNamesRecord(Session& session, const NameRecord& record, const Birth& second,
                                              std::string source, ChartsWanted wanted) {
    session.report.ClearAll();
    const RecordBirth read = ReadRecordBirth(record, session.regional, std::move(source));
    if (read.fault)
        return NameRecordFault(NameRecordLine(record), session.regional)
            .value_or(kNameRecordFormatErrorMessage);
    const ComputeReport report = ComputeChartsFrom(session, read.birth, second, wanted);
    // Only the charts: the run writes the page it was asked for.
    if (report.outcome == ComputeOutcome::Computed) return std::nullopt;
    std::string text;
    for (const UserMessage& m : report.Messages()) {
        if (!text.empty()) text += " ";
        text += m.text;
    }
    return text.empty() ? std::string("the chart could not be computed") : text;
}

bool ReadsNatalChartOnly(const std::string& report) {
    const ReportEntry* entry = ReportNamed(report);
    return entry && entry->charts == ChartsWanted::NatalOnly;
}

std::string ChartTableHeader(FactorSet set) {
    std::string header = "name";
    for (int p = 1; p <= kPointCount; ++p) header += std::string("\t") + kColumnNames[p];
    for (int h = 1; h <= 12; ++h) header += "\tCusp" + std::to_string(h);
    if (set == FactorSet::Uranian) {
        for (int f = kAriesPointFactor; f <= kUranianFactorCount; ++f) header += "\t" + FactorName(f);
    }
    return header;
}

std::string ChartTableRow(const Chart& natal) {
    std::string row;
    // A tab or a line break in a name would break the table's columns and rows, and any other control
    // character would reach the terminal: a tab and a line break are written as a blank, the others as
    // a "?", as the pages write them.
    for (const char c : ControlCharactersReplaced(natal.birth.name, '?'))
        row += c == '\r' || c == '\n' ? ' ' : c;
    for (int p = 1; p <= kPointCount; ++p) row += "\t" + Real(natal.Lon[static_cast<std::size_t>(p)]);
    for (int h = 1; h <= 12; ++h) row += "\t" + Real(natal.Cusp[CuspElement(h)]);
    // The Aries point and the hypothetical points after the cusps, with the Uranian factors.
    if (natal.factors == FactorSet::Uranian) {
        for (const double lon : natal.UranianLon) row += "\t" + Real(lon);
    }
    return row;
}

}  // namespace talvenor
