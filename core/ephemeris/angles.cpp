#include "ephemeris/angles.h"

#include <cmath>

namespace talvenor {

double PackedToDecimal(double x) {
    const double whole = std::floor(x);
    return whole + (x - whole) * 100.0 / 60.0;
}

double SignedPackedToDecimal(double x) {
    const double magnitude = PackedToDecimal(std::fabs(x));
    return x < 0 ? -magnitude : (x > 0 ? magnitude : 0.0);
}

double ArcSinRad(double x) {
    return std::atan(x / std::sqrt(1.0 - x * x));
}

void PolarToRect(EngineScratch& s) {
    if (s.Angle == 0) s.Angle = kTinyAngle;
    s.X = std::cos(s.Angle) * s.Radius;
    s.Y = std::sin(s.Angle) * s.Radius;
}

void RectToPolar(EngineScratch& s) {
    if (s.Y == 0) s.Y = kTinyAngle;
    s.Radius = std::sqrt(s.X * s.X + s.Y * s.Y);
    s.Angle = std::atan(s.Y / s.X);
    if (s.Angle < 0) s.Angle += EnginePi;
    if (s.Y < 0) s.Angle += EnginePi;
}

void RectToSpherical(EngineScratch& s) {
    s.Radius3 = std::sqrt(s.X * s.X + s.Y * s.Y + s.Z * s.Z);
    const double rho = std::sqrt(s.X * s.X + s.Y * s.Y);
    s.PlanarRadius = rho;

    if (rho == 0) {
        s.Delta = s.Z > 0 ? 90.0 : (s.Z < 0 ? -90.0 : 0.0);
    } else {
        s.Delta = RadToDeg(std::atan(s.Z / rho));
    }

    if (s.X == 0 && s.Y == 0) {
        // The half-angle quotient would be 0/0 here; the direction is taken as 0.
        s.Alpha = 0;
        return;
    }
    const double half = 2.0 * RadToDeg(std::atan(s.Y / (std::fabs(s.X) + rho)));
    if (s.X >= 0) {
        s.Alpha = s.Y >= 0 ? half : half + 360.0;
    } else {
        s.Alpha = 180.0 - half;
    }
}

namespace {

void EclipticToEquatorial(EngineScratch& s, double lon, double lat, double cosEps, double sinEps) {
    const double cosLat = CosDeg(lat), sinLat = SinDeg(lat);
    const double cosLon = CosDeg(lon), sinLon = SinDeg(lon);
    s.X = cosLat * cosLon;
    s.Y = cosLat * sinLon * cosEps - sinLat * sinEps;
    s.Z = sinLat * cosEps + cosLat * sinLon * sinEps;
    RectToSpherical(s);
}

}  // namespace

void EclipticToEquatorial(EngineScratch& s, double lon, double lat, double epsilonRad) {
    EclipticToEquatorial(s, lon, lat, std::cos(epsilonRad), std::sin(epsilonRad));
}

double Declination(double lon, double lat, double epsilonRad) {
    EngineScratch s;
    EclipticToEquatorial(s, lon, lat, epsilonRad);
    return s.Delta;
}

ObliquityTerms ObliquityTermsOf(double epsilonRad) {
    return {std::cos(epsilonRad), std::sin(epsilonRad)};
}

double Declination(double lon, double lat, const ObliquityTerms& eps) {
    EngineScratch s;
    EclipticToEquatorial(s, lon, lat, eps.Cos, eps.Sin);
    return s.Delta;
}

}  // namespace talvenor
