// The event search's choices as the report tool takes them from its command line (--from, --to,
// --movers, --targets, --modulus), one a line: each is read or refused with its one-line message, and a
// range that is taken is searched (a short one) for the transiting Sun and Moon.
#include <algorithm>
#include <memory>

#include "events/ephemeris_graph.h"
#include "events/event_factors.h"
#include "events/event_search.h"
#include "fuzz_support.h"
#include "midpoints/modulus_prompt.h"
#include "text/basic_text.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

void RequireOneLine(const std::optional<std::string>& message, const char* promise) {
    if (message) Require(!message->empty() && message->find_first_of("\r\n") == std::string::npos, promise);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = SplitLines(AsText(data, size));
    lines.resize(std::max<std::size_t>(lines.size(), 5));
    // The lines come from the command line: no line breaks inside them.
    for (std::string& line : lines) std::replace(line.begin(), line.end(), '\r', ' ');
    const RegionalFormat regional;

    DayRange range;
    const auto refused = ReadDayRange(lines[0], lines[1], regional, kEventRangeLimits, range);
    RequireOneLine(refused, "a refused range is told in one line");
    if (!refused) {
        Require(range.toJulianDate > range.fromJulianDate, "a range runs forward");
        Require(range.Days() <= kEventRangeLimits.longestDays, "a range is at most 100 years");
        Require(range.last.year <= 2099, "a range ends by 2099");
    }

    std::vector<std::string> movers = {"kept"};
    const auto badMover = ReadMoverNames(lines[2], movers);
    RequireOneLine(badMover, "a refused mover is told in one line");
    if (!badMover) {
        const std::vector<std::string> all = AllMoverNames();
        Require(!movers.empty(), "a list read names a mover");
        for (const std::string& m : movers) {
            Require(std::find(all.begin(), all.end(), m) != all.end(), "every mover read is known");
        }
    } else {
        Require(movers == std::vector<std::string>{"kept"}, "a refused list changes nothing");
    }

    TargetChoice targets;
    RequireOneLine(ReadTargetChoice(lines[3], targets), "a refused target is told in one line");

    DayRange graph;
    RequireOneLine(GraphRangeFrom(lines[0], 1, regional, graph), "a refused graph range is told in one line");

    const auto modulus = static_cast<float>(LeadingNumber(lines[4]));
    // A small dial over a few days only, so that one input stays quick.
    if (refused || JudgeModulus(modulus) != ModulusAnswer::Accepted || modulus < 1 || range.Days() > 3)
        return 0;
    EventSearchRequest request;
    request.fromJulianDate = range.fromJulianDate;
    request.toJulianDate = range.toJulianDate;
    request.modulus = modulus;
    request.movers = TransitMovers({"SUN", "MOO"}, std::make_shared<SkyAtMoment>());
    request.targets = {{"A", 0}, {"B", modulus / 3}};
    request.mostHits = 10000;
    const EventSearchResult result = SearchEvents(request);
    Require(result.outcome != EventSearchOutcome::Fault,
            "the bodies are computed within the program's dates");
    for (std::size_t i = 0; i < result.hits.size(); ++i) {
        const EventHit& h = result.hits[i];
        Require(h.julianDate >= request.fromJulianDate && h.julianDate < request.toJulianDate,
                "every event lies in the range");
        if (i > 0) Require(h.julianDate >= result.hits[i - 1].julianDate, "events come in time order");
    }
    return 0;
}
