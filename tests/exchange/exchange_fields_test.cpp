// The fields of exchange files in the forms other programs and spreadsheets write them.
#include "exchange/exchange_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace talvenor {
namespace {

TEST(ExchangeFieldsTest, ClockTimesOnBothClocks) {
    const struct {
        const char* text;
        std::optional<ClockTime> expected;
    } cases[] = {
        {"11:04", ClockTime{11, 4, 0}},
        {" 23:59:59 ", ClockTime{23, 59, 59}},
        {"0:00", ClockTime{0, 0, 0}},
        {"1.10", ClockTime{1, 10, 0}},  // hours.minutes, as some AAF files write it
        {"1.1", ClockTime{1, 10, 0}},   // as a packed number reads
        {"9:05 PM", ClockTime{21, 5, 0}},
        {"09:05:30PM", ClockTime{21, 5, 30}},
        {"9.05 P", ClockTime{21, 5, 0}},
        {"9:05 p.m.", ClockTime{21, 5, 0}},
        {"12:00 AM", ClockTime{0, 0, 0}},
        {"12:30 PM", ClockTime{12, 30, 0}},
        {"11:04:00 AM", ClockTime{11, 4, 0}},
        {"00:30:00 AM", ClockTime{0, 30, 0}},  // hour 0 on the 12-hour clock is 12
        {"00:30:00 PM", ClockTime{12, 30, 0}},
        {"24:00", std::nullopt},
        {"13:00 PM", std::nullopt},
        {"11:60", std::nullopt},
        {"11:04:60", std::nullopt},
        {"1.10:30", std::nullopt},
        {"11", std::nullopt},
        {"*", std::nullopt},
        {"", std::nullopt},
        {"noon", std::nullopt},
        {"-1:00", std::nullopt},
        {"11:04 XM", std::nullopt},
        {"111:04", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadClockTime(c.text), c.expected);
    }
}

TEST(ExchangeFieldsTest, DatesInIsoDottedNamedAndRegionalForms) {
    RegionalFormat us;  // month/day/year
    RegionalFormat european;
    european.DateOrder = 1;
    const struct {
        const char* text;
        const RegionalFormat& regional;
        std::optional<CivilDate> expected;
    } cases[] = {
        {"1970-09-27", us, CivilDate{1970, 9, 27}},
        {"1970-9-7", us, CivilDate{1970, 9, 7}},
        {"27.9.1970", us, CivilDate{1970, 9, 27}},  // dots are day.month.year whatever the region
        {"19.1.1839", european, CivilDate{1839, 1, 19}},
        {"14 Mar 1962", us, CivilDate{1962, 3, 14}},
        {"Mar 14, 1962", us, CivilDate{1962, 3, 14}},
        // Month names of other programs' languages, whatever the language here.
        {"27. Sept. 1970", us, CivilDate{1970, 9, 27}},
        {"14 M\xC3\xA4rz 1962", us, CivilDate{1962, 3, 14}},
        {"14 de marzo 1962", us, std::nullopt},  // words other than the month are no date
        {"3 ao\xC3\xBBt 1962", european, CivilDate{1962, 8, 3}},
        {"3/14/1962", us, CivilDate{1962, 3, 14}},
        {"14/3/1962", european, CivilDate{1962, 3, 14}},
        {"29.2.1500", us, CivilDate{1500, 2, 29}},  // a Julian leap day
        {"29.2.1700", us, std::nullopt},
        {"31.9.1970", us, std::nullopt},
        {"27.9.70", us, std::nullopt},  // a two-digit year could be any century
        {"1970-09-27T11:04", us, std::nullopt},
        {"27.9-1970", us, std::nullopt},
        {"*", us, std::nullopt},
        {"", us, std::nullopt},
        {"1.1.0", us, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadExchangeDate(c.text, c.regional), c.expected);
    }
}

TEST(ExchangeFieldsTest, PositionsWithLettersSignsOrDecimals) {
    const struct {
        const char* text;
        Axis axis;
        std::optional<double> expected;  // degrees, north and east positive
    } cases[] = {
        {"49n05", Axis::Latitude, 49 + 5 / 60.0},
        {"43N31", Axis::Latitude, 43 + 31 / 60.0},
        {"33s52", Axis::Latitude, -(33 + 52 / 60.0)},
        {"8e11", Axis::Longitude, 8 + 11 / 60.0},
        {"122w05", Axis::Longitude, -(122 + 5 / 60.0)},
        {"006E54'00", Axis::Longitude, 6 + 54 / 60.0},
        {"52N13'30", Axis::Latitude, 52 + 13 / 60.0 + 30 / 3600.0},
        {"49n05:30", Axis::Latitude, 49 + 5 / 60.0 + 30 / 3600.0},
        {"49\xC2\xB0"
         "05'30\"N",
         Axis::Latitude, 49 + 5 / 60.0 + 30 / 3600.0},
        {"87\xC2\xB0 39' W", Axis::Longitude, -(87 + 39 / 60.0)},
        {"087W39", Axis::Longitude, -(87 + 39 / 60.0)},
        {"49N05.5", Axis::Latitude, 49 + 5.5 / 60.0},
        {"49.0833", Axis::Latitude, 49.0833},
        {"-122.5", Axis::Longitude, -122.5},
        {"+8.25", Axis::Longitude, 8.25},
        {"180w00", Axis::Longitude, -180.0},
        {"0e00", Axis::Longitude, 0.0},
        {"49e05", Axis::Latitude, std::nullopt},  // a longitude's letter
        {"8n11", Axis::Longitude, std::nullopt},
        {"91n00", Axis::Latitude, std::nullopt},
        {"181e00", Axis::Longitude, std::nullopt},
        {"49n60", Axis::Latitude, std::nullopt},
        {"49n05:60", Axis::Latitude, std::nullopt},
        {"49n05s", Axis::Latitude, std::nullopt},  // two directions
        {"-49n05", Axis::Latitude, std::nullopt},
        {"49.5n05", Axis::Latitude, std::nullopt},
        {"92.5", Axis::Latitude, std::nullopt},
        {"1 2 3 4 n", Axis::Latitude, std::nullopt},
        {"north", Axis::Latitude, std::nullopt},
        {"*", Axis::Latitude, std::nullopt},
        {"", Axis::Latitude, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = ReadPosition(c.text, c.axis);
        ASSERT_EQ(read.has_value(), c.expected.has_value());
        if (read) {
            EXPECT_NEAR(*read, *c.expected, 1e-12);
        }
    }
}

TEST(ExchangeFieldsTest, ZonesAsOffsetsEastOfUniversalTime) {
    const struct {
        const char* text;
        std::optional<int> secondsEast;
    } cases[] = {
        {"1he", 3600},
        {"1he00", 3600},
        {"5hw30", -(5 * 3600 + 1800)},
        {"0e21:48", 1308},
        {"0he21:48", 1308},
        {"1h", 3600},
        {"+01:00", 3600},
        {"-05:30", -19800},
        {"+00:21:48", 1308},
        {"-0530", -19800},
        {"UTC+1", 3600},
        {"GMT-05:00", -18000},
        {"UTC+01:00", 3600},
        {"UTC", 0},
        {"Z", 0},
        {"gmt", 0},
        {"1", 3600},
        {"-5", -18000},
        {"5.5", 19800},
        {"-0.3633", -1308},
        {"14", 50400},
        {"16", std::nullopt},
        {"1he60", std::nullopt},
        {"0e21:60", std::nullopt},
        {"+01:60", std::nullopt},
        {"UTC+", std::nullopt},
        {"EST", std::nullopt},
        {"1.2.3", std::nullopt},
        {"*", std::nullopt},
        {"", std::nullopt},
        {"Europe/Berlin", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadOffsetEast(c.text), c.secondsEast);
    }
}

TEST(ExchangeFieldsTest, DaylightSavingAmountsInHoursOrYesNo) {
    const struct {
        const char* text;
        std::optional<int> seconds;
    } cases[] = {{"1", 3600},         {"0", 0},
                 {"0.5", 1800},       {"2", 7200},
                 {"yes", 3600},       {"No", 0},
                 {"4", std::nullopt}, {"-1", std::nullopt},
                 {"", std::nullopt},  {"maybe", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadDaylightAmount(c.text), c.seconds);
    }
}

TEST(ExchangeFieldsTest, MessagesQuoteAtMostFortyCharacters) {
    EXPECT_EQ(Quoted("25:00"), "\"25:00\"");
    EXPECT_EQ(Quoted(""), "\"\"");
    EXPECT_EQ(Quoted(std::string(40, 'x')), "\"" + std::string(40, 'x') + "\"");
    EXPECT_EQ(Quoted(std::string(41, 'x')), "\"" + std::string(40, 'x') + "...\"");
    // Characters, not bytes: a letter of two bytes is never cut in half.
    std::string accented;
    for (int i = 0; i < 41; ++i) accented += "\xC3\xA9";
    EXPECT_EQ(Quoted(accented), "\"" + accented.substr(0, 80) + "...\"");
}

}  // namespace
}  // namespace talvenor
