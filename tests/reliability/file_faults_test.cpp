// Every file the program writes, written where writing fails: a read-only folder, a missing folder, a
// full disk or device, a folder in the file's place. Each writer says so (or stays quiet where that is
// the rule) and leaves the previous file as it was, with nothing half-written beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "datafiles/names_file.h"
#include "datafiles/sample_names.h"
#include "environment/options.h"
#include "environment/settings.h"
#include "environment/text_files.h"
#include "reliability/file_fault_support.h"
#include "report/data_commands.h"
#include "report/printing.h"
#include "report/report_buffer.h"
#include "session/name_entry_save.h"
#include "session/options_file_edit.h"
#include "session/save_data.h"
#include "session/session.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::Fault;
using testing_support::FaultName;
using testing_support::FaultyPlace;
using testing_support::FileBytes;
using testing_support::kAllFaults;
using testing_support::PutFile;
using testing_support::ScriptedDialogs;
using testing_support::ShownMessage;
using testing_support::TemporaryFolder;

const std::string kSampleLine = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n";

void FillBuffer(ReportBuffer& buffer) {
    buffer.StartReport();
    buffer.AppendLine("  Natal data for Sample Person");
    buffer.AppendLine("  Sun      23Pi51");
}

// The sample person's natal window under another name.
InputTexts Ann() {
    return testing_support::SampleWindow("Ann");
}

// Runs body for every fault that can be staged here; a fault that cannot (no immutable flag) is noted.
template <typename Body>
void ForEachFault(const fs::path& root, const std::string& folderName, const std::string& fileName,
                  const FaultyPlace::Files& files, Body&& body) {
    int n = 0;
    for (const Fault fault : kAllFaults) {
        SCOPED_TRACE(FaultName(fault));
        FaultyPlace place(root / std::to_string(n++), fault, folderName, fileName, files);
        if (!place.available()) {
            std::printf("  (not staged here: %s)\n", FaultName(fault));
            continue;
        }
        body(fault, place);
    }
}

TEST(FileFaults, WritersWithoutMessagesOfTheirOwnFailAndLeaveThePreviousFile) {
    TemporaryFolder root;
    ReportBuffer buffer;
    FillBuffer(buffer);
    Settings settings = DefaultSettings("/opt/talvenor");
    settings.DataFontSize = 10;
    struct Writer {
        const char* what;
        const char* fileName;
        std::function<bool(const FaultyPlace&)> write;
    };
    const Writer writers[] = {
        {"settings file", "Talvenor.ini",
         [&](const FaultyPlace& p) { return WriteSettings(p.file(), settings); }},
        {"list editor", "NAMES.FIL",
         [&](const FaultyPlace& p) {
             return ReplaceFileContents(p.file(),
                                        EditorFileBytes("Ann,14 Mar 1962,10.15,P,6,087.39,41.52\n"));
         }},
        {"saved document", "John.DOC",
         [&](const FaultyPlace& p) { return WriteDataDocument(p.file(), buffer, 60); }},
        {"print hand-over", "PRNTFILE.XXX",
         [&](const FaultyPlace& p) { return WriteDataToPrintFile(p.folder(), buffer); }},
    };
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        ForEachFault(root.path() / writer.fileName, "folder", writer.fileName,
                     {{writer.fileName, "previous contents\r\n"}}, [&](Fault, FaultyPlace& place) {
                         EXPECT_FALSE(place.Write([&] { return writer.write(place); }));
                         EXPECT_TRUE(place.Unchanged());
                     });
    }
}

TEST(FileFaults, ALastPageThatCannotBeWrittenIsStillCompleteForTheWindow) {
    TemporaryFolder root;
    ForEachFault(root.path(), "REPORTS", "LASTPAGE.TXT", {{"LASTPAGE.TXT", "the page before\r\n"}},
                 [&](Fault fault, FaultyPlace& place) {
                     const fs::path appFolder = place.folder().parent_path();
                     ReportBuffer buffer;
                     FillBuffer(buffer);
                     const ShowResult result = place.Write([&] { return ShowReport(buffer, appFolder); });
                     // The page has its closing blank line either way: the window shows it from the buffer.
                     EXPECT_EQ(buffer.PageLineCount, 3);
                     if (fault == Fault::MissingFolder) {  // a REPORTS folder that went missing is made again
                         EXPECT_EQ(result, ShowResult::Shown);
                         EXPECT_EQ(FileBytes(place.file()), PageText(buffer));
                         return;
                     }
                     EXPECT_EQ(result, ShowResult::NotWritten);
                     EXPECT_TRUE(place.Unchanged());
                 });
}

TEST(FileFaults, ADocumentThatCannotBeSavedSaysWhereAndKeepsTheEarlierFileName) {
    TemporaryFolder root;
    ForEachFault(
        root.path(), "docs", "John.DOC", {{"John.DOC", "an older document\r\n"}},
        [&](Fault, FaultyPlace& place) {
            ScriptedDialogs dialogs;
            Session session(dialogs);
            session.options[45] = 60;
            FillBuffer(session.report);
            const auto chooser = [&](const fs::path&) { return std::optional<fs::path>(place.file()); };
            EXPECT_EQ(place.Write([&] { return SaveDataAs(session, chooser); }), SaveOutcome::NotWritten);
            EXPECT_EQ(session.SaveFileName, "");

            session.SaveFileName = place.file().string();  // Save to the file of an earlier Save As
            EXPECT_EQ(place.Write([&] { return SaveData(session, chooser); }), SaveOutcome::NotWritten);
            EXPECT_EQ(session.SaveFileName, place.file().string());

            const std::string message = "The data could not be written to " + place.file().string() + ".";
            ASSERT_EQ(dialogs.shown.size(), 2u);
            for (const ShownMessage& shown : dialogs.shown) {
                EXPECT_EQ(shown.text, message);
                EXPECT_EQ(shown.title, "Warning!");
                EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
            }
            EXPECT_TRUE(place.Unchanged());
        });
}

TEST(FileFaults, OptionsThatCannotBeSavedOrRestoredKeepTheFileAndTheValuesInUse) {
    TemporaryFolder root;
    ForEachFault(root.path(), "program", kOptionsFileName,
                 {{kOptionsFileName, "  8    conjunction orb\r\n"},
                  {kMasterOptionsFileName, "  9    conjunction orb\r\n"}},
                 [&](Fault fault, FaultyPlace& place) {
                     ScriptedDialogs dialogs;
                     Options options;
                     options[1] = 8;
                     const OptionsSaveResult saved = place.Write([&] {
                         return SaveOptionsText(place.folder(), "  2    conjunction orb\n", options, dialogs);
                     });
                     const bool written = fault == Fault::ReadOnlyFolder || fault == Fault::FullDisk;
                     // Only a plain OPTIONS.OPT is an options file; anything else in its place is not found.
                     EXPECT_EQ(saved,
                               written ? OptionsSaveResult::NotWritten : OptionsSaveResult::FileMissing);
                     EXPECT_EQ(options[1], 8.0f);

                     EXPECT_EQ(place.Write([&] { return RestoreDefaultOptions(place.folder(), dialogs); }),
                               std::nullopt);
                     ASSERT_EQ(dialogs.shown.size(), 2u);
                     EXPECT_EQ(dialogs.shown[0].text,
                               written ? kOptionsNotWrittenMessage : kOptionsFileMissingMessage);
                     EXPECT_EQ(dialogs.shown[0].title, "Warning!");
                     EXPECT_EQ(dialogs.shown[1].text, kRestoreFailedMessage);
                     EXPECT_EQ(dialogs.shown[1].title, "Warning!");
                     EXPECT_EQ(dialogs.shown[1].icon, MessageIcon::Information);
                     EXPECT_TRUE(place.Unchanged());
                 });
}

TEST(FileFaults, ANameThatCannotBeSavedLeavesTheNamesFileItsBackupAndNoTemporaryFile) {
    TemporaryFolder root;
    const fs::path program = root.path() / "program";
    fs::create_directories(program);
    ForEachFault(root.path(), "lists", "NAMES.FIL",
                 {{"NAMES.FIL", kSampleLine}, {"NAMES.OLD", "the backup\r\n"}},
                 [&](Fault fault, FaultyPlace& place) {
                     ScriptedDialogs dialogs;
                     const SaveEntryOutcome outcome = place.Write([&] {
                         return SaveNameEntry(place.file(), program, Ann(), RegionalFormat{}, dialogs);
                     });
                     EXPECT_EQ(outcome, SaveEntryOutcome::Failed);
                     const std::string file = place.file().string();
                     const std::string message =
                         fault == Fault::FullDevice || fault == Fault::TargetIsFolder
                             ? "The names file " + file + " could not be read. Nothing was saved."
                         : fault == Fault::ReadOnlyFolder
                             ? "The backup copy " + (place.folder() / "NAMES.OLD").string() +
                                   " could not be made, so the names file " + file + " was not changed."
                             : "The names file " + file + " could not be saved; it was not changed.";
                     ASSERT_EQ(dialogs.shown.size(), 1u);
                     EXPECT_EQ(dialogs.shown[0].text, message);
                     EXPECT_EQ(dialogs.shown[0].title, "Error!");
                     // The older backup above all: a save that fails never replaces it.
                     EXPECT_TRUE(place.Unchanged());
                     EXPECT_TRUE(fs::is_empty(program)) << "the temporary file is left behind";
                 });

    // The program folder itself cannot take the temporary file.
    FaultyPlace readOnlyProgram(root.path(), Fault::ReadOnlyFolder, "readonly", "NAMES.FIL",
                                {{"NAMES.FIL", kSampleLine}});
    if (readOnlyProgram.available()) {
        ScriptedDialogs dialogs;
        EXPECT_EQ(
            SaveNameEntry(readOnlyProgram.file(), readOnlyProgram.folder(), Ann(), RegionalFormat{}, dialogs),
            SaveEntryOutcome::Failed);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "The names file " + readOnlyProgram.file().string() +
                                             " could not be saved; it was not changed.");
        EXPECT_TRUE(readOnlyProgram.Unchanged());
    }
}

// The older backup is the last copy of what the list held before the previous save: no failure of a later
// rewrite may cost it, and no message may say that nothing changed when something did.
TEST(FileFaults, AFullDiskNeverCostsTheOlderBackup) {
    TemporaryFolder root;
    const fs::path file = root.path() / "NAMES.FIL";
    const fs::path backup = root.path() / "NAMES.OLD";
    PutFile(file, kSampleLine);
    PutFile(backup, "the backup\r\n");
    const auto record = ParseNameRecord("Ann,14 Mar 1962,10.15,P,6,087.39,41.52");
    ASSERT_TRUE(record);

    // Room for a file as large as the list, not for the longer one: the disk fills while the new list is
    // written, after the previous one was kept.
    const NamesFileAddition added = [&] {
        const testing_support::FileSizeLimit limit(kSampleLine.size() + 1);
        return AddRecordsToNamesFile(file, {*record});
    }();
    EXPECT_FALSE(added.written);
    EXPECT_EQ(added.message,
              "The names file " + file.string() + " could not be written; it was not changed.");
    EXPECT_EQ(FileBytes(file), kSampleLine);
    EXPECT_EQ(FileBytes(backup), "the backup\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), {}), 2) << "a temporary file is left behind";
}

TEST(FileFaults, EveryStepOfASaveThatFailsLeavesTheListAndTheOlderBackup) {
    const struct {
        const char* what;
        std::vector<RewriteStep> failing;
        const char* message;  // after the file's name
    } cases[] = {
        {"the previous list cannot be kept", {RewriteStep::KeepPrevious}, "backup"},
        {"the new list cannot take its place", {RewriteStep::MoveNewIntoPlace}, " could not be saved"},
        {"the backup cannot be replaced", {RewriteStep::ReplaceBackup}, "backup"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder program, lists;
        const fs::path file = lists.path() / "NAMES.FIL";
        const fs::path backup = lists.path() / "NAMES.OLD";
        PutFile(file, kSampleLine);
        PutFile(backup, "the backup\r\n");
        const auto fail = [&c](RewriteStep step) {
            return std::find(c.failing.begin(), c.failing.end(), step) != c.failing.end();
        };

        ScriptedDialogs dialogs;
        EXPECT_EQ(SaveNameEntry(file, program.path(), Ann(), RegionalFormat{}, dialogs, fail),
                  SaveEntryOutcome::Failed);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text,
                  std::string(c.message) == "backup"
                      ? "The backup copy " + backup.string() + " could not be made, so the names file " +
                            file.string() + " was not changed."
                      : "The names file " + file.string() + " could not be saved; it was not changed.");
        EXPECT_EQ(dialogs.shown[0].title, "Error!");
        EXPECT_EQ(FileBytes(file), kSampleLine);
        EXPECT_EQ(FileBytes(backup), "the backup\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(lists.path()), {}), 2);
        EXPECT_TRUE(fs::is_empty(program.path())) << "the temporary file is left behind";

        // Adding imported births goes the same way.
        const auto record = ParseNameRecord("Bob,14 Mar 1962,10.15,P,6,087.39,41.52");
        const NamesFileAddition added = AddRecordsToNamesFile(file, {*record}, fail);
        EXPECT_FALSE(added.written);
        EXPECT_NE(added.message.find("was not changed"), std::string::npos) << added.message;
        EXPECT_EQ(FileBytes(file), kSampleLine);
        EXPECT_EQ(FileBytes(backup), "the backup\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(lists.path()), {}), 2);
    }
}

// When the previous list can neither become the backup nor go back, the save is done, the older backup
// stays, and the message says where the previous list is: nothing is lost and nothing is hidden.
TEST(FileFaults, APreviousListThatCannotBecomeTheBackupIsNamedWhereItIsKept) {
    const auto fail = [](RewriteStep step) {
        return step == RewriteStep::ReplaceBackup || step == RewriteStep::PutPreviousBack;
    };
    TemporaryFolder program, lists;
    const fs::path file = lists.path() / "NAMES.FIL";
    const fs::path backup = lists.path() / "NAMES.OLD";
    const fs::path staged = lists.path() / "NAMES.OLD.new~";
    PutFile(file, kSampleLine + "Cut,1 Jan 1990\r\n");
    PutFile(backup, "the backup\r\n");

    ScriptedDialogs dialogs;
    EXPECT_EQ(SaveNameEntry(file, program.path(), Ann(), RegionalFormat{}, dialogs, fail),
              SaveEntryOutcome::Saved);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "The names file " + file.string() + " was saved, but the backup copy " + backup.string() +
                  " could not be replaced and still holds an older list; the list as it was before this save "
                  "is kept as " +
                  staged.string() +
                  ". The incomplete last entry, which the saved file leaves out, is kept there as well.");
    EXPECT_EQ(dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(FileBytes(file), kSampleLine + "Ann,14 Mar 1962,10.15,P, 6,087.39,41.52\r\n");
    EXPECT_EQ(FileBytes(backup), "the backup\r\n");
    EXPECT_EQ(FileBytes(staged), kSampleLine + "Cut,1 Jan 1990\r\n");

    fs::remove(staged);
    const std::string saved = FileBytes(file);
    const NamesFileAddition added =
        AddRecordsToNamesFile(file, {*ParseNameRecord("Bob,14 Mar 1962,10.15,P,6,087.39,41.52")}, fail);
    EXPECT_TRUE(added.written);
    EXPECT_EQ(added.message, "The names file " + file.string() + " was saved, but the backup copy " +
                                 backup.string() +
                                 " could not be replaced and still holds an older list; the list as it was "
                                 "before this save is kept as " +
                                 staged.string() + ".");
    EXPECT_EQ(FileBytes(backup), "the backup\r\n");
    EXPECT_EQ(FileBytes(staged), saved);
}

// A user who keeps a list elsewhere and links to it expects that list to change, not the link to be
// swapped for a file of its own while the real list stays behind.
TEST(FileFaults, ALinkedFileIsReplacedWhereItLiesAndTheLinkStays) {
    TemporaryFolder root;
    const fs::path program = root.path() / "program";
    const fs::path elsewhere = root.path() / "elsewhere";
    fs::create_directories(program);
    fs::create_directories(elsewhere);
    PutFile(elsewhere / "GA_MA.LL", "Old Town,GA,084W23,33N45,5\r\n");
    PutFile(elsewhere / "NAMES.FIL", kSampleLine);
    fs::create_symlink("../elsewhere/GA_MA.LL", program / "GA_MA.LL");
    fs::create_symlink(elsewhere / "NAMES.FIL", program / "NAMES.FIL");

    EXPECT_TRUE(ReplaceFileContents(program / "GA_MA.LL", EditorFileBytes("New Town,GA,084W23,33N45,5")));
    EXPECT_TRUE(fs::is_symlink(program / "GA_MA.LL"));
    EXPECT_EQ(FileBytes(elsewhere / "GA_MA.LL"), "New Town,GA,084W23,33N45,5\r\n");

    ScriptedDialogs dialogs;
    EXPECT_EQ(SaveNameEntry(program / "NAMES.FIL", program, Ann(), RegionalFormat{}, dialogs),
              SaveEntryOutcome::Saved);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(fs::is_symlink(program / "NAMES.FIL"));
    EXPECT_EQ(FileBytes(elsewhere / "NAMES.FIL"),
              kSampleLine + "Ann,14 Mar 1962,10.15,P, 6,087.39,41.52\r\n");
    EXPECT_EQ(FileBytes(elsewhere / "NAMES.OLD"), kSampleLine);

    // A loop of links is no file at all.
    fs::create_symlink(program / "LOOP.FIL", program / "LOOP.FIL");
    EXPECT_FALSE(ReplaceFileContents(program / "LOOP.FIL", "x\r\n"));
    EXPECT_TRUE(fs::is_symlink(program / "LOOP.FIL"));
}

}  // namespace
}  // namespace talvenor
