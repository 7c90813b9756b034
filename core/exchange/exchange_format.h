// What the readers and writers of the three exchange formats share: the births a file gives, and one
// birth written as a record of a format.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/exchange_births.h"

namespace talvenor {

struct SourceFile {
    std::vector<SourceBirth> births;  // in file order, the refused ones with their fault
    std::vector<std::string> notes;   // about the file as a whole: what was not kept, and why
    std::string fault;                // the file is not of the format at all: nothing is read
};

struct WrittenBirth {
    std::string text;                // the record's bytes, lines ended with CR LF
    std::string refusal;             // why the birth cannot be written in the format
    std::vector<std::string> notes;  // what the format could not keep of it, one kind a text
};

// The lines of a decoded text (CR LF, LF or a CR alone end a line); the last line may be empty.
std::vector<std::string_view> TextLines(std::string_view text);

// The reader of a format, fed the lines of a file in order: it gives each birth as soon as the record is
// complete and holds no more than the record it is reading, so that a file of millions of births is read
// in little memory.
class BirthReader {
  public:
    using Sink = std::function<void(SourceBirth&&)>;
    virtual ~BirthReader() = default;
    // The next line (numbered from 1; `ended` false for the last line, which no line end follows).
    virtual void Line(std::string_view text, std::size_t number, bool ended, const Sink& give) = 0;
    // After the last line: the record still open, the notes about the file, and the fault when the file
    // turned out to be no file of the format.
    virtual void End(const Sink& give) = 0;
    // The file is not of the format at all, so that nothing of it is read; known after End, or as soon
    // as the reader can tell (a CSV header row without the columns needed).
    const std::string& Fault() const { return fault_; }
    // About the file as a whole: what was not kept, and why. Complete after End.
    const std::vector<std::string>& Notes() const { return notes_; }

  protected:
    std::string fault_;
    std::vector<std::string> notes_;
};

std::unique_ptr<BirthReader> AafReader();
std::unique_ptr<BirthReader> QuickChartReader();
std::unique_ptr<BirthReader> CsvReader(const RegionalFormat& regional);

// A whole decoded text through a reader, for texts at hand in memory.
SourceFile ReadWith(BirthReader& reader, std::string_view text);

// AAF: records of an #A93 chunk (last name, first name, type, date d.m.y, time, place, country) and a
// #B93 chunk (Julian day in UT, latitude "49n05", longitude "8e11", zone "1he00", time type 0 standard,
// 1 summer, 2 or D double summer, h half an hour, L or m local mean time); "*" for what is unknown.
// Read leniently: both name fields or the whole name in either, the type field left out, "#:" comment
// lines, line breaks inside a chunk, chunks of any case. A date marked "j" ("1.1.1500j") is one of the
// Julian calendar: up to 1582 October 15 the program counts dates in that calendar as well; a later
// one is turned into the Gregorian date of the same day. #ZNAM gives the zone's abbreviation ("LMT" is
// local mean time); every other chunk (#COM, #SRC ...) is left out with a note, since a names file has no
// field for it.
SourceFile ReadAafText(std::string_view text);
// "#A93:Ferber,Tobias,*,27.9.1970,11:04,*,*" and "#B93:2440857.920833,49n05,8e11,1he00,0": the name split
// at its last blank (at its comma, written "Last, First"), the zone with its sign as a direction, local
// mean time as "*" with type L.
WrittenBirth AafRecord(const ExportBirth& birth);

// Quick*Chart: one birth a line of fixed columns: name (1-23), month "JAN" (24-26), day (27-29), a
// separator, year (31-35), time "hh:mm:ss AM" (36-47), zone abbreviation (48-50), correction "+05:00"
// (51-56) with UT = local time + correction, longitude "006E54'00" (57-65), latitude "52N13'00"
// (67-74), place (76-100). "LMT" as the abbreviation is local mean time. The format counts its columns
// in bytes; a line of UTF-8 whose bytes do not put the columns in their places is read by its characters,
// as some programs lay such lines out (and as Windows-1252 lines, decoded, are read).
SourceFile ReadQuickChartText(std::string_view text);
// The line as above, 100 bytes: in Windows-1252 where the name's characters allow it, else in UTF-8
// (the name cut and padded in bytes); the name cut to 23 and the zone to the minute, with a note. The
// first line of a file (`firstLine`) never begins with the bytes of a UTF-8 byte-order mark.
WrittenBirth QuickChartRecord(const ExportBirth& birth, bool firstLine = false);

// CSV with a header row naming the columns in any order: name (or first and last name), date, time, zone,
// longitude, latitude, place, and optionally dst (the daylight-saving hours to add to the zone) and
// country; separated by commas, semicolons or tabs (the header shows which), fields in double quotes as
// spreadsheets write them. With a separator other than the comma, numbers (zone, dst, positions) may have
// a decimal comma ("8,7"). Dates ISO or d.m.y or with a month name; times on the 24-hour clock or with
// AM/PM; zones as offsets east of UT ("UTC+01:00", "+1", "-05:30") or zone ids ("Europe/Berlin"), an empty
// zone looked up from the place; positions with a direction letter ("008E11") or as decimal degrees, east
// and north positive.
SourceFile ReadCsvText(std::string_view text, const RegionalFormat& regional);
inline constexpr std::string_view kCsvHeader = "name,date,time,zone,longitude,latitude,place";
// True when a line, read as a CSV header row, names every column a birth needs.
bool NamesCsvColumns(std::string_view line);
// "Tobias Ferber,1970-09-27,11:04,UTC+01:00,008E11,49N05,": fields quoted where they must be.
WrittenBirth CsvRecord(const ExportBirth& birth);

}  // namespace talvenor
