#include "text/basic_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace talvenor {
namespace {

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

void ExpectFormats(const FormatCase* begin, const FormatCase* end) {
    for (const FormatCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(std::string(c->pattern) + " with " + std::to_string(c->value));
        EXPECT_EQ(Format(c->value, c->pattern), c->expected);
    }
}

TEST(BasicTextTest, FormatRoundsHalvesAwayFromZeroOnTheDecimalForm) {
    // Several of these doubles lie just below the written half; the 15-digit form decides.
    const FormatCase cases[] = {
        {0.5, "0", "1"},           {1.5, "0", "2"},         {2.5, "0", "3"},
        {-0.5, "0", "-1"},         {-2.5, "0", "-3"},       {3.45, "0.0", "3.5"},
        {-3.45, "0.0", "-3.5"},    {0.05, "0.0", "0.1"},    {2.675, "0.00", "2.68"},
        {-2.675, "0.00", "-2.68"}, {0.125, "0.00", "0.13"}, {1.005, "0.00", "1.01"},
        {1.015, "0.00", "1.02"},   {2.449, "0.0", "2.4"},   {-1.25, "##0.0", "-1.3"},
        {0.0049, "0.00", "0.00"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(BasicTextTest, FormatCarriesIntoNewIntegerDigits) {
    const FormatCase cases[] = {
        {9.995, "#0.00", "10.00"}, {59.5, "00", "60"},       {99.95, "##0.0", "100.0"},
        {10.95, "0.0", "11.0"},    {-9.5, "0", "-10"},       {999.9996, "##0.00", "1000.00"},
        {0.95, "##.#0", ".95"},    {0.995, "##.#0", "1.00"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(BasicTextTest, FormatPadsIntegerDigitsFromTheFirstZeroPlaceholder) {
    const FormatCase cases[] = {
        {5, "00", "05"},
        {0, "00", "00"},
        {123, "00", "123"},
        {7, "#0", "7"},
        {0.2, "#0", "0"},
        {0, "0", "0"},
        {0.3, "0.0", "0.3"},
        {0.25, "0.00", "0.25"},
        {3, "##0", "3"},
        {12.34, "##0.0", "12.3"},
        {0.5, "##0.00", "0.50"},
        {0.07, "#0.00", "0.07"},
        {0.5, "##.#0", ".50"},
        {12.345, "##.#0", "12.35"},
        {73.58, "#00#.#0", "073.58"},
        {1234.5, "#00#.#0", "1234.50"},
        {41.52, "#0#.#0", "41.52"},
        {5, "#0#.#0", "05.00"},
        {-2.2, "#00#.#0", "-002.20"},
        {-33.52, "#0#.#0", "-33.52"},
        {1e20, "0", "100000000000000000000"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(BasicTextTest, FormatDropsTheSignWhenANegativeValueRoundsToZero) {
    const FormatCase cases[] = {
        {-0.001, "0.00", "0.00"}, {-0.4, "00", "00"},       {-0.0, "0.0", "0.0"},
        {-0.04, "##.#0", "-.04"}, {-0.004, "##.#0", ".00"}, {-1e-300, "0", "0"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(BasicTextTest, FormatOfNonFiniteValuesGivesTheGeneralTextWithoutBlank) {
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.00"), "Inf");
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "0.00"), "-Inf");
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "##0"), "NaN");
}

// The rule of the header, written out on the digits: |value| with 15 significant digits, cut at the
// pattern's decimals, half away from zero on the first dropped digit.
std::string FormatByTheDigits(double value, int decimals, int leastIntegerDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    const int exponent = std::atoi(p + 1);
    const long kept = exponent + 1 + decimals;
    std::string scaled;
    if (value == 0 || kept < 0) {
        scaled = "0";
    } else if (kept >= static_cast<long>(digits.size())) {
        scaled = digits + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
    } else {
        scaled = kept == 0 ? "0" : digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5') {
            std::size_t i = scaled.size();
            while (i > 0 && scaled[i - 1] == '9') scaled[--i] = '0';
            if (i == 0) {
                scaled.insert(scaled.begin(), '1');
            } else {
                ++scaled[i - 1];
            }
        }
    }
    const bool zero = scaled.find_first_not_of('0') == std::string::npos;
    if (scaled.size() < static_cast<std::size_t>(decimals)) scaled.insert(0, decimals - scaled.size(), '0');
    std::string integer = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    integer.erase(0, integer.find_first_not_of('0'));
    if (integer.size() < static_cast<std::size_t>(leastIntegerDigits))
        integer.insert(0, static_cast<std::size_t>(leastIntegerDigits) - integer.size(), '0');
    std::string text = (value < 0 && !zero ? "-" : "") + integer;
    if (decimals > 0) text += "." + scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    return text;
}

TEST(BasicTextTest, FormatFollowsItsDigitRuleAlsoBesideHalvesAndWholeNumbers) {
    const struct {
        const char* pattern;
        int decimals;
        int least;
    } patterns[] = {{"00", 0, 2},    {"##0", 0, 1},   {"0.0", 1, 1},
                    {"#0.00", 2, 1}, {"##.#0", 2, 0}, {"#00#.#0", 2, 3}};
    // Values on, just beside and far from halves of the last kept digit, whole numbers, their
    // neighbours one ulp away, tiny and large values, both signs.
    std::vector<double> values = {0.5,   1.5,     2.675,   0.125, 0.005, 1.005, 59.5, 59.995, 359.99999999,
                                  1e-20, 4.35e11, 9.99e11, 1e12,  3e13,  0.0,   7.0,  60.0,   0.045};
    for (double v : std::vector<double>(values)) {
        values.push_back(std::nextafter(v, 0.0));
        values.push_back(std::nextafter(v, 1e300));
    }
    std::uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        values.push_back(unit * 400.0);
        // Exactly on a half of the second decimal, as positions and times often are.
        values.push_back(std::floor(unit * 40000.0) / 100.0 + 0.005);
    }
    for (const auto& p : patterns) {
        for (const double v : values) {
            for (const double signed_value : {v, -v}) {
                SCOPED_TRACE(std::string(p.pattern) + " with " + std::to_string(signed_value));
                ASSERT_EQ(Format(signed_value, p.pattern),
                          FormatByTheDigits(signed_value, p.decimals, p.least));
            }
        }
    }
}

TEST(BasicTextTest, RoundedWholeIsTheNumberFormatShows) {
    // The minutes of the aspect list: a double one ulp below 29.5 still reads 29.5000000000000 and rounds
    // up, as Format rounds it.
    EXPECT_EQ(RoundedWhole(std::nextafter(29.5, 0.0)), 30u);
    EXPECT_EQ(RoundedWhole(29.4999999999), 29u);
    EXPECT_EQ(RoundedWhole(59.99999999999), 60u);
    std::vector<double> values = {0.0, 0.5, 1.5, 2.5, 29.5, 59.5, 59.999, 7.0, 4.35e11 + 0.5, 9.99e11};
    for (double v : std::vector<double>(values)) {
        values.push_back(std::nextafter(v, 0.0));
        values.push_back(std::nextafter(v, 1e300));
    }
    std::uint64_t state = 1962;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        values.push_back(unit * 60.0);
        values.push_back(std::floor(unit * 60.0) + 0.5);
    }
    for (const double v : values) {
        SCOPED_TRACE(std::to_string(v));
        ASSERT_EQ(std::to_string(RoundedWhole(v)), Format(v, "0"));
    }
}

TEST(BasicTextTest, FormatRejectsMalformedPatterns) {
    for (const char* pattern : {"", ".", "0.0.0", "#,##0", "0%"}) {
        SCOPED_TRACE(pattern);
        EXPECT_THROW(Format(1.0, pattern), std::invalid_argument);
    }
}

struct GeneralCase {
    double value;
    const char* expected;
};

TEST(BasicTextTest, GeneralNumberPutsABlankBeforeNonNegativeValues) {
    const GeneralCase cases[] = {
        {12, " 12"},
        {-3.5, "-3.5"},
        {0, " 0"},
        {-0.0, " 0"},
        {8.5, " 8.5"},
        {0.1, " 0.1"},
        {0.5, " 0.5"},
        {-0.25, "-0.25"},
        {100, " 100"},
        {1.0 / 3, " 0.333333333333333"},
        {2.0 / 3, " 0.666666666666667"},
        {123456789012345, " 123456789012345"},
        {0.1 + 0.2, " 0.3"},
        {0.00001, " 0.00001"},
    };
    for (const GeneralCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(GeneralNumber(c.value), c.expected);
    }
}

TEST(BasicTextTest, GeneralNumberSwitchesToExponentFormOutsideThePlainRange) {
    const GeneralCase cases[] = {
        {1e15, " 1E+15"},
        {1e16, " 1E+16"},
        {-2.5e20, "-2.5E+20"},
        {1.5e-7, " 1.5E-07"},
        {-1e-6, "-1E-06"},
        {1e300, " 1E+300"},
        {1234567890123456, " 1.23456789012346E+15"},
        {999999999999999.9, " 1E+15"},
    };
    for (const GeneralCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(GeneralNumber(c.value), c.expected);
    }
    EXPECT_EQ(GeneralNumber(std::numeric_limits<double>::infinity()), " Inf");
    EXPECT_EQ(GeneralNumber(-std::numeric_limits<double>::infinity()), "-Inf");
    EXPECT_EQ(GeneralNumber(std::numeric_limits<double>::quiet_NaN()), " NaN");
}

TEST(BasicTextTest, GeneralNumberSingleShowsSevenSignificantDigits) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {0.1f, " 0.1"},
        {-13.5f, "-13.5"},
        {10.15f, " 10.15"},
        {0.0f, " 0"},
        {1.0f / 3, " 0.3333333"},
        {1234567.0f, " 1234567"},
        {12345678.0f, " 1.234568E+07"},
        {-0.0f, " 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(GeneralNumberSingle(c.value), c.expected);
    }
    // The double form of the same stored value shows its binary expansion.
    EXPECT_EQ(GeneralNumber(ToSingle(0.1)), " 0.100000001490116");
}

struct LeadingCase {
    const char* text;
    double expected;
};

TEST(BasicTextTest, LeadingNumberReadsTheLongestNumericPrefix) {
    const LeadingCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"+", 0},
        {"-.", 0},
        {"e5", 0},
        {"1.2.3", 1.2},
        {"-.5", -0.5},
        {"  12abc", 12},
        {"\t 7", 7},
        {"+3", 3},
        {"1e", 1},
        {"1e+", 1},
        {"1E-x", 1},
        {"2E3x", 2000},
        {"2e-3", 0.002},
        {"1.5D2", 150},
        {"4d+1", 40},
        {"12.", 12},
        {"- 5", 0},
        {"1 2", 1},
        {"007", 7},
        {"1e0005", 1e5},
        {"0.1", 0.1},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"999999999999999", 999999999999999.0},
        {"9007199254740993", 9007199254740992.0},
        {"-42", -42},
        {"00000000000000000001", 1},
    };
    for (const LeadingCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

// How far the rule reads, and whether it reads a typed answer to its end.
TEST(BasicTextTest, WholeNumberIsATextTheLeadingNumberRuleReadsToItsEnd) {
    const struct {
        const char* text;
        std::size_t length;
        std::optional<double> whole;
    } cases[] = {
        {"22.5", 4, 22.5},
        {" 45 ", 3, 45},
        {"\t-7.25\t", 6, -7.25},
        {"+3.", 3, 3},
        {".5", 2, 0.5},
        {"1e2", 3, 100},
        {"1.5D2", 5, 150},
        {"22,5", 2, std::nullopt},
        {"90abc", 2, std::nullopt},
        {"45.5.5", 4, std::nullopt},
        {"1e", 1, std::nullopt},
        {"1 2", 1, std::nullopt},
        {"0x1A", 1, std::nullopt},
        {"abc", 0, std::nullopt},
        {"-", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"   ", 0, std::nullopt},
        {"1e999", 5, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingNumberLength(c.text), c.length);
        EXPECT_EQ(WholeNumber(c.text), c.whole);
        // The rule reads the same value from what it reads in full.
        if (c.whole) {
            EXPECT_EQ(*c.whole, LeadingNumber(c.text));
        }
    }
}

TEST(BasicTextTest, LeadingNumberKeepsTheSignOfMinusZero) {
    EXPECT_TRUE(std::signbit(LeadingNumber("-0")));
    EXPECT_TRUE(std::signbit(LeadingNumber("-0.0")));
    EXPECT_FALSE(std::signbit(LeadingNumber("0")));
}

TEST(BasicTextTest, LeadingNumberSaturatesOutOfRangeExponents) {
    EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
    EXPECT_EQ(LeadingNumber("0e999"), 0.0);
    EXPECT_EQ(LeadingNumber("0.001e-330"), 0.0);
}

TEST(BasicTextTest, LeadingNumberIgnoresTheLocaleDecimalSeparator) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE locale not installed";
    EXPECT_EQ(LeadingNumber("2.5"), 2.5);
    EXPECT_EQ(LeadingNumber("2,5"), 2);
    EXPECT_EQ(Format(2.5, "0.00"), "2.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(BasicTextTest, ToInt16RoundsHalvesToEvenWithinTheRange) {
    const struct {
        double value;
        std::optional<std::int16_t> expected;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {40000, std::nullopt},
        {-1e300, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ToInt16(c.value), c.expected);
    }
}

TEST(BasicTextTest, IntFloorsAndFixTruncatesNegatives) {
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Fix(-2.5), -2);
    EXPECT_EQ(Int(-3), -3);
    EXPECT_EQ(Fix(-3), -3);
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Fix(2.7), 2);
}

TEST(BasicTextTest, ToSingleLosesDoublePrecision) {
    EXPECT_EQ(ToSingle(0.1), static_cast<double>(0.1f));
    EXPECT_NE(ToSingle(0.1), 0.1);
    EXPECT_EQ(ToSingle(0.5), 0.5);
    EXPECT_EQ(ToSingle(1e40), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace talvenor
