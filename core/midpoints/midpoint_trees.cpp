#include "midpoints/midpoint_trees.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/point_catalogue.h"
#include "midpoints/analysis_table.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// Reports are Unicode text: the degree sign is one character of two bytes.
constexpr std::string_view kDegreeSign = "\xC2\xB0";

// Only the first 31 rows of each tree (the header and 30 entries) fit the column layout.
constexpr int kLastColumnRow = 30;

// The longest run of blanks a report line gets between columns; a gap beyond it is no layout at all.
constexpr double kMostGapBlanks = 32767;

struct TreeRow {
    std::string text;
    double orb = 0;  // unused in row 0, the header
};

// The trees kept for the column layout, one column per focal factor 1..13 (1..22 with the Uranian set).
struct TreeGrid {
    int columns = kFactorCount;
    std::array<std::vector<std::string>, kUranianFactorCount + 1> rows;
    std::array<int, kUranianFactorCount + 1> width{};  // TreeColumnWidth
};

bool IsRetrograde(const std::string& flags, int point) {
    const auto i = static_cast<std::size_t>(point - 1);
    return point >= 1 && i < flags.size() && flags[i] == 'R';
}

// The planets that can carry a retrograde mark, by the three letters their labels start with; with the
// Uranian factors the hypothetical points too, moving backwards in the chart.
bool PlanetRetrograde(std::string_view abbrev, const Chart& chart) {
    constexpr std::array<std::string_view, 8> kPlanets = {"MER", "VEN", "MAR", "JUP",
                                                          "SAT", "URA", "NEP", "PLU"};
    for (std::size_t i = 0; i < kPlanets.size(); ++i) {
        if (abbrev == kPlanets[i]) return IsRetrograde(chart.RetroFlags, kMercury + static_cast<int>(i));
    }
    if (chart.factors != FactorSet::Uranian) return false;
    for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) {
        if (abbrev == FactorOf(f).analysisName.substr(0, 3))
            return chart.UranianSpeed[static_cast<std::size_t>(f - kAriesPointFactor)] < 0;
    }
    return false;
}

std::string_view Slice(const std::string& s, std::size_t from, std::size_t count) {
    return from < s.size() ? std::string_view(s).substr(from, count) : std::string_view();
}

// The lead of every tree line, and the bracketed position when option 60 asks for positions.
std::string Lead(bool withPositions, double lon) {
    return withPositions ? "  (" + PositionText(lon) + ")" : " ";
}

std::string NatalHeader(const AnalysisTable& table, int p, const Chart& natal, bool withPositions) {
    const auto e = static_cast<std::size_t>(p);
    const bool retro = FactorRetrograde(natal, p);
    return Lead(withPositions, table.Lon[e]) + "    " + std::string(Slice(table.Label[e], 0, 3)) +
           (retro ? " R" : "  ") + std::string(8, ' ');
}

std::string TransitHeader(const AnalysisTable& table, int p, const Chart& second, bool withPositions) {
    const auto e = static_cast<std::size_t>(p);
    const std::string_view abbrev = Slice(table.Label[e], 0, 3);
    return Lead(withPositions, table.Lon[e]) + "  Tr. " + std::string(abbrev) +
           (PlanetRetrograde(abbrev, second) ? " R      " : "        ");
}

std::string EntryLine(const AnalysisTable& table, int s, double orb, const Chart& natal, bool withPositions) {
    const auto e = static_cast<std::size_t>(s);
    const std::string& label = table.Label[e];
    // The candidates always come from the natal chart, in both trees.
    auto mark = [&](std::string_view abbrev) { return PlanetRetrograde(abbrev, natal) ? " R " : "   "; };
    return Lead(withPositions, table.Lon[e]) + mark(Slice(label, 0, 3)) +
           TreeEntryName(label, s, table.FactorCount()) + mark(Slice(label, 4, 3)) + TreeOrbText(orb);
}

// Farthest ahead first, then behind from the nearest; equal orbs stay where the exchange sort leaves them.
void SortTree(std::vector<TreeRow>& tree) {
    const std::size_t n = tree.size() - 1;
    for (std::size_t f = 1; f < n; ++f) {
        for (std::size_t h = f + 1; h <= n; ++h) {
            if (tree[h].orb > tree[f].orb) std::swap(tree[f], tree[h]);
        }
    }
}

void AppendBlanks(std::string& line, int count) {
    if (count > 0) line.append(static_cast<std::size_t>(count), ' ');
}

void PrintGroup(const TreeGrid& grid, int first, int last, int gapBlanks, ReportBuffer& report) {
    for (int r = 0; r <= kLastColumnRow; ++r) {
        std::string line;
        for (int c = first; c <= last; ++c) {
            const auto& rows = grid.rows[static_cast<std::size_t>(c)];
            const int width = grid.width[static_cast<std::size_t>(c)];
            if (c != first) AppendBlanks(line, gapBlanks);
            if (static_cast<std::size_t>(r) < rows.size()) {
                const std::string& text = rows[static_cast<std::size_t>(r)];
                line += text;
                // A line narrower than its column (an orb of ten degrees or more widens others) is
                // filled out, so the columns to its right stay in line.
                if (c != last) AppendBlanks(line, width - static_cast<int>(DisplayWidth(text)));
            } else if (c != last) {
                AppendBlanks(line, width);
            }
        }
        if (line.find_first_not_of(' ') != std::string::npos) report.AppendLine(line);
    }
    report.AppendBlankLine();
}

void PrintColumns(const TreeGrid& grid, Options& options, ReportBuffer& report) {
    if (!(options.treeColumnsGap() >= 2)) options.setTreeColumnsGap(2);  // kept for the rest of the run
    const double gap = options.treeColumnsGap();
    const double limit = options.treeColumnsWidth();
    const int gapBlanks = static_cast<int>(std::nearbyint(std::min(gap - 2, kMostGapBlanks)));

    for (int start = 1; start <= grid.columns;) {
        double total = 2;
        int last = start - 1;
        for (int d = start; d <= grid.columns; ++d) {
            const int width = grid.width[static_cast<std::size_t>(d)];
            if (!(total + width < limit)) break;
            total = std::nearbyint(total + width + gap);  // a half to the even neighbour
            last = d;
        }
        // A column wider than the page still forms a group of its own, so the layout always advances.
        if (last < start) last = start;
        PrintGroup(grid, start, last, gapBlanks, report);
        start = last + 1;
    }
}

}  // namespace

double ReduceOnDial(double v, float modulus) {
    if (!std::isfinite(v) || !(modulus > 0)) return v;
    const double m = modulus;
    // Longitudes lie within one turn; anything far beyond is brought close first so the loop stays short.
    if (v >= m * 1e4) v = std::fmod(v, m);
    while (v >= m) v -= m;
    return v;
}

std::string TreeEntryName(const std::string& label, int s, int factorCount) {
    if (s <= factorCount) return "-" + std::string(Slice(label, 0, 3)) + "-";
    std::string trimmed = label;
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    const std::string_view tail = Slice(trimmed, trimmed.size() >= 3 ? trimmed.size() - 3 : 0, 3);
    const std::string_view code = tail == "/MC" ? "MC" : tail == "/NN" ? "NN" : tail.substr(0, 2);
    return std::string(Slice(label, 0, 2)) + "/" + std::string(code);
}

std::size_t DisplayWidth(const std::string& line) {
    return static_cast<std::size_t>(std::count_if(
        line.begin(), line.end(), [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

std::optional<double> TreeDialOrb(double focalLon, double candidateLon, float modulus, float orb) {
    const double vP = ReduceOnDial(focalLon, modulus);
    const double vS = ReduceOnDial(candidateLon, modulus);
    double s = vP - vS;
    s -= 360.0 * std::floor(s / 360.0);
    if (s >= 360) s = 0;
    const double d = s > 180 ? 360 - s : s;

    bool hit = false;
    double value = d;
    if (static_cast<float>(d) <= orb) {
        hit = true;
        value = s < 180 ? -d : d;
    }
    // The wrap test follows whatever the close test found: near the dial's end means near its zero.
    if (modulus - orb <= static_cast<float>(value)) {
        hit = true;
        value = modulus - value;
        if (s >= 180) value = -value;
    }
    if (!hit) return std::nullopt;
    return value;
}

std::string TreeOrbText(double orb) {
    // The orb is rounded to the whole minute before it is split, so that 1.99999 reads " 2°00'" and
    // never " 1°60'" or " 1°59'"; the sign follows the rounded value, so an orb that rounds to no minute
    // at all shows a blank and no minus.
    double whole = std::fabs(Fix(orb));
    std::string minutes = Format((std::fabs(orb) - whole) * 60, "00");
    if (minutes == "60") {
        whole += 1;
        minutes = "00";
    }
    const bool negative = orb < 0 && (whole != 0 || minutes != "00");
    std::string text = negative ? "-" : " ";
    text += Format(whole, "0");
    text += kDegreeSign;
    return text + minutes + "'";
}

void WriteTreeReport(const Chart& natal, const Chart& second, Options& options, float modulus,
                     std::int16_t analysisMode, ReportBuffer& report, ProgressReporter& progress) {
    const bool natalMode = analysisMode == kNatalMode;
    const bool withPositions = options.treePositions();
    const float orb = options.treeOrb();

    progress.Load();
    const AnalysisTables tables = BuildAnalysisTables(natal, second, options, analysisMode);
    const AnalysisTable& candidates = natalMode ? tables.table : tables.natal;
    report.AppendBlankLine();
    TreeGrid grid;
    grid.columns = tables.table.FactorCount();

    for (int p = 1; p <= grid.columns; ++p) {
        std::vector<TreeRow> tree;
        tree.push_back({natalMode ? NatalHeader(tables.table, p, natal, withPositions)
                                  : TransitHeader(tables.table, p, second, withPositions)});
        const double focalLon = tables.table.Lon[static_cast<std::size_t>(p)];
        for (int s = 1; s <= candidates.EntryCount(); ++s) {
            if (natalMode && s == p) continue;
            const auto found =
                TreeDialOrb(focalLon, candidates.Lon[static_cast<std::size_t>(s)], modulus, orb);
            if (found) tree.push_back({EntryLine(candidates, s, *found, natal, withPositions), *found});
        }
        SortTree(tree);

        if (options.treeColumns() != 0) {
            auto& column = grid.rows[static_cast<std::size_t>(p)];
            for (const TreeRow& row : tree) {
                column.push_back(row.text);
                grid.width[static_cast<std::size_t>(p)] = std::max(grid.width[static_cast<std::size_t>(p)],
                                                                   static_cast<int>(DisplayWidth(row.text)));
            }
        } else {
            for (const TreeRow& row : tree) report.AppendLine(row.text);
            report.AppendBlankLine();
        }
        progress.ShowProgress(p, grid.columns);
    }

    // Other values of option 65 collect the trees and print none of them.
    if (options.treeColumns() == 1) PrintColumns(grid, options, report);
    progress.Unload();
}

}  // namespace talvenor
