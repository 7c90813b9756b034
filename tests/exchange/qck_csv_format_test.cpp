// Quick*Chart lines and CSV rows read leniently and written strictly.
#include <gtest/gtest.h>

#include <string>

#include "environment/text_files.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

// Tobias Ferber as a Quick*Chart line: name (23), month, day, ",", year, time, zone, correction,
// longitude, latitude, place (25): 100 characters.
const std::string kFerberLine = std::string("Tobias Ferber          ") + "SEP" + " 27," + " 1970" +
                                "11:04:00 AM " + "CET" + "-01:00" + "008E11'00" + " " + "49N05'00" + " " +
                                "Kandel                   ";

ExportBirth FerberBirth() {
    ExportBirth b;
    b.name = "Tobias Ferber";
    b.date = {1970, 9, 27};
    b.hour = 11;
    b.minute = 4;
    b.zoneHours = -1;
    b.longitudeEastMinutes = 8 * 60 + 11;
    b.latitudeNorthMinutes = 49 * 60 + 5;
    return b;
}

TEST(QuickChartFormatTest, AFixedWidthLineReadsColumnByColumn) {
    ASSERT_EQ(kFerberLine.size(), 100u);
    const SourceFile file = ReadQuickChartText("\n" + kFerberLine + "\r\n\r\n");
    ASSERT_EQ(file.fault, "");
    ASSERT_EQ(file.births.size(), 1u);
    const SourceBirth& b = file.births[0];
    EXPECT_EQ(b.line, 2u);
    EXPECT_EQ(b.name, "Tobias Ferber");
    EXPECT_EQ(b.date, (CivilDate{1970, 9, 27}));
    EXPECT_EQ(b.clock, (ClockTime{11, 4, 0}));
    EXPECT_EQ(b.abbreviation, "CET");
    // UT = local time + correction: -01:00 is an hour east of UT.
    EXPECT_EQ(b.zoneEast, 3600);
    EXPECT_EQ(b.daylight, 0);
    EXPECT_NEAR(*b.longitude, 8 + 11 / 60.0, 1e-12);
    EXPECT_NEAR(*b.latitude, 49 + 5 / 60.0, 1e-12);
    EXPECT_EQ(b.place, "Kandel");
    EXPECT_EQ(b.fault, "");
}

TEST(QuickChartFormatTest, VariantsOfTheColumnsAreReadToo) {
    const auto line = [](std::string name, const char* date, const char* time, const char* zone,
                         const char* place) {
        name.append(23 - CharacterCount(name), ' ');  // columns count characters, not bytes
        return name + date + time + zone + "087W39'00 41N52'30 " + place;
    };
    const struct {
        std::string text;
        const char* name;
        std::optional<ClockTime> clock;
        std::optional<int> zoneEast;
        bool meanTime;
        const char* abbreviation;
        const char* place;
    } cases[] = {
        {line("Sample", "MAR 14, 1962", "10:15:00 PM ", "CST+06:00", "Chicago"), "Sample",
         ClockTime{22, 15, 0}, -6 * 3600, false, "CST", "Chicago"},
        {line("Lower", "mar 14, 1962", "00:15:00 AM ", "   +06:00", ""), "Lower", ClockTime{0, 15, 0},
         -6 * 3600, false, "", ""},
        // A program that wrote its own language's months.
        {line("Deutsch", "M\xC3\x84R 14, 1962", "10:15:00 PM ", "   +06:00", ""), "Deutsch",
         ClockTime{22, 15, 0}, -6 * 3600, false, "", ""},
        {line("Mean", "MAR 14, 1862", "10:15:00 AM ", "LMT+05:51", "x"), "Mean", ClockTime{10, 15, 0},
         std::nullopt, true, "LMT", "x"},
        {line("Blank", "MAR 14, 1962", "10:15:00 AM ", "EST      ", "New York"), "Blank",
         ClockTime{10, 15, 0}, std::nullopt, false, "EST", "New York"},
        // Columns count characters: a name with letters of two bytes keeps the columns after it.
        {line("Jos\xC3\xA9 Mu\xC3\xB1oz", "MAR 14, 1962", "10:15:00 PM ", "CST+06:00", "Chicago"),
         "Jos\xC3\xA9 Mu\xC3\xB1oz", ClockTime{22, 15, 0}, -6 * 3600, false, "CST", "Chicago"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SourceFile file = ReadQuickChartText(c.text);
        ASSERT_EQ(file.births.size(), 1u);
        const SourceBirth& b = file.births[0];
        EXPECT_EQ(b.fault, "");
        EXPECT_EQ(b.name, c.name);
        ASSERT_TRUE(b.date);
        EXPECT_EQ(b.date->month, 3);
        EXPECT_EQ(b.clock, c.clock);
        EXPECT_EQ(b.zoneEast, c.zoneEast);
        EXPECT_EQ(b.meanTime, c.meanTime);
        EXPECT_EQ(b.abbreviation, c.abbreviation);
        ASSERT_TRUE(b.latitude);
        EXPECT_NEAR(*b.latitude, 41 + 52 / 60.0 + 30 / 3600.0, 1e-12);
        EXPECT_EQ(b.place, c.place);
    }
    // The line may end after the latitude.
    const SourceFile shortLine = ReadQuickChartText(kFerberLine.substr(0, 74));
    EXPECT_EQ(shortLine.births.at(0).fault, "");
}

TEST(QuickChartFormatTest, UtfEightLinesAreReadByBytesWhereTheirBytesFitTheColumns) {
    // The format counts its columns in bytes, and so do programs writing it in UTF-8; some lay their
    // UTF-8 lines out in characters instead. Each line is read the way its columns fit.
    const auto line = [](const std::string& name, std::size_t nameWidth, const std::string& place,
                         std::size_t placeWidth) {
        return name + std::string(nameWidth - name.size(), ' ') + "MAR 14, 196210:15:00 PM CST+06:00" +
               "087W39'00 41N52'30 " + place + std::string(placeWidth - place.size(), ' ');
    };
    const std::string jose = "Jos\xC3\xA9 M\xC3\xBCller";        // 11 characters in 13 bytes
    const std::string zurich = "Z\xC3\xBCrich, Schw\xC3\xA9iz";  // 15 characters in 17 bytes
    const struct {
        const char* what;
        std::string text;
        const std::string& name;
        const char* place;
    } cases[] = {
        {"name padded in bytes", line(jose, 23, "Chicago", 25), jose, "Chicago"},
        {"name padded in characters", line(jose, 25, "Chicago", 25), jose, "Chicago"},
        {"place padded in bytes", line("Ann", 23, zurich, 25), "Ann", "Z\xC3\xBCrich, Schw\xC3\xA9iz"},
        {"place padded in characters", line("Ann", 23, zurich, 27), "Ann", "Z\xC3\xBCrich, Schw\xC3\xA9iz"},
        {"both in bytes", line(jose, 23, zurich, 25), jose, "Z\xC3\xBCrich, Schw\xC3\xA9iz"},
        {"both in characters", line(jose, 25, zurich, 27), jose, "Z\xC3\xBCrich, Schw\xC3\xA9iz"},
        {"ending after the latitude", line(jose, 23, "", 0).substr(0, 76), jose, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SourceFile file = ReadQuickChartText(c.text);
        ASSERT_EQ(file.births.size(), 1u);
        const SourceBirth& b = file.births[0];
        EXPECT_EQ(b.fault, "");
        EXPECT_EQ(b.name, c.name);
        EXPECT_EQ(b.date, (CivilDate{1962, 3, 14}));
        EXPECT_EQ(b.clock, (ClockTime{22, 15, 0}));
        EXPECT_EQ(b.zoneEast, -6 * 3600);
        EXPECT_EQ(b.abbreviation, "CST");
        ASSERT_TRUE(b.longitude);
        EXPECT_NEAR(*b.longitude, -(87 + 39 / 60.0), 1e-12);
        EXPECT_EQ(b.place, c.place);
    }
}

TEST(QuickChartFormatTest, LinesThatAreNoRecordSayWhy) {
    EXPECT_EQ(ReadQuickChartText("\n  \n").fault, "it holds no line of birth data");
    const auto replaced = [](std::size_t at, const std::string& by) {
        std::string line = kFerberLine;
        return line.replace(at, by.size(), by);
    };
    const struct {
        std::string text;
        const char* fault;
    } cases[] = {
        {kFerberLine.substr(0, 60),
         "the line has 60 characters; a Quick*Chart record has 74 up to the latitude"},
        {replaced(23, "XYZ"), "the date \"XYZ 27, 1970\" is not a date"},
        {replaced(30, " 19x0"), "the date \"SEP 27, 19x0\" is not a date"},
        {replaced(30, " 2100"), "the year 2100 is outside the years the program computes (1 to 2099)"},
        // A year in short could be any century: it is refused, not taken as the year 70.
        {replaced(30, "   70"),
         "the date \"SEP 27,   70\" gives the year in short: write it in full (1962, not 62; the year 62 as "
         "0062), "
         "for the years the program computes (1 to 2099)"},
        {replaced(35, "13:04:00 PM"), "the time \"13:04:00 PM\" is not a clock time"},
        {replaced(50, "-0x:00"), "the correction \"-0x:00\" is not an offset such as +05:00"},
        {replaced(56, "008X11'00"), "the longitude \"008X11'00\" is not a longitude such as 006E54'00"},
        {replaced(66, "49E05'00"), "the latitude \"49E05'00\" is not a latitude such as 52N13'00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SourceFile file = ReadQuickChartText(c.text);
        ASSERT_EQ(file.births.size(), 1u);
        EXPECT_EQ(file.births[0].fault, c.fault);
    }
    // A date that does not exist is no date; the conversion says so.
    const SourceFile february = ReadQuickChartText(replaced(23, "FEB 30"));
    EXPECT_FALSE(february.births.at(0).date);
    EXPECT_EQ(february.births.at(0).fault, "");
}

TEST(QuickChartFormatTest, LinesAreWrittenInTheirColumns) {
    std::string expected = kFerberLine;
    expected.replace(47, 3, "   ");                  // the names file keeps no zone abbreviation
    expected.replace(75, 25, std::string(25, ' '));  // nor a place
    EXPECT_EQ(QuickChartRecord(FerberBirth()).text, expected + "\r\n");
    EXPECT_TRUE(QuickChartRecord(FerberBirth()).notes.empty());

    ExportBirth cezanne = FerberBirth();
    cezanne.name = "Paul Cezanne";
    cezanne.date = {1839, 1, 19};
    cezanne.hour = 1;
    cezanne.minute = 0;
    cezanne.zoneHours = -0.3633;
    cezanne.longitudeEastMinutes = 5 * 60 + 27;
    cezanne.latitudeNorthMinutes = 43 * 60 + 31;
    EXPECT_EQ(QuickChartRecord(cezanne).text.substr(0, 75),
              "Paul Cezanne           JAN 19, 183901:00:00 AM LMT-00:22005E27'00 43N31'00 ");

    ExportBirth evening = FerberBirth();
    evening.name = "A name far longer than twenty-three characters";
    evening.hour = 23;
    evening.zoneHours = 5.75;
    evening.longitudeEastMinutes = -(122 * 60 + 5);
    evening.latitudeNorthMinutes = -(3 * 60 + 2);
    const WrittenBirth written = QuickChartRecord(evening);
    EXPECT_EQ(written.text.substr(0, 75),
              "A name far longer than SEP 27, 197011:04:00 PM    +05:45122W05'00 03S02'00 ");
    EXPECT_EQ(written.notes, std::vector<std::string>{"names cut to the 23 characters of the name column"});

    ExportBirth amsterdam = FerberBirth();
    amsterdam.zoneHours = -0.3256;
    EXPECT_EQ(QuickChartRecord(amsterdam).text.substr(47, 9), "   -00:20");
    EXPECT_EQ(QuickChartRecord(amsterdam).notes,
              std::vector<std::string>{"zones cut to the minute of the correction column"});
}

TEST(QuickChartFormatTest, EveryLineIsAHundredBytesInItsEncoding) {
    // Windows-1252 where the name allows it, else UTF-8 with the name cut and padded in bytes, never
    // inside a character.
    const struct {
        const char* name;
        const char* column;  // the name column's 23 bytes
        std::vector<std::string> notes;
    } cases[] = {
        {"José Müller",
         "Jos\xE9"
         " M\xFC"
         "ller            ",
         {}},
        {"Łukasz Żak",
         "Łukasz Żak           ",
         {"lines written in UTF-8, since their characters are not all in Windows-1252 or their Windows-1252 "
          "bytes would read as UTF-8"}},
        // 23 bytes end inside the "ł": it goes, and a blank takes its byte.
        {"Łukasz Żak Anna Żółć",
         "Łukasz Żak Anna Żó ",
         {"names in UTF-8 cut to the 23 bytes of the name column",
          "lines written in UTF-8, since their characters are not all in Windows-1252 or their Windows-1252 "
          "bytes would read as UTF-8"}},
        {"Müller-Lüdenscheidt-Schön",
         "M\xFC"
         "ller-L\xFC"
         "denscheidt-Sch",
         {"names cut to the 23 characters of the name column"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportBirth birth = FerberBirth();
        birth.name = c.name;
        const WrittenBirth written = QuickChartRecord(birth);
        EXPECT_EQ(written.text.size(), 102u);
        EXPECT_EQ(written.text.substr(0, 23), c.column);
        EXPECT_EQ(written.text.substr(23), kFerberLine.substr(23, 24) + "   " + kFerberLine.substr(50, 25) +
                                               std::string(25, ' ') + "\r\n");
        EXPECT_EQ(written.notes, c.notes);
    }
}

TEST(CsvFormatTest, ColumnsAreFoundByTheHeaderInAnyOrder) {
    const std::string text =
        "Latitude;Longitude;Place;Time;Date;Zone;Name;Remark\r\n"
        "49N05;008E11;Kandel;11:04;1970-09-27;UTC+01:00;Tobias Ferber;coder\r\n"
        "\r\n"
        "43.5167;5.45;Aix;01:00;19.1.1839;LMT;\"Cezanne; Paul\";\r\n";
    const SourceFile file = ReadCsvText(text, RegionalFormat{});
    ASSERT_EQ(file.fault, "");
    ASSERT_EQ(file.births.size(), 2u);
    const SourceBirth& ferber = file.births[0];
    EXPECT_EQ(ferber.line, 2u);
    EXPECT_EQ(ferber.name, "Tobias Ferber");
    EXPECT_EQ(ferber.date, (CivilDate{1970, 9, 27}));
    EXPECT_EQ(ferber.zoneEast, 3600);
    EXPECT_EQ(ferber.daylight, 0);
    EXPECT_EQ(ferber.place, "Kandel");
    EXPECT_NEAR(*ferber.longitude, 8 + 11 / 60.0, 1e-12);
    const SourceBirth& cezanne = file.births[1];
    EXPECT_EQ(cezanne.line, 4u);
    EXPECT_EQ(cezanne.name, "Cezanne; Paul");
    EXPECT_TRUE(cezanne.meanTime);
    EXPECT_NEAR(*cezanne.latitude, 43.5167, 1e-12);
    EXPECT_EQ(file.notes, std::vector<std::string>{"columns not read: \"Remark\""});
}

TEST(CsvFormatTest, SpreadsheetFieldsNameColumnsZoneIdsAndDaylightSaving) {
    const std::string text =
        "First Name\tLast Name\tBirth Date\tBirth Time\tTimezone\tDST\tLat\tLong\tCity\tCountry\n"
        "Tobias\tFerber\t27.9.1970\t11:04 AM\t+1\t0\t49n05\t8e11\tKandel\tGermany\n"
        "\"Ann\nMarie\"\tLee\t1980-07-01\t12:00\tEurope/Berlin\t\t52.5\t13.4\tBerlin\t\n"
        "Bo\t\"Quote \"\"Q\"\"\"\t1980-07-01\t12:00\t\t1\t52.5\t13.4\t\t\n";
    const SourceFile file = ReadCsvText(text, RegionalFormat{});
    ASSERT_EQ(file.fault, "");
    ASSERT_EQ(file.births.size(), 3u);
    EXPECT_EQ(file.births[0].name, "Tobias Ferber");
    EXPECT_EQ(file.births[0].clock, (ClockTime{11, 4, 0}));
    EXPECT_EQ(file.births[0].zoneEast, 3600);
    EXPECT_EQ(file.births[0].daylight, 0);
    EXPECT_EQ(file.births[0].place, "Kandel, Germany");
    EXPECT_EQ(file.births[1].line, 3u);
    EXPECT_EQ(file.births[1].name, "Ann\nMarie Lee");  // refused later: a names file cannot hold it
    EXPECT_EQ(file.births[1].zoneId, "Europe/Berlin");
    EXPECT_FALSE(file.births[1].daylight);
    EXPECT_EQ(file.births[2].line, 5u);
    EXPECT_EQ(file.births[2].name, "Bo Quote \"Q\"");
    EXPECT_FALSE(file.births[2].zoneEast);
    EXPECT_EQ(file.births[2].daylight, 3600);
}

TEST(CsvFormatTest, WhereTheSeparatorIsNoCommaNumbersMayHaveADecimalComma) {
    // As spreadsheets of many countries write them: semicolons between the fields, commas in the numbers.
    const struct {
        std::string text;
        std::optional<double> longitude, latitude;
        std::optional<int> zoneEast, daylight;
        const char* fault;
    } cases[] = {
        {"\nName;Date;Time;Zone;DST;Longitude;Latitude\nAnn;27.9.1970;11:04;5,5;0,5;8,7;-49,1\n", 8.7, -49.1,
         19800, 1800, ""},
        {"Name\tDate\tTime\tZone\tLongitude\tLatitude\nAnn\t27.9.1970\t11:04\tUTC+5,5\t8E11,5\t49.1\n",
         8 + 11.5 / 60, 49.1, 19800, 0, ""},
        {"Name;Date;Time;Zone;Longitude;Latitude\nAnn;27.9.1970;11:04;+1;8,7,1;49\n", std::nullopt, 49, 3600,
         0, "the longitude \"8,7,1\" is not a longitude"},
        {"Name;Date;Time;Zone;Longitude;Latitude\nAnn;27.9.1970;11:04;+1;8.7,1;49\n", std::nullopt, 49, 3600,
         0, "the longitude \"8.7,1\" is not a longitude"},
        // With commas between the fields a comma in a number is no decimal comma.
        {"name,date,time,zone,longitude,latitude\nAnn,27.9.1970,11:04,+1,\"8,7\",49\n", std::nullopt, 49,
         3600, 0, "the longitude \"8,7\" is not a longitude"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SourceFile file = ReadCsvText(c.text, RegionalFormat{});
        ASSERT_EQ(file.fault, "");
        ASSERT_EQ(file.births.size(), 1u);
        const SourceBirth& b = file.births[0];
        EXPECT_EQ(b.fault, c.fault);
        EXPECT_EQ(b.zoneEast, c.zoneEast);
        EXPECT_EQ(b.daylight, c.daylight);
        ASSERT_EQ(b.longitude.has_value(), c.longitude.has_value());
        if (c.longitude) {
            EXPECT_NEAR(*b.longitude, *c.longitude, 1e-12);
        }
        ASSERT_EQ(b.latitude.has_value(), c.latitude.has_value());
        if (c.latitude) {
            EXPECT_NEAR(*b.latitude, *c.latitude, 1e-12);
        }
    }
}

// Every zone id of the time-zone database is read as one, the ones without an area and the links too;
// what reads as an offset stays an offset.
TEST(CsvFormatTest, ZoneIdsWithoutAnAreaAreZoneIdsAndOffsetsStayOffsets) {
    const struct {
        const char* zone;
        const char* zoneId;
        std::optional<int> zoneEast;
    } cases[] = {
        {"CET", "CET", std::nullopt},
        {"EST5EDT", "EST5EDT", std::nullopt},
        {"EST", "EST", std::nullopt},
        {"Zulu", "Zulu", std::nullopt},
        {"Universal", "Universal", std::nullopt},
        {"US/Eastern", "US/Eastern", std::nullopt},
        {"Etc/GMT+5", "Etc/GMT+5", std::nullopt},
        {"UTC", "", 0},
        {"GMT", "", 0},
        {"Z", "", 0},
        {"+1", "", 3600},
        {"UTC-05:30", "", -19800},
        {"1he", "", 3600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const SourceFile file =
            ReadCsvText(std::string("name,date,time,zone,longitude,latitude\nA,1970-09-27,11:04,") + c.zone +
                            ",8e11,49n05\n",
                        RegionalFormat{});
        ASSERT_EQ(file.births.size(), 1u);
        EXPECT_EQ(file.births[0].fault, "");
        EXPECT_EQ(file.births[0].zoneId, c.zoneId);
        EXPECT_EQ(file.births[0].zoneEast, c.zoneEast);
    }
}

TEST(CsvFormatTest, AHeaderWithoutTheNeededColumnsOrFieldsThatAreNoneSayWhy) {
    EXPECT_EQ(ReadCsvText("", RegionalFormat{}).fault, "it holds no header row");
    EXPECT_EQ(ReadCsvText("name,date,time,zone,longitude,latitude\n", RegionalFormat{}).fault,
              "it holds a header row and no birth");
    EXPECT_EQ(ReadCsvText("who,when,zone,place\nA,B,C,D\n", RegionalFormat{}).fault,
              "its header row names no column for name, date, time, longitude, latitude (the columns are "
              "name,date,time,zone,longitude,latitude,place, in any order)");
    const struct {
        const char* row;
        const char* fault;
    } cases[] = {
        {"A,1970-09-27,25:00,+1,8e11,49n05", "the time \"25:00\" is not a clock time"},
        {"A,1970-09-27,11:04,+1 h,8e11,49n05",
         "the zone \"+1 h\" is neither an offset such as UTC+01:00 nor a zone id"},
        {"A,1970-09-27,11:04,UTC+05:00:00:00,8e11,49n05",
         "the zone \"UTC+05:00:00:00\" is neither an offset such as UTC+01:00 nor a zone id"},
        {"A,1970-09-27,11:04,+1,8n11,49n05", "the longitude \"8n11\" is not a longitude"},
        {"A,1970-09-27,11:04,+1,8e11,99n05", "the latitude \"99n05\" is not a latitude"},
        {"A,1970-09-27,11:04,+1,8e11,49n05,Kandel,x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const SourceFile file =
            ReadCsvText(std::string("name,date,time,zone,longitude,latitude\n") + c.row, {});
        ASSERT_EQ(file.births.size(), 1u);
        EXPECT_EQ(file.births[0].fault, c.fault);
    }
    const SourceFile badDate =
        ReadCsvText("name,date,time,zone,longitude,latitude\nA,31.2.1970,1:00,+1,8e11,49n05", {});
    EXPECT_FALSE(badDate.births.at(0).date);
    EXPECT_EQ(badDate.births.at(0).dateText, "31.2.1970");
}

TEST(CsvFormatTest, RowsAreWrittenWithIsoDatesTwentyFourHourTimesAndOffsets) {
    EXPECT_EQ(CsvRecord(FerberBirth()).text, "Tobias Ferber,1970-09-27,11:04,UTC+01:00,008E11,49N05,\r\n");
    ExportBirth other = FerberBirth();
    other.name = "Smith, John \"Jack\"";
    other.date = {812, 3, 4};
    other.hour = 0;
    other.zoneHours = 5.5;
    other.longitudeEastMinutes = -(122 * 60 + 5);
    other.latitudeNorthMinutes = -(3 * 60 + 2);
    EXPECT_EQ(CsvRecord(other).text,
              "\"Smith, John \"\"Jack\"\"\",0812-03-04,00:04,UTC-05:30,122W05,03S02,\r\n");
    ExportBirth cezanne = FerberBirth();
    cezanne.zoneHours = -0.3633;
    cezanne.longitudeEastMinutes = 5 * 60 + 27;
    EXPECT_EQ(CsvRecord(cezanne).text, "Tobias Ferber,1970-09-27,11:04,LMT,005E27,49N05,\r\n");
    ExportBirth amsterdam = FerberBirth();
    amsterdam.zoneHours = -0.3256;
    EXPECT_EQ(CsvRecord(amsterdam).text, "Tobias Ferber,1970-09-27,11:04,UTC+00:19:32,008E11,49N05,\r\n");
}

}  // namespace
}  // namespace talvenor
