#include "ephemeris/pluto_table.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/series_table.h"

namespace talvenor {

namespace {

// More coefficients than any sensible segment needs: a larger count is a damaged heading.
constexpr std::size_t kMostCoefficients = 64;
constexpr std::string_view kHeading = "the heading \"chebyshev FIRST DAYS SEGMENTS COEFFICIENTS\"";

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

// The sum of c[k] T_k(x) for x in [-1, 1] (Clenshaw's recurrence).
double Chebyshev(const double* c, std::size_t n, double x) {
    double b1 = 0, b2 = 0;
    for (std::size_t k = n; k-- > 1;) {
        const double b0 = 2 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b0;
    }
    return x * b1 - b2 + c[0];
}

}  // namespace

PlutoRead ParsePlutoTable(std::string_view checkedText) {
    PlutoRead result;
    PlutoTable table;
    TableLines lines(checkedText);
    std::vector<std::string_view> words;
    // "chebyshev FIRST DAYS SEGMENTS COEFFICIENTS", then SEGMENTS lines of 3 * COEFFICIENTS numbers.
    if (!lines.Next(words)) {
        result.fault = std::string(kHeading) + " is missing";
        return result;
    }
    const bool headed = words.size() == 5 && words[0] == "chebyshev";
    const auto first = headed ? TableNumber(words[1]) : std::nullopt;
    const auto days = headed ? TableNumber(words[2]) : std::nullopt;
    const auto segments = headed ? TableCount(words[3]) : std::nullopt;
    const auto coefficients = headed ? TableCount(words[4]) : std::nullopt;
    if (!first || !days || *days <= 0 || !segments || *segments == 0 || !coefficients || *coefficients == 0 ||
        *coefficients > kMostCoefficients) {
        result.fault = AtLine(lines.LineNumber(), std::string(kHeading) + " was expected");
        return result;
    }
    table.first = *first;
    table.days = *days;
    table.coefficients = *coefficients;
    const std::size_t perSegment = 3 * *coefficients;
    // Every number takes two characters at least: a heading that promises more is found out below.
    table.values.reserve(std::min(*segments, checkedText.size() / (2 * perSegment) + 1) * perSegment);
    for (std::size_t s = 0; s < *segments; ++s) {
        if (!lines.Next(words)) {
            result.fault = AtLine(lines.LineNumber(), "the table ends before its last segment");
            return result;
        }
        if (words.size() != perSegment) {
            result.fault = AtLine(lines.LineNumber(),
                                  "a segment of " + std::to_string(perSegment) + " numbers was expected");
            return result;
        }
        for (const std::string_view word : words) {
            const std::optional<double> value = TableNumber(word);
            if (!value) {
                result.fault = AtLine(lines.LineNumber(),
                                      "a segment of " + std::to_string(perSegment) + " numbers was expected");
                return result;
            }
            table.values.push_back(*value);
        }
    }
    if (lines.Next(words)) {
        result.fault = AtLine(lines.LineNumber(), "the table goes on past its last segment");
        return result;
    }
    result.table = std::move(table);
    return result;
}

PlutoRead LoadPlutoTable(const std::filesystem::path& path) {
    return LoadTableFile<PlutoRead>(path, ParsePlutoTable);
}

std::optional<PlutoRectangular> PlutoHeliocentricJ2000(const PlutoTable& table, double julianDayTdb) {
    const std::size_t segments = table.Segments();
    if (segments == 0 || !(julianDayTdb >= table.first && julianDayTdb <= table.Last())) return std::nullopt;
    const double u = (julianDayTdb - table.first) / table.days;
    const std::size_t segment = std::min(static_cast<std::size_t>(u), segments - 1);
    const double x = 2 * (u - static_cast<double>(segment)) - 1;
    const std::size_t n = table.coefficients;
    const double* c = table.values.data() + segment * 3 * n;
    return PlutoRectangular{Chebyshev(c, n, x), Chebyshev(c + n, n, x), Chebyshev(c + 2 * n, n, x)};
}

}  // namespace talvenor
