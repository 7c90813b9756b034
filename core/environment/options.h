// The numeric settings of the options file, one option a line.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvenor {

inline constexpr int kOptionCount = 167;

// The numbers of the options the program reads, as the options file orders its lines. Every other
// option line is kept and written back, but nothing reads it.
namespace option {
inline constexpr int kConjunctionOrb = 1;  // 1..15: the aspect grid's orbs, one an aspect (see AspectOrb)
inline constexpr int kLastAspectOrb = 15;
inline constexpr int kParallelOrb = 6;
inline constexpr int kQuintileFamily = 16;
inline constexpr int kHomeZone = 18;
inline constexpr int kHomeLongitudeDegrees = 19;
inline constexpr int kHomeLongitudeMinutes = 20;
inline constexpr int kHomeEast = 21;
inline constexpr int kHomeLatitudeDegrees = 22;
inline constexpr int kHomeLatitudeMinutes = 23;
inline constexpr int kHomeSouth = 24;
inline constexpr int kStartHouseSystem = 27;
inline constexpr int kPrintedPageLines = 30;
inline constexpr int kMidpointOrbHard = 33;
inline constexpr int kMidpointOrbSemiSquare = 34;
inline constexpr int kMidpointOrbSixteenth = 35;
inline constexpr int kTreeOrb = 40;
inline constexpr int kSavedPageLines = 45;
inline constexpr int kTreePositions = 60;
inline constexpr int kTreeColumns = 65;
inline constexpr int kTreeColumnsWidth = 66;
inline constexpr int kTreeColumnsGap = 67;
inline constexpr int kLongestNormalLine = 117;
inline constexpr int kTrueNodeFactor = 161;
inline constexpr int kDialOrb = 162;
inline constexpr int kDialDivision = 163;
inline constexpr int kEmptyDataAfterChart = 165;
inline constexpr int kSolsticeAcrossEquinox = 167;
}  // namespace option

// Options 1..167 in single precision, as the reports compare them; element 0 is unused. The options
// file and the options window see them by number; the rest of the program reads them by name.
class Options {
  public:
    float operator[](int n) const { return values_[static_cast<std::size_t>(n)]; }
    float& operator[](int n) { return values_[static_cast<std::size_t>(n)]; }

    // The aspect grid: the orb held by option 1..15, the parallel orb (a declination difference), and
    // the quintile family (1 finds them in the grid; anything but 0 prints their legend).
    float aspectOrb(int optionNumber) const { return (*this)[optionNumber]; }
    float parallelOrb() const { return (*this)[option::kParallelOrb]; }
    float quintileFamily() const { return (*this)[option::kQuintileFamily]; }
    // The home place that fills the input windows: zone in hours west, degrees and minutes, and whether
    // the longitude is east and the latitude south (not 0).
    float homeZone() const { return (*this)[option::kHomeZone]; }
    float homeLongitudeDegrees() const { return (*this)[option::kHomeLongitudeDegrees]; }
    float homeLongitudeMinutes() const { return (*this)[option::kHomeLongitudeMinutes]; }
    bool homeEast() const { return (*this)[option::kHomeEast] != 0; }
    float homeLatitudeDegrees() const { return (*this)[option::kHomeLatitudeDegrees]; }
    float homeLatitudeMinutes() const { return (*this)[option::kHomeLatitudeMinutes]; }
    bool homeSouth() const { return (*this)[option::kHomeSouth] != 0; }
    // The house system checked at start (1 Placidus ... 9 Morinus).
    float startHouseSystem() const { return (*this)[option::kStartHouseSystem]; }
    float printedPageLines() const { return (*this)[option::kPrintedPageLines]; }
    float savedPageLines() const { return (*this)[option::kSavedPageLines]; }
    float longestNormalLine() const { return (*this)[option::kLongestNormalLine]; }
    // The midpoint analysis orbs: conjunction, square and opposition; semi-square and sesquisquare; the
    // sixteenth-circle aspects.
    float midpointOrbHard() const { return (*this)[option::kMidpointOrbHard]; }
    float midpointOrbSemiSquare() const { return (*this)[option::kMidpointOrbSemiSquare]; }
    float midpointOrbSixteenth() const { return (*this)[option::kMidpointOrbSixteenth]; }
    // The midpoint trees: the orb (also the dial's pictures), positions shown, printed in columns (1),
    // the columns' page width and the gap between columns.
    float treeOrb() const { return (*this)[option::kTreeOrb]; }
    bool treePositions() const { return (*this)[option::kTreePositions] != 0; }
    float treeColumns() const { return (*this)[option::kTreeColumns]; }
    float treeColumnsWidth() const { return (*this)[option::kTreeColumnsWidth]; }
    float treeColumnsGap() const { return (*this)[option::kTreeColumnsGap]; }
    void setTreeColumnsGap(float gap) { (*this)[option::kTreeColumnsGap] = gap; }
    // The true node instead of the mean node as midpoint factor (not 0).
    bool trueNodeFactor() const { return (*this)[option::kTrueNodeFactor] != 0; }
    // The dial: its orb and its division (16, 8 or 4).
    float dialOrb() const { return (*this)[option::kDialOrb]; }
    void setDialOrb(float orb) { (*this)[option::kDialOrb] = orb; }
    float dialDivision() const { return (*this)[option::kDialDivision]; }
    bool emptyDataAfterChart() const { return (*this)[option::kEmptyDataAfterChart] != 0; }
    // Solstice points mirrored across the equinox axis rather than the solstice axis (not 0).
    bool solsticeAcrossEquinox() const { return (*this)[option::kSolsticeAcrossEquinox] != 0; }

  private:
    std::array<float, kOptionCount + 1> values_{};
};

struct OptionsReadResult {
    bool opened = false;        // the file could be opened
    int linesRead = 0;          // options taken from the file
    bool truncated = false;     // the file went on past line 167 without an empty line; the rest was ignored
    int firstOddLine = 0;       // the first line read that is no option line (IsOptionLine); 0 for none
    std::string firstOddStart;  // that line's first seven characters
};

// An option line: its first seven characters, after leading blanks (spaces, tabs), begin with a number
// that ends at a blank or at the end of those seven characters ("  1.5  conjunction", "8", "-2"). The
// program reads every line with the leading-number rule all the same (a line of words gives 0); only a
// file named on the report tool's command line must be made of option lines.
bool IsOptionLine(std::string_view firstSeven);

// Why a file named as an options file cannot serve as one: it cannot be read ("cannot read options file
// X"), it holds no option ("options file X holds no options"), or a line read is no option line
// ("options file X, line 3: "abc" is not an option value"). No value for an options file.
std::optional<std::string> OptionsFileRefusal(const std::string& name, const OptionsReadResult& read);

// Reads the options file: line n gives option n from the leading number of its first seven characters;
// reading stops at the end of the file, at the first empty line or after line 167. A UTF-8 byte-order
// mark at the start is passed over. Options not read keep their values. A folder or device in the file's
// place is not opened.
OptionsReadResult ReadOptionsFile(const std::filesystem::path& file, Options& options);

// The values of the shipped master options file, used when no options file can be read.
Options DefaultOptions();

// Name of the options file and of its master copy inside the program folder.
inline constexpr const char* kOptionsFileName = "OPTIONS.OPT";
inline constexpr const char* kMasterOptionsFileName = "OPTIONS.MAS";

}  // namespace talvenor
