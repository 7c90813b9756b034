#include "input/input_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/birth.h"
#include "chart/chart_state.h"
#include "input/window_birth.h"
#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

// 14 March 1962, 10:15 PM, zone 6, 87 deg 39' W, 41 deg 52' N.
InputTexts SampleNatal() {
    InputTexts f;
    f.name = "Sample Person";
    f.month = "3";
    f.day = "14";
    f.year = "1962";
    f.hour = "10";
    f.minute = "15";
    f.zone = "6";
    f.longDeg = "87";
    f.longMin = "39";
    f.latDeg = "41";
    f.latMin = "52";
    f.SelectAM(false);
    return f;
}

// 9 July 2024, 3:07 PM at the same place.
SecondInputTexts SampleDiurnal() {
    SecondInputTexts f;
    f.month = "7";
    f.day = "9";
    f.year = "2024";
    f.hour = "3";
    f.minute = "7";
    f.zone = "6";
    f.longDeg = "87";
    f.longMin = "39";
    f.latDeg = "41";
    f.latMin = "52";
    f.SelectAM(false);
    return f;
}

// The check's faults shown as a window shows them, one box each in order, and the flag a refused
// computation sets.
void Show(const std::vector<InputFault>& faults, ChartState& state, ScriptedDialogs& dialogs) {
    for (const InputFault& f : faults) dialogs.ShowMessage(f.message.text, f.message.title, f.message.icon);
    if (!faults.empty()) state.InputErrorFlag = 1;
}

Birth NatalBirth(const InputTexts& natal, const RegionalFormat& regional = {}) {
    return BirthFromWindow(natal, regional, kNatalWindowSource);
}
Birth DiurnalBirth(const SecondInputTexts& diurnal, const RegionalFormat& regional = {}) {
    return BirthFromWindow(diurnal, regional, kDiurnalWindowSource);
}

// Completeness of both windows, natal first.
void ShowComplete(const InputTexts& natal, const SecondInputTexts& diurnal, ChartState& state,
                  ScriptedDialogs& dialogs) {
    Show(CheckComplete(NatalBirth(natal), BirthWindow::Natal), state, dialogs);
    Show(CheckComplete(DiurnalBirth(diurnal), BirthWindow::Diurnal), state, dialogs);
}
void ShowNatalRanges(const InputTexts& natal, ChartState& state, ScriptedDialogs& dialogs) {
    Show(CheckRanges(NatalBirth(natal), BirthWindow::Natal), state, dialogs);
}
void ShowDiurnalRanges(const SecondInputTexts& diurnal, ChartState& state, ScriptedDialogs& dialogs) {
    Show(CheckRanges(DiurnalBirth(diurnal), BirthWindow::Diurnal), state, dialogs);
}

void TransferNatalWindow(const InputTexts& natal, const RegionalFormat& regional, ChartState& state) {
    TransferNatalBirth(NatalBirth(natal, regional), state);
}
void TransferDiurnalWindow(const SecondInputTexts& diurnal, const RegionalFormat& regional,
                           ChartState& state) {
    TransferDiurnalBirth(DiurnalBirth(diurnal, regional), state);
}

// One change to a window and the number of its messages it must cause.
template <typename Fields>
struct Change {
    const char* what;
    std::string Fields::*field;
    const char* text;
    bool east;
    int messages;
};

using NatalChange = Change<InputTexts>;
using DiurnalChange = Change<SecondInputTexts>;

void ExpectMessages(const ScriptedDialogs& dialogs, int count, const char* message) {
    ASSERT_EQ(static_cast<int>(dialogs.shown.size()), count);
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.text, message);
        EXPECT_EQ(shown.title, "Warning!");
        EXPECT_EQ(shown.icon, MessageIcon::Information);
    }
}

// Runs every change through a check of the natal window and counts its messages.
template <typename Check>
void ExpectNatal(const std::vector<NatalChange>& changes, Check check) {
    for (const auto& c : changes) {
        SCOPED_TRACE(std::string(c.what) + " \"" + c.text + "\"");
        InputTexts natal = SampleNatal();
        natal.*c.field = c.text;
        natal.SelectEast(c.east);
        ChartState state;
        ScriptedDialogs dialogs;
        check(natal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in natal input data section. Please correct.");
        EXPECT_EQ(state.InputErrorFlag, c.messages > 0 ? 1 : 0);
    }
}

template <typename Check>
void ExpectDiurnal(const std::vector<DiurnalChange>& changes, Check check) {
    for (const auto& c : changes) {
        SCOPED_TRACE(std::string(c.what) + " \"" + c.text + "\"");
        SecondInputTexts diurnal = SampleDiurnal();
        diurnal.*c.field = c.text;
        diurnal.SelectEast(c.east);
        ChartState state;
        ScriptedDialogs dialogs;
        check(diurnal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in diurnal input data section. Please correct.");
        EXPECT_EQ(state.InputErrorFlag, c.messages > 0 ? 1 : 0);
    }
}

void NatalComplete(const InputTexts& natal, ChartState& state, ScriptedDialogs& dialogs) {
    ShowComplete(natal, SampleDiurnal(), state, dialogs);
}
void DiurnalComplete(const SecondInputTexts& diurnal, ChartState& state, ScriptedDialogs& dialogs) {
    ShowComplete(SampleNatal(), diurnal, state, dialogs);
}
void NatalRanges(const InputTexts& natal, ChartState& state, ScriptedDialogs& dialogs) {
    ShowNatalRanges(natal, state, dialogs);
}
void DiurnalRanges(const SecondInputTexts& diurnal, ChartState& state, ScriptedDialogs& dialogs) {
    ShowDiurnalRanges(diurnal, state, dialogs);
}

using N = InputTexts;
using D = SecondInputTexts;

TEST(InputChecksTest, SoundInputPassesEveryCheckSilently) {
    ChartState state;
    ScriptedDialogs dialogs;
    ShowComplete(SampleNatal(), SampleDiurnal(), state, dialogs);
    ShowNatalRanges(SampleNatal(), state, dialogs);
    ShowDiurnalRanges(SampleDiurnal(), state, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(state.InputErrorFlag, 0);
}

TEST(InputChecksTest, EachWindowHasItsOwnMessage) {
    const UserMessage natal = InputErrorMessage(BirthWindow::Natal);
    const UserMessage diurnal = InputErrorMessage(BirthWindow::Diurnal);
    EXPECT_EQ(natal.text, "Error in natal input data section. Please correct.");
    EXPECT_EQ(natal.title, "Warning!");
    EXPECT_EQ(natal.icon, MessageIcon::Information);
    EXPECT_EQ(diurnal.text, "Error in diurnal input data section. Please correct.");
    EXPECT_EQ(diurnal.title, "Warning!");
    EXPECT_EQ(diurnal.icon, MessageIcon::Information);
}

TEST(InputChecksTest, CompletenessRefusesZeroDateValuesEmptyFieldsAndAFarEasternZoneWithWest) {
    ExpectNatal(
        {
            {"month", &N::month, "0", false, 1},
            {"day", &N::day, "00", false, 1},
            {"year", &N::year, "0", false, 1},
            {"day without a number", &N::day, "x", false, 1},
            // An empty date text also reads as 0: the first two tests both fail.
            {"month", &N::month, "", false, 2},
            {"day", &N::day, "", false, 2},
            {"year", &N::year, "", false, 2},
            {"hour", &N::hour, "", false, 1},
            {"minute", &N::minute, "", false, 1},
            {"zone", &N::zone, "", false, 1},
            {"longitude degrees", &N::longDeg, "", false, 1},
            {"longitude minutes", &N::longMin, "", false, 1},
            {"latitude degrees", &N::latDeg, "", false, 1},
            {"latitude minutes", &N::latMin, "", false, 1},
            {"zone with West", &N::zone, "-2.5", false, 1},
            {"zone with West", &N::zone, "-2", false, 0},
            {"zone with East", &N::zone, "-5", true, 0},
            {"blank hour is not empty", &N::hour, " ", false, 0},
        },
        NatalComplete);
}

TEST(InputChecksTest, CompletenessOfTheDiurnalWindowShowsTheDiurnalMessage) {
    ExpectDiurnal(
        {
            {"month", &D::month, "0", false, 1},
            {"year", &D::year, "", false, 2},
            {"hour", &D::hour, "", false, 1},
            {"minute", &D::minute, "", false, 1},
            {"zone", &D::zone, "", false, 1},
            {"longitude minutes", &D::longMin, "", false, 1},
            {"latitude degrees", &D::latDeg, "", false, 1},
            {"zone with West", &D::zone, "-2.5", false, 1},
            {"zone with East", &D::zone, "-2.5", true, 0},
        },
        DiurnalComplete);
}

TEST(InputChecksTest, RangeChecksRefuseValuesBeyondTheirLimits) {
    ExpectNatal(
        {
            {"month", &N::month, "13", false, 1},
            {"day", &N::day, "32", false, 1},
            {"year", &N::year, "2099", false, 0},
            {"year", &N::year, "2100", false, 1},
            {"hour", &N::hour, "12", false, 0},
            {"hour", &N::hour, "13", false, 1},
            {"minute", &N::minute, "59", false, 0},
            {"minute", &N::minute, "60", false, 1},
            {"zone", &N::zone, "12", false, 0},
            {"zone", &N::zone, "12.5", false, 1},
            {"zone with East", &N::zone, "-13", true, 0},
            {"zone with East", &N::zone, "-13.75", true, 0},  // the Chatham Islands in summer
            {"zone with East", &N::zone, "-14", true, 0},
            {"zone with East", &N::zone, "-14.5", true, 1},
            {"longitude degrees", &N::longDeg, "180", false, 0},
            {"longitude degrees", &N::longDeg, "181", false, 1},
            {"longitude minutes", &N::longMin, "60", false, 1},
            {"latitude minutes", &N::latMin, "60", false, 1},
            // Latitude degrees are the high-latitude check's business.
            {"latitude degrees", &N::latDeg, "95", false, 0},
        },
        NatalRanges);
}

// Samoa, Tonga, Kiritimati, Wallis and the Chatham Islands lie west of Greenwich with zones far east of
// it: beyond 150 degrees west such a zone is real; short of it, it is still a sign the wrong way round.
TEST(InputChecksTest, ZonesFarEastPassWithWesternLongitudesOnlyBeyond150DegreesWest) {
    const struct {
        const char* place;
        const char* zone;
        const char* longDeg;
        const char* longMin;
        bool east;
        int messages;
    } cases[] = {
        {"Apia", "-13", "171", "46", false, 0},
        {"Nuku'alofa", "-13", "175", "12", false, 0},
        {"Kiritimati", "-14", "157", "24", false, 0},
        {"Mata-Utu", "-12", "176", "10", false, 0},
        {"Waitangi, Chatham Islands", "-12.75", "176", "34", false, 0},
        {"Waitangi in summer", "-13.75", "176", "34", false, 0},
        {"just beyond 150 W", "-13", "150", "1", false, 0},
        {"at 150 W", "-13", "150", "0", false, 1},
        {"New York with a zone typed the wrong way", "-5", "74", "0", false, 1},
        {"Honolulu with a zone typed the wrong way", "-10", "157", "51", false, 0},
        {"beyond the eastmost zone", "-14.5", "171", "46", false, 1},
        {"beyond the westmost zone", "13", "171", "46", false, 1},
        {"Auckland in summer", "-13", "174", "46", true, 0},
        {"Kiritimati east of the date line", "-14", "172", "0", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        for (const bool diurnal : {false, true}) {
            InputTexts natal = SampleNatal();
            SecondInputTexts second = SampleDiurnal();
            std::string& zone = diurnal ? second.zone : natal.zone;
            std::string& longDeg = diurnal ? second.longDeg : natal.longDeg;
            std::string& longMin = diurnal ? second.longMin : natal.longMin;
            zone = c.zone, longDeg = c.longDeg, longMin = c.longMin;
            diurnal ? second.SelectEast(c.east) : natal.SelectEast(c.east);
            ChartState state;
            ScriptedDialogs dialogs;
            ShowComplete(natal, second, state, dialogs);
            ShowNatalRanges(natal, state, dialogs);
            ShowDiurnalRanges(second, state, dialogs);
            ExpectMessages(dialogs, c.messages,
                           diurnal ? kDiurnalInputErrorMessage : kNatalInputErrorMessage);
        }
    }
    EXPECT_TRUE(ZoneInRange(-14));
    EXPECT_FALSE(ZoneInRange(-14.01));
    EXPECT_TRUE(ZoneInRange(12));
    EXPECT_FALSE(ZoneInRange(12.01));
}

TEST(InputChecksTest, DiurnalRangeChecksShowTheDiurnalMessage) {
    ExpectDiurnal(
        {
            {"year", &D::year, "2100", false, 1},
            {"hour", &D::hour, "13", false, 1},
            {"zone", &D::zone, "13", false, 1},
            {"longitude degrees", &D::longDeg, "200", false, 1},
            {"latitude minutes", &D::latMin, "75", false, 1},
            {"day", &D::day, "31", false, 0},
            {"month", &D::month, "9", false, 0},
        },
        DiurnalRanges);
}

TEST(InputChecksTest, EachFailingRangeTestShowsItsOwnMessage) {
    InputTexts natal = SampleNatal();
    natal.month = "13";   // line 1
    natal.hour = "14";    // line 2
    natal.zone = "13";    // line 3
    natal.latMin = "61";  // line 5
    ChartState state;
    ScriptedDialogs dialogs;
    ShowNatalRanges(natal, state, dialogs);
    ExpectMessages(dialogs, 4, "Error in natal input data section. Please correct.");
}

TEST(InputChecksTest, DatesThatAreNotInTheCalendarAreRefused) {
    // The day of a 30-day month is checked too: a chart for 31 April has no day to be computed for.
    const auto april31 = [](InputTexts& f) { f.month = "4", f.day = "31"; };
    const auto feb30 = [](InputTexts& f) { f.month = "2", f.day = "30", f.year = "2000"; };
    const auto feb29of1900 = [](InputTexts& f) { f.month = "2", f.day = "29", f.year = "1900"; };
    const auto feb29of2000 = [](InputTexts& f) { f.month = "2", f.day = "29", f.year = "2000"; };
    const auto feb29of2023 = [](InputTexts& f) { f.month = "2", f.day = "29", f.year = "2023"; };
    const auto dec31 = [](InputTexts& f) { f.month = "12", f.day = "31"; };
    const auto fraction = [](InputTexts& f) { f.day = "14.5"; };
    const auto signedDay = [](InputTexts& f) { f.day = "+14"; };
    const auto negativeYear = [](InputTexts& f) { f.year = "-1962"; };
    // The year box takes the number as typed: 62 is the year 62, and 1 the year 1.
    const auto shortYear = [](InputTexts& f) { f.year = "62"; };
    const auto yearOne = [](InputTexts& f) { f.month = "1", f.day = "1", f.year = " 1 "; };
    const auto paddedTexts = [](InputTexts& f) { f.day = " 14 ", f.month = "03"; };
    const struct {
        const char* what;
        void (*change)(InputTexts&);
        int messages;
    } cases[] = {
        {"31 April", april31, 1},
        {"30 February 2000", feb30, 1},
        {"29 February 1900", feb29of1900, 1},
        {"29 February 2000", feb29of2000, 0},
        {"29 February 2023", feb29of2023, 1},
        {"31 December", dec31, 0},
        {"day 14.5", fraction, 1},
        {"day +14", signedDay, 1},
        {"year -1962", negativeYear, 1},
        {"year 62", shortYear, 0},
        {"year 1", yearOne, 0},
        {"blanks and a leading zero", paddedTexts, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InputTexts natal = SampleNatal();
        c.change(natal);
        ChartState state;
        ScriptedDialogs dialogs;
        ShowNatalRanges(natal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in natal input data section. Please correct.");
    }

    SecondInputTexts diurnal = SampleDiurnal();
    diurnal.month = "6";
    diurnal.day = "31";
    ChartState state;
    ScriptedDialogs dialogs;
    ShowDiurnalRanges(diurnal, state, dialogs);
    ExpectMessages(dialogs, 1, "Error in diurnal input data section. Please correct.");
}

TEST(InputChecksTest, NegativeClockTimesAndPlaceMagnitudesAreRefused) {
    ExpectNatal(
        {
            {"hour", &N::hour, "-1", false, 1},
            {"hour", &N::hour, "-13", false, 1},
            {"minute", &N::minute, "-30", false, 1},
            {"minute", &N::minute, "-0", false, 0},  // zero, whatever its sign
            {"longitude degrees", &N::longDeg, "-75", false, 1},
            {"longitude degrees", &N::longDeg, "-75", true, 1},
            {"longitude minutes", &N::longMin, "-5", false, 1},
            {"latitude degrees", &N::latDeg, "-66", false, 1},
            {"latitude minutes", &N::latMin, "-29", false, 1},
            {"zone", &N::zone, "-1", true, 0},  // a zone has its sign
        },
        NatalRanges);
    ExpectDiurnal(
        {
            {"hour", &D::hour, "-1", false, 1},
            {"minute", &D::minute, "-30", false, 1},
            {"longitude minutes", &D::longMin, "-1", false, 1},
            {"latitude degrees", &D::latDeg, "-66", false, 1},
        },
        DiurnalRanges);
}

TEST(InputChecksTest, LeapDaysFollowTheCalendarTheChartIsComputedIn) {
    const struct {
        const char* month;
        const char* day;
        const char* year;
        int messages;
    } cases[] = {
        {"2", "29", "1500", 0}, {"2", "29", "1300", 0},  {"2", "29", "1100", 0},  {"2", "29", "1580", 0},
        {"2", "29", "1582", 1}, {"2", "29", "1700", 1},  {"2", "29", "1600", 0},  {"10", "4", "1582", 0},
        {"10", "5", "1582", 0}, {"10", "14", "1582", 0}, {"10", "15", "1582", 0}, {"2", "30", "1500", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.month) + "/" + c.day + "/" + c.year);
        InputTexts natal = SampleNatal();
        natal.month = c.month;
        natal.day = c.day;
        natal.year = c.year;
        ChartState state;
        ScriptedDialogs dialogs;
        ShowNatalRanges(natal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in natal input data section. Please correct.");
    }
}

TEST(InputChecksTest, OutOfRangeOrZeroDatesShowOneMessageNotTwo) {
    InputTexts natal = SampleNatal();
    natal.month = "13";
    ChartState state;
    ScriptedDialogs dialogs;
    ShowNatalRanges(natal, state, dialogs);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    natal = SampleNatal();
    natal.day = "0";
    dialogs.shown.clear();
    ShowNatalRanges(natal, state, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());  // the completeness check has shown it
}

TEST(InputChecksTest, TextsThatAreNotNumbersAsAWholeAreRefused) {
    ExpectNatal(
        {
            {"zone", &N::zone, "-", false, 1},
            {"zone", &N::zone, ".", false, 1},
            {"zone", &N::zone, "1.2.3", false, 1},
            {"zone", &N::zone, "5-", false, 1},
            {"zone", &N::zone, "--5", true, 1},
            {"zone", &N::zone, "-5.", true, 0},
            {"zone", &N::zone, " .5 ", false, 0},
            {"hour", &N::hour, "1O", false, 1},
            {"minute", &N::minute, "1 5", false, 1},
            {"minute", &N::minute, " 15", false, 0},
            {"longitude degrees", &N::longDeg, "87W", false, 1},
            {"longitude minutes", &N::longMin, "3,9", false, 1},
            {"latitude degrees", &N::latDeg, "4e1", false, 1},
            {"latitude minutes", &N::latMin, "five", false, 1},
            {"year", &N::year, "1962x", false, 1},
            {"hour of blanks", &N::hour, "  ", false, 1},
        },
        NatalRanges);
    ExpectDiurnal(
        {
            {"zone", &D::zone, "-", false, 1},
            {"zone", &D::zone, "1.2.3", false, 1},
            {"month", &D::month, "7.", false, 1},  // a number, but no calendar month text
        },
        DiurnalRanges);
}

TEST(InputChecksTest, ANonNumericZoneGivesOneMessageOverAllChecks) {
    InputTexts natal = SampleNatal();
    natal.zone = "-";
    ChartState state;
    ScriptedDialogs dialogs;
    ShowComplete(natal, SampleDiurnal(), state, dialogs);
    ShowNatalRanges(natal, state, dialogs);
    ShowDiurnalRanges(SampleDiurnal(), state, dialogs);
    ExpectMessages(dialogs, 1, "Error in natal input data section. Please correct.");
    EXPECT_EQ(state.InputErrorFlag, 1);
}

// ---- Transfer ----

TEST(InputTransferTest, NatalTextsBecomePackedValuesAndWords) {
    ChartState state;
    TransferNatalWindow(SampleNatal(), RegionalFormat{}, state);
    EXPECT_EQ(state.NatalDay, 14);
    EXPECT_EQ(state.NatalMonth, 3);
    EXPECT_EQ(state.NatalYear, 1962);
    EXPECT_EQ(state.NatalTime, static_cast<float>(10.15));
    EXPECT_EQ(state.NatalTZ, 6.0f);
    EXPECT_EQ(state.NatalAmPm, "P.M.");
    EXPECT_EQ(state.NatalLongitude, static_cast<float>(87.39));
    EXPECT_EQ(state.NatalEastWest, "WEST");
    EXPECT_EQ(state.NatalLatitude, static_cast<float>(41.52));
    EXPECT_EQ(state.NatalNorthSouth, "NORTH");
    EXPECT_EQ(state.NatalDateText, "3/14/1962");
}

TEST(InputTransferTest, EastAndSouthAreNegativeWithTheirWords) {
    InputTexts natal = SampleNatal();
    natal.SelectEast(true);
    natal.SelectSouth(true);
    natal.SelectAM(true);
    natal.zone = "-2.5";
    ChartState state;
    TransferNatalWindow(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalLongitude, static_cast<float>(-87.39));
    EXPECT_EQ(state.NatalEastWest, "EAST");
    EXPECT_EQ(state.NatalLatitude, static_cast<float>(-41.52));
    EXPECT_EQ(state.NatalNorthSouth, "SOUTH");
    EXPECT_EQ(state.NatalAmPm, "A.M.");
    EXPECT_EQ(state.NatalTZ, -2.5f);
}

TEST(InputTransferTest, ZeroLongitudeAndLatitudeAreWestAndNorthWhateverIsSelected) {
    InputTexts natal = SampleNatal();
    natal.longDeg = "0", natal.longMin = "00", natal.latDeg = "0", natal.latMin = "00";
    natal.SelectEast(true);
    natal.SelectSouth(true);
    ChartState state;
    TransferNatalWindow(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalLongitude, 0.0f);
    EXPECT_EQ(state.NatalEastWest, "WEST");
    EXPECT_EQ(state.NatalLatitude, 0.0f);
    EXPECT_EQ(state.NatalNorthSouth, "NORTH");

    SecondInputTexts diurnal = SampleDiurnal();
    diurnal.longDeg = "0", diurnal.longMin = "0";
    diurnal.latDeg = "0", diurnal.latMin = "0";
    diurnal.SelectEast(true);
    diurnal.SelectSouth(true);
    TransferDiurnalWindow(diurnal, RegionalFormat{}, state);
    EXPECT_EQ(state.DiurnalEastWest, "WEST");
    EXPECT_EQ(state.DiurnalNorthSouth, "NORTH");
}

TEST(InputTransferTest, DateTextFollowsTheRegionalOrder) {
    const struct {
        std::int16_t order;
        const char* natal;
        const char* diurnal;
    } cases[] = {{0, "3/14/1962", "7/9/2024"}, {1, "14/3/1962", "9/7/2024"}, {2, "1962/3/14", "2024/7/9"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        RegionalFormat regional;
        regional.DateOrder = c.order;
        ChartState state;
        TransferNatalWindow(SampleNatal(), regional, state);
        TransferDiurnalWindow(SampleDiurnal(), regional, state);
        EXPECT_EQ(state.NatalDateText, c.natal);
        EXPECT_EQ(state.DiurnalDateText, c.diurnal);
    }
}

// A year typed in one or two digits is that year; the date text, which the page header reads back as a
// date, gives it with four digits so that it does not read as 19xx or 20xx.
TEST(InputTransferTest, AShortYearIsTheYearAsTypedInTheDateText) {
    const struct {
        const char* year;
        std::int16_t value;
        const char* text;
    } cases[] = {{"62", 62, "3/14/0062"},
                 {" 1", 1, "3/14/0001"},
                 {"062", 62, "3/14/062"},
                 {"1962", 1962, "3/14/1962"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        InputTexts natal = SampleNatal();
        natal.year = c.year;
        SecondInputTexts diurnal = SampleDiurnal();
        diurnal.year = c.year;
        ChartState state;
        TransferNatalWindow(natal, RegionalFormat{}, state);
        TransferDiurnalWindow(diurnal, RegionalFormat{}, state);
        EXPECT_EQ(state.NatalYear, c.value);
        EXPECT_EQ(state.NatalDateText, c.text);
        EXPECT_EQ(state.DiurnalYear, c.value);
        EXPECT_EQ(ParseDate(state.NatalDateText, RegionalFormat{}), (CivilDate{c.value, 3, 14}));
    }
}

TEST(InputTransferTest, DateValuesRoundHalfToEven) {
    InputTexts natal = SampleNatal();
    natal.day = "14.5";
    natal.month = "2.5";
    ChartState state;
    TransferNatalWindow(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalDay, 14);
    EXPECT_EQ(state.NatalMonth, 2);
}

TEST(InputTransferTest, DiurnalValuesAndAgeAtTheDiurnalDate) {
    ChartState state;
    TransferNatalWindow(SampleNatal(), RegionalFormat{}, state);  // born 14 March 1962
    const struct {
        const char* month;
        const char* day;
        int age;
        int lastBirthdayYear;
    } cases[] = {
        {"3", "13", 37, 1999},  // the day before the birthday
        {"3", "14", 38, 2000},  // the birthday itself
        {"2", "28", 37, 1999}, {"4", "1", 38, 2000}, {"12", "31", 38, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.month) + "/" + c.day);
        SecondInputTexts diurnal = SampleDiurnal();
        diurnal.month = c.month;
        diurnal.day = c.day;
        diurnal.year = "2000";
        TransferDiurnalWindow(diurnal, RegionalFormat{}, state);
        EXPECT_EQ(state.AgeYears, c.age);
        EXPECT_EQ(state.LastBirthdayYear, c.lastBirthdayYear);
        EXPECT_EQ(state.DiurnalYear, 2000);
    }

    TransferDiurnalWindow(SampleDiurnal(), RegionalFormat{}, state);
    EXPECT_EQ(state.DiurnalDay, 9);
    EXPECT_EQ(state.DiurnalMonth, 7);
    EXPECT_EQ(state.DiurnalTime, static_cast<float>(3.07));
    EXPECT_EQ(state.DiurnalTZ, 6.0f);
    EXPECT_EQ(state.DiurnalAmPm, "P.M.");
    EXPECT_EQ(state.DiurnalLongitude, static_cast<float>(87.39));
    EXPECT_EQ(state.DiurnalLatitude, static_cast<float>(41.52));
}

TEST(InputTransferTest, ATextThatSlippedPastTheChecksDoesNotStopTheTransfer) {
    InputTexts natal = SampleNatal();
    natal.zone = "1.2.3";
    natal.year = "99999";
    ChartState state;
    TransferNatalWindow(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalTZ, static_cast<float>(1.2));
    EXPECT_EQ(state.NatalYear, 0);
}

}  // namespace
}  // namespace talvenor
