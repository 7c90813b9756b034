// A sweep over the whole input domain the checks accept: every chart typed into the two input windows
// either computes, with finite values in every table and every page written, or is refused with exactly
// the messages its input calls for. No chart may end in an arithmetic fault.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "chart/house_systems.h"
#include "input/input_checks.h"
#include "session/chart_commands.h"
#include "session/compute_charts.h"
#include "session/midpoint_commands.h"
#include "support/scripted_dialogs.h"

#if defined(__SANITIZE_ADDRESS__)
#define TALVENOR_SWEEP_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALVENOR_SWEEP_SANITIZED 1
#endif
#endif
#ifndef TALVENOR_SWEEP_SANITIZED
#define TALVENOR_SWEEP_SANITIZED 0
#endif

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;

// The sanitizer build runs a tenth of the walk: it is many times slower and looks for other faults.
constexpr int kWalkCharts = TALVENOR_SWEEP_SANITIZED ? 10'000 : 100'000;
// Every this many computed charts, every midpoint report runs as well.
constexpr int kMidpointReportEvery = 50;
constexpr float kModuli[] = {360.0f, 45.0f, 22.5f};

constexpr const char* kHouseCodes[] = {"P", "R", "K", "C", "O", "EA", "EM", "M", "I"};

// One window's moment and place, as the user types it.
struct Moment {
    int year = 2000, month = 1, day = 1, hour = 12, minute = 0;
    bool am = true;
    double zone = 0;  // hours, west positive
    int longDeg = 0, longMin = 0;
    bool east = false;
    int latDeg = 0, latMin = 0;
    bool south = false;
};

struct SweepInput {
    Moment natal, diurnal;
    std::string house = "P";
    bool secondPerson = false;
};

// The year box takes a year as typed: years below 100 are typed as they are when odd ("1") and with four
// digits when even ("0062"), and both are that year.
std::string YearText(int year) {
    std::string text = std::to_string(year);
    return year < 100 && year % 2 == 0 ? std::string(4 - text.size(), '0') + text : text;
}

std::string ZoneText(double zone) {
    const std::string whole = std::to_string(static_cast<int>(std::trunc(zone)));
    const bool half = std::fmod(std::fabs(zone), 1.0) != 0;
    if (!half) return whole;
    return (zone < 0 && whole == "0" ? "-0" : whole) + ".5";
}

void Type(const SweepInput& in, Session& s) {
    InputTexts& n = s.natal;
    const Moment& a = in.natal;
    n.name = "Sweep";
    n.month = std::to_string(a.month), n.day = std::to_string(a.day), n.year = YearText(a.year);
    n.hour = std::to_string(a.hour), n.minute = std::to_string(a.minute);
    n.zone = ZoneText(a.zone);
    n.longDeg = std::to_string(a.longDeg), n.longMin = std::to_string(a.longMin);
    n.latDeg = std::to_string(a.latDeg), n.latMin = std::to_string(a.latMin);
    n.SelectAM(a.am), n.SelectEast(a.east), n.SelectSouth(a.south);

    SecondInputTexts& d = s.diurnal;
    const Moment& b = in.diurnal;
    d.month = std::to_string(b.month), d.day = std::to_string(b.day);
    d.year = YearText(b.year);
    d.hour = std::to_string(b.hour), d.minute = std::to_string(b.minute);
    d.zone = ZoneText(b.zone);
    d.longDeg = std::to_string(b.longDeg), d.longMin = std::to_string(b.longMin);
    d.latDeg = std::to_string(b.latDeg), d.latMin = std::to_string(b.latMin);
    d.SelectAM(b.am), d.SelectEast(b.east), d.SelectSouth(b.south);
    d.secondPerson = in.secondPerson;
    d.secondPersonName = in.secondPerson ? "Other" : kSecondPersonCaption;
    s.checkedHouse = HouseSystemOfMenuCode(in.house);
}

std::string Describe(const SweepInput& in) {
    const auto moment = [](const Moment& m) {
        return std::to_string(m.month) + "/" + std::to_string(m.day) + "/" + YearText(m.year) + " " +
               std::to_string(m.hour) + ":" + std::to_string(m.minute) + (m.am ? " AM" : " PM") + " zone " +
               ZoneText(m.zone) + " long " + std::to_string(m.longDeg) + "." + std::to_string(m.longMin) +
               (m.east ? "E" : "W") + " lat " + std::to_string(m.latDeg) + "." + std::to_string(m.latMin) +
               (m.south ? "S" : "N");
    };
    return "house " + in.house + (in.secondPerson ? ", second person" : "") + "; natal " + moment(in.natal) +
           "; diurnal " + moment(in.diurnal);
}

// ---- What the checks must say, worked out from the input alone ----

bool DayExists(int year, int month, int day) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// A zone east of -2 hours with West selected is a sign typed the wrong way round, unless the longitude
// lies beyond 150 degrees west, east of the date line's zones.
bool ZoneAgainstWest(const Moment& m) {
    return m.zone < -2 && !m.east && m.longDeg * 60 + m.longMin <= 150 * 60;
}

bool LatitudeTooHigh(const Moment& m) {
    return m.latDeg > 66 || (m.latDeg == 66 && m.latMin > 0);
}

// Every failing test shows its message, in the order the driver runs them: completeness of the natal
// window, then of the diurnal one, the latitude, then the ranges and dates of each window.
std::vector<std::string> ExpectedMessages(const SweepInput& in) {
    std::vector<std::string> expected;
    if (ZoneAgainstWest(in.natal)) expected.emplace_back(kNatalInputErrorMessage);
    if (ZoneAgainstWest(in.diurnal)) expected.emplace_back(kDiurnalInputErrorMessage);
    const bool quadrant = in.house != "M" && in.house != "I";
    if (quadrant && (LatitudeTooHigh(in.natal) || LatitudeTooHigh(in.diurnal)))
        expected.emplace_back(kLatitudeTooHighMessage);
    if (!DayExists(in.natal.year, in.natal.month, in.natal.day))
        expected.emplace_back(kNatalInputErrorMessage);
    if (!DayExists(in.diurnal.year, in.diurnal.month, in.diurnal.day))
        expected.emplace_back(kDiurnalInputErrorMessage);
    return expected;
}

// ---- Checks on a computed chart ----

// The name of every real of the two charts that is not finite.
std::vector<std::string> NonFiniteValues(const Chart& natal, const Chart& second) {
    std::vector<std::string> bad;
    const auto real = [&](const std::string& name, double v) {
        if (!std::isfinite(v)) bad.push_back(name);
    };
    const auto table = [&](const std::string& name, const auto& values) {
        for (std::size_t i = 1; i < values.size(); ++i) {
            if (!std::isfinite(values[i])) bad.push_back(name + "(" + std::to_string(i) + ")");
        }
    };
    for (const auto& [name, c] : {std::pair<std::string, const Chart&>{"natal ", natal}, {"second ", second}}) {
        const BirthHeading h = HeadingOf(c.birth);
        for (double v : {double(h.clock), double(h.zone), double(h.longitude), double(h.latitude)}) {
            real(name + "birth", v);
        }
        const PassTimeOutputs& t = c.time;
        for (double v : {t.DayFraction, t.JulianDayNumber, t.CenturiesT, t.RamcRad, t.ObliquityRad,
                         t.ObliquityDeg, t.Midheaven, t.Ascendant, t.Vertex, t.EquatorialAscendant,
                         t.CoAscendant, t.PolarAscendant, t.AuxLatitudeRad, c.CenturiesTNextDay}) {
            real(name + "time and angles", v);
        }
        table(name + "Lon", c.Lon), table(name + "Decl", c.Decl), table(name + "EclLat", c.EclLat);
        table(name + "LonNextDay", c.LonNextDay), table(name + "SolsticePt", c.SolsticePt);
        table(name + "Cusp", c.Cusp);
        for (double v : {c.MeanNode, c.TrueNode, c.TrueNodeDecl, c.MoonDeclNextDay}) real(name + "nodes", v);
        table(name + "MidpointFactor", c.MidpointFactor), table(name + "MidpointLon", c.MidpointLon);
    }
    return bad;
}

// A page is written when it holds lines, and no number on it is printed as an infinity or "not a number".
bool PageIsSound(const ReportBuffer& report) {
    if (report.PageLineCount < 2) return false;
    const std::string text = PageText(report);
    return text.find("NaN") == std::string::npos && text.find("Inf") == std::string::npos;
}

// ---- The sweep ----

struct Counts {
    int charts = 0, computed = 0, refused = 0, faults = 0, midpointRuns = 0;
    std::map<std::string, int> refusedBy;  // refused charts that showed each message
    std::vector<std::string> faultInputs;
};

class Sweep {
  public:
    Sweep() : session_(dialogs_) { session_.options = DefaultOptions(); }

    void Run(const SweepInput& in) {
        ++counts.charts;
        Type(in, session_);
        dialogs_.shown.clear();
        // The compute command empties the report buffer before it runs the driver.
        session_.report.ClearAll();
        const Chart previousNatal = session_.natalChart;

        const ComputeOutcome outcome = ComputeCharts(session_);
        const std::vector<std::string> expected = ExpectedMessages(in);
        std::vector<std::string> shown;
        for (const auto& m : dialogs_.shown) shown.push_back(m.text);

        if (outcome == ComputeOutcome::Fault) {
            ++counts.faults;
            EXPECT_EQ(dialogs_.shown.size(), 1u) << Describe(in);
            EXPECT_EQ(dialogs_.shown.at(0).title, kComputationErrorTitle) << Describe(in);
            if (counts.faultInputs.size() < 20)
                counts.faultInputs.push_back(Describe(in) + ": " + shown.at(0));
            return;
        }
        if (outcome == ComputeOutcome::InputRefused) {
            ++counts.refused;
            for (const auto& m : dialogs_.shown) EXPECT_EQ(m.title, "Warning!") << Describe(in);
            for (const auto& text : std::set<std::string>(shown.begin(), shown.end()))
                ++counts.refusedBy[text];
            EXPECT_EQ(shown, expected) << Describe(in);
            EXPECT_EQ(session_.natalChart, previousNatal)
                << "a refused chart changed the last one: " << Describe(in);
            return;
        }
        ++counts.computed;
        EXPECT_TRUE(expected.empty()) << "computed although refused input: " << Describe(in);
        EXPECT_TRUE(shown.empty()) << Describe(in);
        EXPECT_EQ(session_.natalChart.MidpointCount, 78) << Describe(in);
        const std::vector<std::string> bad = NonFiniteValues(session_.natalChart, session_.secondChart);
        EXPECT_TRUE(bad.empty()) << bad.front() << " is not finite: " << Describe(in);
        ExpectPageSound("natal data", in);
        CheckPage("transit data", TransitDataCommand(session_), in);
        CheckPage("transits to natal", TransitsToNatalCommand(session_), in);
        if (counts.computed % kMidpointReportEvery == 0) RunMidpointReports(in);
        EXPECT_TRUE(dialogs_.shown.empty()) << "a page showed a message: " << Describe(in);
    }

    Counts counts;

  private:
    void ExpectPageSound(const char* page, const SweepInput& in) {
        EXPECT_TRUE(PageIsSound(session_.report)) << page << " page: " << Describe(in);
    }
    void CheckPage(const char* page, ShowResult result, const SweepInput& in) {
        EXPECT_EQ(result, ShowResult::Shown) << page << " page: " << Describe(in);
        ExpectPageSound(page, in);
    }

    void RunMidpointReports(const SweepInput& in) {
        ++counts.midpointRuns;
        ProgressReporter& none = NoProgress();
        CheckPage("natal midpoints", NatalMidpointsCommand(session_), in);
        CheckPage("transits to natal midpoints", TransitAspectsToNatalMidpointsCommand(session_), in);
        CheckPage("transit midpoints to natal", TransitMidpointsToNatalCommand(session_), in);
        CheckPage("degree sort", NatalSortByDegreeCommand(session_, none), in);
        for (const float modulus : kModuli) {
            CheckPage("modulus sort", NatalSortCommand(session_, modulus, none), in);
            CheckPage("natal tree", NatalTreeCommand(session_, modulus, none), in);
            CheckPage("transit tree", TransitTreeCommand(session_, modulus, none), in);
        }
        for (const bool sorted : {false, true}) {
            CheckPage("natal midpoint aspects", NatalMidpointAspectsCommand(session_, sorted, none), in);
            CheckPage("transit formulas", TransitFormulasCommand(session_, sorted, none), in);
        }
    }

    ScriptedDialogs dialogs_;
    Session session_;
};

void Report(const Counts& c, const char* what) {
    std::cout << what << ": " << c.charts << " charts, " << c.computed << " computed, " << c.refused
              << " refused, " << c.faults << " arithmetic faults; every midpoint report on " << c.midpointRuns
              << " charts\n";
    for (const auto& [message, n] : c.refusedBy)
        std::cout << "  " << n << " refused with \"" << message << "\"\n";
    for (const auto& input : c.faultInputs) std::cout << "  fault: " << input << "\n";
    ::testing::Test::RecordProperty("charts", c.charts);
    ::testing::Test::RecordProperty("computed", c.computed);
    ::testing::Test::RecordProperty("refused", c.refused);
    ::testing::Test::RecordProperty("faults", c.faults);
}

// splitmix64: the same walk on every platform and compiler, unlike the standard distributions.
class Walk {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Chance(int inverse) { return Next() % static_cast<std::uint64_t>(inverse) == 0; }

    // Each field of the moment is drawn anew with a chance of one in three, so that the walk keeps most of
    // the last chart and every value is reached in the long run.
    void Step(Moment& m, bool anyLatitude) {
        if (Chance(3)) m.year = Between(1, 2099);
        if (Chance(3)) m.month = Between(1, 12);
        if (Chance(3)) m.day = Between(1, 31);
        if (Chance(3)) m.hour = Between(1, 12), m.minute = Between(0, 59);
        if (Chance(3)) m.am = Chance(2);
        const bool newZone = Chance(3), newLongitude = Chance(3);
        if (newZone) m.zone = Between(-28, 24) / 2.0;
        if (newLongitude) m.longDeg = Between(0, 180), m.longMin = Between(0, 59);
        // Most people's zone lies on their longitude's side; now and then one does not.
        if (newZone || newLongitude) m.east = m.zone < 0 ? !Chance(10) : Chance(10);
        if (Chance(3) || (!anyLatitude && LatitudeTooHigh(m))) {
            m.latDeg = Between(0, 66);
            m.latMin = m.latDeg == 66 ? 0 : Between(0, 59);
            // Meridian and Morinus take any latitude; the other systems now and then get one too high.
            if (anyLatitude && Chance(4)) m.latDeg = Between(0, 999), m.latMin = Between(0, 59);
            if (!anyLatitude && Chance(100)) m.latDeg = Between(66, 90), m.latMin = Between(1, 59);
            m.south = Chance(2);
        }
    }

  private:
    std::uint64_t state_ = 0x7A1E5E70Dull;
};

TEST(InputSweepTest, DomainCornersComputeOrAreRefusedAsTheChecksSay) {
    Sweep sweep;
    for (const char* house : kHouseCodes) {
        const bool anyLatitude = std::string(house) == "M" || std::string(house) == "I";
        for (int corner = 0; corner < 256; ++corner) {
            const auto bit = [corner](int k) { return (corner >> k & 1) != 0; };
            Moment m;
            m.year = bit(0) ? 2099 : 1;
            m.month = bit(1) ? 12 : 1, m.day = bit(1) ? 31 : 1;
            m.hour = bit(2) ? 11 : 12, m.minute = bit(2) ? 59 : 0, m.am = !bit(2);
            m.zone = bit(3) ? 12 : -14;
            m.longDeg = bit(4) ? 180 : 0, m.longMin = bit(4) ? 59 : 0;
            m.east = bit(5);
            m.latDeg = bit(6) ? (anyLatitude ? 999 : 66) : 0, m.latMin = bit(6) && anyLatitude ? 59 : 0;
            m.south = bit(7);
            SweepInput in;
            in.natal = m;
            in.diurnal = m;
            in.house = house;
            in.secondPerson = bit(0) != bit(7);
            sweep.Run(in);
        }
    }
    // Meridian and Morinus take any latitude: the poles and whole half turns of it as well.
    for (const char* house : {"M", "I"}) {
        for (const int latDeg : {89, 90, 180, 270, 360, 450, 540, 630, 720, 810, 900, 990}) {
            for (const bool south : {false, true}) {
                SweepInput in;
                in.house = house;
                in.natal.year = 1962, in.natal.month = 3, in.natal.day = 14, in.natal.hour = 10,
                in.natal.minute = 15;
                in.natal.am = false, in.natal.zone = 6, in.natal.longDeg = 87, in.natal.longMin = 39;
                in.natal.latDeg = latDeg, in.natal.latMin = latDeg == 89 ? 59 : 0, in.natal.south = south;
                in.diurnal = in.natal;
                in.diurnal.year = 2026;
                sweep.Run(in);
            }
        }
    }
    Report(sweep.counts, "domain corners");
    EXPECT_EQ(sweep.counts.faults, 0);
    EXPECT_GT(sweep.counts.computed, 0);
}

TEST(InputSweepTest, RandomWalkOverTheDomainComputesOrIsRefusedAsTheChecksSay) {
    Sweep sweep;
    Walk walk;
    SweepInput in;
    for (int k = 0; k < kWalkCharts; ++k) {
        if (walk.Chance(3)) in.house = kHouseCodes[walk.Between(0, 8)];
        const bool anyLatitude = in.house == "M" || in.house == "I";
        walk.Step(in.natal, anyLatitude);
        walk.Step(in.diurnal, anyLatitude);
        if (walk.Chance(10)) in.secondPerson = !in.secondPerson;
        sweep.Run(in);
        if (::testing::Test::HasFailure()) break;  // one input to look at, not thousands of the same
    }
    Report(sweep.counts, "random walk");
    EXPECT_EQ(sweep.counts.charts, kWalkCharts);
    EXPECT_EQ(sweep.counts.faults, 0);
    // The walk stays mostly inside what the checks accept, and reaches every refusal.
    EXPECT_GT(sweep.counts.computed, kWalkCharts * 4 / 5);
    EXPECT_EQ(sweep.counts.refusedBy.size(), 3u);
}

}  // namespace
}  // namespace talvenor
