#include "modern_comparison.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <numbers>

#include "comparison.h"
#include "ephemeris/modern_chart.h"
#include "ephemeris/sky.h"
#include "ephemeris/sky_engine.h"
#include "samples.h"

namespace talvenor {

namespace {

// The reference with its data files; apparent geocentric places on the true equinox and ecliptic of date
// (its default), or on the true equator of date for the declinations.
constexpr int kFiles = SEFLG_SWIEPH;
constexpr int kEquatorial = kFiles | SEFLG_EQUATORIAL;

constexpr AccuracyGoal kMainGoal{1, 5};
constexpr AccuracyGoal kOuterGoal{3, 5};

struct BodyDefinition {
    const char* name;
    int referenceBody;
    int point;
    AccuracyGoal goal;
};

constexpr std::array<BodyDefinition, 10> kBodies = {{
    {"Sun", SE_SUN, kSun, kMainGoal},
    {"Moon", SE_MOON, kMoon, kMainGoal},
    {"Mercury", SE_MERCURY, kMercury, kMainGoal},
    {"Venus", SE_VENUS, kVenus, kMainGoal},
    {"Mars", SE_MARS, kMars, kMainGoal},
    {"Jupiter", SE_JUPITER, kJupiter, kMainGoal},
    {"Saturn", SE_SATURN, kSaturn, kMainGoal},
    {"Uranus", SE_URANUS, kUranus, kOuterGoal},
    {"Neptune", SE_NEPTUNE, kNeptune, kOuterGoal},
    {"Pluto", SE_PLUTO, kPluto, {3, 30}},
}};

// The rows after the bodies.
enum : std::size_t {
    kMeanNodeRow = kBodies.size(),
    kTrueNodeRow,
    kDeclinationRow,
    kAscendantRow,
    kMidheavenRow,
    kRowCount
};

// The reference's place, or false with its message on the error stream. The reference answers with the
// flags it used: another ephemeris than its files means it fell back because a file is missing.
bool ReferencePlace(double julianDay, bool universalTime, int body, int flags, const char* name,
                    std::array<double, 6>& xx) {
    std::array<char, AS_MAXCH> error{};
    const int returned = universalTime ? swe_calc_ut(julianDay, body, flags, xx.data(), error.data())
                                       : swe_calc(julianDay, body, flags, xx.data(), error.data());
    if (returned < 0 || (returned & (SEFLG_MOSEPH | SEFLG_SWIEPH | SEFLG_JPLEPH)) != SEFLG_SWIEPH) {
        std::cerr << "reference ephemeris with its data files: " << name << " at JD " << julianDay
                  << (universalTime ? " UT" : " TT") << " answered with flags " << returned << ": "
                  << error.data() << '\n';
        return false;
    }
    return true;
}

// The reference's Ascendant and Midheaven (degrees) at a Julian day of UT and a place, with the Delta T
// given in days, or false.
bool ReferenceAngles(double julianDayUt, double deltaTDays, const Place& place, double& ascendant,
                     double& midheaven) {
    std::array<double, 13> cusps{};
    std::array<double, 10> ascmc{};
    swe_set_delta_t_userdef(deltaTDays);
    const int returned = swe_houses_ex(julianDayUt, kFiles, place.Latitude, -place.LongitudeWest, 'E',
                                       cusps.data(), ascmc.data());
    swe_set_delta_t_userdef(SE_DELTAT_AUTOMATIC);
    if (returned < 0) {
        std::cerr << "reference ephemeris: no angles at JD " << julianDayUt << '\n';
        return false;
    }
    ascendant = ascmc[SE_ASC];
    midheaven = ascmc[SE_MC];
    return true;
}

// The angle between two directions given by ecliptic longitude and latitude, degrees.
double SeparationDeg(double lon1, double lat1, double lon2, double lat2) {
    constexpr double r = std::numbers::pi / 180.0;
    const double c = std::sin(lat1 * r) * std::sin(lat2 * r) +
                     std::cos(lat1 * r) * std::cos(lat2 * r) * std::cos((lon1 - lon2) * r);
    return std::acos(std::clamp(c, -1.0, 1.0)) / r;
}

std::string Figure(double arcSeconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", arcSeconds);
    return text;
}

}  // namespace

void UseReferenceDataFiles(const std::string& folder) {
    swe_set_ephe_path(folder.c_str());
    // One model number per SE_MODEL_* index, 0 for the reference's default.
    char models[] = "0,0,0,0,0,0,0,2";
    static_assert(SE_MODEL_SIDT == 7 && SEMOD_SIDT_IAU_2006 == 2, "the model string names sidereal time 2");
    swe_set_astro_models(models, kFiles);
}

ModernComparison CompareModernWithReference(const std::shared_ptr<const ModernTables>& tables,
                                            const std::vector<double>& instants,
                                            const std::vector<Place>& places, double mainFirstJulianDay) {
    ModernComparison out;
    if (!tables) return out;
    const SkyEngine engine(tables);
    const TwoSpanStatistics empty(mainFirstJulianDay);
    for (const BodyDefinition& body : kBodies)
        out.Rows.push_back({body.name, body.goal, empty, empty, empty, {}});
    out.Rows.push_back({"Mean node", kMainGoal, empty, empty, empty, {}});
    out.Rows.push_back({"True node", {2, 5}, empty, empty, empty, {}});
    out.Rows.push_back({"Declinations", kMainGoal, empty, empty, empty, {}});
    out.Rows.push_back({"Ascendant", kMainGoal, empty, empty, empty, {}});
    out.Rows.push_back({"Midheaven", kMainGoal, empty, empty, empty, {}});
    out.DeltaT = empty;
    std::array<TwoSpanStatistics, kBodies.size()> declinationTt, declinationUt, declinationAway;
    declinationTt.fill(empty);
    declinationUt.fill(empty);
    declinationAway.fill(empty);

    if (places.size() != instants.size()) {
        std::cerr << "one place per instant needed\n";
        return {};
    }
    for (std::size_t n = 0; n < instants.size(); ++n) {
        const double jd = instants[n];
        const Instant instant = EngineInstantAt(jd);
        const double ut = JulianDayUt(instant);
        const double tt = TerrestrialTime(*tables, ut);
        const Sky sky = engine.SkyAt(instant);
        const LocalAngles angles =
            engine.AnglesAt(instant, PlaceAt(places[n].LongitudeWest, places[n].Latitude));
        if (sky.Status != EngineStatus::Sound || angles.Status != EngineStatus::Sound) {
            std::cerr << "modern engine fault at JD " << jd << '\n';
            return {};
        }
        std::array<char, AS_MAXCH> error{};
        const double referenceDeltaT = swe_deltat_ex(ut, kFiles, error.data());
        out.DeltaT.Add((tt - ut - referenceDeltaT) * 86400.0, jd);

        std::array<double, 6> atTt{}, atUt{}, sun{};
        for (std::size_t b = 0; b < kBodies.size(); ++b) {
            const BodyDefinition& body = kBodies[b];
            const auto p = static_cast<std::size_t>(body.point);
            if (!ReferencePlace(tt, false, body.referenceBody, kFiles, body.name, atTt) ||
                !ReferencePlace(ut, true, body.referenceBody, kFiles, body.name, atUt))
                return {};
            const double sameTt = SignedArcSeconds(sky.Longitude[p], atTt[0]);
            out.Rows[b].SameTt.Add(sameTt, jd);
            if (body.point == kSun) sun = atTt;
            const bool awayFromSun = body.point != kSun && body.point != kMoon &&
                                     SeparationDeg(atTt[0], atTt[1], sun[0], sun[1]) >= kAwayFromSunDeg;
            if (awayFromSun) out.Rows[b].AwayFromSun.Add(sameTt, jd);
            out.Rows[b].SameUt.Add(SignedArcSeconds(sky.Longitude[p], atUt[0]), jd);
            if (!ReferencePlace(tt, false, body.referenceBody, kEquatorial, body.name, atTt) ||
                !ReferencePlace(ut, true, body.referenceBody, kEquatorial, body.name, atUt))
                return {};
            declinationTt[b].Add((sky.Declination[p] - atTt[1]) * 3600.0, jd);
            if (awayFromSun) declinationAway[b].Add((sky.Declination[p] - atTt[1]) * 3600.0, jd);
            declinationUt[b].Add((sky.Declination[p] - atUt[1]) * 3600.0, jd);
        }
        const std::array<std::pair<std::size_t, int>, 2> nodes = {
            {{kMeanNodeRow, SE_MEAN_NODE}, {kTrueNodeRow, SE_TRUE_NODE}}};
        for (const auto& [row, body] : nodes) {
            const double engine = row == kMeanNodeRow ? sky.MeanNode : sky.TrueNode;
            const char* name = out.Rows[row].Name.c_str();
            if (!ReferencePlace(tt, false, body, kFiles, name, atTt) ||
                !ReferencePlace(ut, true, body, kFiles, name, atUt))
                return {};
            out.Rows[row].SameTt.Add(SignedArcSeconds(engine, atTt[0]), jd);
            out.Rows[row].SameUt.Add(SignedArcSeconds(engine, atUt[0]), jd);
        }
        // The angles: at the same TT the reference takes the engine's Delta T, at the same UT its own.
        double ascendant = 0, midheaven = 0;
        if (!ReferenceAngles(ut, tt - ut, places[n], ascendant, midheaven)) return {};
        out.Rows[kAscendantRow].SameTt.Add(SignedArcSeconds(angles.Angles.Ascendant, ascendant), jd);
        out.Rows[kMidheavenRow].SameTt.Add(SignedArcSeconds(angles.Angles.Midheaven, midheaven), jd);
        if (!ReferenceAngles(ut, referenceDeltaT, places[n], ascendant, midheaven)) return {};
        out.Rows[kAscendantRow].SameUt.Add(SignedArcSeconds(angles.Angles.Ascendant, ascendant), jd);
        out.Rows[kMidheavenRow].SameUt.Add(SignedArcSeconds(angles.Angles.Midheaven, midheaven), jd);
    }

    // The declinations of all bodies in one row, naming the body of the largest difference.
    ModernRow& declinations = out.Rows[kDeclinationRow];
    double largest = -1;
    for (std::size_t b = 0; b < kBodies.size(); ++b) {
        declinations.SameTt.Merge(declinationTt[b]);
        declinations.SameUt.Merge(declinationUt[b]);
        declinations.AwayFromSun.Merge(declinationAway[b]);
        if (declinationTt[b].Main().Count() > 0 && declinationTt[b].Main().Largest() > largest) {
            largest = declinationTt[b].Main().Largest();
            declinations.LargestOf = kBodies[b].name;
        }
    }
    return out;
}

std::string ModernTable(const std::vector<ModernRow>& rows) {
    std::string table =
        "| Point | Goal \" | 1900-2099: largest \" | on | RMS \" | 1800-1899: largest \" "
        "| Same UT, 1900-2099: largest \" | 1800-1899 \" |\n"
        "|---|--:|--:|---|--:|--:|--:|--:|\n";
    for (const ModernRow& row : rows) {
        std::string on = row.SameTt.Main().Count() > 0 ? CivilDateOf(row.SameTt.Main().LargestAt()) : "-";
        if (!row.LargestOf.empty()) on += " (" + row.LargestOf + ")";
        char goal[32];
        std::snprintf(goal, sizeof goal, "%g / %g", row.Goal.Main, row.Goal.Earlier);
        table += "| " + row.Name + " | " + goal + " | " + Figure(row.SameTt.Main().Largest()) + " | " + on +
                 " | " + Figure(row.SameTt.Main().Rms()) + " | " + Figure(row.SameTt.Earlier().Largest()) +
                 " | " + Figure(row.SameUt.Main().Largest()) + " | " +
                 Figure(row.SameUt.Earlier().Largest()) + " |\n";
    }
    return table;
}

std::string AwayFromSunNote(const std::vector<ModernRow>& rows) {
    std::string note;
    for (const ModernRow& row : rows) {
        const ArcStatistics& away = row.AwayFromSun.Main();
        if (away.Count() == 0 || away.Largest() >= row.SameTt.Main().Largest()) continue;
        note += (note.empty() ? "" : ", ") + row.Name + " " + Figure(away.Largest());
    }
    if (note.empty()) return note;
    char head[96];
    std::snprintf(head, sizeof head,
                  "At least %g degree from the Sun, 1900-2099 largest \": ", kAwayFromSunDeg);
    return head + note + ".\n";
}

std::string MissedGoals(const std::vector<ModernRow>& rows) {
    std::string missed;
    for (const ModernRow& row : rows) {
        const std::array<std::pair<const ArcStatistics*, double>, 2> spans = {
            {{&row.SameTt.Main(), row.Goal.Main}, {&row.SameTt.Earlier(), row.Goal.Earlier}}};
        for (std::size_t s = 0; s < spans.size(); ++s) {
            const auto& [statistics, goal] = spans[s];
            if (statistics->Count() == 0 || statistics->Largest() <= goal) continue;
            char line[160];
            std::snprintf(line, sizeof line, "%s (%s): %.2f > %g\n", row.Name.c_str(),
                          s == 0 ? "1900-2099" : "1800-1899", statistics->Largest(), goal);
            missed += line;
        }
    }
    return missed;
}

}  // namespace talvenor
