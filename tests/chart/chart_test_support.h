// Shared helpers for the tests of the chart passes: a chart state for a civil moment.
#pragma once

#include "chart/chart_state.h"
#include "ephemeris/engine_test_support.h"

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

}  // namespace talvenor::testing_support
