#include "ephemeris/moon.h"

#include <array>

#include "ephemeris/angles.h"

namespace talvenor {

namespace {

// amplitude" * sin(d D + m M + mp M' + f F)
struct LunarTerm {
    double amplitude;
    int d, m, mp, f;
};

// clang-format off
// Longitude terms in the order they are summed. Three share the argument M' - 4D (-38.43, 1.98 and 0.64);
// all three belong to the theory.
constexpr std::array<LunarTerm, 71> kLunarLongitudeTerms = {{
    //  amplitude   D   M  M'  F
    { 22639.55,     0,  0,  1,  0},  // M'
    {   769.02,     0,  0,  2,  0},  // 2M'
    {  -125.15,     1,  0,  0,  0},  // D
    {  2369.912,    2,  0,  0,  0},  // 2D
    {  -668.15,     0,  1,  0,  0},  // M
    {  -411.61,     0,  0,  0,  2},  // 2F
    {   211.66,     2,  0, -2,  0},  // 2D - 2M'
    {  4586.47,     2,  0, -1,  0},  // 2D - M'
    {   191.95,     2,  0,  1,  0},  // 2D + M'
    {   165.15,     2, -1,  0,  0},  // 2D - M
    {   205.96,     2, -1, -1,  0},  // 2D - M - M'
    {  -109.67,     0,  1,  1,  0},  // M + M'
    {   147.69,     0, -1,  1,  0},  // -M + M'
    {   -55.17,    -2,  0,  0,  2},  // -2D + 2F
    {   -45.099,    0,  0,  1,  2},  // M' + 2F
    {    39.53,     0,  0,  1, -2},  // M' - 2F
    {   -38.43,    -4,  0,  1,  0},  // -4D + M'
    {    36.12,     0,  0,  3,  0},  // 3M'
    {   -30.77,    -4,  0,  2,  0},  // -4D + 2M'
    {    28.48,    -2, -1,  1,  0},  // -2D - M + M'
    {   -24.42,     2,  1,  0,  0},  // 2D + M
    {    18.61,    -1,  0,  1,  0},  // -D + M'
    {    18.02,     1,  1,  0,  0},  // D + M
    {    14.58,     2, -1,  1,  0},  // 2D - M + M'
    {    14.39,     2,  0,  2,  0},  // 2D + 2M'
    {    13.9,      4,  0,  0,  0},  // 4D
    {   -13.19,    -2,  0,  3,  0},  // -2D + 3M'
    {     9.7,      0, -1,  2,  0},  // -M + 2M'
    {     9.37,    -2,  0,  1, -2},  // -2D + M' - 2F
    {    -8.63,    -2,  1,  2,  0},  // -2D + M + 2M'
    {    -8.47,     1,  0,  1,  0},  // D + M'
    {    -8.096,   -2,  2,  0,  0},  // -2D + 2M
    {    -7.65,     0,  1,  2,  0},  // M + 2M'
    {    -7.49,     0,  2,  0,  0},  // 2M
    {    -7.41,    -2,  2,  1,  0},  // -2D + 2M + M'
    {    -6.38,     2,  0,  1, -2},  // 2D + M' - 2F
    {    -5.74,     2,  0,  0,  2},  // 2D + 2F
    {    -4.39,    -4,  1,  1,  0},  // -4D + M + M'
    {    -3.99,     0,  0,  2,  2},  // 2M' + 2F
    {     3.22,    -3,  0,  1,  0},  // -3D + M'
    {    -2.92,     2,  1,  1,  0},  // 2D + M + M'
    {    -2.74,    -4,  1,  2,  0},  // -4D + M + 2M'
    {    -2.49,    -2, -1,  2,  0},  // -2D - M + 2M'
    {     2.58,     0, -2,  1,  0},  // -2M + M'
    {     2.53,    -2, -2,  1,  0},  // -2D - 2M + M'
    {    -2.15,    -2,  1,  0,  2},  // -2D + M + 2F
    {     1.98,    -4,  0,  1,  0},  // -4D + M'
    {     1.94,     0,  0,  4,  0},  // 4M'
    {    -1.88,    -4,  1,  0,  0},  // -4D + M
    {     1.75,    -1,  0,  2,  0},  // -D + 2M'
    {    -1.44,     2,  1,  0, -2},  // 2D + M - 2F
    {    -1.298,    0,  0,  2, -2},  // 2M' - 2F
    {     1.27,     1,  1,  1,  0},  // D + M + M'
    {     1.23,    -3,  0,  2,  0},  // -3D + 2M'
    {    -1.19,    -4,  0,  3,  0},  // -4D + 3M'
    {     1.18,     2, -1,  2,  0},  // 2D - M + 2M'
    {    -1.17,     0,  2,  1,  0},  // 2M + M'
    {    -1.09,    -1, -1,  1,  0},  // -D - M + M'
    {     1.06,     2,  0,  3,  0},  // 2D + 3M'
    {    -0.59,     1,  0,  2,  0},  // D + 2M'
    {    -0.99,     2,  0,  1,  2},  // 2D + M' + 2F
    {    -0.95,    -2,  0,  4,  0},  // -2D + 4M'
    {    -0.57,    -6,  0,  2,  0},  // -6D + 2M'
    {     0.64,    -4,  0,  1,  0},  // -4D + M'
    {     0.56,    -1,  1,  0,  0},  // -D + M
    {     0.76,     2, -2,  1,  0},  // 2D - 2M + M'
    {     0.58,    -1,  0,  0,  2},  // -D + 2F
    {    -0.55,     0,  1,  3,  0},  // M + 3M'
    {     0.68,     0, -1,  3,  0},  // -M + 3M'
    {     0.557,   -2,  0,  2,  2},  // -2D + 2M' + 2F
    {     0.538,   -2,  0,  2, -2},  // -2D + 2M' - 2F
}};
// clang-format on

}  // namespace

MoonPosition ComputeMoon(double t) {
    const double t2 = t * t, t3 = t2 * t;
    double lMoon = 270.434164 + 481267.883142 * t - 0.001133 * t2 + 0.0000019 * t3;
    double mMoon = 296.104608 + 477198.849108 * t + 0.009192 * t2 + 0.0000144 * t3;
    double node = 259.183275 - 1934.142008 * t + 0.002078 * t2 + 0.0000022 * t3;
    double lSun = 279.696678 + 36000.768925 * t + 0.000303 * t2;
    double mSun = 358.475833 + 35999.04975 * t - 0.00015 * t2 - 0.0000033 * t3;

    MoonPosition out;

    // The true node is formed from the unreduced arguments, in seconds of arc.
    const double d = lMoon - lSun;
    const double f = lMoon - node;
    const double n = 3600.0 * node + 5392.0 * SinDeg(2.0 * (lSun - node)) - 541.0 * SinDeg(mSun) -
                     442.0 * SinDeg(2.0 * d) + 423.0 * SinDeg(2.0 * f) -
                     291.0 * SinDeg(2.0 * mMoon - 2.0 * f);
    out.TrueNode = n / 3600.0;

    lMoon = Norm360(lMoon);
    mMoon = Norm360(mMoon);
    lSun = Norm360(lSun);
    mSun = Norm360(mSun);
    node = Norm360(node);

    out.NutationLon = (-17.2 * SinDeg(node) + 0.206 * SinDeg(2.0 * node) - 1.319 * SinDeg(2.0 * lSun) +
                       0.143 * SinDeg(mSun) - 0.227 * SinDeg(2.0 * lMoon) + 0.071 * SinDeg(mMoon)) /
                      3600.0;

    const double dR = lMoon - lSun;
    const double fR = lMoon - node;
    double sum = 0;
    for (const LunarTerm& term : kLunarLongitudeTerms) {
        sum += term.amplitude * SinDeg(term.d * dR + term.m * mSun + term.mp * mMoon + term.f * fR);
    }
    const double lon = sum / 3600.0 + out.NutationLon + lMoon;
    out.Longitude = lon;
    out.MeanNode = Norm360(node);

    const double ln = Norm360(lon);
    out.Latitude =
        (18519.7 * SinDeg(ln - node + 0.114 * SinDeg(2.0 * fR) + 0.15 * SinDeg(mSun)) -
         526.1 * SinDeg(fR - 2.0 * dR) + 44.3 * SinDeg(fR - 2.0 * dR + mMoon) -
         30.6 * SinDeg(fR - 2.0 * dR - mMoon) - 22.6 * SinDeg(fR - 2.0 * dR + mSun) +
         11.0 * SinDeg(fR - 2.0 * dR - mSun) - 24.6 * SinDeg(fR - 2.0 * mMoon) + 20.6 * SinDeg(fR - mMoon)) /
        3600.0;
    return out;
}

}  // namespace talvenor
