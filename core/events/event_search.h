// The exact-date search: the moments at which moving factors (transiting bodies, directed or progressed
// points) stand on fixed targets (natal points, midpoints, pictures) in a dial of any modulus.
//
// Every moment is a Julian date in Universal Time. The search brackets each crossing on a grid of whole
// days (finer where a factor covers more than a third of the dial in a day), splits the grid at every
// station so that each piece runs one way only (so all three passes of a retrograde loop are found), and
// refines each bracket by Ridder's method on the factor's own longitude function. The steps of all the
// factors are taken in time order, so that at any point of the search every event before some moment is
// known: the events are handed on in time order as soon as they are, and a search that stops (cancelled,
// or at its most events) lists exactly the events before the moment it stopped at.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

// The smallest dial searched: one minute of arc. The events are timed to the minute, and the Moon, the
// fastest mover, moves up to 0.0107 degrees in a minute: in a smaller dial two of its passes over one
// target could fall in the same minute, and its place is not known better than about a minute of arc.
inline constexpr double kSmallestSearchModulus = 1.0 / 60.0;

// Why a modulus cannot be searched, as a message that begins with the modulus as it was given
// ("--modulus 0.001", "The modulus 0.001"); nothing when it can be searched. Only the lower limit is
// judged here: the upper one (360) is the modulus prompt's.
std::optional<std::string> SearchModulusRefusal(double modulus, std::string_view given);

// The modulus as a message gives it, with the digits typed: "0.001", "0.000000001", "22.5".
std::string ModulusInMessage(double modulus);

struct EventSearchRequest {
    double fromJulianDate = 0;  // UT; the search covers [from, to)
    double toJulianDate = 0;
    double modulus = 90;  // kSmallestSearchModulus to 360
    std::vector<MovingFactor> movers;
    std::vector<EventTarget> targets;
    // The search stops as soon as it knows the first this many events (a small modulus over a long range
    // would otherwise run for hours): exactly these are listed, and the search says up to when.
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

// Refused: the modulus is below kSmallestSearchModulus (or no number): nothing was searched.
enum class EventSearchOutcome { Complete, Cancelled, TooMany, Fault, Refused };

struct EventSearchResult {
    EventSearchOutcome outcome = EventSearchOutcome::Complete;
    // In time order (equal moments: by mover, then by target). When cancelled or stopped: the hits before
    // stoppedJulianDate, every one of them. Empty when the events were handed to a sink.
    std::vector<EventHit> hits;
    // How many events were listed (kept in hits or handed to the sink).
    std::size_t count = 0;
    double stoppedJulianDate = 0;
    // When a factor's position could not be computed: which factor, and when.
    int faultMover = -1;
    double faultJulianDate = 0;
};

// Takes the events in time order, a batch at a time, as soon as no earlier event can still be found.
using EventSink = std::function<void(std::span<const EventHit> batch)>;

// The most events a batch holds (a factor's step can add its events to a batch that is full).
inline constexpr std::size_t kEventBatch = 65536;

// Runs the search and keeps the events in the result. Progress is told at the end of every stretch of
// about a month, and within a stretch after every few tenths of a second of work; its fraction is how
// much of the range is done, or of the most events found when that is more.
EventSearchResult SearchEvents(const EventSearchRequest& request,
                               EventSearchProgress& progress = NoSearchProgress());

// The same, handing the events to the sink as they are known instead of keeping them all: the memory
// held stays about one batch. The result's hits stay empty; an abandoned search (a fault) may have handed
// on events before it.
EventSearchResult StreamEvents(const EventSearchRequest& request, const EventSink& sink,
                               EventSearchProgress& progress = NoSearchProgress());

// The place of a longitude on the dial: [0, modulus).
double DialPlace(double longitude, double modulus);

// The tolerance the crossings are refined to, in days (one second).
inline constexpr double kEventTolerance = 1.0 / 86400.0;

}  // namespace talvenor
