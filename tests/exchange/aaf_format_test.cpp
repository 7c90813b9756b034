// AAF records read leniently and written strictly.
#include <gtest/gtest.h>

#include <string>

#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

constexpr const char* kFerber =
    "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n"
    "#B93:*,49n05,8e11,1he,0\n";
constexpr const char* kCezanne =
    "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
    "#B93:2392758.526528,43n31,5e27,*,L\n";

SourceBirth Only(const SourceFile& file) {
    EXPECT_EQ(file.fault, "");
    EXPECT_EQ(file.births.size(), 1u);
    return file.births.empty() ? SourceBirth{} : file.births.front();
}

TEST(AafFormatTest, TheTwoExamplesReadAsTheyAreMeant) {
    const SourceBirth ferber = Only(ReadAafText(kFerber));
    EXPECT_EQ(ferber.line, 1u);
    EXPECT_EQ(ferber.name, "Tobias Ferber");
    EXPECT_EQ(ferber.date, (CivilDate{1970, 9, 27}));
    EXPECT_EQ(ferber.clock, (ClockTime{11, 4, 0}));
    EXPECT_EQ(ferber.zoneEast, 3600);
    EXPECT_EQ(ferber.daylight, 0);
    EXPECT_FALSE(ferber.julianDay);
    EXPECT_NEAR(*ferber.latitude, 49 + 5 / 60.0, 1e-12);
    EXPECT_NEAR(*ferber.longitude, 8 + 11 / 60.0, 1e-12);
    EXPECT_EQ(ferber.place, "Kandel/Pfalz");
    EXPECT_EQ(ferber.fault, "");

    const SourceBirth cezanne = Only(ReadAafText(kCezanne));
    EXPECT_EQ(cezanne.name, "Paul Cezanne");
    EXPECT_TRUE(cezanne.meanTime);
    EXPECT_FALSE(cezanne.zoneEast);
    EXPECT_EQ(cezanne.julianDay, 2392758.526528);
}

TEST(AafFormatTest, TimeTypesSetTheDaylightSavingAmountOrLocalMeanTime) {
    const struct {
        const char* type;
        std::optional<int> daylight;
        bool meanTime;
        const char* fault;
    } cases[] = {
        {"0", 0, false, ""},
        {"1", 3600, false, ""},
        {"2", 7200, false, ""},
        {"D", 7200, false, ""},
        {"h", 1800, false, ""},
        {"L", 0, true, ""},
        {"m", 0, true, ""},
        {"*", std::nullopt, false, ""},
        {"", std::nullopt, false, ""},
        {"3", std::nullopt, false, "the time type \"3\" is none of 0, 1, 2, D, h, L and m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const std::string text =
            std::string("#A93:A,B,m,1.1.1990,12:00,P,D\n#B93:*,49n05,8e11,1he,") + c.type + "\n";
        const SourceBirth b = Only(ReadAafText(text));
        EXPECT_EQ(b.fault, c.fault);
        if (*c.fault) continue;
        EXPECT_EQ(b.daylight, c.daylight);
        EXPECT_EQ(b.meanTime, c.meanTime);
    }
}

TEST(AafFormatTest, NamesInEitherFieldOrBothAndTheTypeLeftOut) {
    const struct {
        const char* a93;
        const char* name;
        CivilDate date;
    } cases[] = {
        {"#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel,D", "Tobias Ferber", {1970, 9, 27}},
        {"#A93:*,Tobias Ferber,m,27.9.1970,11:04,Kandel,D", "Tobias Ferber", {1970, 9, 27}},
        {"#A93:Tobias Ferber,*,*,27.9.1970,11:04,Kandel,D", "Tobias Ferber", {1970, 9, 27}},
        {"#A93:Moon Landing,,e,20.7.1969,22:56,Houston,USA", "Moon Landing", {1969, 7, 20}},
        // Without the type field, as the second record of the format's own example writes it.
        {"#A93:Garms,Martin,11.10.1958,1.10,Brilon-Wald, D", "Martin Garms", {1958, 10, 11}},
        {"#A93: Ferber , Tobias ,m, 27.9.1970 ,11:04,Kandel,D", "Tobias Ferber", {1970, 9, 27}},
        {"#a93:Ferber,Tobias,m,27.09.1970,11:04,Kandel,D", "Tobias Ferber", {1970, 9, 27}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a93);
        const SourceBirth b = Only(ReadAafText(std::string(c.a93) + "\n#B93:*,49n05,8e11,1he,0\n"));
        EXPECT_EQ(b.name, c.name);
        EXPECT_EQ(b.date, c.date);
        EXPECT_EQ(b.fault, "");
    }
}

TEST(AafFormatTest, CommentsLineBreaksInsideChunksAndOtherChunks) {
    const std::string text =
        "#: AAF example file\r\n"
        "#:1. record\r\n"
        "#A93:Ferber,Tobias,m,27.9.1970,\r\n"
        "  11:04,Kandel/Pfalz,D\r\n"
        "#B93:*,49n05,8e11,\r\n"
        "1he,0\r\n"
        "#ZNAM:CET\r\n"
        "#COM:Programmer,\r\n"
        "of the AAF library\r\n"
        "\r\n"
        "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\r\n"
        "#B93:2392758.526528,43n31,5e27,*,L\r\n"
        "#B93:0,0n00,0e00,*,0\r\n"
        "#ZNAM:LMT\r\n"
        "#SRC:1*,registry\r\n"
        "#COM:painter\r\n";
    const SourceFile file = ReadAafText(text);
    ASSERT_EQ(file.fault, "");
    ASSERT_EQ(file.births.size(), 2u);
    EXPECT_EQ(file.births[0].line, 3u);
    EXPECT_EQ(file.births[0].clock, (ClockTime{11, 4, 0}));
    EXPECT_EQ(file.births[0].zoneEast, 3600);
    EXPECT_EQ(file.births[0].abbreviation, "CET");
    EXPECT_EQ(file.births[1].line, 11u);
    EXPECT_EQ(file.births[1].julianDay, 2392758.526528);  // the first #B93 counts
    EXPECT_EQ(file.births[1].abbreviation, "LMT");
    const std::vector<std::string> notes = {
        "#COM chunks (2 records) were not kept: a names file has no field for them",
        "#SRC chunks (1 record) were not kept: a names file has no field for them",
        "1 record has a second #B93 chunk; only the first was read",
        "AAF records keep no place in a names file: the place, country and type fields were not kept"};
    EXPECT_EQ(file.notes, notes);
}

TEST(AafFormatTest, HostileTextGivesAFaultOrRefusedRecordsNeverAnything) {
    EXPECT_EQ(ReadAafText("").fault, "it holds no #A93 record, so it is no AAF file");
    EXPECT_EQ(ReadAafText("#B93:*,49n05,8e11,1he,0\n#COM:x\n").fault,
              "it holds no #A93 record, so it is no AAF file");
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {"#A93:Missing,B93,m,1.7.1980,12:00,Somewhere,D\n",
         "the record has no #B93 chunk, so neither latitude nor longitude nor zone"},
        {"#A93:Only a name\n#B93:*,49n05,8e11,1he,0\n",
         "the #A93 chunk has no date where one belongs (last name, first name, type, date, time, place, "
         "country)"},
        {"#A93:Old,One,m,15.3.-44,12:00,Rome,I\n#B93:*,41n54,12e29,*,L\n",
         "the date 15.3.-44 is outside the years the program computes (1 to 2099)"},
        {"#A93:Huge,Day,m,99999999999.1.1970,12:00,Rome,I\n#B93:*,41n54,12e29,1he,0\n", ""},
        {"#A93:Late,One,m,1.1.2100,12:00,Rome,I\n#B93:*,41n54,12e29,1he,0\n",
         "the date 1.1.2100 is outside the years the program computes (1 to 2099)"},
        {"#A93:A,B,m,1.1.1990,25:00,P,D\n#B93:*,49n05,8e11,1he,0\n",
         "the time \"25:00\" is not a clock time"},
        {"#A93:A,B,m,1.1.1990,12:00,P,D\n#B93:x,49n05,8e11,1he,0\n", "the Julian day \"x\" is not a number"},
        {"#A93:A,B,m,1.1.1990,12:00,P,D\n#B93:*,49e05,8e11,1he,0\n",
         "the latitude \"49e05\" is not a latitude"},
        {"#A93:A,B,m,1.1.1990,12:00,P,D\n#B93:*,49n05,8n11,1he,0\n",
         "the longitude \"8n11\" is not a longitude"},
        {"#A93:A,B,m,1.1.1990,12:00,P,D\n#B93:*,49n05,8e11,EST,0\n", "the zone \"EST\" is not a time zone"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Only(ReadAafText(c.text)).fault, c.fault);
    }
    // A line of ten million characters is one field like any other.
    const std::string huge =
        "#A93:" + std::string(10'000'000, 'x') + ",B,m,1.1.1990,12:00,P,D\n#B93:*,49n05,8e11,1he,0\n";
    const SourceFile file = ReadAafText(huge);
    ASSERT_EQ(file.births.size(), 1u);
    EXPECT_EQ(file.births[0].name.size(), 10'000'002u);
    // A message quotes no more of a field than a line holds.
    const SourceFile longTime = ReadAafText("#A93:A,B,m,1.1.1990," + std::string(10'000'000, '9') +
                                            ",P,D\n#B93:*,49n05,8e11,1he,0\n");
    EXPECT_EQ(longTime.births.at(0).fault,
              "the time \"" + std::string(40, '9') + "...\" is not a clock time");
}

TEST(AafFormatTest, JulianCalendarDatesNameTheSameDayInTheProgramsCalendar) {
    // Up to 1582 October 15 the program counts dates in the Julian calendar too; later Julian dates are
    // the Gregorian dates of the same days.
    const struct {
        const char* date;
        std::optional<CivilDate> read;
        bool changed;
    } cases[] = {
        {"1.1.1500j", CivilDate{1500, 1, 1}, false},
        {"29.2.1500j", CivilDate{1500, 2, 29}, false},
        {"4.10.1582j", CivilDate{1582, 10, 4}, false},
        {"15.10.1582J", CivilDate{1582, 10, 15}, false},
        {"16.10.1582j", CivilDate{1582, 10, 26}, true},
        {"1.1.1700j", CivilDate{1700, 1, 11}, true},
        {"29.2.1700j", CivilDate{1700, 3, 11}, true},  // a Julian leap day the Gregorian year lacks
        {"27.9.1970j", CivilDate{1970, 10, 10}, true},
        {"30.2.1500j", std::nullopt, false},
        {"1.13.1500j", std::nullopt, false},
        {"1.1.1500", CivilDate{1500, 1, 1}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        const SourceBirth b = Only(ReadAafText(std::string("#A93:Old,One,m,") + c.date +
                                               ",12:00,Rome,I\n#B93:*,41n54,12e29,1he,0\n"));
        EXPECT_EQ(b.fault, "");
        EXPECT_EQ(b.date, c.read);
        EXPECT_EQ(b.calendarChanged, c.changed);
        EXPECT_EQ(b.dateText, c.date);
    }
    // Without the type field as well; the years are those the program computes, whatever the calendar.
    const SourceBirth untyped =
        Only(ReadAafText("#A93:Garms,Martin,1.1.1700j,1.10,Brilon-Wald, D\n#B93:*,51n22,8e34,1he,0\n"));
    EXPECT_EQ(untyped.date, (CivilDate{1700, 1, 11}));
    EXPECT_EQ(Only(ReadAafText("#A93:Late,One,m,1.1.2100j,12:00,Rome,I\n#B93:*,41n54,12e29,1he,0\n")).fault,
              "the date 1.1.2100j is outside the years the program computes (1 to 2099)");
}

TEST(AafFormatTest, RecordsAreWrittenWithEveryFieldInItsStrictForm) {
    ExportBirth ferber;
    ferber.name = "Tobias Ferber";
    ferber.date = {1970, 9, 27};
    ferber.hour = 11;
    ferber.minute = 4;
    ferber.zoneHours = -1;
    ferber.longitudeEastMinutes = 8 * 60 + 11;
    ferber.latitudeNorthMinutes = 49 * 60 + 5;
    EXPECT_EQ(AafRecord(ferber).text,
              "#A93:Ferber,Tobias,*,27.9.1970,11:04,*,*\r\n#B93:2440856.919444,49n05,8e11,1he00,0\r\n");

    ExportBirth west = ferber;
    west.name = "Smith, John Q.";
    west.zoneHours = 5.5;
    west.longitudeEastMinutes = -(122 * 60 + 5);
    west.latitudeNorthMinutes = -(33 * 60 + 52);
    EXPECT_EQ(AafRecord(west).text,
              "#A93:Smith,John Q.,*,27.9.1970,11:04,*,*\r\n#B93:2440857.190278,33s52,122w05,5hw30,0\r\n");

    ExportBirth cezanne;
    cezanne.name = "Paul Cezanne";
    cezanne.date = {1839, 1, 19};
    cezanne.hour = 1;
    cezanne.zoneHours = -0.3633;
    cezanne.longitudeEastMinutes = 5 * 60 + 27;
    cezanne.latitudeNorthMinutes = 43 * 60 + 31;
    EXPECT_EQ(AafRecord(cezanne).text,
              "#A93:Cezanne,Paul,*,19.1.1839,1:00,*,*\r\n#B93:2392758.526528,43n31,5e27,*,L\r\n");

    ExportBirth amsterdam = ferber;
    amsterdam.name = "Single";
    amsterdam.zoneHours = -0.3256;  // 19 min 32 s east, not the mean time of 8e11
    EXPECT_EQ(AafRecord(amsterdam).text.substr(0, 41), "#A93:Single,*,*,27.9.1970,11:04,*,*\r\n#B93");
    EXPECT_NE(AafRecord(amsterdam).text.find(",0he19:32,0\r\n"), std::string::npos);

    ExportBirth commas = ferber;
    commas.name = "A, B, C";
    EXPECT_EQ(AafRecord(commas).refusal,
              "the name holds more than one comma, which an AAF field cannot hold");
    ExportBirth hash = ferber;
    hash.name = "No #1";
    EXPECT_EQ(AafRecord(hash).refusal, "the name holds \"#\", which AAF keeps for the start of its chunks");
    // A star alone is AAF's "not given": such a name would come back shorter, or as no name at all.
    for (const char* name : {"*", "Ann *", "*, Ann"}) {
        SCOPED_TRACE(name);
        ExportBirth star = ferber;
        star.name = name;
        EXPECT_EQ(AafRecord(star).refusal,
                  "a part of the name is \"*\", which AAF reads as a name not given");
    }
    ExportBirth starred = ferber;
    starred.name = "Ann *Star*";
    EXPECT_EQ(AafRecord(starred).refusal, "");
}

}  // namespace
}  // namespace talvenor
