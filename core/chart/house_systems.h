// House cusps in the nine house systems, house placement of the chart points, the high-latitude check
// and the house-cusp lines of the natal data page.
#pragma once

#include <string_view>

#include "chart/birth.h"
#include "chart/chart_state.h"
#include "environment/user_message.h"
#include "ephemeris/houses.h"
#include "report/report_buffer.h"

namespace talvenor {

// Codes of the house systems, as HouseSystemCode and the house menu hold them.
inline constexpr std::string_view kPlacidus = "P";
inline constexpr std::string_view kRegiomontanus = "R";
inline constexpr std::string_view kKoch = "K";
inline constexpr std::string_view kCampanus = "C";
inline constexpr std::string_view kPorphyry = "O";
inline constexpr std::string_view kEqualAscendant = "EA";
inline constexpr std::string_view kEqualMidheaven = "EM";
inline constexpr std::string_view kMeridian = "M";
inline constexpr std::string_view kMorinus = "I";

// The engine's house system for a code; an unknown code gives Regiomontanus.
HouseSystem HouseSystemOfCode(std::string_view code);
// The code of a house system.
std::string_view CodeOfHouseSystem(HouseSystem system);

// The house cusps of the chart the time routine has just prepared, in the system of HouseSystemCode.
// Reads RamcRad, ObliquityRad (minus the obliquity), Ascendant, Midheaven, NatalNorthSouth, the packed
// latitude of the chart named by ChartSelector and, for Placidus, AuxLatitudeRad. Writes HouseCusp
// elements 1 to 12 (10th, 11th, 12th, 1st ... 9th), each in [0, 360); element 13 is left alone. Nothing
// is thrown: an arithmetic fault at extreme input (a latitude the high-latitude check refuses,
// non-finite angles) is the status returned, and the cusps are then not to be used.
EngineStatus ComputeHouseCusps(ChartState& chart);

// Writes the house of every point (PointLon) into its 10-character slot of PointHouseText: the
// four-character house label, then " HOUSE". A point exactly on a cusp falls into the house the cusp
// opens.
void PlaceHouses(ChartState& chart);

// The name the house-cusp report prints for a house-system code.
const char* HouseSystemReportName(std::string_view code);

inline constexpr std::string_view kLatitudeTooHighMessage =
    "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems.";
inline constexpr std::string_view kLatitudeTooHighTitle = "Warning!";

inline constexpr MessageIcon kLatitudeTooHighIcon = MessageIcon::Information;

// Whether a birth's latitude is too high for the quadrant house systems: above 66 degrees 00 minutes as
// given (a negative degree value, which only the options file can give, by the size of the latitude it
// gives).
bool LatitudeTooHighForHouses(const Birth& birth);

// The high-latitude rule of a computation: a natal or diurnal latitude above 66 degrees 00 minutes is
// refused unless the checked house system is Meridian or Morinus, which do not depend on the latitude.
// One warning covers both charts.
bool HouseLatitudeRefused(const Birth& natal, const Birth& second, std::string_view checkedHouseCode);

// A blank line, the title "  HOUSE CUSPS - " with the system's name, and the twelve cusps of HouseCusp
// in four lines of three.
void WriteHouseCusps(const ChartState& chart, ReportBuffer& report);

}  // namespace talvenor
