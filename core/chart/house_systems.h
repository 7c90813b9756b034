// House cusps in the nine house systems, house placement of the chart points, the high-latitude check
// and the house-cusp lines of the natal data page.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "chart/birth.h"
#include "chart/chart_tables.h"
#include "environment/user_message.h"
#include "ephemeris/houses.h"
#include "report/report_buffer.h"

namespace talvenor {

struct ChartState;

// The nine house systems, in the order of the house menu: the code the house menu and the report tool's
// --house take (and the chart state's HouseSystemCode holds), the menu item with its caption, the name the
// house-cusp report prints, the value of option 27 that checks it at start and whether the system
// divides the houses by the latitude (the quadrant systems, refused above 66 degrees).
struct HouseSystemEntry {
    HouseSystem system;
    std::string_view code;
    const char* menuItem;
    const char* menuCaption;
    const char* reportName;
    float option27;
    bool usesLatitude;
};

inline constexpr std::array<HouseSystemEntry, 9> kHouseSystems{{
    {HouseSystem::Placidus, "P", "mnuHousePlacidus", "&Placidus", "Placidus", 1, true},
    {HouseSystem::Regiomontanus, "R", "mnuHouseRegiomontanus", "&Regiomontanus", "Regiomontanus", 2, true},
    {HouseSystem::Koch, "K", "mnuHouseKoch", "&Koch", "Koch", 3, true},
    {HouseSystem::Campanus, "C", "mnuHouseCampanus", "&Campanus", "Campanus", 4, true},
    {HouseSystem::Porphyry, "O", "mnuHousePorphyry", "P&orphyry", "Porphyry", 5, true},
    {HouseSystem::EqualAscendant, "EA", "mnuHouseEqualAsc", "&Equal - Asc", "Equal - Ascendant", 6, true},
    {HouseSystem::EqualMidheaven, "EM", "mnuHouseEqualMC", "E&qual - MC", "Equal - MC", 7, true},
    {HouseSystem::Meridian, "M", "mnuHouseMeridian", "&Meridian", "Meridian", 8, false},
    {HouseSystem::Morinus, "I", "mnuHouseMorinus", "Mor&inus", "Morinus", 9, false},
}};

// The entry of a house system.
const HouseSystemEntry& HouseSystemEntryOf(HouseSystem system);

// The house system of one of the nine codes, exactly as written; nothing for any other text.
std::optional<HouseSystem> HouseSystemOfKnownCode(std::string_view code);

// The engine's house system for a code of the chart state; an unknown code gives Regiomontanus.
HouseSystem HouseSystemOfCode(std::string_view code);

// The code of a house system.
std::string_view CodeOfHouseSystem(HouseSystem system);

// The house system checked at start for an option-27 value: 2 Regiomontanus ... 9 Morinus, anything else
// Placidus.
HouseSystem HouseSystemForOption(float option27);

// The house system the computation takes from the house menu's code: one of the nine, otherwise
// Placidus.
HouseSystem HouseSystemOfMenuCode(std::string_view code);

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
// The same for any points and cusps: the houses of `points` among `cusps` into `text`.
void PlaceHouses(const PointArray& points, const CuspArray& cusps, std::string& text);

// The name the house-cusp report prints for a house-system code (Regiomontanus for an unknown code).
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
bool HouseLatitudeRefused(const Birth& natal, const Birth& second, HouseSystem checked);

// A blank line, the title "  HOUSE CUSPS - " with the system's name, and the twelve cusps of a chart
// (NatalCusp, DiurnalCusp) in four lines of three.
void WriteHouseCusps(HouseSystem system, const CuspArray& cusps, ReportBuffer& report);

}  // namespace talvenor
