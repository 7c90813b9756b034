// The apparent places of all the modern bodies at one instant, computed together: the Earth is summed once,
// its velocity differentiated from the same terms, and the precession-nutation matrix and the obliquity of
// date are shared. Each planet's series are summed once, with their rates: the position at the time the
// light left the planet comes from the position, the velocity and the Sun's pull (a second-order step back
// over the light time, good to 1e-10 au for Mercury), and the Moon's likewise. The places are those of
// ApparentPlaceAt (light time, the Sun's light deflection, the annual aberration, IAU 2006/2000A precession
// and nutation) to a thousandth of a second of arc with the same series.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "ephemeris/elp_mpp02.h"
#include "ephemeris/modern_sky.h"
#include "ephemeris/vsop87.h"

namespace talvenor {

// The bodies of the sky, in ModernBody order: the Sun, the Moon, Mercury to Neptune. One more for every body
// ModernBody gains, with its place computed in ApparentSkyFromSeries.
inline constexpr std::size_t kApparentSkyBodies = 10;

struct ApparentSky {
    std::array<ApparentPlace, kApparentSkyBodies> places;
    // The rate of each apparent ecliptic longitude of date in degrees per day (negative: retrograde), from
    // the geocentric velocity and the general precession; good to a thousandth of a degree a day (the
    // aberration's own change is left out), enough for the retrograde flags without a second sky.
    std::array<double, kApparentSkyBodies> longitudeSpeeds{};
    double trueObliquity = 0;        // degrees
    double nutationInLongitude = 0;  // degrees
    // The Moon's geometric place and its rates at the instant as the lunar series give them (mean ecliptic
    // of date, longitude from the departure point of J2000; radians, km, per day), when the Moon is computed:
    // its osculating orbit gives the true node.
    MoonSeriesMotion moon;
    const ApparentPlace& operator[](ModernBody body) const { return places[static_cast<std::size_t>(body)]; }
    double SpeedOf(ModernBody body) const { return longitudeSpeeds[static_cast<std::size_t>(body)]; }
};

// Which bodies to compute: bit i for the ModernBody of value i; the others are left at zero.
using SkyBodies = unsigned;
inline constexpr SkyBodies kAllSkyBodies = (1u << kApparentSkyBodies) - 1;
constexpr SkyBodies SkyBodyBit(ModernBody body) {
    return 1u << static_cast<unsigned>(body);
}

// Whether the planets' light is bent by the Sun; left out, the places are smooth through the conjunctions
// (for fitting; ApparentSkyCache bends them after).
enum class SunDeflection { Applied, LeftOut };

// The nutation: the IAU 2000A series in full (1 365 terms, about 20 microseconds), or the IAU 2000B
// abridgement (77 terms, a tenth of the time), which keeps within 0.004" of it in longitude and 0.0025" in
// obliquity from 1800 to 2200; both with the IAU 2006 adjustments, as eraNut06a makes them.
enum class NutationSeries { Iau2000A, Iau2000B };

// The frame of date at a Julian day of TT: the IAU 2006 precession with the nutation chosen, as eraPnm06a
// builds it (the bias-precession-nutation matrix from the equator of J2000.0 to the true equator and
// equinox of date), the nutation in longitude and obliquity and the true obliquity, radians.
struct FrameOfDate {
    double rnpb[3][3]{};
    double nutationInLongitude = 0, nutationInObliquity = 0, trueObliquity = 0;
};
FrameOfDate FrameOfDateAt(double julianDayTt, NutationSeries nutation);

// What to compute, and how.
struct SkyOptions {
    SkyBodies bodies = kAllSkyBodies;
    SunDeflection deflection = SunDeflection::Applied;
    NutationSeries nutation = NutationSeries::Iau2000A;
};

// The sky at a Julian day of TT from the shortened series kept in the tables (see series_truncation.h):
// within their stated budgets of the full series' places.
ApparentSky ApparentSkyAt(const ModernTables& tables, double julianDayTt, const SkyOptions& options = {});

// The same from any planetary and lunar series, the full ones for instance, with Pluto from its table. Where
// the table does not reach (the light time included), Pluto's place and speed are quiet NaNs.
ApparentSky ApparentSkyFromSeries(const Vsop87Tables& vsop, const ElpTables& elp, const PlutoTable& pluto,
                                  double julianDayTt, const SkyOptions& options = {});

// A body of the sun's family given by its heliocentric position and velocity at the instant, ecliptic and
// equinox of J2000.0, au and au per day (a Kepler orbit, say), and its apparent place with the rate of its
// apparent longitude, degrees per day.
struct HeliocentricState {
    std::array<double, 3> position{}, velocity{};
};
struct StatePlace {
    ApparentPlace place;
    double longitudeSpeed = 0;
};

// Such bodies brought to the observer as the planets of ApparentSkyAt are (light time, the Sun's light
// deflection, the annual aberration, precession and the nutation chosen), the Earth from the shortened
// series; one place for each state, as many as `places` holds.
void ApparentPlacesOfStates(const ModernTables& tables, double julianDayTt, NutationSeries nutation,
                            std::span<const HeliocentricState> states, std::span<StatePlace> places);

}  // namespace talvenor
