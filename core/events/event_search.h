// The exact-date search: the moments at which moving factors (transiting bodies, directed or progressed
// points) stand on fixed targets (natal points, midpoints, pictures) in a dial of any modulus.
//
// Every moment is a Julian date in Universal Time. The search brackets each crossing on a grid of whole
// days (finer where a factor covers more than half the dial in a day), splits the grid at every station
// so that each piece runs one way only (so all three passes of a retrograde loop are found), and refines
// each bracket by Ridder's method on the factor's own longitude function.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace talvenor {

// A moving factor: its name and its ecliptic longitude at any moment. The function returns degrees (any
// turn; the search reduces them) for a Julian date in Universal Time, or a value that is not finite when
// the position cannot be computed there.
struct MovingFactor {
    std::string name;  // "SAT"
    std::function<double(double julianDate)> longitudeAt;
};

// A target: a fixed place with its name. The search reduces the longitude to the modulus.
struct EventTarget {
    std::string name;  // "SUN", "SUN/MOO"
    double longitude = 0;
};

struct EventHit {
    double julianDate = 0;  // the exact moment, UT
    int mover = 0;          // index into the request's movers
    int target = 0;         // index into the request's targets
    bool retrograde = false;
};

struct EventSearchRequest {
    double fromJulianDate = 0;  // UT; the search covers [from, to)
    double toJulianDate = 0;
    double modulus = 90;  // above 0, at most 360
    std::vector<MovingFactor> movers;
    std::vector<EventTarget> targets;
    // The search stops once it has found this many events (a tiny modulus would otherwise fill the
    // memory): the events up to the end of the stretch it was searching are kept.
    std::size_t mostHits = 1000000;
};

// Told how far a long search has come; answers false to stop it.
class EventSearchProgress {
  public:
    virtual ~EventSearchProgress() = default;
    // fraction: 0 to 1 of the range searched so far.
    virtual bool Continue(double fraction) {
        (void)fraction;
        return true;
    }
};

// For callers that neither show progress nor stop a search.
inline EventSearchProgress& NoSearchProgress() {
    static EventSearchProgress none;
    return none;
}

enum class EventSearchOutcome { Complete, Cancelled, TooMany, Fault };

struct EventSearchResult {
    EventSearchOutcome outcome = EventSearchOutcome::Complete;
    // In time order (equal moments: by mover, then by target). When cancelled or stopped: the hits up to
    // stoppedJulianDate.
    std::vector<EventHit> hits;
    double stoppedJulianDate = 0;
    // When a factor's position could not be computed: which factor, and when.
    int faultMover = -1;
    double faultJulianDate = 0;
};

// Runs the search. Progress is told between stretches of about a month.
EventSearchResult SearchEvents(const EventSearchRequest& request,
                               EventSearchProgress& progress = NoSearchProgress());

// The place of a longitude on the dial: [0, modulus).
double DialPlace(double longitude, double modulus);

// The tolerance the crossings are refined to, in days (one second).
inline constexpr double kEventTolerance = 1.0 / 86400.0;

}  // namespace talvenor
