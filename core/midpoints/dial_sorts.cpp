#include "midpoints/dial_sorts.h"

#include <cmath>
#include <string>
#include <utility>

#include "midpoints/analysis_table.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// Beyond this many subtractions an entry is first brought near the dial with fmod, so that a tiny
// modulus (the prompt accepts any value above 0) cannot keep the sort busy for minutes or forever.
constexpr double kMostSubtractions = 100000.0;

// Reduces a value on the dial by repeated subtraction while its single-precision value is at least the
// modulus, so that values lying a rounding step below a multiple of the modulus reduce as they always
// have. A value that ends a hair below 0 that way stands on the multiple itself and is taken as 0.
double ReduceOnDial(double value, float modulus) {
    const double mod = modulus;
    if (!std::isfinite(value) || !(mod > 0.0)) return value;
    if (value / mod > kMostSubtractions) value = std::fmod(value, mod);
    while (static_cast<float>(value) >= modulus) {
        const double next = value - mod;
        if (!(next < value)) break;  // the modulus is too small to move the value any further
        value = next;
    }
    return value < 0.0 ? 0.0 : value;
}

// The text of a reduced value: whole degrees and minutes, the minutes never shown as 60 (a value a
// fraction of a minute below the next degree prints 59, like the sign positions do).
std::string DialValueText(double value) {
    const double degrees = Int(value);
    std::string minutes = Format((value - degrees) * 60.0, "00");
    if (LeadingNumber(minutes) >= 60.0) minutes = "59";
    return Format(degrees, "00") + " " + minutes;
}

// Degrees within the sign, 0 to below 30, by repeated subtraction like the dial.
double DegreesInSign(double longitude) {
    if (!std::isfinite(longitude)) return longitude;
    if (longitude / 30.0 > kMostSubtractions) longitude = std::fmod(longitude, 30.0);
    while (longitude >= 30.0) longitude -= 30.0;
    return longitude;
}

void Exchange(AnalysisTable& t, int g, int h) {
    std::swap(t.Lon[static_cast<std::size_t>(g)], t.Lon[static_cast<std::size_t>(h)]);
    std::swap(t.Label[static_cast<std::size_t>(g)], t.Label[static_cast<std::size_t>(h)]);
}

std::string Entry(const AnalysisTable& t, int e, const std::string& valueText) {
    return "  " + t.Label[static_cast<std::size_t>(e)] + "= " + valueText;
}

}  // namespace

std::string ModulusSortTitle(float modulus) {
    const std::size_t blanks = modulus == 360.0f ? 15 : modulus == 22.5f ? 9 : 12;
    return std::string(blanks, ' ') + "Natal Data Sort - modulus = " + GeneralNumberSingle(modulus);
}

void WriteModulusSort(const Chart& natal, const Options& options, float modulus, ReportBuffer& report,
                      ProgressReporter& progress) {
    report.AppendLine();
    progress.Load();
    AnalysisTable t = NatalAnalysisTable(natal, options);
    report.AppendBlankLine();

    const int count = t.EntryCount();
    const bool wholeCircle = modulus == 360.0f;
    if (!wholeCircle) {
        for (int e = 1; e <= count; ++e) {
            t.Lon[static_cast<std::size_t>(e)] = ReduceOnDial(t.Lon[static_cast<std::size_t>(e)], modulus);
        }
    }

    // The plain exchange sort: equal values are never exchanged with each other, and the order they end
    // in is part of the report users compare.
    for (int g = 1; g < count; ++g) {
        for (int h = g + 1; h <= count; ++h) {
            if (t.Lon[static_cast<std::size_t>(g)] > t.Lon[static_cast<std::size_t>(h)]) Exchange(t, g, h);
        }
        progress.ShowProgress(g, count - 1);
    }
    progress.Unload();

    auto valueText = [&](int e) {
        const double v = t.Lon[static_cast<std::size_t>(e)];
        return wholeCircle ? PositionText(v) : DialValueText(v);
    };
    // Three columns of a third each (30 rows of the 91 classic entries, 84 of the 253 Uranian ones); the
    // last entry alone under the middle column.
    const int rows = (count - 1) / 3;
    for (int r = 1; r <= rows; ++r) {
        report.AppendLine(Entry(t, r, valueText(r)) + Entry(t, r + rows, valueText(r + rows)) +
                          Entry(t, r + 2 * rows, valueText(r + 2 * rows)));
    }
    report.AppendLine(std::string(wholeCircle ? 46 : 38, ' ') + Entry(t, count, valueText(count)));
}

void WriteDegreeSort(const Chart& natal, const Options& options, ReportBuffer& report,
                     ProgressReporter& progress) {
    report.AppendLine();
    progress.Load();
    AnalysisTable t = NatalAnalysisTable(natal, options);
    report.AppendBlankLine();

    const int count = t.EntryCount();
    for (int g = 1; g < count; ++g) {
        for (int h = g + 1; h <= count; ++h) {
            if (DegreesInSign(t.Lon[static_cast<std::size_t>(g)]) >
                DegreesInSign(t.Lon[static_cast<std::size_t>(h)])) {
                Exchange(t, g, h);
            }
        }
        progress.ShowProgress(g, count - 1);
    }
    progress.Unload();

    for (int e = 1; e <= count; ++e) {
        report.AppendLine(Entry(t, e, PositionText(t.Lon[static_cast<std::size_t>(e)])));
    }
}

}  // namespace talvenor
