// The dial: the midpoint factors of both charts on a circle of any modulus, the pointer, and the panel of
// the factors and midpoints that stand under the pointer, exactly as a midpoint tree would list them for
// a point standing there. The drawing module paints what this returns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "environment/options.h"
#include "midpoints/planetary_pictures.h"

namespace talvenor {

inline constexpr float kDefaultDialModulus = 90;
// The moduli a click away in the dial window, the first the default.
inline constexpr float kDialModuli[] = {90, 360, 45, 22.5f};

// One factor or midpoint within the tree orb (option 40) of the pointer.
struct DialPanelEntry {
    int entry = 0;        // element of the analysis table, 1..91
    int first = 0;        // its factor (1..13), or the first factor of its pair
    int second = 0;       // the second factor of its pair; 0 for a single factor
    std::string name;     // as the trees name it: "SU", "NN", "MC" for a factor, "SU/MO", "NN/AS" for a pair
    double lon = 0;       // its longitude
    double position = 0;  // its longitude reduced on the dial
    double orb = 0;       // signed distance from the pointer on the dial, positive ahead of it
};

// The panel for the pointer (a dial position, 0 to below the modulus): every natal factor and midpoint
// that the tree report lists for a focal point standing at the pointer, with the same signed orb,
// nearest first (at equal distance the one ahead first, then table order).
std::vector<DialPanelEntry> DialPanel(const Chart& natal, const Options& options, float modulus,
                                      double pointer);

// The panel of the dial of `modulus` as text: one line per entry, tab-separated: the name, the reduced
// position (DialPositionText) and the signed orb, both in degrees with four decimals; lines end with
// lineEnd.
std::string DialPanelText(const std::vector<DialPanelEntry>& panel, float modulus,
                          const std::string& lineEnd = "\n");

// The modulus as the user typed it: "90", "22.5", "7.3", "0.001" (the shortest decimal that is the
// single-precision modulus, with at most four decimals; a modulus too small for four decimals keeps
// the digits that make it).
std::string DialModulusText(float modulus);

// A dial position with four decimals, within 0 to below the modulus as written: a position that the
// rounding would carry up to the modulus is the dial's zero ("0.0000", never "45.0000" on the 45 dial).
std::string DialPositionText(double position, float modulus);

// A dial position as whole degrees and minutes, "12°34'" (the minutes rounded, 60 carried).
std::string DialDegreeText(double position);

// One panel line as the dial window shows it: the name, the dial position and the orb as a tree line
// ends it (" 1°23'", "-0°45'"); with positions (option 60 not 0) the zodiac position in brackets after it.
std::string DialPanelLine(const DialPanelEntry& entry, bool withPosition);

// One picture line of the panel: the picture ("SU+MO-ME"), its dial position and the orb as a tree line
// ends it.
std::string DialPictureLine(const Picture& picture);

// A factor on the dial.
struct DialMark {
    int factor = 0;       // 1..13
    std::string name;     // "SU", "MO" ... "MC"
    double lon = 0;       // its longitude
    double position = 0;  // reduced on the dial
    double shown = 0;     // where its glyph stands after spreading, a dial position
    bool retrograde = false;
};

// A chord between the two factors of a pair whose midpoint stands under the pointer.
struct DialChord {
    int first = 0, second = 0;  // natal factors
    double from = 0, to = 0;    // their dial positions
};

// A tick of the dial's scale.
struct DialTick {
    double position = 0;
    int level = 0;      // 0 small, 1 middle, 2 long and labelled
    std::string label;  // the whole degrees of a labelled tick
};

struct DialLayout {
    float modulus = kDefaultDialModulus;
    double pointer = 0;
    std::vector<DialMark> natal;   // inside
    std::vector<DialMark> second;  // outside; empty without the second chart
    std::vector<DialPanelEntry> panel;
    // The natal pictures A + B - C within the tree orb of the pointer, nearest first.
    std::vector<Picture> pictures;
    std::vector<DialChord> chords;
    std::vector<DialTick> ticks;
};

// The dial of the computed charts. natalGap and secondGap are the least distances, as fractions of a whole
// turn, that the glyphs of each ring keep.
DialLayout BuildDialLayout(const Chart& natal, const Chart& second, const Options& options, float modulus,
                           double pointer, bool withSecondChart, double natalGap, double secondGap);

// The chords of a panel: one for each pair in it, between the two natal factors (natal holds the 13 natal
// marks in factor order).
std::vector<DialChord> DialChords(const std::vector<DialPanelEntry>& panel,
                                  const std::vector<DialMark>& natal);

// The scale of a dial: a tick every degree (every quarter degree below a modulus of 30), longer ones
// every 5 degrees (every degree below 30), labels every 10 degrees above a modulus of 180, every 5 above 30,
// every degree below.
std::vector<DialTick> DialTicks(float modulus);

// The pointer moved by step degrees, kept within 0 to below the modulus.
double TurnPointer(double pointer, double step, float modulus);

// A dial position as a direction on the screen and back: 0 at the top, the dial running
// counterclockwise; directions in degrees counterclockwise from the right-hand side.
double DialDirection(double position, float modulus);
double DialPositionAt(double direction, float modulus);

// The dial position the pointer takes for a click at `position`: the true place of the factor whose glyph
// stands nearest to it within `tolerance` (dial degrees), in either ring; nothing when none is that close.
std::optional<double> SnapToMark(const DialLayout& dial, double position, double tolerance);

// The two-letter code of a factor, as the trees name it inside a pair: "SU", "MO" ... "NN", "AS", "MC".
std::string FactorCode(int factor);

}  // namespace talvenor
