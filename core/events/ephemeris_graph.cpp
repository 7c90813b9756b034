#include "events/ephemeris_graph.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "chart/factor_catalogue.h"
#include "ephemeris/calendar.h"
#include "events/event_factors.h"
#include "events/event_page.h"
#include "events/event_search.h"
#include "midpoints/analysis_table.h"
#include "midpoints/dial_panel.h"
#include "text/control_characters.h"

namespace talvenor {

namespace {

// A step moves a body at most this part of the dial; its middle is kept as a sample too, so between two
// samples a body moves about a quarter of the dial at most and the step in which it passes an edge of the
// dial is never in doubt.
constexpr double kMostOfDialPerSample = 0.5;
// A straight line between two samples strays from the body's true path by at most this part of the dial:
// less than a pixel of a graph a thousand pixels high.
constexpr double kStrayOfDial = 0.001;
// Halving a step stops here (a step of a few minutes over ten years).
constexpr int kDeepestHalving = 16;

double ShortWay(double difference) {
    return difference - 360.0 * std::round(difference / 360.0);
}

struct Samples {
    std::vector<double> times;
    std::vector<std::vector<double>> lons;  // per body

    void Keep(double t, const std::vector<double>& row) {
        times.push_back(t);
        for (std::size_t b = 0; b < row.size(); ++b) lons[b].push_back(row[b]);
    }
};

// Where the graph's longitudes come from: the sky for the bodies (a point index), the sampled hypothetical
// points for the others (-1 Cupido .. -8 Poseidon).
struct GraphSky {
    SkySampler sky;
    UranianAtMoment uranian;
    bool bodies = true;  // whether any body is drawn (otherwise the sky is not computed)
};

// The bodies' longitudes at a moment; false when the sky cannot be computed there.
bool LongitudesAt(GraphSky& engine, double t, const std::vector<int>& points, std::vector<double>& out) {
    Sky sky;
    if (engine.bodies) {
        sky = engine.sky.At(InstantAtJulianDate(t));
        if (sky.Status != EngineStatus::Sound) return false;
    }
    out.clear();
    for (int p : points) {
        if (p > 0) {
            out.push_back(TransitLongitude(sky, p));
            continue;
        }
        const double lon = engine.uranian.Longitude(static_cast<std::size_t>(-p - 1), t);
        if (!std::isfinite(lon)) return false;
        out.push_back(lon);
    }
    return true;
}

class Sampler {
  public:
    Sampler(GraphSky& engine, const std::vector<int>& points, double modulus, double finest, Samples& out)
        : engine_(engine),
          points_(points),
          most_(modulus * kMostOfDialPerSample),
          stray_(modulus * kStrayOfDial),
          finest_(finest),
          out_(out) {}

    // The samples after (t0, a) up to and including (t1, b): the step is halved until every body moves
    // little enough in each part and runs straight enough through its middle, or until it is a pixel of
    // the picture (then kept as two steps of half a pixel: a finer line would not show).
    bool Step(double t0, const std::vector<double>& a, double t1, const std::vector<double>& b,
              int depth = 0) {
        const double tm = (t0 + t1) / 2;
        std::vector<double> m;
        if (!LongitudesAt(engine_, tm, points_, m)) return false;
        bool fine = true;
        for (std::size_t i = 0; i < points_.size() && fine; ++i) {
            const double whole = ShortWay(b[i] - a[i]);
            const double half = ShortWay(m[i] - a[i]);
            fine = std::fabs(whole) <= most_ && std::fabs(half - whole / 2) <= stray_;
        }
        if (fine || depth >= kDeepestHalving || t1 - t0 <= finest_) {
            out_.Keep(tm, m);
            out_.Keep(t1, b);
            return true;
        }
        return Step(t0, a, tm, m, depth + 1) && Step(tm, m, t1, b, depth + 1);
    }

  private:
    GraphSky& engine_;
    const std::vector<int>& points_;
    double most_, stray_, finest_;
    Samples& out_;
};

bool Sample(const EphemerisGraphRequest& request, GraphSky& engine, const std::vector<int>& points,
            Samples& s) {
    const double from = request.range.fromJulianDate, to = request.range.toJulianDate;
    const int across = std::max(request.samples, 2);
    s.lons.assign(points.size(), {});
    Sampler sampler(engine, points, request.modulus, (to - from) / std::max(request.columns, 1), s);
    std::vector<double> previous, now;
    if (!LongitudesAt(engine, from, points, previous)) return false;
    s.Keep(from, previous);
    double last = from;
    for (int k = 1; k <= across; ++k) {
        const double t = k == across ? to : from + (to - from) * k / across;
        if (!LongitudesAt(engine, t, points, now) || !sampler.Step(last, previous, t, now)) return false;
        previous = now;
        last = t;
    }
    return true;
}

// One body's line on the dial, cut where it passes the dial's edge: the run that leaves at the top ends
// on the modulus and the next begins at 0 at the same moment (and the other way round when retrograde).
// A step in which the body covers the whole dial is a sweep: the run before it ends where the step
// begins, the next begins where it ends, and touching sweeps are one.
void Runs(const std::vector<double>& times, const std::vector<double>& lons, double modulus,
          GraphBody& body) {
    std::vector<std::vector<GraphPoint>>& runs = body.runs;
    runs.assign(1, {});
    double place = DialPlace(lons[0], modulus);
    runs.back().push_back({times[0], place});
    for (std::size_t k = 1; k < times.size(); ++k) {
        const double motion = ShortWay(lons[k] - lons[k - 1]);
        if (std::fabs(motion) >= modulus) {
            if (runs.back().size() < 2) runs.pop_back();
            if (!body.sweeps.empty() && body.sweeps.back().toJulianDate == times[k - 1]) {
                body.sweeps.back().toJulianDate = times[k];
            } else {
                body.sweeps.push_back({times[k - 1], times[k]});
            }
            place = DialPlace(lons[k], modulus);
            runs.emplace_back();
            runs.back().push_back({times[k], place});
            continue;
        }
        double next = place + motion;
        if (next >= modulus || next < 0) {
            const bool up = next >= modulus;
            const double edge = up ? modulus : 0;
            const double at = times[k - 1] + (times[k] - times[k - 1]) * (edge - place) / motion;
            runs.back().push_back({at, edge});
            runs.emplace_back();
            runs.back().push_back({at, up ? 0 : modulus});
            next = up ? next - modulus : next + modulus;
        }
        place = next;
        runs.back().push_back({times[k], place});
    }
    if (runs.back().size() < 2) runs.pop_back();
}

std::string DayMonthText(const DayOfCalendar& d, const RegionalFormat& regional) {
    return std::to_string(d.day) + " " + regional.MonthAbbrev[static_cast<std::size_t>(d.month)];
}

}  // namespace

std::string GraphSpanCaption(int months) {
    if (months % 12 == 0) return std::to_string(months / 12) + (months == 12 ? " year" : " years");
    return std::to_string(months) + (months == 1 ? " month" : " months");
}

std::optional<std::string> GraphRangeFrom(const std::string& fromText, int months,
                                          const RegionalFormat& regional, DayRange& range) {
    const std::optional<CivilDate> first = ParseDate(fromText, regional);
    if (!first)
        return "The start of the range, \"" + fromText + "\", is not a date (for example 1 Jan 2027).";
    const int monthIndex = first->month - 1 + months;
    const int year = first->year + monthIndex / 12, month = monthIndex % 12 + 1;
    int day = first->day;
    while (day > 28 && !IsValidDate({year, month, day})) --day;
    const DayOfCalendar last = CalendarDayOf(JulianDayNumberOf(year, month, day) - 1);
    return ReadDayRange(fromText, FormatDateDdMmmYyyy({last.year, last.month, last.day}, regional), regional,
                        kGraphRangeLimits, range);
}

std::vector<std::string> DefaultGraphBodyNames(FactorSet set) {
    std::vector<std::string> names = DefaultMoverNames(set);
    std::erase(names, "MOO");
    return names;
}

std::vector<std::string> GraphBodyNames(FactorSet set) {
    std::vector<std::string> names;
    for (const TransitBody& b : kTransitBodies) names.emplace_back(b.name);
    if (set == FactorSet::Uranian) {
        for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) names.push_back(FactorName(f));
    }
    return names;
}

std::vector<GraphTimeTick> GraphTimeTicks(const DayRange& range, const RegionalFormat& regional) {
    std::vector<GraphTimeTick> ticks;
    const double days = range.Days();
    for (double jd = range.fromJulianDate; jd <= range.toJulianDate + 1e-9; jd += 1) {
        const DayOfCalendar d = CalendarDayOf(jd + 0.5);
        const std::string month = regional.MonthAbbrev[static_cast<std::size_t>(d.month)];
        GraphTimeTick t;
        t.julianDate = jd;
        if (days <= 93) {
            if (d.day == 1) {
                t.level = 2;
                t.label = DayMonthText(d, regional);
            } else if (d.day == 8 || d.day == 15 || d.day == 22) {
                t.level = 1;
                t.label = DayMonthText(d, regional);
            }
        } else if (days <= 731) {
            if (d.day == 1) {
                t.level = 2;
                t.label = d.month == 1 ? month + " " + std::to_string(d.year) : month;
            } else if (d.day != 15) {
                continue;
            }
        } else {
            if (d.day != 1) continue;
            if (d.month == 1) {
                t.level = 2;
                t.label = std::to_string(d.year);
            }
        }
        ticks.push_back(t);
    }
    return ticks;
}

EphemerisGraph BuildEphemerisGraph(const Chart& natal, const Options& options, const RegionalFormat& regional,
                                   const EphemerisGraphRequest& request) {
    EphemerisGraph graph;
    graph.range = request.range;
    graph.modulus = request.modulus;
    graph.title = ControlCharactersReplaced(natal.birth.name, '?');  // as the pages write a name
    graph.subtitle = "Graphic ephemeris   " + FormatDateDdMmmYyyy(request.range.first, regional) + " - " +
                     FormatDateDdMmmYyyy(request.range.last, regional) + "   dial " +
                     ModulusNumberText(request.modulus) + "\xC2\xB0";
    graph.timeTicks = GraphTimeTicks(request.range, regional);

    const double modulus = request.modulus;
    const AnalysisTable table = NatalAnalysisTable(natal, options);
    for (int e = 1; e <= (request.midpoints ? table.EntryCount() : table.FactorCount()); ++e) {
        const auto i = static_cast<std::size_t>(e);
        const bool factor = e <= table.FactorCount();
        graph.levels.push_back({FactorName(table.Label[i]), factor ? FactorOf(e).point : 0,
                                DialPlace(table.Lon[i], modulus), factor ? e : 0});
    }

    std::vector<int> points;
    for (const TransitBody& b : kTransitBodies) {
        if (std::find(request.bodies.begin(), request.bodies.end(), b.name) == request.bodies.end()) continue;
        points.push_back(b.point);
        graph.bodies.push_back({std::string(b.name), b.point, {}, {}});
    }
    const bool bodies = !points.empty();
    if (natal.factors == FactorSet::Uranian) {
        for (int f = kFirstUranianFactor; f <= kUranianFactorCount; ++f) {
            const std::string name = FactorName(f);
            if (std::find(request.bodies.begin(), request.bodies.end(), name) == request.bodies.end())
                continue;
            points.push_back(-1 - UranianIndexOfFactor(f));
            graph.bodies.push_back({name, 0, {}, {}, f});
        }
    }
    if (points.empty() || !(request.range.toJulianDate > request.range.fromJulianDate)) return graph;
    Samples samples;
    unsigned asked = 0;
    for (int p : points) {
        if (p > 0) asked |= 1u << p;
    }
    GraphSky sky{SkySampler(natal.engine, asked), UranianAtMoment(natal.engine), bodies};
    if (!Sample(request, sky, points, samples)) {
        graph.bodies.clear();
        return graph;
    }
    for (std::size_t b = 0; b < points.size(); ++b)
        Runs(samples.times, samples.lons[b], modulus, graph.bodies[b]);
    return graph;
}

std::string GraphHoverText(double julianDate, double place, const RegionalFormat& regional) {
    return DayMinuteText(julianDate, regional) + " UT   " + DialDegreeText(place);
}

CivilDate LocalDateAt(double julianDate, double zoneWest) {
    return MinuteAt(LocalJulianDate(julianDate, zoneWest)).date;
}

std::vector<double> SpreadLabels(const std::vector<double>& places, double gap, double low, double high) {
    std::vector<std::size_t> order(places.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return places[a] < places[b]; });
    // Groups of labels that touch, each centred on the mean of its own places and kept inside the range.
    struct Group {
        std::size_t first, count;
        double sum, start;
    };
    std::vector<Group> groups;
    auto place = [&](Group& g) {
        const double span = gap * static_cast<double>(g.count - 1);
        g.start = g.sum / static_cast<double>(g.count) - span / 2;
        g.start = std::max(low, std::min(g.start, high - span));
    };
    for (std::size_t k = 0; k < order.size(); ++k) {
        groups.push_back({k, 1, places[order[k]], 0});
        place(groups.back());
        while (groups.size() > 1) {
            Group& a = groups[groups.size() - 2];
            const Group& b = groups.back();
            if (a.start + gap * static_cast<double>(a.count) <= b.start) break;
            a.count += b.count;
            a.sum += b.sum;
            groups.pop_back();
            place(groups.back());
        }
    }
    std::vector<double> spread(places.size());
    for (const Group& g : groups) {
        for (std::size_t k = 0; k < g.count; ++k)
            spread[order[g.first + k]] = g.start + gap * static_cast<double>(k);
    }
    return spread;
}

}  // namespace talvenor
