// Prints the chart of the present moment at the home place: a quick look at what the engine computes
// until the desktop program takes over this executable's name.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "chart/chart_state.h"
#include "chart/point_catalogue.h"
#include "ephemeris/chart_time.h"
#include "ephemeris/ephemeris.h"
#include "text/basic_text.h"

using namespace talvenor;

namespace {

// Degrees within the sign, the sign and whole minutes, e.g. "05 ARI 07".
std::string ShortPosition(double lon) {
    const double whole = Int(lon);
    const int sign = SignOf(whole);
    double minutes = Int((lon - whole) * 60.0 + 0.5);
    if (minutes == 60) minutes = 59;
    return Format(whole - 30.0 * (sign - 1), "00") + " " + std::string(SignAbbrevField(sign)) + " " +
           Format(minutes, "00");
}

}  // namespace

int main() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);

    ChartState st;
    st.NatalDay = static_cast<std::int16_t>(utc.tm_mday);
    st.NatalMonth = static_cast<std::int16_t>(utc.tm_mon + 1);
    st.NatalYear = static_cast<std::int16_t>(utc.tm_year + 1900);
    const int hour12 = utc.tm_hour % 12 == 0 ? 12 : utc.tm_hour % 12;
    st.NatalTime = static_cast<float>(ToSingle(hour12 + utc.tm_min / 100.0));
    st.NatalAmPm = utc.tm_hour < 12 ? "A.M." : "P.M.";
    st.NatalTZ = 0;
    // Home place: Greenwich.
    st.NatalLongitude = static_cast<float>(ToSingle(0.0));
    st.NatalLatitude = static_cast<float>(ToSingle(51.29));
    st.ChartSelector = kSelectNatal;

    if (auto fault = ComputeChartTime(st)) {
        std::fprintf(stderr, "%s\n", fault->Message().c_str());
        return 1;
    }
    if (auto fault = ComputeEphemeris(st)) {
        std::fprintf(stderr, "%s\n", fault->Message().c_str());
        return 1;
    }

    std::printf("TALVENOR - the present moment at Greenwich (51N29, 0W00)\n");
    std::printf("%02d.%02d.%04d  %s %s UT   Julian day %.5f   sidereal time %02d:%02d:%02d\n\n", utc.tm_mday,
                utc.tm_mon + 1, utc.tm_year + 1900, Format(st.NatalTime, "#0.00").c_str(),
                st.NatalAmPm.c_str(), st.JulianDayNumber + st.DayFraction - 0.5, st.SiderealHours,
                st.SiderealMinutes, st.SiderealSeconds);
    for (int p = 1; p <= kPointCount; ++p) {
        std::printf("  %s %s %c\n", std::string(PointNameField(p)).c_str(),
                    ShortPosition(st.PointLon[p]).c_str(), st.RetroFlags[static_cast<std::size_t>(p - 1)]);
    }
    return 0;
}
