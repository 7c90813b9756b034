// Shared helpers for the engine tests: a chart state for a civil moment, and exact decimal checks.
#pragma once

#include <string>

#include "chart/chart_state.h"
#include "text/basic_text.h"

namespace talvenor::testing_support {

// A natal input for a civil date at a packed 12-hour clock time, zone and packed place.
inline ChartState NatalInput(int year, int month, int day, float clock = 12.00f, const char* amPm = "A.M.",
                             float zone = 0, float longitude = 0, float latitude = 0,
                             const char* northSouth = "NORTH") {
    ChartState st;
    st.NatalYear = static_cast<std::int16_t>(year);
    st.NatalMonth = static_cast<std::int16_t>(month);
    st.NatalDay = static_cast<std::int16_t>(day);
    st.NatalTime = clock;
    st.NatalAmPm = amPm;
    st.NatalTZ = zone;
    st.NatalLongitude = longitude;
    st.NatalLatitude = latitude;
    st.NatalNorthSouth = northSouth;
    st.ChartSelector = kSelectNatal;
    return st;
}

// The value written with as many decimals as the expected text has, rounding half away from zero.
inline std::string Decimals(double value, const std::string& expected) {
    const auto point = expected.find('.');
    const std::size_t places = point == std::string::npos ? 0 : expected.size() - point - 1;
    return Format(value, places == 0 ? "0" : "0." + std::string(places, '0'));
}

}  // namespace talvenor::testing_support
