#include "session/batch_reports.h"

#include <cmath>
#include <cstdio>

#include "chart/point_catalogue.h"
#include "datafiles/names_file.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

// Keeps the messages instead of showing them; questions are answered No.
class KeptMessages : public UserDialogs {
  public:
    std::string text;
    void ShowMessage(const std::string& message, const std::string&, MessageIcon) override {
        if (!text.empty()) text += " ";
        text += message;
    }
    bool AskYesNo(const std::string& message, const std::string& title, MessageIcon icon) override {
        ShowMessage(message, title, icon);
        return false;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

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
    session.report.ClearAll();
    if (FillNatalFromRecord(record, session.regional, session.natal)) {
        return NameRecordFault(NameRecordLine(record), session.regional)
            .value_or(kNameRecordFormatErrorMessage);
    }
    KeptMessages kept;
    UserDialogs* const shown = session.dialogs;
    session.dialogs = &kept;
    session.report.dialogs = &kept;
    const ComputeOutcome outcome = ComputeCharts(session, wanted);
    session.dialogs = shown;
    session.report.dialogs = shown;
    if (outcome == ComputeOutcome::Computed) return std::nullopt;
    return kept.text.empty() ? std::string("the chart could not be computed") : kept.text;
}

bool ReadsNatalChartOnly(const std::string& report) {
    return report == "natal-data";
}

std::string ChartTableHeader() {
    std::string header = "name";
    for (int p = 1; p <= kPointCount; ++p) header += std::string("\t") + kColumnNames[p];
    for (int h = 1; h <= 12; ++h) header += "\tCusp" + std::to_string(h);
    return header;
}

std::string ChartTableRow(const ChartState& chart) {
    std::string row;
    // A tab or a line break in a name would break the table's columns and rows, and any other control
    // character would reach the terminal: a tab and a line break are written as a blank, the others as
    // a "?", as the pages write them.
    for (const char c : ControlCharactersReplaced(chart.ChartName, '?'))
        row += c == '\r' || c == '\n' ? ' ' : c;
    for (int p = 1; p <= kPointCount; ++p) row += "\t" + Real(chart.NatalLon[static_cast<std::size_t>(p)]);
    for (int h = 1; h <= 12; ++h) row += "\t" + Real(chart.NatalCusp[CuspElement(h)]);
    return row;
}

}  // namespace talvenor
