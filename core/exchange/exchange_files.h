// Births in and out of a names file, in the AAF, Quick*Chart and CSV exchange formats: reading a whole
// file into names-file records with the list of those that cannot be converted, writing a names file
// out, the report of either, and the names window's Import and Export.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/names_file.h"
#include "environment/regional_format.h"
#include "exchange/exchange_births.h"
#include "report/report_buffer.h"

namespace talvenor {

enum class ExchangeFormat { Aaf, QuickChart, Csv };

// "aaf", "qck" or "csv", in any case.
std::optional<ExchangeFormat> FormatNamed(std::string_view name);
// By the file's ending: .aaf, .qck, .csv (any case).
std::optional<ExchangeFormat> FormatOfFile(const std::filesystem::path& file);
// By the text: a line beginning with "#A93:" is AAF, a first line naming columns separated by commas,
// semicolons or tabs is CSV, anything else is taken for Quick*Chart.
ExchangeFormat GuessFormat(std::string_view text);
// What a text clearly is, judged by its beginning: AAF when a line begins with "#A93:", CSV when the
// first line that is not blank names the columns a CSV file needs, Quick*Chart when that line reads as a
// Quick*Chart record; none when it is none of these.
std::optional<ExchangeFormat> LooksLike(std::string_view text);
// "AAF", "Quick*Chart", "CSV".
std::string FormatTitle(ExchangeFormat format);

// Larger files are refused rather than read: no birth-data file comes near it.
inline constexpr std::uintmax_t kLargestExchangeFile = 256u * 1024 * 1024;

struct ExchangeProblem {
    std::size_t line = 0;
    std::string name;
    std::string text;
};
// "line 12, Tobias Ferber: the record has no time of birth".
std::string ProblemText(const ExchangeProblem& problem);

// Where the records of an import go as they are converted, each with the line of the file it began on.
using RecordSink = std::function<void(std::size_t line, const NameRecord& record)>;

// An import lists this many records that could not be converted, and as many warnings, each with its
// line and reason; of any beyond them (a file of a million bad lines) it gives the number.
inline constexpr std::size_t kListedProblems = 1000;

struct ImportResult {
    std::string fault;  // the file cannot be read, is no text or not of its format: nothing is imported
    // With a fault: the format the file's text looks like, when that is another than the one it was read in.
    std::optional<ExchangeFormat> looksLike;
    ExchangeFormat format = ExchangeFormat::Aaf;
    std::size_t converted = 0;              // records converted (with a fault, none count)
    std::vector<NameRecord> records;        // converted, in file order, unless a sink took them
    std::vector<std::size_t> lines;         // the line each of them began on
    std::vector<ExchangeProblem> refused;   // the first kListedProblems of those not converted
    std::size_t refusedCount = 0;           // how many could not be converted in all
    std::vector<ExchangeProblem> warnings;  // the first kListedProblems
    std::size_t warningCount = 0;
    std::vector<std::string> notes;  // about the file and what the names file could not keep
};

// The births of a file's bytes (UTF-8 or Windows-1252, line by line) in the given format, or the one the
// text looks like. A file with a NUL byte is no text file. The records are read, converted and handed to
// `sink` one at a time, so that the memory an import takes does not grow with the file; without a sink
// they are collected in the result. With a fault the sink's records are to be thrown away.
ImportResult ImportBirthsFrom(std::istream& in, std::optional<ExchangeFormat> format, ZoneSources& zones,
                              const RegionalFormat& regional, const RecordSink& sink = {});
ImportResult ImportBirthsText(std::string_view bytes, std::optional<ExchangeFormat> format,
                              ZoneSources& zones, const RegionalFormat& regional,
                              const RecordSink& sink = {});
// The same for a file; without a format the file's ending gives it, else its text.
ImportResult ImportBirths(const std::filesystem::path& file, std::optional<ExchangeFormat> format,
                          ZoneSources& zones, const RegionalFormat& regional, const RecordSink& sink = {});

// The records an import converted, as the lines a names file adds (NameRecordLine, CR LF), in file
// order: held in memory while they are few, beyond that in an unnamed temporary file of the given folder
// (by default the system's temporary folder), so that an import of millions of births costs little memory.
class ConvertedRecords {
  public:
    static constexpr std::size_t kHeldBytes = 8u << 20;
    explicit ConvertedRecords(std::size_t heldBytes = kHeldBytes, std::filesystem::path folder = {});
    ~ConvertedRecords();
    ConvertedRecords(const ConvertedRecords&) = delete;
    ConvertedRecords& operator=(const ConvertedRecords&) = delete;

    void Add(const NameRecord& record);
    // A sink that adds each record.
    RecordSink Sink();
    std::size_t size() const { return count_; }
    // False when the temporary file could not be written, so that records are missing.
    bool Complete() const { return !failed_; }
    void Clear();
    // Every record's line, in order; false when they could not all be read back.
    bool WriteTo(FileOutput& out);
    // Adds them at the end of a names file (AddLinesToNamesFile).
    NamesFileAddition AddTo(const std::filesystem::path& namesFile);

  private:
    std::size_t heldBytes_;
    std::filesystem::path folder_;
    std::string held_;
    std::FILE* spill_ = nullptr;
    std::size_t count_ = 0;
    bool failed_ = false;
};

struct ExportResult {
    std::string fault;  // the names file cannot be read: nothing is written
    std::string bytes;  // the file to write
    std::size_t written = 0;
    std::vector<ExchangeProblem> refused;
    std::vector<std::string> notes;
};

// A names file's records in a format, CR LF line ends; UTF-8, except Quick*Chart lines, which are
// Windows-1252 wherever the line's characters allow (100 bytes a line either way, since readers of that
// format count columns in bytes).
// A names file whose list stops early is written up to there, with the reason among the refusals.
ExportResult ExportNames(const NumberedNames& names, ExchangeFormat format, const RegionalFormat& regional);
ExportResult ExportNamesFile(const std::filesystem::path& namesFile, ExchangeFormat format,
                             const RegionalFormat& regional);

// What the names file keeps, said in every import report.
inline constexpr const char* kNamesFileConvention =
    "The names file keeps times on the 12-hour clock with A or P, zones in hours west of UT (east negative) "
    "with any daylight-saving time folded in, and longitudes and latitudes as degrees.minutes (west and "
    "north "
    "positive); times and positions are rounded to the minute.";

// The lines of the import report: what was read and added, the notes, every record that could not be
// converted and every warning. `outcome` says what became of the records ("12 births added to ...").
std::vector<std::string> ImportReport(const ImportResult& result, const std::string& source,
                                      const std::string& outcome);
std::vector<std::string> ExportReport(const ExportResult& result, const std::string& namesFile,
                                      const std::string& target, ExchangeFormat format);

inline constexpr const char* kImportTitle = "Import Births";
inline constexpr const char* kExportTitle = "Export Births";
// The files Import reads and Export writes.
inline constexpr const char* kExchangeFilePattern = "*.AAF *.QCK *.CSV";

// The file windows of Import and Export: their titles, and the kinds of file they offer, one a format
// (Import offers all three together first).
inline constexpr const char* kImportFileTitle = "Import births from";
inline constexpr const char* kExportFileTitle = "Export the names file to";
inline constexpr const char* kBirthFilesLabel = "Birth files";
struct ExchangeFileKind {
    ExchangeFormat format;
    const char* label;   // "AAF files"
    const char* ending;  // "aaf"
};
inline constexpr ExchangeFileKind kExchangeFileKinds[] = {
    {ExchangeFormat::Aaf, "AAF files", "aaf"},
    {ExchangeFormat::QuickChart, "Quick*Chart files", "qck"},
    {ExchangeFormat::Csv, "CSV files", "csv"},
};
// The file Export writes for the name chosen with the kind of file of a format: a name without an ending
// gets that format's ending ("births" with CSV files chosen: "births.csv"); any other name stays as it is.
std::filesystem::path ExportTarget(const std::filesystem::path& chosen, ExchangeFormat format);
// Asked before a file that the file window did not name is replaced.
std::string ReplaceFileQuestion(const std::filesystem::path& file);

// The question before anything is written.
std::string ImportQuestion(const ImportResult& result, const std::string& source, const std::string& target);

enum class ExchangeOutcome { Cancelled, Refused, Written, Failed };

struct ExchangeRun {
    ExchangeOutcome outcome = ExchangeOutcome::Cancelled;
    bool reported = false;          // the report is the page of the report buffer, to be shown
    std::filesystem::path written;  // the file written
};

// The texts of the names window's Import and Export (ImportCommand and ExportCommand in
// session/exchange_commands.h ask and tell them).
// The question when a file's ending names one format and its text another.
std::string FormatMismatchQuestion(const std::filesystem::path& source, const ImportResult& result);
// A file that cannot be imported at all.
std::string ImportFaultMessage(const std::filesystem::path& source, const ImportResult& result);
// No record of the file could be converted.
std::string NothingConvertedMessage(const std::string& sourceName);
// The last line of the import's report when the births were added.
std::string AddedClosingLine(const ImportResult& result, const std::filesystem::path& target,
                             const NamesFileAddition& added);
inline constexpr const char* kExportEndingMessage =
    "Please give the file the ending .aaf, .qck or .csv: the ending chooses the format "
    "(AAF, Quick*Chart or CSV).";
inline constexpr const char* kExportIntoNamesFileMessage =
    "The names file itself cannot be the file it is exported to.";
std::string ExportNotWrittenMessage(const std::filesystem::path& target);
// A file's name without its folder, as the reports and questions name it.
std::string ExchangeFileName(const std::filesystem::path& path);
// Makes the lines the page of the report buffer, each indented by two blanks.
void WriteExchangeReport(ReportBuffer& report, const std::vector<std::string>& lines);

}  // namespace talvenor
