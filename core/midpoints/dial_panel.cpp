#include "midpoints/dial_panel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "chart/wheel_layout.h"
#include "midpoints/analysis_table.h"
#include "midpoints/midpoint_trees.h"

namespace talvenor {
namespace {

double Wrapped(double v, double circumference) {
    if (!std::isfinite(v) || !(circumference > 0)) return 0;
    v = std::fmod(v, circumference);
    if (v < 0) v += circumference;
    if (v >= circumference) v = 0;
    return v;
}

std::string FourDecimals(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    // A value that rounds to nothing carries no minus sign.
    if (std::string(text) == "-0.0000") return "0.0000";
    return text;
}

std::vector<DialMark> Marks(const AnalysisTable& table, const Chart& chart, float modulus, double gap) {
    std::vector<DialMark> marks;
    std::vector<double> places;
    for (int f = 1; f <= table.FactorCount(); ++f) {
        DialMark m;
        m.factor = f;
        m.name = FactorCode(f);
        m.lon = table.Lon[static_cast<std::size_t>(f)];
        m.position = ReduceOnDial(m.lon, modulus);
        m.retrograde = FactorRetrograde(chart, f);
        places.push_back(m.position);
        marks.push_back(m);
    }
    const std::vector<double> shown = SpreadOnCircle(places, gap * modulus, modulus);
    for (std::size_t i = 0; i < marks.size(); ++i) marks[i].shown = shown[i];
    return marks;
}

// The shorter way round the dial from a to b, in dial degrees.
double DialDistance(double a, double b, float modulus) {
    const double d = Wrapped(a - b, modulus);
    return std::min(d, modulus - d);
}

}  // namespace

std::string FactorCode(int factor) {
    if (factor < 1 || factor > kUranianFactorCount) return "";
    return std::string(FactorOf(factor).analysisName.substr(0, 2));
}

std::vector<DialPanelEntry> DialPanel(const Chart& natal, const Options& options, float modulus,
                                      double pointer) {
    std::vector<DialPanelEntry> panel;
    if (!(modulus > 0)) return panel;
    const AnalysisTable table = NatalAnalysisTable(natal, options);
    const int factors = table.FactorCount();
    for (int s = 1; s <= table.EntryCount(); ++s) {
        const auto e = static_cast<std::size_t>(s);
        const std::optional<double> orb = TreeDialOrb(pointer, table.Lon[e], modulus, options.treeOrb());
        if (!orb) continue;
        DialPanelEntry entry;
        entry.entry = s;
        if (s <= factors) {
            entry.first = s;
            entry.name = FactorCode(s);
        } else {
            std::tie(entry.first, entry.second) = table.Pair(s - factors);
            entry.name = TreeEntryName(table.Label[e], s, factors);
        }
        entry.lon = table.Lon[e];
        entry.position = ReduceOnDial(entry.lon, modulus);
        entry.orb = *orb;
        panel.push_back(entry);
    }
    std::stable_sort(panel.begin(), panel.end(), [](const DialPanelEntry& a, const DialPanelEntry& b) {
        if (std::fabs(a.orb) != std::fabs(b.orb)) return std::fabs(a.orb) < std::fabs(b.orb);
        return a.orb > b.orb;
    });
    return panel;
}

std::string DialPanelText(const std::vector<DialPanelEntry>& panel, float modulus,
                          const std::string& lineEnd) {
    std::string text;
    for (const DialPanelEntry& e : panel) {
        text += e.name + "\t" + DialPositionText(e.position, modulus) + "\t" + FourDecimals(e.orb) + lineEnd;
    }
    return text;
}

std::string DialModulusText(float modulus) {
    char text[64];
    // The shortest decimal that reads back as the same single-precision value: the digits typed.
    const auto shortest = std::to_chars(text, text + sizeof text, modulus, std::chars_format::fixed);
    std::string digits(text, shortest.ptr);
    const std::size_t point = digits.find('.');
    if (point == std::string::npos || digits.size() - point - 1 <= 4) return digits;
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(modulus));
    std::string rounded = text;
    rounded.erase(rounded.find_last_not_of('0') + 1);
    if (rounded.back() == '.') rounded.pop_back();
    return rounded == "0" ? digits : rounded;
}

std::string DialPositionText(double position, float modulus) {
    if (!std::isfinite(position)) position = 0;
    // Compared in the units of the fourth decimal, as both are written.
    const double written = std::round(position * 1e4);
    if (written < 0 || written >= std::round(static_cast<double>(modulus) * 1e4)) return "0.0000";
    return FourDecimals(position);
}

std::string DialDegreeText(double position) {
    const double minutes = std::isfinite(position) ? std::round(std::fabs(position) * 60) : 0;
    char text[48];
    std::snprintf(text, sizeof text, "%.0f\xC2\xB0%02d'", std::floor(minutes / 60),
                  static_cast<int>(std::fmod(minutes, 60)));
    return text;
}

std::string DialPanelLine(const DialPanelEntry& entry, bool withPosition) {
    std::string line = entry.name;
    line.resize(std::max<std::size_t>(line.size(), 6), ' ');
    std::string place = DialDegreeText(entry.position);
    // The degree sign is one character of two bytes; positions line up as "  5°07'" and " 45°00'".
    while (DisplayWidth(place) < 7) place.insert(place.begin(), ' ');
    line += place + "  " + TreeOrbText(entry.orb);
    if (withPosition) line += "  (" + PositionText(entry.lon) + ")";
    return line;
}

std::string DialPictureLine(const Picture& picture) {
    std::string line = PictureShortName(picture);
    line.resize(std::max<std::size_t>(line.size(), 9), ' ');
    std::string place = DialDegreeText(picture.position);
    while (DisplayWidth(place) < 7) place.insert(place.begin(), ' ');
    return line + place + "  " + TreeOrbText(picture.orb);
}

std::vector<DialChord> DialChords(const std::vector<DialPanelEntry>& panel,
                                  const std::vector<DialMark>& natal) {
    std::vector<DialChord> chords;
    for (const DialPanelEntry& e : panel) {
        if (e.second == 0) continue;
        const auto i = static_cast<std::size_t>(e.first - 1);
        const auto j = static_cast<std::size_t>(e.second - 1);
        if (i >= natal.size() || j >= natal.size()) continue;
        chords.push_back({e.first, e.second, natal[i].position, natal[j].position});
    }
    return chords;
}

std::vector<DialTick> DialTicks(float modulus) {
    std::vector<DialTick> ticks;
    if (!(modulus > 0) || modulus > 360) return ticks;
    const double step = modulus >= 30 ? 1 : 0.25;
    const double middle = modulus >= 30 ? 5 : 1;
    const double labelled = modulus > 180 ? 10 : modulus > 30 ? 5 : 1;
    const auto count = static_cast<int>(std::ceil(modulus / step - 1e-9));
    for (int i = 0; i < count; ++i) {
        DialTick t;
        t.position = i * step;
        const auto multiple = [&](double of) { return std::fabs(std::remainder(t.position, of)) < 1e-9; };
        if (multiple(labelled)) {
            t.level = 2;
            t.label = std::to_string(static_cast<int>(std::lround(t.position)));
        } else if (multiple(middle)) {
            t.level = 1;
        }
        ticks.push_back(t);
    }
    return ticks;
}

DialLayout BuildDialLayout(const Chart& natal, const Chart& second, const Options& options, float modulus,
                           double pointer, bool withSecondChart, double natalGap, double secondGap) {
    DialLayout dial;
    dial.modulus = modulus;
    dial.pointer = TurnPointer(pointer, 0, modulus);
    dial.natal = Marks(NatalAnalysisTable(natal, options), natal, modulus, natalGap);
    if (withSecondChart) {
        dial.second = Marks(SecondAnalysisTable(second), second, modulus, secondGap);
    }
    dial.panel = DialPanel(natal, options, modulus, dial.pointer);
    dial.pictures = PicturesAt(natal, options, modulus, dial.pointer, options.treeOrb());
    dial.chords = DialChords(dial.panel, dial.natal);
    dial.ticks = DialTicks(modulus);
    return dial;
}

double TurnPointer(double pointer, double step, float modulus) {
    if (!(modulus > 0)) return 0;
    return Wrapped(pointer + step, modulus);
}

double DialDirection(double position, float modulus) {
    if (!(modulus > 0)) return 90;
    return Wrapped(90.0 + position / modulus * 360.0, 360);
}

double DialPositionAt(double direction, float modulus) {
    if (!(modulus > 0)) return 0;
    return Wrapped(Wrapped(direction - 90.0, 360) / 360.0 * modulus, modulus);
}

std::optional<double> SnapToMark(const DialLayout& dial, double position, double tolerance) {
    std::optional<double> best;
    double bestDistance = tolerance;
    for (const auto* ring : {&dial.natal, &dial.second}) {
        for (const DialMark& m : *ring) {
            const double d = DialDistance(m.shown, position, dial.modulus);
            if (d <= bestDistance) {
                bestDistance = d;
                best = m.position;
            }
        }
    }
    return best;
}

}  // namespace talvenor
