// The bending of a body's light by the Sun's gravity on its way to the observer, for every place of the
// modern engine.
//
// Outside the Sun's disk the Sun acts as a point mass (ERFA's eraLd, the body at its finite distance). A
// body behind the disk, out of sight at a superior conjunction, would otherwise have its light bent as if
// it passed within a fraction of the solar radius of a point mass, by tens of seconds of arc and more: there
// the bending fades with the share of the Sun's mass the light passes by (the mass within the cylinder of
// the radius it passes at, along the line of sight, from a standard model of the Sun's interior); towards
// the centre it levels off below its value at the limb.
#pragma once

namespace talvenor {

// The Sun's radius in au (IAU 2015 nominal value, 695 700 km).
inline constexpr double kSunRadiusAu = 695700.0 / 149597870.7;

// The share of the Sun's mass within the given fraction of its radius (0 to 1; 1 beyond).
double SunMassWithin(double radiusFraction);

// The share of the Sun's mass within the cylinder of that radius along the line of sight: what bends a ray
// passing the centre at that distance.
double SunMassProjectedWithin(double radiusFraction);

// `direction`: unit vector from the observer to the body; `fromSun`: unit vector from the Sun to the body
// (where it was when the light left it); `sunToObserver`: unit vector from the Sun to the observer, and
// `sunDistance` that distance in au. Writes the bent unit direction (all vectors in one frame).
void BendLightPastSun(const double direction[3], const double fromSun[3], const double sunToObserver[3],
                      double sunDistance, double bent[3]);

}  // namespace talvenor
