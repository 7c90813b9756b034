#include "events/event_page.h"

#include <algorithm>

#include "chart/positions.h"
#include "midpoints/dial_panel.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// The widest line of the heading.
constexpr std::size_t kPageWidth = 80;

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string TargetsText(const TargetChoice& t) {
    std::string text;
    auto add = [&text](const char* what) { text += (text.empty() ? "" : ", ") + std::string(what); };
    if (t.natalFactors) add("NATAL FACTORS");
    if (t.natalMidpoints) add("NATAL MIDPOINTS");
    if (t.pictures) add("PLANETARY PICTURES");
    return text;
}

// Width of the columns of the moments: the longest moment text and two blanks.
std::size_t MomentWidth(const RegionalFormat& regional) {
    std::size_t width = 0;
    for (int month = 1; month <= 12; ++month) {
        width = std::max(width, FormatDateDdMmmYyyy({2000, month, 1}, regional).size());
    }
    return width + 7 + 3;
}

}  // namespace

std::string ModulusNumberText(float modulus) {
    return DialModulusText(modulus);
}

void WriteEventPage(const ChartState& chart, const RegionalFormat& regional,
                    const EventSearchHeading& heading, const EventSearchRequest& request,
                    const EventSearchResult& result, ReportBuffer& report) {
    report.AppendBlankLine();
    WriteNatalHeaderShort(chart, regional, report);
    report.AppendBlankLine();
    report.AppendLine("  EVENTS FROM " + FormatDateDdMmmYyyy(heading.range.first, regional) + " TO " +
                      FormatDateDdMmmYyyy(heading.range.last, regional) + " - MODULUS " +
                      ModulusNumberText(heading.modulus));
    // The moving factors, as many to a line as fit in the page's width.
    std::string line = "  MOVING:  ";
    for (const MovingFactor& m : request.movers) {
        if (line.size() + 1 + m.name.size() > kPageWidth) {
            report.AppendLine(line);
            line = std::string(11, ' ');
        }
        line += " " + m.name;
    }
    report.AppendLine(line);
    report.AppendLine("  TARGETS:  " + TargetsText(heading.targets));
    report.AppendBlankLine();

    const std::size_t width = MomentWidth(regional);
    // The zone as the natal heading writes it.
    std::string zone = Format(heading.zoneWest, "##0.0");
    zone.erase(0, zone.find_first_not_of(' '));
    report.AppendLine("  " + Padded("UNIVERSAL TIME", width) + Padded("LOCAL (TZ = " + zone + ")", width) +
                      "MOVING  D/R  TARGET");
    for (const EventHit& h : result.hits) {
        const std::string& mover = request.movers[static_cast<std::size_t>(h.mover)].name;
        report.AppendLine(
            "  " + Padded(DayMinuteText(h.julianDate, regional), width) +
            Padded(DayMinuteText(LocalJulianDate(h.julianDate, heading.zoneWest), regional), width) +
            Padded(mover, 8) + " " + (h.retrograde ? "R" : "D") + "   " +
            request.targets[static_cast<std::size_t>(h.target)].name);
    }
    report.AppendBlankLine();
    if (result.outcome == EventSearchOutcome::Cancelled) {
        report.AppendLine("  SEARCH CANCELLED: THE EVENTS BEFORE " +
                          DayMinuteText(result.stoppedJulianDate, regional) + " UT ARE LISTED.");
    }
    if (result.outcome == EventSearchOutcome::TooMany) {
        report.AppendLine("  THE SEARCH STOPPED AFTER " + std::to_string(request.mostHits) +
                          " EVENTS: THE EVENTS BEFORE " + DayMinuteText(result.stoppedJulianDate, regional) +
                          " UT ARE LISTED.");
    }
    const std::size_t count = result.hits.size();
    report.AppendLine(count == 0 ? std::string("  NO EVENTS")
                                 : "  " + std::to_string(count) + (count == 1 ? " EVENT" : " EVENTS"));
}

std::string EventLines(const EventSearchRequest& request, const EventSearchResult& result,
                       std::string_view lineEnd) {
    std::string out;
    for (const EventHit& h : result.hits) {
        out += IsoMinuteText(h.julianDate);
        out += '\t';
        out += request.movers[static_cast<std::size_t>(h.mover)].name;
        out += '\t';
        out += request.targets[static_cast<std::size_t>(h.target)].name;
        out += '\t';
        out += h.retrograde ? 'R' : 'D';
        out += lineEnd;
    }
    return out;
}

std::string EventFaultMessage(const EventSearchRequest& request, const EventSearchResult& result) {
    std::string name = "a moving factor";
    if (result.faultMover >= 0 && static_cast<std::size_t>(result.faultMover) < request.movers.size())
        name = request.movers[static_cast<std::size_t>(result.faultMover)].name;
    return "The position of " + name + " could not be computed for " + IsoMinuteText(result.faultJulianDate) +
           " UT; the search was abandoned.";
}

}  // namespace talvenor
