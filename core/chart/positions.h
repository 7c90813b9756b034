// Position formats, solstice points, chart headers and the positions tables.
#pragma once

#include <string>

#include "chart/chart.h"
#include "chart/chart_tables.h"
#include "chart/input_texts.h"
#include "environment/options.h"
#include "environment/regional_format.h"
#include "report/report_buffer.h"

namespace talvenor {

// A longitude split into sign, degrees within the sign, minutes and seconds.
struct SplitPosition {
    int SignNumber = 1;   // 1 Aries .. 12 Pisces
    int SignDegrees = 0;  // whole degrees within the sign
    int ArcMinutes = 0;
    int ArcSeconds = 0;
};

// Minutes rounded, and 59 where they would round to 60 (never carried into the degrees).
SplitPosition SplitShort(double value);
// Minutes and seconds truncated.
SplitPosition SplitLong(double value);

// "05 ARI 07"
std::string ShortPosition(double longitude);
// "05 ARI 07m 42s"
std::string LongPosition(double longitude);
// "23 N 26" / "00 S 30": declinations and ecliptic latitudes.
std::string DeclinationText(double declination);

// The mirror point of a longitude across the solstice axis (option 167 at 0) or the equinox axis.
double SolsticePoint(double longitude, const Options& options);

// Which chart a positions table shows.
enum class PositionsTable { Natal, Diurnal };

// The natal header: a blank line, the name, the date/zone/time/place line of the natal birth and the date of
// the second birth.
void WriteNatalHeader(const Chart& natal, const Chart& second, const RegionalFormat& regional,
                      ReportBuffer& report);
// The name line and the date/zone/time/place line only.
void WriteNatalHeaderShort(const Chart& natal, const RegionalFormat& regional, ReportBuffer& report);
// The date/zone/time/place line of the second birth.
void WriteDiurnalHeader(const Chart& second, const RegionalFormat& regional, ReportBuffer& report);

// The natal positions table (a blank line, fourteen rows and the legend) of a chart: Lon, RetroFlags,
// HouseText, Decl, SolsticePt and, for Sun and Moon, EclLat.
void WriteNatalPositions(const Chart& chart, ReportBuffer& report);
// The special points block of the natal data page: the house cusps, the four special points, the natal
// positions table and the true node line of the natal chart.
void WriteSpecialPoints(const Chart& natal, const Options& options, ReportBuffer& report);
// The transit positions page (or the second person's natal positions).
// The date line, the house cusps, the special points (second person only) and the positions are the
// second chart's.
void WriteTransitPositionsPage(const Chart& second, const Options& options, const RegionalFormat& regional,
                               const SecondInputTexts& diurnal, ReportBuffer& report);

}  // namespace talvenor
