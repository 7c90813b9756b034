#include "chart/house_systems.h"

#include <array>
#include <cmath>
#include <string>

#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "ephemeris/angles.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// Cusps in natural house order, W[1] the 1st house ... W[12] the 12th; element 0 unused.
using WorkCusps = std::array<double, 13>;

double Reduce(double x) {
    return x - 360.0 * Int(x / 360.0);
}

// arctan(n / d) turned into the half-turn of the reference's sign, in degrees [0, 360). A zero
// denominator is the quarter turn the arctangent tends to, not a fault: such a cusp is well defined.
double QuadrantRule(double n, double d, double reference) {
    double lambda = d == 0 ? EnginePi / 2.0 : std::atan(n / d);
    if (lambda < 0) lambda += EnginePi;
    if (reference < 0) lambda += EnginePi;
    return RadToDeg(lambda);
}

// Arcsine and arccosine from the arctangent, like every other angle of the engine. At exactly +-1 the
// quotient would divide by zero although the angle is plain; beyond +-1 the square root stays invalid,
// so an impossible semi-arc still shows as a fault.
double ArcSin(double x) {
    if (x == 1.0) return EnginePi / 2.0;
    if (x == -1.0) return -EnginePi / 2.0;
    return ArcSinRad(x);
}
double ArcCos(double x) {
    return EnginePi / 2.0 - ArcSin(x);
}

// The chart's latitude in radians from its packed magnitude, south when the time routine left "SOUTH".
double ChartLatitude(const ChartState& chart) {
    const double packed = chart.ChartSelector == kSelectNatal ? chart.NatalLatitude : chart.DiurnalLatitude;
    const double value = std::fabs(packed);
    double degrees = Int(value) + (value - Int(value)) * 100.0 / 60.0;
    if (chart.NatalNorthSouth == "SOUTH") degrees = -degrees;
    return DegToRad(degrees);
}

void Placidus(const ChartState& chart, double eps, WorkCusps& w) {
    // The time routine's latitude: at the equator it is -0.00001 radian, which keeps the iteration
    // on the same side as the auxiliary angles.
    const double phi = -chart.AuxLatitudeRad;
    const double ramc = chart.RamcRad;
    w[1] = Reduce(chart.Ascendant);
    w[4] = Reduce(chart.Midheaven + 180.0);

    struct Intermediate {
        int cusp;
        double start;  // degrees after RAMC
        double divisor;
        bool lower;
    };
    constexpr Intermediate kCusps[] = {
        {11, 30.0, 3.0, false},
        {12, 60.0, 1.5, false},
        {2, 120.0, 1.5, true},
        {3, 150.0, 3.0, true},
    };
    for (const Intermediate& c : kCusps) {
        const double g = c.lower ? 1.0 : -1.0;
        double x = ramc + DegToRad(c.start);
        // A fixed number of steps, as the cusps have always been computed and printed: within an arc
        // second up to about 52 degrees of latitude, but still short of the limit near 66.
        for (int step = 0; step < 10; ++step) {
            const double semiArc = ArcCos(g * std::sin(x) * std::tan(eps) * std::tan(phi));
            x = c.lower ? ramc + EnginePi - semiArc / c.divisor : ramc + semiArc / c.divisor;
        }
        const double lambda = QuadrantRule(std::tan(x), std::cos(eps), std::sin(x));
        switch (c.cusp) {
            case 11:
                w[5] = Reduce(lambda + 180.0);
                break;
            case 12:
                w[6] = Reduce(lambda + 180.0);
                break;
            case 2:
                w[2] = lambda;
                break;
            default:
                w[3] = lambda;
                break;
        }
    }
    for (int h = 1; h <= 12; ++h) {
        w[h] = Reduce(w[h]);
        if (h > 6) w[h] = Reduce(w[h - 6] + 180.0);
    }
}

void Koch(const ChartState& chart, double eps, double phi, WorkCusps& w) {
    // The ascensional difference of the Midheaven, split into thirds over each quadrant.
    const double ad = ArcSin(std::sin(chart.RamcRad) * std::tan(phi) * std::tan(eps));
    const double ramcDeg = RadToDeg(chart.RamcRad);
    const double adDeg = RadToDeg(ad);
    for (int h = 1; h <= 12; ++h) {
        const double hDeg = Reduce(30.0 * h + 60.0);
        double k = hDeg / 90.0 - 1.0;
        double s = 1.0;
        if (hDeg >= 180.0) {
            k = hDeg / 90.0 - 3.0;
            s = -1.0;
        }
        const double x = DegToRad(Reduce(ramcDeg + hDeg + k * adDeg));
        const double d = std::cos(x) * std::cos(eps) - s * std::sin(eps) * std::tan(phi);
        w[h] = Reduce(QuadrantRule(std::sin(x), d, std::sin(x)));
    }
}

void Campanus(const ChartState& chart, double eps, double phi, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        // The millionth of a degree keeps tan H finite at the horizon.
        const double hRad = DegToRad(30.0 * h + 60.000001);
        double p = std::atan(std::tan(hRad) * std::cos(phi));
        if (p < 0) p += EnginePi;
        if (std::sin(hRad) < 0) p += EnginePi;
        const double x = chart.RamcRad + p;
        const double d = std::cos(x) * std::cos(eps) - std::tan(phi) * std::sin(p) * std::sin(eps);
        w[h] = Reduce(QuadrantRule(std::sin(x), d, std::sin(x)));
    }
}

// Regiomontanus, and with useLatitude false the Meridian system.
void EquatorDivided(const ChartState& chart, double eps, double phi, bool useLatitude, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        const double hRad = DegToRad(30.0 * h + 60.0);
        const double x = chart.RamcRad + hRad;
        double d = std::cos(x) * std::cos(eps);
        if (useLatitude) d -= std::tan(phi) * std::sin(hRad) * std::sin(eps);
        w[h] = Reduce(QuadrantRule(std::sin(x), d, std::sin(x)));
    }
}

void Morinus(const ChartState& chart, double eps, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        const double x = chart.RamcRad + DegToRad(30.0 * h + 60.0);
        const double n = std::cos(eps) * std::sin(x);
        w[h] = Reduce(QuadrantRule(n, std::cos(x), n));
    }
}

void Porphyry(const ChartState& chart, WorkCusps& w) {
    const double asc = chart.Ascendant;
    const double mc = chart.Midheaven;
    double q = asc - mc;
    if (q < 0) q += 360.0;
    for (int i = 0; i <= 2; ++i) w[4 + i] = Reduce(mc + 180.0 + i * q / 3.0);
    double q2 = Reduce(mc + 180.0) - asc;
    if (q2 < 0) q2 += 360.0;
    for (int i = 0; i <= 3; ++i) w[1 + i] = Reduce(asc + i * q2 / 3.0);
    for (int h = 1; h <= 6; ++h) w[h + 6] = Reduce(w[h] + 180.0);
}

// 30-degree steps around the circle from a starting element of HouseCusp.
void EqualHouses(ChartState& chart, int first, double start) {
    chart.HouseCusp[static_cast<std::size_t>(first)] = start;
    for (int i = 1; i < 12; ++i) {
        const int e = (first - 1 + i) % 12 + 1;
        const int previous = (e + 10) % 12 + 1;
        chart.HouseCusp[static_cast<std::size_t>(e)] =
            Reduce(chart.HouseCusp[static_cast<std::size_t>(previous)] + 30.0);
    }
}

// From natural house order into label order (10th, 11th, 12th, 1st ... 9th).
void CopyWorkCusps(const WorkCusps& w, ChartState& chart) {
    for (int i = 1; i <= 9; ++i)
        chart.HouseCusp[static_cast<std::size_t>(i + 3)] = w[static_cast<std::size_t>(i)];
    for (int i = 10; i <= 12; ++i)
        chart.HouseCusp[static_cast<std::size_t>(i - 9)] = w[static_cast<std::size_t>(i)];
}

}  // namespace

void ComputeHouseCusps(ChartState& chart) {
    const std::string_view code = chart.HouseSystemCode;
    // The time routine leaves minus the obliquity behind.
    const double eps = -chart.ObliquityRad;
    const double phi = ChartLatitude(chart);
    WorkCusps w{};

    if (code == kPlacidus) {
        Placidus(chart, eps, w);
        CopyWorkCusps(w, chart);
    } else if (code == kKoch) {
        Koch(chart, eps, phi, w);
        CopyWorkCusps(w, chart);
    } else if (code == kCampanus) {
        Campanus(chart, eps, phi, w);
        CopyWorkCusps(w, chart);
    } else if (code == kPorphyry) {
        Porphyry(chart, w);
        CopyWorkCusps(w, chart);
    } else if (code == kEqualAscendant) {
        // The Ascendant opens the 1st house, element 4.
        EqualHouses(chart, 4, chart.Ascendant);
    } else if (code == kEqualMidheaven) {
        // The Midheaven opens the 10th house, element 1; the Ascendant plays no part.
        EqualHouses(chart, 1, chart.Midheaven);
    } else if (code == kMeridian) {
        EquatorDivided(chart, eps, phi, false, w);
        CopyWorkCusps(w, chart);
    } else if (code == kMorinus) {
        Morinus(chart, eps, w);
        CopyWorkCusps(w, chart);
    } else {
        EquatorDivided(chart, eps, phi, true, w);
        CopyWorkCusps(w, chart);
    }
    for (std::size_t h = 1; h <= 12; ++h) chart.HouseCusp[h] = Reduce(chart.HouseCusp[h]);
}

void PlaceHouses(ChartState& chart) {
    std::string& text = chart.PointHouseText;
    if (text.size() < kHouseTextLength) text.resize(kHouseTextLength, ' ');
    const auto& cusp = chart.HouseCusp;
    for (std::size_t h = 1; h <= 12; ++h) {
        const double from = cusp[h];
        const double to = cusp[h == 12 ? 1 : h + 1];
        for (std::size_t p = 1; p <= kPointCount; ++p) {
            const std::size_t slot = 10 * (p - 1);
            text.replace(slot + 4, 6, " HOUSE");
            // One tenth of an arc second, so that a point on a cusp opens the house. Reduced again, so
            // that a point just below 360 lands at the start of the circle instead of in no house.
            const double lon = Reduce(chart.PointLon[p] + 1.0 / 36000.0);
            const bool inside = to >= from ? (from <= lon && lon < to) : (from <= lon || lon < to);
            if (inside) text.replace(slot, 4, HouseLabelField(static_cast<int>(h)));
        }
    }
}

const char* HouseSystemReportName(std::string_view code) {
    if (code == kPlacidus) return "Placidus";
    if (code == kKoch) return "Koch";
    if (code == kCampanus) return "Campanus";
    if (code == kPorphyry) return "Porphyry";
    if (code == kEqualAscendant) return "Equal - Ascendant";
    if (code == kEqualMidheaven) return "Equal - MC";
    if (code == kMeridian) return "Meridian";
    if (code == kMorinus) return "Morinus";
    return "Regiomontanus";
}

namespace {

// Degrees and minutes as typed, read with the leading-number rule.
bool LatitudeTooHigh(const std::string& degreesText, const std::string& minutesText) {
    const double degrees = LeadingNumber(degreesText);
    const double minutes = LeadingNumber(minutesText);
    if (degrees > 66.0 || (degrees == 66.0 && minutes > 0.0)) return true;
    // The typed fields hold digits only, but the options file can fill them with a negative degree
    // value, which the transfer turns into a latitude of that size all the same.
    return degrees < 0.0 && std::fabs(degrees + minutes / 100.0) > 66.0;
}

}  // namespace

bool CheckHouseLatitude(const NatalInputFields& natal, const DiurnalInputFields& diurnal,
                        std::string_view checkedHouseCode, ChartState& chart, UserDialogs& dialogs) {
    // These two systems do not use the latitude at all.
    if (checkedHouseCode == kMeridian || checkedHouseCode == kMorinus) return true;
    if (!LatitudeTooHigh(natal.txtLatDeg, natal.txtLatMin) &&
        !LatitudeTooHigh(diurnal.txtDiurnalLatDeg, diurnal.txtDiurnalLatMin)) {
        return true;
    }
    dialogs.ShowMessage(std::string(kLatitudeTooHighMessage), std::string(kLatitudeTooHighTitle),
                        MessageIcon::Information);
    chart.InputErrorFlag = 1;
    return false;
}

void WriteHouseCusps(const ChartState& chart, ReportBuffer& report) {
    report.AppendBlankLine();
    report.AppendLine(std::string("  HOUSE CUSPS - ") + HouseSystemReportName(chart.HouseSystemCode));
    for (int row = 0; row < 4; ++row) {
        std::string line;
        for (int column = 0; column < 3; ++column) {
            const int h = 3 * row + column + 1;
            line += column == 0 ? "  " : " ";
            line += HouseLabelField(h);
            line += " house = ";
            line += ShortPosition(chart.HouseCusp[static_cast<std::size_t>(h)]);
        }
        report.AppendLine(line);
    }
}

}  // namespace talvenor
