// The midpoint of two factors on the shorter arc between them.
#pragma once

namespace talvenor {

// The plain mean, turned half a circle when it lies more than 90 degrees from either factor; factors
// exactly opposite keep the plain mean. Result in [0, 360) for inputs in [0, 360).
inline double MidpointOf(double a, double b) {
    double m = (a + b) / 2.0;
    const double da = m - a < 0 ? a - m : m - a;
    const double db = m - b < 0 ? b - m : m - b;
    if (da > 90.0 || db > 90.0) m += 180.0;
    if (m >= 360.0) m -= 360.0;
    return m;
}

}  // namespace talvenor
