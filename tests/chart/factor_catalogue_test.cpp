// The catalogue of the factors both sets share.
#include "chart/factor_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace talvenor {
namespace {

TEST(FactorCatalogueTest, EveryFactorHasANineCharacterNameWhoseLettersNameItUniquely) {
    std::set<std::string> three, two;
    for (int f = 1; f <= kUranianFactorCount; ++f) {
        const FactorInfo& info = FactorOf(f);
        SCOPED_TRACE(f);
        EXPECT_EQ(info.analysisName.size(), 9u);
        EXPECT_FALSE(info.caption.empty());
        EXPECT_TRUE(three.insert(std::string(info.analysisName.substr(0, 3))).second);
        EXPECT_TRUE(two.insert(std::string(info.analysisName.substr(0, 2))).second);
        EXPECT_EQ(FactorName(f).size(), f == 11 || f == 13 ? 2u : 3u);
    }
    const char* uranian[] = {"ARI", "CUP", "HAD", "ZEU", "KRO", "APO", "ADM", "VUL", "POS"};
    for (int f = kAriesPointFactor; f <= kUranianFactorCount; ++f) {
        EXPECT_EQ(FactorName(f), uranian[f - kAriesPointFactor]);
        EXPECT_EQ(FactorOf(f).point, 0);
        EXPECT_EQ(UranianIndexOfFactor(f), f == kAriesPointFactor ? -1 : f - kFirstUranianFactor);
    }
    EXPECT_EQ(FactorOf(2).point, 10);  // the Moon is point 10
    EXPECT_EQ(FactorOf(11).caption, "North Node");
    EXPECT_EQ(FactorOf(21).caption, "Vulkanus");
    EXPECT_EQ(FactorOf(0).analysisName, "");
    EXPECT_EQ(FactorOf(23).analysisName, "");
}

}  // namespace
}  // namespace talvenor
