// talvenor-report import and export: births between names files and the exchange formats.
#include "exchange_commands.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "arguments.h"
#include "atlas/atlas_search.h"
#include "atlas_commands.h"
#include "environment/app_folder.h"
#include "environment/regional_format.h"
#include "environment/text_files.h"
#include "exchange/exchange_files.h"
#include "standard_output.h"
#include "system_zones.h"
#include "text/control_characters.h"

namespace talvenor::cli {
namespace {

namespace fs = std::filesystem;

// Messages quote names and fields of the files read: their control characters are shown as the pages
// show them, never sent to the terminal, as BadArguments shows them in the refusals.
void Say(const std::string& text) {
    Tell(text);
}

// The value of --format that names a format.
std::string FormatOption(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::Aaf:
            return "aaf";
        case ExchangeFormat::QuickChart:
            return "qck";
        case ExchangeFormat::Csv:
            return "csv";
    }
    return {};
}

struct Arguments {
    std::optional<std::string> file, format, to, output, dataDir;
    std::string unknown;
};

Arguments Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    const Option options[] = {
        Option::Text("--format", parsed.format, "a value"),
        Option::Text("--to", parsed.to, "a value"),
        Option::Text("--output", parsed.output, "a value"),
        Option::Text("--data-dir", parsed.dataDir, "a value"),
    };
    parsed.unknown = ReadArguments(args, options, [&parsed](const std::string& a) -> std::string {
        if (a.size() > 1 && a[0] == '-') return "unknown option " + a;
        if (parsed.file) return "one file at a time: " + *parsed.file + " and " + a;
        parsed.file = a;
        return "";
    });
    return parsed;
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args) {
    const Arguments a = Parse(args);
    if (!a.unknown.empty()) return BadArguments("import: " + a.unknown);
    if (!a.file) return BadArguments("import needs the FILE to read");
    if (!a.to) return BadArguments("import needs --to NAMES.FIL, the names file the births go to");
    if (a.output)
        return BadArguments("import writes into the names file of --to; --output belongs to export");
    std::optional<ExchangeFormat> format;
    if (a.format) {
        format = FormatNamed(*a.format);
        if (!format) return BadArguments("--format must be aaf, qck or csv: " + *a.format);
    }
    std::error_code error;
    if (a.dataDir && !fs::is_directory(*a.dataDir, error))
        return BadArguments("--data-dir is not a folder: " + *a.dataDir);
    const fs::path folder =
        a.dataDir ? fs::path(*a.dataDir) : FindAppFolder(ExecutableDir(), InstalledDataDir(ExecutableDir()));

    SystemZoneDatabase zones;
    // The installed atlas is read in place; an index made for it goes into the data folder.
    IndexBuildNote note;
    AtlasPlaceZones places(LocateAtlas(folder, InstalledDataDir(ExecutableDir())), &note);
    ZoneSources sources{&zones, &places};
    ConvertedRecords converted;
    const ImportResult result =
        ImportBirths(*a.file, format, sources, ReadRegionalFormat(), converted.Sink());
    if (!result.fault.empty()) {
        Say(*a.file + " cannot be imported: " + result.fault +
            (result.looksLike ? "; --format " + FormatOption(*result.looksLike) + " reads it so" : ""));
        return 1;
    }
    for (const std::string& note : result.notes) Say("note: " + note);
    for (const ExchangeProblem& p : result.warnings) Say("warning: " + *a.file + " " + ProblemText(p));
    if (result.warningCount > result.warnings.size())
        Say("warning: " + *a.file + ": " + std::to_string(result.warningCount - result.warnings.size()) +
            " more warnings, not listed");
    for (const ExchangeProblem& p : result.refused) Say(*a.file + " " + ProblemText(p));
    if (result.refusedCount > result.refused.size())
        Say(*a.file + ": " + std::to_string(result.refusedCount - result.refused.size()) +
            " more records could not be converted, not listed");
    bool backupMissed = false;
    if (result.converted > 0) {
        const NamesFileAddition added = converted.AddTo(*a.to);
        if (!added.written) {
            Say(added.message);
            return 1;
        }
        // Added, but the previous list is not where it is always kept.
        if (!added.message.empty()) {
            Say(added.message);
            backupMissed = true;
        }
    }
    std::printf("%zu %s added to %s, %zu could not be converted\n", result.converted,
                result.converted == 1 ? "birth" : "births", a.to->c_str(), result.refusedCount);
    return result.refusedCount == 0 && !backupMissed ? 0 : 1;
}

int ExportCommand(const std::vector<std::string>& args) {
    const Arguments a = Parse(args);
    if (!a.unknown.empty()) return BadArguments("export: " + a.unknown);
    if (!a.file) return BadArguments("export needs the NAMES.FIL to read");
    if (!a.format) return BadArguments("export needs --format aaf, qck or csv");
    if (a.to) return BadArguments("export writes to --output FILE or stdout; --to belongs to import");
    const auto format = FormatNamed(*a.format);
    if (!format) return BadArguments("--format must be aaf, qck or csv: " + *a.format);

    const ExportResult result = ExportNamesFile(*a.file, *format, ReadRegionalFormat());
    if (!result.fault.empty()) {
        Say(result.fault);
        return 1;
    }
    for (const std::string& note : result.notes) Say("note: " + note);
    for (const ExchangeProblem& p : result.refused) Say(*a.file + " " + ProblemText(p));
    if (a.output) {
        std::error_code error;
        if (fs::equivalent(*a.file, *a.output, error))
            return BadArguments("--output must not be the names file itself");
        if (!ReplaceFileContents(*a.output, result.bytes)) {
            Say("the file " + *a.output + " could not be written");
            return 1;
        }
    } else {
        WriteOut(result.bytes);
    }
    return result.refused.empty() ? 0 : 1;
}

}  // namespace talvenor::cli
