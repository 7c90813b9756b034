#include "chart/chart_ephemeris.h"

#include <cmath>
#include <string>

#include "chart/point_catalogue.h"
#include "ephemeris/angles.h"

namespace talvenor {

double PartOfFortune(double moon, double ascendant, double sun) {
    return Norm360(moon + ascendant - sun);
}

double SouthNode(double northNode) {
    return Norm360(northNode + 180.0);
}

bool IsRetrograde(double today, double tomorrow) {
    double a = today, b = tomorrow;
    // Across the 0/360 boundary, carry the smaller value a full turn so the two compare as neighbours.
    if (std::fabs(a - b) >= 180.0) {
        if (a <= b) {
            a += 360.0;
        } else {
            b += 360.0;
        }
    }
    return a > b;
}

EngineResult ComputeEphemeris(ChartState& st, const SkyEngine& engine) {
    const std::string routine = "the planetary positions";
    FaultWatch watch;

    const Instant instant = InstantOf(st.JulianDayNumber, st.DayFraction);
    const Instant nextDay = OneDayLater(instant);
    const Sky sky = engine.SkyAt(instant);
    // One day later, for the retrograde test and the Moon's next-day declination: the sky of the next day,
    // or, where the engine gives the daily motions, a day of the present motion on.
    Sky next;
    if (sky.HasDailyMotion) {
        next = sky;
        for (std::size_t p = kSun; p <= kMoon; ++p)
            next.Longitude[p] = Norm360(sky.Longitude[p] + sky.DailyMotion[p]);
    } else {
        next = engine.SkyAt(nextDay);
    }

    for (std::size_t p = kSun; p <= kMoon; ++p) {
        st.PointLon[p] = sky.Longitude[p];
        st.PointEclLat[p] = sky.Latitude[p];
        st.PointDecl[p] = sky.Declination[p];
        st.PointLonNextDay[p] = next.Longitude[p];
    }
    st.MeanNode = sky.MeanNode;
    st.TrueNodeWork = sky.TrueNode;
    if (st.TrueNode == kTrueNodeUnset) st.TrueNode = st.TrueNodeWork;
    st.MoonDeclNextDay = Declination(next.Longitude[kMoon], next.Latitude[kMoon], sky.ObliquityRad);

    st.PointLon[kNorthNode] = st.MeanNode;
    st.PointLon[kSouthNode] = SouthNode(st.MeanNode);
    st.PointLon[kPartOfFortune] = PartOfFortune(st.PointLon[kMoon], st.Ascendant, st.PointLon[kSun]);
    st.PointLon[kAscendant] = st.Ascendant;
    st.PointLon[kMidheaven] = st.Midheaven;
    st.CenturiesT = nextDay.CenturiesT;

    // Only the planets can be retrograde here.
    st.RetroFlags.assign(kPointCount, ' ');
    for (int p = kMercury; p <= kPluto; ++p) {
        if (IsRetrograde(st.PointLon[p], st.PointLonNextDay[p])) st.RetroFlags[p - 1] = 'R';
    }
    return FaultOf(WorseStatus(WorseStatus(sky.Status, next.Status), watch.Status()), routine);
}

}  // namespace talvenor
