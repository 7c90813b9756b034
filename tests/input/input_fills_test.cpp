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

    ScriptedDialogs dialogs;
    ShowHourRuleMessage(HourRuleResult::Accepted, HourWindow::Natal, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    ShowHourRuleMessage(HourRuleResult::NotANumber, HourWindow::Natal, dialogs);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "You are typing too fast. Please slow down.");
    EXPECT_EQ(dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Information);
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
    NatalInputFields natal;
    natal.txtName = "Sample Person";
    FillNatalNow(natal, HomeOptions(5, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 15, 7));
    EXPECT_EQ(natal.txtName, "Now");
    EXPECT_EQ(natal.txtMonth, "7");
    EXPECT_EQ(natal.txtDay, "9");
    EXPECT_EQ(natal.txtYear, "2024");
    EXPECT_EQ(natal.txtBirthHour, " 3");
    EXPECT_EQ(natal.txtBirthMinute, "7");
    EXPECT_TRUE(natal.optPM);
    EXPECT_FALSE(natal.optAM);
    EXPECT_EQ(natal.txtTZ, " 5");
    EXPECT_EQ(natal.txtLongDeg, " 87");
    EXPECT_EQ(natal.txtLongMin, " 39");
    EXPECT_EQ(natal.txtLatDeg, " 41");
    EXPECT_EQ(natal.txtLatMin, " 52");
    EXPECT_TRUE(natal.optWest);
    EXPECT_FALSE(natal.optEast);
    EXPECT_TRUE(natal.optNorth);
    EXPECT_FALSE(natal.optSouth);
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
            NatalInputFields natal;
            FillNatalNow(natal, HomeOptions(5, 0, 0), regional, Moment(2024, 1, 2, c.hour, 0));
            EXPECT_EQ(natal.txtBirthHour, c.shown);
            EXPECT_EQ(natal.txtBirthMinute, "0");
            EXPECT_EQ(natal.optPM, c.pm);
            EXPECT_EQ(natal.optAM, !c.pm);
        }
    }
}

TEST(PresentMomentFillTest, EastHomeTurnsTheZoneNegativeAndSouthIsSelected) {
    NatalInputFields natal;
    FillNatalNow(natal, HomeOptions(5, 1, 1), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_TRUE(natal.optEast);
    EXPECT_FALSE(natal.optWest);
    EXPECT_EQ(natal.txtTZ, "-5");
    EXPECT_TRUE(natal.optSouth);
    EXPECT_FALSE(natal.optNorth);
}

TEST(PresentMomentFillTest, ZoneTextsUseTheSinglePrecisionGeneralFormat) {
    const struct {
        float zone;
        float east;
        const char* shown;
    } cases[] = {{-2.5f, 0, "-2.5"}, {0.1f, 0, " 0.1"}, {0, 1, " 0"}, {-3.5f, 1, "-3.5"}, {5.5f, 1, "-5.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        NatalInputFields natal;
        FillNatalNow(natal, HomeOptions(c.zone, c.east, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
        EXPECT_EQ(natal.txtTZ, c.shown);
    }
}

TEST(PresentMomentFillTest, TheFillEndsTheSameWhateverTheWindowShowedBefore) {
    // A zone east of Greenwich at a western longitude (Western Europe): West must not turn it.
    NatalInputFields natal;
    natal.SelectEast(true);
    FillNatalNow(natal, HomeOptions(-1, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_EQ(natal.txtTZ, "-1");
    EXPECT_TRUE(natal.optWest);

    natal.SelectEast(true);
    FillNatalNow(natal, HomeOptions(5, 1, 0), RegionalFormat{}, Moment(2024, 7, 9, 8, 30));
    EXPECT_EQ(natal.txtTZ, "-5");
    EXPECT_TRUE(natal.optEast);
}

TEST(PresentMomentFillTest, DiurnalFillWritesTheSameFieldsWithoutAName) {
    DiurnalInputFields diurnal;
    diurnal.chk2ndPersonCaption = "Sample Person";
    FillDiurnalNow(diurnal, HomeOptions(5, 1, 1), RegionalFormat{}, Moment(1999, 12, 31, 0, 59));
    EXPECT_EQ(diurnal.txtDiurnalMonth, "12");
    EXPECT_EQ(diurnal.txtDiurnalDay, "31");
    EXPECT_EQ(diurnal.txtDiurnalYear, "1999");
    EXPECT_EQ(diurnal.txtDiurnalHour, " 12");
    EXPECT_EQ(diurnal.txtDiurnalMinute, "59");
    EXPECT_TRUE(diurnal.optDiurnalAM);
    EXPECT_FALSE(diurnal.optDiurnalPM);
    EXPECT_EQ(diurnal.txtDiurnalTZ, "-5");
    EXPECT_EQ(diurnal.txtDiurnalLongDeg, " 87");
    EXPECT_EQ(diurnal.txtDiurnalLongMin, " 39");
    EXPECT_EQ(diurnal.txtDiurnalLatDeg, " 41");
    EXPECT_EQ(diurnal.txtDiurnalLatMin, " 52");
    EXPECT_TRUE(diurnal.optDiurnalEast);
    EXPECT_FALSE(diurnal.optDiurnalWest);
    EXPECT_TRUE(diurnal.optDiurnalSouth);
    EXPECT_FALSE(diurnal.optDiurnalNorth);
    EXPECT_EQ(diurnal.chk2ndPersonCaption, "Sample Person");

    FillDiurnalNow(diurnal, HomeOptions(5, 0, 0), RegionalFormat{}, Moment(2024, 7, 9, 17, 5));
    EXPECT_EQ(diurnal.txtDiurnalHour, " 5");
    EXPECT_TRUE(diurnal.optDiurnalPM);
    EXPECT_EQ(diurnal.txtDiurnalTZ, " 5");
    EXPECT_TRUE(diurnal.optDiurnalWest);
    EXPECT_TRUE(diurnal.optDiurnalNorth);
}

TEST(UseNatalDataTest, CopiesTimeZoneAndPlaceButNotTheDate) {
    NatalInputFields natal;
    natal.txtMonth = "3", natal.txtDay = "14", natal.txtYear = "1962";
    natal.txtBirthHour = " 10", natal.txtBirthMinute = "15";
    natal.txtTZ = "-1";  // a zone east of Greenwich at a western longitude
    natal.txtLongDeg = " 3", natal.txtLongMin = "42", natal.txtLatDeg = " 40", natal.txtLatMin = "25";
    natal.SelectAM(false);
    natal.SelectSouth(true);

    DiurnalInputFields diurnal;
    diurnal.txtDiurnalMonth = "7", diurnal.txtDiurnalDay = "9", diurnal.txtDiurnalYear = "2024";
    diurnal.SelectEast(true);
    CopyNatalToDiurnal(natal, diurnal);

    EXPECT_EQ(diurnal.txtDiurnalMonth, "7");
    EXPECT_EQ(diurnal.txtDiurnalDay, "9");
    EXPECT_EQ(diurnal.txtDiurnalYear, "2024");
    EXPECT_EQ(diurnal.txtDiurnalHour, " 10");
    EXPECT_EQ(diurnal.txtDiurnalMinute, "15");
    // Changing from East to West must not turn the copied zone.
    EXPECT_EQ(diurnal.txtDiurnalTZ, "-1");
    EXPECT_EQ(diurnal.txtDiurnalLongDeg, " 3");
    EXPECT_EQ(diurnal.txtDiurnalLongMin, "42");
    EXPECT_EQ(diurnal.txtDiurnalLatDeg, " 40");
    EXPECT_EQ(diurnal.txtDiurnalLatMin, "25");
    EXPECT_TRUE(diurnal.optDiurnalPM);
    EXPECT_FALSE(diurnal.optDiurnalAM);
    EXPECT_TRUE(diurnal.optDiurnalWest);
    EXPECT_FALSE(diurnal.optDiurnalEast);
    EXPECT_TRUE(diurnal.optDiurnalSouth);
    EXPECT_FALSE(diurnal.optDiurnalNorth);
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
        DiurnalInputFields d;
        d.txtDiurnalHour = "9";
        d.txtDiurnalMinute = "30";
        d.txtDiurnalTZ = "-1";
        d.txtDiurnalLongDeg = "13";
        d.SelectAM(false);
        PutDiurnalDate(d, c.date);
        EXPECT_EQ(d.txtDiurnalMonth, c.month);
        EXPECT_EQ(d.txtDiurnalDay, c.day);
        EXPECT_EQ(d.txtDiurnalYear, c.year);
        EXPECT_EQ(ParseDate(JoinDateFields(d.txtDiurnalDay, d.txtDiurnalMonth, d.txtDiurnalYear, 0),
                            RegionalFormat{}),
                  c.date);
        EXPECT_EQ(d.txtDiurnalHour, "9");
        EXPECT_EQ(d.txtDiurnalMinute, "30");
        EXPECT_EQ(d.txtDiurnalTZ, "-1");
        EXPECT_EQ(d.txtDiurnalLongDeg, "13");
        EXPECT_TRUE(d.optDiurnalPM);
    }
}

}  // namespace
}  // namespace talvenor
