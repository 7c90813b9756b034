#include "datafiles/name_record.h"

#include <gtest/gtest.h>

#include <string>

namespace talvenor {
namespace {

constexpr const char* kFormatError =
    "Format error or typographical error in selected data. Please correct this data entry by clicking on the "
    "Edit this List command button in the Names window and editing the data associated with your chosen "
    "name.";

NameRecord Record(const char* line) {
    const auto record = ParseNameRecord(line);
    EXPECT_TRUE(record.has_value()) << line;
    return record.value_or(NameRecord{});
}

TEST(NameRecordTest, SplitsSevenFieldsAndDropsBlanksAndQuotes) {
    const NameRecord plain = Record("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52");
    const char* expected[] = {"", "Sample Person", "14 Mar 1962", "10.15", "P", "6", "087.39", "41.52"};
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(plain.Field[static_cast<std::size_t>(i)], expected[i]) << i;

    const NameRecord loose = Record(" \"Sample Person\" , 14 Mar 1962 ,\t10.15 , \"P\",6,087.39, 41.52 \r\n");
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(loose.Field[static_cast<std::size_t>(i)], expected[i]) << i;

    // A quote inside a field is part of the text; one that opens a field runs to its closing quote or,
    // left open, to the line end, as in a names file.
    const NameRecord inner = Record("Ann \"Nan\" Lee,1 Jan 2000,1.00,A,0,000.00,00.00");
    EXPECT_EQ(inner.Field[1], "Ann \"Nan\" Lee");
    EXPECT_FALSE(ParseNameRecord("\"Ann,1 Jan 2000,1.00,A,0,000.00,00.00").has_value());
}

TEST(NameRecordTest, ReadsARecordLineByTheNamesFileRules) {
    const struct {
        const char* line;
        const char* name;
        const char* latitude;
    } cases[] = {
        // What the names file keeps and "Save to disk" writes back for a name holding a comma.
        {"\"Smith, John\",01 Jan 1990,9.05,A,5,073.58,40.45", "Smith, John", "40.45"},
        {" \"Smith, John\" ,01 Jan 1990,9.05,A,5,073.58,\"40.45\"", "Smith, John", "40.45"},
        // Bytes of the old Windows program, decoded as the files are.
        {"Jos\xE9,01 Jan 1990,9.05,A,5,073.58,40.45", "Jos\xC3\xA9", "40.45"},
        {"Jos\xC3\xA9,01 Jan 1990,9.05,A,5,073.58,40.45\r\n", "Jos\xC3\xA9", "40.45"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const NameRecord record = Record(c.line);
        EXPECT_EQ(record.Field[1], c.name);
        EXPECT_EQ(record.Field[2], "01 Jan 1990");
        EXPECT_EQ(record.Field[7], c.latitude);
    }
    for (const char* line : {"X\n,01 Jan 1990,9.05,A,5,073.58,40.45", "X,01 Jan\r1990,9.05,A,5,073.58,40.45",
                             "X,01 Jan 1990,9.05,A,5,073.58,\n40.45"}) {
        EXPECT_FALSE(ParseNameRecord(line).has_value()) << line;
    }
}

TEST(NameRecordTest, AFaultyRecordIsNamedByItsFieldInOneLine) {
    const struct {
        const char* line;
        const char* fault;  // nullptr: the record can be used
    } cases[] = {
        {"Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52", nullptr},
        {"\"Smith, John\",01 Jan 1990,9.05,A,5,073.58,40.45", nullptr},
        {"Smith, John,01 Jan 1990,9.05,A,5,073.58,40.45",
         "a record has seven comma-separated fields, this one has 8 (a name holding a comma goes in double "
         "quotes)"},
        {"X,14 Mar 1962",
         "a record has seven comma-separated fields, this one has 2 (a name holding a comma "
         "goes in double quotes)"},
        {"X,14 Mar\n1962,10.15,P,6,087.39,41.52", "a record is one line, this one holds a line break"},
        {"X\r\n,14 Mar 1962,10.15,P,6,087.39,41.52", "a record is one line, this one holds a line break"},
        {" ,14 Mar 1962,10.15,P,6,087.39,41.52", "field 1 (name) is empty"},
        {"X,31 Feb 1962,10.15,P,6,087.39,41.52", "field 2 (date) is not a date: 31 Feb 1962"},
        {"X,01 Jan -5,10.15,P,6,087.39,41.52", "field 2 (date) is not a date: 01 Jan -5"},
        {"Jos\xE9,31 F\xE9v 1962,10.15,P,6,087.39,41.52", "field 2 (date) is not a date: 31 F\xC3\xA9v 1962"},
        // The year rule of every date: in full, from 1 to 2099; "1" is no 2001, "62" no 1962.
        {"X,01 Jan 0001,12.00,P,0,000.00,51.30", nullptr},
        {"X,01 Jan 1,12.00,P,0,000.00,51.30",
         "field 2 (date) \"01 Jan 1\" gives the year in short: write it in full (1962, not 62; the year 62 "
         "as "
         "0062), for the years the program computes (1 to 2099)"},
        {"X,14 Mar 62,10.15,P,6,087.39,41.52",
         "field 2 (date) \"14 Mar 62\" gives the year in short: write it in full (1962, not 62; the year 62 "
         "as "
         "0062), for the years the program computes (1 to 2099)"},
        {"X,01 Jan 2100,10.15,P,6,087.39,41.52",
         "field 2 (date) \"01 Jan 2100\" is outside the years the program computes (1 to 2099)"},
        {"X,14 Mar 1962,10.x5,P,6,087.39,41.52", "field 3 (clock time) is not a number: 10.x5"},
        {"X,14 Mar 1962,10.15,P,1.2.3,087.39,41.52", "field 5 (time zone) is not a number: 1.2.3"},
        {"X,14 Mar 1962,10.15,P,6,W87,41.52", "field 6 (longitude) is not a number: W87"},
        {"X,14 Mar 1962,10.15,P,6,087.39,", "field 7 (latitude) is not a number: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto fault = NameRecordFault(c.line, RegionalFormat{});
        if (c.fault == nullptr) {
            EXPECT_FALSE(fault.has_value()) << *fault;
            continue;
        }
        EXPECT_EQ(fault, c.fault);
        // A faulty record never fills the windows; a sound one always does.
        const auto record = ParseNameRecord(c.line);
        InputTexts natal;
        EXPECT_TRUE(!record || FillNatalFromRecord(*record, RegionalFormat{}, natal).has_value());
    }
}

TEST(NameRecordTest, RefusesLinesWithoutSevenFieldsOrAName) {
    for (const char* line :
         {"", "Sample Person", "Sample Person,14 Mar 1962,10.15,P,6,087.39",
          "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52,extra",
          "Smith, John,14 Mar 1962,10.15,P,6,087.39,41.52", ",14 Mar 1962,10.15,P,6,087.39,41.52",
          "  ,14 Mar 1962,10.15,P,6,087.39,41.52", "\"\",14 Mar 1962,10.15,P,6,087.39,41.52"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseNameRecord(line).has_value());
    }
    // Empty fields after the name still make a record; filling reports them.
    EXPECT_TRUE(ParseNameRecord("Ann,,,,,,").has_value());
}

TEST(NameRecordTest, FillsTheNatalWindowFromTheSampleRecord) {
    InputTexts natal;
    const auto error = FillNatalFromRecord(Record("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"),
                                           RegionalFormat{}, natal);
    EXPECT_FALSE(error.has_value());
    EXPECT_EQ(natal.name, "Sample Person");
    EXPECT_EQ(natal.month, "3");
    EXPECT_EQ(natal.day, "14");
    EXPECT_EQ(natal.year, "1962");
    EXPECT_EQ(natal.hour, " 10");
    EXPECT_EQ(natal.minute, "15");
    EXPECT_TRUE(natal.pm);
    EXPECT_FALSE(natal.am);
    EXPECT_EQ(natal.zone, " 6");
    EXPECT_EQ(natal.longDeg, " 87");
    EXPECT_EQ(natal.longMin, "39");
    EXPECT_TRUE(natal.west);
    EXPECT_FALSE(natal.east);
    EXPECT_EQ(natal.latDeg, " 41");
    EXPECT_EQ(natal.latMin, "52");
    EXPECT_TRUE(natal.north);
    EXPECT_FALSE(natal.south);
}

TEST(NameRecordTest, PackedTimesAndPlacesSplitIntoWholeUnitsAndMinutes) {
    // Several of these fractions lie a hair below the written minutes (10.15 - 10 = 0.1499...).
    const struct {
        const char* time;
        const char* hour;
        const char* minute;
    } times[] = {{"9.05", " 9", "5"},   {"10.15", " 10", "15"}, {"12.30", " 12", "30"}, {"1.59", " 1", "59"},
                 {"11.00", " 11", "0"}, {"0.30", " 12", "30"},  {"7", " 7", "0"}};
    for (const auto& t : times) {
        SCOPED_TRACE(t.time);
        InputTexts natal;
        NameRecord record = Record("Ann,14 Mar 1962,1.00,A,6,087.39,41.52");
        record.Field[3] = t.time;
        EXPECT_FALSE(FillNatalFromRecord(record, RegionalFormat{}, natal).has_value());
        EXPECT_EQ(natal.hour, t.hour);
        EXPECT_EQ(natal.minute, t.minute);
        EXPECT_TRUE(natal.am);
    }

    const struct {
        const char* longitude;
        const char* latitude;
        const char* longDeg;
        const char* longMin;
        bool east;
        const char* latDeg;
        const char* latMin;
        bool south;
    } places[] = {
        {"087.39", "41.52", " 87", "39", false, " 41", "52", false},
        {"-002.20", "-33.52", " 2", "20", true, " 33", "52", true},
        {"-000.30", "-00.05", " 0", "30", true, " 0", "5", true},
        {"000.00", "00.00", " 0", "0", false, " 0", "0", false},
        {"151.10", "-33.55", " 151", "10", false, " 33", "55", true},
        {"-180.00", "89.59", " 180", "0", true, " 89", "59", false},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(std::string(p.longitude) + " " + p.latitude);
        InputTexts natal;
        NameRecord record = Record("Ann,14 Mar 1962,1.00,A,6,087.39,41.52");
        record.Field[6] = p.longitude;
        record.Field[7] = p.latitude;
        EXPECT_FALSE(FillNatalFromRecord(record, RegionalFormat{}, natal).has_value());
        EXPECT_EQ(natal.longDeg, p.longDeg);
        EXPECT_EQ(natal.longMin, p.longMin);
        EXPECT_EQ(natal.east, p.east);
        EXPECT_EQ(natal.west, !p.east);
        EXPECT_EQ(natal.latDeg, p.latDeg);
        EXPECT_EQ(natal.latMin, p.latMin);
        EXPECT_EQ(natal.south, p.south);
        EXPECT_EQ(natal.north, !p.south);
    }
}

TEST(NameRecordTest, HalfOfDayAndZoneFollowTheirFields) {
    const struct {
        const char* half;
        const char* zone;
        bool am;
        const char* shown;
    } cases[] = {
        {"A", "5", true, " 5"},        {"a", "-2.5", true, "-2.5"}, {"P", "0", false, " 0"},
        {"p", " 3.50", false, " 3.5"}, {"X", "-10", false, "-10"},  {"AM", "+1", false, " 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.half) + " " + c.zone);
        InputTexts natal;
        NameRecord record = Record("Ann,14 Mar 1962,1.00,A,6,087.39,41.52");
        record.Field[4] = c.half;
        record.Field[5] = c.zone;
        EXPECT_FALSE(FillNatalFromRecord(record, RegionalFormat{}, natal).has_value());
        EXPECT_EQ(natal.am, c.am);
        EXPECT_EQ(natal.pm, !c.am);
        EXPECT_EQ(natal.zone, c.shown);
    }
}

TEST(NameRecordTest, TheStoredZoneKeepsItsSignWhenTheDirectionChanges) {
    // Western Europe: a zone east of Greenwich at a western longitude, chosen while East was selected.
    InputTexts natal;
    natal.SelectEast(true);
    EXPECT_FALSE(
        FillNatalFromRecord(Record("Ann,14 Mar 1962,10.15,P,-1,003.42,40.25"), RegionalFormat{}, natal)
            .has_value());
    EXPECT_EQ(natal.zone, "-1");
    EXPECT_TRUE(natal.west);
}

TEST(NameRecordTest, DatesFollowTheRegionalOrder) {
    const struct {
        std::int16_t order;
        const char* stored;
    } cases[] = {
        {0, "14 Mar 1962"}, {1, "14 Mar 1962"}, {2, "14 Mar 1962"}, {2, "1962 Mar 14"},
        {2, "14 mar 1962"}, {0, "3/14/1962"},   {1, "14/3/1962"},   {2, "1962 March 14"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.order) + " " + c.stored);
        RegionalFormat regional;
        regional.DateOrder = c.order;
        InputTexts natal;
        NameRecord record = Record("Ann,14 Mar 1962,10.15,P,6,087.39,41.52");
        record.Field[2] = c.stored;
        EXPECT_FALSE(FillNatalFromRecord(record, regional, natal).has_value());
        EXPECT_EQ(natal.month, "3");
        EXPECT_EQ(natal.day, "14");
        EXPECT_EQ(natal.year, "1962");
    }

    // A single-digit day is padded before the year-first reading, and a longer regional month name
    // is taken whole.
    RegionalFormat regional;
    regional.DateOrder = 2;
    regional.MonthAbbrev[7] = "juil.";
    InputTexts natal;
    EXPECT_FALSE(
        FillNatalFromRecord(Record("Ann,5 juil. 1962,10.15,P,6,087.39,41.52"), regional, natal).has_value());
    EXPECT_EQ(natal.month, "7");
    EXPECT_EQ(natal.day, "5");
}

TEST(NameRecordTest, AMalformedFieldStopsTheFillWithTheFormatError) {
    const struct {
        int field;
        const char* text;
    } cases[] = {
        {2, "31 Apr 1962"},
        {2, "29 Feb 1900"},
        {2, "someday"},
        {2, ""},
        {3, "10.1.5"},
        {3, "10:15"},
        {3, ""},
        {5, "-"},
        {5, "1.2.3"},
        {5, ""},
        {6, "87W39"},
        {6, "087,39"},
        {7, "41N52"},
        {7, ""},
        {3, "1e3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " \"" + c.text + "\"");
        NameRecord record = Record("Ann,14 Mar 1962,10.15,P,6,087.39,41.52");
        record.Field[static_cast<std::size_t>(c.field)] = c.text;
        InputTexts natal;
        const auto error = FillNatalFromRecord(record, RegionalFormat{}, natal);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(*error, kFormatError);
        EXPECT_EQ(natal.name, "Ann");
    }
    EXPECT_STREQ(kNameRecordFormatErrorTitle, "Error!");
    EXPECT_EQ(kNameRecordFormatErrorIcon, MessageIcon::Critical);
}

// A year the names file never writes is not completed by a guess: the names window's message names the
// year rule after its format error. The year 1 written in full is the year 1.
TEST(NameRecordTest, AYearGivenInShortOrOutsideTheYearsIsNamedInTheFormatError) {
    const struct {
        const char* date;
        const char* error;
    } cases[] = {
        {"14 Mar 62",
         "The date 14 Mar 62 gives the year in short: write it in full (1962, not 62; the year 62 as 0062), "
         "for "
         "the years the program computes (1 to 2099)."},
        {"01 Jan 1",
         "The date 01 Jan 1 gives the year in short: write it in full (1962, not 62; the year 62 as 0062), "
         "for "
         "the years the program computes (1 to 2099)."},
        {"01 Jan 2100", "The date 01 Jan 2100 is outside the years the program computes (1 to 2099)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        NameRecord record = Record("Ann,14 Mar 1962,10.15,P,6,087.39,41.52");
        record.Field[2] = c.date;
        InputTexts natal;
        EXPECT_EQ(FillNatalFromRecord(record, RegionalFormat{}, natal),
                  std::string(kFormatError) + "\n\n" + c.error);
        EXPECT_EQ(natal.year, "");
    }
    InputTexts natal;
    EXPECT_FALSE(
        FillNatalFromRecord(Record("Ann,01 Jan 0001,12.00,P,0,000.00,51.30"), RegionalFormat{}, natal)
            .has_value());
    EXPECT_EQ(natal.year, "1");
}

TEST(NameRecordTest, FieldsFilledBeforeTheFaultKeepTheirValues) {
    InputTexts natal;
    natal.zone = "old zone";
    natal.longDeg = "old degrees";
    natal.SelectAM(true);
    const auto error =
        FillNatalFromRecord(Record("Bob,2 Jan 1970,9.05,P,-,087.39,41.52"), RegionalFormat{}, natal);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(natal.name, "Bob");
    EXPECT_EQ(natal.month, "1");
    EXPECT_EQ(natal.day, "2");
    EXPECT_EQ(natal.year, "1970");
    EXPECT_EQ(natal.hour, " 9");
    EXPECT_EQ(natal.minute, "5");
    EXPECT_TRUE(natal.pm);
    EXPECT_EQ(natal.zone, "old zone");
    EXPECT_EQ(natal.longDeg, "old degrees");

    natal = InputTexts{};
    natal.month = "old month";
    ASSERT_TRUE(
        FillNatalFromRecord(Record("Bob,31 Jun 1970,9.05,P,6,087.39,41.52"), RegionalFormat{}, natal));
    EXPECT_EQ(natal.name, "Bob");
    EXPECT_EQ(natal.month, "old month");
}

TEST(NameRecordTest, SecondPersonFillsTheDiurnalWindowAndItsCaption) {
    SecondInputTexts diurnal;
    diurnal.secondPerson = true;
    const auto error = FillDiurnalFromRecord(Record("Second Person,2 Jan 1970,9.05,A,-2.5,-002.20,-33.52"),
                                             RegionalFormat{}, diurnal);
    EXPECT_FALSE(error.has_value());
    EXPECT_EQ(diurnal.secondPersonName, "Second Person");
    EXPECT_TRUE(diurnal.secondPerson);
    EXPECT_EQ(diurnal.month, "1");
    EXPECT_EQ(diurnal.day, "2");
    EXPECT_EQ(diurnal.year, "1970");
    EXPECT_EQ(diurnal.hour, " 9");
    EXPECT_EQ(diurnal.minute, "5");
    EXPECT_TRUE(diurnal.am);
    EXPECT_EQ(diurnal.zone, "-2.5");
    EXPECT_EQ(diurnal.longDeg, " 2");
    EXPECT_EQ(diurnal.longMin, "20");
    EXPECT_TRUE(diurnal.east);
    EXPECT_FALSE(diurnal.west);
    EXPECT_EQ(diurnal.latDeg, " 33");
    EXPECT_EQ(diurnal.latMin, "52");
    EXPECT_TRUE(diurnal.south);
    EXPECT_FALSE(diurnal.north);

    const auto failed =
        FillDiurnalFromRecord(Record("Third,2 Jan 1970,9.05,A,x,-002.20,-33.52"), RegionalFormat{}, diurnal);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(*failed, kFormatError);
    EXPECT_EQ(diurnal.secondPersonName, "Third");
    EXPECT_EQ(diurnal.zone, "-2.5");
}

}  // namespace
}  // namespace talvenor
