#include "session/name_entry_save.h"

#include <vector>

namespace talvenor {
namespace {

void Show(UserDialogs& dialogs, const UserMessage& message) {
    dialogs.ShowMessage(message.text, message.title, message.icon);
}

}  // namespace

std::optional<SaveEntryOutcome> CheckEntryBeforeSave(const InputTexts& natal, const RegionalFormat& regional,
                                                     UserDialogs& dialogs) {
    const auto refused = RefuseEntryBeforeSave(natal, regional);
    if (!refused) return std::nullopt;
    Show(dialogs, refused->message);
    return refused->outcome;
}

SaveEntryOutcome SaveNameEntry(const std::filesystem::path& chosenFile,
                               const std::filesystem::path& appFolder, const InputTexts& natal,
                               const RegionalFormat& regional, UserDialogs& dialogs,
                               const RewriteFault& fault) {
    if (const auto refused = CheckEntryBeforeSave(natal, regional, dialogs)) return *refused;
    if (chosenFile.empty()) return SaveEntryOutcome::Cancelled;
    const std::string newLine = *FormatNameRecord(natal, regional).line;

    const NamesFileForSave read = ReadNamesFileForSave(chosenFile);
    if (read.unreadable) {
        Show(dialogs, {*read.unreadable, kSaveFailedTitle, MessageIcon::Critical});
        return SaveEntryOutcome::Failed;
    }
    std::vector<bool> replaced(read.records.size(), false);
    for (std::size_t k = 0; k < read.records.size(); ++k) {
        const NameRecord& record = read.records[k];
        if (EntryNameMatches(record, natal.name))
            replaced[k] = dialogs.AskYesNo(ReplaceQuestion(record), ReplaceQuestionTitle(record),
                                           MessageIcon::Question);
    }
    const SavedNamesFile saved = WriteNamesFileForSave(chosenFile, appFolder, read, replaced, newLine, fault);
    if (saved.message) Show(dialogs, *saved.message);
    return saved.outcome;
}

}  // namespace talvenor
