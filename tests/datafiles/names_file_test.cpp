#include "datafiles/names_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "datafiles/sample_names.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

using testing_support::kAnn;
using testing_support::kSample;
using testing_support::Names;
using testing_support::NewLine;
using testing_support::SampleWindow;

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

    InputTexts natal = SampleWindow("Ann");
    natal.day = "5";
    natal.hour = " 9";
    natal.minute = "5";
    natal.SelectAM(true);
    natal.zone = "-1";
    natal.longDeg = "2";
    natal.longMin = "20";
    natal.SelectEast(true);
    natal.latDeg = "33";
    natal.latMin = "52";
    natal.SelectSouth(true);
    RegionalFormat german;
    german.DateOrder = 1;
    german.MonthAbbrev[3] = "M\xC3\xA4r";
    EXPECT_EQ(FormatNameRecord(natal, german).line, "Ann,05 M\xC3\xA4r 1962,9.05,A,-1,-002.20,-33.52");

    natal.hour = "12";
    natal.minute = "30";
    natal.year = "2001";
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
        InputTexts natal = SampleWindow();
        natal.year = c.typed;
        const auto line = FormatNameRecord(natal, RegionalFormat{}).line;
        EXPECT_EQ(line, c.saved);
        InputTexts back;
        ASSERT_FALSE(
            FillNatalFromRecord(*ParseNameRecord(line.value_or("")), RegionalFormat{}, back).has_value());
        EXPECT_EQ(back.year, c.back);
    }
}

TEST(NamesFileTest, ACommaDecimalLocaleStillWritesPoints) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    InputTexts natal = SampleWindow();
    natal.hour = " 9";
    natal.minute = "5";
    const auto line = FormatNameRecord(natal, RegionalFormat{}).line;
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(line, "Sample Person,14 Mar 1962,9.05,P, 6,087.39,41.52");

    // And the saved time reads back into the window as it was typed.
    InputTexts back;
    ASSERT_FALSE(
        FillNatalFromRecord(*ParseNameRecord(line.value_or("")), RegionalFormat{}, back).has_value());
    EXPECT_EQ(back.hour, " 9");
    EXPECT_EQ(back.minute, "5");
}

TEST(NamesFileTest, RefusesRecordsThatWouldNotReadBack) {
    const struct {
        void (*change)(InputTexts&);
        const char* error;
    } cases[] = {
        {[](InputTexts& n) { n.name = "  "; }, "Please enter a name before saving."},
        {[](InputTexts& n) { n.name = "Smith, John"; }, kNameHasCommaWarning},
        {[](InputTexts& n) {
             n.day = "30";
             n.month = "2";
         },
         "The birth date \"2/30/1962\" is not a valid date. Please correct it and save again."},
        {[](InputTexts& n) { n.year = "2100"; },
         "The birth date \"3/14/2100\" is outside the years the program computes (1 to 2099). Please correct "
         "it "
         "and save again."},
        {[](InputTexts& n) { n.hour = "ten"; },
         "The birth hour \"ten\" is not a number. Please correct it and save again."},
        {[](InputTexts& n) { n.minute = ""; },
         "The birth minute \"\" is not a number. Please correct it and save again."},
        {[](InputTexts& n) { n.longMin = "3.9.1"; },
         "The longitude minutes \"3.9.1\" is not a number. Please correct it and save again."},
        {[](InputTexts& n) { n.latDeg = "4I"; },
         "The latitude degrees \"4I\" is not a number. Please correct it and save again."},
        {[](InputTexts& n) { n.hour = "-1"; },
         "The birth hour \"-1\" is below zero. Please correct it and save again."},
        {[](InputTexts& n) { n.minute = "-30"; },
         "The birth minute \"-30\" is below zero. Please correct it and save again."},
        {[](InputTexts& n) { n.longMin = "-5"; },
         "The longitude minutes \"-5\" is below zero. Please correct it and save again."},
        {[](InputTexts& n) { n.latDeg = "-66"; },
         "The latitude degrees \"-66\" is below zero. Please correct it and save again."},
        {[](InputTexts& n) { n.name = "Ann\tSmith"; }, kControlCharacterWarning},
        {[](InputTexts& n) { n.name = "Ann\x1B[31m"; }, kControlCharacterWarning},
        {[](InputTexts& n) { n.zone = "6\t"; }, kControlCharacterWarning},
        {[](InputTexts& n) { n.zone = "5,5"; },
         "The time zone \"5,5\" cannot be saved because it holds a comma. Please write decimals with a "
         "point."},
    };
    for (const auto& c : cases) {
        InputTexts natal = SampleWindow();
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
