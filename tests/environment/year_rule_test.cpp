// The one year rule of every date the program reads: the years 1 to 2099, written in full in a text.
#include "environment/year_rule.h"

#include <gtest/gtest.h>

namespace talvenor {
namespace {

const std::string kShort =
    "gives the year in short: write it in full (1962, not 62; the year 62 as 0062), for the years the "
    "program "
    "computes (1 to 2099)";
const std::string kOutside = "is outside the years the program computes (1 to 2099)";

TEST(YearRuleTest, ADateTextWritesItsYearInFullWithinTheComputedYears) {
    const struct {
        const char* text;
        std::int16_t order;
        std::optional<CivilDate> date;
        std::string fault;  // "" when the date passes
    } cases[] = {
        {"14 Mar 1962", 0, CivilDate{1962, 3, 14}, ""},
        {"1962 Mar 14", 2, CivilDate{1962, 3, 14}, ""},
        {"3/14/1962", 0, CivilDate{1962, 3, 14}, ""},
        {"14.3.1962", 1, CivilDate{1962, 3, 14}, ""},
        {"01 Jan 0001", 0, CivilDate{1, 1, 1}, ""},
        {"1/1/001", 0, CivilDate{1, 1, 1}, ""},
        {"14 Mar 062", 0, CivilDate{62, 3, 14}, ""},
        {"31 Dec 2099", 0, CivilDate{2099, 12, 31}, ""},
        // One or two digits could be any century: never a guess.
        {"14 Mar 62", 0, std::nullopt, kShort},
        {"01 Jan 1", 0, std::nullopt, kShort},
        {"1/1/1", 0, std::nullopt, kShort},
        {"1.1.01", 1, std::nullopt, kShort},
        {"62-03-14", 2, std::nullopt, kShort},
        {"14 Mar 29", 0, std::nullopt, kShort},
        {"01 Jan 2100", 0, std::nullopt, kOutside},
        {"01 Jan 9999", 0, std::nullopt, kOutside},
        {"31 Feb 1962", 0, std::nullopt, kNotADateFault},
        {"someday", 0, std::nullopt, kNotADateFault},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        RegionalFormat regional;
        regional.DateOrder = c.order;
        std::string fault = "left over";
        EXPECT_EQ(ReadDateByYearRule(c.text, regional, fault), c.date);
        EXPECT_EQ(fault, c.fault);
        if (const auto parsed = ParseDate(c.text, regional)) {
            EXPECT_EQ(DateYearFault(c.text, *parsed).value_or(""), c.fault);
        }
    }
}

TEST(YearRuleTest, AYearOfItsOwnIsWrittenInFullWithinTheComputedYears) {
    const struct {
        const char* text;
        int year;
        std::string fault;
    } cases[] = {
        {"1962", 1962, ""}, {"0062", 62, ""},     {"062", 62, ""},   {"2099", 2099, ""},
        {"62", 62, kShort}, {" 1", 1, kShort},    {"", 0, kOutside}, {"2100", 2100, kOutside},
        {"0", 0, kOutside}, {"-5", -5, kOutside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(YearTextFault(c.text, c.year).value_or(""), c.fault);
    }
    EXPECT_FALSE(YearRangeFault(1));
    EXPECT_FALSE(YearRangeFault(2099));
    EXPECT_EQ(YearRangeFault(0), kOutside);
    EXPECT_EQ(YearRangeFault(2100), kOutside);
    EXPECT_EQ(ShortYearFault(), kShort);
}

TEST(YearRuleTest, AYearBoxKeepsTheYearAsTypedWithFourDigits) {
    const struct {
        const char* typed;
        const char* full;
    } cases[] = {
        {"62", "0062"},   {"1", "0001"}, {" 1 ", "0001"}, {"00", "0000"}, {"062", "062"},
        {"1962", "1962"}, {"", ""},      {"6x", "6x"},    {"-1", "-1"},   {" 1962 ", " 1962 "},
    };
    for (const auto& c : cases) EXPECT_EQ(FullYearText(c.typed), c.full) << c.typed;
}

}  // namespace
}  // namespace talvenor
