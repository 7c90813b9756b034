#include "ephemeris/series_kernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

namespace talvenor {
namespace {

// Against the long double sine and cosine: near zero, on both sides of every quadrant's edge, at
// multiples of pi/2 far out, and at random arguments up to the 1.6e6 radians the exact reduction covers.
TEST(SeriesKernelsTest, TheKernelsSineAndCosineAreGoodToTheLastBitsUpToTheReductionsReach) {
    std::vector<double> xs = {0.0, -0.0, 1e-300, 1e-8, -1e-8, 0.5, 1.0, 2.0, 3.0, 100.0, -100.0};
    for (int k = -40; k <= 40; ++k) {
        const double edge = k * M_PI / 4;
        xs.insert(xs.end(), {edge, std::nextafter(edge, 1e9), std::nextafter(edge, -1e9)});
    }
    for (const double k : {1e3, 12345.0, 1e5, 9.9e5})
        xs.insert(xs.end(), {k * M_PI / 2, -k * M_PI / 2, k * M_PI});
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> small(-10, 10), large(-1.6e6, 1.6e6);
    for (int i = 0; i < 200000; ++i) xs.push_back(i % 2 ? small(random) : large(random));
    double worst = 0;
    for (const double x : xs) {
        double s = 0, c = 0;
        KernelSinCos(x, s, c);
        const long double lx = x;
        const double error =
            static_cast<double>(std::max(std::fabs(s - std::sin(lx)), std::fabs(c - std::cos(lx))));
        worst = std::max(worst, error);
        ASSERT_LE(error, 4e-16) << x;
    }
    EXPECT_GT(worst, 0);  // the comparison is at the level of the last bits, not of a coarse tolerance
    double s = 1, c = 0;
    KernelSinCos(0.0, s, c);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(c, 1.0);
    // Far beyond the exact reduction (a date hundreds of millennia away) the values lose accuracy but stay
    // a sine and a cosine: the quadrant never overflows.
    for (const double x : {3e9, -3e9, 1e12, -7.5e14}) {
        KernelSinCos(x, s, c);
        EXPECT_NEAR(s * s + c * c, 1.0, 1e-15) << x;
        if (std::fabs(x) > 1e12) continue;  // there the reduction has no bits left
        EXPECT_NEAR(s, std::sin(x), 1e-3) << x;
        EXPECT_NEAR(c, std::cos(x), 1e-3) << x;
    }
}

// The summed terms of real tables (more than one block of them, and none) are the term-by-term sums of
// the standard library to the rounding of their largest terms, over the years 1 to 4000.
TEST(SeriesKernelsTest, TheSumsAreTheTermByTermSums) {
    const std::filesystem::path folder = std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris";
    const Vsop87Read vsop = LoadVsop87(folder / "vsop87b.txt");
    const ElpRead elp = LoadElpMpp02(folder / "elpmpp02.txt");
    ASSERT_TRUE(vsop.tables && elp.tables);
    const std::vector<Vsop87Term>& mars = vsop.tables->planets[3].L[0];
    const std::vector<ElpTerm>& moon = elp.tables->L[0];
    ASSERT_GT(mars.size(), 1000u);
    ASSERT_GT(moon.size(), 10000u);
    for (const double years : {-1999.0, -200.0, -0.5, 0.0, 24.3, 200.0, 1999.0}) {
        SCOPED_TRACE(years);
        const double t = years / 1000;  // Julian millennia for VSOP87
        double sum = 0, rate = 0, magnitude = 0;
        for (const Vsop87Term& term : mars) {
            sum += term.a * std::cos(term.b + term.c * t);
            rate -= term.a * term.c * std::sin(term.b + term.c * t);
            magnitude += std::fabs(term.a) * (1 + std::fabs(term.c));
        }
        double value = 0, kernelRate = 0;
        SumVsop87Terms(mars.data(), mars.size(), t, value, kernelRate);
        EXPECT_NEAR(value, sum, 1e-15 * magnitude);
        EXPECT_NEAR(kernelRate, rate, 1e-15 * magnitude);

        const double T = years / 100;  // Julian centuries for ELP/MPP02
        double moonSum = 0, moonRate = 0, moonMagnitude = 0;
        for (const ElpTerm& term : moon) {
            const auto& f = term.f;
            // The argument as the tables' polynomial is summed everywhere (at the year 4000 it is 1.6e6
            // radians, whose last bit is 2e-10: any other order of summing moves it by that much).
            const double angle = (((f[4] * T + f[3]) * T + f[2]) * T + f[1]) * T + f[0];
            const double frequency = ((4 * f[4] * T + 3 * f[3]) * T + 2 * f[2]) * T + f[1];
            moonSum += term.a * std::sin(angle);
            moonRate += term.a * frequency * std::cos(angle);
            moonMagnitude +=
                std::fabs(term.a) * (1 + std::fabs(frequency)) * (1 + std::fabs(angle) * 1e-16 * 1e3);
        }
        SumElpTerms(moon.data(), moon.size(), T, value, kernelRate);
        EXPECT_NEAR(value, moonSum, 1e-14 * moonMagnitude);
        EXPECT_NEAR(kernelRate, moonRate, 1e-14 * moonMagnitude);
    }
    double value = 1, rate = 1;
    SumVsop87Terms(mars.data(), 0, 0.1, value, rate);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(rate, 0);
}

}  // namespace
}  // namespace talvenor
