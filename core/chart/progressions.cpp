#include "chart/progressions.h"

#include <cmath>

#include "chart/chart_passes.h"
#include "chart/house_systems.h"
#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "ephemeris/angles.h"
#include "ephemeris/calendar.h"
#include "ephemeris/sky.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

namespace {

// 0 to below 360, whatever rounding does to a value just below 0.
double Within360(double x) {
    const double v = Norm360(x);
    return v >= 360.0 ? 0.0 : v;
}

double BirthdayIn(int year, int birthMonth, int birthDay) {
    if (birthMonth == 2 && birthDay == 29 && !IsLeapYear(year)) return JulianDayNumberOf(year, 2, 28);
    return JulianDayNumberOf(year, birthMonth, birthDay);
}

Instant BirthInstant(const Chart& natal) {
    return InstantOf(natal.time.JulianDayNumber, natal.time.DayFraction);
}

}  // namespace

std::optional<double> AgeInYears(int birthYear, int birthMonth, int birthDay, int year, int month, int day) {
    const double date = JulianDayNumberOf(year, month, day);
    if (date < JulianDayNumberOf(birthYear, birthMonth, birthDay)) return std::nullopt;
    int years = year - birthYear;
    if (date < BirthdayIn(birthYear + years, birthMonth, birthDay)) --years;
    const double last = BirthdayIn(birthYear + years, birthMonth, birthDay);
    const double next = BirthdayIn(birthYear + years + 1, birthMonth, birthDay);
    return years + (date - last) / (next - last);
}

std::optional<double> AgeOnDate(const Birth& natal, const Birth& second) {
    const CivilDate born = HeadingOf(natal).date, on = HeadingOf(second).date;
    return AgeInYears(born.year, born.month, born.day, on.year, on.month, on.day);
}

double RightAscensionOf(double longitude, double obliquityRad) {
    EngineScratch s;
    EclipticToEquatorial(s, longitude, 0.0, obliquityRad);
    return s.Alpha;
}

ChartResult ComputeProgressedChart(const Chart& natal, const Options& options, double ageYears) {
    const SkyEngine& engine = natal.engine;
    const Instant birth = BirthInstant(natal);
    // Whole days move the civil date, so that a whole age gives exactly the chart of that many days later.
    const double wholeDays = std::floor(ageYears);
    const Instant instant =
        InstantOf(birth.JulianDayNumber + wholeDays, birth.DayFraction + (ageYears - wholeDays));

    // The meridian turns by the Sun's progressed motion in right ascension.
    const Sky sky = engine.SkyAt(instant);
    if (EngineResult fault = FaultOf(sky.Status, "the progressed Sun"))
        return {std::nullopt, std::move(fault)};
    const double arcRa = RightAscensionOf(sky.Longitude[kSun], engine.ObliquityRad(instant)) -
                         RightAscensionOf(natal.Lon[kSun], engine.ObliquityRad(birth));
    double ramc = natal.time.RamcRad + DegToRad(arcRa);
    if (ramc < 0) ramc += DegToRad(360.0);
    if (ramc >= DegToRad(360.0)) ramc -= DegToRad(360.0);
    return ComputeChartAt(natal.birth, natal.houseSystem, options, instant, ramc, engine, natal.factors);
}

double SolarArc(const Chart& natal, const Chart& progressed) {
    return Within360(progressed.Lon[kSun] - natal.Lon[kSun]);
}

Chart SolarArcChart(const Chart& natal, const Options& options, double arc) {
    Chart d = natal;
    // The obliquity the natal chart was computed with.
    const double eps =
        natal.engine.IsModern() ? -natal.time.ObliquityRad : ObliquityRadAt(BirthInstant(natal).CenturiesT);
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        d.Lon[p] = Within360(natal.Lon[p] + arc);
        const double latitude = p <= kMoon ? natal.EclLat[p] : 0.0;
        d.Decl[p] = Declination(d.Lon[p], latitude, eps);
        d.SolsticePt[p] = SolsticePoint(d.Lon[p], options);
    }
    d.MeanNode = Within360(natal.MeanNode + arc);
    d.TrueNode = Within360(natal.TrueNode + arc);
    d.TrueNodeDecl = Declination(d.TrueNode, 0.0, eps);
    d.time.Vertex = Within360(natal.Vertex() + arc);
    d.time.EquatorialAscendant = Within360(natal.EquatorialAsc() + arc);
    d.time.CoAscendant = Within360(natal.CoAsc() + arc);
    d.time.PolarAscendant = Within360(natal.PolarAsc() + arc);
    d.RetroFlags.assign(kPointCount, ' ');

    // The directed points in the natal houses.
    PlaceHouses(d.Lon, natal.Cusp, d.HouseText);

    for (std::size_t f = 1; f <= 17; ++f) d.MidpointFactor[f] = Within360(natal.MidpointFactor[f] + arc);
    // The Aries point and the hypothetical points move by the arc as the others do.
    if (natal.factors == FactorSet::Uranian) {
        for (std::size_t i = 0; i < d.UranianLon.size(); ++i) {
            d.UranianLon[i] = Within360(natal.UranianLon[i] + arc);
            d.UranianDecl[i] = Declination(d.UranianLon[i], 0.0, eps);
        }
    }
    int m = 0;
    for (std::size_t i = 1; i <= 12; ++i) {
        for (std::size_t j = i + 1; j <= 13; ++j) {
            d.MidpointLon[static_cast<std::size_t>(++m)] =
                MidpointOf(d.MidpointFactor[i], d.MidpointFactor[j]);
        }
    }
    return d;
}

}  // namespace talvenor
