#include "ephemeris/apparent_sky_cache.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/solar_deflection.h"

namespace talvenor {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDegree = std::numbers::pi / 180;

// The sum of c[0] / 2 + c[1] T1(x) + ... + c[degree] T_degree(x) (Clenshaw's recurrence).
double Chebyshev(const double* c, int degree, double x) {
    double b1 = 0, b2 = 0;
    for (int j = degree; j >= 1; --j) {
        const double b = 2 * x * b1 - b2 + c[j];
        b2 = b1;
        b1 = b;
    }
    return x * b1 - b2 + 0.5 * c[0];
}

// The derivative in x of the same sum.
double ChebyshevDerivative(const double* c, int degree, double x) {
    // The derivative's own coefficients: d[j - 1] = d[j + 1] + 2 j c[j].
    std::array<double, kSkyCacheMaxDegree + 2> d{};
    for (int j = degree; j >= 1; --j) d[j - 1] = d[j + 1] + 2 * j * c[j];
    return Chebyshev(d.data(), degree - 1, x);
}

std::size_t GroupOf(ModernBody body) {
    for (std::size_t g = 0; g < kSkyCacheGroups; ++g) {
        if (kSkyCacheGroupings[g].bodies & SkyBodyBit(body)) return g;
    }
    return kSkyCacheGroups - 1;
}

}  // namespace

void ApparentSkyCache::Fit(std::size_t group, long index, Window& window) {
    const SkyCacheGroup& g = kSkyCacheGroupings[group];
    const int n = g.degree + 1;
    const double half = g.windowDays / 2;
    const double middle = kJ2000 + (index + 0.5) * g.windowDays;
    // The values at the nodes x_k = cos(pi (k + 1/2) / n), k from 0 (the window's end) to n - 1 (its start).
    std::array<std::array<std::array<double, kSkyCacheMaxDegree + 1>, kCoordinates>, kApparentSkyBodies>
        values{};
    std::array<double, kSkyCacheMaxDegree + 1> obliquity{};
    for (int k = 0; k < n; ++k) {
        const double x = std::cos(std::numbers::pi * (k + 0.5) / n);
        const ApparentSky sky =
            ApparentSkyAt(tables_, middle + half * x, {g.bodies, SunDeflection::LeftOut, nutation_});
        obliquity[k] = sky.trueObliquity;
        for (std::size_t b = 0; b < kApparentSkyBodies; ++b) {
            if (!(g.bodies & (1u << b))) continue;
            const ApparentPlace& p = sky.places[b];
            values[b][0][k] = p.longitude;
            values[b][1][k] = p.latitude;
            values[b][2][k] = p.distance;
        }
    }
    std::array<std::array<double, kSkyCacheMaxDegree + 1>, kSkyCacheMaxDegree + 1> cosines{};
    for (int j = 0; j < n; ++j) {
        for (int k = 0; k < n; ++k) cosines[j][k] = std::cos(std::numbers::pi * j * (k + 0.5) / n);
    }
    for (int j = 0; j < n; ++j) {
        double sum = 0;
        for (int k = 0; k < n; ++k) sum += obliquity[k] * cosines[j][k];
        window.obliquity[j] = 2.0 * sum / n;
    }
    for (std::size_t b = 0; b < kApparentSkyBodies; ++b) {
        if (!(g.bodies & (1u << b))) continue;
        // The longitude made continuous through the window, node by node in time.
        std::array<double, kSkyCacheMaxDegree + 1>& longitude = values[b][0];
        for (int k = n - 2; k >= 0; --k) {
            longitude[k] = longitude[k + 1] + std::remainder(longitude[k] - longitude[k + 1], 360.0);
        }
        for (std::size_t c = 0; c < kCoordinates; ++c) {
            for (int j = 0; j < n; ++j) {
                double sum = 0;
                for (int k = 0; k < n; ++k) sum += values[b][c][k] * cosines[j][k];
                window.coefficients[b][c][j] = 2.0 * sum / n;
            }
        }
    }
    window.index = index;
    window.filled = true;
    ++fitted_;
}

ApparentSkyCache::Found ApparentSkyCache::WindowFor(ModernBody body, double julianDayTt) {
    const std::size_t group = GroupOf(body);
    const SkyCacheGroup& g = kSkyCacheGroupings[group];
    const double position = (julianDayTt - kJ2000) / g.windowDays;
    const long index = static_cast<long>(std::floor(position));
    Found found;
    found.x = 2 * (position - index) - 1;
    found.halfSpan = g.windowDays / 2;
    found.degree = g.degree;
    for (const Window& w : windows_[group]) {
        if (w.filled && w.index == index) {
            found.window = &w;
            return found;
        }
    }
    Window& slot = windows_[group][next_[group]];
    next_[group] = (next_[group] + 1) % kSlots;
    Fit(group, index, slot);
    found.window = &slot;
    return found;
}

ApparentPlace ApparentSkyCache::PlaceAt(ModernBody body, double julianDayTt) {
    const Found f = WindowFor(body, julianDayTt);
    const auto& c = f.window->coefficients[static_cast<std::size_t>(body)];
    double longitude = Chebyshev(c[0].data(), f.degree, f.x) * kDegree;
    double latitude = Chebyshev(c[1].data(), f.degree, f.x) * kDegree;
    const double eps = Chebyshev(f.window->obliquity.data(), f.degree, f.x) * kDegree;
    ApparentPlace p;
    p.distance = Chebyshev(c[2].data(), f.degree, f.x);
    if (body != ModernBody::Sun && body != ModernBody::Moon) {
        // The Sun's light deflection, from the directions of the body and of the Sun as seen: both carry the
        // same annual aberration to within a ten-thousandth of their small separation.
        const ApparentPlace sun = PlaceAt(ModernBody::Sun, julianDayTt);
        const double sl = sun.longitude * kDegree, sb = sun.latitude * kDegree;
        double e[3] = {-std::cos(sb) * std::cos(sl), -std::cos(sb) * std::sin(sl), -std::sin(sb)};
        double d[3] = {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
                       std::sin(latitude)};
        // The body's heliocentric direction from its place and distance and the Sun's, as ApparentSkyAt
        // bends the light of a body at its distance.
        double q[3];
        for (int k = 0; k < 3; ++k) q[k] = d[k] * p.distance + e[k] * sun.distance;
        const double r = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
        for (double& x : q) x /= r;
        double bent[3];
        BendLightPastSun(d, q, e, sun.distance, bent);
        longitude = std::atan2(bent[1], bent[0]);
        latitude = std::atan2(bent[2], std::hypot(bent[0], bent[1]));
    }
    p.longitude = std::fmod(longitude / kDegree, 360.0);
    if (p.longitude < 0) p.longitude += 360;
    p.latitude = latitude / kDegree;
    p.declination = std::asin(std::sin(latitude) * std::cos(eps) +
                              std::cos(latitude) * std::sin(eps) * std::sin(longitude)) /
                    kDegree;
    return p;
}

double ApparentSkyCache::SpeedAt(ModernBody body, double julianDayTt) {
    const Found f = WindowFor(body, julianDayTt);
    const auto& c = f.window->coefficients[static_cast<std::size_t>(body)];
    return ChebyshevDerivative(c[0].data(), f.degree, f.x) / f.halfSpan;
}

}  // namespace talvenor
