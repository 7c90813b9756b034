#include "ephemeris/planets.h"

#include <array>
#include <cmath>

#include "ephemeris/perturbations.h"

namespace talvenor {

namespace {

constexpr double kArcSecond = 1.0 / 3600.0;

// ---------------------------------------------------------------------------------------------------
// The Sun
// ---------------------------------------------------------------------------------------------------

// amplitude" * cos(phase + v V + g g + m M4 + j J + s S)
struct SunCosineTerm {
    double amplitude;
    double phase;
    int v, g, m4, j, s;
};

// clang-format off
constexpr std::array<SunCosineTerm, 35> kSunPerturbations = {{
    //  amp     phase       V   g  M4   J   S
    {4.838, 299.102,      1, -1,  0,  0,  0},  // V - g
    {0.116, 148.9,        2, -1,  0,  0,  0},  // 2V - g
    {5.526, 148.313,      2, -2,  0,  0,  0},  // 2V - 2g
    {2.497, 315.943,      2, -3,  0,  0,  0},  // 2V - 3g
    {0.666, 177.71,       3, -3,  0,  0,  0},  // 3V - 3g
    {1.559, 345.253,      3, -4,  0,  0,  0},  // 3V - 4g
    {1.024, 318.15,       3, -5,  0,  0,  0},  // 3V - 5g
    {0.21,  206.2,        4, -4,  0,  0,  0},  // 4V - 4g
    {0.144, 195.4,        4, -5,  0,  0,  0},  // 4V - 5g
    {0.152, 343.8,        4, -6,  0,  0,  0},  // 4V - 6g
    {0.123, 195.3,        5, -7,  0,  0,  0},  // 5V - 7g
    {0.154, 359.6,        5, -8,  0,  0,  0},  // 5V - 8g
    {0.273, 217.7,        0,  1, -1,  0,  0},  // g - M4
    {2.043, 343.888,      0,  2, -2,  0,  0},  // 2g - 2M4
    {1.77,  200.402,      0,  1, -2,  0,  0},  // g - 2M4
    {0.129, 294.2,        0,  3, -3,  0,  0},  // 3g - 3M4
    {0.425, 338.88,       0,  2, -3,  0,  0},  // 2g - 3M4
    {0.5,   105.18,       0,  3, -4,  0,  0},  // 3g - 4M4
    {0.585, 334.06,       0,  2, -4,  0,  0},  // 2g - 4M4
    {0.204, 100.8,        0,  3, -5,  0,  0},  // 3g - 5M4
    {0.154, 227.4,        0,  4, -6,  0,  0},  // 4g - 6M4
    {0.101, 96.3,         0,  3, -6,  0,  0},  // 3g - 6M4
    {0.106, 222.7,        0,  4, -7,  0,  0},  // 4g - 7M4
    {0.163, 198.6,        0,  2,  0, -1,  0},  // 2g - J
    {7.208, 179.532,      0,  1,  0, -1,  0},  // g - J
    {2.6,   263.217,      0,  0,  0, -1,  0},  // -J
    {2.731, 87.145,       0,  2,  0, -2,  0},  // 2g - 2J
    {1.61,  109.493,      0,  1,  0, -2,  0},  // g - 2J
    {0.164, 170.5,        0,  3,  0, -3,  0},  // 3g - 3J
    {0.556, 82.65,        0,  2,  0, -3,  0},  // 2g - 3J
    {0.21,  98.5,         0,  1,  0, -3,  0},  // g - 3J
    {0.419, 100.58,       0,  1,  0,  0, -1},  // g - S
    {0.32,  269.46,       0,  0,  0,  0, -1},  // -S
    {0.108, 290.6,        0,  2,  0,  0, -2},  // 2g - 2S
    {0.112, 293.6,        0,  1,  0,  0, -2},  // g - 2S
}};

// amplitude" * sin(d D + l l + g g), the lunar terms
struct SunSineTerm {
    double amplitude;
    int d, l, g;
};
constexpr std::array<SunSineTerm, 4> kSunLunarTerms = {{
    //   amp     D   l   g
    { 6.454,     1,  0,  0},  // D
    { 0.177,     1,  1,  0},  // D + l
    {-0.424,     1, -1,  0},  // D - l
    { 0.172,     1,  0, -1},  // D - g
}};
// clang-format on

}  // namespace

double ComputeSun(double t) {
    const double longPeriod = (1.882 - 0.016 * t) * kArcSecond * SinDeg(57.24 + 150.27 * t) +
                              6.4 * kArcSecond * SinDeg(231.19 + 20.2 * t) +
                              0.266 * kArcSecond * SinDeg(31.8 + 119.0 * t);
    const double g =
        Norm360(358.4758333 + 35999.0 * t + 179.1 * kArcSecond * t - 0.54 * kArcSecond * t * t + longPeriod);
    const double meanLon =
        Norm360(279.6966778 + 36000.0 * t + 2768.13 * kArcSecond * t + 1.089 * kArcSecond * t * t +
                0.202 * kArcSecond * SinDeg(315.6 + 893.3 * t) + longPeriod);

    const double venus = Norm360(212.45 + 58517.493 * t);
    const double mars = Norm360(319.58 + 19139.977 * t);
    const double jupiter =
        Norm360(225.28 + 3034.583 * t + 1300.0 * kArcSecond * SinDeg(133.775 + 39.804 * t));
    const double saturn = Norm360(175.6 + 1221.794 * t);
    const double moonD = Norm360(350.737486 + 445267.114217 * t);
    const double moonL = Norm360(296.104608 + 477198.849108 * t);

    double lon = meanLon + (6910.057 - 17.24 * t) * kArcSecond * SinDeg(g) +
                 (72.338 - 0.361 * t) * kArcSecond * SinDeg(2.0 * g) + 1.054 * kArcSecond * SinDeg(3.0 * g);
    for (const SunCosineTerm& term : kSunPerturbations) {
        const double argument =
            term.v * venus + term.g * g + term.m4 * mars + term.j * jupiter + term.s * saturn;
        lon += term.amplitude * kArcSecond * CosDeg(term.phase + argument);
    }
    for (const SunSineTerm& term : kSunLunarTerms) {
        lon += term.amplitude * kArcSecond * SinDeg(term.d * moonD + term.l * moonL + term.g * g);
    }
    // Aberration and nutation.
    return lon - 0.00569 - 0.00479 * SinDeg(259.18 - 1934.142 * t);
}

namespace {

// ---------------------------------------------------------------------------------------------------
// Mean elements
// ---------------------------------------------------------------------------------------------------

// Linear elements of J2000: value + rate * centuries from J2000.
struct Linear {
    double value, rate;
    double At(double t) const { return value + rate * t; }
};
struct InnerElementRow {
    double a;  // AU
    Linear e, i, node, peri, meanAnomaly;
};

// clang-format off
// Rows 1..4: Earth, Mercury, Venus, Mars.
constexpr std::array<InnerElementRow, 5> InnerElements = {{
    {},
    //  a (AU)        e                       i                  node               peri                  M
    {1.000000031, {0.016709, -0.000042}, {0.0,     0.0},    {0.0,    0.0},   {102.94,   1.7192}, {357.5256, 35999.0498}},
    {0.387099,    {0.205634,  0.000020}, {7.0048,  0.0019}, {48.331, 1.185}, {77.4552,  1.5555}, {174.7947, 149472.5153}},
    {0.723332,    {0.006773, -0.000048}, {3.3946,  0.0010}, {76.680, 0.900}, {131.5718, 1.4080}, {50.4071,  58517.8039}},
    {1.523692,    {0.093405,  0.000092}, {1.8496, -0.0007}, {49.557, 0.771}, {336.059,  1.8408}, {19.3879,  19139.8585}},
}};
// clang-format on

// Cubic elements of 1900: c0 + c1 T + c2 T^2 + c3 T^3.
struct Cubic {
    double c0, c1, c2, c3;
    double At(double t) const { return c0 + c1 * t + c2 * t * t + c3 * t * t * t; }
};
struct OuterElementRow {
    int body;
    Cubic meanLon;
    double a;  // AU
    Cubic e, i, argPeri, node;
};

// clang-format off
// The Earth row holds the Sun's mean longitude and the Earth's perihelion; the half turn added to its
// mean anomaly reconciles the two.
constexpr std::array<OuterElementRow, 5> OuterElements = {{
    {1, {279.696678, 36000.768925, 0.0003025, 0}, 1.0000002,
        {0.01675104, -0.0000418, -0.000000126, 0},
        {0, 0, 0, 0},
        {101.22085, 1.71917, 0.0004525, 0.0000033},
        {0, 0, 0, 0}},
    {5, {238.049257, 3036.301986, 0.0003347, -0.00000165}, 5.202561,
        {0.04833475, 0.00016418, -0.0000004676, -0.0000000017},
        {1.308736, -0.0056961, 0.0000039, 0},
        {273.277558, 0.5994317, 0.00070405, 0.00000508},
        {99.443414, 1.01053, 0.00035222, -0.00000851}},
    {6, {266.564377, 1223.509884, 0.0003245, -0.0000058}, 9.554747,
        {0.05589232, -0.0003455, -0.000000728, 0.00000000074},
        {2.492519, -0.0039189, -0.00001549, 0.00000004},
        {338.3078, 1.0852207, 0.00097854, 0.00000992},
        {112.790414, 0.8731951, -0.00015218, -0.00000531}},
    {7, {244.19747, 429.863546, 0.000316, -0.0000006}, 19.21814,
        {0.0463444, -0.00002658, 0.000000077, 0},
        {0.772464, 0.0006253, 0.0000395, 0},
        {98.071581, 0.985765, -0.0010745, -0.00000061},
        {73.477111, 0.4986678, 0.0013117, 0}},
    {8, {84.457994, 219.885914, 0.0003205, -0.0000006}, 30.10957,
        {0.00899704, 0.00000633, -0.000000002, 0},
        {1.779242, -0.0095436, -0.0000091, 0},
        {276.045975, 0.3256394, 0.00014095, 0.000004113},
        {130.681389, 1.098935, 0.00024987, -0.000004718}},
}};
// clang-format on

// Kepler's equation converges in a handful of steps for every eccentricity of the tables; the cap only
// stops a runaway loop on absurd input instead of hanging the program.
constexpr int kKeplerStepLimit = 10000;

}  // namespace

void ComputeInnerBody(PlanetWork& w) {
    const InnerElementRow& row = InnerElements[static_cast<std::size_t>(w.BodyIndex)];
    const double t = w.CenturiesT;
    w.ElemA = row.a * kKilometresPerAU;
    w.ElemE = row.e.At(t);
    w.ElemI = row.i.At(t);
    w.ElemNode = row.node.At(t);
    w.ElemPeri = row.peri.At(t);
    w.ElemMeanAnomaly = row.meanAnomaly.At(t);
    w.ElemArgPeri = w.ElemPeri - w.ElemNode;
    SolveOrbit(w);
}

void ComputeOuterBody(PlanetWork& w) {
    if (w.BodyIndex == 9) {
        // Pluto has no orbit here: its series gives the heliocentric position directly.
        ComputePlutoSeries(w);
        SolveOrbit(w);
        return;
    }
    const OuterElementRow* row = nullptr;
    for (const OuterElementRow& r : OuterElements) {
        if (r.body == w.BodyIndex) row = &r;
    }
    const double t = w.CenturiesT;
    const double meanLon = row->meanLon.At(t);
    w.ElemA = row->a * kKilometresPerAU;
    w.ElemE = row->e.At(t);
    w.ElemI = row->i.At(t);
    w.ElemNode = row->node.At(t);
    w.ElemArgPeri = row->argPeri.At(t);
    w.ElemPeri = Norm360(w.ElemArgPeri + w.ElemNode);
    w.ElemMeanAnomaly = Norm360(meanLon - w.ElemPeri);
    if (w.BodyIndex == kBodyEarth) w.ElemMeanAnomaly += 180.0;

    switch (w.BodyIndex) {
        case 5:
            ApplyJupiterPerturbations(w);
            break;
        case 6:
            ApplySaturnPerturbations(w);
            break;
        case 7:
            ApplyUranusPerturbations(w);
            break;
        case 8:
            ApplyNeptunePerturbations(w);
            break;
        default:
            break;
    }
    SolveOrbit(w);
}

void SolveOrbit(PlanetWork& w) {
    double helioLon = 0, helioLat = 0, radius = 0;
    if (w.BodyIndex == 9) {
        helioLon = w.PlutoHelioLon;
        helioLat = w.PlutoHelioLat;
        radius = w.PlutoRadiusAU * kKilometresPerAU;
    } else {
        const double e = w.ElemE;
        const double m = w.ElemMeanAnomaly;
        const double eDeg = e * 180.0 / EnginePi;
        double ecc = m;
        double next = m;
        for (int step = 0;; ++step) {
            next = ecc + (m - ecc + eDeg * SinDeg(ecc)) / (1.0 - e * CosDeg(ecc));
            if (!(std::fabs(next - ecc) >= 0.0000001)) break;
            if (step >= kKeplerStepLimit) {
                w.KeplerUnsettled = true;
                break;
            }
            ecc = next;
        }
        ecc = next;

        radius = w.ElemA * (1.0 - e * CosDeg(ecc));
        const double trueAnomaly = Norm360(
            2.0 * RadToDeg(std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(ecc * EnginePi / 360.0))));
        const double u = w.ElemArgPeri + trueAnomaly;  // argument of latitude
        w.s.X = CosDeg(u);
        w.s.Y = SinDeg(u) * CosDeg(w.ElemI);
        w.s.Z = SinDeg(u) * SinDeg(w.ElemI);
        RectToSpherical(w.s);
        helioLon = w.s.Alpha + w.ElemNode;
        helioLat = w.s.Delta;
    }

    if (w.BodyIndex == kBodyEarth) {
        w.EarthHelioLon = helioLon;
        w.EarthHelioLat = helioLat;
        w.EarthRadius = radius;
        return;
    }
    w.BodyHelioLon = helioLon;
    w.BodyHelioLat = helioLat;
    w.BodyRadius = radius;

    const double r = w.BodyRadius, l = w.BodyHelioLon, b = w.BodyHelioLat;
    const double rE = w.EarthRadius, lE = w.EarthHelioLon, bE = w.EarthHelioLat;
    w.s.X = r * CosDeg(b) * CosDeg(l) - rE * CosDeg(bE) * CosDeg(lE);
    w.s.Y = r * CosDeg(b) * SinDeg(l) - rE * CosDeg(bE) * SinDeg(lE);
    w.s.Z = r * SinDeg(b) - rE * SinDeg(bE);
    RectToSpherical(w.s);
    w.BodyGeoLon = w.s.Alpha;
    w.BodyGeoLat = w.s.Delta;
}

}  // namespace talvenor
