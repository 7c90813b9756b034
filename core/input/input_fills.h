// Rules the input windows apply to their own fields: the hour rule, the sign the time zone takes from
// East and West, the present-moment fill and the "Use natal data" copy.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "chart/input_texts.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "environment/user_message.h"

namespace talvenor {

inline constexpr const char* kEmptyBirthHourMessage = "Please fill in a value for birth hour.";
inline constexpr const char* kEmptyDiurnalHourMessage = "Please fill in a value for diurnal hour.";
inline constexpr const char* kTypingTooFastMessage = "You are typing too fast. Please slow down.";
inline constexpr const char* kHourRuleTitle = "Warning!";
inline constexpr MessageIcon kHourRuleIcon = MessageIcon::Information;

enum class HourRuleResult {
    Accepted,   // nothing to show; the text may have been folded into the 12-hour clock
    EmptyHour,  // the empty-hour message of the window
    NotANumber  // the typing-too-fast message; the window then selects the whole hour text
};

enum class HourWindow { Natal, Diurnal };

// Runs on every change of the hour text. 0 becomes " 12"; a value above 12 selects PM (pm = true) and
// loses 12 until it is 12 or less (" 15" -> " 3"); 1 to 12 and other numbers stay as typed. An empty text
// and a text that is not a number are reported and left as they are.
HourRuleResult ApplyHourRule(std::string& hourText, bool& pm);

// The text the window shows for a result ("" for Accepted).
std::string HourRuleMessage(HourRuleResult result, HourWindow window);
// That message with its title and icon, for the window to show; none for Accepted.
std::optional<UserMessage> HourRuleFault(HourRuleResult result, HourWindow window);

// Selecting East makes the zone minus its magnitude, West its magnitude, in the general number format
// (" 5" <-> "-5"). A zone text that is not a number is left alone.
void ApplyEastWestToZone(std::string& tzText, bool east);

// The present moment at the home place: date and time from `now` (month, day, year, hour and minute
// without leading zeros, the hour folded into the 12-hour clock, PM from 12 o'clock on), the zone and
// the home coordinates from options 18, 19, 20, 22 and 23, East when option 21 is not 0, South when
// option 24 is not 0. An eastern home gives the zone the East rule; a western one leaves it as stored,
// whatever direction the window showed before. The natal fill also sets the name "Now".
void FillNatalNow(InputTexts& natal, const Options& options, const RegionalFormat& regional,
                  const std::tm& now);
void FillDiurnalNow(SecondInputTexts& diurnal, const Options& options, const RegionalFormat& regional,
                    const std::tm& now);

// "Use natal data": the natal clock time, zone and place with their AM/PM, E/W and N/S buttons, as they
// stand in the natal window; the diurnal date stays. The zone is copied as it is: the buttons change
// without the East/West rule.
void CopyNatalToDiurnal(const InputTexts& natal, SecondInputTexts& diurnal);

// A date put into the diurnal window (from the graphic ephemeris): month, day and year as the window
// shows them ("3", "14", "2027"; a year before 100 with three digits, so that it is not read as one of
// this century); the time and the place stay.
void PutDiurnalDate(SecondInputTexts& diurnal, const CivilDate& date);

}  // namespace talvenor
