#include "chart/house_systems.h"

#include <cmath>
#include <string>

#include "chart/chart_time.h"
#include "chart/point_catalogue.h"
#include "chart/positions.h"
#include "text/basic_text.h"

namespace talvenor {

namespace {

double Reduce(double x) {
    return x - 360.0 * Int(x / 360.0);
}

}  // namespace

const HouseSystemEntry& HouseSystemEntryOf(HouseSystem system) {
    for (const HouseSystemEntry& e : kHouseSystems) {
        if (e.system == system) return e;
    }
    return kHouseSystems[0];
}

std::optional<HouseSystem> HouseSystemOfKnownCode(std::string_view code) {
    for (const HouseSystemEntry& e : kHouseSystems) {
        if (e.code == code) return e.system;
    }
    return std::nullopt;
}

HouseSystem HouseSystemOfCode(std::string_view code) {
    return HouseSystemOfKnownCode(code).value_or(HouseSystem::Regiomontanus);
}

std::string_view CodeOfHouseSystem(HouseSystem system) {
    return HouseSystemEntryOf(system).code;
}

HouseSystem HouseSystemForOption(float option27) {
    for (const HouseSystemEntry& e : kHouseSystems) {
        if (e.option27 == option27) return e.system;
    }
    return HouseSystem::Placidus;
}

HouseSystem HouseSystemOfMenuCode(std::string_view code) {
    return HouseSystemOfKnownCode(code).value_or(HouseSystem::Placidus);
}

EngineStatus ComputeHouseCusps(ChartState& chart) {
    // The angles as the time routine left them, which leaves minus the obliquity behind.
    LocalAngles angles;
    angles.RamcRad = chart.RamcRad;
    angles.ObliquityRad = -chart.ObliquityRad;
    angles.Angles.Ascendant = chart.Ascendant;
    angles.Angles.Midheaven = chart.Midheaven;
    angles.Angles.AuxLatitudeRad = chart.AuxLatitudeRad;
    const bool natal = chart.ChartSelector == kSelectNatal;
    const Place place =
        PlaceOfInput(natal ? chart.NatalLongitude : chart.DiurnalLongitude,
                     natal ? chart.NatalLatitude : chart.DiurnalLatitude, chart.NatalNorthSouth);
    const HouseCusps cusps = CuspsFor(angles, place, HouseSystemOfCode(chart.HouseSystemCode));
    for (std::size_t h = 1; h <= 12; ++h) chart.HouseCusp[h] = cusps.Cusp[h];
    return cusps.Status;
}

void PlaceHouses(ChartState& chart) {
    PlaceHouses(chart.PointLon, chart.HouseCusp, chart.PointHouseText);
}

void PlaceHouses(const PointArray& points, const CuspArray& cusp, std::string& text) {
    if (text.size() < kHouseTextLength) text.resize(kHouseTextLength, ' ');
    for (std::size_t p = 1; p <= kPointCount; ++p) {
        const std::size_t slot = 10 * (p - 1);
        // One tenth of an arc second, so that a point on a cusp opens the house. Reduced again, so that a
        // point just below 360 lands at the start of the circle instead of in no house.
        const double lon = Reduce(points[p] + 1.0 / 36000.0);
        // Of overlapping houses (cusps out of order), the last one counts; a point in no house keeps the
        // label it had.
        for (std::size_t h = 12; h >= 1; --h) {
            const double from = cusp[h];
            const double to = cusp[h == 12 ? 1 : h + 1];
            const bool inside = to >= from ? (from <= lon && lon < to) : (from <= lon || lon < to);
            if (inside) {
                text.replace(slot, 4, HouseLabelField(static_cast<int>(h)));
                break;
            }
        }
        text.replace(slot + 4, 6, " HOUSE");
    }
}

const char* HouseSystemReportName(std::string_view code) {
    return HouseSystemEntryOf(HouseSystemOfCode(code)).reportName;
}

bool LatitudeTooHighForHouses(const Birth& birth) {
    // Degrees and minutes as given, read with the leading-number rule.
    const double degrees = birth.latitudeDegrees.value;
    const double minutes = birth.latitudeMinutes.value;
    if (degrees > 66.0 || (degrees == 66.0 && minutes > 0.0)) return true;
    // The typed fields hold digits only, but the options file can fill them with a negative degree
    // value, which the transfer turns into a latitude of that size all the same.
    return degrees < 0.0 && std::fabs(degrees + minutes / 100.0) > 66.0;
}

bool HouseLatitudeRefused(const Birth& natal, const Birth& second, HouseSystem checked) {
    // Meridian and Morinus do not use the latitude at all.
    if (!HouseSystemEntryOf(checked).usesLatitude) return false;
    return LatitudeTooHighForHouses(natal) || LatitudeTooHighForHouses(second);
}

void WriteHouseCusps(HouseSystem system, const CuspArray& cusps, ReportBuffer& report) {
    report.AppendBlankLine();
    report.AppendLine(std::string("  HOUSE CUSPS - ") + HouseSystemEntryOf(system).reportName);
    for (int row = 0; row < 4; ++row) {
        std::string line;
        for (int column = 0; column < 3; ++column) {
            const int h = 3 * row + column + 1;
            line += column == 0 ? "  " : " ";
            line += HouseLabelField(h);
            line += " house = ";
            line += ShortPosition(cusps[static_cast<std::size_t>(h)]);
        }
        report.AppendLine(line);
    }
}

}  // namespace talvenor
