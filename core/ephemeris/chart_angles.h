// The angles of a place at an instant: the right ascension of the meridian, the Midheaven and Ascendant,
// the Vertex, Equatorial Ascendant, Co-Ascendant and Polar Ascendant, and the local sidereal time.
#pragma once

#include "ephemeris/fault_watch.h"
#include "ephemeris/time_scales.h"

namespace talvenor {

// A place on the Earth, in decimal degrees.
struct Place {
    double LongitudeWest = 0;  // west positive, east negative
    double Latitude = 0;       // north positive
    // The hemisphere the auxiliary angles and the house systems are turned to. A chart keeps it in step
    // with the sign of Latitude; it is given apart because those routines have always taken it from the
    // chart's north/south choice, while the Ascendant follows the signed latitude.
    bool South = false;
};

// A place whose hemisphere follows the sign of its latitude.
Place PlaceAt(double longitudeWest, double latitude);

// Ecliptic longitudes in degrees, [0, 360).
struct ChartAngles {
    double Midheaven = 0, Ascendant = 0;
    double Vertex = 0, EquatorialAscendant = 0, CoAscendant = 0, PolarAscendant = 0;
    double AuxLatitudeRad = 0;  // the negated latitude the auxiliary angles were computed with
};

// The angles for a right ascension of the meridian (radians) and an obliquity (radians, positive). At
// the equator exactly the auxiliary angles work with a latitude of 0.00001 radian. Faults show in the
// floating-point status flags only: a right ascension of exactly 0 divides by zero.
ChartAngles ComputeAngles(double ramcRad, double obliquityRad, const Place& place);

struct LocalAngles {
    double RamcRad = 0;       // right ascension of the meridian, radians, [0, 2 pi)
    double ObliquityRad = 0;  // obliquity of the ecliptic, radians, positive
    double ObliquityDeg = 0;
    ChartAngles Angles;
    // Local sidereal time as shown with a chart, truncated; south of the equator twelve hours on.
    int SiderealHours = 0, SiderealMinutes = 0, SiderealSeconds = 0;
    EngineStatus Status = EngineStatus::Sound;  // when not Sound, the values above are not to be used
};

LocalAngles AnglesAt(const Instant& instant, const Place& place);

// The same for a meridian given by its right ascension (radians) rather than by the sidereal time of the
// instant, which then gives only the obliquity: the angles of a chart whose meridian is turned by an arc,
// as progressions turn it.
LocalAngles AnglesForMeridian(double ramcRad, const Instant& instant, const Place& place);

// The same for a meridian and an obliquity of the ecliptic given (both radians, the obliquity positive),
// as an engine with its own sidereal time and obliquity computes them.
LocalAngles AnglesForMeridianAndObliquity(double ramcRad, double obliquityRad, const Place& place);

}  // namespace talvenor
