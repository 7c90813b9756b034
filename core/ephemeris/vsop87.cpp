#include "ephemeris/vsop87.h"

#include <cmath>
#include <numbers>

#include "ephemeris/series_kernels.h"
#include "ephemeris/series_table.h"

namespace talvenor {

namespace {

constexpr std::array<std::string_view, kVsop87Bodies> kBodyNames = {"mercury", "venus",  "earth",  "mars",
                                                                    "jupiter", "saturn", "uranus", "neptune"};

std::optional<std::size_t> BodyIndex(std::string_view name) {
    for (std::size_t i = 0; i < kBodyNames.size(); ++i) {
        if (kBodyNames[i] == name) return i;
    }
    return std::nullopt;
}

Vsop87Series* CoordinateOf(Vsop87Planet& planet, std::string_view name) {
    if (name == "L") return &planet.L;
    if (name == "B") return &planet.B;
    if (name == "R") return &planet.R;
    return nullptr;
}

double SumSeries(const Vsop87Series& series, double t) {
    // Horner's scheme over the powers of t, the highest first.
    double total = 0;
    for (std::size_t k = kVsop87Powers; k-- > 0;) {
        double sum = 0;
        for (const Vsop87Term& term : series[k]) sum += term.a * std::cos(term.b + term.c * t);
        total = total * t + sum;
    }
    return total;
}

// The series and its derivative in t, summed together.
void SumSeriesWithRate(const Vsop87Series& series, double t, double& value, double& rate) {
    HornerWithRate(
        kVsop87Powers, t,
        [&](std::size_t k, double& sum, double& sumRate) {
            SumVsop87Terms(series[k].data(), series[k].size(), t, sum, sumRate);
        },
        value, rate);
}

// A series heading, read whole.
struct Heading {
    bool sound = false;
    std::size_t body = 0, coordinate = 0, power = 0, count = 0;
};

Heading ReadHeading(const std::vector<std::string_view>& words) {
    Heading h;
    if (words.size() != 5 || words[0] != "series") return h;
    const std::optional<std::size_t> body = BodyIndex(words[1]);
    const std::size_t coordinate = words[2] == "L" ? 0 : words[2] == "B" ? 1 : words[2] == "R" ? 2 : 3;
    const std::optional<std::size_t> power = TableCount(words[3]);
    const std::optional<std::size_t> count = TableCount(words[4]);
    if (!body || coordinate > 2 || !power || *power >= kVsop87Powers || !count) return h;
    h = {true, *body, coordinate, *power, *count};
    return h;
}

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

std::string_view Vsop87BodyName(Vsop87Body body) {
    return kBodyNames[static_cast<std::size_t>(body)];
}

Vsop87Read ParseVsop87(std::string_view checkedText) {
    Vsop87Read result;
    Vsop87Tables tables;
    std::array<std::array<bool, 3>, kVsop87Bodies> seen{};
    TableLines lines(checkedText);
    std::vector<std::string_view> words;
    while (lines.Next(words)) {
        // "series BODY COORDINATE POWER TERMS", then TERMS lines of three numbers.
        const Heading h = ReadHeading(words);
        if (!h.sound) {
            result.fault = AtLine(lines.LineNumber(), "a series heading was expected");
            return result;
        }
        Vsop87Series* series = CoordinateOf(tables.planets[h.body], words[2]);
        std::vector<Vsop87Term>& terms = (*series)[h.power];
        if (!terms.empty()) {
            result.fault = AtLine(lines.LineNumber(), "the series is given twice");
            return result;
        }
        terms.reserve(h.count);
        for (std::size_t i = 0; i < h.count; ++i) {
            if (!lines.Next(words)) {
                result.fault = AtLine(lines.LineNumber(), "the series ends before its last term");
                return result;
            }
            const auto a = words.size() == 3 ? TableNumber(words[0]) : std::nullopt;
            const auto b = words.size() == 3 ? TableNumber(words[1]) : std::nullopt;
            const auto c = words.size() == 3 ? TableNumber(words[2]) : std::nullopt;
            if (!a || !b || !c) {
                result.fault = AtLine(lines.LineNumber(), "a term of three numbers was expected");
                return result;
            }
            terms.push_back({*a, *b, *c});
        }
        seen[h.body][h.coordinate] = true;
    }
    for (std::size_t i = 0; i < kVsop87Bodies; ++i) {
        if (!seen[i][0] || !seen[i][1] || !seen[i][2]) {
            result.fault = "the series of " + std::string(kBodyNames[i]) + " are missing";
            return result;
        }
    }
    result.tables = std::move(tables);
    return result;
}

Vsop87Read LoadVsop87(const std::filesystem::path& path) {
    return LoadTableFile<Vsop87Read>(path, ParseVsop87);
}

HeliocentricPosition Vsop87Position(const Vsop87Planet& planet, double julianDayTdb) {
    const double t = (julianDayTdb - 2451545.0) / 365250.0;
    HeliocentricPosition p;
    p.longitude = std::fmod(SumSeries(planet.L, t), 2 * std::numbers::pi);
    if (p.longitude < 0) p.longitude += 2 * std::numbers::pi;
    p.latitude = SumSeries(planet.B, t);
    p.radius = SumSeries(planet.R, t);
    return p;
}

HeliocentricMotion Vsop87Motion(const Vsop87Planet& planet, double julianDayTdb) {
    constexpr double kDaysPerMillennium = 365250.0;
    const double t = (julianDayTdb - 2451545.0) / kDaysPerMillennium;
    HeliocentricMotion m;
    SumSeriesWithRate(planet.L, t, m.longitude, m.longitudeRate);
    SumSeriesWithRate(planet.B, t, m.latitude, m.latitudeRate);
    SumSeriesWithRate(planet.R, t, m.radius, m.radiusRate);
    m.longitudeRate /= kDaysPerMillennium;
    m.latitudeRate /= kDaysPerMillennium;
    m.radiusRate /= kDaysPerMillennium;
    return m;
}

}  // namespace talvenor
