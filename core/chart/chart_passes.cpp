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

void CopyCusps(const CuspArray& from, CuspArray& to) {
    for (std::size_t h = 1; h <= 13; ++h) to[h] = from[h];
}

void CopyPoints(const PointArray& from, PointArray& to) {
    for (std::size_t p = 1; p <= kPointCount; ++p) to[p] = from[p];
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
EngineResult CompletePass(ChartState& st, ChartRole role, const Options& options, Chart& c) {
    const bool natal = role == ChartRole::Natal;
    c.time = st.CurrentTimeOutputs();
    FaultWatch watch;
    const EngineStatus houses = ComputeHouseCusps(st);
    CopyCusps(st.HouseCusp, c.Cusp);
    if (auto fault = FaultOf(WorseStatus(houses, watch.Status()),
                             natal ? "the natal house cusps" : "the diurnal house cusps")) {
        return fault;
    }

    // The ephemeris keeps the true node it sees while TrueNode is unset.
    st.TrueNode = kTrueNodeUnset;
    if (auto fault = ComputeEphemeris(st)) return fault;

    FaultWatch after;
    // The Part of Fortune is the ephemeris's own, Ascendant + Moon - Sun, by day and by night.
    PlaceHouses(st);
    EclipticPointDeclinations(st, st.PointDecl);
    c.CenturiesTNextDay = st.CenturiesT;
    CopyPoints(st.PointLon, c.Lon);
    CopyPoints(st.PointDecl, c.Decl);
    CopyPoints(st.PointEclLat, c.EclLat);
    CopyPoints(st.PointLonNextDay, c.LonNextDay);
    c.RetroFlags = st.RetroFlags;
    c.HouseText = st.PointHouseText;
    c.MeanNode = st.MeanNode;
    c.TrueNode = st.TrueNodeWork;
    c.MoonDeclNextDay = st.MoonDeclNextDay;
    for (std::size_t p = 1; p <= kPointCount; ++p) c.SolsticePt[p] = SolsticePoint(c.Lon[p], options);
    if (natal) {
        c.TrueNodeDecl = Declination(c.TrueNode, 0.0, -st.ObliquityRad);
        MakeMidpointTable(c, options);
    }
    return FaultOf(after.Status(), natal ? "the natal chart" : "the diurnal chart");
}

}  // namespace

Chart::Chart() : RetroFlags(kPointCount, ' '), HouseText(kHouseTextLength, ' ') {}

ChartResult ComputeChart(const Birth& birth, HouseSystem houseSystem, const Options& options,
                         ChartRole role) {
    // The pass's working set lives here, for this one chart.
    ChartState st;
    TransferNatalBirth(birth, st);
    st.HouseSystemCode = std::string(CodeOfHouseSystem(houseSystem));
    st.ChartSelector = kSelectNatal;
    ChartResult result;
    if ((result.fault = ComputeChartTime(st))) return result;
    Chart chart;
    chart.birth = birth;
    chart.houseSystem = houseSystem;
    if ((result.fault = CompletePass(st, role, options, chart))) return result;
    result.chart = std::move(chart);
    return result;
}

void StoreNatalChart(const Chart& c, ChartState& st) {
    st.NatalPass = c.time;
    st.NatalVertex = c.Vertex();
    st.NatalEquatorialAsc = c.EquatorialAsc();
    st.NatalCoAsc = c.CoAsc();
    st.NatalPolarAsc = c.PolarAsc();
    CopyCusps(c.Cusp, st.NatalCusp);
    st.NatalHouseText = c.HouseText;
    st.NatalMeanNode = c.MeanNode;
    st.TrueNode = c.TrueNode;
    st.TrueNodeDecl = c.TrueNodeDecl;
    CopyPoints(c.Lon, st.NatalLon);
    CopyPoints(c.Decl, st.NatalDecl);
    CopyPoints(c.EclLat, st.NatalEclLat);
    st.NatalRetroFlags = c.RetroFlags;
    CopyPoints(c.SolsticePt, st.NatalSolsticePt);
    st.MidpointFactor = c.MidpointFactor;
    st.MidpointFactorNames = std::string(kMidpointFactorNames);
    st.MidpointLon = c.MidpointLon;
    st.MidpointCount = c.MidpointCount;
}

void StoreSecondChart(const Chart& c, ChartState& st) {
    st.DiurnalPass = c.time;
    st.DiurnalVertex = c.Vertex();
    st.DiurnalEquatorialAsc = c.EquatorialAsc();
    st.DiurnalCoAsc = c.CoAsc();
    st.DiurnalPolarAsc = c.PolarAsc();
    CopyCusps(c.Cusp, st.DiurnalCusp);
    st.DiurnalHouseText = c.HouseText;
    CopyPoints(c.Lon, st.DiurnalLon);
    CopyPoints(c.Decl, st.DiurnalDecl);
    st.DiurnalRetroFlags = c.RetroFlags;
    CopyPoints(c.SolsticePt, st.DiurnalSolsticePt);
}

void StoreWorkingSet(const Chart& c, ChartState& st) {
    const PassTimeOutputs& t = c.time;
    st.DayFraction = t.DayFraction;
    st.JulianDayNumber = t.JulianDayNumber;
    st.CenturiesT = c.CenturiesTNextDay;
    st.RamcRad = t.RamcRad;
    st.ObliquityRad = t.ObliquityRad;
    st.ObliquityDeg = t.ObliquityDeg;
    st.Midheaven = t.Midheaven;
    st.Ascendant = t.Ascendant;
    st.Vertex = t.Vertex;
    st.EquatorialAscendant = t.EquatorialAscendant;
    st.CoAscendant = t.CoAscendant;
    st.PolarAscendant = t.PolarAscendant;
    st.AuxLatitudeRad = t.AuxLatitudeRad;
    st.SiderealHours = t.SiderealHours;
    st.SiderealMinutes = t.SiderealMinutes;
    st.SiderealSeconds = t.SiderealSeconds;
    CopyPoints(c.Lon, st.PointLon);
    CopyPoints(c.Decl, st.PointDecl);
    CopyPoints(c.EclLat, st.PointEclLat);
    CopyPoints(c.LonNextDay, st.PointLonNextDay);
    CopyCusps(c.Cusp, st.HouseCusp);
    st.RetroFlags = c.RetroFlags;
    st.PointHouseText = c.HouseText;
    st.MeanNode = c.MeanNode;
    st.TrueNodeWork = c.TrueNode;
    st.MoonDeclNextDay = c.MoonDeclNextDay;
}

EngineResult ComputeNatalPass(ChartState& chart, const Options& options) {
    chart.ChartSelector = kSelectNatal;
    if (auto fault = ComputeChartTime(chart)) return fault;
    Chart natal;
    natal.houseSystem = HouseSystemOfCode(chart.HouseSystemCode);
    if (auto fault = CompletePass(chart, ChartRole::Natal, options, natal)) return fault;
    StoreNatalChart(natal, chart);
    return std::nullopt;
}

EngineResult ComputeNatalPassAt(ChartState& chart, const Options& options, const Instant& instant,
                                double ramcRad) {
    chart.ChartSelector = kSelectNatal;
    // The diurnal pass leaves its own hemisphere here; the houses read the natal one.
    chart.NatalNorthSouth = chart.NatalNorthSouthCopy;
    const Place place = PlaceOfInput(chart.NatalLongitude, chart.NatalLatitude, chart.NatalNorthSouth);
    if (auto fault = ComputeChartTimeAt(chart, instant, place, ramcRad)) return fault;
    Chart natal;
    natal.houseSystem = HouseSystemOfCode(chart.HouseSystemCode);
    if (auto fault = CompletePass(chart, ChartRole::Natal, options, natal)) return fault;
    StoreNatalChart(natal, chart);
    return std::nullopt;
}

}  // namespace talvenor
