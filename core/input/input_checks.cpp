#include "input/input_checks.h"

#include <initializer_list>
#include <utility>

#include "chart/house_systems.h"
#include "text/basic_text.h"

namespace talvenor {
namespace {

// The faults of one birth as its tests find them, each with the window's message.
class Faults {
  public:
    Faults(BirthWindow window, std::vector<InputFault>& out) : window_(window), out_(out) {}
    // A failing test: its fault, with the first field the test found at fault.
    void Add(BirthField field) { out_.push_back({InputErrorMessage(window_), window_, field}); }

  private:
    BirthWindow window_;
    std::vector<InputFault>& out_;
};

using FieldOf = std::pair<BirthField, const BirthNumber*>;

// The first of the fields that a test finds at fault; None when it finds none.
template <typename Test>
BirthField FirstField(std::initializer_list<FieldOf> fields, Test test) {
    for (const auto& [field, number] : fields) {
        if (test(*number)) return field;
    }
    return BirthField::None;
}

BirthField FirstEmpty(std::initializer_list<FieldOf> fields) {
    return FirstField(fields, [](const BirthNumber& n) { return !n.given; });
}

void TestComplete(const Birth& b, Faults& faults) {
    const auto zero = [](const BirthNumber& n) { return n.value == 0; };
    if (auto f = FirstField(
            {{BirthField::Month, &b.month}, {BirthField::Day, &b.day}, {BirthField::Year, &b.year}}, zero);
        f != BirthField::None)
        faults.Add(f);
    if (auto f = FirstEmpty(
            {{BirthField::Month, &b.month}, {BirthField::Year, &b.year}, {BirthField::Day, &b.day}});
        f != BirthField::None)
        faults.Add(f);
    if (auto f = FirstEmpty(
            {{BirthField::Hour, &b.hour}, {BirthField::Zone, &b.zone}, {BirthField::Minute, &b.minute}});
        f != BirthField::None)
        faults.Add(f);
    if (auto f = FirstEmpty({{BirthField::LongitudeDegrees, &b.longitudeDegrees},
                             {BirthField::LongitudeMinutes, &b.longitudeMinutes}});
        f != BirthField::None)
        faults.Add(f);
    if (auto f = FirstEmpty({{BirthField::LatitudeDegrees, &b.latitudeDegrees},
                             {BirthField::LatitudeMinutes, &b.latitudeMinutes}});
        f != BirthField::None)
        faults.Add(f);
    // A zone far east of Greenwich with a western longitude is a sign typed the wrong way round, except
    // near the date line.
    if (ZoneSignLooksWrong(b.zone.value, !b.east, b.longitudeDegrees.value * 60 + b.longitudeMinutes.value))
        faults.Add(BirthField::Zone);
}

// True when the date names no day of the calendar. Dates already refused elsewhere (empty, zero, not a
// number, out of range) are left to those tests, so each fault shows one message. The chart would
// otherwise be computed for a day that does not exist, and the page header could not print it or would
// print another day: so the date must also read back as the very date the numbers give (no sign, no
// fraction; a year of one or two digits is the year as typed, written with four).
bool DateDoesNotExist(const Birth& b) {
    if (!b.month.whole || !b.day.whole || !b.year.whole) return false;
    if (!b.month.given || !b.day.given || !b.year.given) return false;
    if (b.month.value == 0 || b.day.value == 0 || b.year.value == 0) return false;
    if (b.month.value > 12 || b.day.value > 31 || b.year.value > kLastInputYear) return false;
    const auto whole = [](const BirthNumber& n) { return static_cast<int>(ToInt16(n.value).value_or(0)); };
    const CivilDate date{whole(b.year), whole(b.month), whole(b.day)};
    return !IsValidDate(date) || !b.dateReadsBack;
}

void TestRanges(const Birth& b, Faults& faults) {
    if (b.month.value > 12) {
        faults.Add(BirthField::Month);
    } else if (b.day.value > 31) {
        faults.Add(BirthField::Day);
    } else if (b.year.value > kLastInputYear) {
        faults.Add(BirthField::Year);
    }
    if (b.hour.value > 12) {
        faults.Add(BirthField::Hour);
    } else if (b.minute.value > 59) {
        faults.Add(BirthField::Minute);
    }
    if (!ZoneInRange(b.zone.value)) faults.Add(BirthField::Zone);
    if (b.longitudeDegrees.value > 180) {
        faults.Add(BirthField::LongitudeDegrees);
    } else if (b.longitudeMinutes.value > 59) {
        faults.Add(BirthField::LongitudeMinutes);
    }
    if (b.latitudeMinutes.value > 59) faults.Add(BirthField::LatitudeMinutes);
    // Clock times and the place are magnitudes, their direction given by the AM/PM, E/W and N/S buttons:
    // a minus sign there (pasted, from a names record such as "-0.30", or from a negative home place in
    // the options) would be folded into the packed value and give another moment or place than the one
    // shown, "11.70 P.M." or a latitude of 65.71 south for -66 degrees 29 minutes north.
    if (auto f = FirstField({{BirthField::Hour, &b.hour},
                             {BirthField::Minute, &b.minute},
                             {BirthField::LongitudeDegrees, &b.longitudeDegrees},
                             {BirthField::LongitudeMinutes, &b.longitudeMinutes},
                             {BirthField::LatitudeDegrees, &b.latitudeDegrees},
                             {BirthField::LatitudeMinutes, &b.latitudeMinutes}},
                            [](const BirthNumber& n) { return n.value < 0; });
        f != BirthField::None)
        faults.Add(f);
    if (DateDoesNotExist(b)) faults.Add(BirthField::Day);
    // A number given that is not a number as a whole ("-", ".", "1.2.3", "5-"). Empty boxes are the
    // completeness test's.
    if (auto f = FirstField({{BirthField::Month, &b.month},
                             {BirthField::Day, &b.day},
                             {BirthField::Year, &b.year},
                             {BirthField::Hour, &b.hour},
                             {BirthField::Minute, &b.minute},
                             {BirthField::Zone, &b.zone},
                             {BirthField::LongitudeDegrees, &b.longitudeDegrees},
                             {BirthField::LongitudeMinutes, &b.longitudeMinutes},
                             {BirthField::LatitudeDegrees, &b.latitudeDegrees},
                             {BirthField::LatitudeMinutes, &b.latitudeMinutes}},
                            [](const BirthNumber& n) { return n.given && !n.whole; });
        f != BirthField::None)
        faults.Add(f);
}

}  // namespace

bool ZoneInRange(double zoneWest) {
    return zoneWest <= kWestmostZone && zoneWest >= kEastmostZone;
}

bool ZoneSignLooksWrong(double zoneWest, bool west, double longitudeWestMinutes) {
    return zoneWest < -kSignSlipHours && west && !(longitudeWestMinutes > kDateLineRegionDegrees * 60);
}

UserMessage InputErrorMessage(BirthWindow window) {
    return {window == BirthWindow::Natal ? kNatalInputErrorMessage : kDiurnalInputErrorMessage,
            kInputErrorTitle, kInputErrorIcon};
}

std::vector<InputFault> CheckComplete(const Birth& birth, BirthWindow window) {
    std::vector<InputFault> out;
    Faults faults(window, out);
    TestComplete(birth, faults);
    return out;
}

std::vector<InputFault> CheckRanges(const Birth& birth, BirthWindow window) {
    std::vector<InputFault> out;
    Faults faults(window, out);
    TestRanges(birth, faults);
    return out;
}

std::vector<InputFault> CheckBirth(const Birth& birth, BirthWindow window) {
    std::vector<InputFault> out;
    Faults faults(window, out);
    TestComplete(birth, faults);
    TestRanges(birth, faults);
    return out;
}

std::vector<InputFault> CheckBirths(const Birth& natal, const Birth& second, HouseSystem checked) {
    std::vector<InputFault> out;
    Faults natalFaults(BirthWindow::Natal, out);
    Faults secondFaults(BirthWindow::Diurnal, out);
    TestComplete(natal, natalFaults);
    TestComplete(second, secondFaults);
    if (HouseLatitudeRefused(natal, second, checked)) {
        const bool natalTooHigh = LatitudeTooHighForHouses(natal);
        out.push_back(
            {{std::string(kLatitudeTooHighMessage), std::string(kLatitudeTooHighTitle), kLatitudeTooHighIcon},
             natalTooHigh ? BirthWindow::Natal : BirthWindow::Diurnal,
             BirthField::LatitudeDegrees});
    }
    TestRanges(natal, natalFaults);
    TestRanges(second, secondFaults);
    return out;
}

}  // namespace talvenor
