// The frame the modern series are written in, the ecliptic and equinox of J2000.0, turned to the equator of
// J2000.0 where the precession and nutation take over; and the constants of light's travel.
#pragma once

#include <erfam.h>

#include <array>
#include <cmath>
#include <numbers>

namespace talvenor::j2000 {

using Vector = std::array<double, 3>;

inline constexpr double kDegree = std::numbers::pi / 180.0;
// The obliquity of the ecliptic at J2000.0 (IAU 2006), which turns the series' ecliptic of J2000.0 into
// the equator of J2000.0.
inline constexpr double kObliquity = 84381.406 / 3600.0 * kDegree;
// Light time for one au, in days, and the au in kilometres.
inline constexpr double kLightDaysPerAu = ERFA_AULT / ERFA_DAYSEC;
inline constexpr double kKilometresPerAu = ERFA_DAU / 1000.0;

// From the ecliptic of J2000.0 to the equator of J2000.0.
inline Vector EquatorialJ2000(const Vector& e) {
    static const double c = std::cos(kObliquity), s = std::sin(kObliquity);
    return {e[0], c * e[1] - s * e[2], s * e[1] + c * e[2]};
}

inline double Length(const Vector& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

}  // namespace talvenor::j2000
