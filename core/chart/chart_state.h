// The working set of one chart pass, in the layout of the old chart tables.
//
// ComputeChart (chart/chart.h) runs the time routine, the houses and the ephemeris on a chart state of its
// own and returns the chart it finds; nothing else keeps one. The chart dump writes the two charts of a
// computation in this layout. Per-point arrays hold 16 elements and leave element 0 unused, so that an
// index reads exactly like the point catalogue (1 Sun ... 15 Midheaven).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chart/birth.h"
#include "chart/chart.h"
#include "chart/chart_tables.h"
#include "environment/regional_format.h"

namespace talvenor {

// ChartSelector values.
inline constexpr std::int16_t kSelectNatal = 0;
inline constexpr std::int16_t kSelectDiurnal = 3;

// The value TrueNode holds before a natal pass: the ephemeris stores the true node only while it sees it.
inline constexpr double kTrueNodeUnset = -100.0;

struct ChartState {
    ChartState();

    // ---- Input section (packed degrees/hours + minutes/100; longitude west positive) ----
    std::string ChartName;
    std::int16_t NatalDay = 0, NatalMonth = 0, NatalYear = 0;
    float NatalTime = 0, NatalTZ = 0, NatalLongitude = 0, NatalLatitude = 0;
    std::string NatalAmPm = "A.M.";
    std::string NatalEastWest = "WEST";
    std::string NatalNorthSouth = "NORTH";
    std::string NatalDateText;
    std::int16_t DiurnalDay = 0, DiurnalMonth = 0, DiurnalYear = 0;
    float DiurnalTime = 0, DiurnalTZ = 0, DiurnalLongitude = 0, DiurnalLatitude = 0;
    std::string DiurnalAmPm = "A.M.";
    std::string DiurnalEastWest = "WEST";
    std::string DiurnalNorthSouth = "NORTH";
    std::string DiurnalDateText;
    // The driver's copies of NatalEastWest and NatalNorthSouth, taken right after the transfer: the time
    // routine rewrites NatalNorthSouth for each pass, and the natal header prints these.
    std::string NatalEastWestCopy = "WEST";
    std::string NatalNorthSouthCopy = "NORTH";
    std::int16_t AgeYears = 0;
    std::int16_t LastBirthdayYear = 0;

    // ---- Computation settings and flags ----
    std::string HouseSystemCode = "P";
    std::int16_t ChartSelector = kSelectNatal;
    std::int16_t InputErrorFlag = 0;

    // ---- Time and angles of the chart last passed through the time routine ----
    double DayFraction = 0;
    double JulianDayNumber = 0;
    double CenturiesT = 0;
    double RamcRad = 0;
    double ObliquityRad = 0;  // holds minus the obliquity once the time routine has finished
    double ObliquityDeg = 0;
    double Midheaven = 0, Ascendant = 0;
    double Vertex = 0, EquatorialAscendant = 0, CoAscendant = 0, PolarAscendant = 0;
    int SiderealHours = 0, SiderealMinutes = 0, SiderealSeconds = 0;
    // The latitude of the auxiliary angles in radians, negated (south positive), an exact 0 replaced by
    // 0.00001; the Placidus houses work with minus this value.
    double AuxLatitudeRad = 0;

    // ---- Working set, filled by the ephemeris for the chart being computed ----
    PointArray PointLon{};
    PointArray PointDecl{};
    PointArray PointEclLat{};
    PointArray PointLonNextDay{};  // only for the retrograde test
    CuspArray HouseCusp{};
    std::string RetroFlags;      // 15 characters, "R" at the index of a retrograde point
    std::string PointHouseText;  // 150 characters, a 10-character slot per point
    double MeanNode = 0;
    double TrueNodeWork = 0;
    double MoonDeclNextDay = 0;

    // ---- Natal chart ----
    PointArray NatalLon{}, NatalDecl{}, NatalEclLat{}, NatalSolsticePt{};
    CuspArray NatalCusp{};
    double NatalVertex = 0, NatalEquatorialAsc = 0, NatalCoAsc = 0, NatalPolarAsc = 0;
    std::string NatalHouseText;
    std::string NatalRetroFlags;
    double TrueNodeDecl = 0;
    double NatalMeanNode = 0;

    // ---- Diurnal (second) chart ----
    PointArray DiurnalLon{}, DiurnalDecl{}, DiurnalSolsticePt{};
    CuspArray DiurnalCusp{};
    double DiurnalVertex = 0, DiurnalEquatorialAsc = 0, DiurnalCoAsc = 0, DiurnalPolarAsc = 0;
    std::string DiurnalHouseText;
    std::string DiurnalRetroFlags;

    // ---- Midpoint tables, built from the natal chart ----
    std::array<double, 19> MidpointFactor{};  // 1..13 midpoint factors, 14..17 the special points, 18 zero
    std::string MidpointFactorNames;
    std::array<double, 79> MidpointLon{};  // 1..78 in pair order (1,2), (1,3) ... (12,13)
    std::int16_t MidpointCount = 0;

    // ---- True node of the natal pass ----
    double TrueNode = kTrueNodeUnset;

    // ---- Time outputs of the two passes, as the time routine left them ----
    PassTimeOutputs NatalPass, DiurnalPass;
    // Copies the current time outputs.
    PassTimeOutputs CurrentTimeOutputs() const;
};

// Puts a checked natal birth into the natal input section of the working set: the date rounded to 16-bit
// integers, the packed clock time, zone and place, the A.M./P.M., WEST/EAST and NORTH/SOUTH words (the
// word follows the sign, so 0 degrees 00 is WEST and NORTH whichever direction was chosen) and the date
// text.
void TransferNatalBirth(const Birth& birth, ChartState& state);

// The same for the second chart, plus AgeYears and LastBirthdayYear, which compare its date with the
// natal date already transferred.
void TransferDiurnalBirth(const Birth& birth, ChartState& state);

// The working set's tables and the chart's tables that hold the same thing, handed to `pair` two at a
// time (the working set's first): what a pass leaves in the working set becomes the chart, and the chart
// dump puts a chart back. The time outputs go through PassTimeOutputs; T is the one of a day later, where
// the retrograde test leaves it.
template <class State, class ChartValue, class Pair>
void PairWorkingTables(State& st, ChartValue& c, Pair&& pair) {
    pair(st.PointLon, c.Lon);
    pair(st.PointDecl, c.Decl);
    pair(st.PointEclLat, c.EclLat);
    pair(st.PointLonNextDay, c.LonNextDay);
    pair(st.HouseCusp, c.Cusp);
    pair(st.RetroFlags, c.RetroFlags);
    pair(st.PointHouseText, c.HouseText);
    pair(st.MeanNode, c.MeanNode);
    pair(st.TrueNodeWork, c.TrueNode);
    pair(st.MoonDeclNextDay, c.MoonDeclNextDay);
    pair(st.CenturiesT, c.CenturiesTNextDay);
}

}  // namespace talvenor
