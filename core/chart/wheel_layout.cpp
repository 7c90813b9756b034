#include "chart/wheel_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "chart/factor_catalogue.h"
#include "chart/house_systems.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "report/report_buffer.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

double Normalised(double v, double circumference) {
    if (!std::isfinite(v)) return 0;
    v = std::fmod(v, circumference);
    if (v < 0) v += circumference;
    if (v >= circumference) v = 0;
    return v;
}

double Separation(double a, double b) {
    double s = std::fabs(a - b);
    if (s > 180) s = 360 - s;
    return s;
}

// The nearest non-decreasing sequence to y in least squares (pool adjacent violators): runs that would
// go down are pooled and take their mean.
std::vector<double> NonDecreasingFit(const std::vector<double>& y) {
    struct Block {
        double sum;
        std::size_t count;
        double Mean() const { return sum / static_cast<double>(count); }
    };
    std::vector<Block> blocks;
    for (double v : y) {
        blocks.push_back({v, 1});
        while (blocks.size() > 1 && blocks[blocks.size() - 2].Mean() > blocks.back().Mean()) {
            const Block last = blocks.back();
            blocks.pop_back();
            blocks.back().sum += last.sum;
            blocks.back().count += last.count;
        }
    }
    std::vector<double> z;
    z.reserve(y.size());
    for (const Block& b : blocks) z.insert(z.end(), b.count, b.Mean());
    return z;
}

// A report line without its lead and with its runs of blanks shortened, for a title.
std::string TitleText(const std::string& line) {
    std::string out;
    std::size_t blanks = 0;
    for (char c : line) {
        if (c == ' ') {
            ++blanks;
            continue;
        }
        if (!out.empty() && blanks > 0) out += blanks > 1 ? "  " : " ";
        blanks = 0;
        out += c;
    }
    return out;
}

std::vector<WheelPoint> RingPoints(const Chart& chart, bool withHypothetical, double gap) {
    std::vector<WheelPoint> ring;
    std::vector<double> places;
    for (int p = 1; p <= kPointCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        WheelPoint w;
        w.point = p;
        w.lon = Normalised(chart.Lon[i], 360);
        w.retrograde = i - 1 < chart.RetroFlags.size() && chart.RetroFlags[i - 1] == 'R';
        w.degreeText = DegreeMinuteText(w.lon);
        places.push_back(w.lon);
        ring.push_back(w);
    }
    if (withHypothetical) {
        for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) {
            const auto i = static_cast<std::size_t>(f - kAriesPointFactor);
            WheelPoint w;
            w.factor = f;
            w.lon = Normalised(chart.UranianLon[i], 360);
            w.retrograde = chart.UranianSpeed[i] < 0;
            w.degreeText = DegreeMinuteText(w.lon);
            places.push_back(w.lon);
            ring.push_back(w);
        }
    }
    const std::vector<double> shown = SpreadOnCircle(places, gap);
    for (std::size_t i = 0; i < ring.size(); ++i) ring[i].shown = shown[i];
    return ring;
}

}  // namespace

std::vector<double> SpreadOnCircle(const std::vector<double>& places, double minGap, double circumference) {
    const std::size_t n = places.size();
    std::vector<double> result(n);
    if (!(circumference > 0)) return places;
    for (std::size_t i = 0; i < n; ++i) result[i] = Normalised(places[i], circumference);
    if (n < 2 || !(minGap > 0)) return result;
    const double gap = std::min(minGap, circumference / static_cast<double>(n));

    // Around the circle in order of place; equal places keep the order they were given in.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return result[a] < result[b]; });

    // The circle is cut after the widest empty stretch, where no run of marks can reach across.
    std::size_t widest = n - 1;
    double widestGap = result[order[0]] + circumference - result[order[n - 1]];
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double g = result[order[k + 1]] - result[order[k]];
        if (g > widestGap) {
            widestGap = g;
            widest = k;
        }
    }
    const std::size_t start = (widest + 1) % n;

    // Unrolled from the cut, the gap condition x[j+1] - x[j] >= gap becomes y = x - j * gap never going
    // down, and the least squared shift is the nearest such sequence.
    std::vector<double> y(n);
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t k = (start + j) % n;
        const double x = result[order[k]] + (start + j >= n ? circumference : 0.0);
        y[j] = x - static_cast<double>(j) * gap;
    }
    std::vector<double> z = NonDecreasingFit(y);
    // A run so long that it reaches round to its own beginning: all marks form one evenly spaced run.
    const double span = z[n - 1] - z[0] + static_cast<double>(n - 1) * gap;
    if (span > circumference - gap + 1e-9) {
        const double mean = std::accumulate(y.begin(), y.end(), 0.0) / static_cast<double>(n);
        std::fill(z.begin(), z.end(), mean);
    }
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t k = (start + j) % n;
        result[order[k]] = Normalised(z[j] + static_cast<double>(j) * gap, circumference);
    }
    return result;
}

GlyphSpec PointGlyph(int point) {
    static constexpr GlyphSpec kPoints[16] = {
        {0, ""},        {0x2609, "SU"}, {0x263F, "ME"}, {0x2640, "VE"}, {0x2642, "MA"}, {0x2643, "JU"},
        {0x2644, "SA"}, {0x2645, "UR"}, {0x2646, "NE"}, {0x2647, "PL"}, {0x263D, "MO"}, {0x260A, "NN"},
        {0x260B, "SN"}, {0, "PF"},      {0, "AS"},      {0, "MC"},
    };
    return point >= 1 && point <= kPointCount ? kPoints[point] : GlyphSpec{};
}

GlyphSpec FactorGlyph(int factor) {
    static constexpr const char* kUranianLetters[8] = {"CU", "HA", "ZE", "KR", "AP", "AD", "VU", "PO"};
    if (factor == kAriesPointFactor) return {0x2648, "AR"};
    if (const int u = UranianIndexOfFactor(factor); u >= 0) return {0, kUranianLetters[u]};
    return PointGlyph(FactorOf(factor).point);
}

GlyphSpec SignGlyph(int sign) {
    static constexpr const char* kLetters[13] = {"",   "AR", "TA", "GE", "CN", "LE", "VI",
                                                 "LI", "SC", "SG", "CP", "AQ", "PI"};
    if (sign < 1 || sign > 12) return {};
    return {static_cast<char32_t>(0x2648 + sign - 1), kLetters[sign]};
}

AspectFamily FamilyOfAspect(int k) {
    switch (k) {
        case 3:
        case 5:
            return AspectFamily::Soft;
        case 8:
        case 11:
            return AspectFamily::Minor;
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
            return AspectFamily::Quintile;
        case 2:
            return AspectFamily::Conjunction;
        default:
            return AspectFamily::Hard;
    }
}

std::vector<WheelAspect> GridAspects(const PointArray& lon, const Options& options) {
    std::vector<WheelAspect> lines;
    for (int i = 1; i <= kPointCount; ++i) {
        // The South Node only mirrors the North Node; the grid's list leaves its row out.
        if (i == kSouthNode) continue;
        for (int j = kPointCount; j > i; --j) {
            const double s = Separation(lon[static_cast<std::size_t>(i)], lon[static_cast<std::size_t>(j)]);
            const GridAspect found = FindGridAspect(s, options);
            if (found.k == 1) continue;
            lines.push_back({i, j, found.k, FamilyOfAspect(found.k), found.fromExact});
        }
    }
    return lines;
}

std::string DegreeMinuteText(double longitude) {
    const SplitPosition split = SplitShort(Normalised(longitude, 360));
    char text[32];
    std::snprintf(text, sizeof text, "%d\xC2\xB0%02d'", split.SignDegrees, split.ArcMinutes);
    return text;
}

double WheelDirection(double longitude, double ascendant) {
    return Normalised(180.0 + longitude - ascendant, 360);
}

int HouseNumberOfCusp(int element) {
    return (element + 8) % 12 + 1;
}

WheelLayout BuildWheelLayout(const Chart& natal, const Chart& second, const Options& options,
                             const RegionalFormat& regional, bool withSecondChart, double natalGap,
                             double secondGap) {
    WheelLayout w;
    w.title = ControlCharactersReplaced(natal.birth.name, '?');  // as the pages write a name
    ReportBuffer header;
    WriteNatalHeaderShort(natal, regional, header);
    if (header.PageLineCount >= 2) w.subtitle = TitleText(header.PageLines[1]);
    w.houseSystem = HouseSystemReportName(CodeOfHouseSystem(natal.houseSystem));
    w.ascendant = natal.Lon[kAscendant];
    w.midheaven = natal.Lon[kMidheaven];
    w.cusps = natal.Cusp;
    const bool uranian = natal.factors == FactorSet::Uranian;
    w.natal = RingPoints(natal, uranian, natalGap);
    w.ariesPoint = uranian;
    if (withSecondChart) {
        w.second = RingPoints(second, false, secondGap);
        ReportBuffer secondHeader;
        WriteDiurnalHeader(second, regional, secondHeader);
        if (secondHeader.PageLineCount >= 1) w.secondSubtitle = TitleText(secondHeader.PageLines[0]);
    }
    w.aspects = GridAspects(natal.Lon, options);
    return w;
}

}  // namespace talvenor
