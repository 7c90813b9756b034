#include "chart/chart_state.h"

#include <utility>

#include "chart/point_catalogue.h"
#include "text/basic_text.h"

namespace talvenor {

ChartState::ChartState()
    : NatalHouseText(kHouseTextLength, ' '),
      NatalRetroFlags(kPointCount, ' '),
      DiurnalHouseText(kHouseTextLength, ' '),
      DiurnalRetroFlags(kPointCount, ' '),
      MidpointFactorNames(kMidpointFactorNames) {
    RetroFlags.assign(kPointCount, ' ');
    // Before the first house placement the slots show dashes, so a report run too early is obvious.
    PointHouseText = "---- --------- -----";
    PointHouseText.resize(kHouseTextLength, ' ');
}

PassTimeOutputs ChartState::CurrentTimeOutputs() const {
    PassTimeOutputs t;
    t.DayFraction = DayFraction;
    t.JulianDayNumber = JulianDayNumber;
    t.CenturiesT = CenturiesT;
    t.RamcRad = RamcRad;
    t.ObliquityRad = ObliquityRad;
    t.ObliquityDeg = ObliquityDeg;
    t.Midheaven = Midheaven;
    t.Ascendant = Ascendant;
    t.Vertex = Vertex;
    t.EquatorialAscendant = EquatorialAscendant;
    t.CoAscendant = CoAscendant;
    t.PolarAscendant = PolarAscendant;
    t.AuxLatitudeRad = AuxLatitudeRad;
    t.SiderealHours = SiderealHours;
    t.SiderealMinutes = SiderealMinutes;
    t.SiderealSeconds = SiderealSeconds;
    return t;
}

namespace {

// One birth's input section: the date, the packed clock time, zone and place, and their words.
struct InputSection {
    std::int16_t &day, &month, &year;
    std::string& dateText;
    float &time, &zone, &longitude, &latitude;
    std::string &amPm, &eastWest, &northSouth;
};

void TransferBirth(const Birth& birth, const InputSection& in) {
    BirthHeading h = HeadingOf(birth);
    in.day = static_cast<std::int16_t>(h.date.day);
    in.month = static_cast<std::int16_t>(h.date.month);
    in.year = static_cast<std::int16_t>(h.date.year);
    in.dateText = birth.dateText;
    in.time = h.clock;
    in.zone = h.zone;
    in.longitude = h.longitude;
    in.latitude = h.latitude;
    in.amPm = std::move(h.amPm);
    in.eastWest = std::move(h.eastWest);
    in.northSouth = std::move(h.northSouth);
}

}  // namespace

void TransferNatalBirth(const Birth& birth, ChartState& s) {
    TransferBirth(birth, {s.NatalDay, s.NatalMonth, s.NatalYear, s.NatalDateText, s.NatalTime, s.NatalTZ,
                          s.NatalLongitude, s.NatalLatitude, s.NatalAmPm, s.NatalEastWest, s.NatalNorthSouth});
}

void TransferDiurnalBirth(const Birth& birth, ChartState& s) {
    TransferBirth(birth, {s.DiurnalDay, s.DiurnalMonth, s.DiurnalYear, s.DiurnalDateText, s.DiurnalTime,
                          s.DiurnalTZ, s.DiurnalLongitude, s.DiurnalLatitude, s.DiurnalAmPm, s.DiurnalEastWest,
                          s.DiurnalNorthSouth});
    s.LastBirthdayYear = s.DiurnalYear;
    s.AgeYears = static_cast<std::int16_t>(s.DiurnalYear - s.NatalYear);
    // The birthday of the diurnal year is still to come.
    if (s.DiurnalMonth < s.NatalMonth || (s.DiurnalMonth == s.NatalMonth && s.DiurnalDay < s.NatalDay)) {
        --s.AgeYears;
        --s.LastBirthdayYear;
    }
}

int SignOf(double longitude) {
    return static_cast<int>(Int(longitude / 30.0)) + 1;
}

}  // namespace talvenor
