#include "ephemeris/delta_t.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/series_table.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

namespace {

// A polynomial in u, the coefficients lowest first.
double Horner(std::initializer_list<double> c, double u) {
    double v = 0;
    for (auto it = c.end(); it != c.begin();) v = v * u + *--it;
    return v;
}

// The years over which the shift of a polynomial to the end of a table fades out.
constexpr double kFadeYears = 100.0;

// The polynomial beyond an end of a table, shifted to start from the table's value there.
double JoinedPolynomial(double year, double edgeYear, double edgeValue) {
    const double fade = std::max(0.0, 1.0 - std::fabs(year - edgeYear) / kFadeYears);
    return EspenakMeeusDeltaT(year) + (edgeValue - EspenakMeeusDeltaT(edgeYear)) * fade;
}

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

double DecimalYear(double julianDay) {
    return 2000.0 + (julianDay - 2451545.0) / 365.25;
}

double EspenakMeeusDeltaT(double y) {
    if (y < -500) return Horner({-20, 0, 32}, (y - 1820) / 100);
    if (y < 500) {
        return Horner({10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521},
                      y / 100);
    }
    if (y < 1600) {
        return Horner({1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073},
                      (y - 1000) / 100);
    }
    if (y < 1700) return Horner({120, -0.9808, -0.01532, 1.0 / 7129}, y - 1600);
    if (y < 1800) return Horner({8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000}, y - 1700);
    if (y < 1860) {
        return Horner({13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
                       0.000000000875},
                      y - 1800);
    }
    if (y < 1900) return Horner({7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174}, y - 1860);
    if (y < 1920) return Horner({-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}, y - 1900);
    if (y < 1941) return Horner({21.20, 0.84493, -0.076100, 0.0020936}, y - 1920);
    if (y < 1961) return Horner({29.07, 0.407, -1.0 / 233, 1.0 / 2547}, y - 1950);
    if (y < 1986) return Horner({45.45, 1.067, -1.0 / 260, -1.0 / 718}, y - 1975);
    if (y < 2005) {
        return Horner({63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}, y - 2000);
    }
    if (y < 2050) return Horner({62.92, 0.32217, 0.005589}, y - 2000);
    if (y < 2150) return Horner({-20, 0, 32}, (y - 1820) / 100) - 0.5628 * (2150 - y);
    return Horner({-20, 0, 32}, (y - 1820) / 100);
}

DeltaTRead ParseDeltaT(std::string_view checkedText) {
    DeltaTRead result;
    DeltaTTables tables;
    TableLines lines(checkedText);
    std::vector<std::string_view> words;
    bool historic = false, observed = false;
    while (lines.Next(words)) {
        if (words.size() == 4 && words[0] == "historic" && !historic) {
            const auto first = TableNumber(words[1]), last = TableNumber(words[2]);
            const auto count = TableCount(words[3]);
            if (!first || !last || !count || *count < 2 || !(*last > *first)) {
                result.fault = AtLine(lines.LineNumber(), "the historic table's heading is not sound");
                return result;
            }
            tables.historicFirst = *first;
            tables.historicStep = (*last - *first) / static_cast<double>(*count - 1);
            for (std::size_t i = 0; i < *count; ++i) {
                const std::optional<double> v =
                    lines.Next(words) && words.size() == 1 ? TableNumber(words[0]) : std::nullopt;
                if (!v) {
                    result.fault = AtLine(lines.LineNumber(), "a value in seconds was expected");
                    return result;
                }
                tables.historic.push_back(*v);
            }
            historic = true;
        } else if (words.size() == 2 && words[0] == "observed" && !observed) {
            const std::size_t count = TableCount(words[1]).value_or(0);
            if (count < 2) {
                result.fault = AtLine(lines.LineNumber(), "the observed table's heading is not sound");
                return result;
            }
            for (std::size_t i = 0; i < count; ++i) {
                const bool three = lines.Next(words) && words.size() == 3;
                const auto year = three ? TableCount(words[0]) : std::nullopt;
                const auto month = three ? TableCount(words[1]) : std::nullopt;
                const auto value = three ? TableNumber(words[2]) : std::nullopt;
                if (!year || !month || *month < 1 || *month > 12 || !value) {
                    result.fault = AtLine(lines.LineNumber(), "a line \"YEAR MONTH SECONDS\" was expected");
                    return result;
                }
                const double day =
                    JulianDayNumberOf(static_cast<int>(*year), static_cast<int>(*month), 1) - 0.5;
                if (!tables.observedJulianDay.empty() && !(day > tables.observedJulianDay.back())) {
                    result.fault = AtLine(lines.LineNumber(), "the months are not in order");
                    return result;
                }
                tables.observedJulianDay.push_back(day);
                tables.observed.push_back(*value);
            }
            observed = true;
        } else {
            result.fault = AtLine(lines.LineNumber(), "a table heading was expected");
            return result;
        }
    }
    if (!historic || !observed) {
        result.fault = "the historic or the observed table is missing";
        return result;
    }
    result.tables = std::move(tables);
    return result;
}

DeltaTRead LoadDeltaT(const std::filesystem::path& path) {
    return LoadTableFile<DeltaTRead>(path, ParseDeltaT);
}

double DeltaTSeconds(const DeltaTTables& t, double julianDayUt) {
    const double year = DecimalYear(julianDayUt);
    const std::vector<double>& days = t.observedJulianDay;
    if (julianDayUt >= days.front()) {
        if (julianDayUt >= days.back())
            return JoinedPolynomial(year, DecimalYear(days.back()), t.observed.back());
        const auto after = std::upper_bound(days.begin(), days.end(), julianDayUt);
        const auto i = static_cast<std::size_t>(after - days.begin()) - 1;
        const double f = (julianDayUt - days[i]) / (days[i + 1] - days[i]);
        return t.observed[i] + f * (t.observed[i + 1] - t.observed[i]);
    }
    if (year <= t.historicFirst) return JoinedPolynomial(year, t.historicFirst, t.historic.front());
    const double at = (year - t.historicFirst) / t.historicStep;
    const auto i = std::min(static_cast<std::size_t>(at), t.historic.size() - 2);
    const double f = at - static_cast<double>(i);
    return t.historic[i] + f * (t.historic[i + 1] - t.historic[i]);
}

}  // namespace talvenor
