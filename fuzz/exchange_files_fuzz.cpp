// Birth-data exchange files: any bytes as AAF, Quick*Chart or CSV (the first byte chooses, or lets the
// text tell), every converted record a names-file record the program reads back and computes from, and
// the converted records through every format and back.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "exchange/exchange_files.h"
#include "exchange/exchange_format.h"
#include "exchange/exchange_lines.h"
#include "fuzz_support.h"
#include "input/input_checks.h"
#include "input/window_birth.h"

using namespace talvenor;
using namespace talvenor::fuzzing;

namespace {

// A name the AAF name fields give back as it is: words of no comma, star or hash, one blank apart.
bool PlainName(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ',' || c == '*' || c == '#' || c == '\t' || c == '\v' || c == '\f') return false;
        if (c == ' ' && name[i + 1] == ' ') return false;
    }
    return true;
}

void RequireSameBirths(const std::vector<NameRecord>& before, const std::vector<NameRecord>& after,
                       ExchangeFormat format) {
    Require(before.size() == after.size(), "every converted record goes out and comes back");
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const auto& a = before[i].Field;
        const auto& b = after[i].Field;
        Require(a[2] == b[2] && a[3] == b[3] && a[4] == b[4] && a[6] == b[6] && a[7] == b[7],
                "date, time and place come back the same");
        if (format == ExchangeFormat::Csv) Require(a == b, "a CSV round trip keeps every field");
        if (format == ExchangeFormat::Aaf) {
            Require(a[5] == b[5], "an AAF round trip keeps the zone");
            if (PlainName(a[1])) Require(a[1] == b[1], "an AAF round trip keeps a plain name");
        }
    }
}

// A file read line by line from a stream gives the lines of its whole text decoded and split: as many,
// and the same ones wherever the text is UTF-8 as a whole (elsewhere each line is decoded on its own).
void RequireSameLines(std::string_view bytes) {
    std::istringstream in{std::string(bytes)};
    ExchangeLines stream(in);
    std::vector<std::string> read;
    ExchangeLine line;
    while (stream.Next(line)) read.push_back(line.text);
    Require(stream.SawNul() == (bytes.find('\0') != std::string_view::npos), "a NUL byte is seen");
    const std::string decoded = DecodeText(bytes);
    const std::vector<std::string_view> lines = TextLines(decoded);
    Require(read.size() == lines.size(), "a stream has the lines of its text");
    if (!IsValidUtf8(bytes)) return;
    for (std::size_t i = 0; i < read.size() && i < lines.size(); ++i)
        Require(read[i] == lines[i], "a line of a UTF-8 stream is the line of its text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    RequireSameLines(AsText(data + 1, size - 1));
    const ExchangeFormat formats[] = {ExchangeFormat::Aaf, ExchangeFormat::QuickChart, ExchangeFormat::Csv};
    const std::optional<ExchangeFormat> format =
        data[0] % 4 < 3 ? std::optional<ExchangeFormat>(formats[data[0] % 4]) : std::nullopt;
    const std::string_view text = AsText(data + 1, size - 1);
    ZoneSources none;
    const RegionalFormat regional;
    const ImportResult result = ImportBirthsText(text, format, none, regional);
    if (!result.fault.empty()) {
        Require(result.records.empty() && result.refused.empty(),
                "a file refused as a whole gives no record");
        return 0;
    }
    Require(result.records.size() == result.lines.size(), "every record has its line");
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
                              static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')) + 1;
    for (const ExchangeProblem& p : result.refused) {
        Require(!p.text.empty(), "a refused record says why");
        Require(p.line >= 1 && p.line <= lines, "a refused record names a line of the file");
        Require(ProblemText(p).find_first_of("\r\n") == std::string::npos, "a refusal is one line");
    }
    for (const ExchangeProblem& p : result.warnings)
        Require(ProblemText(p).find_first_of("\r\n") == std::string::npos, "a warning is one line");
    for (std::size_t i = 0; i < result.records.size(); ++i) {
        const NameRecord& record = result.records[i];
        Require(result.lines[i] >= 1 && result.lines[i] <= lines, "a record names a line of the file");
        const std::string line = NameRecordLine(record);
        Require(!NameRecordFault(line, regional), "a converted record reads back from a names file");
        InputTexts natal;
        Require(!FillNatalFromRecord(record, regional, natal), "a converted record fills the natal window");
        const Birth birth = BirthFromWindow(natal, regional, kNatalWindowSource);
        Require(CheckRanges(birth, BirthWindow::Natal).empty(), "a converted record passes the natal checks");
        const RecordBirth read = ReadRecordBirth(record, regional, "");
        Require(!read.fault && read.birth == birth, "a record reads as the birth its window texts give");
    }
    const std::vector<std::string> report = ImportReport(result, "FUZZ", "");
    Require(!report.empty(), "an import has a report");

    // Out through every format and back in.
    NumberedNames names;
    names.opened = true;
    for (std::size_t i = 0; i < result.records.size() && i < 64; ++i)
        names.records.push_back({i + 1, result.records[i]});
    std::vector<NameRecord> kept(result.records.begin(), result.records.begin() + names.records.size());
    if (kept.empty()) return 0;
    for (const ExchangeFormat out : formats) {
        const ExportResult written = ExportNames(names, out, regional);
        Require(written.refused.size() + written.written == names.records.size(),
                "every record is written or refused");
        if (!written.refused.empty()) continue;
        const ImportResult back = ImportBirthsText(written.bytes, out, none, regional);
        Require(back.fault.empty() && back.refused.empty(), "what was written comes back in");
        RequireSameBirths(kept, back.records, out);
    }
    return 0;
}
