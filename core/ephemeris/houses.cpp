#include "ephemeris/houses.h"

#include <cmath>

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

// The latitude in radians, south when the place's hemisphere says so.
double HouseLatitude(const Place& place) {
    double degrees = std::fabs(place.Latitude);
    if (place.South) degrees = -degrees;
    return DegToRad(degrees);
}

void Placidus(const LocalAngles& a, double eps, WorkCusps& w) {
    // The time routine's latitude: at the equator it is -0.00001 radian, which keeps the iteration
    // on the same side as the auxiliary angles.
    const double phi = -a.Angles.AuxLatitudeRad;
    const double ramc = a.RamcRad;
    w[1] = Reduce(a.Angles.Ascendant);
    w[4] = Reduce(a.Angles.Midheaven + 180.0);

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

void Koch(const LocalAngles& a, double eps, double phi, WorkCusps& w) {
    // The ascensional difference of the Midheaven, split into thirds over each quadrant.
    const double ad = ArcSin(std::sin(a.RamcRad) * std::tan(phi) * std::tan(eps));
    const double ramcDeg = RadToDeg(a.RamcRad);
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

void Campanus(const LocalAngles& a, double eps, double phi, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        // The millionth of a degree keeps tan H finite at the horizon.
        const double hRad = DegToRad(30.0 * h + 60.000001);
        double p = std::atan(std::tan(hRad) * std::cos(phi));
        if (p < 0) p += EnginePi;
        if (std::sin(hRad) < 0) p += EnginePi;
        const double x = a.RamcRad + p;
        const double d = std::cos(x) * std::cos(eps) - std::tan(phi) * std::sin(p) * std::sin(eps);
        w[h] = Reduce(QuadrantRule(std::sin(x), d, std::sin(x)));
    }
}

// Regiomontanus, and with useLatitude false the Meridian system.
void EquatorDivided(const LocalAngles& a, double eps, double phi, bool useLatitude, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        const double hRad = DegToRad(30.0 * h + 60.0);
        const double x = a.RamcRad + hRad;
        double d = std::cos(x) * std::cos(eps);
        if (useLatitude) d -= std::tan(phi) * std::sin(hRad) * std::sin(eps);
        w[h] = Reduce(QuadrantRule(std::sin(x), d, std::sin(x)));
    }
}

void Morinus(const LocalAngles& a, double eps, WorkCusps& w) {
    for (int h = 1; h <= 12; ++h) {
        const double x = a.RamcRad + DegToRad(30.0 * h + 60.0);
        const double n = std::cos(eps) * std::sin(x);
        w[h] = Reduce(QuadrantRule(n, std::cos(x), n));
    }
}

void Porphyry(const LocalAngles& a, WorkCusps& w) {
    const double asc = a.Angles.Ascendant;
    const double mc = a.Angles.Midheaven;
    double q = asc - mc;
    if (q < 0) q += 360.0;
    for (int i = 0; i <= 2; ++i) w[4 + i] = Reduce(mc + 180.0 + i * q / 3.0);
    double q2 = Reduce(mc + 180.0) - asc;
    if (q2 < 0) q2 += 360.0;
    for (int i = 0; i <= 3; ++i) w[1 + i] = Reduce(asc + i * q2 / 3.0);
    for (int h = 1; h <= 6; ++h) w[h + 6] = Reduce(w[h] + 180.0);
}

// 30-degree steps around the circle from a starting element (label order).
void EqualHouses(HouseCusps& out, int first, double start) {
    out.Cusp[static_cast<std::size_t>(first)] = start;
    for (int i = 1; i < 12; ++i) {
        const int e = (first - 1 + i) % 12 + 1;
        const int previous = (e + 10) % 12 + 1;
        out.Cusp[static_cast<std::size_t>(e)] = Reduce(out.Cusp[static_cast<std::size_t>(previous)] + 30.0);
    }
}

// From natural house order into label order (10th, 11th, 12th, 1st ... 9th).
void CopyWorkCusps(const WorkCusps& w, HouseCusps& out) {
    for (int i = 1; i <= 9; ++i) out.Cusp[static_cast<std::size_t>(i + 3)] = w[static_cast<std::size_t>(i)];
    for (int i = 10; i <= 12; ++i) out.Cusp[static_cast<std::size_t>(i - 9)] = w[static_cast<std::size_t>(i)];
}

}  // namespace

HouseCusps CuspsFor(const LocalAngles& angles, const Place& place, HouseSystem system) {
    FaultWatch watch;
    HouseCusps out;
    const double eps = angles.ObliquityRad;
    const double phi = HouseLatitude(place);
    WorkCusps w{};

    switch (system) {
        case HouseSystem::Placidus:
            Placidus(angles, eps, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::Koch:
            Koch(angles, eps, phi, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::Campanus:
            Campanus(angles, eps, phi, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::Porphyry:
            Porphyry(angles, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::EqualAscendant:
            // The Ascendant opens the 1st house, element 4.
            EqualHouses(out, 4, angles.Angles.Ascendant);
            break;
        case HouseSystem::EqualMidheaven:
            // The Midheaven opens the 10th house, element 1; the Ascendant plays no part.
            EqualHouses(out, 1, angles.Angles.Midheaven);
            break;
        case HouseSystem::Meridian:
            EquatorDivided(angles, eps, phi, false, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::Morinus:
            Morinus(angles, eps, w);
            CopyWorkCusps(w, out);
            break;
        case HouseSystem::Regiomontanus:
            EquatorDivided(angles, eps, phi, true, w);
            CopyWorkCusps(w, out);
            break;
    }
    for (std::size_t h = 1; h <= 12; ++h) out.Cusp[h] = Reduce(out.Cusp[h]);
    out.Status = watch.Status();
    return out;
}

HouseCusps HousesAt(const Instant& instant, const Place& place, HouseSystem system) {
    const LocalAngles angles = AnglesAt(instant, place);
    if (angles.Status != EngineStatus::Sound) {
        HouseCusps failed;
        failed.Status = angles.Status;
        return failed;
    }
    return CuspsFor(angles, place, system);
}

}  // namespace talvenor
