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

// Appends a moment as DayMinuteText writes it ("14 Mar 2027  02:30"), padded to the width. A page lists
// up to a million events, most days many of them: each day's date is written once.
class MomentColumn {
  public:
    MomentColumn(const RegionalFormat& regional, std::size_t width) : regional_(regional), width_(width) {}
    void Append(double julianDate, std::string& line) {
        const MinuteOfDay m = MinuteAt(julianDate);
        if (!(m.date == date_)) {
            date_ = m.date;
            dateText_ = FormatDateDdMmmYyyy(m.date, regional_) + "  ";
        }
        const std::size_t start = line.size();
        line += dateText_;
        line += static_cast<char>('0' + m.hour / 10);
        line += static_cast<char>('0' + m.hour % 10);
        line += ':';
        line += static_cast<char>('0' + m.minute / 10);
        line += static_cast<char>('0' + m.minute % 10);
        if (line.size() - start < width_) line.append(width_ - (line.size() - start), ' ');
    }

  private:
    const RegionalFormat& regional_;
    std::size_t width_;
    CivilDate date_{0, 0, 0};
    std::string dateText_;
};

// A count with its thousands set apart by blanks: "1 000 000".
std::string GroupedCount(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, " ");
    return digits;
}

// What a search that did not run to the end of its range says, at the head of the page and at its foot:
// nothing for a whole search.
std::string StoppedLine(const EventSearchRequest& request, const EventSearchResult& result,
                        const RegionalFormat& regional) {
    const std::string before =
        "THE EVENTS BEFORE " + DayMinuteText(result.stoppedJulianDate, regional) + " UT ARE LISTED.";
    if (result.outcome == EventSearchOutcome::Cancelled) return "  SEARCH CANCELLED: " + before;
    if (result.outcome == EventSearchOutcome::TooMany)
        return "  SEARCH STOPPED AT " + GroupedCount(request.mostHits) + " EVENTS: " + before;
    return "";
}

}  // namespace

std::string ModulusNumberText(float modulus) {
    return DialModulusText(modulus);
}

void WriteEventPage(const Chart& natal, const RegionalFormat& regional, const EventSearchHeading& heading,
                    const EventSearchRequest& request, const EventSearchResult& result,
                    ReportBuffer& report) {
    report.AppendBlankLine();
    WriteNatalHeaderShort(natal, regional, report);
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
    // A page of a stopped search says so before its thousands of lines, and again at their end.
    const std::string stopped = StoppedLine(request, result, regional);
    if (!stopped.empty()) report.AppendLine(stopped);
    report.AppendBlankLine();

    const std::size_t width = MomentWidth(regional);
    // The zone as the natal heading writes it.
    std::string zone = Format(heading.zoneWest, "##0.0");
    zone.erase(0, zone.find_first_not_of(' '));
    report.AppendLine("  " + Padded("UNIVERSAL TIME", width) + Padded("LOCAL (TZ = " + zone + ")", width) +
                      "MOVING  D/R  TARGET");
    MomentColumn universal(regional, width), local(regional, width);
    std::string event;
    for (const EventHit& h : result.hits) {
        const std::string& mover = request.movers[static_cast<std::size_t>(h.mover)].name;
        event.assign("  ");
        universal.Append(h.julianDate, event);
        local.Append(LocalJulianDate(h.julianDate, heading.zoneWest), event);
        event += mover;
        if (mover.size() < 8) event.append(8 - mover.size(), ' ');
        event += h.retrograde ? " R   " : " D   ";
        event += request.targets[static_cast<std::size_t>(h.target)].name;
        report.AppendLine(event);
    }
    report.AppendBlankLine();
    if (!stopped.empty()) report.AppendLine(stopped);
    const std::size_t count = result.hits.size();
    report.AppendLine(count == 0 ? std::string("  NO EVENTS")
                                 : "  " + std::to_string(count) + (count == 1 ? " EVENT" : " EVENTS"));
}

std::string EventLines(const EventSearchRequest& request, std::span<const EventHit> hits,
                       std::string_view lineEnd) {
    std::string out;
    for (const EventHit& h : hits) {
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
