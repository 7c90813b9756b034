#include "ephemeris/series_kernels.h"

#include <algorithm>

// GCC runs these loops on vectors only when asked at -O2; on x86-64 ELF it also makes an AVX2 copy picked
// at load time. No fused multiply-add in either copy: the results are the same bit for bit.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define TALVENOR_SERIES_LOOP __attribute__((target_clones("avx2", "default"), optimize("tree-vectorize")))
#elif defined(__GNUC__) && !defined(__clang__)
#define TALVENOR_SERIES_LOOP __attribute__((optimize("tree-vectorize")))
#else
#define TALVENOR_SERIES_LOOP
#endif

namespace talvenor {

namespace {

// Terms are computed a block at a time into these, then added in order.
constexpr std::size_t kBlock = 256;

inline void SinCos(double x, double& sine, double& cosine) {
    // x = n pi/2 + r with |r| <= pi/4; pi/2 in three parts of 33 bits, so n times the first two is exact
    // for |n| below 2^20.
    constexpr double kTwoOverPi = 0.63661977236758134308;
    constexpr double kPart1 = 1.57079632673412561417e+00;
    constexpr double kPart2 = 6.07710050630396597660e-11;
    constexpr double kPart3 = 2.02226624879595063154e-21;
    constexpr double kRound = 6755399441055744.0;  // 1.5 x 2^52: adding it rounds to an integer
    const double n = (x * kTwoOverPi + kRound) - kRound;
    const double r = ((x - n * kPart1) - n * kPart2) - n * kPart3;
    const double r2 = r * r;
    // Taylor's series to r^17 and r^18: what they leave out is below 1e-19 for |r| <= pi/4.
    double s = 1.0 / 355687428096000.0;
    s = s * r2 - 1.0 / 1307674368000.0;
    s = s * r2 + 1.0 / 6227020800.0;
    s = s * r2 - 1.0 / 39916800.0;
    s = s * r2 + 1.0 / 362880.0;
    s = s * r2 - 1.0 / 5040.0;
    s = s * r2 + 1.0 / 120.0;
    s = s * r2 - 1.0 / 6.0;
    s = r + r * r2 * s;
    double c = -1.0 / 6402373705728000.0;
    c = c * r2 + 1.0 / 20922789888000.0;
    c = c * r2 - 1.0 / 87178291200.0;
    c = c * r2 + 1.0 / 479001600.0;
    c = c * r2 - 1.0 / 3628800.0;
    c = c * r2 + 1.0 / 40320.0;
    c = c * r2 - 1.0 / 720.0;
    c = c * r2 + 1.0 / 24.0;
    c = 1.0 - 0.5 * r2 + r2 * r2 * c;
    // The quadrant, without branches: odd quadrants swap the sine and the cosine, and the signs follow.
    // n less the nearest multiple of four is -2 to 2, which any int holds whatever x is.
    const int q = static_cast<int>(n - 4.0 * ((n * 0.25 + kRound) - kRound));
    const double odd = static_cast<double>(q & 1);
    const double a = s + odd * (c - s), b = c + odd * (s - c);
    sine = a * static_cast<double>(1 - (q & 2));
    cosine = b * static_cast<double>(1 - ((q + 1) & 2));
}

TALVENOR_SERIES_LOOP
void Vsop87Block(const Vsop87Term* terms, std::size_t count, double t, double* values, double* rates) {
    for (std::size_t i = 0; i < count; ++i) {
        double s, c;
        SinCos(terms[i].b + terms[i].c * t, s, c);
        values[i] = terms[i].a * c;
        rates[i] = -terms[i].a * terms[i].c * s;
    }
}

TALVENOR_SERIES_LOOP
void SinCosBlock(const double* angles, std::size_t count, double* sines, double* cosines) {
    for (std::size_t i = 0; i < count; ++i) SinCos(angles[i], sines[i], cosines[i]);
}

// The ELP/MPP02 terms' six numbers do not load well side by side: their arguments are gathered first.
void ElpBlock(const ElpTerm* terms, std::size_t count, double t, double* values, double* rates) {
    // Only the first count of each are written and read (GCC cannot see it through the clones).
    double angles[kBlock] = {}, frequencies[kBlock], sines[kBlock], cosines[kBlock];
    for (std::size_t i = 0; i < count; ++i) {
        const double* f = terms[i].f.data();
        angles[i] = (((f[4] * t + f[3]) * t + f[2]) * t + f[1]) * t + f[0];
        frequencies[i] = ((4 * f[4] * t + 3 * f[3]) * t + 2 * f[2]) * t + f[1];
    }
    SinCosBlock(angles, count, sines, cosines);
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = terms[i].a * sines[i];
        rates[i] = terms[i].a * frequencies[i] * cosines[i];
    }
}

template <typename Term, typename Block>
void SumTerms(const Term* terms, std::size_t count, double t, double& value, double& rate, Block block) {
    double values[kBlock], rates[kBlock];
    double sum = 0, sumRate = 0;
    for (std::size_t start = 0; start < count; start += kBlock) {
        const std::size_t n = std::min(kBlock, count - start);
        block(terms + start, n, t, values, rates);
        for (std::size_t i = 0; i < n; ++i) {
            sum += values[i];
            sumRate += rates[i];
        }
    }
    value = sum;
    rate = sumRate;
}

}  // namespace

void KernelSinCos(double x, double& sine, double& cosine) {
    SinCos(x, sine, cosine);
}

void SumVsop87Terms(const Vsop87Term* terms, std::size_t count, double t, double& value, double& rate) {
    SumTerms(terms, count, t, value, rate, Vsop87Block);
}

void SumElpTerms(const ElpTerm* terms, std::size_t count, double t, double& value, double& rate) {
    SumTerms(terms, count, t, value, rate, ElpBlock);
}

}  // namespace talvenor
