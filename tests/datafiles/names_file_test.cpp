#include "datafiles/names_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

constexpr const char* kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";
constexpr const char* kAnn = "ANN,1 Jan 1990,1.00,A,0,000.00,51.30";

std::vector<std::string> Names(const NamesList& list) {
    std::vector<std::string> names;
    for (const auto& record : list.records) names.push_back(record.Field[1]);
    return names;
}

// The natal window of the sample person; tests change what they look at.
NatalInputFields SampleWindow(const std::string& name = "Sample Person") {
    NatalInputFields natal;
    natal.txtName = name;
    natal.txtMonth = "3";
    natal.txtDay = "14";
    natal.txtYear = "1962";
    natal.txtBirthHour = " 10";
    natal.txtBirthMinute = "15";
    natal.SelectAM(false);
    natal.txtTZ = " 6";
    natal.txtLongDeg = " 87";
    natal.txtLongMin = "39";
    natal.txtLatDeg = " 41";
    natal.txtLatMin = "52";
    return natal;
}

std::string NewLine(const std::string& name) {
    return name + ",14 Mar 1962,10.15,P, 6,087.39,41.52";
}

TEST(NamesFileTest, ListEndsAtAnEmptyNameAndKeepsRecordsBeforeABrokenOne) {
    TemporaryFolder folder;
    const auto file = folder.path() / "MINE.FIL";

    WriteBytes(file,
               std::string(kSample) + "\r\n" + kAnn + "\r\n,1 Jan 2000,1.00,A,0,000.00,00.00\r\n" + kAnn);
    NamesList list = LoadNamesList(file, folder.path());
    EXPECT_TRUE(list.opened);
    EXPECT_EQ(list.file, file);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Sample Person", "ANN"}));
    EXPECT_FALSE(list.error.has_value());
    EXPECT_EQ(list.records[0].Field[7], "41.52");

    WriteBytes(file, std::string(kSample) + "\r\nBroken,1 Jan 2000,1.00\r\n");
    list = LoadNamesList(file, folder.path());
    EXPECT_EQ(Names(list), std::vector<std::string>{"Sample Person"});
    EXPECT_EQ(list.error, kNamesFileError);

    // Blank lines at the end are not an error, and an old 1252 name reads as typed.
    WriteBytes(file, "Jos\xE9,1 Jan 1990,1.00,A,0,000.00,51.30\r\n\r\n\r\n");
    list = LoadNamesList(file, folder.path());
    EXPECT_EQ(Names(list), std::vector<std::string>{"Jos\xC3\xA9"});
    EXPECT_FALSE(list.error.has_value());
}

TEST(NamesFileTest, FallsBackToTheDefaultFileAndOtherwiseGivesAnEmptyList) {
    TemporaryFolder folder;
    NamesList list = LoadNamesList(folder.path() / "GONE.FIL", folder.path());
    EXPECT_FALSE(list.opened);
    EXPECT_TRUE(list.records.empty());

    WriteBytes(folder.path() / "NAMES.FIL", std::string(kAnn) + "\r\n");
    list = LoadNamesList(folder.path() / "GONE.FIL", folder.path());
    EXPECT_TRUE(list.opened);
    EXPECT_EQ(list.file, folder.path() / "NAMES.FIL");
    EXPECT_EQ(Names(list), std::vector<std::string>{"ANN"});
}

TEST(NamesFileTest, ClickFindsTheFirstOfEqualNamesAndLabelIsTheFileInCapitals) {
    NamesList list;
    list.records.resize(3);
    list.records[0].Field[1] = "Bob";
    list.records[1].Field[1] = "Ann";
    list.records[2].Field[1] = "Ann";
    EXPECT_EQ(FindName(list, "Ann"), 1u);
    EXPECT_FALSE(FindName(list, "ANN").has_value());
    EXPECT_EQ(ListLabel("/home/me/data/names.fil"), "NAMES.FIL");
    EXPECT_EQ(ListLabel("C:\\TALV\\jos\xC3\xA9.fil"), "JOS\xC3\x89.FIL");
}

TEST(NamesFileTest, LockedSelectionStaysInsideTheList) {
    const struct {
        int index, count, selected, top;
    } cases[] = {{7, 5, 4, 0},    {3, 5, 3, 0},  {12, 40, 12, 0},
                 {20, 40, 20, 8}, {-3, 5, 0, 0}, {50, 30, 29, 17}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " of " << c.count);
        const auto selection = LockedSelectionFor(c.index, c.count);
        ASSERT_TRUE(selection.has_value());
        EXPECT_EQ(selection->selected, c.selected);
        EXPECT_EQ(selection->top, c.top);
    }
    EXPECT_FALSE(LockedSelectionFor(0, 0).has_value());
}

TEST(NamesFileTest, FormatsTheRecordWithPointsAndRegionalMonth) {
    EXPECT_EQ(FormatNameRecord(SampleWindow(), RegionalFormat{}).line, NewLine("Sample Person"));

    NatalInputFields natal = SampleWindow("Ann");
    natal.txtDay = "5";
    natal.txtBirthHour = " 9";
    natal.txtBirthMinute = "5";
    natal.SelectAM(true);
    natal.txtTZ = "-1";
    natal.txtLongDeg = "2";
    natal.txtLongMin = "20";
    natal.SelectEast(true);
    natal.txtLatDeg = "33";
    natal.txtLatMin = "52";
    natal.SelectSouth(true);
    RegionalFormat german;
    german.DateOrder = 1;
    german.MonthAbbrev[3] = "M\xC3\xA4r";
    EXPECT_EQ(FormatNameRecord(natal, german).line, "Ann,05 M\xC3\xA4r 1962,9.05,A,-1,-002.20,-33.52");

    natal.txtBirthHour = "12";
    natal.txtBirthMinute = "30";
    natal.txtYear = "2001";
    RegionalFormat yearFirst;
    yearFirst.DateOrder = 2;
    EXPECT_EQ(FormatNameRecord(natal, yearFirst).line, "Ann,05 Mar 2001,12.30,A,-1,-002.20,-33.52");
}

// The year box takes the number as typed: a year of one or two digits is saved as that year, with four
// digits, and reads back as it was typed.
TEST(NamesFileTest, AShortYearIsSavedAsTheYearTyped) {
    const struct {
        const char* typed;
        const char* saved;
        const char* back;
    } cases[] = {{"62", "Sample Person,14 Mar 0062,10.15,P, 6,087.39,41.52", "62"},
                 {" 1", "Sample Person,14 Mar 0001,10.15,P, 6,087.39,41.52", "1"},
                 {"1962", "Sample Person,14 Mar 1962,10.15,P, 6,087.39,41.52", "1962"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        NatalInputFields natal = SampleWindow();
        natal.txtYear = c.typed;
        const auto line = FormatNameRecord(natal, RegionalFormat{}).line;
        EXPECT_EQ(line, c.saved);
        NatalInputFields back;
        ASSERT_FALSE(
            FillNatalFromRecord(*ParseNameRecord(line.value_or("")), RegionalFormat{}, back).has_value());
        EXPECT_EQ(back.txtYear, c.back);
    }
}

TEST(NamesFileTest, ACommaDecimalLocaleStillWritesPoints) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    NatalInputFields natal = SampleWindow();
    natal.txtBirthHour = " 9";
    natal.txtBirthMinute = "5";
    const auto line = FormatNameRecord(natal, RegionalFormat{}).line;
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(line, "Sample Person,14 Mar 1962,9.05,P, 6,087.39,41.52");

    // And the saved time reads back into the window as it was typed.
    NatalInputFields back;
    ASSERT_FALSE(
        FillNatalFromRecord(*ParseNameRecord(line.value_or("")), RegionalFormat{}, back).has_value());
    EXPECT_EQ(back.txtBirthHour, " 9");
    EXPECT_EQ(back.txtBirthMinute, "5");
}

TEST(NamesFileTest, RefusesRecordsThatWouldNotReadBack) {
    const struct {
        void (*change)(NatalInputFields&);
        const char* error;
    } cases[] = {
        {[](NatalInputFields& n) { n.txtName = "  "; }, "Please enter a name before saving."},
        {[](NatalInputFields& n) { n.txtName = "Smith, John"; }, kNameHasCommaWarning},
        {[](NatalInputFields& n) {
             n.txtDay = "30";
             n.txtMonth = "2";
         },
         "The birth date \"2/30/1962\" is not a valid date. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtYear = "2100"; },
         "The birth date \"3/14/2100\" is outside the years the program computes (1 to 2099). Please correct "
         "it "
         "and save again."},
        {[](NatalInputFields& n) { n.txtBirthHour = "ten"; },
         "The birth hour \"ten\" is not a number. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtBirthMinute = ""; },
         "The birth minute \"\" is not a number. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtLongMin = "3.9.1"; },
         "The longitude minutes \"3.9.1\" is not a number. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtLatDeg = "4I"; },
         "The latitude degrees \"4I\" is not a number. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtBirthHour = "-1"; },
         "The birth hour \"-1\" is below zero. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtBirthMinute = "-30"; },
         "The birth minute \"-30\" is below zero. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtLongMin = "-5"; },
         "The longitude minutes \"-5\" is below zero. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtLatDeg = "-66"; },
         "The latitude degrees \"-66\" is below zero. Please correct it and save again."},
        {[](NatalInputFields& n) { n.txtName = "Ann\tSmith"; }, kControlCharacterWarning},
        {[](NatalInputFields& n) { n.txtName = "Ann\x1B[31m"; }, kControlCharacterWarning},
        {[](NatalInputFields& n) { n.txtTZ = "6\t"; }, kControlCharacterWarning},
        {[](NatalInputFields& n) { n.txtTZ = "5,5"; },
         "The time zone \"5,5\" cannot be saved because it holds a comma. Please write decimals with a "
         "point."},
    };
    for (const auto& c : cases) {
        NatalInputFields natal = SampleWindow();
        c.change(natal);
        SCOPED_TRACE(c.error);
        const FormattedRecord record = FormatNameRecord(natal, RegionalFormat{});
        EXPECT_FALSE(record.line.has_value());
        EXPECT_EQ(record.error, c.error);
    }
}

TEST(NamesFileTest, BackupNameEndsInOldAndIsNeverTheChosenFile) {
    EXPECT_EQ(BackupPath("/d/NAMES.FIL"), fs::path("/d/NAMES.OLD"));
    EXPECT_EQ(BackupPath("/d/names.fil"), fs::path("/d/names.OLD"));
    EXPECT_EQ(BackupPath("/d/NAMES.OLD"), fs::path("/d/NAMES.OLD.OLD"));
    EXPECT_EQ(BackupPath("/d/AB"), fs::path("/d/AB.OLD"));
}

// A program folder and a names file in it holding the given lines.
struct SaveFixture {
    TemporaryFolder folder;
    fs::path file = folder.path() / "NAMES.FIL";
    ScriptedDialogs dialogs;

    explicit SaveFixture(const std::string& bytes) { WriteBytes(file, bytes); }
    SaveEntryOutcome Save(const NatalInputFields& natal, const RewriteFault& fail = {}) {
        return SaveNameEntry(file, folder.path(), natal, RegionalFormat{}, dialogs, fail);
    }
};

// "Save to disk" writes the month in the system's language; the list, the report tool and the program
// after a change of language read the record whatever language they run under.
TEST(NamesFileTest, AnEntrySavedUnderOneLanguageReadsUnderEveryOther) {
    RegionalFormat german;
    german.DateOrder = 1;
    german.MonthAbbrev = {"",    "Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun",
                          "Jul", "Aug", "Sep", "Okt",        "Nov", "Dez"};
    SaveFixture fixture(
        // Written by the old Windows program under French and German: Windows-1252 bytes.
        "Old French,05 d\xE9\x63. 1950,9.05,A,0,000.00,48.52\r\nOld German,03 M\xE4r "
        "1950,9.05,A,-1,-013.24,52.31\r\n");
    EXPECT_EQ(
        SaveNameEntry(fixture.file, fixture.folder.path(), SampleWindow("Neu"), german, fixture.dialogs),
        SaveEntryOutcome::Saved);
    EXPECT_NE(ReadBytes(fixture.file).find("Neu,14 M\xC3\xA4r 1962,"), std::string::npos);

    const NamesList list = LoadNamesList(fixture.file, fixture.folder.path());
    ASSERT_EQ(list.records.size(), 3u);
    const struct {
        std::size_t record;
        const char* month;
        const char* day;
        const char* year;
    } cases[] = {{0, "12", "5", "1950"}, {1, "3", "3", "1950"}, {2, "3", "14", "1962"}};
    for (const RegionalFormat& reading : {RegionalFormat{}, german}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(list.records[c.record].Field[1] + " read under " + reading.MonthAbbrev[3]);
            NatalInputFields natal;
            EXPECT_EQ(FillNatalFromRecord(list.records[c.record], reading, natal), std::nullopt);
            EXPECT_EQ(natal.txtMonth, c.month);
            EXPECT_EQ(natal.txtDay, c.day);
            EXPECT_EQ(natal.txtYear, c.year);
        }
    }
}

TEST(NamesFileTest, SaveRefusesACommaBeforeTouchingTheFile) {
    SaveFixture fixture(std::string(kAnn) + "\r\n");
    EXPECT_EQ(fixture.Save(SampleWindow("Smith, John")), SaveEntryOutcome::CommaInName);
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].text, kNameHasCommaWarning);
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(fixture.dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ReadBytes(fixture.file), std::string(kAnn) + "\r\n");
    EXPECT_FALSE(fs::exists(fixture.folder.path() / "NAMES.OLD"));
}

TEST(NamesFileTest, SaveAsksOncePerMatchingNameAndPutsTheNewEntryLast) {
    const std::string before =
        std::string(kAnn) + "\r\n" + kSample + "\r\nann,2 Feb 1990,2.00,A,0,000.00,51.30\n";
    const std::string question =
        "There is already a name on file matching your current name with the following associated data: "
        "\r\n\r\nDate =  1 Jan 1990\r\nTime =  1.00 A\r\nTime zone =  0\r\nLongitude =  000.00\r\n"
        "Latitude =  51.30\r\n\r\nDo you want to replace it?\r\n\r\nAnswering 'NO' will append the current "
        "name and data to file, not replace the existing entry.";
    {
        SCOPED_TRACE("Yes, then No");
        SaveFixture fixture(before);
        fixture.dialogs.yesNoAnswers = {true, false};
        EXPECT_EQ(fixture.Save(SampleWindow("ann")), SaveEntryOutcome::Saved);
        ASSERT_EQ(fixture.dialogs.shown.size(), 2u);
        EXPECT_EQ(fixture.dialogs.shown[0].text, question);
        EXPECT_EQ(fixture.dialogs.shown[0].title, "ANN already exists");
        EXPECT_EQ(fixture.dialogs.shown[0].icon, MessageIcon::Question);
        EXPECT_EQ(fixture.dialogs.shown[1].title, "ann already exists");
        EXPECT_EQ(
            ReadBytes(fixture.file),
            std::string(kSample) + "\r\nann,2 Feb 1990,2.00,A,0,000.00,51.30\r\n" + NewLine("ann") + "\r\n");
        EXPECT_EQ(ReadBytes(fixture.folder.path() / "NAMES.OLD"), before);
        EXPECT_FALSE(fs::exists(fixture.folder.path() / kTemporaryNamesFile));
    }
    {
        SCOPED_TRACE("No to both");
        SaveFixture fixture(before);
        EXPECT_EQ(fixture.Save(SampleWindow("ann")), SaveEntryOutcome::Saved);
        EXPECT_EQ(fixture.dialogs.shown.size(), 2u);
        EXPECT_EQ(Names(LoadNamesList(fixture.file, fixture.folder.path())),
                  (std::vector<std::string>{"ANN", "Sample Person", "ann", "ann"}));
    }
}

TEST(NamesFileTest, SaveIntoAnotherOrANewFileLeavesTheCurrentFileAlone) {
    SaveFixture fixture(std::string(kAnn) + "\r\n");
    const fs::path other = fixture.folder.path() / "OTHER.FIL";
    EXPECT_EQ(SaveNameEntry(other, fixture.folder.path(), SampleWindow(), RegionalFormat{}, fixture.dialogs),
              SaveEntryOutcome::Saved);
    EXPECT_EQ(ReadBytes(other), NewLine("Sample Person") + "\r\n");
    EXPECT_FALSE(fs::exists(fixture.folder.path() / "OTHER.OLD"));
    EXPECT_EQ(ReadBytes(fixture.file), std::string(kAnn) + "\r\n");

    EXPECT_EQ(SaveNameEntry("", fixture.folder.path(), SampleWindow(), RegionalFormat{}, fixture.dialogs),
              SaveEntryOutcome::Cancelled);
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST(NamesFileTest, ADiskFailureAfterTheTemporaryFileLeavesTheChosenFileWhole) {
    const std::string before = std::string(kAnn) + "\r\n" + kSample + "\r\n";
    SaveFixture fixture(before);
    WriteBytes(fixture.folder.path() / "NAMES.OLD", "older");
    EXPECT_EQ(
        fixture.Save(SampleWindow("Bob"), [](RewriteStep step) { return step == RewriteStep::WriteNew; }),
        SaveEntryOutcome::Failed);
    EXPECT_EQ(ReadBytes(fixture.file), before);
    EXPECT_EQ(Names(LoadNamesList(fixture.file, fixture.folder.path())),
              (std::vector<std::string>{"ANN", "Sample Person"}));
    EXPECT_EQ(ReadBytes(fixture.folder.path() / "NAMES.OLD"), "older");
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].text,
              "The names file " + fixture.file.string() + " could not be saved; it was not changed.");
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Error!");
}

TEST(NamesFileTest, SaveKeepsOldRecordsReadableAndSaysWhatItLeftOut) {
    // A 1252 name and a quoted name with a comma, then a record the file cuts short.
    SaveFixture fixture(
        "Jos\xE9,1 Jan 1990,1.00,A,0,000.00,51.30\r\n\"Smith, John\",1 Jan 1990,1.00,A,0,000.00,51.30"
        "\r\nCut,1 Jan 1990\r\n");
    EXPECT_EQ(fixture.Save(SampleWindow("Bob")), SaveEntryOutcome::Saved);
    EXPECT_EQ(
        ReadBytes(fixture.file),
        "Jos\xC3\xA9,1 Jan 1990,1.00,A,0,000.00,51.30\r\n\"Smith, John\",1 Jan 1990,1.00,A,0,000.00,51.30"
        "\r\n" +
            NewLine("Bob") + "\r\n");
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].text,
              "The last entry of NAMES.FIL was incomplete and was left out of the saved file; it is kept in "
              "NAMES.OLD.");
    EXPECT_EQ(Names(LoadNamesList(fixture.file, fixture.folder.path())),
              (std::vector<std::string>{"Jos\xC3\xA9", "Smith, John", "Bob"}));
}

TEST(NamesFileTest, ABlankLineIsNoRecordForTheListNorForTheSave) {
    const std::string a = "A,14 Mar 1962,10.15,P,6,087.39,41.52";
    const std::string b = "B,01 Jan 1990,9.05,A,5,073.58,40.45";
    const std::string kept = a + "\r\n" + b + "\r\n";
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"an empty line between two records", a + "\r\n\r\n" + b + "\r\n"},
        {"blanks and a tab on the line", a + "\r\n  \t \r\n" + b},
        {"blank lines first and last, LF only", "\n\n" + a + "\n\n\n" + b + "\n \n"},
        {"a comma left after the last field", a + ",\r\n\r\n" + b + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveFixture fixture(c.bytes);
        EXPECT_EQ(Names(LoadNamesList(fixture.file, fixture.folder.path())),
                  (std::vector<std::string>{"A", "B"}));

        EXPECT_EQ(fixture.Save(SampleWindow("New")), SaveEntryOutcome::Saved);
        EXPECT_TRUE(fixture.dialogs.shown.empty());  // nothing was incomplete
        const std::string saved = kept + NewLine("New") + "\r\n";
        EXPECT_EQ(ReadBytes(fixture.file), saved);
        EXPECT_EQ(ReadBytes(fixture.folder.path() / "NAMES.OLD"), c.bytes);
        const NamesList list = LoadNamesList(fixture.file, fixture.folder.path());
        EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B", "New"}));
        ASSERT_EQ(list.records.size(), 3u);
        EXPECT_EQ(list.records[1].Field[7], "40.45");

        // The second save keeps the good file as the backup.
        EXPECT_EQ(fixture.Save(SampleWindow("Newer")), SaveEntryOutcome::Saved);
        EXPECT_EQ(ReadBytes(fixture.folder.path() / "NAMES.OLD"), saved);
        // Each kept record is its seven fields (the blank the zone was typed with is no part of it).
        EXPECT_EQ(ReadBytes(fixture.file),
                  kept + "New,14 Mar 1962,10.15,P,6,087.39,41.52\r\n" + NewLine("Newer") + "\r\n");
    }
}

TEST(NamesFileTest, NumberedRecordsCarryTheLineTheyBeginOn) {
    const NumberedNames names = ReadNumberedNamesText(
        "Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\n"
        "\r\n"
        "   \n"
        "Bob,01 Jan 1990,1.00,A\n"  // a record may run over two lines, as the list reads it
        "0,000.00,51.30\n"
        "Cy,01 Jan 1990,1.00,A,0,000.00,51.30\r"  // an old line end of a CR alone
        "\"Doe, Jo\",01 Jan 1990,1.00,A,0,000.00,51.30");
    ASSERT_TRUE(names.opened);
    EXPECT_FALSE(names.fault);
    std::vector<std::pair<std::size_t, std::string>> seen;
    for (const NumberedRecord& r : names.records) seen.emplace_back(r.line, r.record.Field[1]);
    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::string>>{
                        {1, "Ann"}, {4, "Bob"}, {6, "Cy"}, {7, "Doe, Jo"}}));
}

TEST(NamesFileTest, NumberedRecordsStopWhereTheListStopsAndSayWhy) {
    const struct {
        const char* text;
        std::size_t records;
        const char* fault;
        std::size_t line;
    } cases[] = {
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30\n,,,,,,\nBob,01 Jan 1990,1.00,A,0,000.00,51.30\n", 1,
         "an empty name ends the list here; the lines after it are not read", 2},
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30\n\nBob,01 Jan 1990\n", 1,
         "the last record is cut short: a record has seven fields", 3},
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30\n\n\n", 1, nullptr, 0},
        {"", 0, nullptr, 0},
        // A line with too few fields would take the next line's into its record, and every record after
        // it would be read from the wrong fields: the line at fault is named, not the end of the file.
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\nBob,01 Jan 1990,1.00,A\r\n"
         "Cy,01 Jan 1990,1.00,A,0,000.00,51.30\r\nDi,01 Jan 1990,1.00,A,0,000.00,51.30\r\n",
         1, "the record on this line has 4 fields; a record has seven", 2},
        {"Ann,01 Jan 1990,1.00,A,0,000.00\nBob,01 Jan 1990,1.00,A,0,000.00,51.30\n", 0,
         "the record on this line has 6 fields; a record has seven", 1},
        // Two short lines whose fields do not add up to a record: the first of them is named.
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30\nBob,01 Jan\n1.00,A\nCy,01 Jan 1990,1.00,A,0,000.00,51.30\n",
         1, "the record on this line has 2 fields; a record has seven", 2},
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30,Paris,France\nBob,01 Jan 1990,1.00,A,0,000.00,51.30\n", 0,
         "the line holds 9 fields; a record has seven", 1},
        // What the list has always taken stays good: a comma left after the last field, blanks after it,
        // a record over two lines, a quoted comma.
        {"Ann,01 Jan 1990,1.00,A,0,000.00,51.30,\nBob,01 Jan 1990,1.00,A,0,000.00,51.30 ,  \r\n"
         "Cy,01 Jan 1990\n1.00,A,0,000.00,51.30\n\"Doe, Jo\",01 Jan 1990,1.00,A,0,000.00,51.30",
         4, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberedNames names = ReadNumberedNamesText(c.text);
        EXPECT_EQ(names.records.size(), c.records);
        EXPECT_EQ(names.fault.value_or(""), c.fault ? c.fault : "");
        EXPECT_EQ(names.faultLine, c.line);
    }
    const NumberedNames overlong =
        ReadNumberedNamesText(std::string(1025, 'x') + ",01 Jan 1990,1.00,A,0,000.00,51.30");
    EXPECT_EQ(overlong.fault.value_or(""), "a field is longer than 1024 bytes");
    TemporaryFolder folder;
    EXPECT_FALSE(ReadNumberedNames(folder.path() / "NONE.FIL").opened);
}

TEST(NamesFileTest, AddedRecordsFollowTheFileAsItWasWithItsBackup) {
    TemporaryFolder folder;
    const auto file = folder.path() / "NAMES.FIL";
    const std::vector<NameRecord> records = {
        *ParseNameRecord("Cy,01 Jan 1990,1.00,A,0,000.00,51.30"),
        *ParseNameRecord("\"Doe, Jo\",01 Jan 1990,1.00,A,0,000.00,51.30")};
    // A new file is created without a backup.
    EXPECT_TRUE(AddRecordsToNamesFile(file, records).written);
    const std::string added =
        "Cy,01 Jan 1990,1.00,A,0,000.00,51.30\r\n\"Doe, Jo\",01 Jan 1990,1.00,A,0,000.00,51.30\r\n";
    EXPECT_EQ(ReadBytes(file), added);
    EXPECT_FALSE(std::filesystem::exists(BackupPath(file)));

    // The old bytes stay as they were, Windows-1252 and a last line without its end included.
    const std::string old =
        "Jos\xE9,01 Jan 1990,1.00,A,0,000.00,51.30\r\n\nAnn,01 Jan 1990,1.00,A,0,000.00,51.30";
    WriteBytes(file, old);
    EXPECT_TRUE(AddRecordsToNamesFile(file, records).written);
    EXPECT_EQ(ReadBytes(file), old + "\r\n" + added);
    EXPECT_EQ(ReadBytes(BackupPath(file)), old);
    EXPECT_EQ(LoadNamesList(file, folder.path()).records.size(), 4u);

    // A file behind a link is added to where it lies.
    const auto link = folder.path() / "LINK.FIL";
    std::filesystem::create_symlink(file, link);
    EXPECT_TRUE(AddRecordsToNamesFile(link, {records[0]}).written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(LoadNamesList(file, folder.path()).records.size(), 5u);

    // A list that does not read to its end is left alone.
    const std::string cut = "Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\nBob,01 Jan";
    WriteBytes(file, cut);
    const NamesFileAddition refused = AddRecordsToNamesFile(file, records);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.message,
              "The names file " + file.string() +
                  " has an error at line 2: the last record is cut short: a record has seven fields. "
                  "Please correct it with Edit this List first. Nothing was added.");
    EXPECT_EQ(ReadBytes(file), cut);
    // The line at fault is the one named, wherever in the file the shift it causes would show.
    const std::string shortLine =
        "Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\nBob,01 Jan 1990,1.00,A,0,000.00\r\n"
        "Cy,01 Jan 1990,1.00,A,0,000.00,51.30\r\n";
    WriteBytes(file, shortLine);
    EXPECT_EQ(AddRecordsToNamesFile(file, records).message,
              "The names file " + file.string() +
                  " has an error at line 2: the record on this line has 6 fields; a record has seven. "
                  "Please correct it with Edit this List first. Nothing was added.");
    EXPECT_EQ(ReadBytes(file), shortLine);
    const NamesFileAddition folderRefused = AddRecordsToNamesFile(folder.path(), records);
    EXPECT_FALSE(folderRefused.written);
}

}  // namespace
}  // namespace talvenor
