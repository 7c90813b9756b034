#include "environment/factor_set.h"

#include "text/basic_text.h"

namespace talvenor {

std::string_view FactorSetWord(FactorSet set) {
    return set == FactorSet::Uranian ? "uranian" : "classic";
}

std::optional<FactorSet> FactorSetOfWord(std::string_view word) {
    if (IsWordInAnyCase(word, "classic")) return FactorSet::Classic;
    if (IsWordInAnyCase(word, "uranian")) return FactorSet::Uranian;
    return std::nullopt;
}

}  // namespace talvenor
