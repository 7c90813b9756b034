// The midpoint factors of both sets in their order: 1..13 the classic thirteen (Sun, Moon, Mercury to
// Pluto, the node, Ascendant, Midheaven), then 14 the Aries point and 15..22 the eight hypothetical points
// of the Uranian set. A set's factors are the first FactorCountOf(set) of them.
#pragma once

#include <string>
#include <string_view>

#include "environment/factor_set.h"

namespace talvenor {

inline constexpr int kAriesPointFactor = 14;
inline constexpr int kFirstUranianFactor = 15;  // Cupido; Poseidon is 22

struct FactorInfo {
    // Nine characters: the first three are the factor's name in formulas, pictures and tables ("SUN",
    // "NN", "CUP"), the first two its code in trees and the dial panel ("SU", "CU").
    std::string_view analysisName;
    std::string_view caption;  // in windows: "Sun", "North Node", "Aries point", "Cupido"
    int point;                 // the chart point it is (1..15), or 0 for the Aries point and the eight
};

// Factor f, 1..22.
const FactorInfo& FactorOf(int f);

// The three-letter name with its trailing blanks dropped ("SUN", "NN", "MC", "ARI").
std::string FactorName(int f);

// The hypothetical point of factor 15..22 as UranianPoint's value 0..7; -1 for the other factors.
constexpr int UranianIndexOfFactor(int f) {
    return f >= kFirstUranianFactor && f <= kUranianFactorCount ? f - kFirstUranianFactor : -1;
}

}  // namespace talvenor
