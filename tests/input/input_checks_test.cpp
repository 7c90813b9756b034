#include "input/input_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_dialogs.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

// 14 March 1962, 10:15 PM, zone 6, 87 deg 39' W, 41 deg 52' N.
NatalInputFields SampleNatal() {
    NatalInputFields f;
    f.txtName = "Sample Person";
    f.txtMonth = "3";
    f.txtDay = "14";
    f.txtYear = "1962";
    f.txtBirthHour = "10";
    f.txtBirthMinute = "15";
    f.txtTZ = "6";
    f.txtLongDeg = "87";
    f.txtLongMin = "39";
    f.txtLatDeg = "41";
    f.txtLatMin = "52";
    f.SelectAM(false);
    return f;
}

// 9 July 2024, 3:07 PM at the same place.
DiurnalInputFields SampleDiurnal() {
    DiurnalInputFields f;
    f.txtDiurnalMonth = "7";
    f.txtDiurnalDay = "9";
    f.txtDiurnalYear = "2024";
    f.txtDiurnalHour = "3";
    f.txtDiurnalMinute = "7";
    f.txtDiurnalTZ = "6";
    f.txtDiurnalLongDeg = "87";
    f.txtDiurnalLongMin = "39";
    f.txtDiurnalLatDeg = "41";
    f.txtDiurnalLatMin = "52";
    f.SelectAM(false);
    return f;
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

using NatalChange = Change<NatalInputFields>;
using DiurnalChange = Change<DiurnalInputFields>;

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
        NatalInputFields natal = SampleNatal();
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
        DiurnalInputFields diurnal = SampleDiurnal();
        diurnal.*c.field = c.text;
        diurnal.SelectEast(c.east);
        ChartState state;
        ScriptedDialogs dialogs;
        check(diurnal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in diurnal input data section. Please correct.");
        EXPECT_EQ(state.InputErrorFlag, c.messages > 0 ? 1 : 0);
    }
}

void NatalComplete(const NatalInputFields& natal, ChartState& state, ScriptedDialogs& dialogs) {
    CheckInputComplete(natal, SampleDiurnal(), state, dialogs);
}
void DiurnalComplete(const DiurnalInputFields& diurnal, ChartState& state, ScriptedDialogs& dialogs) {
    CheckInputComplete(SampleNatal(), diurnal, state, dialogs);
}
void NatalRanges(const NatalInputFields& natal, ChartState& state, ScriptedDialogs& dialogs) {
    CheckNatalRanges(natal, state, dialogs);
}
void DiurnalRanges(const DiurnalInputFields& diurnal, ChartState& state, ScriptedDialogs& dialogs) {
    CheckDiurnalRanges(diurnal, state, dialogs);
}

using N = NatalInputFields;
using D = DiurnalInputFields;

TEST(InputChecksTest, SoundInputPassesEveryCheckSilently) {
    ChartState state;
    ScriptedDialogs dialogs;
    CheckInputComplete(SampleNatal(), SampleDiurnal(), state, dialogs);
    CheckNatalRanges(SampleNatal(), state, dialogs);
    CheckDiurnalRanges(SampleDiurnal(), state, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(state.InputErrorFlag, 0);
}

TEST(InputChecksTest, ReportersShowTheirWindowsMessageAndSetTheFlag) {
    ChartState state;
    ScriptedDialogs dialogs;
    ReportNatalInputError(state, dialogs);
    EXPECT_EQ(state.InputErrorFlag, 1);
    ReportDiurnalInputError(state, dialogs);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Error in natal input data section. Please correct.");
    EXPECT_EQ(dialogs.shown[1].text, "Error in diurnal input data section. Please correct.");
    EXPECT_EQ(dialogs.shown[1].title, "Warning!");
    EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Information);
}

TEST(InputChecksTest, CompletenessRefusesZeroDateValuesEmptyFieldsAndAFarEasternZoneWithWest) {
    ExpectNatal(
        {
            {"month", &N::txtMonth, "0", false, 1},
            {"day", &N::txtDay, "00", false, 1},
            {"year", &N::txtYear, "0", false, 1},
            {"day without a number", &N::txtDay, "x", false, 1},
            // An empty date text also reads as 0: the first two tests both fail.
            {"month", &N::txtMonth, "", false, 2},
            {"day", &N::txtDay, "", false, 2},
            {"year", &N::txtYear, "", false, 2},
            {"hour", &N::txtBirthHour, "", false, 1},
            {"minute", &N::txtBirthMinute, "", false, 1},
            {"zone", &N::txtTZ, "", false, 1},
            {"longitude degrees", &N::txtLongDeg, "", false, 1},
            {"longitude minutes", &N::txtLongMin, "", false, 1},
            {"latitude degrees", &N::txtLatDeg, "", false, 1},
            {"latitude minutes", &N::txtLatMin, "", false, 1},
            {"zone with West", &N::txtTZ, "-2.5", false, 1},
            {"zone with West", &N::txtTZ, "-2", false, 0},
            {"zone with East", &N::txtTZ, "-5", true, 0},
            {"blank hour is not empty", &N::txtBirthHour, " ", false, 0},
        },
        NatalComplete);
}

TEST(InputChecksTest, CompletenessOfTheDiurnalWindowShowsTheDiurnalMessage) {
    ExpectDiurnal(
        {
            {"month", &D::txtDiurnalMonth, "0", false, 1},
            {"year", &D::txtDiurnalYear, "", false, 2},
            {"hour", &D::txtDiurnalHour, "", false, 1},
            {"minute", &D::txtDiurnalMinute, "", false, 1},
            {"zone", &D::txtDiurnalTZ, "", false, 1},
            {"longitude minutes", &D::txtDiurnalLongMin, "", false, 1},
            {"latitude degrees", &D::txtDiurnalLatDeg, "", false, 1},
            {"zone with West", &D::txtDiurnalTZ, "-2.5", false, 1},
            {"zone with East", &D::txtDiurnalTZ, "-2.5", true, 0},
        },
        DiurnalComplete);
}

TEST(InputChecksTest, RangeChecksRefuseValuesBeyondTheirLimits) {
    ExpectNatal(
        {
            {"month", &N::txtMonth, "13", false, 1},
            {"day", &N::txtDay, "32", false, 1},
            {"year", &N::txtYear, "2099", false, 0},
            {"year", &N::txtYear, "2100", false, 1},
            {"hour", &N::txtBirthHour, "12", false, 0},
            {"hour", &N::txtBirthHour, "13", false, 1},
            {"minute", &N::txtBirthMinute, "59", false, 0},
            {"minute", &N::txtBirthMinute, "60", false, 1},
            {"zone", &N::txtTZ, "12", false, 0},
            {"zone", &N::txtTZ, "12.5", false, 1},
            {"zone with East", &N::txtTZ, "-13", true, 0},
            {"zone with East", &N::txtTZ, "-13.75", true, 0},  // the Chatham Islands in summer
            {"zone with East", &N::txtTZ, "-14", true, 0},
            {"zone with East", &N::txtTZ, "-14.5", true, 1},
            {"longitude degrees", &N::txtLongDeg, "180", false, 0},
            {"longitude degrees", &N::txtLongDeg, "181", false, 1},
            {"longitude minutes", &N::txtLongMin, "60", false, 1},
            {"latitude minutes", &N::txtLatMin, "60", false, 1},
            // Latitude degrees are the high-latitude check's business.
            {"latitude degrees", &N::txtLatDeg, "95", false, 0},
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
            NatalInputFields natal = SampleNatal();
            DiurnalInputFields second = SampleDiurnal();
            std::string& zone = diurnal ? second.txtDiurnalTZ : natal.txtTZ;
            std::string& longDeg = diurnal ? second.txtDiurnalLongDeg : natal.txtLongDeg;
            std::string& longMin = diurnal ? second.txtDiurnalLongMin : natal.txtLongMin;
            zone = c.zone, longDeg = c.longDeg, longMin = c.longMin;
            diurnal ? second.SelectEast(c.east) : natal.SelectEast(c.east);
            ChartState state;
            ScriptedDialogs dialogs;
            CheckInputComplete(natal, second, state, dialogs);
            CheckNatalRanges(natal, state, dialogs);
            CheckDiurnalRanges(second, state, dialogs);
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
            {"year", &D::txtDiurnalYear, "2100", false, 1},
            {"hour", &D::txtDiurnalHour, "13", false, 1},
            {"zone", &D::txtDiurnalTZ, "13", false, 1},
            {"longitude degrees", &D::txtDiurnalLongDeg, "200", false, 1},
            {"latitude minutes", &D::txtDiurnalLatMin, "75", false, 1},
            {"day", &D::txtDiurnalDay, "31", false, 0},
            {"month", &D::txtDiurnalMonth, "9", false, 0},
        },
        DiurnalRanges);
}

TEST(InputChecksTest, EachFailingRangeTestShowsItsOwnMessage) {
    NatalInputFields natal = SampleNatal();
    natal.txtMonth = "13";      // line 1
    natal.txtBirthHour = "14";  // line 2
    natal.txtTZ = "13";         // line 3
    natal.txtLatMin = "61";     // line 5
    ChartState state;
    ScriptedDialogs dialogs;
    CheckNatalRanges(natal, state, dialogs);
    ExpectMessages(dialogs, 4, "Error in natal input data section. Please correct.");
}

TEST(InputChecksTest, DatesThatAreNotInTheCalendarAreRefused) {
    // The day of a 30-day month is checked too: a chart for 31 April has no day to be computed for.
    const auto april31 = [](NatalInputFields& f) { f.txtMonth = "4", f.txtDay = "31"; };
    const auto feb30 = [](NatalInputFields& f) { f.txtMonth = "2", f.txtDay = "30", f.txtYear = "2000"; };
    const auto feb29of1900 = [](NatalInputFields& f) {
        f.txtMonth = "2", f.txtDay = "29", f.txtYear = "1900";
    };
    const auto feb29of2000 = [](NatalInputFields& f) {
        f.txtMonth = "2", f.txtDay = "29", f.txtYear = "2000";
    };
    const auto feb29of2023 = [](NatalInputFields& f) {
        f.txtMonth = "2", f.txtDay = "29", f.txtYear = "2023";
    };
    const auto dec31 = [](NatalInputFields& f) { f.txtMonth = "12", f.txtDay = "31"; };
    const auto fraction = [](NatalInputFields& f) { f.txtDay = "14.5"; };
    const auto signedDay = [](NatalInputFields& f) { f.txtDay = "+14"; };
    const auto negativeYear = [](NatalInputFields& f) { f.txtYear = "-1962"; };
    // The year box takes the number as typed: 62 is the year 62, and 1 the year 1.
    const auto shortYear = [](NatalInputFields& f) { f.txtYear = "62"; };
    const auto yearOne = [](NatalInputFields& f) { f.txtMonth = "1", f.txtDay = "1", f.txtYear = " 1 "; };
    const auto paddedTexts = [](NatalInputFields& f) { f.txtDay = " 14 ", f.txtMonth = "03"; };
    const struct {
        const char* what;
        void (*change)(NatalInputFields&);
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
        NatalInputFields natal = SampleNatal();
        c.change(natal);
        ChartState state;
        ScriptedDialogs dialogs;
        CheckNatalRanges(natal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in natal input data section. Please correct.");
    }

    DiurnalInputFields diurnal = SampleDiurnal();
    diurnal.txtDiurnalMonth = "6";
    diurnal.txtDiurnalDay = "31";
    ChartState state;
    ScriptedDialogs dialogs;
    CheckDiurnalRanges(diurnal, state, dialogs);
    ExpectMessages(dialogs, 1, "Error in diurnal input data section. Please correct.");
}

TEST(InputChecksTest, NegativeClockTimesAndPlaceMagnitudesAreRefused) {
    ExpectNatal(
        {
            {"hour", &N::txtBirthHour, "-1", false, 1},
            {"hour", &N::txtBirthHour, "-13", false, 1},
            {"minute", &N::txtBirthMinute, "-30", false, 1},
            {"minute", &N::txtBirthMinute, "-0", false, 0},  // zero, whatever its sign
            {"longitude degrees", &N::txtLongDeg, "-75", false, 1},
            {"longitude degrees", &N::txtLongDeg, "-75", true, 1},
            {"longitude minutes", &N::txtLongMin, "-5", false, 1},
            {"latitude degrees", &N::txtLatDeg, "-66", false, 1},
            {"latitude minutes", &N::txtLatMin, "-29", false, 1},
            {"zone", &N::txtTZ, "-1", true, 0},  // a zone has its sign
        },
        NatalRanges);
    ExpectDiurnal(
        {
            {"hour", &D::txtDiurnalHour, "-1", false, 1},
            {"minute", &D::txtDiurnalMinute, "-30", false, 1},
            {"longitude minutes", &D::txtDiurnalLongMin, "-1", false, 1},
            {"latitude degrees", &D::txtDiurnalLatDeg, "-66", false, 1},
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
        NatalInputFields natal = SampleNatal();
        natal.txtMonth = c.month;
        natal.txtDay = c.day;
        natal.txtYear = c.year;
        ChartState state;
        ScriptedDialogs dialogs;
        CheckNatalRanges(natal, state, dialogs);
        ExpectMessages(dialogs, c.messages, "Error in natal input data section. Please correct.");
    }
}

TEST(InputChecksTest, OutOfRangeOrZeroDatesShowOneMessageNotTwo) {
    NatalInputFields natal = SampleNatal();
    natal.txtMonth = "13";
    ChartState state;
    ScriptedDialogs dialogs;
    CheckNatalRanges(natal, state, dialogs);
    EXPECT_EQ(dialogs.shown.size(), 1u);

    natal = SampleNatal();
    natal.txtDay = "0";
    dialogs.shown.clear();
    CheckNatalRanges(natal, state, dialogs);
    EXPECT_TRUE(dialogs.shown.empty());  // the completeness check has shown it
}

TEST(InputChecksTest, TextsThatAreNotNumbersAsAWholeAreRefused) {
    ExpectNatal(
        {
            {"zone", &N::txtTZ, "-", false, 1},
            {"zone", &N::txtTZ, ".", false, 1},
            {"zone", &N::txtTZ, "1.2.3", false, 1},
            {"zone", &N::txtTZ, "5-", false, 1},
            {"zone", &N::txtTZ, "--5", true, 1},
            {"zone", &N::txtTZ, "-5.", true, 0},
            {"zone", &N::txtTZ, " .5 ", false, 0},
            {"hour", &N::txtBirthHour, "1O", false, 1},
            {"minute", &N::txtBirthMinute, "1 5", false, 1},
            {"minute", &N::txtBirthMinute, " 15", false, 0},
            {"longitude degrees", &N::txtLongDeg, "87W", false, 1},
            {"longitude minutes", &N::txtLongMin, "3,9", false, 1},
            {"latitude degrees", &N::txtLatDeg, "4e1", false, 1},
            {"latitude minutes", &N::txtLatMin, "five", false, 1},
            {"year", &N::txtYear, "1962x", false, 1},
            {"hour of blanks", &N::txtBirthHour, "  ", false, 1},
        },
        NatalRanges);
    ExpectDiurnal(
        {
            {"zone", &D::txtDiurnalTZ, "-", false, 1},
            {"zone", &D::txtDiurnalTZ, "1.2.3", false, 1},
            {"month", &D::txtDiurnalMonth, "7.", false, 1},  // a number, but no calendar month text
        },
        DiurnalRanges);
}

TEST(InputChecksTest, ANonNumericZoneGivesOneMessageOverAllChecks) {
    NatalInputFields natal = SampleNatal();
    natal.txtTZ = "-";
    ChartState state;
    ScriptedDialogs dialogs;
    CheckInputComplete(natal, SampleDiurnal(), state, dialogs);
    CheckNatalRanges(natal, state, dialogs);
    CheckDiurnalRanges(SampleDiurnal(), state, dialogs);
    ExpectMessages(dialogs, 1, "Error in natal input data section. Please correct.");
    EXPECT_EQ(state.InputErrorFlag, 1);
}

// ---- Transfer ----

TEST(InputTransferTest, NatalTextsBecomePackedValuesAndWords) {
    ChartState state;
    TransferNatalInput(SampleNatal(), RegionalFormat{}, state);
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
    NatalInputFields natal = SampleNatal();
    natal.SelectEast(true);
    natal.SelectSouth(true);
    natal.SelectAM(true);
    natal.txtTZ = "-2.5";
    ChartState state;
    TransferNatalInput(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalLongitude, static_cast<float>(-87.39));
    EXPECT_EQ(state.NatalEastWest, "EAST");
    EXPECT_EQ(state.NatalLatitude, static_cast<float>(-41.52));
    EXPECT_EQ(state.NatalNorthSouth, "SOUTH");
    EXPECT_EQ(state.NatalAmPm, "A.M.");
    EXPECT_EQ(state.NatalTZ, -2.5f);
}

TEST(InputTransferTest, ZeroLongitudeAndLatitudeAreWestAndNorthWhateverIsSelected) {
    NatalInputFields natal = SampleNatal();
    natal.txtLongDeg = "0", natal.txtLongMin = "00", natal.txtLatDeg = "0", natal.txtLatMin = "00";
    natal.SelectEast(true);
    natal.SelectSouth(true);
    ChartState state;
    TransferNatalInput(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalLongitude, 0.0f);
    EXPECT_EQ(state.NatalEastWest, "WEST");
    EXPECT_EQ(state.NatalLatitude, 0.0f);
    EXPECT_EQ(state.NatalNorthSouth, "NORTH");

    DiurnalInputFields diurnal = SampleDiurnal();
    diurnal.txtDiurnalLongDeg = "0", diurnal.txtDiurnalLongMin = "0";
    diurnal.txtDiurnalLatDeg = "0", diurnal.txtDiurnalLatMin = "0";
    diurnal.SelectEast(true);
    diurnal.SelectSouth(true);
    TransferDiurnalInput(diurnal, RegionalFormat{}, state);
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
        TransferNatalInput(SampleNatal(), regional, state);
        TransferDiurnalInput(SampleDiurnal(), regional, state);
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
        NatalInputFields natal = SampleNatal();
        natal.txtYear = c.year;
        DiurnalInputFields diurnal = SampleDiurnal();
        diurnal.txtDiurnalYear = c.year;
        ChartState state;
        TransferNatalInput(natal, RegionalFormat{}, state);
        TransferDiurnalInput(diurnal, RegionalFormat{}, state);
        EXPECT_EQ(state.NatalYear, c.value);
        EXPECT_EQ(state.NatalDateText, c.text);
        EXPECT_EQ(state.DiurnalYear, c.value);
        EXPECT_EQ(ParseDate(state.NatalDateText, RegionalFormat{}), (CivilDate{c.value, 3, 14}));
    }
}

TEST(InputTransferTest, DateValuesRoundHalfToEven) {
    NatalInputFields natal = SampleNatal();
    natal.txtDay = "14.5";
    natal.txtMonth = "2.5";
    ChartState state;
    TransferNatalInput(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalDay, 14);
    EXPECT_EQ(state.NatalMonth, 2);
}

TEST(InputTransferTest, DiurnalValuesAndAgeAtTheDiurnalDate) {
    ChartState state;
    TransferNatalInput(SampleNatal(), RegionalFormat{}, state);  // born 14 March 1962
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
        DiurnalInputFields diurnal = SampleDiurnal();
        diurnal.txtDiurnalMonth = c.month;
        diurnal.txtDiurnalDay = c.day;
        diurnal.txtDiurnalYear = "2000";
        TransferDiurnalInput(diurnal, RegionalFormat{}, state);
        EXPECT_EQ(state.AgeYears, c.age);
        EXPECT_EQ(state.LastBirthdayYear, c.lastBirthdayYear);
        EXPECT_EQ(state.DiurnalYear, 2000);
    }

    TransferDiurnalInput(SampleDiurnal(), RegionalFormat{}, state);
    EXPECT_EQ(state.DiurnalDay, 9);
    EXPECT_EQ(state.DiurnalMonth, 7);
    EXPECT_EQ(state.DiurnalTime, static_cast<float>(3.07));
    EXPECT_EQ(state.DiurnalTZ, 6.0f);
    EXPECT_EQ(state.DiurnalAmPm, "P.M.");
    EXPECT_EQ(state.DiurnalLongitude, static_cast<float>(87.39));
    EXPECT_EQ(state.DiurnalLatitude, static_cast<float>(41.52));
}

TEST(InputTransferTest, ATextThatSlippedPastTheChecksDoesNotStopTheTransfer) {
    NatalInputFields natal = SampleNatal();
    natal.txtTZ = "1.2.3";
    natal.txtYear = "99999";
    ChartState state;
    TransferNatalInput(natal, RegionalFormat{}, state);
    EXPECT_EQ(state.NatalTZ, static_cast<float>(1.2));
    EXPECT_EQ(state.NatalYear, 0);
}

}  // namespace
}  // namespace talvenor
