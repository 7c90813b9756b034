#include "input/input_checks.h"

#include <string>
#include <string_view>

#include "environment/year_rule.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

// The texts both windows share, so that one set of tests serves the two.
struct WindowTexts {
    const std::string& month;
    const std::string& day;
    const std::string& year;
    const std::string& hour;
    const std::string& minute;
    const std::string& zone;
    const std::string& longDeg;
    const std::string& longMin;
    const std::string& latDeg;
    const std::string& latMin;
    bool am;
    bool east;
    bool west;
    bool south;
};

WindowTexts TextsOf(const NatalInputFields& f) {
    return {f.txtMonth,   f.txtDay,    f.txtYear,   f.txtBirthHour, f.txtBirthMinute, f.txtTZ,   f.txtLongDeg,
            f.txtLongMin, f.txtLatDeg, f.txtLatMin, f.optAM,        f.optEast,        f.optWest, f.optSouth};
}

WindowTexts TextsOf(const DiurnalInputFields& f) {
    return {f.txtDiurnalMonth,  f.txtDiurnalDay,    f.txtDiurnalYear,    f.txtDiurnalHour,
            f.txtDiurnalMinute, f.txtDiurnalTZ,     f.txtDiurnalLongDeg, f.txtDiurnalLongMin,
            f.txtDiurnalLatDeg, f.txtDiurnalLatMin, f.optDiurnalAM,      f.optDiurnalEast,
            f.optDiurnalWest,   f.optDiurnalSouth};
}

using Report = void (*)(ChartState&, UserDialogs&);

// The checks read with the leading-number rule, so "12abc" counts as 12 here; the whole-text test at the
// end of the range checks refuses such texts.
double Value(const std::string& text) {
    return LeadingNumber(text);
}

void CheckComplete(const WindowTexts& w, Report report, ChartState& state, UserDialogs& dialogs) {
    if (Value(w.month) == 0 || Value(w.day) == 0 || Value(w.year) == 0) report(state, dialogs);
    if (w.month.empty() || w.year.empty() || w.day.empty()) report(state, dialogs);
    if (w.hour.empty() || w.zone.empty() || w.minute.empty()) report(state, dialogs);
    if (w.longDeg.empty() || w.longMin.empty()) report(state, dialogs);
    if (w.latDeg.empty() || w.latMin.empty()) report(state, dialogs);
    // A zone far east of Greenwich with a western longitude is a sign typed the wrong way round, except
    // near the date line.
    if (ZoneSignLooksWrong(Value(w.zone), w.west, Value(w.longDeg) * 60 + Value(w.longMin)))
        report(state, dialogs);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// True when the date texts name no day of the calendar. Texts already refused elsewhere (empty, zero,
// not a number, out of range) are left to those tests, so each fault shows one message. The chart would
// otherwise be computed for a day that does not exist, and the page header, which reads the joined date
// text back as a date, could not print it or would print another day: so the texts must also read back
// as the very date the transfer takes (no sign, no fraction; a year of one or two digits is the year as
// typed, written with four).
bool DateDoesNotExist(const WindowTexts& w) {
    const auto month = StrictNumber(w.month);
    const auto day = StrictNumber(w.day);
    const auto year = StrictNumber(w.year);
    if (!month || !day || !year) return false;
    if (*month == 0 || *day == 0 || *year == 0) return false;
    if (*month > 12 || *day > 31 || *year > kLastInputYear) return false;

    const CivilDate transferred{ToInt16(*year).value_or(0), ToInt16(*month).value_or(0),
                                ToInt16(*day).value_or(0)};
    if (!IsValidDate(transferred)) return true;
    // Numbers joined in month/day/year order read back the same in every regional order.
    const auto readBack = ParseDate(JoinDateFields(std::string(TrimBlanks(w.day)),
                                                   std::string(TrimBlanks(w.month)), FullYearText(w.year), 0),
                                    RegionalFormat{});
    return !readBack || *readBack != transferred;
}

// True when a numeric text is not a number as a whole ("-", ".", "1.2.3", "5-"). Empty texts are the
// completeness test's.
bool AnyTextNotANumber(const WindowTexts& w) {
    for (const std::string* text : {&w.month, &w.day, &w.year, &w.hour, &w.minute, &w.zone, &w.longDeg,
                                    &w.longMin, &w.latDeg, &w.latMin}) {
        if (!text->empty() && !StrictNumber(*text)) return true;
    }
    return false;
}

// Clock times and the place are magnitudes, their direction given by the AM/PM, E/W and N/S buttons: a
// minus sign there (pasted, from a names record such as "-0.30", or from a negative home place in the
// options) would be folded into the packed value and give another moment or place than the one shown,
// "11.70 P.M." or a latitude of 65.71 south for -66 degrees 29 minutes north.
bool AnyMagnitudeBelowZero(const WindowTexts& w) {
    for (const std::string* text : {&w.hour, &w.minute, &w.longDeg, &w.longMin, &w.latDeg, &w.latMin}) {
        if (Value(*text) < 0) return true;
    }
    return false;
}

void CheckRanges(const WindowTexts& w, Report report, ChartState& state, UserDialogs& dialogs) {
    if (Value(w.month) > 12 || Value(w.day) > 31 || Value(w.year) > kLastInputYear) report(state, dialogs);
    if (Value(w.hour) > 12 || Value(w.minute) > 59) report(state, dialogs);
    if (!ZoneInRange(Value(w.zone))) report(state, dialogs);
    if (Value(w.longDeg) > 180 || Value(w.longMin) > 59) report(state, dialogs);
    if (Value(w.latMin) > 59) report(state, dialogs);
    if (AnyMagnitudeBelowZero(w)) report(state, dialogs);
    if (DateDoesNotExist(w)) report(state, dialogs);
    if (AnyTextNotANumber(w)) report(state, dialogs);
}

// The transfer converts whole texts. The checks have refused every text that is not a number by then;
// should one arrive anyway, its leading number is taken rather than failing half-way.
double WholeValue(const std::string& text) {
    const auto value = StrictNumber(text);
    return value ? *value : LeadingNumber(text);
}

std::int16_t WholeInt16(const std::string& text) {
    return ToInt16(WholeValue(text)).value_or(0);
}

std::string DateText(const WindowTexts& w, const RegionalFormat& regional) {
    // Blanks around a pasted number are not part of it; the header has to read this text back, and a year
    // typed as 62 is the year 62, written 0062 so that it is not read as 1962.
    return JoinDateFields(std::string(TrimBlanks(w.day)), std::string(TrimBlanks(w.month)),
                          std::string(TrimBlanks(FullYearText(w.year))), regional.DateOrder);
}

struct Place {
    float longitude;
    float latitude;
    const char* eastWest;
    const char* northSouth;
};

// Packed degrees + minutes/100, west and north positive. The word follows the sign of the result, so
// 0 degrees 00 is WEST and NORTH whichever button is selected.
Place PlaceOf(const WindowTexts& w) {
    double longitude = WholeValue(w.longDeg) + WholeValue(w.longMin) / 100;
    if (w.east) longitude = -longitude;
    double latitude = WholeValue(w.latDeg) + WholeValue(w.latMin) / 100;
    if (w.south) latitude = -latitude;
    return {static_cast<float>(longitude), static_cast<float>(latitude), longitude >= 0 ? "WEST" : "EAST",
            latitude >= 0 ? "NORTH" : "SOUTH"};
}

float PackedTime(const WindowTexts& w) {
    return static_cast<float>(WholeValue(w.hour) + WholeValue(w.minute) / 100);
}

}  // namespace

bool ZoneInRange(double zoneWest) {
    return zoneWest <= kWestmostZone && zoneWest >= kEastmostZone;
}

bool ZoneSignLooksWrong(double zoneWest, bool west, double longitudeWestMinutes) {
    return zoneWest < -kSignSlipHours && west && !(longitudeWestMinutes > kDateLineRegionDegrees * 60);
}

void ReportNatalInputError(ChartState& state, UserDialogs& dialogs) {
    dialogs.ShowMessage(kNatalInputErrorMessage, kInputErrorTitle, kInputErrorIcon);
    state.InputErrorFlag = 1;
}

void ReportDiurnalInputError(ChartState& state, UserDialogs& dialogs) {
    dialogs.ShowMessage(kDiurnalInputErrorMessage, kInputErrorTitle, kInputErrorIcon);
    state.InputErrorFlag = 1;
}

void CheckInputComplete(const NatalInputFields& natal, const DiurnalInputFields& diurnal, ChartState& state,
                        UserDialogs& dialogs) {
    CheckComplete(TextsOf(natal), ReportNatalInputError, state, dialogs);
    CheckComplete(TextsOf(diurnal), ReportDiurnalInputError, state, dialogs);
}

void CheckNatalRanges(const NatalInputFields& natal, ChartState& state, UserDialogs& dialogs) {
    CheckRanges(TextsOf(natal), ReportNatalInputError, state, dialogs);
}

void CheckDiurnalRanges(const DiurnalInputFields& diurnal, ChartState& state, UserDialogs& dialogs) {
    CheckRanges(TextsOf(diurnal), ReportDiurnalInputError, state, dialogs);
}

void TransferNatalInput(const NatalInputFields& natal, const RegionalFormat& regional, ChartState& state) {
    const WindowTexts w = TextsOf(natal);
    state.NatalTZ = static_cast<float>(WholeValue(w.zone));
    state.NatalDay = WholeInt16(w.day);
    state.NatalMonth = WholeInt16(w.month);
    state.NatalYear = WholeInt16(w.year);
    state.NatalDateText = DateText(w, regional);
    state.NatalTime = PackedTime(w);
    state.NatalAmPm = w.am ? "A.M." : "P.M.";
    const Place place = PlaceOf(w);
    state.NatalLongitude = place.longitude;
    state.NatalEastWest = place.eastWest;
    state.NatalLatitude = place.latitude;
    state.NatalNorthSouth = place.northSouth;
}

void TransferDiurnalInput(const DiurnalInputFields& diurnal, const RegionalFormat& regional,
                          ChartState& state) {
    const WindowTexts w = TextsOf(diurnal);
    state.DiurnalDay = WholeInt16(w.day);
    state.DiurnalYear = WholeInt16(w.year);
    state.DiurnalMonth = WholeInt16(w.month);
    state.LastBirthdayYear = state.DiurnalYear;
    state.AgeYears = static_cast<std::int16_t>(state.DiurnalYear - state.NatalYear);
    state.DiurnalDateText = DateText(w, regional);
    // The birthday of the diurnal year is still to come.
    if (state.DiurnalMonth < state.NatalMonth ||
        (state.DiurnalMonth == state.NatalMonth && state.DiurnalDay < state.NatalDay)) {
        --state.AgeYears;
        --state.LastBirthdayYear;
    }
    state.DiurnalTime = PackedTime(w);
    state.DiurnalTZ = static_cast<float>(WholeValue(w.zone));
    state.DiurnalAmPm = w.am ? "A.M." : "P.M.";
    const Place place = PlaceOf(w);
    state.DiurnalLongitude = place.longitude;
    state.DiurnalEastWest = place.eastWest;
    state.DiurnalLatitude = place.latitude;
    state.DiurnalNorthSouth = place.northSouth;
}

}  // namespace talvenor
