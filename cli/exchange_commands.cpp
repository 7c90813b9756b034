// talvenor-report import and export: births between names files and the exchange formats.
#include "exchange_commands.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

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
// show them, never sent to the terminal.
int Bad(const std::string& message) {
    std::fprintf(stderr, "talvenor-report: %s (see --help)\n",
                 ControlCharactersReplaced(message, '?').c_str());
    return 2;
}

void Say(const std::string& text) {
    std::fprintf(stderr, "talvenor-report: %s\n", ControlCharactersReplaced(text, '?').c_str());
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* target = a == "--format"     ? &parsed.format
                                             : a == "--to"       ? &parsed.to
                                             : a == "--output"   ? &parsed.output
                                             : a == "--data-dir" ? &parsed.dataDir
                                                                 : nullptr;
        if (target) {
            if (i + 1 >= args.size()) {
                parsed.unknown = a + " needs a value";
                return parsed;
            }
            *target = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            parsed.unknown = "unknown option " + a;
            return parsed;
        } else if (parsed.file) {
            parsed.unknown = "one file at a time: " + *parsed.file + " and " + a;
            return parsed;
        } else {
            parsed.file = a;
        }
    }
    return parsed;
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args) {
    const Arguments a = Parse(args);
    if (!a.unknown.empty()) return Bad("import: " + a.unknown);
    if (!a.file) return Bad("import needs the FILE to read");
    if (!a.to) return Bad("import needs --to NAMES.FIL, the names file the births go to");
    if (a.output) return Bad("import writes into the names file of --to; --output belongs to export");
    std::optional<ExchangeFormat> format;
    if (a.format) {
        format = FormatNamed(*a.format);
        if (!format) return Bad("--format must be aaf, qck or csv: " + *a.format);
    }
    std::error_code error;
    if (a.dataDir && !fs::is_directory(*a.dataDir, error))
        return Bad("--data-dir is not a folder: " + *a.dataDir);
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
    if (!a.unknown.empty()) return Bad("export: " + a.unknown);
    if (!a.file) return Bad("export needs the NAMES.FIL to read");
    if (!a.format) return Bad("export needs --format aaf, qck or csv");
    if (a.to) return Bad("export writes to --output FILE or stdout; --to belongs to import");
    const auto format = FormatNamed(*a.format);
    if (!format) return Bad("--format must be aaf, qck or csv: " + *a.format);

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
            return Bad("--output must not be the names file itself");
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
