// What a chart wheel shows: the points of the natal chart and of the second chart with the places their
// glyphs take, the house cusps and axes, and the aspect lines of the natal aspect grid. The drawing
// module paints exactly this; nothing here knows about pixels.
#pragma once

#include <string>
#include <vector>

#include "chart/aspects.h"
#include "chart/chart.h"
#include "environment/options.h"
#include "environment/regional_format.h"

namespace talvenor {

// Places marks on a circle of the given circumference so that no two stand closer than minGap, without
// ever changing their order around the circle. Marks that stand apart do not move; a run of marks that
// crowd together spreads evenly around the mean of their true places (the least total squared shift
// that keeps the order and the gap). The circle is cut in its widest empty stretch, so a run across the
// circle's zero (0 Aries, the dial's 0) spreads like any other. When the marks cannot all keep the gap,
// the gap shrinks to the circumference shared out evenly. Results lie in 0 to below the circumference,
// in the order of the input.
std::vector<double> SpreadOnCircle(const std::vector<double>& places, double minGap,
                                   double circumference = 360);

// The symbol a point or sign is drawn with, and the letters drawn where a font lacks it. The Part of
// Fortune, the Ascendant and the Midheaven have no symbol of their own (0) and are always written.
struct GlyphSpec {
    char32_t symbol = 0;
    const char* letters = "";
};
GlyphSpec PointGlyph(int point);  // 1..15
GlyphSpec SignGlyph(int sign);    // 1 Aries .. 12 Pisces
// A midpoint factor's (1..22): its point's, the Aries point drawn as the sign's symbol, the hypothetical
// points by their two letters (the drawing module draws their own symbols as outlines).
GlyphSpec FactorGlyph(int factor);

// The families the aspect lines are coloured by.
enum class AspectFamily {
    Conjunction,  // 0
    Hard,         // 90, 180, 45, 135
    Soft,         // 60, 120
    Minor,        // 30, 150
    Quintile,     // 36, 40, 72, 108, 144
};
AspectFamily FamilyOfAspect(int k);

// One point of a ring.
struct WheelPoint {
    int point = 0;     // 1..15, or 0 for a hypothetical point
    int factor = 0;    // the hypothetical point's factor 15..22 (Cupido .. Poseidon); 0 for a chart point
    double lon = 0;    // its longitude
    double shown = 0;  // where its glyph stands after spreading
    bool retrograde = false;
    std::string degreeText;  // degrees and minutes within the sign, "14°23'"
};

// One aspect line between two natal points, as the aspect grid's list has it.
struct WheelAspect {
    int a = 0, b = 0;  // point indices, a < b
    int k = 1;         // aspect number
    AspectFamily family = AspectFamily::Conjunction;
    double fromExact = 0;
};

struct WheelLayout {
    std::string title;           // the chart's name
    std::string subtitle;        // the date, time and place line of the natal chart
    std::string secondSubtitle;  // the same for the second chart; empty for a single wheel
    std::string houseSystem;     // "Placidus", "Koch" ...
    double ascendant = 0, midheaven = 0;
    CuspArray cusps{};  // natal cusps, elements 1..12 from the 10th house
    // The fifteen natal points in point order, then with the Uranian factors the eight hypothetical points.
    std::vector<WheelPoint> natal;
    std::vector<WheelPoint> second;  // the fifteen points of the second chart; empty for a single wheel
    std::vector<WheelAspect> aspects;
    bool ariesPoint = false;  // the Uranian factors' Aries point is marked on the zodiac at 0 Aries
};

// The wheel of the computed charts (the title lines in the regional date format). natalGap and secondGap are
// the least distances, in degrees of the circle, that the glyphs of each ring keep.
WheelLayout BuildWheelLayout(const Chart& natal, const Chart& second, const Options& options,
                             const RegionalFormat& regional, bool withSecondChart, double natalGap,
                             double secondGap);

// The natal grid's aspects with the orbs of the options: every pair of points the grid shows with an
// aspect, the South Node's own row left out as in the grid's list.
std::vector<WheelAspect> GridAspects(const PointArray& lon, const Options& options);

// Degrees and minutes within the sign, "14°23'" (minutes that round to 60 stay 59, as in the reports).
std::string DegreeMinuteText(double longitude);

// The direction of a longitude on the wheel, in degrees counterclockwise from the right-hand side, with
// the Ascendant at the left and the zodiac running counterclockwise.
double WheelDirection(double longitude, double ascendant);

// The number of the house each element of the cusp array opens: element 1 the 10th ... element 4 the
// 1st ... element 12 the 9th.
int HouseNumberOfCusp(int element);

}  // namespace talvenor
