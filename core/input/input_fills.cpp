#include "input/input_fills.h"

#include <cmath>
#include <cstdlib>

#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

// Whether the present moment lies in the afternoon half of the day. A 24-hour clock decides by the
// hour; a 12-hour clock by the "PM" its time text ends in, which it shows from 12 o'clock on, so both
// clocks come to the same test.
bool PmRule(const RegionalFormat& /*regional*/, const std::tm& now) {
    return now.tm_hour >= 12;
}

// The texts and buttons both windows' fills share.
struct NowTexts {
    std::string& month;
    std::string& day;
    std::string& year;
    std::string& hour;
    std::string& minute;
    std::string& zone;
    std::string& longDeg;
    std::string& longMin;
    std::string& latDeg;
    std::string& latMin;
};

// The hour rule's PM (an hour above 12) is part of the PM rule, which the caller applies afterwards.
void FillNowTexts(NowTexts t, const Options& options, const std::tm& now) {
    t.month = std::to_string(now.tm_mon + 1);
    t.day = std::to_string(now.tm_mday);
    t.year = std::to_string(now.tm_year + 1900);
    t.hour = std::to_string(now.tm_hour);
    t.minute = std::to_string(now.tm_min);
    bool pm = false;
    ApplyHourRule(t.hour, pm);
    t.zone = GeneralNumberSingle(options.homeZone());
    t.longDeg = GeneralNumberSingle(options.homeLongitudeDegrees());
    t.longMin = GeneralNumberSingle(options.homeLongitudeMinutes());
    t.latDeg = GeneralNumberSingle(options.homeLatitudeDegrees());
    t.latMin = GeneralNumberSingle(options.homeLatitudeMinutes());
    // The home zone takes its sign from East once, as the window's West button changes to East at
    // start. Whatever the window showed before, the fill always ends with these same texts: a zone
    // such as -1 at a western longitude (Western Europe) must not be turned by a West selection.
    if (options.homeEast()) ApplyEastWestToZone(t.zone, true);
}

}  // namespace

HourRuleResult ApplyHourRule(std::string& hourText, bool& pm) {
    if (hourText.empty()) return HourRuleResult::EmptyHour;
    const auto value = StrictNumber(hourText);
    if (!value) return HourRuleResult::NotANumber;
    if (*value == 0) {
        hourText = GeneralNumber(12);
    } else if (*value > 12) {
        pm = true;
        // Taking 12 away until the value is 12 or less, in one step so that a long row of digits
        // cannot keep the window busy.
        double folded = std::fmod(*value, 12.0);
        if (folded == 0) folded = 12;
        hourText = GeneralNumber(folded);
    }
    return HourRuleResult::Accepted;
}

std::string HourRuleMessage(HourRuleResult result, HourWindow window) {
    switch (result) {
        case HourRuleResult::EmptyHour:
            return window == HourWindow::Natal ? kEmptyBirthHourMessage : kEmptyDiurnalHourMessage;
        case HourRuleResult::NotANumber:
            return kTypingTooFastMessage;
        case HourRuleResult::Accepted:
            break;
    }
    return {};
}

std::optional<UserMessage> HourRuleFault(HourRuleResult result, HourWindow window) {
    std::string message = HourRuleMessage(result, window);
    if (message.empty()) return std::nullopt;
    return UserMessage{std::move(message), kHourRuleTitle, kHourRuleIcon};
}

void ApplyEastWestToZone(std::string& tzText, bool east) {
    const auto value = StrictNumber(tzText);
    if (!value) return;
    tzText = GeneralNumber(east ? -std::fabs(*value) : std::fabs(*value));
}

void FillNatalNow(InputTexts& natal, const Options& options, const RegionalFormat& regional,
                  const std::tm& now) {
    natal.name = "Now";
    FillNowTexts({natal.month, natal.day, natal.year, natal.hour, natal.minute, natal.zone, natal.longDeg,
                  natal.longMin, natal.latDeg, natal.latMin},
                 options, now);
    natal.SelectAM(true);
    if (PmRule(regional, now)) natal.SelectAM(false);
    natal.SelectEast(options.homeEast());
    natal.SelectSouth(options.homeSouth());
}

void FillDiurnalNow(SecondInputTexts& diurnal, const Options& options, const RegionalFormat& regional,
                    const std::tm& now) {
    FillNowTexts({diurnal.month, diurnal.day, diurnal.year, diurnal.hour, diurnal.minute, diurnal.zone,
                  diurnal.longDeg, diurnal.longMin, diurnal.latDeg, diurnal.latMin},
                 options, now);
    diurnal.SelectAM(true);
    if (PmRule(regional, now)) diurnal.SelectAM(false);
    diurnal.SelectEast(options.homeEast());
    diurnal.SelectSouth(options.homeSouth());
}

void PutDiurnalDate(SecondInputTexts& diurnal, const CivilDate& date) {
    diurnal.month = std::to_string(date.month);
    diurnal.day = std::to_string(date.day);
    diurnal.year = Format(date.year, "000");
}

void CopyNatalToDiurnal(const InputTexts& natal, SecondInputTexts& diurnal) {
    diurnal.hour = natal.hour;
    diurnal.minute = natal.minute;
    diurnal.zone = natal.zone;
    diurnal.longDeg = natal.longDeg;
    diurnal.longMin = natal.longMin;
    diurnal.latDeg = natal.latDeg;
    diurnal.latMin = natal.latMin;
    // The buttons are copied as they stand, without the East/West rule: the zone was just copied and
    // already belongs to the natal direction, so turning it again could only give the wrong sign.
    diurnal.am = natal.am;
    diurnal.pm = natal.pm;
    diurnal.east = natal.east;
    diurnal.west = natal.west;
    diurnal.north = natal.north;
    diurnal.south = natal.south;
}

}  // namespace talvenor
