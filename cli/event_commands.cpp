#include "event_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "arguments.h"
#include "events/ephemeris_graph.h"
#include "session/event_commands.h"
#include "session/report_table.h"
#include "session/session.h"
#include "text/basic_text.h"

namespace talvenor::cli {

namespace {

constexpr const char* kEvents = "events";
constexpr const char* kGraph = "graphic-ephemeris";

int Events(Session& session, const EventArguments& options, float modulus, bool crlf) {
    if (auto refusal = SearchModulusRefusal(modulus, "--modulus " + ModulusInMessage(modulus)))
        return BadArguments(*refusal, kPlain);
    EventSearchChoices choices;
    choices.from = *options.from;
    choices.to = *options.to;
    choices.modulus = GeneralNumber(modulus);
    const FactorSet set = session.natalChart.factors;
    choices.movers = DefaultMoverNames(set);
    if (options.movers) {
        if (auto problem = ReadMoverNames(*options.movers, choices.movers, set))
            return BadArguments("--movers: " + *problem, kPlain);
    }
    if (options.targets) {
        if (auto problem = ReadTargetChoice(*options.targets, choices.targets))
            return BadArguments("--targets: " + *problem, kPlain);
    }
    const EventSearchPreparation prepared = PrepareEventSearch(session, choices);
    if (!prepared.search) return BadArguments(prepared.message, kPlain);
    const EventSearchRequest& request = prepared.search->request;
    // The lines go out a batch at a time as the search knows them, so that the memory held stays small
    // however many events there are.
    const char* lineEnd = crlf ? "\r\n" : "\n";
    const EventSearchResult result = StreamEvents(request, [&](std::span<const EventHit> batch) {
        const std::string out = EventLines(request, batch, lineEnd);
        std::fwrite(out.data(), 1, out.size(), stdout);
    });
    if (result.outcome == EventSearchOutcome::Fault) {
        Tell(EventFaultMessage(request, result));
        return 1;
    }
    if (result.outcome == EventSearchOutcome::TooMany) {
        Tell("the search stopped at " + std::to_string(request.mostHits) + " events: the events before " +
             IsoMinuteText(result.stoppedJulianDate) + " UT are listed");
        return 1;
    }
    return 0;
}

int Graph(Session& session, const EventArguments& options, float modulus, const DrawingRequest& drawing,
          int argc, char** argv) {
    EphemerisGraphRequest request;
    if (auto problem =
            ReadDayRange(*options.from, *options.to, session.regional, kGraphRangeLimits, request.range))
        return BadArguments(*problem, kPlain);
    request.modulus = modulus;
    const FactorSet set = session.natalChart.factors;
    request.bodies = DefaultGraphBodyNames(set);
    if (options.movers) {
        if (auto problem = ReadMoverNames(*options.movers, request.bodies, set))
            return BadArguments("--movers: " + *problem, kPlain);
    }
    request.midpoints = options.midpoints;
    // A picture wider than the usual sampling has its lines sampled to its own pixels.
    request.columns = std::max(kGraphColumns, static_cast<int>(std::ceil(drawing.size * kGraphAspect)));
    const EphemerisGraph graph =
        BuildEphemerisGraph(session.natalChart, session.options, session.regional, request);
    if (graph.bodies.empty()) {
        Tell("the positions could not be computed over this range");
        return 1;
    }
    return WriteGraph(graph, drawing, argc, argv);
}

}  // namespace

std::string TakeEventArguments(std::vector<std::string>& args, EventArguments& taken) {
    const Option options[] = {
        Option::Text("--from", taken.from, "a date"),
        Option::Text("--to", taken.to, "a date"),
        Option::Text("--movers", taken.movers, "a list of names"),
        Option::Text("--targets", taken.targets, "a list of names"),
        Option::Flag("--midpoints", taken.midpoints),
    };
    return TakeArguments(args, options);
}

bool IsEventReport(const std::string& report) {
    const ReportEntry* entry = ReportNamed(report);
    return entry && entry->output == ReportOutput::Events;
}

std::string CheckEventArguments(const std::string& report, const EventArguments& options) {
    if (!IsEventReport(report)) {
        if (options.Any())
            return "--from, --to, --movers, --targets and --midpoints belong to events and graphic-ephemeris "
                   "only";
        return "";
    }
    if (!options.from || !options.to) return report + " needs --from DATE and --to DATE";
    if (report == kEvents && options.midpoints)
        return "--midpoints belongs to graphic-ephemeris only (events: --targets)";
    if (report == kGraph && options.targets)
        return "--targets belongs to events only (graphic-ephemeris: --midpoints)";
    return "";
}

int RunEventReport(Session& session, const std::string& report, const EventArguments& options, float modulus,
                   const DrawingRequest& drawing, bool crlf, int argc, char** argv) {
    if (report == kEvents) return Events(session, options, modulus, crlf);
    return Graph(session, options, modulus, drawing, argc, argv);
}

}  // namespace talvenor::cli
