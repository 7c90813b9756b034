#include "ephemeris/elp_mpp02.h"

#include <cmath>
#include <numbers>

#include "ephemeris/series_kernels.h"
#include "ephemeris/series_table.h"

namespace talvenor {

namespace {

constexpr double kArcSecond = std::numbers::pi / (180.0 * 3600.0);

double Polynomial(const double* c, std::size_t n, double t) {
    double v = 0;
    for (std::size_t k = n; k-- > 0;) v = v * t + c[k];
    return v;
}

double SumSeries(const ElpSeries& series, double t) {
    double total = 0;
    for (std::size_t k = kElpPowers; k-- > 0;) {
        double sum = 0;
        for (const ElpTerm& term : series[k]) sum += term.a * std::sin(Polynomial(term.f.data(), 5, t));
        total = total * t + sum;
    }
    return total;
}

// The series and its derivative in T, summed together.
void SumSeriesWithRate(const ElpSeries& series, double t, double& value, double& rate) {
    HornerWithRate(
        kElpPowers, t,
        [&](std::size_t k, double& sum, double& sumRate) {
            SumElpTerms(series[k].data(), series[k].size(), t, sum, sumRate);
        },
        value, rate);
}

ElpSeries* CoordinateOf(ElpTables& tables, std::string_view name) {
    if (name == "L") return &tables.L;
    if (name == "B") return &tables.B;
    if (name == "R") return &tables.R;
    return nullptr;
}

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

// Reads n numbers from words[first...]; false when any is not a finite number.
bool ReadNumbers(const std::vector<std::string_view>& words, std::size_t first, std::size_t n, double* out) {
    if (words.size() != first + n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::optional<double> v = TableNumber(words[first + i]);
        if (!v) return false;
        out[i] = *v;
    }
    return true;
}

}  // namespace

ElpRead ParseElpMpp02(std::string_view checkedText) {
    ElpRead result;
    ElpTables tables;
    bool haveW1 = false;
    std::array<bool, 3> seen{};
    TableLines lines(checkedText);
    std::vector<std::string_view> words;
    while (lines.Next(words)) {
        if (words[0] == "W1") {
            if (haveW1 || !ReadNumbers(words, 1, 5, tables.w1.data())) {
                result.fault = AtLine(lines.LineNumber(), "the mean longitude W1 takes five numbers, once");
                return result;
            }
            haveW1 = true;
            continue;
        }
        // "series COORDINATE POWER TERMS", then TERMS lines of six numbers.
        ElpSeries* series =
            words.size() == 4 && words[0] == "series" ? CoordinateOf(tables, words[1]) : nullptr;
        const std::size_t power = series ? TableCount(words[2]).value_or(kElpPowers) : kElpPowers;
        constexpr std::size_t kNoCount = static_cast<std::size_t>(-1);
        const std::size_t count = series ? TableCount(words[3]).value_or(kNoCount) : kNoCount;
        if (!series || power >= kElpPowers || count == kNoCount) {
            result.fault = AtLine(lines.LineNumber(), "a series heading was expected");
            return result;
        }
        std::vector<ElpTerm>& terms = (*series)[power];
        if (!terms.empty()) {
            result.fault = AtLine(lines.LineNumber(), "the series is given twice");
            return result;
        }
        terms.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            ElpTerm term;
            double numbers[6];
            if (!lines.Next(words) || !ReadNumbers(words, 0, 6, numbers)) {
                result.fault = AtLine(lines.LineNumber(), "a term of six numbers was expected");
                return result;
            }
            term.a = numbers[0];
            for (std::size_t k = 0; k < 5; ++k) term.f[k] = numbers[k + 1];
            terms.push_back(term);
        }
        seen[series == &tables.L ? 0 : series == &tables.B ? 1 : 2] = true;
    }
    if (!haveW1 || !seen[0] || !seen[1] || !seen[2]) {
        result.fault = "the mean longitude or a series is missing";
        return result;
    }
    result.tables = std::move(tables);
    return result;
}

ElpRead LoadElpMpp02(const std::filesystem::path& path) {
    return LoadTableFile<ElpRead>(path, ParseElpMpp02);
}

MoonSeriesPosition ElpMpp02Position(const ElpTables& tables, double julianDayTdb) {
    const double t = (julianDayTdb - 2451545.0) / 36525.0;
    MoonSeriesPosition p;
    p.longitude = std::fmod(Polynomial(tables.w1.data(), 5, t) + SumSeries(tables.L, t) * kArcSecond,
                            2 * std::numbers::pi);
    if (p.longitude < 0) p.longitude += 2 * std::numbers::pi;
    p.latitude = SumSeries(tables.B, t) * kArcSecond;
    p.distance = SumSeries(tables.R, t);
    return p;
}

MoonRectangular ElpMpp02J2000(const ElpTables& tables, double julianDayTdb) {
    const MoonSeriesPosition m = ElpMpp02Position(tables, julianDayTdb);
    return ElpMpp02ToJ2000(m.longitude, m.latitude, m.distance, julianDayTdb);
}

MoonSeriesMotion ElpMpp02Motion(const ElpTables& tables, double julianDayTdb) {
    constexpr double kDaysPerCentury = 36525.0;
    const double t = (julianDayTdb - 2451545.0) / kDaysPerCentury;
    const double* w = tables.w1.data();
    MoonSeriesMotion m;
    double l = 0, lRate = 0, b = 0, bRate = 0;
    SumSeriesWithRate(tables.L, t, l, lRate);
    SumSeriesWithRate(tables.B, t, b, bRate);
    SumSeriesWithRate(tables.R, t, m.distance, m.distanceRate);
    m.longitude = Polynomial(w, 5, t) + l * kArcSecond;
    m.longitudeRate =
        (((4 * w[4] * t + 3 * w[3]) * t + 2 * w[2]) * t + w[1] + lRate * kArcSecond) / kDaysPerCentury;
    m.latitude = b * kArcSecond;
    m.latitudeRate = bRate * kArcSecond / kDaysPerCentury;
    m.distanceRate /= kDaysPerCentury;
    return m;
}

MoonRectangular ElpMpp02ToJ2000(double longitude, double latitude, double distance, double julianDayTdb) {
    const double t = (julianDayTdb - 2451545.0) / 36525.0;
    const double x = distance * std::cos(longitude) * std::cos(latitude);
    const double y = distance * std::sin(longitude) * std::cos(latitude);
    const double z = distance * std::sin(latitude);
    // Laskar's precession of the ecliptic from the mean ecliptic of date to that of J2000.0.
    constexpr double kP[] = {0, 0.10180391e-4, 0.47020439e-6, -0.5417367e-9, -0.2507948e-11, 0.463486e-14};
    constexpr double kQ[] = {0, -0.113469002e-3, 0.12372674e-6, 0.12654170e-8, -0.1371808e-11, -0.320334e-14};
    const double p = Polynomial(kP, 6, t), q = Polynomial(kQ, 6, t);
    const double s = std::sqrt(1 - p * p - q * q);
    MoonRectangular r;
    r.x = (1 - 2 * p * p) * x + 2 * p * q * y + 2 * p * s * z;
    r.y = 2 * p * q * x + (1 - 2 * q * q) * y - 2 * q * s * z;
    r.z = -2 * p * s * x + 2 * q * s * y + (1 - 2 * p * p - 2 * q * q) * z;
    return r;
}

}  // namespace talvenor
