#include "session/save_data.h"

#include <filesystem>
#include <optional>
#include <string>

namespace talvenor {
namespace {

namespace fs = std::filesystem;

SaveOutcome WriteSessionDocument(Session& session, const fs::path& file) {
    if (WriteDataDocument(file, session.report, session.options.savedPageLines()))
        return SaveOutcome::Written;
    session.dialogs->ShowMessage(DocumentNotWrittenMessage(file), std::string(kDocumentNotWrittenTitle),
                                 MessageIcon::Exclamation);
    return SaveOutcome::NotWritten;
}

}  // namespace

SaveOutcome SaveData(Session& session, const SaveFileChooser& choose) {
    if (!HasData(session.report, *session.dialogs, kNoDataToWriteMessage)) return SaveOutcome::NoData;
    if (session.SaveFileName.empty()) return SaveDataAs(session, choose);
    return WriteSessionDocument(session, fs::path(session.SaveFileName));
}

SaveOutcome SaveDataAs(Session& session, const SaveFileChooser& choose) {
    if (!HasData(session.report, *session.dialogs, kNoDataToWriteMessage)) return SaveOutcome::NoData;
    const fs::path proposed = session.appFolder / ProposedSaveName(session.natalChart.birth.name);
    const std::optional<fs::path> chosen = choose ? choose(proposed) : std::nullopt;
    if (!chosen || chosen->empty()) return SaveOutcome::Cancelled;
    const SaveOutcome outcome = WriteSessionDocument(session, *chosen);
    if (outcome == SaveOutcome::Written) session.SaveFileName = chosen->string();
    return outcome;
}

}  // namespace talvenor
