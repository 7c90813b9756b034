#include "midpoints/planetary_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <random>
#include <tuple>

#include "chart/midpoint_rule.h"

namespace talvenor {
namespace {

using Factors = std::array<double, 14>;

// Thirteen longitudes from a seed, in sixteenths of a degree so that sums and midpoints are exact.
Factors SeededFactors(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sixteenths(0, 360 * 16 - 1);
    Factors f{};
    for (std::size_t i = 1; i <= 13; ++i) f[i] = sixteenths(random) / 16.0;
    return f;
}

std::vector<PictureTarget> EveryFactor(const Factors& f) {
    std::vector<PictureTarget> targets;
    for (int d = 1; d <= 13; ++d) targets.push_back({d, f[static_cast<std::size_t>(d)], false});
    return targets;
}

// The pictures as the test finds them on its own: every quadruple of factors, the distance of A + B - C
// from D to the nearest multiple of the modulus.
struct Expected {
    int a, b, c, d;
    double orb;
};
std::vector<Expected> BruteForce(const Factors& f, double modulus, double orb) {
    std::vector<Expected> out;
    for (int d = 1; d <= 13; ++d) {
        for (int a = 1; a <= 13; ++a) {
            for (int b = 1; b <= 13; ++b) {
                for (int c = 1; c <= 13; ++c) {
                    if (!(a < b) || c == a || c == b || d == a || d == b) continue;
                    const auto at = [&](int i) { return f[static_cast<std::size_t>(i)]; };
                    const double x = at(a) + at(b) - at(c) - at(d);
                    const double o = x - std::round(x / modulus) * modulus;
                    if (std::fabs(o) <= orb) out.push_back({a, b, c, d, o});
                }
            }
        }
    }
    return out;
}

struct BruteCase {
    double modulus;
    double orb;
    unsigned seed;
};

class PicturesAgainstBruteForce : public ::testing::TestWithParam<BruteCase> {};

TEST_P(PicturesAgainstBruteForce, CountsOrbsAndOrderMatchAnEnumerationOfEveryQuadruple) {
    const BruteCase& bc = GetParam();
    const Factors f = SeededFactors(bc.seed);
    const std::vector<Picture> found = FindPictures(f, EveryFactor(f), bc.modulus, bc.orb);
    std::vector<Expected> expected = BruteForce(f, bc.modulus, bc.orb);
    ASSERT_EQ(found.size(), expected.size());
    ASSERT_FALSE(found.empty());

    // The same quadruples with the same orbs, whatever the order.
    auto key = [](int a, int b, int c, int d) { return std::make_tuple(d, a, b, c); };
    std::sort(expected.begin(), expected.end(), [&](const Expected& x, const Expected& y) {
        return key(x.a, x.b, x.c, x.d) < key(y.a, y.b, y.c, y.d);
    });
    std::vector<Picture> byKey = found;
    std::sort(byKey.begin(), byKey.end(), [&](const Picture& x, const Picture& y) {
        return key(x.a, x.b, x.c, x.target.factor) < key(y.a, y.b, y.c, y.target.factor);
    });
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Picture& p = byKey[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(::testing::Message() << e.a << "+" << e.b << "-" << e.c << "=" << e.d);
        EXPECT_EQ(std::make_tuple(p.a, p.b, p.c, p.target.factor), std::make_tuple(e.a, e.b, e.c, e.d));
        EXPECT_NEAR(p.orb, e.orb, 1e-9);
        const double sum = f[static_cast<std::size_t>(e.a)] + f[static_cast<std::size_t>(e.b)] -
                           f[static_cast<std::size_t>(e.c)];
        EXPECT_GE(p.position, 0);
        EXPECT_LT(p.position, bc.modulus);
        EXPECT_NEAR(std::remainder(p.position - sum, bc.modulus), 0, 1e-9);
    }

    // Sorted by D in the order of the targets, then by the absolute orb, then by A, B, C.
    for (std::size_t i = 1; i < found.size(); ++i) {
        const Picture& x = found[i - 1];
        const Picture& y = found[i];
        ASSERT_LE(x.target.factor, y.target.factor);
        if (x.target.factor != y.target.factor) continue;
        ASSERT_LE(std::fabs(x.orb), std::fabs(y.orb));
        if (std::fabs(x.orb) == std::fabs(y.orb)) {
            EXPECT_LT(std::make_tuple(x.a, x.b, x.c), std::make_tuple(y.a, y.b, y.c));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Moduli, PicturesAgainstBruteForce,
                         ::testing::Values(BruteCase{360, 1.5, 1}, BruteCase{360, 5, 2},
                                           BruteCase{90, 1.5, 3}, BruteCase{90, 0.5, 4},
                                           BruteCase{45, 1.5, 5}, BruteCase{45, 1, 6},
                                           BruteCase{22.5, 1.5, 7}, BruteCase{22.5, 0.25, 8}));

// On the dial of a modulus, A + B - C = D exactly when the midpoints A/B and C/D stand on one axis of half
// the modulus: (A + B) / 2 and (C + D) / 2 differ by a multiple of modulus / 2.
TEST(PlanetaryPicturesTest, APictureMeetsItsTargetExactlyWhenTheTwoMidpointsCoincide) {
    for (double modulus : {360.0, 90.0, 45.0, 22.5}) {
        for (unsigned seed = 20; seed < 26; ++seed) {
            SCOPED_TRACE(::testing::Message() << "modulus " << modulus << " seed " << seed);
            Factors f = SeededFactors(seed);
            // Some exact pictures on purpose: the Moon made the picture of Sun + Mercury - Venus, the MC
            // that of Mars + Jupiter - Saturn, each a whole number of moduli away.
            f[2] = std::fmod(f[1] + f[3] - f[4] + 720 + modulus, 360);
            f[13] = std::fmod(f[5] + f[6] - f[7] + 720 + 2 * modulus, 360);

            std::vector<std::tuple<int, int, int, int>> exact;
            for (const Picture& p : FindPictures(f, EveryFactor(f), modulus, 0)) {
                EXPECT_EQ(p.orb, 0);
                exact.emplace_back(p.a, p.b, p.c, p.target.factor);
            }
            std::vector<std::tuple<int, int, int, int>> coinciding;
            const double axis = modulus / 2;
            for (int d = 1; d <= 13; ++d) {
                for (int a = 1; a < 13; ++a) {
                    for (int b = a + 1; b <= 13; ++b) {
                        for (int c = 1; c <= 13; ++c) {
                            if (c == a || c == b || d == a || d == b) continue;
                            const auto at = [&](int i) { return f[static_cast<std::size_t>(i)]; };
                            const double apart = MidpointOf(at(a), at(b)) - MidpointOf(at(c), at(d));
                            if (std::fmod(std::fabs(apart), axis) == 0) coinciding.emplace_back(a, b, c, d);
                        }
                    }
                }
            }
            auto sorted = [](auto v) {
                std::sort(v.begin(), v.end());
                return v;
            };
            EXPECT_EQ(sorted(exact), sorted(coinciding));
            EXPECT_NE(std::find(exact.begin(), exact.end(), std::make_tuple(1, 3, 4, 2)), exact.end());
            EXPECT_NE(std::find(exact.begin(), exact.end(), std::make_tuple(5, 6, 7, 13)), exact.end());
        }
    }
}

TEST(PlanetaryPicturesTest, ATargetIsNeverOneOfThePairItCompletes) {
    // Every factor at 0: every picture stands exactly on every factor, but a factor is only tried with
    // pictures whose A and B are two of the other twelve (66 pairs), each with 11 factors as C.
    Factors f{};
    const std::vector<Picture> found = FindPictures(f, {{1, 0, false}}, 90, 0);
    EXPECT_EQ(found.size(), 66u * 11u);
    for (const Picture& p : found) {
        EXPECT_NE(p.a, 1);
        EXPECT_NE(p.b, 1);
    }
    // A factor of the second chart is another point: it meets every natal picture.
    EXPECT_EQ(FindPictures(f, {{1, 0, true}}, 90, 0).size(), 858u);
    // So does a degree.
    EXPECT_EQ(FindPictures(f, {{0, 45, false}}, 90, 0).size(), 0u);
    EXPECT_EQ(FindPictures(f, {{0, 90, false}}, 90, 0).size(), 858u);
}

TEST(PlanetaryPicturesTest, OrbIsThePictureLessTheTargetTheShortWayRoundTheDial) {
    struct Case {
        double position, target, modulus, orb;
    };
    const Case cases[] = {
        {10, 9, 45, 1},   {9, 10, 45, -1},  {0.5, 44.5, 45, 1},      {44.5, 0.5, 45, -1}, {359, 1, 360, -2},
        {1, 359, 360, 2}, {10, 100, 90, 0}, {22, 0.25, 22.5, -0.75}, {5, 50.5, 45, -0.5}, {180, 0, 360, -180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.position << " at " << c.target << " mod " << c.modulus);
        EXPECT_DOUBLE_EQ(PictureOrb(c.position, c.target, c.modulus), c.orb);
    }
    EXPECT_DOUBLE_EQ(PicturePosition(350, 20, 5, 360), 5);
    EXPECT_DOUBLE_EQ(PicturePosition(10, 20, 40, 45), 35);
    EXPECT_DOUBLE_EQ(PicturePosition(100, 200, 10, 22.5), 20);
}

TEST(PlanetaryPicturesTest, NamesAndTargetsReadAsTheFormulasWriteThem) {
    const char* names[] = {"SUN", "MOO", "MER", "VEN", "MAR", "JUP", "SAT",
                           "URA", "NEP", "PLU", "NN",  "ASC", "MC"};
    for (int f = 1; f <= 13; ++f) {
        EXPECT_EQ(PictureFactorName(f), names[f - 1]);
        EXPECT_EQ(PictureFactorOfName(names[f - 1]), f);
    }
    struct Case {
        const char* text;
        bool valid;
        int factor;
        double degree;  // -1: none
    };
    const Case cases[] = {
        {"", true, 0, -1},         {"  ", true, 0, -1},        {"sun", true, 1, -1},
        {"Moon", true, 2, -1},     {" mercury ", true, 3, -1}, {"NOD", true, 11, -1},
        {"nn", true, 11, -1},      {"AS", true, 12, -1},       {"mc", true, 13, -1},
        {"12.5", true, 0, 12.5},   {"0", true, 0, 0},          {"359.99", true, 0, 359.99},
        {"360", false, 0, -1},     {"-1", false, 0, -1},       {"12x", false, 0, -1},
        {"venus2", false, 0, -1},  {"nan", false, 0, -1},      {"12,5", false, 0, -1},
        {"12.5.5", false, 0, -1},  {"0x1A", false, 0, -1},     {"inf", false, 0, -1},
        {" 7.25 ", true, 0, 7.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<PictureChoice> choice = ParsePictureChoice(c.text);
        ASSERT_EQ(choice.has_value(), c.valid);
        if (!choice) continue;
        EXPECT_EQ(choice->factor, c.factor);
        EXPECT_EQ(choice->degree.has_value(), c.degree >= 0);
        if (choice->degree) {
            EXPECT_DOUBLE_EQ(*choice->degree, c.degree);
        }
        EXPECT_EQ(choice->all(), c.factor == 0 && c.degree < 0);
    }
}

// A degree is read with a point whatever the C locale says (the desktop program runs in the user's).
TEST(PlanetaryPicturesTest, ADegreeIsReadWithAPointInEveryLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
    const std::optional<PictureChoice> point = ParsePictureChoice("7.25");
    const std::optional<PictureChoice> comma = ParsePictureChoice("7,25");
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_TRUE(point && point->degree);
    EXPECT_EQ(*point->degree, 7.25);
    EXPECT_FALSE(comma);
}

// A degree beyond the modulus is its place on the dial: 100 on the 45 dial is the 10 that the page
// heads "At 10°00'", in the lines as well.
TEST(PlanetaryPicturesTest, ADegreeTargetIsItsPlaceOnTheDial) {
    Chart chart;
    for (std::size_t p = 1; p <= 15; ++p) chart.Lon[p] = 17.0 * static_cast<double>(p) + 0.25;
    Chart second;
    for (std::size_t p = 1; p <= 15; ++p) second.Lon[p] = 10;  // a degree target looks at no second chart
    const Options options;
    PictureRequest far{45, 1.5, {}};
    far.choice.degree = 100;
    PictureRequest near = far;
    near.choice.degree = 10;
    const std::vector<Picture> pictures = ChartPictures(chart, second, options, far);
    ASSERT_FALSE(pictures.empty());
    const std::string tsv = PicturesTsv(pictures, 45);
    EXPECT_EQ(tsv, PicturesTsv(ChartPictures(chart, second, options, near), 45));
    // The dial's pointer finds the same pictures at the same place.
    EXPECT_EQ(tsv, PicturesTsv(PicturesAt(chart, options, 45, 100, 1.5), 45));
    EXPECT_EQ(tsv.find("100.0000"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("\t10.0000\t"), std::string::npos) << tsv;
}

TEST(PlanetaryPicturesTest, TabSeparatedLinesNameTheFactorsAndGiveFourDecimals) {
    std::vector<Picture> pictures(4);
    pictures[0] = {1, 2, 3, {4, 10, false}, 10.00004, -0.00004};
    pictures[1] = {11, 12, 13, {13, 5, true}, 5.5, 0.5};
    pictures[2] = {2, 11, 1, {0, 12.5, false}, 12.25, -0.25};
    pictures[3] = {12, 13, 11, {11, 1, false}, 0.12345, 1.0 / 3};
    EXPECT_EQ(PicturesTsv(pictures, 45),
              "SUN\tMOO\tMER\tVEN\t10.0000\t0.0000\n"
              "NN\tASC\tMC\tTr.MC\t5.5000\t0.5000\n"
              "MOO\tNN\tSUN\t12.5000\t12.2500\t-0.2500\n"
              "ASC\tMC\tNN\tNN\t0.1235\t0.3333\n");
    EXPECT_EQ(PicturesTsv({pictures[1]}, 45, "\r\n"), "NN\tASC\tMC\tTr.MC\t5.5000\t0.5000\r\n");
    EXPECT_EQ(PictureShortName(pictures[1]), "NN+AS-MC");
}

}  // namespace
}  // namespace talvenor
