#include "chart/chart_state.h"

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

int SignOf(double longitude) {
    return static_cast<int>(Int(longitude / 30.0)) + 1;
}

}  // namespace talvenor
