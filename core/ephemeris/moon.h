// The Moon, its mean and true ascending node, and the nutation in longitude.
#pragma once

namespace talvenor {

struct MoonPosition {
    double Longitude = 0;    // apparent, degrees, not reduced
    double Latitude = 0;     // degrees
    double MeanNode = 0;     // degrees, [0, 360)
    double TrueNode = 0;     // degrees, not reduced
    double NutationLon = 0;  // degrees; applied to the Moon only
};

// For centuries t from J1900.
MoonPosition ComputeMoon(double t);

}  // namespace talvenor
