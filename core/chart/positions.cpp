#include "chart/positions.h"

#include <array>
#include <cmath>
#include <utility>

#include "chart/house_systems.h"
#include "chart/point_catalogue.h"
#include "ephemeris/angles.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

// A value outside one turn (only possible from a fault elsewhere) is brought back so that the sign
// number always names a sign.
double WithinOneTurn(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= 0 && value < 360) return value;
    const double reduced = Norm360(value);
    return reduced >= 360 ? 0 : reduced;
}

// Rounds to hundredths, removing the noise of I / 30 * 30.
double R2(double x) {
    return Int(x * 100.0 + 0.5) / 100.0;
}

// The sign and its degrees of a whole degree, as the reports always split it (through a thirtieth of the
// degree and back, rounded to hundredths). Int is the floor, which for the non-negative values here is
// the conversion to a whole number; written so, the split of each of the 360 degrees is worked out once,
// by the compiler, with the same arithmetic.
constexpr double FloorOfNonNegative(double x) {
    return static_cast<double>(static_cast<long long>(x));
}

constexpr std::pair<int, int> SplitOfWholeDegree(double whole) {
    const double sign = FloorOfNonNegative(whole / 30.0);
    const double scaled = (whole / 30.0 - sign) * 30.0;
    const double rounded = FloorOfNonNegative(scaled * 100.0 + 0.5) / 100.0;
    return {static_cast<int>(sign) + 1, static_cast<int>(FloorOfNonNegative(rounded))};
}

constexpr std::array<std::pair<int, int>, 360> kWholeDegreeSplits = [] {
    std::array<std::pair<int, int>, 360> splits{};
    for (int d = 0; d < 360; ++d) splits[static_cast<std::size_t>(d)] = SplitOfWholeDegree(d);
    return splits;
}();

void SplitSignAndDegrees(double v, SplitPosition& out) {
    const double whole = Int(v);
    if (whole >= 0 && whole < 360) {
        const auto [sign, degrees] = kWholeDegreeSplits[static_cast<std::size_t>(whole)];
        out.SignNumber = sign;
        out.SignDegrees = degrees;
        return;
    }
    out.SignNumber = static_cast<int>(Int(whole / 30.0)) + 1;
    out.SignDegrees = static_cast<int>(Int(R2((whole / 30.0 - Int(whole / 30.0)) * 30.0)));
}

std::string TwoDigits(int n) {
    if (n >= 0 && n < 100) return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    return Format(n, "00");
}

// The rows of a positions table: Sun, Moon, Mercury to Pluto, North Node, Part of Fortune, Ascendant,
// Midheaven. The South Node is never listed.
constexpr int kTableOrder[] = {kSun,       kMoon,          kMercury,   kVenus,    kMars,
                               kJupiter,   kSaturn,        kUranus,    kNeptune,  kPluto,
                               kNorthNode, kPartOfFortune, kAscendant, kMidheaven};

std::string HouseSlot(const std::string& houseText, int p) {
    const auto start = static_cast<std::size_t>(10 * (p - 1));
    std::string slot = houseText.size() >= start + 10 ? houseText.substr(start, 10) : std::string();
    slot.resize(10, ' ');
    return slot;
}

struct TableRowSource {
    double lon;
    double decl;
    char retro;
    const std::string* houseText;  // null: sixteen blanks instead of the house column
    double solstice;
    const double* eclLat;  // null: no latitude column
};

std::string PositionsRow(int p, const TableRowSource& src) {
    std::string line;
    line.reserve(96);
    line += "  ";
    line += LongPosition(src.lon);
    line += "   ";
    line += PointNameField(p);
    line += src.retro;
    line += "    ";
    if (src.houseText) {
        line += '(';
        line += HouseSlot(*src.houseText, p);
        line += ")    ";
    } else {
        line.append(16, ' ');
    }
    line += DeclinationText(src.decl);
    line += "   ";
    line += ShortPosition(src.solstice);
    if (src.eclLat) {
        line += "   ";
        line += DeclinationText(*src.eclLat);
    }
    return line;
}

std::string Legend(bool withLatitude) {
    std::string legend = std::string(51, ' ') + "Decl." + std::string(3, ' ') + "Solstice Pt";
    if (withLatitude) legend += "    Lat.";
    return legend;
}

char FlagOf(const std::string& flags, int p) {
    const auto i = static_cast<std::size_t>(p - 1);
    return i < flags.size() ? flags[i] : ' ';
}

std::string PlaceLine(const std::string& headerDate, double zone, double clock, const std::string& amPm,
                      double latitude, const std::string& northSouth, double longitude,
                      const std::string& eastWest) {
    return "  " + headerDate + "    TZ = " + Format(zone, "##0.0") + "      " + Format(clock, "#0.00") + " " +
           amPm + "   " + Format(std::fabs(latitude), "##0.00") + " " + northSouth + "    " +
           Format(std::fabs(longitude), "##0.00") + " " + eastWest;
}

// The four special points in two lines, after a blank line.
void WriteSpecialPointLines(double vertex, double equatorialAsc, double coAsc, double polarAsc,
                            ReportBuffer& report) {
    report.AppendBlankLine();
    report.AppendLine("  Vertex       =  " + ShortPosition(vertex) + std::string(10, ' ') +
                      "Equatorial Ascendant =  " + ShortPosition(equatorialAsc));
    report.AppendLine("  Co-Ascendant =  " + ShortPosition(coAsc) + std::string(10, ' ') +
                      "Polar Ascendant      =  " + ShortPosition(polarAsc));
}

}  // namespace

SplitPosition SplitShort(double value) {
    const double v = WithinOneTurn(value);
    SplitPosition out;
    SplitSignAndDegrees(v, out);
    out.ArcMinutes = static_cast<int>(Int((v - Int(v)) * 60.0 + 0.5));
    if (out.ArcMinutes >= 60) out.ArcMinutes = 59;
    return out;
}

SplitPosition SplitLong(double value) {
    const double v = WithinOneTurn(value);
    SplitPosition out;
    SplitSignAndDegrees(v, out);
    const double minutes = (v - Int(v)) * 60.0;
    out.ArcMinutes = static_cast<int>(Int(minutes));
    out.ArcSeconds = static_cast<int>(Int((minutes - out.ArcMinutes) * 60.0));
    return out;
}

std::string ShortPosition(double longitude) {
    const SplitPosition s = SplitShort(longitude);
    std::string text = TwoDigits(s.SignDegrees);
    text += ' ';
    text += SignAbbrevField(s.SignNumber);
    text += ' ';
    text += TwoDigits(s.ArcMinutes);
    return text;
}

std::string LongPosition(double longitude) {
    const SplitPosition s = SplitLong(longitude);
    std::string text = TwoDigits(s.SignDegrees);
    text += ' ';
    text += SignAbbrevField(s.SignNumber);
    text += ' ';
    text += TwoDigits(s.ArcMinutes);
    text += "m ";
    text += TwoDigits(s.ArcSeconds);
    text += 's';
    return text;
}

std::string DeclinationText(double declination) {
    const SplitPosition s = SplitShort(std::fabs(declination));
    std::string text = TwoDigits(s.SignDegrees);
    text += declination >= 0 ? " N " : " S ";
    text += TwoDigits(s.ArcMinutes);
    return text;
}

double SolsticePoint(double longitude, const Options& options) {
    // Mirror signs across the solstice axis (Cancer/Capricorn) or the equinox axis (Aries/Libra).
    constexpr int kSolsticeMirror[13] = {0, 6, 5, 4, 3, 2, 1, 12, 11, 10, 9, 8, 7};
    constexpr int kEquinoxMirror[13] = {0, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    double v = longitude;
    while (v >= 30) v -= 30;
    const int sign = SplitShort(longitude).SignNumber;
    const int mirror = !options.solsticeAcrossEquinox() ? kSolsticeMirror[sign] : kEquinoxMirror[sign];
    const double value = (mirror - 1) * 30.0 + (30.0 - v);
    const double reduced = Norm360(value);
    return reduced >= 360 ? 0 : reduced;
}

void WriteNatalHeaderShort(const Chart& natal, const RegionalFormat& regional, ReportBuffer& report) {
    const BirthHeading h = HeadingOf(natal.birth);
    report.AppendLine("  " + natal.birth.name);
    report.AppendLine(PlaceLine(FormatDateDdMmmYyyy(h.date, regional), h.zone, h.clock, h.amPm, h.latitude,
                                h.northSouth, h.longitude, h.eastWest));
}

void WriteNatalHeader(const Chart& natal, const Chart& second, const RegionalFormat& regional,
                      ReportBuffer& report) {
    report.AppendBlankLine();
    WriteNatalHeaderShort(natal, regional, report);
    report.AppendLine("  Diurnal date = " + FormatDateDdMmmYyyy(HeadingOf(second.birth).date, regional));
}

void WriteDiurnalHeader(const Chart& second, const RegionalFormat& regional, ReportBuffer& report) {
    const BirthHeading h = HeadingOf(second.birth);
    report.AppendLine(PlaceLine(FormatDateDdMmmYyyy(h.date, regional), h.zone, h.clock, h.amPm, h.latitude,
                                h.northSouth, h.longitude, h.eastWest));
}

namespace {

void WritePositionsTable(const PointArray& lon, const PointArray& decl, const std::string& retroFlags,
                         const std::string& houseText, const PointArray& solsticePt, const PointArray& eclLat,
                         ReportBuffer& report) {
    report.AppendBlankLine();
    for (int p : kTableOrder) {
        const auto i = static_cast<std::size_t>(p);
        const TableRowSource src{lon[i],     decl[i],       FlagOf(retroFlags, p),
                                 &houseText, solsticePt[i], p <= kMoon ? &eclLat[i] : nullptr};
        report.AppendLine(PositionsRow(p, src));
    }
    report.AppendLine(Legend(true));
}

}  // namespace

void WriteNatalPositions(const Chart& chart, ReportBuffer& report) {
    WritePositionsTable(chart.Lon, chart.Decl, chart.RetroFlags, chart.HouseText, chart.SolsticePt,
                        chart.EclLat, report);
}

void WriteSpecialPoints(const Chart& natal, const Options& options, ReportBuffer& report) {
    WriteHouseCusps(natal.houseSystem, natal.Cusp, report);
    WriteSpecialPointLines(natal.Vertex(), natal.EquatorialAsc(), natal.CoAsc(), natal.PolarAsc(), report);
    WriteNatalPositions(natal, report);
    report.AppendBlankLine();
    report.AppendLine("  " + LongPosition(natal.TrueNode) + "   TRUE NORTH NODE" + std::string(16, ' ') +
                      DeclinationText(natal.TrueNodeDecl) + "   " +
                      ShortPosition(SolsticePoint(natal.TrueNode, options)));
}

void WriteTransitPositionsPage(const Chart& second, const Options& options, const RegionalFormat& regional,
                               const SecondInputTexts& diurnal, ReportBuffer& report) {
    const bool secondPerson = diurnal.secondPerson;
    report.AppendBlankLine();
    report.AppendLine(secondPerson ? "  " + diurnal.secondPersonName + "'s NATAL POSITIONS"
                                   : std::string("  TRANSIT POSITIONS"));
    WriteDiurnalHeader(second, regional, report);

    WriteHouseCusps(second.houseSystem, second.Cusp, report);
    if (secondPerson) {
        WriteSpecialPointLines(second.Vertex(), second.EquatorialAsc(), second.CoAsc(), second.PolarAsc(),
                               report);
    }
    report.AppendBlankLine();
    for (int p : kTableOrder) {
        const auto i = static_cast<std::size_t>(p);
        // The solstice points with the options of the page, which may have changed since the computation.
        const TableRowSource src{second.Lon[i],
                                 second.Decl[i],
                                 FlagOf(second.RetroFlags, p),
                                 secondPerson ? &second.HouseText : nullptr,
                                 SolsticePoint(second.Lon[i], options),
                                 nullptr};
        report.AppendLine(PositionsRow(p, src));
    }
    report.AppendLine(Legend(false));
}

}  // namespace talvenor
