#include "exchange/exchange_files.h"

#include <map>
#include <system_error>

#include "environment/text_files.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLineEnd = "\r\n";
// How many lines a note names before it only counts the rest.
constexpr std::size_t kLinesNamed = 12;

// Notes of one kind over many records: "times rounded ...: lines 3, 8, 12 and 40 more".
class NoteCollector {
  public:
    void Add(const std::string& kind, std::size_t line) {
        auto& entry = kinds_[kind];
        if (entry.empty()) order_.push_back(kind);
        entry.push_back(line);
    }
    void AppendTo(std::vector<std::string>& notes) const {
        for (const std::string& kind : order_) {
            const std::vector<std::size_t>& lines = kinds_.at(kind);
            std::string text = kind + " (" + std::to_string(lines.size()) +
                               (lines.size() == 1 ? " record" : " records") + "): line" +
                               (lines.size() == 1 ? " " : "s ");
            for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i)
                text += (i ? ", " : "") + std::to_string(lines[i]);
            if (lines.size() > kLinesNamed)
                text += " and " + std::to_string(lines.size() - kLinesNamed) + " more";
            notes.push_back(text);
        }
    }

  private:
    std::map<std::string, std::vector<std::size_t>> kinds_;
    std::vector<std::string> order_;
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string FileName(const fs::path& path) {
    return path.filename().string();
}

// The width of a report line, as the data window and the printer show it without a scroll.
constexpr std::size_t kReportWidth = 86;

// A text as lines of the report, broken between words, the lines after the first indented by two more.
void AddWrapped(std::vector<std::string>& lines, const std::string& indent, const std::string& text) {
    std::string line = indent;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        const bool fresh = line.size() == indent.size();
        if (!fresh && CharacterCount(line) + 1 + CharacterCount(word) > kReportWidth) {
            lines.push_back(line);
            line = indent + "  " + word;
        } else {
            line += (fresh ? "" : " ") + word;
        }
        start = end + 1;
    }
    lines.push_back(line);
}

void WriteReport(ReportBuffer& report, const std::vector<std::string>& lines) {
    report.StartReport();
    for (const std::string& line : lines) report.AppendLine(line.empty() ? line : "  " + line);
}

}  // namespace

std::optional<ExchangeFormat> FormatNamed(std::string_view name) {
    const std::string lower = Lower(std::string(name));
    if (lower == "aaf") return ExchangeFormat::Aaf;
    if (lower == "qck") return ExchangeFormat::QuickChart;
    if (lower == "csv") return ExchangeFormat::Csv;
    return std::nullopt;
}

std::optional<ExchangeFormat> FormatOfFile(const fs::path& file) {
    const std::string ending = file.extension().string();
    if (ending.size() < 2) return std::nullopt;
    return FormatNamed(ending.substr(1));
}

ExchangeFormat GuessFormat(std::string_view text) {
    const std::vector<std::string_view> lines =
        TextLines(text.substr(0, std::min<std::size_t>(text.size(), 1 << 20)));
    for (const std::string_view line : lines) {
        if (line.size() >= 5 && Capitals(line.substr(0, 5)) == "#A93:") return ExchangeFormat::Aaf;
    }
    for (const std::string_view line : lines) {
        if (TrimSpace(line).empty()) continue;
        if (line.starts_with("#")) return ExchangeFormat::Aaf;
        const std::string lower = Lower(std::string(line));
        const bool separated = line.find_first_of(",;\t") != std::string_view::npos;
        if (separated && lower.find("name") != std::string::npos && lower.find("date") != std::string::npos)
            return ExchangeFormat::Csv;
        return ExchangeFormat::QuickChart;
    }
    return ExchangeFormat::QuickChart;
}

fs::path ExportTarget(const fs::path& chosen, ExchangeFormat format) {
    if (chosen.empty() || chosen.has_extension() || !chosen.has_filename()) return chosen;
    for (const ExchangeFileKind& kind : kExchangeFileKinds) {
        if (kind.format == format) return fs::path(chosen.native() + "." + kind.ending);
    }
    return chosen;
}

std::string ReplaceFileQuestion(const fs::path& file) {
    return file.filename().string() + " already exists. Do you want to replace it?";
}

std::string FormatTitle(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::Aaf:
            return "AAF";
        case ExchangeFormat::QuickChart:
            return "Quick*Chart";
        case ExchangeFormat::Csv:
            return "CSV";
    }
    return {};
}

std::string ProblemText(const ExchangeProblem& problem) {
    std::string text = "line " + std::to_string(problem.line);
    if (!problem.name.empty()) text += ", " + problem.name;
    text += ": " + problem.text;
    // A name or place the text quotes may hold line breaks (a CSV field in quotes can span lines); the
    // problem stays one line of the report, each break a blank.
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    return line;
}

ImportResult ImportBirthsText(std::string_view bytes, std::optional<ExchangeFormat> format,
                              ZoneSources& zones, const RegionalFormat& regional) {
    ImportResult result;
    if (bytes.find('\0') != std::string_view::npos) {
        result.fault = "it is no text file (it holds NUL bytes)";
        return result;
    }
    const std::string text = DecodeText(bytes);
    result.format = format ? *format : GuessFormat(text);
    SourceFile file;
    switch (result.format) {
        case ExchangeFormat::Aaf:
            file = ReadAafText(text);
            break;
        case ExchangeFormat::QuickChart:
            file = ReadQuickChartText(text);
            break;
        case ExchangeFormat::Csv:
            file = ReadCsvText(text, regional);
            break;
    }
    if (!file.fault.empty()) {
        result.fault = file.fault;
        return result;
    }
    result.notes = std::move(file.notes);

    NoteCollector notes;
    for (const SourceBirth& birth : file.births) {
        const BirthConversion converted = ConvertBirth(birth, zones, regional);
        // As the report names it: on one line, and not longer than a line.
        const std::string_view trimmed = TrimSpace(birth.name);
        std::size_t cut = std::min<std::size_t>(80, trimmed.size());
        while (cut > 0 && cut < trimmed.size() && (static_cast<unsigned char>(trimmed[cut]) & 0xC0) == 0x80)
            --cut;
        std::string name(trimmed.substr(0, cut));
        for (char& c : name) {
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        }
        if (!converted.record) {
            result.refused.push_back({birth.line, name, converted.refusal});
            continue;
        }
        result.records.push_back(*converted.record);
        result.lines.push_back(birth.line);
        for (const std::string& warning : converted.warnings)
            result.warnings.push_back({birth.line, name, warning});
        if (converted.timeRounded) notes.Add("times with seconds rounded to the minute", birth.line);
        if (converted.positionRounded)
            notes.Add("positions with seconds of arc rounded to the minute", birth.line);
        switch (converted.origin) {
            case ZoneOrigin::Given:
                break;
            case ZoneOrigin::MeanTime:
                notes.Add("local mean time taken from the longitude (4 minutes of time a degree)",
                          birth.line);
                break;
            case ZoneOrigin::JulianDay:
                notes.Add("zones taken from the Julian day (the clock time less UT)", birth.line);
                break;
            case ZoneOrigin::ZoneId:
                notes.Add("zones taken from the system's time-zone database for the zone id given",
                          birth.line);
                break;
            case ZoneOrigin::Place:
                notes.Add(
                    "zones taken from the system's time-zone database for the place found in the world atlas",
                    birth.line);
                break;
        }
    }
    notes.AppendTo(result.notes);
    return result;
}

ImportResult ImportBirths(const fs::path& file, std::optional<ExchangeFormat> format, ZoneSources& zones,
                          const RegionalFormat& regional) {
    ImportResult result;
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error && size > kLargestExchangeFile) {
        result.fault =
            "it is larger than any birth-data file (" + std::to_string(size / (1024 * 1024)) + " MB)";
        return result;
    }
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        result.fault = "it cannot be read";
        return result;
    }
    if (!format) format = FormatOfFile(file);
    return ImportBirthsText(*bytes, format, zones, regional);
}

ExportResult ExportNames(const NumberedNames& names, ExchangeFormat format, const RegionalFormat& regional) {
    ExportResult result;
    NoteCollector notes;
    std::size_t utf8Lines = 0;
    std::vector<std::size_t> utf8At;
    if (format == ExchangeFormat::Csv) result.bytes = std::string(kCsvHeader) + kLineEnd;
    for (const NumberedRecord& numbered : names.records) {
        const ExportReading reading = ReadExportBirth(numbered, regional);
        if (!reading.birth) {
            result.refused.push_back({numbered.line, numbered.record.Field[1], reading.refusal});
            continue;
        }
        WrittenBirth written;
        switch (format) {
            case ExchangeFormat::Aaf:
                written = AafRecord(*reading.birth);
                break;
            case ExchangeFormat::QuickChart:
                written = QuickChartRecord(*reading.birth);
                break;
            case ExchangeFormat::Csv:
                written = CsvRecord(*reading.birth);
                break;
        }
        if (!written.refusal.empty()) {
            result.refused.push_back({numbered.line, numbered.record.Field[1], written.refusal});
            continue;
        }
        for (const std::string& note : written.notes) notes.Add(note, numbered.line);
        if (format == ExchangeFormat::QuickChart) {
            // A line is read as UTF-8 whenever its bytes are valid UTF-8, so Windows-1252 bytes that happen
            // to form UTF-8 ("ß¾" is the bytes of one character there) would come back as other characters
            // in other columns: such a line is written in UTF-8 as well. So is a first line whose
            // Windows-1252 bytes begin as a UTF-8 byte-order mark ("ï»¿"), which a reader drops.
            auto narrow = EncodeWindows1252(written.text);
            const bool readAsMark = result.written == 0 && narrow && narrow->starts_with("\xEF\xBB\xBF");
            if (narrow && !readAsMark && (*narrow == written.text || !IsValidUtf8(*narrow))) {
                written.text = std::move(*narrow);
            } else {
                ++utf8Lines;
                notes.Add(
                    "lines written in UTF-8, since their characters are not all in Windows-1252 or their "
                    "Windows-1252 bytes would read as UTF-8",
                    numbered.line);
            }
        }
        // AAF lays its records out with a blank line before each but the first.
        if (format == ExchangeFormat::Aaf && result.written > 0) result.bytes += kLineEnd;
        result.bytes += written.text;
        ++result.written;
    }
    if (names.fault) result.refused.push_back({names.faultLine, {}, *names.fault});
    notes.AppendTo(result.notes);
    return result;
}

ExportResult ExportNamesFile(const fs::path& namesFile, ExchangeFormat format,
                             const RegionalFormat& regional) {
    const NumberedNames names = ReadNumberedNames(namesFile);
    if (!names.opened) {
        ExportResult result;
        result.fault = "The names file " + namesFile.string() + " cannot be read.";
        return result;
    }
    return ExportNames(names, format, regional);
}

std::vector<std::string> ImportReport(const ImportResult& result, const std::string& source,
                                      const std::string& outcome) {
    std::vector<std::string> lines;
    lines.push_back("IMPORT OF " + source + " (" + FormatTitle(result.format) + ")");
    lines.push_back("");
    lines.push_back(Count(result.records.size() + result.refused.size(), "record", "records") + " read, " +
                    std::to_string(result.records.size()) + " converted, " +
                    std::to_string(result.refused.size()) + " could not be converted.");
    if (!outcome.empty()) AddWrapped(lines, "", outcome);
    lines.push_back("");
    AddWrapped(lines, "", kNamesFileConvention);
    if (!result.notes.empty()) {
        lines.push_back("");
        lines.push_back("NOTES");
        for (const std::string& note : result.notes) AddWrapped(lines, "  ", note);
    }
    if (!result.refused.empty()) {
        lines.push_back("");
        lines.push_back("NOT CONVERTED");
        for (const ExchangeProblem& p : result.refused) AddWrapped(lines, "  ", ProblemText(p));
    }
    if (!result.warnings.empty()) {
        lines.push_back("");
        lines.push_back("CONVERTED, BUT PLEASE CHECK");
        for (const ExchangeProblem& p : result.warnings) AddWrapped(lines, "  ", ProblemText(p));
    }
    return lines;
}

std::vector<std::string> ExportReport(const ExportResult& result, const std::string& namesFile,
                                      const std::string& target, ExchangeFormat format) {
    std::vector<std::string> lines;
    lines.push_back("EXPORT OF " + namesFile + " TO " + target + " (" + FormatTitle(format) + ")");
    lines.push_back("");
    lines.push_back(Count(result.written, "birth", "births") + " written, " +
                    std::to_string(result.refused.size()) + " could not be.");
    if (!result.notes.empty()) {
        lines.push_back("");
        lines.push_back("NOTES");
        for (const std::string& note : result.notes) AddWrapped(lines, "  ", note);
    }
    if (!result.refused.empty()) {
        lines.push_back("");
        lines.push_back("NOT WRITTEN");
        for (const ExchangeProblem& p : result.refused) AddWrapped(lines, "  ", ProblemText(p));
    }
    return lines;
}

std::string ImportQuestion(const ImportResult& result, const std::string& source, const std::string& target) {
    std::string text = "Add " + Count(result.records.size(), "birth", "births") + " from " + source +
                       " at the end of " + target + "?";
    if (!result.refused.empty())
        text += std::string(kLineEnd) + kLineEnd + Count(result.refused.size(), "record", "records") +
                " could not be converted and will be left out; the report lists each with its reason.";
    if (!result.warnings.empty())
        text += std::string(kLineEnd) + kLineEnd +
                Count(result.warnings.size(), "warning asks", "warnings ask") +
                " you to check a record; the report lists them.";
    text += std::string(kLineEnd) + kLineEnd + kNamesFileConvention;
    return text;
}

ExchangeRun ImportCommand(const fs::path& source, const std::function<std::string()>& chooseTarget,
                          ZoneSources& zones, const RegionalFormat& regional, UserDialogs& dialogs,
                          ReportBuffer& report) {
    ExchangeRun run;
    const ImportResult result = ImportBirths(source, std::nullopt, zones, regional);
    const std::string sourceName = FileName(source);
    if (!result.fault.empty()) {
        dialogs.ShowMessage("The file " + source.string() + " cannot be imported: " + result.fault + ".",
                            kImportTitle, MessageIcon::Critical);
        run.outcome = ExchangeOutcome::Refused;
        return run;
    }
    if (result.records.empty()) {
        WriteReport(report, ImportReport(result, sourceName, "Nothing was added to any names file."));
        dialogs.ShowMessage(
            "No birth of " + sourceName +
                " could be converted for a names file; the report lists each record with its reason.",
            kImportTitle, MessageIcon::Exclamation);
        run.outcome = ExchangeOutcome::Refused;
        run.reported = true;
        return run;
    }
    const std::string chosen = chooseTarget ? chooseTarget() : std::string();
    if (chosen.empty()) return run;
    const fs::path target(chosen);
    if (!dialogs.AskYesNo(ImportQuestion(result, sourceName, FileName(target)), kImportTitle,
                          MessageIcon::Question))
        return run;

    const NamesFileAddition added = AddRecordsToNamesFile(target, result.records);
    run.reported = true;
    if (!added.written) {
        WriteReport(report, ImportReport(result, sourceName, "Nothing was added: " + added.message));
        dialogs.ShowMessage(added.message, kImportTitle, MessageIcon::Critical);
        run.outcome = ExchangeOutcome::Failed;
        return run;
    }
    WriteReport(report,
                ImportReport(result, sourceName,
                             Count(result.records.size(), "birth", "births") + " added at the end of " +
                                 target.string() + "; the previous file is kept as " +
                                 FileName(BackupPath(target)) + "."));
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
        dialogs.ShowMessage(
            "Please give the file the ending .aaf, .qck or .csv: the ending chooses the format "
            "(AAF, Quick*Chart or CSV).",
            kExportTitle, MessageIcon::Exclamation);
        return run;
    }
    std::error_code error;
    if (fs::equivalent(namesFile, target, error)) {
        dialogs.ShowMessage("The names file itself cannot be the file it is exported to.", kExportTitle,
                            MessageIcon::Exclamation);
        return run;
    }
    const ExportResult result = ExportNamesFile(namesFile, *format, regional);
    run.outcome = ExchangeOutcome::Failed;
    if (!result.fault.empty()) {
        dialogs.ShowMessage(result.fault, kExportTitle, MessageIcon::Critical);
        return run;
    }
    if (!ReplaceFileContents(target, result.bytes)) {
        dialogs.ShowMessage("The file " + target.string() + " could not be written; nothing was exported.",
                            kExportTitle, MessageIcon::Critical);
        return run;
    }
    WriteReport(report, ExportReport(result, FileName(namesFile), FileName(target), *format));
    run.outcome = ExchangeOutcome::Written;
    run.reported = true;
    run.written = target;
    return run;
}

}  // namespace talvenor
