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

Instant BirthInstant(const ChartState& chart) {
    return InstantOf(chart.NatalPass.JulianDayNumber, chart.NatalPass.DayFraction);
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

std::optional<double> AgeOnDiurnalDate(const ChartState& chart) {
    return AgeInYears(chart.NatalYear, chart.NatalMonth, chart.NatalDay, chart.DiurnalYear,
                      chart.DiurnalMonth, chart.DiurnalDay);
}

double RightAscensionOf(double longitude, double obliquityRad) {
    EngineScratch s;
    EclipticToEquatorial(s, longitude, 0.0, obliquityRad);
    return s.Alpha;
}

EngineResult ComputeProgressedChart(const ChartState& chart, const Options& options, double ageYears,
                                    ChartState& progressed) {
    const Instant birth = BirthInstant(chart);
    // Whole days move the civil date, so that a whole age gives exactly the chart of that many days later.
    const double wholeDays = std::floor(ageYears);
    const Instant instant =
        InstantOf(birth.JulianDayNumber + wholeDays, birth.DayFraction + (ageYears - wholeDays));

    // The meridian turns by the Sun's progressed motion in right ascension.
    const Sky sky = SkyAt(instant);
    if (auto fault = FaultOf(sky.Status, "the progressed Sun")) return fault;
    const double arcRa = RightAscensionOf(sky.Longitude[kSun], ObliquityRadAt(instant.CenturiesT)) -
                         RightAscensionOf(chart.NatalLon[kSun], ObliquityRadAt(birth.CenturiesT));
    double ramc = chart.NatalPass.RamcRad + DegToRad(arcRa);
    if (ramc < 0) ramc += DegToRad(360.0);
    if (ramc >= DegToRad(360.0)) ramc -= DegToRad(360.0);
    progressed = chart;
    return ComputeNatalPassAt(progressed, options, instant, ramc);
}

double SolarArc(const ChartState& chart, const ChartState& progressed) {
    return Within360(progressed.NatalLon[kSun] - chart.NatalLon[kSun]);
}

ChartState SolarArcChart(const ChartState& chart, const Options& options, double arc) {
    ChartState d = chart;
    const double eps = ObliquityRadAt(BirthInstant(chart).CenturiesT);
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        d.NatalLon[p] = Within360(chart.NatalLon[p] + arc);
        const double latitude = p <= kMoon ? chart.NatalEclLat[p] : 0.0;
        d.NatalDecl[p] = Declination(d.NatalLon[p], latitude, eps);
        d.NatalSolsticePt[p] = SolsticePoint(d.NatalLon[p], options);
    }
    d.NatalMeanNode = Within360(chart.NatalMeanNode + arc);
    d.TrueNode = Within360(chart.TrueNode + arc);
    d.TrueNodeDecl = Declination(d.TrueNode, 0.0, eps);
    d.NatalVertex = Within360(chart.NatalVertex + arc);
    d.NatalEquatorialAsc = Within360(chart.NatalEquatorialAsc + arc);
    d.NatalCoAsc = Within360(chart.NatalCoAsc + arc);
    d.NatalPolarAsc = Within360(chart.NatalPolarAsc + arc);
    d.NatalRetroFlags.assign(kPointCount, ' ');

    // The directed points in the natal houses.
    d.PointLon = d.NatalLon;
    d.HouseCusp = chart.NatalCusp;
    PlaceHouses(d);
    d.NatalHouseText = d.PointHouseText;

    for (std::size_t f = 1; f <= 17; ++f) d.MidpointFactor[f] = Within360(chart.MidpointFactor[f] + arc);
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
