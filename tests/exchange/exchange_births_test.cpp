// A birth from an exchange file into the names file's convention, and a names-file record back out.
#include "exchange/exchange_births.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "datafiles/names_file.h"
#include "system_zones.h"

namespace talvenor {
namespace {

// Places by name, as the world atlas would answer for a position near them.
class PlaceTable : public PlaceZoneFinder {
  public:
    std::map<std::string, std::string> zones;
    int questions = 0;
    PlaceZone ZoneOf(std::string_view placeName, double, double) override {
        ++questions;
        const auto found = zones.find(PlaceQuery(placeName));
        if (found == zones.end())
            return {{}, {}, "the world atlas has no place \"" + PlaceQuery(placeName) + "\""};
        return {found->second, found->first, {}};
    }
};

SourceBirth Birth(const std::string& name, CivilDate date, ClockTime clock, double latitude,
                  double longitude) {
    SourceBirth b;
    b.line = 7;
    b.name = name;
    b.date = date;
    b.dateText = "as written";
    b.clock = clock;
    b.latitude = latitude;
    b.longitude = longitude;
    return b;
}

// Tobias Ferber's birth as the AAF example gives it: Kandel, 49n05 8e11, 11:04 on 27 September 1970.
SourceBirth Ferber() {
    SourceBirth b = Birth("Tobias Ferber", {1970, 9, 27}, {11, 4, 0}, 49 + 5 / 60.0, 8 + 11 / 60.0);
    b.zoneEast = 3600;
    b.daylight = 0;
    b.place = "Kandel/Pfalz";
    return b;
}

std::string LineOf(const BirthConversion& c) {
    return c.record ? NameRecordLine(*c.record) : "refused: " + c.refusal;
}

class ExchangeBirthsTest : public ::testing::Test {
  protected:
    SystemZoneDatabase zones_;
    PlaceTable places_;
    ZoneSources sources_{&zones_, &places_};
    RegionalFormat regional_;

    BirthConversion Convert(const SourceBirth& b) { return ConvertBirth(b, sources_, regional_); }
};

TEST_F(ExchangeBirthsTest, GivenZonesTakeTheirDaylightSavingTimeIntoTheNamesFileZone) {
    const struct {
        int zoneEast;
        int daylight;
        const char* line;
    } cases[] = {
        {3600, 0, "Tobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05"},
        {3600, 3600, "Tobias Ferber,27 Sep 1970,11.04,A,-2,-008.11,49.05"},    // summer time
        {3600, 7200, "Tobias Ferber,27 Sep 1970,11.04,A,-3,-008.11,49.05"},    // double summer time
        {3600, 1800, "Tobias Ferber,27 Sep 1970,11.04,A,-1.5,-008.11,49.05"},  // half an hour
        {-5 * 3600 - 1800, 0, "Tobias Ferber,27 Sep 1970,11.04,A,5.5,-008.11,49.05"},
        {0, 0, "Tobias Ferber,27 Sep 1970,11.04,A,0,-008.11,49.05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        SourceBirth b = Ferber();
        b.zoneEast = c.zoneEast;
        b.daylight = c.daylight;
        const BirthConversion converted = Convert(b);
        EXPECT_EQ(LineOf(converted), c.line);
        EXPECT_EQ(converted.origin, ZoneOrigin::Given);
        EXPECT_TRUE(converted.warnings.empty());
    }
}

TEST_F(ExchangeBirthsTest, ClockTimesBecomeTheTwelveHourClockAndSecondsRoundToTheMinute) {
    const struct {
        CivilDate date;
        ClockTime clock;
        const char* dateAndTime;
        bool rounded;
    } cases[] = {
        {{1970, 9, 27}, {0, 5, 0}, "27 Sep 1970,12.05,A", false},
        {{1970, 9, 27}, {12, 0, 0}, "27 Sep 1970,12.00,P", false},
        {{1970, 9, 27}, {13, 45, 0}, "27 Sep 1970,1.45,P", false},
        {{1970, 9, 27}, {23, 59, 0}, "27 Sep 1970,11.59,P", false},
        {{1970, 9, 27}, {11, 4, 29}, "27 Sep 1970,11.04,A", true},
        {{1970, 9, 27}, {11, 4, 30}, "27 Sep 1970,11.05,A", true},
        {{1970, 9, 27}, {11, 59, 45}, "27 Sep 1970,12.00,P", true},
        // Rounding carries over midnight into the next day, month and year.
        {{1999, 12, 31}, {23, 59, 30}, "01 Jan 2000,12.00,A", true},
        {{1900, 2, 28}, {23, 59, 59}, "01 Mar 1900,12.00,A", true},
        {{1500, 2, 28}, {23, 59, 59}, "29 Feb 1500,12.00,A", true},  // a leap day of the Julian calendar
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dateAndTime);
        SourceBirth b = Ferber();
        b.date = c.date;
        b.clock = c.clock;
        const BirthConversion converted = Convert(b);
        ASSERT_TRUE(converted.record) << converted.refusal;
        EXPECT_EQ(
            converted.record->Field[2] + "," + converted.record->Field[3] + "," + converted.record->Field[4],
            c.dateAndTime);
        EXPECT_EQ(converted.timeRounded, c.rounded);
    }
}

TEST_F(ExchangeBirthsTest, PositionsBecomeDegreesMinutesWestAndNorthPositiveRoundedToTheMinute) {
    const struct {
        double latitude, longitude;
        const char* fields;
        bool rounded;
    } cases[] = {
        {41 + 52 / 60.0, -(87 + 39 / 60.0), "087.39,41.52", false},
        {-(33 + 52 / 60.0), 151 + 13 / 60.0, "-151.13,-33.52", false},
        {52 + 13 / 60.0 + 29 / 3600.0, 6 + 54 / 60.0, "-006.54,52.13", true},
        {52 + 13 / 60.0 + 30 / 3600.0, 6 + 54 / 60.0 + 30 / 3600.0, "-006.55,52.14", true},
        {0.0, 0.0, "000.00,00.00", false},
        {89 + 59 / 60.0 + 45 / 3600.0, -(179 + 59 / 60.0 + 45 / 3600.0), "180.00,90.00", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        SourceBirth b = Ferber();
        b.latitude = c.latitude;
        b.longitude = c.longitude;
        b.zoneEast = 0;  // no sign rule to meet in the west
        const BirthConversion converted = Convert(b);
        ASSERT_TRUE(converted.record) << converted.refusal;
        EXPECT_EQ(converted.record->Field[6] + "," + converted.record->Field[7], c.fields);
        EXPECT_EQ(converted.positionRounded, c.rounded);
    }
}

TEST_F(ExchangeBirthsTest, LocalMeanTimeComesFromTheLongitude) {
    // Cezanne: Aix-en-Provence, 5e27, local mean time: 5 x 4 + 27 x 4/60 minutes = 21 min 48 s east.
    SourceBirth b = Birth("Paul Cezanne", {1839, 1, 19}, {1, 0, 0}, 43 + 31 / 60.0, 5 + 27 / 60.0);
    b.meanTime = true;
    const BirthConversion converted = Convert(b);
    EXPECT_EQ(LineOf(converted), "Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31");
    EXPECT_EQ(converted.origin, ZoneOrigin::MeanTime);
    // West of Greenwich the mean time lies behind UT; the QCK abbreviation LMT says the same.
    SourceBirth west = Birth("West", {1850, 6, 1}, {9, 0, 0}, 40.0, -(73 + 58 / 60.0));
    west.abbreviation = "lmt";  // as an AAF #ZNAM chunk may write it
    EXPECT_EQ(LineOf(Convert(west)), "West,01 Jun 1850,9.00,A,4.9311,073.58,40.00");
}

TEST_F(ExchangeBirthsTest, AJulianDayGivesTheZoneAndIsCheckedAgainstAGivenOne) {
    // Cezanne's Julian day without a zone: the clock time less UT is his local mean time.
    SourceBirth cezanne = Birth("Paul Cezanne", {1839, 1, 19}, {1, 0, 0}, 43 + 31 / 60.0, 5 + 27 / 60.0);
    cezanne.julianDay = 2392758.526528;
    cezanne.daylight = std::nullopt;
    const BirthConversion fromDay = Convert(cezanne);
    EXPECT_EQ(LineOf(fromDay), "Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31");
    EXPECT_EQ(fromDay.origin, ZoneOrigin::JulianDay);

    // Ferber at 11:04 CET is 10:04 UT, JD 2440856.919444.
    const struct {
        double julianDay;
        bool warned;
    } checks[] = {{2440856.919444, false},
                  {2440856.919444 + 59.0 / 86400, false},
                  {2440856.919444 + 61.0 / 86400, true},
                  {2440856.919444 - 1.0 / 24, true}};
    for (const auto& c : checks) {
        SCOPED_TRACE(c.julianDay);
        SourceBirth b = Ferber();
        b.julianDay = c.julianDay;
        const BirthConversion converted = Convert(b);
        EXPECT_EQ(LineOf(converted), "Tobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05");
        ASSERT_EQ(converted.warnings.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_NE(converted.warnings[0].find("the date, time and zone were kept"), std::string::npos);
        }
    }
    SourceBirth hourOff = Ferber();
    hourOff.julianDay = 2440856.919444 - 1.0 / 24;
    EXPECT_EQ(
        Convert(hourOff).warnings.at(0),
        "the Julian day 2440856.877777 and the date, time and zone differ by 1 hour; the date, time and zone "
        "were kept");

    // A Julian day of another day than the date has no zone to give.
    SourceBirth wrongDay = Ferber();
    wrongDay.zoneEast.reset();
    wrongDay.julianDay = 2440860.5;
    EXPECT_EQ(LineOf(Convert(wrongDay)),
              "refused: the Julian day 2440860.500000 is not on the date 27.9.1970 at 11:04 in any zone");
}

TEST_F(ExchangeBirthsTest, WithoutAZoneThePlaceOrTheZoneIdGivesItFromTheDatabase) {
    places_.zones["Kandel"] = "Europe/Berlin";
    SourceBirth summer = Ferber();
    summer.date = CivilDate{1980, 7, 1};
    summer.clock = ClockTime{12, 0, 0};
    summer.zoneEast.reset();
    summer.daylight.reset();
    BirthConversion converted = Convert(summer);
    EXPECT_EQ(LineOf(converted), "Tobias Ferber,01 Jul 1980,12.00,P,-2,-008.11,49.05");
    EXPECT_EQ(converted.origin, ZoneOrigin::Place);
    EXPECT_EQ(converted.zoneDetail, "Europe/Berlin (Kandel)");
    EXPECT_TRUE(converted.warnings.empty());

    // The record says standard time was kept: its word counts, with a warning.
    summer.daylight = 0;
    converted = Convert(summer);
    EXPECT_EQ(LineOf(converted), "Tobias Ferber,01 Jul 1980,12.00,P,-1,-008.11,49.05");
    ASSERT_EQ(converted.warnings.size(), 1u);
    EXPECT_NE(converted.warnings[0].find("the record's was taken"), std::string::npos);

    // A zone id, war time in New York.
    SourceBirth war = Birth("War Baby", {1943, 6, 1}, {12, 0, 0}, 40.7, -74.0);
    war.zoneId = "America/New_York";
    converted = Convert(war);
    EXPECT_EQ(LineOf(converted), "War Baby,01 Jun 1943,12.00,P,4,074.00,40.42");
    EXPECT_EQ(converted.origin, ZoneOrigin::ZoneId);

    // An abbreviation the database does not give is worth a word, not a refusal.
    SourceBirth eastern = Birth("Eastern", {1962, 1, 10}, {9, 0, 0}, 40.7, -74.0);
    eastern.zoneId = "America/New_York";
    eastern.abbreviation = "EDT";
    converted = Convert(eastern);
    EXPECT_EQ(LineOf(converted), "Eastern,10 Jan 1962,9.00,A,5,074.00,40.42");
    ASSERT_EQ(converted.warnings.size(), 1u);
    EXPECT_NE(converted.warnings[0].find("the time-zone database gives EST"), std::string::npos);

    // A clock time that occurred twice takes the first reading and says so.
    SourceBirth twice = Birth("Twice", {2024, 10, 27}, {2, 30, 0}, 52.5, 13.4);
    twice.zoneId = "Europe/Berlin";
    converted = Convert(twice);
    EXPECT_EQ(LineOf(converted), "Twice,27 Oct 2024,2.30,A,-2,-013.24,52.30");
    ASSERT_EQ(converted.warnings.size(), 1u);
    EXPECT_NE(converted.warnings[0].find("occurred twice"), std::string::npos);
}

// The years the program computes run from the year 1: a birth of 1.1.0001 comes in as the year 1 and is
// written so that the names file gives it back.
TEST_F(ExchangeBirthsTest, TheYearOneComesInAsTheYearOne) {
    SourceBirth b = Ferber();
    b.date = CivilDate{1, 1, 1};
    b.dateText = "1.1.0001";
    const BirthConversion converted = Convert(b);
    EXPECT_EQ(LineOf(converted), "Tobias Ferber,01 Jan 0001,11.04,A,-1,-008.11,49.05");
}

// The islands just east of the date line: western longitudes, zones far east of Greenwich.
TEST_F(ExchangeBirthsTest, BirthsEastOfTheDateLineComeInWithTheirZones) {
    const struct {
        const char* name;
        double latitude, longitude;
        int zoneEast;
        const char* line;
    } cases[] = {
        {"Apia", -(13 + 50 / 60.0), -(171 + 46 / 60.0), 13 * 3600,
         "Apia,15 Jun 2015,12.00,P,-13,171.46,-13.50"},
        {"Kiritimati", 1 + 52 / 60.0, -(157 + 24 / 60.0), 14 * 3600,
         "Kiritimati,15 Jun 2015,12.00,P,-14,157.24,01.52"},
        {"Mata-Utu", -(13 + 17 / 60.0), -(176 + 10 / 60.0), 12 * 3600,
         "Mata-Utu,15 Jun 2015,12.00,P,-12,176.10,-13.17"},
        {"Waitangi", -(43 + 57 / 60.0), -(176 + 34 / 60.0), 12 * 3600 + 2700,
         "Waitangi,15 Jun 2015,12.00,P,-12.75,176.34,-43.57"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SourceBirth b = Birth(c.name, {2015, 6, 15}, {12, 0, 0}, c.latitude, c.longitude);
        b.zoneEast = c.zoneEast;
        b.daylight = 0;
        EXPECT_EQ(LineOf(Convert(b)), c.line);
    }
}

TEST_F(ExchangeBirthsTest, RecordsThatCannotBeConvertedSayWhy) {
    places_.zones["Kandel"] = "Europe/Berlin";
    const auto with = [](auto change) {
        SourceBirth b = Ferber();
        change(b);
        return b;
    };
    const struct {
        SourceBirth birth;
        const char* reason;
    } cases[] = {
        {with([](SourceBirth& b) { b.fault = "the time \"x\" is not a clock time"; }),
         "the time \"x\" is not a clock time"},
        {with([](SourceBirth& b) { b.name = "  "; }), "the record has no name"},
        {with([](SourceBirth& b) { b.name = "Two\nLines"; }), "the name holds a line break"},
        {with([](SourceBirth& b) { b.name = "\"Quoted"; }),
         "the name begins with a double quote, which a names file cannot hold"},
        {with([](SourceBirth& b) { b.name = "Smith, \"Jo\""; }),
         "the name holds both a double quote and a comma, which a names file cannot hold"},
        {with([](SourceBirth& b) { b.name = std::string(1025, 'x'); }), "the name is longer than 1024 bytes"},
        {with([](SourceBirth& b) { b.date.reset(), b.dateText.clear(); }), "the record has no date"},
        {with([](SourceBirth& b) { b.date.reset(), b.dateText = "31.2.1970"; }),
         "\"31.2.1970\" is not a date"},
        {with([](SourceBirth& b) { b.date.reset(), b.dateText = "27.9.70"; }),
         "the date \"27.9.70\" gives the year in short: write it in full (1962, not 62; the year 62 as "
         "0062), for "
         "the years the program computes (1 to 2099)"},
        {with([](SourceBirth& b) { b.date.reset(), b.dateText = "1/1/1"; }),
         "the date \"1/1/1\" gives the year in short: write it in full (1962, not 62; the year 62 as 0062), "
         "for "
         "the years the program computes (1 to 2099)"},
        {with([](SourceBirth& b) { b.date.reset(), b.dateText = "27.13.70"; }), "\"27.13.70\" is not a date"},
        {with([](SourceBirth& b) {
             b.date = CivilDate{2100, 1, 1};
         }),
         "the date 1.1.2100 is outside the years the program computes (1 to 2099)"},
        {with([](SourceBirth& b) {
             b.date = CivilDate{2099, 12, 31}, b.clock = ClockTime{23, 59, 30};
         }),
         "rounded to the minute, the date 1.1.2100 is outside the years the program computes"},
        {with([](SourceBirth& b) { b.clock.reset(); }), "the record has no time of birth"},
        {with([](SourceBirth& b) { b.latitude.reset(); }), "the record has no latitude and longitude"},
        {with([](SourceBirth& b) { b.zoneEast.reset(), b.place.clear(); }),
         "unknown zone: the record gives no time zone, nor a place to look it up"},
        {with([](SourceBirth& b) { b.zoneEast.reset(), b.place = "Atlantis"; }),
         "unknown zone: the record gives no time zone, and the world atlas has no place \"Atlantis\""},
        {with([](SourceBirth& b) { b.daylight.reset(), b.place = "Atlantis"; }),
         "unknown zone: the daylight-saving time is not given, and the world atlas has no place "
         "\"Atlantis\""},
        {with([](SourceBirth& b) { b.zoneEast.reset(), b.abbreviation = "CST", b.place.clear(); }),
         "unknown zone: the zone abbreviation CST alone does not tell the offset, nor a place to look it up"},
        {with([](SourceBirth& b) { b.zoneEast.reset(), b.zoneId = "Mars/Olympus"; }),
         "unknown zone: the time-zone database of this system does not know the zone Mars/Olympus"},
        {with([](SourceBirth& b) {
             b.zoneEast.reset(), b.zoneId = "Europe/Berlin", b.date = CivilDate{2024, 3, 31},
                                 b.clock = ClockTime{2, 30, 0};
         }),
         "unknown zone: 2:30 AM on 31 Mar 2024 did not exist in Europe/Berlin: the clocks were put forward "
         "over it "
         "(from CET to CEST); give the time as one of the two clocks read it"},
        {with([](SourceBirth& b) { b.zoneEast = 14 * 3600 + 1800; }),
         "the zone 14 hours 30 minutes east of UT is outside the zones the program takes (14 hours east to "
         "12 "
         "hours west of UT)"},
        {with([](SourceBirth& b) { b.zoneEast = -12 * 3600 - 1800; }),
         "the zone 12 hours 30 minutes west of UT is outside the zones the program takes (14 hours east to "
         "12 hours west of UT)"},
        {with([](SourceBirth& b) { b.zoneEast = 3 * 3600, b.longitude = -8.0; }),
         "the zone 3 hours east of UT lies more than 2 hours east of UT while the longitude 8\xC2\xB0"
         "00'W is west and short of the date line (150 degrees west and beyond), which the program refuses "
         "as a sign the wrong way round"},
        {with([](SourceBirth& b) { b.zoneEast = 13 * 3600, b.longitude = -150.0; }),
         "the zone 13 hours east of UT lies more than 2 hours east of UT while the longitude 150\xC2\xB0"
         "00'W is west and short of the date line (150 degrees west and beyond), which the program refuses "
         "as a sign the wrong way round"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        const BirthConversion converted = Convert(c.birth);
        EXPECT_FALSE(converted.record);
        EXPECT_EQ(converted.refusal, c.reason);
        EXPECT_TRUE(converted.warnings.empty());
    }
}

TEST_F(ExchangeBirthsTest, ANameWithACommaIsKeptInQuotesAndReadsBack) {
    SourceBirth b = Ferber();
    b.name = "Ferber, Tobias";
    const BirthConversion converted = Convert(b);
    ASSERT_TRUE(converted.record);
    const std::string line = NameRecordLine(*converted.record);
    EXPECT_EQ(line, "\"Ferber, Tobias\",27 Sep 1970,11.04,A,-1,-008.11,49.05");
    EXPECT_EQ(ParseNameRecord(line)->Field[1], "Ferber, Tobias");
}

TEST_F(ExchangeBirthsTest, WithoutZoneSourcesARecordThatNeedsThemIsRefused) {
    ZoneSources none;
    SourceBirth b = Ferber();
    b.zoneEast.reset();
    EXPECT_EQ(ConvertBirth(b, none, regional_).refusal,
              "unknown zone: the record gives no time zone, and the world atlas is not at hand to look up "
              "Kandel/Pfalz");
    b.zoneId = "Europe/Berlin";
    EXPECT_EQ(ConvertBirth(b, none, regional_).refusal,
              "unknown zone: no time-zone database is at hand for the zone Europe/Berlin");
}

TEST(ExportBirthTest, ANamesRecordReadsAsTheWindowWouldTakeIt) {
    const RegionalFormat regional;
    const auto read = [&](const char* line) {
        return ReadExportBirth({3, *ParseNameRecord(line)}, regional);
    };
    const ExportReading sample = read("Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52");
    ASSERT_TRUE(sample.birth) << sample.refusal;
    const ExportBirth& b = *sample.birth;
    EXPECT_EQ(b.line, 3u);
    EXPECT_EQ(b.name, "Sample Person");
    EXPECT_EQ(b.date, (CivilDate{1962, 3, 14}));
    EXPECT_EQ(b.hour, 22);
    EXPECT_EQ(b.minute, 15);
    EXPECT_EQ(b.OffsetEastSeconds(), -6 * 3600);
    EXPECT_EQ(b.longitudeEastMinutes, -(87 * 60 + 39));
    EXPECT_EQ(b.latitudeNorthMinutes, 41 * 60 + 52);
    EXPECT_FALSE(b.IsMeanTime());
    // 22:15 CST is 04:15 UT on the 15th.
    EXPECT_NEAR(b.JulianDay(), 2437738.5 + 4.25 / 24, 1e-9);

    const struct {
        const char* line;
        int hour;
    } hours[] = {{"A,01 Jan 2000,12.05,A,0,000.00,51.30", 0},
                 {"A,01 Jan 2000,12.05,P,0,000.00,51.30", 12},
                 {"A,01 Jan 2000,1.00,P,0,000.00,51.30", 13}};
    for (const auto& h : hours) {
        SCOPED_TRACE(h.line);
        EXPECT_EQ(read(h.line).birth->hour, h.hour);
    }
    const ExportReading cezanne = read("Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31");
    ASSERT_TRUE(cezanne.birth);
    EXPECT_TRUE(cezanne.birth->IsMeanTime());
    EXPECT_NEAR(cezanne.birth->JulianDay(), 2392758.526528, 5e-7);
    // A zone that merely equals a meridian's mean time stays a zone; so does one a second away from the
    // mean time, which the names file tells apart; more decimals than the file's four are no other zone.
    EXPECT_FALSE(read("Görlitz,01 Jan 2000,12.00,P,-1,-015.00,51.09").birth->IsMeanTime());
    EXPECT_FALSE(read("Paul Cezanne,19 Jan 1839,1.00,A,-0.3636,-005.27,43.31").birth->IsMeanTime());
    EXPECT_TRUE(read("Paul Cezanne,19 Jan 1839,1.00,A,-0.36333,-005.27,43.31").birth->IsMeanTime());

    EXPECT_EQ(read("X,31 Feb 1962,10.15,P,6,087.39,41.52").refusal,
              "field 2 (date) is not a date: 31 Feb 1962");
    EXPECT_EQ(read("X,14 Mar 1962,10.15,P,14,087.39,41.52").refusal,
              "the program's input checks refuse it: Error in natal input data section. Please correct.");
}

}  // namespace
}  // namespace talvenor
