#include "chart/aspects.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

#include "chart/point_catalogue.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

// The separation of two longitudes, 0 to 180.
double Separation(double a, double b) {
    double s = std::fabs(a - b);
    if (s > 180) s = 360 - s;
    return s;
}

bool IsPoint(int p) {
    return p >= 1 && p <= kPointCount;
}

// ---- Grid test -------------------------------------------------------------------------------------

enum class OrbKind { Band, AtLeast, AtMost };

struct GridTest {
    int k;       // aspect number
    int option;  // option holding its orb
    OrbKind kind;
    bool quintileFamily;
};

// The order matters: every test that holds replaces the previous finding, so with wide orbs the last
// matching aspect wins, and the conjunction, tested last, beats all.
constexpr std::array<GridTest, 14> kGridTests = {{
    {3, 2, OrbKind::Band, false},
    {4, 3, OrbKind::Band, false},
    {5, 4, OrbKind::Band, false},
    {6, 5, OrbKind::AtLeast, false},
    {8, 7, OrbKind::Band, false},
    {9, 8, OrbKind::Band, false},
    {10, 9, OrbKind::Band, false},
    {11, 10, OrbKind::Band, false},
    {12, 11, OrbKind::Band, true},
    {13, 12, OrbKind::Band, true},
    {14, 13, OrbKind::Band, true},
    {15, 14, OrbKind::Band, true},
    {16, 15, OrbKind::Band, true},
    {2, 1, OrbKind::AtMost, false},
}};

// Row labels of the grid, five characters each.
std::string GridLabel(int p) {
    switch (p) {
        case kNorthNode:
            return "N.N  ";
        case kSouthNode:
            return "S.N  ";
        case kPartOfFortune:
            return "P.F  ";
        default:
            return std::string(PointName[static_cast<std::size_t>(p)].substr(0, 3)) + "  ";
    }
}

// The aspect's angle right-aligned in three characters, and two blanks.
std::string_view AngleCell(int k) {
    static const std::array<std::string, std::size(AspectAngle)> cells = [] {
        std::array<std::string, std::size(AspectAngle)> text;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::string angle = std::to_string(AspectAngle[i]);
            text[i] = std::string(angle.size() < 3 ? 3 - angle.size() : 0, ' ') + angle + "  ";
        }
        return text;
    }();
    return cells[static_cast<std::size_t>(k)];
}

std::string DeclinationCell(double declI, double declJ, const Options& options) {
    const double d = std::fabs(std::fabs(declI) - std::fabs(declJ));
    // Written as "not within" so that a missing declination shows no parallel.
    if (!(static_cast<float>(d) <= options.parallelOrb())) return "---  ";
    const bool sameSide = (declI >= 0) == (declJ >= 0);
    return sameSide ? " P   " : " CP  ";
}

// A separation or an orb (finite, from 0 to 180) in whole degrees and minutes, "##0d 00m", the degrees
// padded to `width` characters. The value is rounded to the whole minute, as the "00" pattern rounds it,
// before it is split, so that 179.99999 reads "180d 00m" and never "179d 60m" or "179d 59m"; the padding
// follows the rounded degrees.
std::string DegreesAndMinutes(double value, int width) {
    auto degrees = static_cast<std::uint64_t>(Fix(value));
    std::uint64_t minutes = RoundedWhole((value - static_cast<double>(degrees)) * 60);
    if (minutes == 60) {
        degrees += 1;
        minutes = 0;
    }
    int blanks = width - 3;
    if (degrees < 10) {
        blanks += 2;
    } else if (degrees < 100) {
        blanks += 1;
    }
    std::string text;
    text.reserve(16);
    text.append(static_cast<std::size_t>(std::max(blanks, 0)), ' ');
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, degrees).ptr);
    text += "d ";
    text += static_cast<char>('0' + minutes / 10);
    text += static_cast<char>('0' + minutes % 10);
    text += 'm';
    return text;
}

// ---- Transit lists ---------------------------------------------------------------------------------

struct ListTest {
    double low;
    double high;
    int k;
    double angle;
};

// Fixed orbs of one degree on either side; the opposition has no upper edge, and the conjunction is tested
// on its own.
constexpr std::array<ListTest, 12> kListTests = {{
    {59, 61, 3, 60},
    {89, 91, 4, 90},
    {119, 121, 5, 120},
    {179, std::numeric_limits<double>::infinity(), 6, 180},
    {29, 31, 8, 30},
    {44, 46, 9, 45},
    {134, 136, 10, 135},
    {149, 151, 11, 150},
    {21.5, 23.5, 17, 22.5},
    {66.5, 68.5, 18, 67.5},
    {111.5, 113.5, 19, 112.5},
    {156.5, 158.5, 20, 157.5},
}};

double RoundToTenths(double x) {
    return Int((x + 0.05) * 10) / 10;
}

}  // namespace

namespace {

// The grid's tests with their orb bounds at single precision, as the grid compares them, worked out once
// for a whole grid rather than for each of its pairs: the tests of the quintile family only when option
// 16 asks for them, a bound a test does not have as an infinity.
struct GridBounds {
    std::array<int, kGridTests.size()> k{};
    std::array<float, kGridTests.size()> low{}, high{};
    std::size_t count = 0;
};

GridBounds BoundsOf(const Options& options) {
    GridBounds bounds;
    const bool quintiles = options.quintileFamily() == 1.0f;
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    for (const GridTest& test : kGridTests) {
        if (test.quintileFamily && !quintiles) continue;
        const double angle = AspectAngle[static_cast<std::size_t>(test.k)];
        const double orb = options.aspectOrb(test.option);
        bounds.k[bounds.count] = test.k;
        bounds.low[bounds.count] =
            test.kind == OrbKind::AtMost ? -kInfinity : static_cast<float>(angle - orb);
        bounds.high[bounds.count] =
            test.kind == OrbKind::AtLeast ? kInfinity : static_cast<float>(angle + orb);
        ++bounds.count;
    }
    return bounds;
}

GridAspect FindGridAspectWithin(double s, const GridBounds& bounds) {
    GridAspect found;
    // A point without a real position has no aspects (an infinite separation would pass the
    // conjunction test).
    if (!std::isfinite(s)) return found;
    // The orbs are single-precision values, and the separation and the bounds are compared at that
    // precision, so that an aspect exactly at the edge of its orb is in orb as the user typed it.
    const float separation = static_cast<float>(s);
    // The last test that holds gives the aspect, so the tests are tried from the last one back.
    for (std::size_t t = bounds.count; t-- > 0;) {
        if (bounds.low[t] <= separation && separation <= bounds.high[t])
            return {bounds.k[t], s - AspectAngle[static_cast<std::size_t>(bounds.k[t])]};
    }
    return found;
}

}  // namespace

GridAspect FindGridAspect(double s, const Options& options) {
    return FindGridAspectWithin(s, BoundsOf(options));
}

// ---- Grid ------------------------------------------------------------------------------------------

void WriteAspectGrid(const Chart& chart, const Options& options, ReportBuffer& report) {
    WriteAspectGrid(chart.Lon, chart.Decl, options, report);
}

void WriteAspectGrid(const PointArray& lon, const PointArray& decl, const Options& options,
                     ReportBuffer& report) {
    report.AppendBlankLine();
    report.AppendLine(std::string(22, ' ') + "NATAL PLANET ASPECTS TO NATAL PLANETS");
    report.AppendBlankLine();
    report.AppendLine(std::string(8, ' ') +
                      "MC  Asc  P.F  S.N  N.N  Moo  Plu  Nep  Ura  Sat  Jup  Mar  Ven  Mer  Sun");

    std::string list = "  Planet    Planet    Separation   Degrees from exact";
    list.reserve(64 * 64);
    list += kNewLine;

    const GridBounds bounds = BoundsOf(options);
    for (int i = 1; i <= kPointCount; ++i) {
        std::string row = "  " + GridLabel(i);
        row.reserve(96);
        for (int j = kPointCount; j >= 1; --j) {
            const auto ui = static_cast<std::size_t>(i);
            const auto uj = static_cast<std::size_t>(j);
            if (j == i) {
                row += "***  ";
                continue;
            }
            if (j < i) {
                row += DeclinationCell(decl[ui], decl[uj], options);
                continue;
            }
            const double s = Separation(lon[ui], lon[uj]);
            const GridAspect aspect = FindGridAspectWithin(s, bounds);
            if (aspect.k == 1) {
                row += "---  ";
                continue;
            }
            row += AngleCell(aspect.k);
            // The South Node only mirrors the North Node, so its aspects would repeat the node's.
            if (i == kSouthNode) continue;
            const double e = std::fabs(aspect.fromExact);
            list += "  ";
            list += PointNameField(i);
            list += PointNameField(j);
            list += ' ';
            list += DegreesAndMinutes(s, 3);
            list.append(7, ' ');
            list += DegreesAndMinutes(e, 4);
            list += kNewLine;
        }
        report.AppendLine(row);
    }

    report.AppendBlankLine();
    report.AppendLine("    0  = conjunction    60 = sextile          90 = square         120 = trine");
    report.AppendLine("  180  = opposition      P = parallel         CP = contra-parallel");
    report.AppendBlankLine();
    report.AppendLine("   30  = semi-sextile   45 = semi-square     135 = sesquisquare   150 = quincunx");
    if (options.quintileFamily() != 0) {
        report.AppendLine("   36  = semi-quintile  40 = nonagen          72 = quintile       108 = trecile");
        report.AppendLine("  144  = bi-quintile");
    }

    report.AppendBlankLine();
    report.AppendBlankLine();
    report.AppendLine(std::move(list));
}

// ---- Transit lists ---------------------------------------------------------------------------------

ListAspect FindListAspect(double separation) {
    ListAspect found;
    if (!std::isfinite(separation)) return found;
    for (const ListTest& test : kListTests) {
        if (separation >= test.low && separation <= test.high) {
            found = {test.k, RoundToTenths(separation - test.angle)};
        }
    }
    if (separation <= 1) found = {2, RoundToTenths(separation)};
    return found;
}

void WriteListAspect(int t, int n, double d, ReportBuffer& report) {
    if (!IsPoint(t) || !IsPoint(n)) return;
    double s = std::fabs(d);
    if (s > 180) s = 360 - s;
    const ListAspect aspect = FindListAspect(s);
    if (aspect.k == 1) return;

    // Positive when the transiting point has yet to reach the exact aspect (it lies behind the other).
    double distance = aspect.orb;
    const bool behind = (d > -180 && d < 0) || d >= 180;
    if (!behind) distance = -distance;

    std::string line = "  ";
    line += PointNameField(t).substr(0, 8);
    line += "    ";
    line += AspectNameField(aspect.k).substr(0, 10);
    line += "    ";
    line += PointNameField(n).substr(0, 8);
    line += distance >= 0 ? "     " : "    ";
    line += Format(distance, "0.0");
    line += " degrees";
    report.AppendLine(std::move(line));
}

void WriteTransitToNatal(const Chart& second, const Chart& natal, const SecondInputTexts& diurnal,
                         ReportBuffer& report) {
    WriteTransitToNatal(second.Lon, natal.Lon, diurnal, report);
}

void WriteTransitToNatal(const PointArray& transitLon, const PointArray& natalLon,
                         const SecondInputTexts& diurnal, ReportBuffer& report) {
    report.AppendBlankLine();
    if (diurnal.secondPerson) {
        report.AppendLine(std::string(6, ' ') + diurnal.secondPersonName + "'s " +
                          "PLANET ASPECTS TO NATAL PLANETS");
    } else {
        report.AppendLine(std::string(6, ' ') + "TRANSITING PLANET ASPECTS TO NATAL PLANETS");
    }
    report.AppendBlankLine();
    // The South Node only mirrors the North Node, and the Part of Fortune is not a body that transits.
    for (int t = 1; t <= kPointCount; ++t) {
        if (t == kSouthNode || t == kPartOfFortune) continue;
        for (int n = 1; n <= kPointCount; ++n) {
            if (n == kSouthNode) continue;
            WriteListAspect(t, n,
                            transitLon[static_cast<std::size_t>(t)] - natalLon[static_cast<std::size_t>(n)],
                            report);
        }
    }
}

void WriteTransitToTransit(const Chart& second, ReportBuffer& report) {
    WriteTransitToTransit(second.Lon, report);
}

void WriteTransitToTransit(const PointArray& lon, ReportBuffer& report) {
    report.AppendBlankLine();
    report.AppendLine(std::string(3, ' ') + "TRANSITING PLANET ASPECTS TO TRANSITING PLANETS");
    report.AppendBlankLine();
    for (int t = 1; t < kPointCount; ++t) {
        if (t == kSouthNode || t == kPartOfFortune) continue;
        for (int n = t + 1; n <= kPointCount; ++n) {
            if (n == kSouthNode) continue;
            WriteListAspect(t, n, lon[static_cast<std::size_t>(t)] - lon[static_cast<std::size_t>(n)],
                            report);
        }
    }
}

}  // namespace talvenor
