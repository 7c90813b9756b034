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
void EclipticPointDeclinations(ChartState& chart) {
    for (int p = kNorthNode; p <= kMidheaven; ++p) {
        chart.PointDecl[static_cast<std::size_t>(p)] =
            Declination(chart.PointLon[static_cast<std::size_t>(p)], 0.0, -chart.ObliquityRad);
    }
}

void CopyCusps(const CuspArray& from, CuspArray& to) {
    for (std::size_t h = 1; h <= 13; ++h) to[h] = from[h];
}

EngineResult CompleteNatalPass(ChartState& chart, const Options& options);

}  // namespace

EngineResult ComputeNatalPass(ChartState& chart, const Options& options) {
    chart.TrueNode = kTrueNodeUnset;
    chart.ChartSelector = kSelectNatal;
    if (auto fault = ComputeChartTime(chart)) return fault;
    return CompleteNatalPass(chart, options);
}

EngineResult ComputeNatalPassAt(ChartState& chart, const Options& options, const Instant& instant,
                                double ramcRad) {
    chart.TrueNode = kTrueNodeUnset;
    chart.ChartSelector = kSelectNatal;
    // The diurnal pass leaves its own hemisphere here; the houses read the natal one.
    chart.NatalNorthSouth = chart.NatalNorthSouthCopy;
    const Place place = PlaceOfInput(chart.NatalLongitude, chart.NatalLatitude, chart.NatalNorthSouth);
    if (auto fault = ComputeChartTimeAt(chart, instant, place, ramcRad)) return fault;
    return CompleteNatalPass(chart, options);
}

namespace {

// The natal pass after the time routine: houses, positions, declinations and the midpoint table.
EngineResult CompleteNatalPass(ChartState& chart, const Options& options) {
    chart.NatalPass = chart.CurrentTimeOutputs();
    FaultWatch watch;
    const EngineStatus houses = ComputeHouseCusps(chart);
    chart.NatalVertex = chart.Vertex;
    chart.NatalEquatorialAsc = chart.EquatorialAscendant;
    chart.NatalCoAsc = chart.CoAscendant;
    chart.NatalPolarAsc = chart.PolarAscendant;
    CopyCusps(chart.HouseCusp, chart.NatalCusp);
    if (auto fault = FaultOf(WorseStatus(houses, watch.Status()), "the natal house cusps")) return fault;

    if (auto fault = ComputeEphemeris(chart)) return fault;

    FaultWatch after;
    PlaceHouses(chart);
    chart.NatalHouseText = chart.PointHouseText;
    chart.PointLon[kPartOfFortune] =
        PartOfFortune(chart.PointLon[kMoon], chart.Ascendant, chart.PointLon[kSun]);
    PlaceHouses(chart);
    chart.NatalHouseText = chart.PointHouseText;
    chart.NatalMeanNode = chart.PointLon[kNorthNode];
    EclipticPointDeclinations(chart);
    chart.TrueNodeDecl = Declination(chart.TrueNode, 0.0, -chart.ObliquityRad);

    for (std::size_t p = 1; p <= kPointCount; ++p) {
        chart.NatalLon[p] = chart.PointLon[p];
        chart.NatalDecl[p] = chart.PointDecl[p];
        chart.NatalEclLat[p] = chart.PointEclLat[p];
    }
    chart.NatalRetroFlags = chart.RetroFlags;
    for (std::size_t p = 1; p <= kPointCount; ++p)
        chart.NatalSolsticePt[p] = SolsticePoint(chart.NatalLon[p], options);

    // Midpoint factors: Sun, Moon, Mercury to Pluto, the node, Ascendant, Midheaven, then the four
    // special points, which take no part in the midpoints.
    auto& f = chart.MidpointFactor;
    f[1] = chart.NatalLon[kSun];
    f[2] = chart.NatalLon[kMoon];
    for (int p = kMercury; p <= kPluto; ++p)
        f[static_cast<std::size_t>(p + 1)] = chart.NatalLon[static_cast<std::size_t>(p)];
    f[11] = options.trueNodeFactor() ? chart.TrueNode : chart.NatalMeanNode;
    f[12] = chart.NatalLon[kAscendant];
    f[13] = chart.NatalLon[kMidheaven];
    f[14] = chart.NatalVertex;
    f[15] = chart.NatalEquatorialAsc;
    f[16] = chart.NatalCoAsc;
    f[17] = chart.NatalPolarAsc;
    f[18] = 0;
    chart.MidpointFactorNames = std::string(kMidpointFactorNames);
    chart.MidpointCount = 0;
    for (std::size_t i = 1; i <= 12; ++i) {
        for (std::size_t j = i + 1; j <= 13; ++j) {
            ++chart.MidpointCount;
            chart.MidpointLon[static_cast<std::size_t>(chart.MidpointCount)] = MidpointOf(f[i], f[j]);
        }
    }
    return FaultOf(after.Status(), "the natal chart");
}

}  // namespace

EngineResult ComputeDiurnalPass(ChartState& chart, const Options& options) {
    chart.ChartSelector = kSelectDiurnal;
    if (auto fault = ComputeChartTime(chart)) return fault;
    chart.DiurnalPass = chart.CurrentTimeOutputs();
    FaultWatch watch;
    const EngineStatus houses = ComputeHouseCusps(chart);
    chart.DiurnalVertex = chart.Vertex;
    chart.DiurnalEquatorialAsc = chart.EquatorialAscendant;
    chart.DiurnalCoAsc = chart.CoAscendant;
    chart.DiurnalPolarAsc = chart.PolarAscendant;
    CopyCusps(chart.HouseCusp, chart.DiurnalCusp);
    if (auto fault = FaultOf(WorseStatus(houses, watch.Status()), "the diurnal house cusps")) return fault;

    if (auto fault = ComputeEphemeris(chart)) return fault;

    FaultWatch after;
    PlaceHouses(chart);
    chart.DiurnalHouseText = chart.PointHouseText;
    EclipticPointDeclinations(chart);
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        chart.DiurnalLon[p] = chart.PointLon[p];
        chart.DiurnalDecl[p] = chart.PointDecl[p];
    }
    chart.DiurnalRetroFlags = chart.RetroFlags;
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        chart.DiurnalSolsticePt[p] = SolsticePoint(chart.DiurnalLon[p], options);
    }
    return FaultOf(after.Status(), "the diurnal chart");
}

}  // namespace talvenor
