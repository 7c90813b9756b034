// Angle and coordinate helpers of the astronomical engine.
//
// All angles are degrees unless a name says radians. Every degree/radian conversion uses EnginePi,
// a ten-decimal value of pi: positions have always been computed with it, and using the full-precision
// value would move printed minutes at their rounding edges.
#pragma once

#include <cmath>

namespace talvenor {

inline constexpr double EnginePi = 3.1415926535;

// Stands in for an exact zero angle, one ten-millionth of a degree in radians, so that the polar
// helpers never meet an exactly vertical or horizontal vector.
inline constexpr double kTinyAngle = 1.74533e-9;

// Reduces an angle to one turn, normally [0, 360). Negative values go through the two-step form the
// positions were always reduced with; a tiny negative value therefore gives exactly 360.
inline double Norm360(double x) {
    if (x >= 0) return x - 360.0 * std::floor(x / 360.0);
    return x - 360.0 * (std::floor(x / 360.0) + 1.0) + 360.0;
}
// The single-expression form used by the time and house routines.
inline double Norm360BranchFree(double x) {
    return x - 360.0 * std::floor(x / 360.0);
}

// Defined here so that a sine and a cosine of the same angle, as the orbit and coordinate routines take
// them, can be computed together.
inline double DegToRad(double x) {
    return x * EnginePi / 180.0;
}
inline double RadToDeg(double x) {
    return x * 180.0 / EnginePi;
}
inline double SinDeg(double x) {
    return std::sin(DegToRad(x));
}
inline double CosDeg(double x) {
    return std::cos(DegToRad(x));
}

// Packed degrees-and-minutes (12.30 is 12 degrees 30 minutes) to decimal degrees.
double PackedToDecimal(double x);
double SignedPackedToDecimal(double x);

// Arcsine from the arctangent, in radians; |x| = 1 divides by zero.
double ArcSinRad(double x);

// The working record through which the coordinate helpers pass vectors from one step to the next.
struct EngineScratch {
    double X = 0, Y = 0, Z = 0;
    double Angle = 0;  // radians
    double Radius = 0;
    double Alpha = 0;  // degrees, [0, 360)
    double Delta = 0;  // degrees, [-90, 90]
    double Radius3 = 0;
    double PlanarRadius = 0;
};

// X, Y from Angle and Radius (an exact zero Angle is first replaced by kTinyAngle, and stays so).
void PolarToRect(EngineScratch& s);
// Radius and Angle in [0, 2 EnginePi) from X, Y (an exact zero Y is first replaced by kTinyAngle, and
// stays so). X exactly 0 divides by zero.
void RectToPolar(EngineScratch& s);
// Alpha, Delta, Radius3 and PlanarRadius from X, Y, Z.
void RectToSpherical(EngineScratch& s);
// Ecliptic longitude and latitude (degrees) with obliquity epsilon (radians) to equatorial: leaves the
// right ascension in Alpha and the declination in Delta.
void EclipticToEquatorial(EngineScratch& s, double lon, double lat, double epsilonRad);
// Declination of an ecliptic position.
double Declination(double lon, double lat, double epsilonRad);

// The cosine and sine of one obliquity, for the many declinations of one instant.
struct ObliquityTerms {
    double Cos = 1, Sin = 0;
};
ObliquityTerms ObliquityTermsOf(double epsilonRad);
// The same declination as above, with the obliquity's cosine and sine already taken.
double Declination(double lon, double lat, const ObliquityTerms& eps);

}  // namespace talvenor
