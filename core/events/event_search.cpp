#include "events/event_search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "midpoints/dial_panel.h"

namespace talvenor {

namespace {

// Days searched between two progress reports: the grid of such a stretch is computed once for every
// factor, then the crossings in it are refined. A small dial has its grid finer in proportion, so its
// stretches are shorter in proportion below this modulus (a day at the smallest dial).
constexpr int kStretchDays = 32;
constexpr double kFullStretchModulus = 5;

// Progress is told within a stretch after this many positions computed (a few tenths of a second), so
// that Cancel answers soon however many events a stretch holds.
constexpr long kPositionsBetweenReports = 20000;

// A grid step may carry a factor across at most this part of the dial, so that a step holds at most one
// crossing of each target and the bracket of that crossing stays clear of the opposite side of the dial.
constexpr double kMostOfDialPerStep = 1.0 / 3.0;

// Ridder's method stops after this many rounds (it needs four or five); a bracket that has not shrunk to
// the tolerance by then is halved as often as it takes.
constexpr int kRidderRounds = 60;

// The golden-section search for a station narrows its window to this many days.
constexpr double kStationTolerance = 1e-7;

// The difference of two longitudes the short way round: [-180, 180].
double ShortWay(double difference) {
    return difference - 360.0 * std::round(difference / 360.0);
}

// A difference of longitudes reduced to the dial and centred on 0: [-modulus/2, modulus/2).
double Centred(double difference, double modulus) {
    double d = std::fmod(difference, modulus);
    if (d < -modulus / 2) d += modulus;
    if (d >= modulus / 2) d -= modulus;
    return d;
}

struct Sample {
    double t;    // Julian date
    double lon;  // the factor's longitude, degrees
};

// Raised (as a value, never thrown) when a factor's longitude cannot be computed.
struct Fault {
    double t;
};

class FactorRun {
  public:
    FactorRun(const MovingFactor& factor, double modulus, long& positions)
        : factor_(factor), modulus_(modulus), positions_(positions) {}

    // The longitude, or no value when it cannot be computed (fault_ then holds the moment).
    std::optional<double> At(double t) {
        ++positions_;
        const double lon = factor_.longitudeAt(t);
        if (!std::isfinite(lon)) {
            if (!fault_) fault_ = Fault{t};
            return std::nullopt;
        }
        return lon;
    }
    // The same for a moment outside the range: a factor may have no place there (a progression before
    // the birth), which is no fault.
    std::optional<double> Peek(double t) {
        ++positions_;
        const double lon = factor_.longitudeAt(t);
        if (!std::isfinite(lon)) return std::nullopt;
        return lon;
    }
    const std::optional<Fault>& fault() const { return fault_; }

    // Samples in between grid points where the factor moves too far in one step for the dial.
    bool Subdivide(std::vector<Sample>& samples) {
        std::vector<Sample> out;
        out.reserve(samples.size());
        const double most = modulus_ * kMostOfDialPerStep;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (i > 0) {
                const Sample a = samples[i - 1], b = samples[i];
                const double moved = std::fabs(ShortWay(b.lon - a.lon));
                if (moved > most) {
                    const int parts = static_cast<int>(std::ceil(moved / most));
                    for (int p = 1; p < parts; ++p) {
                        const double t = a.t + (b.t - a.t) * p / parts;
                        const auto lon = At(t);
                        if (!lon) return false;
                        out.push_back({t, *lon});
                    }
                }
            }
            out.push_back(samples[i]);
        }
        samples.swap(out);
        return true;
    }

    // Puts the stations among the samples: wherever the direction of two neighbouring steps differs, the
    // turning point is searched in the two steps and added, so that every step runs one way.
    bool AddStations(std::vector<Sample>& samples) {
        std::vector<Sample> stations;
        int previous = 0;  // direction of the last step that moved at all
        for (std::size_t i = 1; i < samples.size(); ++i) {
            const double step = ShortWay(samples[i].lon - samples[i - 1].lon);
            const int direction = step > 0 ? 1 : step < 0 ? -1 : 0;
            if (direction == 0) continue;
            if (previous != 0 && direction != previous && i >= 2) {
                const auto station = Station(samples[i - 2], samples[i], samples[i - 1], previous);
                if (!station) return false;
                stations.push_back(*station);
            }
            previous = direction;
        }
        if (stations.empty()) return true;
        samples.insert(samples.end(), stations.begin(), stations.end());
        std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.t < b.t; });
        return true;
    }

    // The turning point between lo and hi: the furthest point reached in the direction the factor moved
    // before it (a maximum when it turns retrograde, a minimum when it turns direct).
    std::optional<Sample> Station(const Sample& lo, const Sample& hi, const Sample& reference, int before) {
        constexpr double kGolden = 0.6180339887498949;
        double a = lo.t, b = hi.t;
        auto height = [&](double t) -> std::optional<double> {
            const auto lon = At(t);
            if (!lon) return std::nullopt;
            return before * ShortWay(*lon - reference.lon);
        };
        double c = b - kGolden * (b - a), d = a + kGolden * (b - a);
        auto fc = height(c), fd = height(d);
        if (!fc || !fd) return std::nullopt;
        while (b - a > kStationTolerance) {
            if (*fc > *fd) {
                b = d, d = c, fd = fc;
                c = b - kGolden * (b - a);
                fc = height(c);
                if (!fc) return std::nullopt;
            } else {
                a = c, c = d, fc = fd;
                d = a + kGolden * (b - a);
                fd = height(d);
                if (!fd) return std::nullopt;
            }
        }
        const double t = (a + b) / 2;
        const auto lon = At(t);
        if (!lon) return std::nullopt;
        return Sample{t, *lon};
    }

    // The moment in [a, b] at which the factor, moving one way only, reaches the place `place` on the
    // unwound dial: h(t) = distance at a + motion since a - place. h(a) and h(b) differ in sign (or one
    // is 0).
    std::optional<double> Crossing(const Sample& a, const Sample& b, double startDistance, double place) {
        auto h = [&](double t) -> std::optional<double> {
            const auto lon = At(t);
            if (!lon) return std::nullopt;
            return startDistance + ShortWay(*lon - a.lon) - place;
        };
        double xl = a.t, xh = b.t;
        double fl = startDistance - place;
        double fh = startDistance + ShortWay(b.lon - a.lon) - place;
        if (fl == 0) return xl;
        if (fh == 0) return xh;
        double answer = xl;
        bool haveAnswer = false;
        for (int round = 0; round < kRidderRounds; ++round) {
            const double xm = (xl + xh) / 2;
            const auto fm = h(xm);
            if (!fm) return std::nullopt;
            const double s = std::sqrt(*fm * *fm - fl * fh);
            if (s == 0) return xm;
            const double xnew = xm + (xm - xl) * ((fl >= fh ? 1.0 : -1.0) * *fm / s);
            if (haveAnswer && std::fabs(xnew - answer) <= kEventTolerance / 4) return xnew;
            answer = xnew;
            haveAnswer = true;
            const auto fnew = h(answer);
            if (!fnew) return std::nullopt;
            if (*fnew == 0) return answer;
            if (std::signbit(*fm) != std::signbit(*fnew)) {
                xl = xm, fl = *fm, xh = answer, fh = *fnew;
            } else if (std::signbit(fl) != std::signbit(*fnew)) {
                xh = answer, fh = *fnew;
            } else {
                xl = answer, fl = *fnew;
            }
            if (std::fabs(xh - xl) <= kEventTolerance / 4) return answer;
        }
        // Ridder's rounds did not settle (a step in the function, as at a day boundary): bisect.
        while (xh - xl > kEventTolerance / 4) {
            const double xm = (xl + xh) / 2;
            const auto fm = h(xm);
            if (!fm) return std::nullopt;
            if (std::signbit(*fm) == std::signbit(fl)) {
                xl = xm, fl = *fm;
            } else {
                xh = xm;
            }
        }
        return (xl + xh) / 2;
    }

  private:
    const MovingFactor& factor_;
    double modulus_;
    long& positions_;
    std::optional<Fault> fault_;
};

// The crossings of one factor with every target in the step from a to b (in (a, b]).
bool FindCrossings(FactorRun& run, int mover, const Sample& a, const Sample& b,
                   const std::vector<double>& places, double modulus, std::vector<EventHit>& hits) {
    const double motion = ShortWay(b.lon - a.lon);
    if (motion == 0) return true;
    const bool direct = motion > 0;
    for (std::size_t j = 0; j < places.size(); ++j) {
        // The distance from the target at a, and the multiple of the modulus the motion reaches or
        // passes: a crossing lies in (a, b] when one lies between the two distances.
        const double start = Centred(a.lon - places[j], modulus);
        const double end = start + motion;
        double place;
        if (direct) {
            place = std::floor(end / modulus) * modulus;
            if (!(place > start)) continue;
        } else {
            place = std::ceil(end / modulus) * modulus;
            if (!(place < start)) continue;
        }
        const auto t = run.Crossing(a, b, start, place);
        if (!t) return false;
        hits.push_back({*t, mover, static_cast<int>(j), !direct});
    }
    return true;
}

bool Earlier(const EventHit& a, const EventHit& b) {
    if (a.julianDate != b.julianDate) return a.julianDate < b.julianDate;
    if (a.mover != b.mover) return a.mover < b.mover;
    return a.target < b.target;
}

// The events found and not yet handed on. Those before the moment up to which the search is complete
// are handed on in time order, in batches; the count of those handed on decides when the search has
// found its most events.
class Pending {
  public:
    Pending(const EventSink& sink, double from, double to, std::size_t most)
        : sink_(sink), from_(from), to_(to), most_(most) {}

    std::vector<EventHit>& hits() { return hits_; }
    std::size_t found() const { return handed_ + hits_.size(); }
    std::size_t handed() const { return handed_; }

    // Hands on the events before `complete` (every event before it is known) when enough wait. True when
    // the first `most` events are known: they are handed on, and `stopped` is the moment before which
    // they are every event.
    bool Settle(double complete, bool atEnd, double& stopped) {
        if (found() >= most_) {
            // Only now is it worth counting how many are complete.
            const std::size_t ready = Ready(complete);
            if (handed_ + ready >= most_) {
                Sort();
                const std::size_t take = most_ - handed_;
                // The first event not listed, if it is known; otherwise every event before `complete` is.
                stopped = take < hits_.size() ? std::min(hits_[take].julianDate, complete) : complete;
                Hand(take);
                return true;
            }
        }
        if (atEnd || hits_.size() >= nextSettle_) {
            Sort();
            std::size_t ready = 0;
            while (ready < hits_.size() && hits_[ready].julianDate < complete) ++ready;
            Hand(ready);
            nextSettle_ = hits_.size() + kEventBatch;
        }
        return false;
    }
    // Hands on every event before `complete`, when the search ends there.
    void Finish(double complete) {
        Sort();
        std::size_t ready = 0;
        while (ready < hits_.size() && hits_[ready].julianDate < complete) ++ready;
        Hand(ready);
    }

  private:
    std::size_t Ready(double complete) const {
        return static_cast<std::size_t>(std::count_if(hits_.begin(), hits_.end(), [&](const EventHit& h) {
            return h.julianDate < complete && h.julianDate >= from_ && h.julianDate < to_;
        }));
    }
    void Sort() {
        // Moments outside the range (a crossing refined onto its edge) are no events of it.
        std::erase_if(hits_, [&](const EventHit& h) { return h.julianDate < from_ || h.julianDate >= to_; });
        std::sort(hits_.begin(), hits_.end(), Earlier);
    }
    // Hands on the first n (sorted) events, in batches.
    void Hand(std::size_t n) {
        for (std::size_t at = 0; at < n; at += kEventBatch) {
            const std::size_t size = std::min(kEventBatch, n - at);
            sink_(std::span<const EventHit>(hits_.data() + at, size));
        }
        hits_.erase(hits_.begin(), hits_.begin() + static_cast<std::ptrdiff_t>(n));
        handed_ += n;
    }

    const EventSink& sink_;
    double from_, to_;
    std::size_t most_;
    std::vector<EventHit> hits_;
    std::size_t handed_ = 0;
    std::size_t nextSettle_ = kEventBatch;
};

}  // namespace

std::string ModulusInMessage(double modulus) {
    return DialModulusText(static_cast<float>(modulus));
}

std::optional<std::string> SearchModulusRefusal(double modulus, std::string_view given) {
    // The float a modulus is read into may lie a hair below the value typed (0.0166667).
    if (modulus >= kSmallestSearchModulus * (1 - 1e-6)) return std::nullopt;
    return std::string(given) +
           " is too small to search: the events are timed to the minute, and the Moon moves up to 0.0107 "
           "degrees in a minute, so the smallest dial searched is one minute of arc, 0.0167 (the positions "
           "themselves are good to about a minute of arc).";
}

double DialPlace(double longitude, double modulus) {
    double d = std::fmod(longitude, modulus);
    if (d < 0) d += modulus;
    if (d >= modulus) d -= modulus;
    return d;
}

EventSearchResult StreamEvents(const EventSearchRequest& request, const EventSink& sink,
                               EventSearchProgress& progress) {
    EventSearchResult result;
    const double modulus = request.modulus;
    if (!(modulus <= 360) || SearchModulusRefusal(modulus, "")) {
        result.outcome = EventSearchOutcome::Refused;
        result.stoppedJulianDate = request.fromJulianDate;
        return result;
    }
    std::vector<double> places;
    places.reserve(request.targets.size());
    for (const EventTarget& t : request.targets) places.push_back(DialPlace(t.longitude, modulus));

    long positions = 0;
    std::vector<FactorRun> runs;
    runs.reserve(request.movers.size());
    for (const MovingFactor& m : request.movers) runs.emplace_back(m, modulus, positions);

    const double from = request.fromJulianDate, to = request.toJulianDate;
    const double span = to - from;
    Pending pending(sink, from, to, std::max<std::size_t>(request.mostHits, 1));
    auto finish = [&](EventSearchOutcome outcome, double stopped) {
        result.outcome = outcome;
        result.stoppedJulianDate = stopped;
        result.count = pending.handed();
        return result;
    };
    auto fail = [&](std::size_t mover) {
        result.faultMover = static_cast<int>(mover);
        result.faultJulianDate = runs[mover].fault() ? runs[mover].fault()->t : from;
        return finish(EventSearchOutcome::Fault, from);
    };
    // How far the search has come: of the range, or of the most events when that is further (events
    // refined onto the range's edge and dropped never move it back).
    double shown = 0;
    auto fraction = [&](double complete) {
        const double ofRange = span > 0 ? (complete - from) / span : 1.0;
        const double ofEvents = static_cast<double>(pending.found()) /
                                static_cast<double>(std::max<std::size_t>(request.mostHits, 1));
        shown = std::clamp(std::max({shown, ofRange, ofEvents}), 0.0, 1.0);
        return shown;
    };
    long reported = 0;

    const double stretchDays =
        std::max(1.0, std::ceil(kStretchDays * std::min(1.0, modulus / kFullStretchModulus)));
    // One grid of every factor for a stretch, with a day more on each side so that a station at the
    // stretch's edge is seen from both stretches alike.
    std::vector<std::vector<Sample>> grid(runs.size());
    std::vector<std::size_t> next(runs.size());
    for (double start = from; start < to; start += stretchDays) {
        const double end = std::min(start + stretchDays, to);
        const int days = static_cast<int>(std::ceil(end - start));
        for (auto& g : grid) g.clear();
        for (int k = -1; k <= days + 1; ++k) {
            const double t = k > days ? end + 1 : std::min(start + k, end);
            // The day beyond either end of the range only helps to see a station there.
            const bool outside = t < from || t > to;
            for (std::size_t m = 0; m < runs.size(); ++m) {
                const auto lon = outside ? runs[m].Peek(t) : runs[m].At(t);
                if (lon) {
                    grid[m].push_back({t, *lon});
                } else if (!outside) {
                    return fail(m);
                }
            }
        }
        for (std::size_t m = 0; m < runs.size(); ++m) {
            if (!runs[m].Subdivide(grid[m]) || !runs[m].AddStations(grid[m])) return fail(m);
            // The first step of the stretch: the grid begins a day before it.
            next[m] = 1;
            while (next[m] < grid[m].size() && grid[m][next[m] - 1].t < start) ++next[m];
        }
        // The steps of all the factors in the order of their beginnings: every event before the beginning
        // of the next step is then known.
        auto nextStep = [&]() -> std::optional<std::size_t> {
            std::optional<std::size_t> first;
            for (std::size_t m = 0; m < runs.size(); ++m) {
                if (next[m] >= grid[m].size() || grid[m][next[m]].t > end) continue;
                if (!first || grid[m][next[m] - 1].t < grid[*first][next[*first] - 1].t) first = m;
            }
            return first;
        };
        for (auto m = nextStep(); m; m = nextStep()) {
            const std::vector<Sample>& samples = grid[*m];
            const std::size_t i = next[*m]++;
            if (!FindCrossings(runs[*m], static_cast<int>(*m), samples[i - 1], samples[i], places, modulus,
                               pending.hits())) {
                return fail(*m);
            }
            const auto after = nextStep();
            const double complete = after ? grid[*after][next[*after] - 1].t : end;
            double stopped = 0;
            if (pending.Settle(complete, false, stopped)) return finish(EventSearchOutcome::TooMany, stopped);
            if (positions - reported >= kPositionsBetweenReports) {
                reported = positions;
                if (!progress.Continue(fraction(complete))) {
                    pending.Finish(complete);
                    return finish(EventSearchOutcome::Cancelled, complete);
                }
            }
        }
        double stopped = 0;
        if (pending.Settle(end, true, stopped)) return finish(EventSearchOutcome::TooMany, stopped);
        reported = positions;
        if (!progress.Continue(fraction(end))) {
            pending.Finish(end);
            return finish(EventSearchOutcome::Cancelled, end);
        }
    }
    pending.Finish(to);
    return finish(EventSearchOutcome::Complete, to);
}

EventSearchResult SearchEvents(const EventSearchRequest& request, EventSearchProgress& progress) {
    std::vector<EventHit> hits;
    EventSearchResult result = StreamEvents(
        request,
        [&hits](std::span<const EventHit> batch) { hits.insert(hits.end(), batch.begin(), batch.end()); },
        progress);
    result.hits = std::move(hits);
    return result;
}

}  // namespace talvenor
