#include "chart/point_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "chart/chart_state.h"

namespace talvenor {
namespace {

TEST(PointCatalogueTest, NameTablesSliceIntoTheirFields) {
    EXPECT_EQ(PointNameField(kSun), "SUN       ");
    EXPECT_EQ(PointNameField(kPartOfFortune), "P. OF F.  ");
    EXPECT_EQ(PointNameField(kMidheaven), "MC        ");
    EXPECT_EQ(PointName[kMidheaven], "MC ");
    EXPECT_EQ(PointName[kPartOfFortune], "PART F.");
    EXPECT_EQ(SignAbbrevField(1), "ARI");
    EXPECT_EQ(SignAbbrevField(10), "CPR");
    EXPECT_EQ(SignAbbrevField(12), "PIS");
    EXPECT_EQ(HouseLabelField(1), "10TH");
    EXPECT_EQ(HouseLabelField(4), " 1ST");
    EXPECT_EQ(HouseLabelField(12), " 9TH");
    EXPECT_EQ(HouseLabelField(13), "    ");
    EXPECT_EQ(AspectNameField(1), "            ");
    EXPECT_EQ(AspectNameField(2), "Conjunct    ");
    EXPECT_EQ(AspectNameField(10), "Ses.Square  ");
    EXPECT_EQ(AspectNameField(20), "157.5 deg.  ");
    EXPECT_EQ(MidpointFactorField(11), "NOD");
    EXPECT_EQ(MidpointFactorField(13), "MC ");
}

TEST(PointCatalogueTest, EveryPointNameFieldMatchesItsShortName) {
    for (int p = 1; p <= kPointCount; ++p) {
        SCOPED_TRACE(p);
        if (p == kPartOfFortune) continue;  // the only point whose two names differ
        std::string shortName(PointName[static_cast<std::size_t>(p)]);
        while (!shortName.empty() && shortName.back() == ' ') shortName.pop_back();
        std::string field(PointNameField(p));
        EXPECT_EQ(field.substr(0, shortName.size()), shortName);
        EXPECT_EQ(field.find_first_not_of(' ', shortName.size()), std::string::npos);
    }
}

TEST(PointCatalogueTest, AspectAnglesFollowTheAspectNumbers) {
    EXPECT_EQ(AspectAngle[2], 0);    // Conjunct
    EXPECT_EQ(AspectAngle[6], 180);  // Opposite
    EXPECT_EQ(AspectAngle[7], 0);    // Parallel, a declination aspect
    EXPECT_EQ(AspectAngle[10], 135);
    EXPECT_EQ(AspectAngle[11], 150);
    EXPECT_EQ(AspectAngle[13], 40);
    EXPECT_EQ(AspectAngle[16], 144);
}

TEST(PointCatalogueTest, MidpointPairsNumberOneToSeventyEightWithoutGaps) {
    std::set<int> seen;
    int expected = 0;
    for (int i = 1; i <= 12; ++i) {
        for (int j = i + 1; j <= 13; ++j) {
            ++expected;
            EXPECT_EQ(MidpointPairIndex(i, j), expected) << i << "/" << j;
            seen.insert(MidpointPairIndex(i, j));
        }
    }
    EXPECT_EQ(seen.size(), 78u);
    EXPECT_EQ(MidpointPairIndex(1, 2), 1);
    EXPECT_EQ(MidpointPairIndex(2, 3), 13);
    EXPECT_EQ(MidpointPairIndex(12, 13), 78);
}

TEST(PointCatalogueTest, SignOfALongitudeCountsFromAries) {
    EXPECT_EQ(SignOf(0.0), 1);
    EXPECT_EQ(SignOf(29.9999), 1);
    EXPECT_EQ(SignOf(30.0), 2);
    EXPECT_EQ(SignOf(359.99), 12);
}

TEST(ChartStateTest, StartsWithBlankFlagsAndDashedHouseSlots) {
    const ChartState st;
    EXPECT_EQ(st.RetroFlags, std::string(15, ' '));
    ASSERT_EQ(st.PointHouseText.size(), 150u);
    EXPECT_EQ(st.PointHouseText.substr(0, 20), "---- --------- -----");
    EXPECT_EQ(st.PointHouseText.find_first_not_of(' ', 20), std::string::npos);
    EXPECT_EQ(st.TrueNode, -100.0);
    EXPECT_EQ(st.MidpointLon.size(), 79u);  // element 0 unused, 1..78 the pairs
}

}  // namespace
}  // namespace talvenor
