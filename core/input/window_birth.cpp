#include "input/window_birth.h"

#include <string_view>
#include <utility>

#include "environment/year_rule.h"
#include "input/strict_number.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The checks read with the leading-number rule, so "12abc" counts as 12; `whole` says that the check's
// whole-text test refuses it.
BirthNumber NumberOf(const std::string& text) {
    return {LeadingNumber(text), !text.empty(), StrictNumber(text).has_value()};
}

// True when the date texts, joined in month/day/year order (which reads back the same in every regional
// order), read back as the very date the numbers give: the page header reads the joined text back as a
// date, so a sign or a fraction in a box ("+5", "3.5") would print another day than the chart is for.
bool DateReadsBack(const InputTexts& t, const BirthNumber& year, const BirthNumber& month,
                   const BirthNumber& day) {
    const CivilDate given{ToInt16(year.value).value_or(0), ToInt16(month.value).value_or(0),
                          ToInt16(day.value).value_or(0)};
    const auto readBack = ParseDate(JoinDateFields(std::string(TrimBlanks(t.day)),
                                                   std::string(TrimBlanks(t.month)), FullYearText(t.year), 0),
                                    RegionalFormat{});
    return readBack && *readBack == given;
}

}  // namespace

BirthNumber ShownNumber(double value) {
    return NumberOf(GeneralNumber(value));
}

Birth BirthFromWindow(const InputTexts& t, const RegionalFormat& regional, std::string source) {
    Birth b;
    b.name = t.name;
    b.year = NumberOf(t.year);
    b.month = NumberOf(t.month);
    b.day = NumberOf(t.day);
    b.hour = NumberOf(t.hour);
    b.minute = NumberOf(t.minute);
    b.pm = !t.am;
    b.zone = NumberOf(t.zone);
    b.longitudeDegrees = NumberOf(t.longDeg);
    b.longitudeMinutes = NumberOf(t.longMin);
    b.east = t.east;
    b.latitudeDegrees = NumberOf(t.latDeg);
    b.latitudeMinutes = NumberOf(t.latMin);
    b.south = t.south;
    // Blanks around a pasted number are not part of it; the header has to read this text back, and a year
    // typed as 62 is the year 62, written 0062 so that it is not read as 1962.
    b.dateText = JoinDateFields(std::string(TrimBlanks(t.day)), std::string(TrimBlanks(t.month)),
                                std::string(TrimBlanks(FullYearText(t.year))), regional.DateOrder);
    b.dateReadsBack = DateReadsBack(t, b.year, b.month, b.day);
    b.source = std::move(source);
    return b;
}

void FillWindowFromBirth(const Birth& b, InputTexts& t, BirthPart upTo) {
    const auto reached = [upTo](BirthPart part) { return part < upTo; };
    if (!reached(BirthPart::Date)) return;
    t.month = std::to_string(static_cast<long long>(b.month.value));
    t.day = std::to_string(static_cast<long long>(b.day.value));
    t.year = std::to_string(static_cast<long long>(b.year.value));
    if (!reached(BirthPart::Time)) return;
    t.hour = GeneralNumber(b.hour.value);
    t.minute = Format(b.minute.value, "#0");
    t.SelectAM(!b.pm);
    if (!reached(BirthPart::Zone)) return;
    t.zone = GeneralNumber(b.zone.value);
    if (!reached(BirthPart::Longitude)) return;
    t.longDeg = GeneralNumber(b.longitudeDegrees.value);
    t.SelectEast(b.east);
    t.longMin = Format(b.longitudeMinutes.value, "#0");
    if (!reached(BirthPart::Latitude)) return;
    t.latDeg = GeneralNumber(b.latitudeDegrees.value);
    t.SelectSouth(b.south);
    t.latMin = Format(b.latitudeMinutes.value, "#0");
}

}  // namespace talvenor
