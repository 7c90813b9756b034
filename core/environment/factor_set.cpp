#include "environment/factor_set.h"

namespace talvenor {

std::string_view FactorSetWord(FactorSet set) {
    return set == FactorSet::Uranian ? "uranian" : "classic";
}

std::optional<FactorSet> FactorSetOfWord(std::string_view word) {
    auto is = [word](std::string_view name) {
        if (word.size() != name.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = word[i];
            if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != name[i]) return false;
        }
        return true;
    };
    if (is("classic")) return FactorSet::Classic;
    if (is("uranian")) return FactorSet::Uranian;
    return std::nullopt;
}

}  // namespace talvenor
