// The report tool's event commands: the exact-date search (events) and the graphic ephemeris as a file
// (graphic-ephemeris).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart_exports.h"

namespace talvenor {

struct Session;

namespace cli {

// The arguments only these commands take.
struct EventArguments {
    std::optional<std::string> from, to, movers, targets;
    bool midpoints = false;
    bool Any() const { return from || to || movers || targets || midpoints; }
};

// Takes --from, --to, --movers, --targets and --midpoints (with their values) out of the arguments. An
// error text when one lacks its value, "" otherwise.
std::string TakeEventArguments(std::vector<std::string>& args, EventArguments& taken);

// events and graphic-ephemeris (their dial without --modulus is the report table's).
bool IsEventReport(const std::string& report);

// An error text when an argument does not belong to the report or one it needs is missing, "" otherwise.
std::string CheckEventArguments(const std::string& report, const EventArguments& arguments);

// Runs the command over the computed charts and returns the exit status: 0 done, 1 when a position could
// not be computed or the file not written, 2 for a range or a name that is refused (said on stderr).
int RunEventReport(Session& session, const std::string& report, const EventArguments& arguments,
                   float modulus, const DrawingRequest& drawing, bool crlf, int argc, char** argv);

inline constexpr const char* kEventCommandsUsage = R"(
Events and the graphic ephemeris:
  events --from "1 Jan 2027" --to "31 Dec 2027" [--modulus 90] [--movers SUN,MAR,...]
         [--targets natal,midpoints,pictures]
                      the moments at which the moving factors stand on the natal targets in the dial of
                      --modulus (default 90; 360 gives the plain conjunction, and the hard aspects are
                      conjunctions in the 90 dial), from 0h UT of the first day to the end of the last (at
                      most 100 years, up to 31 Dec 2099). Moving factors: the transiting SUN, MOO, MER, VEN,
                      MAR, JUP, SAT, URA, NEP, PLU and NN (the mean node), the natal factors directed by the
                      solar arc SA.SUN ... SA.MC, the progressed factors Pr.SUN ... Pr.MC ("SA" and "PR"
                      for all 13); default the ten bodies. With the Uranian factors also the hypothetical
                      points CUP, HAD, ZEU, KRO, APO, ADM, VUL, POS (in the default too), SA.ARI (the arc)
                      ... SA.POS and Pr.CUP ... Pr.POS, and the targets are the 22 factors and their 231
                      midpoints. Targets: natal (the 13 factors), midpoints (their
                      78 midpoints), pictures (their 858 pictures A + B - C); default natal,midpoints. One
                      line per event in time order, tab-separated: the moment in UT "YYYY-MM-DD HH:MM", the
                      moving factor, the target (SUN, SUN/MOO, SUN+MOO-MAR) and D or R, its direction; the
                      modulus at least one minute of arc (0.0167); at most a million events (the first
                      million are printed, exit status 1)
  graphic-ephemeris --from DATE --to DATE [--modulus 45] [--movers SUN,MOO,...] [--midpoints]
         --output FILE [--size PIXELS]
                      the transiting bodies reduced to the dial (default 45) against time, one month to ten
                      years, with the natal factors (and with --midpoints the natal midpoints) as levels
                      across, as FILE (.svg, .png, .pdf), --size pixels high and half as wide again (any
                      modulus: a body faster than a pixel shows is a band across the dial); --movers as for
                      events (default the bodies without the Moon)
)";

}  // namespace cli
}  // namespace talvenor
