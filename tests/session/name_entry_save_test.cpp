#include "session/name_entry_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/sample_names.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

// "Save to disk": the entry checked, one question for each matching name, the names file rewritten with its
// backup.
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

// A program folder and a names file in it holding the given lines.
struct SaveFixture {
    TemporaryFolder folder;
    fs::path file = folder.path() / "NAMES.FIL";
    ScriptedDialogs dialogs;

    explicit SaveFixture(const std::string& bytes) { WriteBytes(file, bytes); }
    SaveEntryOutcome Save(const InputTexts& natal, const RewriteFault& fail = {}) {
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
            InputTexts natal;
            EXPECT_EQ(FillNatalFromRecord(list.records[c.record], reading, natal), std::nullopt);
            EXPECT_EQ(natal.month, c.month);
            EXPECT_EQ(natal.day, c.day);
            EXPECT_EQ(natal.year, c.year);
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

}  // namespace
}  // namespace talvenor
