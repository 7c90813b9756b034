// One birth on its way between an exchange file and a names file.
//
// Coming in, a reader of a format fills a SourceBirth with what the record says, in plain units; the
// conversion turns it into the names file's convention: the 12-hour clock with A or P, the zone in hours
// west of Greenwich with any daylight-saving amount folded in, longitude and latitude as degrees.minutes,
// west and north positive, times and positions rounded to the minute. A record that cannot be converted
// is refused with its reason, never passed over.
//
// Going out, a names-file record is read as a click on the name reads it, into an ExportBirth.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "atlas/zone_readings.h"
#include "chart/birth.h"
#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "environment/regional_format.h"
#include "environment/year_rule.h"
#include "exchange/exchange_fields.h"
#include "exchange/place_zones.h"

namespace talvenor {

// The years the program computes charts for.
inline constexpr int kFirstYear = kFirstComputedYear;
inline constexpr int kLastYear = kLastComputedYear;

struct SourceBirth {
    std::size_t line = 0;  // the line of its file the record begins on
    std::string name;
    std::string dateText;  // as written, for the messages
    std::optional<CivilDate> date;
    bool calendarChanged = false;     // given in the Julian calendar for a day the program counts in the
                                      // Gregorian: `date` is that day's Gregorian date
    std::optional<ClockTime> clock;   // local clock time
    std::optional<int> zoneEast;      // the zone as given, seconds east of UT
    std::optional<int> daylight;      // the daylight-saving amount to add to it; none when not said
    bool meanTime = false;            // the clock keeps the local mean time of the place
    std::optional<double> julianDay;  // the moment as a Julian day in UT, when given
    std::string zoneId;               // an IANA zone id ("Europe/Berlin")
    std::string abbreviation;         // a zone abbreviation ("CET", "EDT", "LMT")
    std::optional<double> latitude;   // degrees, north positive
    std::optional<double> longitude;  // degrees, east positive
    std::string place;                // the birthplace as written
    std::string fault;                // a field that could not be read: the record is refused for it
};

// Where zones come from when a record gives none: the system's time-zone database and the world atlas.
// Either may be missing; a record that needs it is then refused with the reason.
struct ZoneSources {
    ZoneDatabase* zones = nullptr;
    PlaceZoneFinder* places = nullptr;
};

// How the zone of a converted record was found.
enum class ZoneOrigin { Given, MeanTime, JulianDay, ZoneId, Place };

struct BirthConversion {
    std::optional<NameRecord> record;
    std::optional<Birth> birth;         // the record read back as the names file gives it, checked
    std::string refusal;                // why there is no record
    std::vector<std::string> warnings;  // converted, but worth a look
    ZoneOrigin origin = ZoneOrigin::Given;
    std::string zoneDetail;  // the zone id and place when the database gave the zone
    bool timeRounded = false;
    bool positionRounded = false;
};

// The one rule for control characters in the texts a names file takes from another program (only the
// name is taken as text; every other field is written by this program): a tab, an escape, a bell, DEL
// or a C1 control would reach every page, table and terminal the name is written to, so each becomes a
// blank, and the blanks this leaves at the ends go (`blanked` then says so). A line break is kept for the
// conversion to refuse: it says that the record's structure broke (a CSV quote left open), and a blank
// in its place would join two records into one name.
struct NameWithoutControls {
    std::string text;
    bool blanked = false;
};
NameWithoutControls NameForNamesFile(std::string name);
// The warning an import gives for such a name.
inline constexpr const char* kControlCharactersBlanked =
    "the name held control characters (a tab, an escape or the like), which were replaced by blanks";

// The record the names file takes for a birth, with the regional month names of "Save to disk". The
// zone: as given plus the daylight-saving amount; for local mean time the longitude's (4 seconds of time
// a minute of arc); else from the Julian day (the clock time minus UT); else from the zone id, or from
// the place in the world atlas, through the time-zone database. When the Julian day is given as well and
// differs from the date, time and zone by more than a minute, a warning says so and the date, time and
// zone are kept. Control characters in the name become blanks (NameForNamesFile), with a warning.
// Refused: no name or one the names file cannot hold (a line break, a leading double
// quote, a quote and a comma, too long), no date, a year outside 1 to 2099, no time, no position, no zone,
// a zone outside 14 hours east to 12 west, a zone more than two hours east with a western longitude short
// of 150 degrees west (the program takes that for a sign the wrong way round; beyond it lie Samoa, Tonga
// and the other islands east of the date line), or any other record the input checks refuse.
// A zone given without its daylight-saving amount (AAF's time type "*") is the clock's whole offset when
// the record gives a Julian day as well, which then only checks it.
BirthConversion ConvertBirth(const SourceBirth& birth, ZoneSources& sources, const RegionalFormat& regional);

struct ExportBirth {
    std::size_t line = 0;
    std::string name;
    CivilDate date;
    int hour = 0;  // 24-hour clock
    int minute = 0;
    double zoneHours = 0;  // west positive, as stored
    int longitudeEastMinutes = 0;
    int latitudeNorthMinutes = 0;

    // The zone as an offset east of UT in seconds, to the nearest second.
    int OffsetEastSeconds() const;
    // True when the zone is the local mean time of the longitude (as the names file writes it, to four
    // decimals of an hour) and no whole quarter hour, so that a zone that merely equals a meridian's mean
    // time stays a zone.
    bool IsMeanTime() const;
    // The moment as a Julian day in UT; local mean time from the longitude itself.
    double JulianDay() const;
};

struct ExportReading {
    std::optional<ExportBirth> birth;
    std::string refusal;
    std::vector<std::string> notes;  // what was changed on the way out
};

// A names-file record read as a click on the name fills the natal window, refused where the window would
// refuse it or the chart computation's input checks would. A name edited by hand to hold control
// characters goes out with blanks in their place (NameForNamesFile), and a note says so.
ExportReading ReadExportBirth(const NumberedRecord& record, const RegionalFormat& regional);

// The moment of a civil date and clock time as a Julian day, before any zone: the day number of the
// calendar the charts are computed in, from midnight.
double LocalJulianDay(const CivilDate& date, int hour, int minute, double second);

// "5°27'E", "49°05'N", as the reports name a position in messages.
std::string PositionText(int minutes, char positive, char negative);

}  // namespace talvenor
