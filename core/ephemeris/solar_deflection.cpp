#include "ephemeris/solar_deflection.h"

#include <erfa.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace talvenor {

namespace {

// The mass inside a radius, as a share of the whole, every twentieth of the radius from the centre: rounded
// values of standard models of the Sun's interior (half the mass within a quarter of the radius, 98% within
// the base of the convection zone at 0.7).
constexpr std::array<double, 21> kMassWithin = {0.0,  0.012, 0.073, 0.19,  0.34,  0.49,   0.61,
                                                0.71, 0.79,  0.85,  0.90,  0.93,  0.95,   0.97,
                                                0.98, 0.988, 0.994, 0.997, 0.999, 0.9997, 1.0};

}  // namespace

double SunMassWithin(double radiusFraction) {
    if (!(radiusFraction > 0)) return 0;
    if (radiusFraction >= 1) return 1;
    const double x = radiusFraction * (kMassWithin.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(x), kMassWithin.size() - 2);
    return kMassWithin[i] + (x - i) * (kMassWithin[i + 1] - kMassWithin[i]);
}

namespace {

// The projected mass every hundredth of the radius, summed once from the shells: a shell of radius r
// gives the share of its mass inside the cylinder of radius b, 1 - sqrt(1 - b^2 / r^2) when r > b.
constexpr int kProjectedSteps = 100;
std::array<double, kProjectedSteps + 1> ProjectedMassTable() {
    std::array<double, kProjectedSteps + 1> table{};
    constexpr int kShells = 4000;
    for (int j = 0; j <= kProjectedSteps; ++j) {
        const double b = static_cast<double>(j) / kProjectedSteps;
        double sum = 0;
        for (int k = 0; k < kShells; ++k) {
            const double inner = static_cast<double>(k) / kShells,
                         outer = static_cast<double>(k + 1) / kShells;
            const double r = 0.5 * (inner + outer);
            const double share = r <= b ? 1.0 : 1.0 - std::sqrt(1.0 - b * b / (r * r));
            sum += (SunMassWithin(outer) - SunMassWithin(inner)) * share;
        }
        table[j] = sum;
    }
    table[kProjectedSteps] = 1.0;
    return table;
}

}  // namespace

double SunMassProjectedWithin(double radiusFraction) {
    static const std::array<double, kProjectedSteps + 1> table = ProjectedMassTable();
    if (!(radiusFraction > 0)) return 0;
    if (radiusFraction >= 1) return 1;
    const double x = radiusFraction * kProjectedSteps;
    const int i = std::min(static_cast<int>(x), kProjectedSteps - 1);
    return table[i] + (x - i) * (table[i + 1] - table[i]);
}

void BendLightPastSun(const double direction[3], const double fromSun[3], const double sunToObserver[3],
                      double sunDistance, double bent[3]) {
    double mass = 1.0;
    // Behind the Sun: the body lies on the far side of it (its direction from the Sun points away from the
    // observer) and its direction is within the Sun's disk.
    const double awayFromObserver =
        fromSun[0] * sunToObserver[0] + fromSun[1] * sunToObserver[1] + fromSun[2] * sunToObserver[2];
    if (awayFromObserver < 0) {
        // The angle between the body and the Sun's centre as seen, and the Sun's angular radius.
        const double towardsSun = -(direction[0] * sunToObserver[0] + direction[1] * sunToObserver[1] +
                                    direction[2] * sunToObserver[2]);
        const double separation = std::acos(std::clamp(towardsSun, -1.0, 1.0));
        const double radius = std::asin(std::min(kSunRadiusAu / sunDistance, 1.0));
        if (separation < radius) mass = SunMassProjectedWithin(separation / radius);
    }
    double p[3] = {direction[0], direction[1], direction[2]};
    double q[3] = {fromSun[0], fromSun[1], fromSun[2]};
    double e[3] = {sunToObserver[0], sunToObserver[1], sunToObserver[2]};
    // No limiter beyond a guard against dividing by zero: the projected mass falls with the square of the
    // radius towards the centre, as fast as the point mass's bending grows (eraLdsun's limiter, 1e-6, would
    // already cut it down in the inner third of the disk for the outer planets).
    eraLd(mass, p, q, e, sunDistance, 1e-30, bent);
}

}  // namespace talvenor
