// The factor set's words and sizes.
#include "environment/factor_set.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

TEST(FactorSetTest, TheWordsReadBackInAnyCaseAndNothingElseDoes) {
    for (const FactorSet set : {FactorSet::Classic, FactorSet::Uranian}) {
        EXPECT_EQ(FactorSetOfWord(FactorSetWord(set)), set);
    }
    EXPECT_EQ(FactorSetWord(FactorSet::Classic), "classic");
    EXPECT_EQ(FactorSetWord(FactorSet::Uranian), "uranian");
    EXPECT_EQ(FactorSetOfWord("URANIAN"), FactorSet::Uranian);
    EXPECT_EQ(FactorSetOfWord("Classic"), FactorSet::Classic);
    for (const char* word : {"", "uranian ", "hamburg", "classics", "uran"}) {
        EXPECT_FALSE(FactorSetOfWord(word).has_value()) << word;
    }
    EXPECT_EQ(FactorCountOf(FactorSet::Classic), 13);
    EXPECT_EQ(PairCountOf(FactorSet::Classic), 78);
    EXPECT_EQ(FactorCountOf(FactorSet::Uranian), 22);
    EXPECT_EQ(PairCountOf(FactorSet::Uranian), 231);
}

}  // namespace
}  // namespace talvenor
