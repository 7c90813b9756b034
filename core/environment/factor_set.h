// The factors midpoint work is done with: the thirteen of the classic set (Sun to Pluto, the node, the
// Ascendant and the Midheaven), or the Uranian set, the same thirteen then the Aries point and the eight
// hypothetical points (Cupido, Hades, Zeus, Kronos, Apollon, Admetos, Vulkanus, Poseidon). One setting;
// the classic set is the default.
#pragma once

#include <optional>
#include <string_view>

namespace talvenor {

enum class FactorSet { Classic, Uranian };

// The words of the settings file and the report tool: "classic" and "uranian".
std::string_view FactorSetWord(FactorSet set);
// The word read back, any case; nothing for another word.
std::optional<FactorSet> FactorSetOfWord(std::string_view word);

inline constexpr int kClassicFactorCount = 13;
inline constexpr int kUranianFactorCount = 22;

// How many factors a set has, and how many midpoints of pairs of them.
constexpr int FactorCountOf(FactorSet set) {
    return set == FactorSet::Uranian ? kUranianFactorCount : kClassicFactorCount;
}
constexpr int PairCountOf(FactorSet set) {
    return FactorCountOf(set) * (FactorCountOf(set) - 1) / 2;
}

}  // namespace talvenor
