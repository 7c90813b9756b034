#include "chart/chart_passes.h"

#include "chart/chart_ephemeris.h"
#include "chart/chart_time.h"
#include "chart/house_systems.h"
#include "chart/midpoint_rule.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "ephemeris/angles.h"

namespace talvenor {

namespace {

// Declinations of the nodes, the Part of Fortune and the angles, which lie on the ecliptic.
void EclipticPointDeclinations(const ChartState& st, PointArray& decl) {
    for (int p = kNorthNode; p <= kMidheaven; ++p) {
        decl[static_cast<std::size_t>(p)] =
            Declination(st.PointLon[static_cast<std::size_t>(p)], 0.0, -st.ObliquityRad);
    }
}

// The midpoint factors and the 78 midpoints of a natal chart. The factors are Sun, Moon, Mercury to
// Pluto, the node (option 161: the true one), Ascendant, Midheaven, then the four special points, which
// take no part in the midpoints.
void MakeMidpointTable(Chart& c, const Options& options) {
    auto& f = c.MidpointFactor;
    f[1] = c.Lon[kSun];
    f[2] = c.Lon[kMoon];
    for (int p = kMercury; p <= kPluto; ++p)
        f[static_cast<std::size_t>(p + 1)] = c.Lon[static_cast<std::size_t>(p)];
    f[11] = options.trueNodeFactor() ? c.TrueNode : c.MeanNode;
    f[12] = c.Lon[kAscendant];
    f[13] = c.Lon[kMidheaven];
    f[14] = c.Vertex();
    f[15] = c.EquatorialAsc();
    f[16] = c.CoAsc();
    f[17] = c.PolarAsc();
    f[18] = 0;
    c.MidpointCount = 0;
    for (std::size_t i = 1; i <= 12; ++i) {
        for (std::size_t j = i + 1; j <= 13; ++j) {
            ++c.MidpointCount;
            c.MidpointLon[static_cast<std::size_t>(c.MidpointCount)] = MidpointOf(f[i], f[j]);
        }
    }
}

// The pass after the time routine, on the working set of `st` (whose time outputs the time routine has
// just left): houses, positions, house placements, declinations, solstice points and, for a natal
// chart, the midpoint table, all into `c`.
EngineResult CompletePass(ChartState& st, ChartRole role, const Options& options, const SkyEngine& engine,
                          FactorSet factors, Chart& c) {
    const bool natal = role == ChartRole::Natal;
    c.time = st.CurrentTimeOutputs();
    FaultWatch watch;
    const EngineStatus houses = ComputeHouseCusps(st);
    if (auto fault = FaultOf(WorseStatus(houses, watch.Status()),
                             natal ? "the natal house cusps" : "the diurnal house cusps")) {
        return fault;
    }

    // The ephemeris keeps the true node it sees while TrueNode is unset.
    st.TrueNode = kTrueNodeUnset;
    if (auto fault = ComputeEphemeris(st, engine)) return fault;

    FaultWatch after;
    // The Part of Fortune is the ephemeris's own, Ascendant + Moon - Sun, by day and by night.
    PlaceHouses(st);
    EclipticPointDeclinations(st, st.PointDecl);
    PairWorkingTables(st, c, [](const auto& working, auto& chart) { chart = working; });
    for (std::size_t p = 1; p <= kPointCount; ++p) c.SolsticePt[p] = SolsticePoint(c.Lon[p], options);
    if (natal) {
        c.TrueNodeDecl = Declination(c.TrueNode, 0.0, -st.ObliquityRad);
        MakeMidpointTable(c, options);
    }
    if (factors == FactorSet::Uranian) {
        const UranianPlaces points = engine.UranianAt(InstantOf(st.JulianDayNumber, st.DayFraction));
        // The Aries point lies on the equator: no declination.
        EngineStatus status = EngineStatus::Sound;
        for (std::size_t i = 0; i < kUranianPoints; ++i) {
            c.UranianLon[i + 1] = points[i].longitude;
            c.UranianDecl[i + 1] = points[i].declination;
            c.UranianSpeed[i + 1] = points[i].longitudeSpeed;
            status = WorseStatus(status, FiniteStatus(points[i].longitude));
        }
        if (auto fault = FaultOf(status, "the hypothetical points")) return fault;
    }
    return FaultOf(after.Status(), natal ? "the natal chart" : "the diurnal chart");
}

// The pass's working set for one chart: the birth in the natal input section and the house system.
ChartState WorkingSetFor(const Birth& birth, HouseSystem houseSystem) {
    ChartState st;
    TransferNatalBirth(birth, st);
    st.HouseSystemCode = std::string(CodeOfHouseSystem(houseSystem));
    st.ChartSelector = kSelectNatal;
    return st;
}

// The rest of the pass once the time routine has run on the working set, into a chart of the birth.
ChartResult FinishChart(ChartState& st, const Birth& birth, HouseSystem houseSystem, const Options& options,
                        ChartRole role, const SkyEngine& engine, FactorSet factors) {
    ChartResult result;
    Chart chart;
    chart.birth = birth;
    chart.houseSystem = houseSystem;
    chart.engine = engine;
    chart.factors = factors;
    if ((result.fault = CompletePass(st, role, options, engine, factors, chart))) return result;
    result.chart = std::move(chart);
    return result;
}

}  // namespace

Chart::Chart() : RetroFlags(kPointCount, ' '), HouseText(kHouseTextLength, ' ') {}

std::string EngineHeadingNote(const Chart& chart) {
    return chart.engine.IsModern() ? "   (modern ephemeris)" : "";
}

ChartResult ComputeChart(const Birth& birth, HouseSystem houseSystem, const Options& options, ChartRole role,
                         const SkyEngine& engine, FactorSet factors) {
    // The pass's working set lives here, for this one chart.
    ChartState st = WorkingSetFor(birth, houseSystem);
    if (EngineResult fault = ComputeChartTime(st, engine)) return {std::nullopt, std::move(fault)};
    return FinishChart(st, birth, houseSystem, options, role, engine, factors);
}

ChartResult ComputeChartAt(const Birth& birth, HouseSystem houseSystem, const Options& options,
                           const Instant& instant, double ramcRad, const SkyEngine& engine,
                           FactorSet factors) {
    ChartState st = WorkingSetFor(birth, houseSystem);
    const Place place = PlaceOfInput(st.NatalLongitude, st.NatalLatitude, st.NatalNorthSouth);
    if (EngineResult fault = ComputeChartTimeAt(st, instant, place, ramcRad, engine))
        return {std::nullopt, std::move(fault)};
    return FinishChart(st, birth, houseSystem, options, ChartRole::Natal, engine, factors);
}

}  // namespace talvenor
