#include "comparison.h"

#include <swephexp.h>

#include <array>
#include <cstdio>
#include <functional>
#include <iostream>

#include "ephemeris/sky.h"
#include "samples.h"

namespace talvenor {

namespace {

// The reference in its analytical mode, which needs no data files.
constexpr int kReference = SEFLG_MOSEPH;
// As the Sun's and the Moon's theories give them: light time, aberration and nutation applied.
constexpr int kApparent = kReference;
// As the planetary theories give them: geometric positions on the mean ecliptic and equinox of date.
constexpr int kGeometricMeanEquinox =
    kReference | SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_NONUT;

struct BodyDefinition {
    const char* name;
    int referenceBody;
    int referenceFlags;
    const char* comparedAs;
    std::function<double(const Sky&)> engineLongitude;
};

std::function<double(const Sky&)> BodyLongitude(int point) {
    return [point](const Sky& sky) { return sky.Longitude[static_cast<std::size_t>(point)]; };
}

const std::array<BodyDefinition, 12>& Bodies() {
    static const std::array<BodyDefinition, 12> bodies = {{
        {"Sun", SE_SUN, kApparent, "apparent, true equinox", BodyLongitude(kSun)},
        {"Moon", SE_MOON, kApparent, "apparent, true equinox", BodyLongitude(kMoon)},
        {"Mercury", SE_MERCURY, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kMercury)},
        {"Venus", SE_VENUS, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kVenus)},
        {"Mars", SE_MARS, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kMars)},
        {"Jupiter", SE_JUPITER, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kJupiter)},
        {"Saturn", SE_SATURN, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kSaturn)},
        {"Uranus", SE_URANUS, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kUranus)},
        {"Neptune", SE_NEPTUNE, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kNeptune)},
        {"Pluto", SE_PLUTO, kGeometricMeanEquinox, "geometric, mean equinox", BodyLongitude(kPluto)},
        {"Mean node", SE_MEAN_NODE, kGeometricMeanEquinox, "mean equinox",
         [](const Sky& sky) { return sky.MeanNode; }},
        {"True node", SE_TRUE_NODE, kGeometricMeanEquinox, "osculating, mean equinox",
         [](const Sky& sky) { return sky.TrueNode; }},
    }};
    return bodies;
}

// The reference longitude, or false with the reference's message on the error stream.
bool ReferenceLongitude(double julianDay, bool universalTime, const BodyDefinition& body, double& lon) {
    std::array<double, 6> xx{};
    std::array<char, AS_MAXCH> error{};
    const int returned =
        universalTime
            ? swe_calc_ut(julianDay, body.referenceBody, body.referenceFlags, xx.data(), error.data())
            : swe_calc(julianDay, body.referenceBody, body.referenceFlags, xx.data(), error.data());
    // The reference answers with the flags it used; a different ephemeris means it fell back to one
    // whose files are missing, and a negative value is a fault.
    if (returned < 0 || (returned & (SEFLG_MOSEPH | SEFLG_SWIEPH | SEFLG_JPLEPH)) != SEFLG_MOSEPH) {
        std::cerr << "reference ephemeris: " << body.name << " at JD " << julianDay << ": " << error.data()
                  << '\n';
        return false;
    }
    lon = xx[0];
    return true;
}

}  // namespace

std::vector<BodyComparison> CompareWithReference(const std::vector<double>& instants) {
    std::vector<BodyComparison> rows;
    for (const BodyDefinition& body : Bodies()) rows.push_back({body.name, body.comparedAs, {}, {}});

    for (double jd : instants) {
        const Sky sky = SkyAt(EngineInstantAt(jd));
        if (sky.Status != EngineStatus::Sound) {
            std::cerr << "engine fault at JD " << jd << '\n';
            return {};
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const BodyDefinition& body = Bodies()[i];
            const double engine = body.engineLongitude(sky);
            double atUt = 0, atTt = 0;
            if (!ReferenceLongitude(jd, true, body, atUt) || !ReferenceLongitude(jd, false, body, atTt))
                return {};
            rows[i].AtCivilTime.Add(SignedArcSeconds(engine, atUt), jd);
            rows[i].TheoryAlone.Add(SignedArcSeconds(engine, atTt), jd);
        }
    }
    return rows;
}

std::string CivilDateOf(double julianDayUt) {
    int year = 0, month = 0, day = 0;
    double hour = 0;
    swe_revjul(julianDayUt, SE_GREG_CAL, &year, &month, &day, &hour);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string ComparisonTable(const std::vector<BodyComparison>& rows) {
    std::string table =
        "| Body | Compared as | Largest \" | on | RMS \" | Theory alone: largest \" | RMS \" |\n"
        "|---|---|--:|---|--:|--:|--:|\n";
    for (const BodyComparison& row : rows) {
        char line[256];
        std::snprintf(line, sizeof line, "| %s | %s | %.1f | %s | %.1f | %.1f | %.1f |\n", row.Name.c_str(),
                      row.ComparedAs.c_str(), row.AtCivilTime.Largest(),
                      CivilDateOf(row.AtCivilTime.LargestAt()).c_str(), row.AtCivilTime.Rms(),
                      row.TheoryAlone.Largest(), row.TheoryAlone.Rms());
        table += line;
    }
    return table;
}

}  // namespace talvenor
