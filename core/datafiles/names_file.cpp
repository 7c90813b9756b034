#include "datafiles/names_file.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "environment/text_files.h"
#include "environment/year_rule.h"
#include "input/strict_number.h"
#include "text/basic_text.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLineEnd = "\r\n";
constexpr int kFieldCount = 7;

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

enum class RecordRead { Complete, CutShort, End };

// The one rule by which both the names list and "Save to disk" read a names file, so that the save keeps
// exactly the records the list shows. A record is seven fields, counted across line ends as they always
// were; a line holding nothing but blanks where a record would begin is no record. Read as an empty
// field, such a line (easily left in the editor) would slide every later field one place. A record the
// text ends inside keeps the fields read up to there, the rest empty.
RecordRead ReadNextRecord(FieldReader& reader, NameRecord& record) {
    record = NameRecord{};
    reader.SkipBlankLines();
    if (reader.AtEnd()) return RecordRead::End;
    for (std::size_t i = 1; i <= kFieldCount; ++i) {
        auto field = reader.Next();
        if (!field) return RecordRead::CutShort;
        record.Field[i] = std::move(*field);
    }
    return RecordRead::Complete;
}

bool AllEmpty(const NameRecord& record) {
    for (const auto& field : record.Field) {
        if (!field.empty()) return false;
    }
    return true;
}

// A kept field that was read from quotes and holds a comma, or blanks at its ends, goes back in quotes,
// so that it reads back as the same value. Nothing read from a names file holds both a quote and a comma.
std::string FieldForFile(const std::string& field) {
    const bool needsQuotes = field.find(',') != std::string::npos ||
                             (!field.empty() && (field.front() == ' ' || field.front() == '\t' ||
                                                 field.back() == ' ' || field.back() == '\t'));
    return needsQuotes ? "\"" + field + "\"" : field;
}

std::string RecordLine(const NameRecord& record) {
    std::string line = FieldForFile(record.Field[1]);
    for (std::size_t i = 2; i <= kFieldCount; ++i) line += "," + FieldForFile(record.Field[i]);
    return line;
}

bool Overlong(const NameRecord& record) {
    return std::any_of(record.Field.begin(), record.Field.end(),
                       [](const std::string& f) { return f.size() > kLongestListField; });
}

// Line breaks between two positions of a text: LF, CR LF and a CR alone each count once, as the field
// reader takes them.
std::size_t LineBreaks(const std::string& text, std::size_t from, std::size_t to) {
    std::size_t breaks = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++breaks;
    }
    return breaks;
}

// True when a record read up to `pos` ends its line: its last field ended at a line end or the end of the
// text, or nothing but blanks follows it on its line (a comma left after the last field).
bool EndsItsLine(const std::string& text, std::size_t pos) {
    if (pos >= text.size() || text[pos - 1] == '\n' || text[pos - 1] == '\r') return true;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    return pos >= text.size() || text[pos] == '\n' || text[pos] == '\r';
}

// The number of fields on the line that begins at `start`, counted as the field reader counts them.
std::size_t FieldsOnLine(const std::string& text, std::size_t start) {
    const std::size_t end = text.find_first_of("\r\n", start);
    FieldReader reader(text.substr(start, end == std::string::npos ? std::string::npos : end - start) + "\n");
    std::size_t fields = 0;
    while (reader.Next()) ++fields;
    return fields;
}

}  // namespace

std::string ReplaceQuestion(const NameRecord& r) {
    const std::string br = kLineEnd;
    return "There is already a name on file matching your current name with the following associated data: " +
           br + br + "Date =  " + r.Field[2] + br + "Time =  " + r.Field[3] + " " + r.Field[4] + br +
           "Time zone =  " + r.Field[5] + br + "Longitude =  " + r.Field[6] + br +
           "Latitude =  " + r.Field[7] + br + br + "Do you want to replace it?" + br + br +
           "Answering 'NO' will append the current name and data to file, not replace the existing entry.";
}

std::string ReplaceQuestionTitle(const NameRecord& record) {
    return record.Field[1] + " already exists";
}

namespace {

std::string NotANumber(const char* what, const std::string& text) {
    return std::string("The ") + what + " \"" + text +
           "\" is not a number. Please correct it and save again.";
}

// Reads a typed number for the record; on failure the message goes into `error`.
std::optional<double> TypedNumber(const std::string& text, const char* what, std::string& error) {
    const auto value = StrictNumber(text);
    if (!value) error = NotANumber(what, text);
    return value;
}

// A clock time or a magnitude of the place, whose direction the buttons give: a minus sign would be
// folded into the packed field ("-1" and "30" give "-0.70"), which reads back as another time or place.
std::optional<double> TypedMagnitude(const std::string& text, const char* what, std::string& error) {
    const auto value = TypedNumber(text, what, error);
    if (value && *value < 0) {
        error =
            std::string("The ") + what + " \"" + text + "\" is below zero. Please correct it and save again.";
        return std::nullopt;
    }
    return value;
}

// Degrees + minutes/100, negated for the other direction, in the given pattern.
std::optional<std::string> PackedAngle(const std::string& degrees, const std::string& minutes, bool negate,
                                       const char* what, const char* pattern, std::string& error) {
    const std::string degreesWhat = std::string(what) + " degrees";
    const std::string minutesWhat = std::string(what) + " minutes";
    const auto d = TypedMagnitude(degrees, degreesWhat.c_str(), error);
    if (!d) return std::nullopt;
    const auto m = TypedMagnitude(minutes, minutesWhat.c_str(), error);
    if (!m) return std::nullopt;
    const double value = (*d + *m / 100) * (negate ? -1 : 1);
    if (!std::isfinite(value)) {
        error = NotANumber(degreesWhat.c_str(), degrees);
        return std::nullopt;
    }
    return Format(value, pattern);
}

// What a failed or half-done rewrite of a names file tells the user: never that the file was not changed
// when it was, nor that the backup holds the previous list when it does not. Empty when all went well.
std::string RewriteMessage(const RewriteResult& rewrite, const std::string& file, const fs::path& backup,
                           const std::string& notChanged) {
    switch (rewrite.outcome) {
        case RewriteOutcome::Done:
            return {};
        case RewriteOutcome::NotWritten:
            return notChanged;
        case RewriteOutcome::BackupNotMade:
            return "The backup copy " + backup.string() + " could not be made, so the names file " + file +
                   " was not changed.";
        case RewriteOutcome::PreviousKeptElsewhere:
            return "The names file " + file + " was saved, but the backup copy " + backup.string() +
                   " could not be replaced and still holds an older list; the list as it was before this "
                   "save is kept as " +
                   rewrite.previousKeptAs.string() + ".";
    }
    return notChanged;
}

}  // namespace

NamesList LoadNamesList(const fs::path& namesFile, const fs::path& appFolder) {
    NamesList list;
    list.file = namesFile;
    auto text = ReadTextFile(namesFile);
    if (!text) {
        list.file = appFolder / "NAMES.FIL";
        text = ReadTextFile(list.file);
    }
    if (!text) {
        list.file.clear();
        return list;
    }
    list.opened = true;

    // One record a line with six commas, as a rule: growing the list once is much cheaper than step by
    // step, and counting both keeps a file of blank lines or stray commas from reserving far too much.
    const auto lines = std::count(text->begin(), text->end(), '\n');
    const auto commas = std::count(text->begin(), text->end(), ',');
    list.records.reserve(static_cast<std::size_t>(std::min(lines, commas / 6)) + 1);
    FieldReader reader(std::move(*text));
    NameRecord record;
    for (RecordRead read; (read = ReadNextRecord(reader, record)) != RecordRead::End;) {
        // An empty name ends the list, even on a record the file cuts short.
        if (record.Field[1].empty()) break;
        const bool overlong = std::any_of(record.Field.begin(), record.Field.end(),
                                          [](const std::string& f) { return f.size() > kLongestListField; });
        if (read == RecordRead::CutShort || overlong) {
            list.error = kNamesFileError;
            break;
        }
        list.records.push_back(std::move(record));
    }
    return list;
}

NumberedNames ReadNumberedNamesText(const std::string& decodedText) {
    NumberedNames names;
    names.opened = true;
    FieldReader reader(decodedText);
    const std::string& text = reader.Text();
    std::size_t counted = 0;  // the position up to which line breaks are counted
    std::size_t line = 1;
    NameRecord record;
    for (;;) {
        reader.SkipBlankLines();
        line += LineBreaks(text, counted, reader.Position());
        counted = reader.Position();
        const RecordRead read = ReadNextRecord(reader, record);
        if (read == RecordRead::End) break;
        if (record.Field[1].empty()) {
            names.fault = "an empty name ends the list here; the lines after it are not read";
        } else if (read == RecordRead::CutShort) {
            names.fault = "the last record is cut short: a record has seven fields";
        } else if (Overlong(record)) {
            names.fault = "a field is longer than " + std::to_string(kLongestListField) + " bytes";
        } else if (!EndsItsLine(text, reader.Position())) {
            // A record may run over two lines, but one that ends inside a line has taken fields that are
            // not its own: the line it begins on holds too few fields, or too many. Every record after it
            // would be read from the wrong fields, so the list is read up to here, and the line at fault
            // is named rather than the end of the file, where the shift would first show.
            const std::size_t fields = FieldsOnLine(text, counted);
            names.fault =
                fields < static_cast<std::size_t>(kFieldCount)
                    ? "the record on this line has " + std::to_string(fields) + " fields; a record has seven"
                    : "the line holds " + std::to_string(fields) + " fields; a record has seven";
        }
        if (names.fault) {
            names.faultLine = line;
            break;
        }
        names.records.push_back({line, std::move(record)});
    }
    return names;
}

NumberedNames ReadNumberedNames(const fs::path& namesFile) {
    const auto text = ReadTextFile(namesFile);
    if (!text) return {};
    return ReadNumberedNamesText(*text);
}

std::string NameRecordLine(const NameRecord& record) {
    return RecordLine(record);
}

NamesFileAddition AddRecordsToNamesFile(const fs::path& namesFile, const std::vector<NameRecord>& records,
                                        const RewriteFault& fault) {
    return AddLinesToNamesFile(
        namesFile,
        [&records](FileOutput& out) {
            for (const NameRecord& record : records) {
                if (!out.Write(RecordLine(record)) || !out.Write(kLineEnd)) return false;
            }
            return true;
        },
        fault);
}

NamesFileAddition AddLinesToNamesFile(const fs::path& namesFile,
                                      const std::function<bool(FileOutput&)>& writeLines,
                                      const RewriteFault& fault) {
    NamesFileAddition result;
    const std::string shown = namesFile.string();
    const std::optional<fs::path> target = FileBehindLinks(namesFile);
    if (!target) {
        result.message = "The names file " + shown + " could not be read. Nothing was added.";
        return result;
    }
    std::error_code error;
    const bool exists = fs::exists(*target, error);
    std::string bytes;
    if (exists) {
        auto read = ReadFileBytes(*target);
        if (!read) {
            result.message = "The names file " + shown + " could not be read. Nothing was added.";
            return result;
        }
        bytes = std::move(*read);
        const NumberedNames names = ReadNumberedNamesText(DecodeText(bytes));
        if (names.fault) {
            result.message = "The names file " + shown + " has an error at line " +
                             std::to_string(names.faultLine) + ": " + *names.fault +
                             ". Please correct it with Edit this List first. Nothing was added.";
            return result;
        }
        // The first new record must begin a line of its own.
        if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += kLineEnd;
    }
    const fs::path backup = BackupPath(*target);
    const RewriteResult rewrite = ReplaceFileKeepingBackup(
        *target, [&](FileOutput& out) { return out.Write(bytes) && writeLines(out); }, backup, fault);
    result.message = RewriteMessage(rewrite, shown, backup,
                                    "The names file " + shown + " could not be written; it was not changed.");
    result.written =
        rewrite.outcome == RewriteOutcome::Done || rewrite.outcome == RewriteOutcome::PreviousKeptElsewhere;
    return result;
}

std::string ListLabel(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return Capitals(cut == std::string::npos ? path : path.substr(cut + 1));
}

std::optional<std::size_t> FindName(const NamesList& list, const std::string& name) {
    for (std::size_t k = 0; k < list.records.size(); ++k) {
        if (list.records[k].Field[1] == name) return k;
    }
    return std::nullopt;
}

std::optional<LockedSelection> LockedSelectionFor(int lockedIndex, int count) {
    if (count <= 0) return std::nullopt;
    if (lockedIndex >= count) lockedIndex = count - 1;
    const int top = lockedIndex < 12 ? 0 : lockedIndex - 12;
    if (lockedIndex < 0) lockedIndex = 0;
    return LockedSelection{lockedIndex, top};
}

FormattedRecord FormatNameRecord(const InputTexts& natal, const RegionalFormat& regional) {
    FormattedRecord result;
    std::string& error = result.error;

    // A name that reads back empty would end the list there and hide every entry saved after it.
    if (TrimBlanks(natal.name).empty()) {
        error = "Please enter a name before saving.";
        return result;
    }
    if (natal.name.find(',') != std::string::npos) {
        error = kNameHasCommaWarning;
        return result;
    }
    // A line break would split the record, and a name that begins with a double quote reads back as a
    // quoted field running to the next quote or the line end, which takes the rest of the record with it.
    if (natal.name.find_first_of("\r\n") != std::string::npos || TrimBlanks(natal.name).front() == '"') {
        error = kNameCannotBeWrittenWarning;
        return result;
    }

    if (HoldsControlCharacter(natal.name) || HoldsControlCharacter(natal.zone)) {
        error = kControlCharacterWarning;
        return result;
    }

    // The year box takes the number as typed: 62 is the year 62.
    const std::string dateText =
        JoinDateFields(natal.day, natal.month, FullYearText(natal.year), regional.DateOrder);
    const auto date = ParseDate(dateText, regional);
    if (!date) {
        error = "The birth date \"" + dateText + "\" is not a valid date. Please correct it and save again.";
        return result;
    }
    // A record the names file could not give back is not written.
    if (const auto fault = YearRangeFault(date->year)) {
        error = "The birth date \"" + dateText + "\" " + *fault + ". Please correct it and save again.";
        return result;
    }

    const auto hour = TypedMagnitude(natal.hour, "birth hour", error);
    if (!hour) return result;
    const auto minute = TypedMagnitude(natal.minute, "birth minute", error);
    if (!minute) return result;
    const double time = *hour + *minute / 100;
    if (!std::isfinite(time)) {
        error = NotANumber("birth hour", natal.hour);
        return result;
    }

    // Any other text is stored as typed, but a comma would split the record.
    if (natal.zone.find_first_of(",\r\n") != std::string::npos) {
        error = "The time zone \"" + natal.zone +
                "\" cannot be saved because it holds a comma. Please write decimals with a point.";
        return result;
    }
    // The zone is stored as typed, so it must be a number as a whole: an empty, "-" or "1.2.3" zone
    // would give a record that the names window refuses with its format error ever after.
    if (!TypedNumber(natal.zone, "time zone", error)) return result;

    const auto longitude =
        PackedAngle(natal.longDeg, natal.longMin, !natal.west, "longitude", "#00#.#0", error);
    if (!longitude) return result;
    const auto latitude = PackedAngle(natal.latDeg, natal.latMin, !natal.north, "latitude", "#0#.#0", error);
    if (!latitude) return result;
    // The names list takes a field this long for a damaged file; the numbers never come near it.
    if (natal.name.size() > kLongestListField || natal.zone.size() > kLongestListField) {
        error = kEntryTooLongWarning;
        return result;
    }

    result.line = natal.name + "," + FormatDateDdMmmYyyy(*date, regional) + "," + Format(time, "##.#0") +
                  "," + (natal.am ? "A" : "P") + "," + natal.zone + "," + *longitude + "," + *latitude;
    return result;
}

std::optional<EntryRefusal> RefuseEntryBeforeSave(const InputTexts& natal, const RegionalFormat& regional) {
    if (natal.name.find(',') != std::string::npos)
        return EntryRefusal{SaveEntryOutcome::CommaInName,
                            {kNameHasCommaWarning, kSaveRefusedTitle, MessageIcon::Critical}};
    FormattedRecord record = FormatNameRecord(natal, regional);
    if (!record.line)
        return EntryRefusal{SaveEntryOutcome::Failed,
                            {std::move(record.error), kSaveRefusedTitle, MessageIcon::Critical}};
    return std::nullopt;
}

fs::path BackupPath(const fs::path& chosenFile) {
    const std::string name = chosenFile.filename().string();
    fs::path backup = chosenFile;
    if (name.size() > 3 && name.substr(name.size() - 3) != "OLD") {
        backup.replace_filename(name.substr(0, name.size() - 3) + "OLD");
    } else {
        backup += ".OLD";
    }
    return backup;
}

NamesFileForSave ReadNamesFileForSave(const fs::path& chosenFile) {
    NamesFileForSave read;
    const std::string unreadable =
        "The names file " + chosenFile.string() + " could not be read. Nothing was saved.";
    // A names file kept behind a link is replaced where it lies; the link stays a link.
    const std::optional<fs::path> target = FileBehindLinks(chosenFile);
    if (!target) {
        read.unreadable = unreadable;
        return read;
    }
    read.target = *target;
    std::error_code error;
    if (!fs::exists(*target, error)) return read;
    auto text = ReadTextFile(*target);
    if (!text) {
        // Going on would replace a file whose records were never seen.
        read.unreadable = unreadable;
        return read;
    }
    FieldReader reader(std::move(*text));
    NameRecord record;
    for (RecordRead step; (step = ReadNextRecord(reader, record)) != RecordRead::End;) {
        if (step == RecordRead::CutShort) {
            // The copy ends at a record the file cuts short. Empty fields alone are nothing to keep; anything
            // else is worth a word, since from now on it lives only in the backup.
            read.droppedIncomplete = !AllEmpty(record);
            break;
        }
        read.records.push_back(std::move(record));
    }
    return read;
}

bool EntryNameMatches(const NameRecord& record, const std::string& typedName) {
    return Capitals(record.Field[1]) == Capitals(TrimBlanks(typedName));
}

SavedNamesFile WriteNamesFileForSave(const fs::path& chosenFile, const fs::path& appFolder,
                                     const NamesFileForSave& read, const std::vector<bool>& replaced,
                                     const std::string& newLine, const RewriteFault& fault) {
    SavedNamesFile saved;
    const auto failed = [&saved](std::string text) {
        saved.outcome = SaveEntryOutcome::Failed;
        saved.message = UserMessage{std::move(text), kSaveFailedTitle, MessageIcon::Critical};
        return saved;
    };
    const fs::path backup = BackupPath(read.target);
    const std::string notChanged =
        "The names file " + chosenFile.string() + " could not be saved; it was not changed.";
    const RewriteResult rewrite = ReplaceFileKeepingBackup(
        read.target,
        [&](FileOutput& out) {
            for (std::size_t k = 0; k < read.records.size(); ++k) {
                if (k < replaced.size() && replaced[k]) continue;  // replaced by the new entry
                if (!out.Write(RecordLine(read.records[k])) || !out.Write(kLineEnd)) return false;
            }
            return out.Write(newLine) && out.Write(kLineEnd);
        },
        backup, fault, appFolder / kTemporaryNamesFile);
    const std::string message = RewriteMessage(rewrite, chosenFile.string(), backup, notChanged);
    if (rewrite.outcome == RewriteOutcome::PreviousKeptElsewhere) {
        // Saved, but the backup is not what "Save to disk" always leaves: the user must hear where the
        // previous list went.
        saved.message =
            UserMessage{message + (read.droppedIncomplete ? " The incomplete last entry, which the "
                                                            "saved file leaves out, is kept there "
                                                            "as well."
                                                          : ""),
                        kSaveRefusedTitle, MessageIcon::Exclamation};
        return saved;
    }
    if (!message.empty()) return failed(message);
    if (read.droppedIncomplete) {
        saved.message = UserMessage{"The last entry of " + chosenFile.filename().string() +
                                        " was incomplete and was left out of the saved file; it is kept in " +
                                        backup.filename().string() + ".",
                                    kSaveRefusedTitle, MessageIcon::Exclamation};
    }
    return saved;
}

}  // namespace talvenor
