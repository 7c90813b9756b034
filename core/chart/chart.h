// One computed chart as a plain value, and the pure computation that makes it.
//
// A chart holds everything one pass of the chart computation finds for one birth: the instant and its
// angles, the positions of the fifteen points with their latitudes, declinations and next-day positions,
// the retrograde flags, the house cusps and the house of every point, the solstice points, the special
// points, the two nodes and, for a natal chart, the midpoint factors and the 78 midpoints. Per-point arrays
// are indexed as the point catalogue (1 Sun ... 15 Midheaven), cusp arrays as the house-cusp table (1 the
// 10th house ... 12 the 9th).
//
// The members keep the names of the old tables under the chart's own prefix: the natal chart's `Lon` is
// `NatalLon`, the second chart's `Lon` is `DiurnalLon`; `Cusp` is `NatalCusp` / `DiurnalCusp`, `HouseText`
// is `NatalHouseText` / `DiurnalHouseText`, and so on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "chart/arithmetic_fault.h"
#include "chart/birth.h"
#include "chart/chart_tables.h"
#include "environment/factor_set.h"
#include "environment/options.h"
#include "ephemeris/houses.h"
#include "ephemeris/sky_engine.h"

namespace talvenor {

// Which of the two charts of a computation a chart is; it names the step in the message of a fault
// ("the natal house cusps", "the diurnal chart") and decides whether the midpoint table is made.
enum class ChartRole { Natal, Second };

struct Chart {
    Chart();

    // The birth the chart was computed from, and the house system of its cusps.
    Birth birth;
    HouseSystem houseSystem = HouseSystem::Placidus;
    // The engine its sky was computed with; what is computed from the chart (progressions, directions,
    // the event search and the graphic ephemeris around it) takes the same.
    SkyEngine engine;
    // The factors its midpoint work is done with; what is computed from the chart takes the same.
    FactorSet factors = FactorSet::Classic;

    // The instant and the angles, as the time routine gives them: day fraction, Julian day, T, RAMC,
    // minus the obliquity in ObliquityRad, the obliquity in degrees, MC, Ascendant, Vertex, equatorial
    // ascendant, co-ascendant, polar ascendant and the sidereal time (NatalPass / DiurnalPass).
    PassTimeOutputs time;
    // T one day after the instant, where the ephemeris of the retrograde test leaves it.
    double CenturiesTNextDay = 0;

    PointArray Lon{};         // NatalLon / DiurnalLon: the fifteen points' longitudes
    PointArray Decl{};        // NatalDecl / DiurnalDecl
    PointArray EclLat{};      // NatalEclLat: ecliptic latitudes of Sun .. Moon; 0 for the rest
    PointArray LonNextDay{};  // the planets' longitudes a day later, for the retrograde test
    PointArray SolsticePt{};  // NatalSolsticePt / DiurnalSolsticePt
    CuspArray Cusp{};         // NatalCusp / DiurnalCusp
    std::string RetroFlags;   // NatalRetroFlags: 15 characters, "R" at a retrograde planet
    std::string HouseText;    // NatalHouseText: a 10-character slot per point ("10TH HOUSE")

    double MeanNode = 0;         // NatalMeanNode: the mean North Node, as Lon[kNorthNode]
    double TrueNode = 0;         // the true North Node at the chart's instant
    double TrueNodeDecl = 0;     // its declination (natal charts)
    double MoonDeclNextDay = 0;  // the Moon's declination a day later

    // The midpoint table of a natal chart (empty for the second chart): factors 1..13 (Sun, Moon,
    // Mercury .. Pluto, the node of option 161, Ascendant, MC), 14..17 the special points, 18 zero; the
    // 78 midpoints in pair order (1,2), (1,3) ... (12,13).
    std::array<double, 19> MidpointFactor{};
    std::array<double, 79> MidpointLon{};
    std::int16_t MidpointCount = 0;

    // With the Uranian factors: 0 the Aries point (0 degrees, moved as the others in a directed chart) and
    // 1..8 the hypothetical points Cupido .. Poseidon, their longitudes, declinations and daily motions in
    // longitude (degrees, per day); all zero with the classic factors.
    std::array<double, 1 + kUranianPoints> UranianLon{};
    std::array<double, 1 + kUranianPoints> UranianDecl{};
    std::array<double, 1 + kUranianPoints> UranianSpeed{};

    // The special points (NatalVertex, NatalEquatorialAsc, NatalCoAsc, NatalPolarAsc).
    double Vertex() const { return time.Vertex; }
    double EquatorialAsc() const { return time.EquatorialAscendant; }
    double CoAsc() const { return time.CoAscendant; }
    double PolarAsc() const { return time.PolarAscendant; }

    friend bool operator==(const Chart&, const Chart&) = default;
};

// What a page of the chart adds to its first heading line: nothing for the program's theory, the note
// "   (modern ephemeris)" for the modern engine.
std::string EngineHeadingNote(const Chart& chart);

// A computed chart, or the arithmetic fault that stopped it.
struct ChartResult {
    std::optional<Chart> chart;
    EngineResult fault;
};

// The chart of a checked birth in a house system. Pure: it reads nothing but its arguments and keeps no
// state, so that several threads may compute charts at once. A fault at extreme input comes back as the
// fault, never as a chart. The engine gives the sky, the sidereal time and the obliquity.
ChartResult ComputeChart(const Birth& birth, HouseSystem houseSystem, const Options& options,
                         ChartRole role = ChartRole::Natal, const SkyEngine& engine = SkyEngine(),
                         FactorSet factors = FactorSet::Classic);

}  // namespace talvenor
