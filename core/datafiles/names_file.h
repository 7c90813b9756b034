// The names file: reading the list, the Lock list reselection, and saving an entry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "chart/input_texts.h"
#include "datafiles/name_record.h"
#include "environment/regional_format.h"
#include "environment/text_files.h"
#include "environment/user_message.h"

namespace talvenor {

inline constexpr const char* kNamesFileError =
    "You have an error in the current names file. You need to check and see if you have entered the data "
    "correctly and in the proper amount. Please correct the data by clicking on the Edit this List command "
    "button in the Names window and edit the incorrect data.";
inline constexpr const char* kNameHasCommaWarning =
    "You cannot have a comma in the name. Please remove the comma and try again.";
inline constexpr const char* kNameCannotBeWrittenWarning =
    "A name cannot begin with a double quote or hold a line break. Please correct the name and save again.";
inline constexpr const char* kControlCharacterWarning =
    "A name or time zone cannot hold a tab or another control character. Please remove it and save again.";
inline constexpr const char* kEntryTooLongWarning =
    "The name or the time zone is too long to be saved. Please shorten it and save again.";
inline constexpr const char* kTemporaryNamesFile = "wfyert.hyq";

struct NamesList {
    std::vector<NameRecord> records;   // in file order; the list shows field 1 of each
    bool opened = false;               // false: neither the file nor the default could be opened
    std::filesystem::path file;        // the file that was read
    std::optional<std::string> error;  // kNamesFileError when a record could not be read
};

// Reads the list: the names file, or the program folder's NAMES.FIL when it cannot be opened (then `file`
// tells which was read, and the caller empties its names-file path). A line holding nothing but blanks
// is no record. The list ends at the first record with an empty name; a record cut short by the end of
// the file gives the error and keeps the records before it. When neither file opens, `opened` is false
// and the list is empty. "Save to disk" reads the file by the same rule.
NamesList LoadNamesList(const std::filesystem::path& namesFile, const std::filesystem::path& appFolder);

// A names file read for the report tool's batch runs and for adding imported births: every record with
// the line it begins on (counted from 1), by the same rule as the names list. `fault` says why reading
// stopped early, `faultLine` where: a record cut short by the end of the file, a field longer than the
// list reads, or an empty name, which ends the list there (the lines after it are never shown). No
// fallback to the program folder's file; `opened` is false when the file cannot be read.
struct NumberedRecord {
    std::size_t line = 0;
    NameRecord record;
};
struct NumberedNames {
    bool opened = false;
    std::vector<NumberedRecord> records;
    std::optional<std::string> fault;
    std::size_t faultLine = 0;
};
NumberedNames ReadNumberedNames(const std::filesystem::path& namesFile);
NumberedNames ReadNumberedNamesText(const std::string& decodedText);

// One record as a line of a names file (without its line end): the seven fields joined by commas, a
// field that holds a comma or begins or ends with a blank in double quotes, so that it reads back as the
// same value.
std::string NameRecordLine(const NameRecord& record);

// Adds records at the end of a names file, the file's own bytes before them unchanged, in one rewrite:
// the new file takes the old one's place through a temporary file in the same folder, so that the file
// holds at every moment either the old or the new complete list, and only then does the previous file
// become the backup ending in "OLD" (BackupPath), so that a failure never costs the older backup. A file
// that does not exist yet is created. A file whose list does not read to its end (a record cut short, a
// field too long, an empty name that would hide every record after it) is left alone: the records would
// be added where the list never shows them. `message` says what went wrong when nothing was written, or,
// with `written`, where the previous list went when it could not become the backup. `fault` lets tests
// make a step of the rewrite fail.
struct NamesFileAddition {
    bool written = false;
    std::string message;
};
NamesFileAddition AddRecordsToNamesFile(const std::filesystem::path& namesFile,
                                        const std::vector<NameRecord>& records,
                                        const RewriteFault& fault = {});
// The same for records that `writeLines` writes after the file's own bytes, each as NameRecordLine gives
// it and ended by CR LF, so that the records of a large import need never all be in memory. When it gives
// false (its records could not all be had), the names file is left as it was.
NamesFileAddition AddLinesToNamesFile(const std::filesystem::path& namesFile,
                                      const std::function<bool(FileOutput&)>& writeLines,
                                      const RewriteFault& fault = {});

// The label over the list: the file name after the last separator, in capitals.
std::string ListLabel(const std::string& path);

// The first record whose name equals the given text (a click on a name loads the first of equal names).
std::optional<std::size_t> FindName(const NamesList& list, const std::string& name);

// With Lock list on, the entry to select after a reload of count names (which becomes the new locked
// index), and the entry to scroll to the top; no value when the list is empty.
struct LockedSelection {
    int selected;
    int top;
};
std::optional<LockedSelection> LockedSelectionFor(int lockedIndex, int count);

// The record "Save to disk" writes for the natal window: name, "dd mmm yyyy", "##.#0" time, A/P, zone text,
// "#00#.#0" longitude, "#0#.#0" latitude, with a point as the decimal separator whatever the locale. No
// value (and the message to show) when a field cannot be turned into its form: a name that is empty,
// holds a comma or a line break or begins with a double quote, a name or zone text with a tab or another
// control character (pasted in, it would reach every page and terminal the record is written to), a date that
// does not exist, an hour, minute, degree or zone text that is not a number, an hour, minute or degree below
// zero (the buttons give half of the day and directions), a zone text with a comma, or a name or zone longer
// than the names list reads (kLongestListField). Each of these would give a line that does not read back
// as the person typed.
struct FormattedRecord {
    std::optional<std::string> line;
    std::string error;
};
FormattedRecord FormatNameRecord(const InputTexts& natal, const RegionalFormat& regional);

enum class SaveEntryOutcome { Saved, CommaInName, Cancelled, Failed };

inline constexpr const char* kSaveRefusedTitle = "Warning!";  // the comma warning and the refused records
inline constexpr const char* kSaveFailedTitle = "Error!";     // the disk or the file failed

// The checks "Save to disk" makes before it asks for the file: the comma warning (outcome CommaInName),
// then a record that cannot be formatted (outcome Failed), each with its message ("Warning!", critical
// icon). No value when the entry can be saved.
struct EntryRefusal {
    SaveEntryOutcome outcome;
    UserMessage message;
};
std::optional<EntryRefusal> RefuseEntryBeforeSave(const InputTexts& natal, const RegionalFormat& regional);

// "Save to disk" in three steps, the asking between them being the caller's (session/name_entry_save.h):
// the chosen file is read record by record as the names list reads it, blank lines being no records;
// every record whose name matches the new one in capitals is offered for replacement, in file order (one
// question per match: Yes drops it, No keeps it); then the kept records and the new record are written.
struct NamesFileForSave {
    std::filesystem::path target;           // the chosen file, links followed
    std::vector<NameRecord> records;        // the records the list shows, in file order
    bool droppedIncomplete = false;         // a last record the file cuts short, with something in it
    std::optional<std::string> unreadable;  // the message when the file cannot be read (nothing is saved)
};
// A chosen file that does not exist yet reads as an empty list.
NamesFileForSave ReadNamesFileForSave(const std::filesystem::path& chosenFile);

// Whether a record is offered for replacement by an entry of the typed name: the names equal in capitals,
// blanks around the typed name left off.
bool EntryNameMatches(const NameRecord& record, const std::string& typedName);

// The question for one matching record (Yes, No, question icon) and its title ("Ann already exists").
std::string ReplaceQuestion(const NameRecord& record);
std::string ReplaceQuestionTitle(const NameRecord& record);

// Writes the records not `replaced` (by index) and then the new record line, UTF-8 with CR LF, into the
// program folder's temporary file, which takes the chosen file's place; the previous file then becomes
// the backup ending in "OLD" (ReplaceFileKeepingBackup). At every moment the chosen file holds either the
// old or the new complete list; on any failure it and its backup are left as they were and the message
// ("Error!") says so. Should the previous list end up under another name instead, the save is done and the
// message ("Warning!") names it; an incomplete last entry left out is told as well. `fault` lets tests
// make a step fail, as a failing disk would.
struct SavedNamesFile {
    SaveEntryOutcome outcome = SaveEntryOutcome::Saved;
    std::optional<UserMessage> message;
};
SavedNamesFile WriteNamesFileForSave(const std::filesystem::path& chosenFile,
                                     const std::filesystem::path& appFolder, const NamesFileForSave& read,
                                     const std::vector<bool>& replaced, const std::string& newLine,
                                     const RewriteFault& fault = {});

// The backup name: the path with its last three characters replaced by "OLD" (NAMES.FIL -> NAMES.OLD).
// A file name too short for that, or one that already ends in "OLD", gets ".OLD" added instead, so that the
// backup is never the chosen file itself.
std::filesystem::path BackupPath(const std::filesystem::path& chosenFile);

}  // namespace talvenor
