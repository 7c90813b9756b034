// The graphic ephemeris: the transiting bodies reduced to a dial, against time, with the natal factors
// (and, when chosen, the natal midpoints) as levels across, so that every crossing of a line and a
// level is an event. Core samples the lines and splits them where they leave the dial at one edge and
// come in at the other; the drawing module paints what this returns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "events/event_dates.h"

namespace talvenor {

// The moduli a click away in the graphic ephemeris window, the first the default.
inline constexpr float kGraphModuli[] = {45, 90, 22.5f, 360};

// The pixels across a graph that its lines are sampled for, unless a wider picture is asked for.
inline constexpr int kGraphColumns = 4096;

// The spans the window offers, in months: one month to ten years.
inline constexpr int kGraphSpanMonths[] = {1, 3, 6, 12, 24, 60, 120};

// "1 month", "3 months", "1 year", "10 years".
std::string GraphSpanCaption(int months);

// The range from a date text (as the event search reads it) over a span of months: to the day before the
// same day that many months later (the month's last day where it is shorter). The message when the text
// is no date or the range leaves the years the program computes; no message when `range` was filled.
std::optional<std::string> GraphRangeFrom(const std::string& fromText, int months,
                                          const RegionalFormat& regional, DayRange& range);

struct GraphPoint {
    double julianDate = 0;  // UT
    double place = 0;       // on the dial, 0 to the modulus (a run that leaves the dial ends on its edge)
};

// A stretch of time in which a body runs over the whole dial, again and again, faster than the picture
// can show a line: it is drawn as a band across the whole dial.
struct GraphSweep {
    double fromJulianDate = 0;  // UT
    double toJulianDate = 0;
};

// A transiting body: its lines, each one stretch between two passes over the dial's edge (or between a
// pass and a sweep), and its sweeps, in time order.
struct GraphBody {
    std::string name;  // "SUN", "CUP"
    int point = 0;     // point index, for its symbol and colour; 0 for a hypothetical point
    std::vector<std::vector<GraphPoint>> runs;
    std::vector<GraphSweep> sweeps;
    int factor = 0;  // the factor 15..22 of a hypothetical point; 0 for the bodies
};

// A level across the graph: a natal factor or midpoint at its place on the dial.
struct GraphLevel {
    std::string name;  // "SUN", "SUN/MOO"
    int point = 0;     // point index of a factor that is a chart point; 0 for the others and the midpoints
    double place = 0;
    int factor = 0;  // the factor 1..22; 0 for a midpoint
};

struct GraphTimeTick {
    double julianDate = 0;
    int level = 0;      // 0 a short tick, 1 a labelled tick, 2 a labelled tick with a line across
    std::string label;  // "Mar", "2027", "15 Mar"
};

struct EphemerisGraph {
    DayRange range;
    float modulus = 45;
    std::string title;     // the chart's name
    std::string subtitle;  // "Graphic ephemeris  01 Jan 2027 - 31 Dec 2027   dial 45°"
    std::vector<GraphBody> bodies;
    std::vector<GraphLevel> levels;  // the 13 factors first, then the midpoints
    std::vector<GraphTimeTick> timeTicks;
};

struct EphemerisGraphRequest {
    DayRange range;
    float modulus = 45;
    std::vector<std::string> bodies;  // names of kTransitBodies (and with the Uranian factors CUP .. POS)
    bool midpoints = false;
    int samples = 1500;  // moments across the range at least; more where a body moves fast on the dial
    // The width of the picture, in pixels, that the lines need not be finer than: no step between two
    // moments is shorter than half a pixel of it, so that the lines stay as many as the picture can show
    // at any modulus (where a body crosses the whole dial in such a step, that step is a sweep).
    int columns = kGraphColumns;
};

// The bodies drawn when none are named: the Sun and Mercury to Pluto (the Moon, at thirteen degrees a
// day, only where asked for), and with the Uranian factors the eight hypothetical points.
std::vector<std::string> DefaultGraphBodyNames(FactorSet set = FactorSet::Classic);

// The bodies the graph can draw for a factor set, in its order: kTransitBodies, then with the Uranian
// factors the eight hypothetical points.
std::vector<std::string> GraphBodyNames(FactorSet set = FactorSet::Classic);

// Samples the bodies' lines over the range (the sky of the natal chart's engine at each moment; the
// hypothetical points, when the natal chart has the Uranian factors, as the event search samples them) and
// lays out the levels of the natal chart as last computed and the time scale. An empty graph when the sky
// cannot be computed.
EphemerisGraph BuildEphemerisGraph(const Chart& natal, const Options& options, const RegionalFormat& regional,
                                   const EphemerisGraphRequest& request);

// The ticks of the time scale for a range: days and weeks up to three months, months up to two years,
// months and years beyond.
std::vector<GraphTimeTick> GraphTimeTicks(const DayRange& range, const RegionalFormat& regional);

// What the pointer shows over the graph: the date and time (UT) and the place on the dial.
std::string GraphHoverText(double julianDate, double place, const RegionalFormat& regional);

// The civil date, in a zone of the input windows (hours, west positive), of a moment given in UT.
CivilDate LocalDateAt(double julianDate, double zoneWest);

// Label places along a line kept at least `gap` apart and within [low, high], each as near its own place
// as the others allow; the places come in any order and the result keeps it.
std::vector<double> SpreadLabels(const std::vector<double>& places, double gap, double low, double high);

}  // namespace talvenor
