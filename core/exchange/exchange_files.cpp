#include "exchange/exchange_files.h"

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <system_error>

#include "environment/text_files.h"
#include "exchange/exchange_format.h"
#include "exchange/exchange_lines.h"

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
        auto found = kinds_.find(kind);
        if (found == kinds_.end()) {
            order_.push_back(kind);
            found = kinds_.emplace(kind, Kind{}).first;
        }
        Kind& entry = found->second;
        if (entry.lines.size() < kLinesNamed) entry.lines.push_back(line);
        ++entry.count;
    }
    void AppendTo(std::vector<std::string>& notes) const {
        for (const std::string& kind : order_) {
            const Kind& entry = kinds_.at(kind);
            std::string text = kind + " (" + std::to_string(entry.count) +
                               (entry.count == 1 ? " record" : " records") + "): line" +
                               (entry.count == 1 ? " " : "s ");
            for (std::size_t i = 0; i < entry.lines.size(); ++i)
                text += (i ? ", " : "") + std::to_string(entry.lines[i]);
            if (entry.count > entry.lines.size())
                text += " and " + std::to_string(entry.count - entry.lines.size()) + " more";
            notes.push_back(text);
        }
    }

  private:
    struct Kind {
        std::vector<std::size_t> lines;  // the first kLinesNamed
        std::size_t count = 0;
    };
    std::map<std::string, Kind> kinds_;
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

// How much of the beginning of a file tells its format.
constexpr std::size_t kHeadBytes = 1 << 20;

// What a text looks like, as a message says it.
std::string Described(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::Aaf:
            return "AAF (it holds #A93 records)";
        case ExchangeFormat::QuickChart:
            return "Quick*Chart (its first line reads as a Quick*Chart record)";
        case ExchangeFormat::Csv:
            return "CSV (its first line names the columns of a CSV file of births)";
    }
    return {};
}

fs::path TemporaryFolder() {
    std::error_code error;
    fs::path folder = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : folder;
}

// A file in the folder that has no name (so that nothing is left behind, whatever happens), open for
// reading and writing; null when none can be made.
std::FILE* UnnamedTemporaryFile(const fs::path& folder) {
    std::string name = (folder / "talvenor-import-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return nullptr;
    ::unlink(name.c_str());
    std::FILE* file = ::fdopen(fd, "w+b");
    if (!file) ::close(fd);
    return file;
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

std::optional<ExchangeFormat> LooksLike(std::string_view text) {
    const std::vector<std::string_view> lines = TextLines(text);
    for (const std::string_view line : lines) {
        if (line.size() >= 5 && Capitals(line.substr(0, 5)) == "#A93:") return ExchangeFormat::Aaf;
    }
    for (const std::string_view line : lines) {
        if (TrimSpace(line).empty()) continue;
        if (NamesCsvColumns(line)) return ExchangeFormat::Csv;
        const SourceFile quickChart = ReadQuickChartText(line);
        if (quickChart.births.size() == 1 && quickChart.births[0].fault.empty())
            return ExchangeFormat::QuickChart;
        return std::nullopt;
    }
    return std::nullopt;
}

ImportResult ImportBirthsFrom(std::istream& in, std::optional<ExchangeFormat> format, ZoneSources& zones,
                              const RegionalFormat& regional, const RecordSink& sink) {
    ImportResult result;
    // The beginning of the file tells the format when none is given, and what the file looks like when
    // it turns out to be none of its format.
    std::string head;
    char buffer[1 << 14];
    while (head.size() < kHeadBytes &&
           in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, kHeadBytes - head.size())))
                   .gcount() > 0)
        head.append(buffer, static_cast<std::size_t>(in.gcount()));
    in.clear();
    in.seekg(0);
    if (!in) {
        result.fault = "it cannot be read";
        return result;
    }
    const std::string headText = DecodeText(head);
    result.format = format ? *format : GuessFormat(headText);
    std::unique_ptr<BirthReader> reader;
    switch (result.format) {
        case ExchangeFormat::Aaf:
            reader = AafReader();
            break;
        case ExchangeFormat::QuickChart:
            reader = QuickChartReader();
            break;
        case ExchangeFormat::Csv:
            reader = CsvReader(regional);
            break;
    }

    NoteCollector notes;
    const auto problem = [](std::vector<ExchangeProblem>& list, std::size_t& count, ExchangeProblem p) {
        if (list.size() < kListedProblems) list.push_back(std::move(p));
        ++count;
    };
    const BirthReader::Sink give = [&](SourceBirth&& birth) {
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
            problem(result.refused, result.refusedCount, {birth.line, name, converted.refusal});
            return;
        }
        ++result.converted;
        if (sink) {
            sink(birth.line, *converted.record);
        } else {
            result.records.push_back(*converted.record);
            result.lines.push_back(birth.line);
        }
        for (const std::string& warning : converted.warnings)
            problem(result.warnings, result.warningCount, {birth.line, name, warning});
        if (birth.calendarChanged)
            notes.Add(
                "Julian-calendar dates (marked j) after 1582 October 15 turned into the Gregorian dates of "
                "the same days, the calendar the program counts them in",
                birth.line);
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
    };

    ExchangeLines lines(in);
    ExchangeLine line;
    // Once the file is known to be none of its format, the rest is only looked through for NUL bytes.
    while (lines.Next(line)) {
        if (reader->Fault().empty()) reader->Line(line.text, line.number, line.ended, give);
    }
    if (reader->Fault().empty()) reader->End(give);
    if (lines.ReadFailed()) {
        result.fault = "it cannot be read";
    } else if (lines.SawNul()) {
        result.fault = "it is no text file (it holds NUL bytes)";
    } else if (!reader->Fault().empty()) {
        result.fault = reader->Fault();
    } else if (result.format == ExchangeFormat::QuickChart && result.converted == 0) {
        // Lines of any text are Quick*Chart lines that cannot be read; a text that is clearly of another
        // format is no Quick*Chart file.
        const auto looks = LooksLike(headText);
        if (looks && *looks != ExchangeFormat::QuickChart)
            result.fault = "none of its lines is a Quick*Chart record";
    }
    if (!result.fault.empty()) {
        if (!lines.ReadFailed() && !lines.SawNul()) {
            const auto looks = LooksLike(headText);
            if (looks && *looks != result.format) {
                result.looksLike = looks;
                result.fault += "; its text looks like " + Described(*looks);
            }
        }
        result.converted = 0;
        result.records.clear();
        result.lines.clear();
        result.refused.clear();
        result.refusedCount = 0;
        result.warnings.clear();
        result.warningCount = 0;
        return result;
    }
    result.notes = reader->Notes();
    notes.AppendTo(result.notes);
    return result;
}

ImportResult ImportBirthsText(std::string_view bytes, std::optional<ExchangeFormat> format,
                              ZoneSources& zones, const RegionalFormat& regional, const RecordSink& sink) {
    std::istringstream in{std::string(bytes)};
    return ImportBirthsFrom(in, format, zones, regional, sink);
}

ImportResult ImportBirths(const fs::path& file, std::optional<ExchangeFormat> format, ZoneSources& zones,
                          const RegionalFormat& regional, const RecordSink& sink) {
    ImportResult result;
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error && size > kLargestExchangeFile) {
        result.fault =
            "it is larger than any birth-data file (" + std::to_string(size / (1024 * 1024)) + " MB)";
        return result;
    }
    // Only a plain file has an end: a folder cannot be read, /dev/zero never ends and a pipe without a
    // writer would wait for ever.
    std::ifstream in;
    if (!file.empty() && IsPlainFile(file)) in.open(file, std::ios::binary);
    if (!in.is_open()) {
        result.fault = "it cannot be read";
        return result;
    }
    if (!format) format = FormatOfFile(file);
    return ImportBirthsFrom(in, format, zones, regional, sink);
}

ConvertedRecords::ConvertedRecords(std::size_t heldBytes, fs::path folder)
    : heldBytes_(heldBytes), folder_(folder.empty() ? TemporaryFolder() : std::move(folder)) {}

ConvertedRecords::~ConvertedRecords() {
    if (spill_) std::fclose(spill_);
}

void ConvertedRecords::Clear() {
    if (spill_) std::fclose(spill_);
    spill_ = nullptr;
    held_.clear();
    count_ = 0;
    failed_ = false;
}

void ConvertedRecords::Add(const NameRecord& record) {
    ++count_;
    if (failed_) return;  // the records are incomplete already: none is kept
    held_ += NameRecordLine(record);
    held_ += kLineEnd;
    if (held_.size() < heldBytes_) return;
    if (!spill_) spill_ = UnnamedTemporaryFile(folder_);
    failed_ = !spill_ || std::fwrite(held_.data(), 1, held_.size(), spill_) != held_.size();
    held_.clear();
}

RecordSink ConvertedRecords::Sink() {
    return [this](std::size_t, const NameRecord& record) { Add(record); };
}

bool ConvertedRecords::WriteTo(FileOutput& out) {
    if (failed_) return false;
    if (spill_) {
        if (std::fflush(spill_) != 0 || std::fseek(spill_, 0, SEEK_SET) != 0) return false;
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), spill_);
            if (read == 0) break;
            if (!out.Write(std::string_view(buffer.data(), read))) return false;
        }
        // Further records go after those read back.
        if (std::ferror(spill_) || std::fseek(spill_, 0, SEEK_END) != 0) return false;
    }
    return out.Write(held_);
}

NamesFileAddition ConvertedRecords::AddTo(const fs::path& namesFile) {
    if (failed_) {
        NamesFileAddition refused;
        refused.message = "The converted births could not all be kept for writing: the temporary folder " +
                          folder_.string() + " is full or cannot be written. Nothing was added.";
        return refused;
    }
    return AddLinesToNamesFile(namesFile, [this](FileOutput& out) { return WriteTo(out); });
}

ExportResult ExportNames(const NumberedNames& names, ExchangeFormat format, const RegionalFormat& regional) {
    ExportResult result;
    NoteCollector notes;
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
                written = QuickChartRecord(*reading.birth, result.written == 0);
                break;
            case ExchangeFormat::Csv:
                written = CsvRecord(*reading.birth);
                break;
        }
        if (!written.refusal.empty()) {
            result.refused.push_back({numbered.line, numbered.record.Field[1], written.refusal});
            continue;
        }
        for (const std::string& note : reading.notes) notes.Add(note, numbered.line);
        for (const std::string& note : written.notes) notes.Add(note, numbered.line);
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
    lines.push_back(Count(result.converted + result.refusedCount, "record", "records") + " read, " +
                    std::to_string(result.converted) + " converted, " + std::to_string(result.refusedCount) +
                    " could not be converted.");
    if (!outcome.empty()) AddWrapped(lines, "", outcome);
    lines.push_back("");
    AddWrapped(lines, "", kNamesFileConvention);
    if (!result.notes.empty()) {
        lines.push_back("");
        lines.push_back("NOTES");
        for (const std::string& note : result.notes) AddWrapped(lines, "  ", note);
    }
    const auto listed = [&lines](const char* heading, const std::vector<ExchangeProblem>& problems,
                                 std::size_t count, const char* what) {
        if (count == 0) return;
        lines.push_back("");
        lines.push_back(heading);
        for (const ExchangeProblem& p : problems) AddWrapped(lines, "  ", ProblemText(p));
        if (count > problems.size())
            AddWrapped(lines, "  ",
                       "and " + std::to_string(count - problems.size()) + " more " + what +
                           ", not listed: the first " + std::to_string(problems.size()) +
                           " show what to correct in the file");
    };
    listed("NOT CONVERTED", result.refused, result.refusedCount, "records");
    listed("CONVERTED, BUT PLEASE CHECK", result.warnings, result.warningCount, "warnings");
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
    std::string text = "Add " + Count(result.converted, "birth", "births") + " from " + source +
                       " at the end of " + target + "?";
    if (result.refusedCount > 0)
        text += std::string(kLineEnd) + kLineEnd + Count(result.refusedCount, "record", "records") +
                " could not be converted and will be left out; the report lists " +
                (result.refusedCount > result.refused.size()
                     ? "the first " + std::to_string(result.refused.size())
                     : std::string("each")) +
                " with " + (result.refusedCount > result.refused.size() ? "their reasons." : "its reason.");
    if (result.warningCount > 0)
        text += std::string(kLineEnd) + kLineEnd +
                Count(result.warningCount, "warning asks", "warnings ask") +
                " you to check a record; the report lists them.";
    text += std::string(kLineEnd) + kLineEnd + kNamesFileConvention;
    return text;
}

std::string FormatMismatchQuestion(const fs::path& source, const ImportResult& result) {
    return "The file " + source.string() + " cannot be imported as " + FormatTitle(result.format) + ": " +
           result.fault + "." + kLineEnd + kLineEnd + "Import it as " + FormatTitle(*result.looksLike) + "?";
}

std::string ImportFaultMessage(const fs::path& source, const ImportResult& result) {
    return "The file " + source.string() + " cannot be imported: " + result.fault + ".";
}

std::string NothingConvertedMessage(const std::string& sourceName) {
    return "No birth of " + sourceName +
           " could be converted for a names file; the report lists each record with its reason.";
}

std::string AddedClosingLine(const ImportResult& result, const fs::path& target,
                             const NamesFileAddition& added) {
    // A message beside a written file says where the previous list went, since it is not the backup.
    const std::string kept = added.message.empty()
                                 ? "; the previous file is kept as " + FileName(BackupPath(target)) + "."
                                 : ". " + added.message;
    return Count(result.converted, "birth", "births") + " added at the end of " + target.string() + kept;
}

std::string ExportNotWrittenMessage(const fs::path& target) {
    return "The file " + target.string() + " could not be written; nothing was exported.";
}

std::string ExchangeFileName(const fs::path& path) {
    return FileName(path);
}

void WriteExchangeReport(ReportBuffer& report, const std::vector<std::string>& lines) {
    WriteReport(report, lines);
}

}  // namespace talvenor
