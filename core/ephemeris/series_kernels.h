// The inner loops of the modern series: the terms of one power summed with their derivative in time, the
// sines and cosines from a polynomial kernel that the compiler can run on several terms at once (and, on
// x86-64, on AVX2 where the processor has it, chosen when the program starts). Each term's value is
// computed the same way on every processor and the terms are added in their table order, so the sums do
// not depend on the machine.
#pragma once

#include <cstddef>

#include "ephemeris/elp_mpp02.h"
#include "ephemeris/vsop87.h"

namespace talvenor {

// The sine and cosine of x: within 3e-16 of the exact values for |x| up to 1.6e6 radians (the reduction
// by pi/2 is exact there), and losing about |x| x 1e-16 beyond.
void KernelSinCos(double x, double& sine, double& cosine);

// Sum of a cos(b + c t) over VSOP87 terms and its derivative in t: sum of -a c sin(b + c t).
void SumVsop87Terms(const Vsop87Term* terms, std::size_t count, double t, double& value, double& rate);

// Sum of a sin(f0 + f1 T + ... + f4 T^4) over ELP/MPP02 terms and its derivative in T.
void SumElpTerms(const ElpTerm* terms, std::size_t count, double t, double& value, double& rate);

// A series in powers of t (the terms of power k multiplied by t^k) and its derivative in t, by Horner's
// scheme from the highest power; `sumPower(k, value, rate)` sums the terms of power k and their derivative.
template <class SumPower>
void HornerWithRate(std::size_t powers, double t, SumPower sumPower, double& value, double& rate) {
    double total = 0, derivative = 0;
    for (std::size_t k = powers; k-- > 0;) {
        double sum = 0, sumRate = 0;
        sumPower(k, sum, sumRate);
        // (P t + S)' = P' t + P + S'.
        derivative = derivative * t + total + sumRate;
        total = total * t + sum;
    }
    value = total;
    rate = derivative;
}

}  // namespace talvenor
