#include "events/event_search.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace talvenor {

namespace {

// Days searched between two progress reports: the grid of such a stretch is computed once for every
// factor, then each factor's crossings in it are refined.
constexpr int kStretchDays = 32;

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
    FactorRun(const MovingFactor& factor, double modulus) : factor_(factor), modulus_(modulus) {}

    // The longitude, or no value when it cannot be computed (fault_ then holds the moment).
    std::optional<double> At(double t) {
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
    std::optional<Fault> fault_;
};

// The crossings of one factor with every target in the steps of [from, to] among the samples.
bool FindCrossings(FactorRun& run, int mover, const std::vector<Sample>& samples, double from, double to,
                   const std::vector<double>& places, double modulus, std::vector<EventHit>& hits) {
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const Sample& a = samples[i - 1];
        const Sample& b = samples[i];
        if (a.t < from || b.t > to) continue;
        const double motion = ShortWay(b.lon - a.lon);
        if (motion == 0) continue;
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
    }
    return true;
}

}  // namespace

double DialPlace(double longitude, double modulus) {
    double d = std::fmod(longitude, modulus);
    if (d < 0) d += modulus;
    if (d >= modulus) d -= modulus;
    return d;
}

EventSearchResult SearchEvents(const EventSearchRequest& request, EventSearchProgress& progress) {
    EventSearchResult result;
    const double modulus = request.modulus;
    std::vector<double> places;
    places.reserve(request.targets.size());
    for (const EventTarget& t : request.targets) places.push_back(DialPlace(t.longitude, modulus));

    std::vector<FactorRun> runs;
    runs.reserve(request.movers.size());
    for (const MovingFactor& m : request.movers) runs.emplace_back(m, modulus);

    const double from = request.fromJulianDate, to = request.toJulianDate;
    const double span = to - from;
    auto fail = [&](std::size_t mover) {
        result.outcome = EventSearchOutcome::Fault;
        result.faultMover = static_cast<int>(mover);
        result.faultJulianDate = runs[mover].fault() ? runs[mover].fault()->t : from;
        return result;
    };

    // One grid of every factor for a stretch, with a day more on each side so that a station at the
    // stretch's edge is seen from both stretches alike.
    std::vector<std::vector<Sample>> grid(runs.size());
    for (double start = from; start < to; start += kStretchDays) {
        const double end = std::min(start + kStretchDays, to);
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
            std::vector<Sample>& samples = grid[m];
            if (!runs[m].Subdivide(samples) || !runs[m].AddStations(samples) ||
                !FindCrossings(runs[m], static_cast<int>(m), samples, start, end, places, modulus,
                               result.hits)) {
                return fail(m);
            }
        }
        result.stoppedJulianDate = end;
        if (result.hits.size() >= request.mostHits) {
            result.outcome = EventSearchOutcome::TooMany;
            break;
        }
        if (!progress.Continue(span > 0 ? (end - from) / span : 1.0)) {
            result.outcome = EventSearchOutcome::Cancelled;
            break;
        }
    }

    std::erase_if(result.hits, [&](const EventHit& h) { return h.julianDate < from || h.julianDate >= to; });
    if (result.outcome == EventSearchOutcome::Complete) result.stoppedJulianDate = to;
    std::sort(result.hits.begin(), result.hits.end(), [](const EventHit& a, const EventHit& b) {
        if (a.julianDate != b.julianDate) return a.julianDate < b.julianDate;
        if (a.mover != b.mover) return a.mover < b.mover;
        return a.target < b.target;
    });
    return result;
}

}  // namespace talvenor
