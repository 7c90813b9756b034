#include "session/exchange_commands.h"

#include <system_error>

#include "environment/text_files.h"

namespace talvenor {

namespace fs = std::filesystem;

ExchangeRun ImportCommand(const fs::path& source, const std::function<std::string()>& chooseTarget,
                          ZoneSources& zones, const RegionalFormat& regional, UserDialogs& dialogs,
                          ReportBuffer& report) {
    ExchangeRun run;
    ConvertedRecords converted;
    ImportResult result = ImportBirths(source, std::nullopt, zones, regional, converted.Sink());
    const std::string sourceName = ExchangeFileName(source);
    if (!result.fault.empty() && result.looksLike) {
        // Its ending names one format, its text another: the user says which to believe.
        if (!dialogs.AskYesNo(FormatMismatchQuestion(source, result), kImportTitle, MessageIcon::Question))
            return run;
        converted.Clear();
        result = ImportBirths(source, *result.looksLike, zones, regional, converted.Sink());
    }
    if (!result.fault.empty()) {
        dialogs.ShowMessage(ImportFaultMessage(source, result), kImportTitle, MessageIcon::Critical);
        run.outcome = ExchangeOutcome::Refused;
        return run;
    }
    if (result.converted == 0) {
        WriteExchangeReport(report, ImportReport(result, sourceName, "Nothing was added to any names file."));
        dialogs.ShowMessage(NothingConvertedMessage(sourceName), kImportTitle, MessageIcon::Exclamation);
        run.outcome = ExchangeOutcome::Refused;
        run.reported = true;
        return run;
    }
    const std::string chosen = chooseTarget ? chooseTarget() : std::string();
    if (chosen.empty()) return run;
    const fs::path target(chosen);
    if (!dialogs.AskYesNo(ImportQuestion(result, sourceName, ExchangeFileName(target)), kImportTitle,
                          MessageIcon::Question))
        return run;

    const NamesFileAddition added = converted.AddTo(target);
    run.reported = true;
    if (!added.written) {
        WriteExchangeReport(report, ImportReport(result, sourceName, "Nothing was added: " + added.message));
        dialogs.ShowMessage(added.message, kImportTitle, MessageIcon::Critical);
        run.outcome = ExchangeOutcome::Failed;
        return run;
    }
    WriteExchangeReport(report, ImportReport(result, sourceName, AddedClosingLine(result, target, added)));
    if (!added.message.empty()) dialogs.ShowMessage(added.message, kImportTitle, MessageIcon::Exclamation);
    run.outcome = ExchangeOutcome::Written;
    run.written = target;
    return run;
}

ExchangeRun ExportCommand(const fs::path& namesFile, const fs::path& target, const RegionalFormat& regional,
                          UserDialogs& dialogs, ReportBuffer& report) {
    ExchangeRun run;
    run.outcome = ExchangeOutcome::Refused;
    const auto format = FormatOfFile(target);
    if (!format) {
        dialogs.ShowMessage(kExportEndingMessage, kExportTitle, MessageIcon::Exclamation);
        return run;
    }
    std::error_code error;
    if (fs::equivalent(namesFile, target, error)) {
        dialogs.ShowMessage(kExportIntoNamesFileMessage, kExportTitle, MessageIcon::Exclamation);
        return run;
    }
    const ExportResult result = ExportNamesFile(namesFile, *format, regional);
    run.outcome = ExchangeOutcome::Failed;
    if (!result.fault.empty()) {
        dialogs.ShowMessage(result.fault, kExportTitle, MessageIcon::Critical);
        return run;
    }
    if (!ReplaceFileContents(target, result.bytes)) {
        dialogs.ShowMessage(ExportNotWrittenMessage(target), kExportTitle, MessageIcon::Critical);
        return run;
    }
    WriteExchangeReport(report,
                        ExportReport(result, ExchangeFileName(namesFile), ExchangeFileName(target), *format));
    run.outcome = ExchangeOutcome::Written;
    run.reported = true;
    run.written = target;
    return run;
}

}  // namespace talvenor
