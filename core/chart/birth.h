// One birth (or the second chart's moment and place) as a value: read once from where it came from, checked
// once, and handed to the chart computation.
//
// Each source has its parser: the input windows' texts (BirthFromWindow, input/window_birth.h), a
// names-file record and the report tool's records (ReadRecordBirth, datafiles/name_record.h), an exchange
// file's record (ConvertBirth, exchange/exchange_births.h). The check (CheckBirths, input/input_checks.h)
// returns its faults instead of showing them.
//
// Units are those of the input windows: a civil date; a clock time on the 12-hour clock with A.M. or
// P.M.; the zone in hours west of Greenwich (east negative); longitude and latitude as whole degrees and
// minutes of arc with their directions.
#pragma once

#include <cstdint>
#include <string>

#include "environment/regional_format.h"

namespace talvenor {

// A number of a birth, with what the check must know of how it was given: a window's box may be empty
// or hold a text that is not one number ("1.2.3", "5-"), which the check refuses. A record's numbers are
// always given.
struct BirthNumber {
    double value = 0;   // the number the leading-number rule reads (0 for an empty box)
    bool given = true;  // false for an empty box
    bool whole = true;  // the whole text is the number: no rubbish after it, no exponent
    friend bool operator==(const BirthNumber&, const BirthNumber&) = default;
};

// A number given as exactly itself.
inline BirthNumber GivenNumber(double value) {
    return {value, true, true};
}

struct Birth {
    std::string name;
    BirthNumber year, month, day;
    BirthNumber hour, minute;  // 12-hour clock: 1 to 12
    bool pm = false;
    BirthNumber zone;  // hours west of Greenwich, east negative
    BirthNumber longitudeDegrees, longitudeMinutes;
    bool east = false;
    BirthNumber latitudeDegrees, latitudeMinutes;
    bool south = false;
    // The date as the chart state keeps it: day, month and year joined with "/" in the regional order,
    // as typed (blanks dropped, a year of one or two digits written with four).
    std::string dateText;
    // Whether the date's numbers, written out, read back as the very date they give: false for a sign,
    // a fraction or any text a date cannot be read from ("+5", "3.5"), which the check refuses.
    bool dateReadsBack = true;
    // Where the birth came from, for messages: "the natal window", "names file NAMES.FIL, line 3",
    // "--natal". Not part of the birth's value.
    std::string source;

    friend bool operator==(const Birth& a, const Birth& b) {
        return a.name == b.name && a.year == b.year && a.month == b.month && a.day == b.day &&
               a.hour == b.hour && a.minute == b.minute && a.pm == b.pm && a.zone == b.zone &&
               a.longitudeDegrees == b.longitudeDegrees && a.longitudeMinutes == b.longitudeMinutes &&
               a.east == b.east && a.latitudeDegrees == b.latitudeDegrees &&
               a.latitudeMinutes == b.latitudeMinutes && a.south == b.south && a.dateText == b.dateText &&
               a.dateReadsBack == b.dateReadsBack;
    }
};

// The input windows a fault belongs to: the natal window, or the diurnal window of the second chart.
enum class BirthWindow { Natal, Diurnal };

// The field of a window a fault is about (None for one that concerns the whole birth).
enum class BirthField {
    None,
    Name,
    Month,
    Day,
    Year,
    Hour,
    Minute,
    Zone,
    LongitudeDegrees,
    LongitudeMinutes,
    LatitudeDegrees,
    LatitudeMinutes
};

// The packed forms the time routine takes, in single precision as the chart state holds them: the clock
// time as hours + minutes/100, the longitude as degrees + minutes/100 (west positive), the latitude the
// same (north positive).
float PackedClockTime(const Birth& birth);
float PackedLongitude(const Birth& birth);
float PackedLatitude(const Birth& birth);

// A birth as the page headers print it: the date as read once from its numbers (rounded to 16-bit
// integers), the packed clock time, zone and place in single precision, and the A.M./P.M., NORTH/SOUTH and
// WEST/EAST words (the word follows the sign, so 0 degrees 00 is WEST and NORTH whichever direction was
// chosen).
struct BirthHeading {
    CivilDate date;
    float clock = 0, zone = 0, longitude = 0, latitude = 0;
    std::string amPm, eastWest, northSouth;
};
BirthHeading HeadingOf(const Birth& birth);

}  // namespace talvenor
