#include "input/input_fills.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/scripted_dialogs.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

TEST(HourRuleTest, FoldsTheHourIntoTheTwelveHourClock) {
    const struct {
        const char* typed;
        const char* shown;
        bool pm;
    } cases[] = {
        {"0", " 12", false}, {"00", " 12", false},   {"1", "1", false},   {"12", "12", false},
        {"13", " 1", true},  {"15", " 3", true},     {"23", " 11", true}, {"24", " 12", true},
        {"27", " 3", true},  {"13.5", " 1.5", true}, {"07", "07", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string hour = c.typed;
        bool pm = false;
        EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::Accepted);
        EXPECT_EQ(hour, c.shown);
        EXPECT_EQ(pm, c.pm);
    }
}

TEST(HourRuleTest, TypingOneThenFiveGivesThreePm) {
    std::string hour = "1";
    bool pm = false;
    EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::Accepted);
    EXPECT_EQ(hour, "1");
    EXPECT_FALSE(pm);
    hour += "5";
    EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::Accepted);
    EXPECT_EQ(hour, " 3");
    EXPECT_TRUE(pm);
    // Stable from then on: the window runs the rule again on its own change.
    EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::Accepted);
    EXPECT_EQ(hour, " 3");
}

TEST(HourRuleTest, ZeroKeepsAmAndTwelveLeavesTheButtonsAlone) {
    std::string hour = "0";
    bool pm = true;  // whatever was selected stays
    ApplyHourRule(hour, pm);
    EXPECT_EQ(hour, " 12");
    EXPECT_TRUE(pm);
    pm = false;
    ApplyHourRule(hour, pm);
    EXPECT_FALSE(pm);
}

TEST(HourRuleTest, EmptyOrNonNumericTextIsReportedAndKept) {
    const struct {
        const char* typed;
        HourRuleResult result;
    } cases[] = {
        {"", HourRuleResult::EmptyHour},    {"abc", HourRuleResult::NotANumber},
        {"1a", HourRuleResult::NotANumber}, {" ", HourRuleResult::NotANumber},
        {"-", HourRuleResult::NotANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string hour = c.typed;
        bool pm = false;
        EXPECT_EQ(ApplyHourRule(hour, pm), c.result);
        EXPECT_EQ(hour, c.typed);
        EXPECT_FALSE(pm);
    }
}

TEST(HourRuleTest, AHourOfManyDigitsEndsAtOnce) {
    // More digits than a real can hold are no number at all.
    std::string hour(400, '9');
    bool pm = false;
    EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::NotANumber);
    EXPECT_FALSE(pm);

    // A huge but finite value folds in one step instead of twelve at a time.
    hour = "100000000000000000000";
    EXPECT_EQ(ApplyHourRule(hour, pm), HourRuleResult::Accepted);
    EXPECT_TRUE(pm);
    const double folded = LeadingNumber(hour);
    EXPECT_GT(folded, 0);
    EXPECT_LE(folded, 12);
}

TEST(HourRuleTest, MessagesNameTheirWindow) {
    EXPECT_EQ(HourRuleMessage(HourRuleResult::EmptyHour, HourWindow::Natal),
              "Please fill in a value for birth hour.");
    EXPECT_EQ(HourRuleMessage(HourRuleResult::EmptyHour, HourWindow::Diurnal),
              "Please fill in a value for diurnal hour.");
    EXPECT_EQ(HourRuleMessage(HourRuleResult::NotANumber, HourWindow::Diurnal),
              "You are typing too fast. Please slow down.");
    EXPECT_EQ(HourRuleMessage(HourRuleResult::Accepted, HourWindow::Natal), "");

    EXPECT_EQ(HourRuleFault(HourRuleResult::Accepted, HourWindow::Natal), std::nullopt);
    const auto fault = HourRuleFault(HourRuleResult::NotANumber, HourWindow::Natal);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->text, "You are typing too fast. Please slow down.");
    EXPECT_EQ(fault->title, "Warning!");
    EXPECT_EQ(fault->icon, MessageIcon::Information);
    const auto empty = HourRuleFault(HourRuleResult::EmptyHour, HourWindow::Diurnal);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->text, "Please fill in a value for diurnal hour.");
    EXPECT_EQ(empty->title, "Warning!");
    EXPECT_EQ(empty->icon, MessageIcon::Information);
}

TEST(EastWestRuleTest, EastMakesTheZoneNegativeAndWestPositive) {
    const struct {
        const char* zone;
        bool east;
        const char* shown;
    } cases[] = {
        {" 5", true, "-5"},
        {"-5", false, " 5"},
        {"-5", true, "-5"},
        {"5", false, " 5"},
        {"0", true, " 0"},
        {"-2.5", false, " 2.5"},
        {"3.5", true, "-3.5"},
        {" -0 ", false, " 0"},
        // Not a number: the selection changes nothing.
        {"", true, ""},
        {"-", true, "-"},
        {"1.2.3", false, "1.2.3"},
        {".", true, "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + (c.east ? " East" : " West"));
        std::string zone = c.zone;
        ApplyEastWestToZone(zone, c.east);
        EXPECT_EQ(zone, c.shown);
    }
}

Options HomeOptions(float zone, float east, float south) {
    Options options;
    options[18] = zone;
    options[19] = 87;
    options[20] = 39;
    options[21] = east;
    options[22] = 41;
    options[23] = 52;
    options[24] = south;
    return options;
}

std::tm Moment(int year, int month, int day, int hour, int minute) {
    std::tm now{};
    now.tm_year = year - 1900;
    now.tm_mon = month - 1;
    now.tm_mday = day;
    now.tm_hour = hour;
    now.tm_min = minute;
    return now;
}

TEST(PresentMomentFillTest, NatalFillWritesTheMomentAndTheHomePlace) {
    InputTexts natal;
    natal.name = "Sample Person";
    FillNatalNow(natal, HomeOptions(5, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 15, 7));
    EXPECT_EQ(natal.name, "Now");
    EXPECT_EQ(natal.month, "7");
    EXPECT_EQ(natal.day, "9");
    EXPECT_EQ(natal.year, "2024");
    EXPECT_EQ(natal.hour, " 3");
    EXPECT_EQ(natal.minute, "7");
    EXPECT_TRUE(natal.pm);
    EXPECT_FALSE(natal.am);
    EXPECT_EQ(natal.zone, " 5");
    EXPECT_EQ(natal.longDeg, " 87");
    EXPECT_EQ(natal.longMin, " 39");
    EXPECT_EQ(natal.latDeg, " 41");
    EXPECT_EQ(natal.latMin, " 52");
    EXPECT_TRUE(natal.west);
    EXPECT_FALSE(natal.east);
    EXPECT_TRUE(natal.north);
    EXPECT_FALSE(natal.south);
}

TEST(PresentMomentFillTest, HoursFoldAndPmStartsAtNoonOnEitherClock) {
    const struct {
        int hour;
        const char* shown;
        bool pm;
    } cases[] = {
        {0, " 12", false}, {9, "9", false},  {11, "11", false},
        {12, "12", true},  {13, " 1", true}, {23, " 11", true},
    };
    for (const std::int16_t clock24 : {0, 1}) {
        RegionalFormat regional;
        regional.Clock24 = clock24;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.hour) +
                         (clock24 ? " on the 24-hour clock" : " on the 12-hour clock"));
            InputTexts natal;
            FillNatalNow(natal, HomeOptions(5, 0, 0), regional, Moment(2024, 1, 2, c.hour, 0));
            EXPECT_EQ(natal.hour, c.shown);
            EXPECT_EQ(natal.minute, "0");
            EXPECT_EQ(natal.pm, c.pm);
            EXPECT_EQ(natal.am, !c.pm);
        }
    }
}

TEST(PresentMomentFillTest, EastHomeTurnsTheZoneNegativeAndSouthIsSelected) {
    InputTexts natal;
    FillNatalNow(natal, HomeOptions(5, 1, 1), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_TRUE(natal.east);
    EXPECT_FALSE(natal.west);
    EXPECT_EQ(natal.zone, "-5");
    EXPECT_TRUE(natal.south);
    EXPECT_FALSE(natal.north);
}

TEST(PresentMomentFillTest, ZoneTextsUseTheSinglePrecisionGeneralFormat) {
    const struct {
        float zone;
        float east;
        const char* shown;
    } cases[] = {{-2.5f, 0, "-2.5"}, {0.1f, 0, " 0.1"}, {0, 1, " 0"}, {-3.5f, 1, "-3.5"}, {5.5f, 1, "-5.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        InputTexts natal;
        FillNatalNow(natal, HomeOptions(c.zone, c.east, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
        EXPECT_EQ(natal.zone, c.shown);
    }
}

TEST(PresentMomentFillTest, TheFillEndsTheSameWhateverTheWindowShowedBefore) {
    // A zone east of Greenwich at a western longitude (Western Europe): West must not turn it.
    InputTexts natal;
    natal.SelectEast(true);
    FillNatalNow(natal, HomeOptions(-1, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_EQ(natal.zone, "-1");
    EXPECT_TRUE(natal.west);

    natal.SelectEast(true);
    FillNatalNow(natal, HomeOptions(5, 1, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_EQ(natal.zone, "-5");
    EXPECT_TRUE(natal.east);
}

TEST(PresentMomentFillTest, DiurnalFillWritesTheSameFieldsWithoutAName) {
    SecondInputTexts diurnal;
    diurnal.secondPersonName = "Sample Person";
    FillDiurnalNow(diurnal, HomeOptions(5, 1, 1), RegionalFormat{}, Moment(1999, 12, 31, 0, 59));
    EXPECT_EQ(diurnal.month, "12");
    EXPECT_EQ(diurnal.day, "31");
    EXPECT_EQ(diurnal.year, "1999");
    EXPECT_EQ(diurnal.hour, " 12");
    EXPECT_EQ(diurnal.minute, "59");
    EXPECT_TRUE(diurnal.am);
    EXPECT_FALSE(diurnal.pm);
    EXPECT_EQ(diurnal.zone, "-5");
    EXPECT_EQ(diurnal.longDeg, " 87");
    EXPECT_EQ(diurnal.longMin, " 39");
    EXPECT_EQ(diurnal.latDeg, " 41");
    EXPECT_EQ(diurnal.latMin, " 52");
    EXPECT_TRUE(diurnal.east);
    EXPECT_FALSE(diurnal.west);
    EXPECT_TRUE(diurnal.south);
    EXPECT_FALSE(diurnal.north);
    EXPECT_EQ(diurnal.secondPersonName, "Sample Person");

    FillDiurnalNow(diurnal, HomeOptions(5, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 17, 5));
    EXPECT_EQ(diurnal.hour, " 5");
    EXPECT_TRUE(diurnal.pm);
    EXPECT_EQ(diurnal.zone, " 5");
    EXPECT_TRUE(diurnal.west);
    EXPECT_TRUE(diurnal.north);
}

TEST(UseNatalDataTest, CopiesTimeZoneAndPlaceButNotTheDate) {
    InputTexts natal;
    natal.month = "3", natal.day = "14", natal.year = "1962";
    natal.hour = " 10", natal.minute = "15";
    natal.zone = "-1";  // a zone east of Greenwich at a western longitude
    natal.longDeg = " 3", natal.longMin = "42", natal.latDeg = " 40", natal.latMin = "25";
    natal.SelectAM(false);
    natal.SelectSouth(true);

    SecondInputTexts diurnal;
    diurnal.month = "7", diurnal.day = "9", diurnal.year = "2024";
    diurnal.SelectEast(true);
    CopyNatalToDiurnal(natal, diurnal);

    EXPECT_EQ(diurnal.month, "7");
    EXPECT_EQ(diurnal.day, "9");
    EXPECT_EQ(diurnal.year, "2024");
    EXPECT_EQ(diurnal.hour, " 10");
    EXPECT_EQ(diurnal.minute, "15");
    // Changing from East to West must not turn the copied zone.
    EXPECT_EQ(diurnal.zone, "-1");
    EXPECT_EQ(diurnal.longDeg, " 3");
    EXPECT_EQ(diurnal.longMin, "42");
    EXPECT_EQ(diurnal.latDeg, " 40");
    EXPECT_EQ(diurnal.latMin, "25");
    EXPECT_TRUE(diurnal.pm);
    EXPECT_FALSE(diurnal.am);
    EXPECT_TRUE(diurnal.west);
    EXPECT_FALSE(diurnal.east);
    EXPECT_TRUE(diurnal.south);
    EXPECT_FALSE(diurnal.north);
}

// A date from the graphic ephemeris: the date texts change, read back by the window's checks as that
// date; the time and the place stay as they were.
TEST(PutDiurnalDateTest, WritesTheDateAsTheWindowShowsItAndLeavesTimeAndPlace) {
    const struct {
        CivilDate date;
        const char *month, *day, *year;
    } cases[] = {
        {{2027, 3, 14}, "3", "14", "2027"},
        {{1999, 12, 1}, "12", "1", "1999"},
        {{999, 7, 4}, "7", "4", "999"},
        {{45, 1, 2}, "1", "2", "045"},
    };
    for (const auto& c : cases) {
        SecondInputTexts d;
        d.hour = "9";
        d.minute = "30";
        d.zone = "-1";
        d.longDeg = "13";
        d.SelectAM(false);
        PutDiurnalDate(d, c.date);
        EXPECT_EQ(d.month, c.month);
        EXPECT_EQ(d.day, c.day);
        EXPECT_EQ(d.year, c.year);
        EXPECT_EQ(ParseDate(JoinDateFields(d.day, d.month, d.year, 0), RegionalFormat{}), c.date);
        EXPECT_EQ(d.hour, "9");
        EXPECT_EQ(d.minute, "30");
        EXPECT_EQ(d.zone, "-1");
        EXPECT_EQ(d.longDeg, "13");
        EXPECT_TRUE(d.pm);
    }
}

}  // namespace
}  // namespace talvenor
