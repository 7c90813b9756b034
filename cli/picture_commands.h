// The report tool's planetary pictures, solar arc directions and secondary progressions, and the pictures
// under the dial's pointer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "midpoints/planetary_pictures.h"
#include "session/session.h"

namespace talvenor::cli {

struct PictureArguments {
    std::optional<std::string> orb;     // --orb O
    std::optional<std::string> target;  // --target NAME|DEG
    bool tsv = false;                   // --tsv
    bool pictures = false;              // --pictures (dial-panel)
};

// Takes --orb, --target, --tsv and --pictures out of the arguments. An error text when one lacks its
// value, "" otherwise.
std::string TakePictureArguments(std::vector<std::string>& args, PictureArguments& taken);

// An error text when an argument does not belong to the report or cannot be read (a --target not of the
// factor set among them), "" otherwise.
std::string CheckPictureArguments(const std::string& report, const PictureArguments& arguments,
                                  FactorSet set = FactorSet::Classic);

// The pictures' request of the arguments: the modulus, --orb (default: the tree orb, option 40) and
// --target (default: every natal factor). The arguments were checked (CheckPictureArguments).
PictureRequest PictureRequestOf(const Session& session, float modulus, const PictureArguments& arguments);

// The pictures of --tsv, one a line.
std::string PicturesTsvLines(const Session& session, const PictureRequest& request,
                             const std::string& lineEnd);

// The pictures at the pointer as dial-panel lines: the picture ("SU+MO-ME"), its position on the dial
// and the signed orb, tab-separated, four decimals.
std::string DialPanelPictureLines(const Session& session, float modulus, double pointer,
                                  const std::string& lineEnd);

inline constexpr const char* kPictureCommandsUsage = R"(
Planetary pictures, directions and progressions:
  pictures --modulus M [--orb O] [--target NAME|DEG] [--tsv]
                      every A + B - C of the natal factors (A before B, C neither) within O degrees
                      (default: the tree orb, option 40) of a target D on the dial of M: every natal
                      factor, or the factor NAME (SUN, MOO, MER, VEN, MAR, JUP, SAT, URA, NEP, PLU, NN,
                      ASC, MC), or the degree DEG; then the second chart's factors at the natal pictures
                      (not for a degree). Sorted by D, then by the absolute orb. With --tsv one line a
                      picture, tab-separated: A, B, C, D (a second-chart factor as Tr.SUN, a degree
                      with four decimals), the picture's position on the dial and the signed orb
                      (picture - D), both with four decimals
  solar-arc --modulus M
                      the solar arc directions for the date of --diurnal: the natal points moved on by
                      the progressed Sun's arc, and their aspects on the dial of M to the natal factors
                      and midpoints within the tree orb, nearest first
  progressed --modulus M
                      the secondary progressions for the date of --diurnal (the chart of birth + one day
                      for each year of life; the Midheaven by the solar arc in right ascension), and
                      their aspects as above
  dial-panel ... --pictures
                      after the panel, the natal pictures within the tree orb of the pointer, as lines of
                      the same form: SU+MO-ME, position, orb
)";

}  // namespace talvenor::cli
