#include "events/event_factors.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "events/event_dates.h"
#include "midpoints/analysis_table.h"

namespace talvenor {

namespace {

std::string Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return std::string(text);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The comma-separated words of a list, trimmed; empty words are left out.
std::vector<std::string> Words(const std::string& list) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string word = Trimmed(std::string_view(list).substr(start, comma - start));
        if (!word.empty()) words.push_back(std::move(word));
        start = comma + 1;
    }
    return words;
}

}  // namespace

const Sky& SkyAtMoment::At(double julianDate) {
    if (julianDate != julianDate_) {
        sky_ = SkyAt(InstantAtJulianDate(julianDate));
        julianDate_ = julianDate;
    }
    return sky_;
}

std::vector<std::string> DefaultMoverNames() {
    std::vector<std::string> names;
    for (const TransitBody& b : kTransitBodies) {
        if (b.point <= kBodyCount) names.emplace_back(b.name);
    }
    return names;
}

double TransitLongitude(const Sky& sky, int point) {
    if (sky.Status != EngineStatus::Sound) return std::numeric_limits<double>::quiet_NaN();
    if (point == kNorthNode) return sky.MeanNode;
    return sky.Longitude[static_cast<std::size_t>(point)];
}

std::vector<MovingFactor> TransitMovers(const std::vector<std::string>& names,
                                        const std::shared_ptr<SkyAtMoment>& sky) {
    std::vector<MovingFactor> movers;
    for (const TransitBody& b : kTransitBodies) {
        if (std::find(names.begin(), names.end(), b.name) == names.end()) continue;
        const int point = b.point;
        movers.push_back({std::string(b.name), [sky, point](double julianDate) {
                              return TransitLongitude(sky->At(julianDate), point);
                          }});
    }
    return movers;
}

std::optional<std::string> ReadMoverNames(const std::string& list, std::vector<std::string>& names) {
    std::vector<std::string> read;
    for (const std::string& word : Words(list)) {
        const std::string name = Upper(word);
        const auto known = std::find_if(kTransitBodies.begin(), kTransitBodies.end(),
                                        [&](const TransitBody& b) { return b.name == name; });
        if (known == kTransitBodies.end()) {
            return "\"" + word +
                   "\" is not a moving factor (SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP, PLU, NN).";
        }
        if (std::find(read.begin(), read.end(), name) == read.end()) read.push_back(name);
    }
    if (read.empty()) return "No moving factor is named.";
    // In the order of the table, whatever the order typed.
    names.clear();
    for (const TransitBody& b : kTransitBodies) {
        if (std::find(read.begin(), read.end(), b.name) != read.end()) names.emplace_back(b.name);
    }
    return std::nullopt;
}

std::optional<std::string> ReadTargetChoice(const std::string& list, TargetChoice& choice) {
    TargetChoice read{false, false, false};
    for (const std::string& word : Words(list)) {
        const std::string w = Upper(word);
        if (w == "NATAL") {
            read.natalFactors = true;
        } else if (w == "MIDPOINTS") {
            read.natalMidpoints = true;
        } else if (w == "PICTURES") {
            read.pictures = true;
        } else {
            return "\"" + word + "\" is not a kind of target (natal, midpoints, pictures).";
        }
    }
    if (!read.Any()) return "No kind of target is named.";
    choice = read;
    return std::nullopt;
}

std::string FactorName(const std::string& label) {
    if (label.find('/') == std::string::npos) return Trimmed(std::string_view(label).substr(0, 3));
    // "NN /ASC  " holds the node's padding inside it.
    std::string name;
    for (char c : label) {
        if (c != ' ') name += c;
    }
    return name;
}

std::vector<EventTarget> NatalTargets(const ChartState& chart, const Options& options,
                                      const TargetChoice& choice) {
    const AnalysisTable table = BuildAnalysisTable(chart.NatalLon, NatalNodeFactor(chart, options));
    std::vector<EventTarget> targets;
    for (int e = 1; e <= kAnalysisCount; ++e) {
        const bool factor = e <= kFactorCount;
        if (factor ? !choice.natalFactors : !choice.natalMidpoints) continue;
        const auto i = static_cast<std::size_t>(e);
        targets.push_back({FactorName(table.Label[i]), table.Lon[i]});
    }
    return targets;
}

}  // namespace talvenor
