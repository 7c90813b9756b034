// Whole files in and out of names files: the AAF examples with their zones, round trips through the
// names file and hostile files (the names window's Import and Export: tests/session/exchange_commands_test).
#include "exchange/exchange_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <istream>
#include <streambuf>
#include <string>
#include <vector>

#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "exchange/aaf_examples.h"
#include "exchange/exchange_format.h"
#include "report/report_buffer.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"
#include "system_zones.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

constexpr const char* kExamples = testing_support::kAafExamples;

std::vector<std::string> Lines(const ImportResult& result) {
    std::vector<std::string> lines;
    for (const NameRecord& r : result.records) lines.push_back(NameRecordLine(r));
    return lines;
}

NumberedNames NamesOf(const ImportResult& result) {
    NumberedNames names;
    names.opened = true;
    for (std::size_t i = 0; i < result.records.size(); ++i)
        names.records.push_back({i + 1, result.records[i]});
    return names;
}

// AAF records made as they are read, never all in memory: a file of any size.
class GeneratedAaf : public std::streambuf {
  public:
    explicit GeneratedAaf(std::size_t count) : count_(count) {}

  protected:
    int_type underflow() override {
        if (made_ == count_) return traits_type::eof();
        record_ =
            "#A93:Person,No" + std::to_string(made_) + ",m,1.1.1990,12:00,P,D\r\n#B93:*,49n05,8e11,1he,0\r\n";
        if (made_ % 10 == 9)
            record_ =
                "#A93:Person,No" + std::to_string(made_) + ",m,1.1.1990,*,P,D\r\n#B93:*,49n05,8e11,1he,0\r\n";
        ++made_;
        setg(record_.data(), record_.data(), record_.data() + record_.size());
        return traits_type::to_int_type(record_[0]);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode) override {
        if (position != pos_type(0)) return pos_type(off_type(-1));
        made_ = 0;
        setg(nullptr, nullptr, nullptr);
        return position;
    }

  private:
    std::size_t count_, made_ = 0;
    std::string record_;
};

class ExchangeFilesTest : public ::testing::Test {
  protected:
    SystemZoneDatabase zones_;
    AtlasPlaceZones places_{[] { return Atlas::OpenIndex(TALVENOR_ATLAS_INDEX); }};
    ZoneSources sources_{&zones_, &places_};
    RegionalFormat regional_;
    TemporaryFolder folder_;

    ImportResult Import(const std::string& text, std::optional<ExchangeFormat> format = std::nullopt) {
        return ImportBirthsText(text, format, sources_, regional_);
    }
};

TEST_F(ExchangeFilesTest, TheFormatsTwoExamplesImportWithTheirZones) {
    const ImportResult result = Import(kExamples);
    ASSERT_EQ(result.fault, "");
    EXPECT_EQ(result.format, ExchangeFormat::Aaf);
    // Ferber's zone is one hour east; Cezanne's clock kept the mean time of 5e27, 21 min 48 s east, which
    // also agrees with his Julian day.
    EXPECT_EQ(Lines(result),
              (std::vector<std::string>{"Tobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05",
                                        "Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31"}));
    EXPECT_EQ(result.lines, (std::vector<std::size_t>{2, 7}));
    EXPECT_TRUE(result.refused.empty());
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.notes,
              (std::vector<std::string>{
                  "#COM chunks (1 record) were not kept: a names file has no field for them",
                  "AAF records keep no place in a names file: the place, country and type fields were "
                  "not kept",
                  "local mean time taken from the longitude (4 minutes of time a degree) (1 record): "
                  "line 7"}));
}

TEST_F(ExchangeFilesTest, AZoneTheRecordLeavesOpenComesFromItsPlaceInTheAtlas) {
    const ImportResult result = Import(
        "#A93:Summer,Child,f,1.7.1980,12:00,Kandel/Pfalz,D\n#B93:*,49n05,8e11,*,*\n"
        "#A93:Far,Away,f,1.7.1980,12:00,Kandel,USA\n#B93:*,39n00,77w00,*,*\n");
    EXPECT_EQ(Lines(result), std::vector<std::string>{"Child Summer,01 Jul 1980,12.00,P,-2,-008.11,49.05"});
    ASSERT_EQ(result.refused.size(), 1u);
    // The atlas's Kandel lies in Germany, far from this record's position: its zone is not lent.
    EXPECT_EQ(
        ProblemText(result.refused[0]),
        "line 3, Away Far: unknown zone: the record gives no time zone, and the world atlas has no place "
        "\"Kandel\" within 30 km of the record's position");
    EXPECT_NE(result.notes.back().find("place found in the world atlas (1 record): line 1"),
              std::string::npos);
}

TEST_F(ExchangeFilesTest, AafThroughTheNamesFileAndBackKeepsWhatANamesFileHolds) {
    const ImportResult first = Import(kExamples);
    const ExportResult out = ExportNames(NamesOf(first), ExchangeFormat::Aaf, regional_);
    EXPECT_EQ(out.bytes,
              "#A93:Ferber,Tobias,*,27.9.1970,11:04,*,*\r\n#B93:2440856.919444,49n05,8e11,1he00,0\r\n\r\n"
              "#A93:Cezanne,Paul,*,19.1.1839,1:00,*,*\r\n#B93:2392758.526528,43n31,5e27,*,L\r\n");
    // Every field a names file holds is the same after the round trip, the Julian day included.
    const SourceFile before = ReadAafText(kExamples);
    const SourceFile after = ReadAafText(out.bytes);
    ASSERT_EQ(after.births.size(), before.births.size());
    for (std::size_t i = 0; i < before.births.size(); ++i) {
        const SourceBirth& a = before.births[i];
        const SourceBirth& b = after.births[i];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.date, a.date);
        EXPECT_EQ(b.clock, a.clock);
        EXPECT_EQ(b.latitude, a.latitude);
        EXPECT_EQ(b.longitude, a.longitude);
        EXPECT_EQ(b.meanTime, a.meanTime);
        if (!a.meanTime) {
            EXPECT_EQ(*b.zoneEast + *b.daylight, *a.zoneEast + *a.daylight);
        }
    }
    EXPECT_EQ(after.births[1].julianDay, before.births[1].julianDay);
    // And once more, byte for byte.
    const ImportResult second = Import(out.bytes);
    EXPECT_EQ(Lines(second), Lines(first));
    EXPECT_EQ(ExportNames(NamesOf(second), ExchangeFormat::Aaf, regional_).bytes, out.bytes);
}

TEST_F(ExchangeFilesTest, QuickChartThroughTheNamesFileAndBackKeepsWhatANamesFileHolds) {
    const std::string original =
        "Tobias Ferber          SEP 27, 197011:04:00 AM    -01:00008E11'00 49N05'00                          "
        "\r\n"
        "Paul Cezanne           JAN 19, 183901:00:00 AM LMT-00:22005E27'00 43N31'00                          "
        "\r\n"
        "Sample Person          MAR 14, 196210:15:00 PM    +06:00087W39'00 41N52'00                          "
        "\r\n"
        "Sydney Person          JAN  5, 199006:45:00 AM    -10:00151E13'00 33S52'00                          "
        "\r\n";
    const ImportResult imported = Import(original, ExchangeFormat::QuickChart);
    ASSERT_EQ(imported.refused.size(), 0u);
    EXPECT_EQ(Lines(imported),
              (std::vector<std::string>{"Tobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05",
                                        "Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31",
                                        "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
                                        "Sydney Person,05 Jan 1990,6.45,A,-10,-151.13,-33.52"}));
    EXPECT_EQ(ExportNames(NamesOf(imported), ExchangeFormat::QuickChart, regional_).bytes, original);
    // A line with a place and a zone abbreviation keeps every other column.
    const std::string withPlace =
        "Tobias Ferber          SEP 27, 197011:04:00 AM CET-01:00008E11'00 49N05'00 Kandel                   "
        "\r\n";
    EXPECT_EQ(ExportNames(NamesOf(Import(withPlace, ExchangeFormat::QuickChart)), ExchangeFormat::QuickChart,
                          regional_)
                  .bytes,
              original.substr(0, 102));
}

TEST_F(ExchangeFilesTest, QuickChartNamesComeBackInTheirColumnsWhateverTheirLetters) {
    // Windows-1252 where the letters allow it; but "ß¾" in Windows-1252 are the two bytes of one UTF-8
    // character, which a reader would take for UTF-8 and so shift every column after the name; and
    // "ï»¿" at the start of the file are the bytes of the mark a reader skips.
    const struct {
        const char* name;
        bool windows1252;
    } cases[] = {{"José Müller", true}, {"Straße ¾", true},       {"Anna ß¾93", false},
                 {"Łukasz Żak", false}, {"ï»¿’le Person", false}, {"Ann ï»¿’", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string record = std::string(c.name) + ",27 Sep 1970,11.04,A,-1,-008.11,49.05";
        NumberedNames names;
        names.opened = true;
        names.records.push_back({1, *ParseNameRecord(record)});
        const ExportResult out = ExportNames(names, ExchangeFormat::QuickChart, regional_);
        ASSERT_EQ(out.written, 1u);
        EXPECT_EQ(IsValidUtf8(out.bytes), !c.windows1252);
        const ImportResult back = Import(out.bytes, ExchangeFormat::QuickChart);
        EXPECT_TRUE(back.refused.empty());
        EXPECT_EQ(Lines(back), std::vector<std::string>{record});
    }
}

TEST_F(ExchangeFilesTest, AByteOrderMarkInsideTheFileIsNoPartOfAName) {
    // A file pasted together from two keeps the second one's mark at the start of a line; written out
    // again, a name beginning with it would lose its first letter to the reader that skips a file's mark.
    const std::string csv =
        "name,date,time,zone,longitude,latitude\r\n"
        "Ada Winterbourne,1978-02-02,07:05,UTC-05:00,084W23,33N45\r\n"
        "\xEF\xBB\xBFSample Person,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n"
        "Mid\xEF\xBB\xBFName,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n";
    const ImportResult imported = Import(csv, ExchangeFormat::Csv);
    ASSERT_TRUE(imported.refused.empty());
    const std::vector<std::string> expected = {"Ada Winterbourne,02 Feb 1978,7.05,A,5,084.23,33.45",
                                               "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52",
                                               "MidName,14 Mar 1962,10.15,P,6,087.39,41.52"};
    EXPECT_EQ(Lines(imported), expected);
    for (const ExchangeFormat format :
         {ExchangeFormat::Aaf, ExchangeFormat::QuickChart, ExchangeFormat::Csv}) {
        SCOPED_TRACE(FormatTitle(format));
        const ImportResult back = Import(ExportNames(NamesOf(imported), format, regional_).bytes, format);
        EXPECT_TRUE(back.refused.empty());
        EXPECT_EQ(Lines(back), expected);
    }
}

// A name from another program holding an escape, a bell or a tab would reach every page, table and
// terminal it is written to: on the way in each becomes a blank, and the report says so for the record.
// A name of nothing else is no name; a line break still breaks the record.
TEST_F(ExchangeFilesTest, ControlCharactersInNamesComeInAsBlanksAndTheReportSaysSo) {
    const std::string csv =
        "name,date,time,zone,longitude,latitude\r\n"
        "Ann\x1B[31mRed\x07,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n"
        "Tab\tName,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n"
        "\x1B\x07,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n"
        "C1\xC2\x9B"
        "2J,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n"
        "Plain,1962-03-14,22:15,UTC-06:00,087W39,41N52\r\n";
    const ImportResult imported = Import(csv, ExchangeFormat::Csv);
    EXPECT_EQ(Lines(imported), (std::vector<std::string>{"Ann [31mRed,14 Mar 1962,10.15,P,6,087.39,41.52",
                                                         "Tab Name,14 Mar 1962,10.15,P,6,087.39,41.52",
                                                         "C1 2J,14 Mar 1962,10.15,P,6,087.39,41.52",
                                                         "Plain,14 Mar 1962,10.15,P,6,087.39,41.52"}));
    ASSERT_EQ(imported.refused.size(), 1u);
    EXPECT_EQ(imported.refused[0].line, 4u);
    EXPECT_EQ(imported.refused[0].text, "the record has no name");
    std::vector<std::string> warnings;
    for (const ExchangeProblem& p : imported.warnings) warnings.push_back(ProblemText(p));
    EXPECT_EQ(warnings,
              (std::vector<std::string>{"line 2, Ann [31mRed : " + std::string(kControlCharactersBlanked),
                                        "line 3, Tab Name: " + std::string(kControlCharactersBlanked),
                                        "line 5, C1\xC2\x9B"
                                        "2J: " +
                                            std::string(kControlCharactersBlanked)}));
    // The report shows them all, and holds no control character itself.
    ReportBuffer report;
    for (const std::string& line : ImportReport(imported, "BIRTHS.CSV", "")) report.AppendLine(line);
    const std::string page = PageText(report, "\n");
    EXPECT_FALSE(HoldsControlCharacter(page));
    EXPECT_NE(page.find("line 3, Tab Name: the name held control characters (a tab, an escape or the like)"),
              std::string::npos)
        << page;

    // Going out, a name a names file was edited to hold goes as blanks, with a note.
    const NumberedNames edited = ReadNumberedNamesText(
        "Ann\x1B[31mRed\x07,14 Mar 1962,10.15,P,6,087.39,41.52\n\x1B,14 Mar 1962,10.15,P,6,087.39,41.52\n");
    for (const ExchangeFormat format :
         {ExchangeFormat::Aaf, ExchangeFormat::QuickChart, ExchangeFormat::Csv}) {
        SCOPED_TRACE(FormatTitle(format));
        const ExportResult out = ExportNames(edited, format, regional_);
        EXPECT_EQ(out.written, 1u);
        EXPECT_FALSE(HoldsControlCharacter(out.bytes));
        EXPECT_NE(out.bytes.find("Red"), std::string::npos);
        EXPECT_EQ(out.notes,
                  (std::vector<std::string>{
                      "control characters in names (a tab, an escape or the like) written as blanks "
                      "(1 record): line 1"}));
        ASSERT_EQ(out.refused.size(), 1u);
        EXPECT_EQ(out.refused[0].text, "the name holds nothing but control characters");
    }
}

TEST_F(ExchangeFilesTest, TheShippedNamesFileGoesThroughEveryFormatAndComesBackTheSame) {
    const NumberedNames shipped = ReadNumberedNames(fs::path(TALVENOR_SHIPPED_DATA_DIR) / "NAMES.FIL");
    ASSERT_TRUE(shipped.opened);
    ASSERT_GE(shipped.records.size(), 5u);
    std::vector<std::string> lines;
    for (const NumberedRecord& r : shipped.records) lines.push_back(NameRecordLine(r.record));
    for (const ExchangeFormat format :
         {ExchangeFormat::Aaf, ExchangeFormat::QuickChart, ExchangeFormat::Csv}) {
        SCOPED_TRACE(FormatTitle(format));
        const ExportResult out = ExportNames(shipped, format, regional_);
        EXPECT_TRUE(out.refused.empty());
        EXPECT_EQ(out.written, shipped.records.size());
        const ImportResult back = Import(out.bytes, format);
        EXPECT_TRUE(back.refused.empty());
        EXPECT_EQ(Lines(back), lines);
        EXPECT_EQ(GuessFormat(DecodeText(out.bytes)), format);
    }
}

TEST_F(ExchangeFilesTest, ZonesBesideTheLocalMeanTimeComeBackAsTheyWere) {
    // At 5°27' E the mean time is 21m48s east of UT, "-0.3633"; a zone a second from it is no mean time.
    // (Quick*Chart zones hold whole minutes, so AAF and CSV, which hold seconds, are the formats to ask.)
    const std::vector<std::string> lines = {"Mean,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31",
                                            "Beside,19 Jan 1839,1.00,A,-0.3636,-005.27,43.31",
                                            "West,19 Jan 1839,1.00,A,0.3636,005.27,43.31"};
    NumberedNames names;
    names.opened = true;
    for (std::size_t i = 0; i < lines.size(); ++i)
        names.records.push_back({i + 1, *ParseNameRecord(lines[i])});
    for (const ExchangeFormat format : {ExchangeFormat::Aaf, ExchangeFormat::Csv}) {
        SCOPED_TRACE(FormatTitle(format));
        const ImportResult back = Import(ExportNames(names, format, regional_).bytes, format);
        EXPECT_TRUE(back.refused.empty());
        EXPECT_EQ(Lines(back), lines);
    }
}

TEST_F(ExchangeFilesTest, YearsOfFewerThanFourDigitsAreWrittenInFullAndComeBack) {
    // A date of the year 21 written "17.8.21" read back as a year given in short and was refused.
    const std::vector<std::string> lines = {
        "One,01 Jan 0001,12.00,P,-1,-008.11,49.05", "Pike,17 Aug 0021,9.05,P,5,071.04,42.22",
        "Three,03 Mar 0321,6.30,A,0,000.00,51.28", "Late,31 Dec 2099,11.59,P,0,000.00,51.28"};
    NumberedNames names;
    names.opened = true;
    for (std::size_t i = 0; i < lines.size(); ++i)
        names.records.push_back({i + 1, *ParseNameRecord(lines[i])});
    for (const ExchangeFormat format :
         {ExchangeFormat::Aaf, ExchangeFormat::QuickChart, ExchangeFormat::Csv}) {
        SCOPED_TRACE(FormatTitle(format));
        const ExportResult out = ExportNames(names, format, regional_);
        ASSERT_EQ(out.written, lines.size());
        const ImportResult back = Import(out.bytes, format);
        ASSERT_EQ(back.refused.size(), 0u) << ProblemText(back.refused[0]);
        EXPECT_EQ(Lines(back), lines);
    }
    EXPECT_NE(ExportNames(names, ExchangeFormat::Aaf, regional_).bytes.find(",17.8.0021,"),
              std::string::npos);
}

TEST_F(ExchangeFilesTest, AZoneWithoutItsTimeTypeIsKeptAndTheJulianDayChecksIt) {
    // 1.1.1990 12:00 an hour east of UT is 11:00 UT, Julian day 2447892.958333. A Julian day twelve
    // seconds off (as files that round it have it) gave the zone -0.9967 instead of the -1 written.
    const struct {
        const char* b93;
        const char* zone;
        const char* warning;
    } cases[] = {
        {"2447892.958333,49n05,8e11,1hE00:00,*", "-1", ""},
        {"2447892.958472,49n05,8e11,1hE00:00,*", "-1", ""},
        {"2447892.958333,49n05,8e11,1he,", "-1", ""},
        {"2447892.916667,49n05,8e11,1he00,*", "-1",
         "the Julian day 2447892.916667 and the date, time and zone differ by 1 hour; the date, time and "
         "zone "
         "were kept"},
        // With its time type the zone was always kept; without a zone the Julian day still gives it.
        {"2447892.916667,49n05,8e11,1he00,1", "-2", ""},
        {"2447892.916667,49n05,8e11,*,*", "-2", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.b93);
        const ImportResult result =
            Import(std::string("#A93:Ann,Lee,f,1.1.1990,12:00,Kandel,D\n#B93:") + c.b93);
        ASSERT_EQ(result.converted, 1u);
        EXPECT_EQ(result.records.at(0).Field[5], c.zone);
        std::string warning;
        if (!result.warnings.empty()) warning = result.warnings[0].text;
        EXPECT_EQ(warning, c.warning);
    }
}

TEST_F(ExchangeFilesTest, AJulianCalendarDateComesInOnItsDayWithANote) {
    // Julian 1 January 1700 is the Gregorian 11 January, Julian day 2341983 at noon UT: the Julian day of
    // the record agrees with the date as read, so no warning.
    const ImportResult result = Import(
        "#A93:Old,One,m,1.1.1700j,12:00,London,GB\n#B93:2341983.000000,51n30,0w07,0he00,0\n"
        "#A93:Older,One,m,1.1.1500j,12:00,London,GB\n#B93:*,51n30,0w07,0he00,0\n");
    EXPECT_EQ(Lines(result), (std::vector<std::string>{"One Old,11 Jan 1700,12.00,P,0,000.07,51.30",
                                                       "One Older,01 Jan 1500,12.00,P,0,000.07,51.30"}));
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.notes.back(),
              "Julian-calendar dates (marked j) after 1582 October 15 turned into the Gregorian dates of the "
              "same days, the calendar the program counts them in (1 record): line 1");
}

TEST_F(ExchangeFilesTest, SemicolonFilesOfSpreadsheetsWithDecimalCommasComeIn) {
    const ImportResult result = Import(
        "Name;Birth Date;Birth Time;Timezone;Longitude;Latitude;City\r\n"
        "Tobias Ferber;27.09.1970;11:04;+1;8,1833;49,0833;Kandel\r\n");
    EXPECT_EQ(result.format, ExchangeFormat::Csv);
    EXPECT_TRUE(result.refused.empty());
    EXPECT_EQ(Lines(result), std::vector<std::string>{"Tobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05"});
}

TEST_F(ExchangeFilesTest, RecordsAreReadConvertedAndHandedOnOneAtATime) {
    // 30,000 records, every tenth without a time: handed to the sink as they come, nothing collected, and
    // of the refused records the first thousand listed.
    GeneratedAaf generated(30'000);
    std::istream in(&generated);
    std::size_t handed = 0, lastLine = 0;
    const ImportResult result = ImportBirthsFrom(
        in, std::nullopt, sources_, regional_, [&](std::size_t line, const NameRecord& record) {
            EXPECT_GT(line, lastLine);
            lastLine = line;
            if (handed++ == 0) {
                EXPECT_EQ(NameRecordLine(record), "No0 Person,01 Jan 1990,12.00,P,-1,-008.11,49.05");
            }
        });
    EXPECT_EQ(result.fault, "");
    EXPECT_EQ(result.format, ExchangeFormat::Aaf);
    EXPECT_EQ(handed, 27'000u);
    EXPECT_EQ(result.converted, 27'000u);
    EXPECT_TRUE(result.records.empty());
    EXPECT_EQ(result.refusedCount, 3'000u);
    ASSERT_EQ(result.refused.size(), kListedProblems);
    EXPECT_EQ(ProblemText(result.refused.back()),
              "line 19999, No9999 Person: the record has no time of birth");

    const std::vector<std::string> report = ImportReport(result, "BIG.AAF", "");
    EXPECT_EQ(report[2], "30000 records read, 27000 converted, 3000 could not be converted.");
    EXPECT_EQ(std::count_if(report.begin(), report.end(),
                            [](const std::string& line) { return line.starts_with("  line "); }),
              static_cast<std::ptrdiff_t>(kListedProblems));
    EXPECT_EQ(report.back(),
              "  and 2000 more records, not listed: the first 1000 show what to correct in the file");
    EXPECT_NE(
        ImportQuestion(result, "BIG.AAF", "NAMES.FIL")
            .find("3000 records could not be converted and will be left out; the report lists the first 1000 "
                  "with their reasons."),
        std::string::npos);
}

TEST_F(ExchangeFilesTest, ConvertedRecordsGoIntoTheNamesFileAsTheyWouldHaveFromMemory) {
    // Kept in a temporary file beyond a few bytes, the records give the same names file and backup.
    const std::string before = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";  // no line end
    std::vector<NameRecord> records;
    for (int i = 0; i < 500; ++i)
        records.push_back(
            *ParseNameRecord("Person " + std::to_string(i) + ",01 Jan 1990,12.00,P,-1,-008.11,49.05"));
    const fs::path fromMemory = folder_.path() / "MEMORY.FIL";
    const fs::path converted = folder_.path() / "CONVERTED.FIL";
    WriteBytes(fromMemory, before);
    WriteBytes(converted, before);
    ASSERT_TRUE(AddRecordsToNamesFile(fromMemory, records).written);
    ConvertedRecords kept(100);
    const RecordSink sink = kept.Sink();
    for (const NameRecord& record : records) sink(1, record);
    EXPECT_EQ(kept.size(), 500u);
    EXPECT_TRUE(kept.Complete());
    ASSERT_TRUE(kept.AddTo(converted).written);
    EXPECT_EQ(ReadBytes(converted), ReadBytes(fromMemory));
    EXPECT_EQ(ReadBytes(BackupPath(converted)), before);
    // Cleared, it holds nothing; and a names file that does not read to its end is left alone as before.
    kept.Clear();
    EXPECT_EQ(kept.size(), 0u);
    const std::string damaged = "Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\n,,,,,,\r\n";
    WriteBytes(converted, damaged);
    kept.Add(records[0]);
    EXPECT_FALSE(kept.AddTo(converted).written);
    EXPECT_EQ(ReadBytes(converted), damaged);
}

TEST_F(ExchangeFilesTest, RecordsThatCouldNotAllBeKeptAreNotWrittenAtAll) {
    // The temporary file cannot be made (the folder is not there, as a full disk would refuse it): the
    // names file is left as it was and the message says why, rather than a part of the births added.
    const fs::path target = folder_.path() / "NAMES.FIL";
    const std::string before = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
    WriteBytes(target, before);
    ConvertedRecords kept(100, folder_.path() / "missing");
    const NameRecord record = *ParseNameRecord("Ann,01 Jan 1990,12.00,P,-1,-008.11,49.05");
    for (int i = 0; i < 10; ++i) kept.Add(record);
    EXPECT_EQ(kept.size(), 10u);
    EXPECT_FALSE(kept.Complete());
    const NamesFileAddition added = kept.AddTo(target);
    EXPECT_FALSE(added.written);
    EXPECT_EQ(added.message, "The converted births could not all be kept for writing: the temporary folder " +
                                 (folder_.path() / "missing").string() +
                                 " is full or cannot be written. Nothing was added.");
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_FALSE(fs::exists(BackupPath(target)));
}

TEST_F(ExchangeFilesTest, AFileThatIsNotOfItsFormatSaysWhatItLooksLike) {
    const std::string csv =
        "name,date,time,zone,longitude,latitude\r\nAnn,1970-09-27,11:04,+1,8e11,49n05\r\n";
    const std::string aaf = kExamples;
    const std::string qck = "Tobias Ferber          SEP 27, 197011:04:00 AM    -01:00008E11'00 49N05'00\r\n";
    const struct {
        const char* file;
        std::string text;
        std::string fault;
        std::optional<ExchangeFormat> looksLike;
    } cases[] = {
        {"births.aaf", csv,
         "it holds no #A93 record, so it is no AAF file; its text looks like CSV (its first line names the "
         "columns of a CSV file of births)",
         ExchangeFormat::Csv},
        {"births.csv", aaf,
         "its header row names no column for name, date, time, longitude, latitude (the columns are "
         "name,date,time,zone,longitude,latitude,place, in any order); its text looks like AAF (it holds "
         "#A93 "
         "records)",
         ExchangeFormat::Aaf},
        {"births.qck", csv,
         "none of its lines is a Quick*Chart record; its text looks like CSV (its first line names the "
         "columns "
         "of a CSV file of births)",
         ExchangeFormat::Csv},
        {"births.aaf", qck,
         "it holds no #A93 record, so it is no AAF file; its text looks like Quick*Chart (its first line "
         "reads "
         "as a Quick*Chart record)",
         ExchangeFormat::QuickChart},
        {"notes.aaf", "Dear diary,\r\ntoday nothing happened.\r\n",
         "it holds no #A93 record, so it is no AAF file", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + (" " + c.text));
        const fs::path file = folder_.path() / c.file;
        WriteBytes(file, c.text);
        const ImportResult result = ImportBirths(file, std::nullopt, sources_, regional_);
        EXPECT_EQ(result.fault, c.fault);
        EXPECT_EQ(result.looksLike, c.looksLike);
        EXPECT_EQ(result.converted, 0u);
        EXPECT_TRUE(result.refused.empty());
    }
}

TEST_F(ExchangeFilesTest, HostileFilesGiveMessagesAndRefusedRecords) {
    const std::string binary(
        "\x7f"
        "ELF\0\0\x01\x02#A93:",
        13);
    EXPECT_EQ(Import(binary).fault, "it is no text file (it holds NUL bytes)");
    EXPECT_EQ(Import("", ExchangeFormat::Aaf).fault, "it holds no #A93 record, so it is no AAF file");
    EXPECT_EQ(Import("", ExchangeFormat::QuickChart).fault, "it holds no line of birth data");

    // Ten million characters on one line, in every format.
    const std::string huge(10'000'000, 'x');
    const ImportResult aaf = Import("#A93:" + huge + ",B,m,1.1.1990,12:00,P,D\n#B93:*,49n05,8e11,1he,0\n");
    ASSERT_EQ(aaf.refused.size(), 1u);
    EXPECT_EQ(aaf.refused[0].text, "the name is longer than 1024 bytes");
    EXPECT_EQ(aaf.refused[0].name.size(), 80u);  // a name in a report is cut short
    const ImportResult qck = Import(huge, ExchangeFormat::QuickChart);
    ASSERT_EQ(qck.refused.size(), 1u);
    EXPECT_EQ(qck.refused[0].text, "the date \"xxxxxxxxxxxx\" is not a date");
    const ImportResult csv =
        Import("name,date,time,zone,longitude,latitude\n" + huge + ",1.1.1990,1:00,+1,8e11,49n05\n");
    ASSERT_EQ(csv.refused.size(), 1u);
    EXPECT_EQ(csv.refused[0].text, "the name is longer than 1024 bytes");

    // A record without #B93 among good ones: the others still come in.
    const ImportResult missing =
        Import(std::string(kExamples) + "#A93:No,Place,m,1.1.1990,12:00,P,D\n#COM:x\n");
    EXPECT_EQ(missing.records.size(), 2u);
    ASSERT_EQ(missing.refused.size(), 1u);
    EXPECT_EQ(ProblemText(missing.refused[0]),
              "line 9, Place No: the record has no #B93 chunk, so neither latitude nor longitude nor zone");

    // Windows-1252 text reads as the names file reads it.
    const ImportResult latin =
        Import("#A93:M\xfcller,J\xfcrgen,m,1.1.1990,12:00,K\xf6ln,D\n#B93:*,50n56,6e57,1he,0\n");
    EXPECT_EQ(Lines(latin),
              std::vector<std::string>{"J\xC3\xBCrgen M\xC3\xBCller,01 Jan 1990,12.00,P,-1,-006.57,50.56"});
}

TEST_F(ExchangeFilesTest, EveryRefusalIsOneLineWhateverTheFieldsHold) {
    // Quoted CSV fields may hold line breaks (the second row begins on line 5); a refusal names the record
    // and quotes the field on one line.
    const ImportResult result = Import(
        "name,date,time,zone,longitude,latitude,place\n"
        "\"Ann\nLee\",1970-09-27,\"11\n04\",+1,8e11,49n05,\n"
        "\"" +
        std::string(100, 'x') + "\",1970-09-27,,+1,8e11,49n05,\n");
    ASSERT_EQ(result.refused.size(), 2u);
    EXPECT_EQ(ProblemText(result.refused[0]), "line 2, Ann Lee: the time \"11 04\" is not a clock time");
    EXPECT_EQ(ProblemText(result.refused[1]),
              "line 5, " + std::string(80, 'x') + ": the record has no time of birth");

    // Without the atlas the refusal names the place to look up, its country over two lines.
    ZoneSources none;
    const ImportResult withoutAtlas = ImportBirthsText(
        "name,date,time,zone,longitude,latitude,place,country\r\n"
        "Bo Ek,1980-07-01,12:00,,008E11,49N05,Kandel,\"Ger\r\nmany\"\r\n",
        ExchangeFormat::Csv, none, regional_);
    ASSERT_EQ(withoutAtlas.refused.size(), 1u);
    EXPECT_EQ(
        ProblemText(withoutAtlas.refused[0]),
        "line 2, Bo Ek: unknown zone: the record gives no time zone, and the world atlas is not at hand "
        "to look up Kandel, Ger many");
}

TEST_F(ExchangeFilesTest, FormatsAreKnownByNameEndingOrText) {
    EXPECT_EQ(FormatNamed("AAF"), ExchangeFormat::Aaf);
    EXPECT_EQ(FormatNamed("qck"), ExchangeFormat::QuickChart);
    EXPECT_EQ(FormatNamed("Csv"), ExchangeFormat::Csv);
    EXPECT_EQ(FormatNamed("txt"), std::nullopt);
    EXPECT_EQ(FormatOfFile("/a/births.AAF"), ExchangeFormat::Aaf);
    EXPECT_EQ(FormatOfFile("births.qck"), ExchangeFormat::QuickChart);
    EXPECT_EQ(FormatOfFile("births"), std::nullopt);
    const struct {
        const char* text;
        ExchangeFormat format;
    } cases[] = {
        {"#: comment\n#A93:x", ExchangeFormat::Aaf},
        {"\n#:only comments", ExchangeFormat::Aaf},
        {"Name;Date;Time\n", ExchangeFormat::Csv},
        {"name\tbirth date\n", ExchangeFormat::Csv},
        {"Tobias Ferber          SEP 27, 1970", ExchangeFormat::QuickChart},
        {"", ExchangeFormat::QuickChart},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GuessFormat(c.text), c.format);
    }
}

TEST_F(ExchangeFilesTest, ANameWithoutAnEndingTakesTheEndingOfTheKindOfFileChosen) {
    const struct {
        const char* chosen;
        ExchangeFormat format;
        const char* target;
    } cases[] = {
        {"/home/ann/births", ExchangeFormat::Csv, "/home/ann/births.csv"},
        {"/home/ann/births", ExchangeFormat::Aaf, "/home/ann/births.aaf"},
        {"births", ExchangeFormat::QuickChart, "births.qck"},
        {"/home/ann/births.csv", ExchangeFormat::Aaf, "/home/ann/births.csv"},  // the ending chooses
        {"/home/ann/births.txt", ExchangeFormat::Csv, "/home/ann/births.txt"},  // refused by Export
        {"/home/ann/J.Smith", ExchangeFormat::Aaf, "/home/ann/J.Smith"},
        {"", ExchangeFormat::Csv, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(ExportTarget(c.chosen, c.format), std::filesystem::path(c.target));
    }
    EXPECT_EQ(ReplaceFileQuestion("/home/ann/births.csv"),
              "births.csv already exists. Do you want to replace it?");
    // One kind of file a format, each with the ending that names it.
    for (const ExchangeFileKind& kind : kExchangeFileKinds)
        EXPECT_EQ(FormatNamed(kind.ending), kind.format) << kind.label;
}

TEST_F(ExchangeFilesTest, ExportListsTheRecordsItCannotWriteWithTheirLines) {
    const NumberedNames names = ReadNumberedNamesText(
        "Good,14 Mar 1962,10.15,P,6,087.39,41.52\n"
        "Bad date,31 Feb 1962,10.15,P,6,087.39,41.52\n"
        "Far zone,14 Mar 1962,10.15,P,14,087.39,41.52\n"
        "No #1,14 Mar 1962,10.15,P,6,087.39,41.52\n"
        ",,,,,,\n"
        "Hidden,14 Mar 1962,10.15,P,6,087.39,41.52\n");
    const ExportResult out = ExportNames(names, ExchangeFormat::Aaf, regional_);
    EXPECT_EQ(out.written, 1u);
    EXPECT_EQ(out.bytes, "#A93:Good,*,*,14.3.1962,22:15,*,*\r\n#B93:2437738.677083,41n52,87w39,6hw00,0\r\n");
    std::vector<std::string> problems;
    for (const ExchangeProblem& p : out.refused) problems.push_back(ProblemText(p));
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "line 2, Bad date: field 2 (date) is not a date: 31 Feb 1962",
                  "line 3, Far zone: the program's input checks refuse it: Error in natal input data "
                  "section. Please correct.",
                  "line 4, No #1: the name holds \"#\", which AAF keeps for the start of its chunks",
                  "line 5: an empty name ends the list here; the lines after it are not read"}));
}

}  // namespace
}  // namespace talvenor
