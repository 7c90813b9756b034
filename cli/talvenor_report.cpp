// talvenor-report: computes a chart from names-file records and prints one report page.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "arguments.h"
#include "atlas_commands.h"
#include "batch_run.h"
#include "chart/chart_dump.h"
#include "chart/house_systems.h"
#include "chart_exports.h"
#include "datafiles/name_record.h"
#include "environment/app_folder.h"
#include "environment/regional_format.h"
#include "environment/text_files.h"
#include "event_commands.h"
#include "exchange_commands.h"
#include "input/input_fills.h"
#include "input/strict_number.h"
#include "midpoints/dial_panel.h"
#include "midpoints/modulus_prompt.h"
#include "picture_commands.h"
#include "session/compute_charts.h"
#include "session/ephemeris_choice.h"
#include "session/report_table.h"
#include "session/session.h"
#include "session/startup.h"
#include "standard_output.h"
#include "text/basic_text.h"
#include "text/control_characters.h"

using namespace talvenor;
// The refusals quote records' fields: BadArguments shows their control characters as '?'.
using talvenor::cli::BadArguments;

namespace {

constexpr const char* kUsage = R"(Usage: talvenor-report [OPTIONS] --natal RECORD REPORT

Computes the natal chart and the second chart and prints one report page, exactly as the data window
would show it.

RECORD is one line of a names file: name, date, clock time, A or P, time zone, longitude, latitude, e.g.
  "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"
(a name that holds a comma goes in double quotes, as the names file keeps it: "Smith, John",...)
(time as hours.minutes on a 12-hour clock, zone west positive, longitude degrees.minutes west positive,
latitude degrees.minutes north positive).

REPORT is one of:
  natal-data          the natal data page: header, house cusps, special points, positions, aspect grid
  transit-data        the transit positions page with the transit aspects (or, with --second-person,
                      the second person's natal page with its aspect grid)
  transits-to-natal   transiting (or second-person) aspects to the natal points
  natal-midpoints     the 78 natal midpoints and the natal points' aspects to them
  transits-to-natal-midpoints
                      transiting (or second-person) points' aspects to the natal midpoints
  sort                natal factors and midpoints sorted on the dial of --modulus M
  sort-degree         natal factors and midpoints sorted by degree within the sign
  natal-tree          natal midpoint trees on the dial of --modulus M
  transit-tree        transit midpoint trees on the dial of --modulus M
  natal-mp-unsorted   natal factors and midpoints against each other on the dial (options 162, 163)
  natal-mp-sorted     the same, sorted by orb
  formulas-unsorted   transiting factors and midpoints against the natal ones
  formulas-sorted     the same, sorted by orb
  transit-midpoints-to-natal
                      transiting (or second-person) midpoints' aspects to the natal points
  dump                every field of the computed chart state as one JSON object
  wheel               the chart wheel (a biwheel with the second chart) as a file: --output FILE
  dial                the dial of --modulus M (default 90) with its pointer at --pointer DEG (default 0)
                      as a file: --output FILE
  dial-panel          the factors and midpoints under the pointer of the dial, one a line, tab-separated:
                      the name as the trees give it (SU, SU/MO), the position on the dial and the signed
                      orb, in degrees with four decimals, nearest first (the tree orb is option 40)
  pictures, solar-arc, progressed
                      planetary pictures, solar arc directions, secondary progressions (below)
  events, graphic-ephemeris
                      the exact moments of transits, directions and progressions over the natal factors,
                      midpoints and pictures; the graphic ephemeris as a file (below)

Options:
  --natal RECORD          the natal chart (required)
  --diurnal RECORD        the second chart; default: the present moment at the home place of the options
  --second-person NAME    treat the second chart as a second person called NAME
  --house CODE            house system: P Placidus, R Regiomontanus, K Koch, C Campanus, O Porphyry,
                          EA Equal from the Ascendant, EM Equal from the MC, M Meridian, I Morinus;
                          default: the one the options name (option 27)
  --data-dir DIR          the data folder (default: TALVENOR_DATA_DIR, the program's folder, or the user's
                          data folder)
  --options FILE          read the options from FILE instead of the data folder's OPTIONS.OPT; a file
                          whose lines do not begin with option values is refused
  --modulus M             the dial of sort, natal-tree, transit-tree, pictures, solar-arc, progressed,
                          events and graphic-ephemeris: a number above 0 and at most 360 (22.5)
  --ephemeris ENGINE      theory: the program's own planetary and lunar theory (the default); modern:
                          the modern series (VSOP87, ELP/MPP02), apparent places; a page of the modern
                          engine says so under its heading
  --factors SET           classic: the thirteen midpoint factors, Sun to Pluto, the node, ASC and MC (the
                          default); uranian: the same, then the Aries point (ARI) and the hypothetical
                          points CUP, HAD, ZEU, KRO, APO, ADM, VUL, POS in every midpoint report
  --crlf                  end lines with CR LF instead of LF
  --output FILE           the file of wheel, dial and graphic-ephemeris; .svg, .png or .pdf
  --size PIXELS           the height of the drawing, 100 to 10000 (default 1000)
  --pointer DEG           the pointer of dial and dial-panel, a position on the dial in degrees
  --jobs N                with --names: compute N records at once, each on a thread of its own, from 1 to
                          256 (default: one for every processor); the output is the same for every N
  --natal-only            wheel and dial without the second chart
  --panel                 dial: the panel beside the dial (the file is then half as wide again)
  --help                  show this text
  --version               show the program's version

%s
The world atlas and the time-zone history:
%s%s
Births in and out of names files, and reports for a whole names file:
%s
Exit status: 0 when the page was printed, 1 when the input was refused, the chart could not be
computed or the output could not be written (the message is printed on stderr; a reader that has gone
away, as "| head" leaves it, ends the run quietly), 2 for bad arguments or records.
)";

// Messages go to stderr, one per line, with their title.
class StderrDialogs : public UserDialogs {
  public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon) override {
        cli::Tell(title + " " + text);
    }
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override {
        ShowMessage(text, title, icon);
        return false;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

int Run(int argc, char** argv) {
    std::optional<std::string> natalRecord, diurnalRecord, secondPerson, house, dataDir, optionsFile, report,
        modulusText, output, sizeText, pointerText, namesFile, ephemerisText, factorsText;
    bool crlf = false, tsv = false;
    DrawingRequest drawing;

    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "places") return cli::PlacesCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "zone") return cli::ZoneCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "import") return cli::ImportCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "export") return cli::ExportCommand({args.begin() + 1, args.end()});
    cli::PictureArguments pictureArguments;
    if (const std::string problem = cli::TakePictureArguments(args, pictureArguments); !problem.empty())
        return BadArguments(problem);
    cli::EventArguments eventArguments;
    if (const std::string problem = cli::TakeEventArguments(args, eventArguments); !problem.empty())
        return BadArguments(problem);
    bool help = false, version = false, natalOnly = false;
    // 0 while --jobs is not given.
    std::size_t jobs = 0;
    const cli::Option options[] = {
        cli::Option::Final("--help", help),
        cli::Option::Final("-h", help),
        cli::Option::Final("--version", version),
        cli::Option::Flag("--crlf", crlf),
        cli::Option::Text("--natal", natalRecord, "a record"),
        cli::Option::Text("--names", namesFile, "a names file"),
        cli::Option::Count("--jobs", jobs, 1, cli::kMostBatchJobs),
        cli::Option::Text("--diurnal", diurnalRecord, "a record"),
        cli::Option::Text("--second-person", secondPerson, "a name"),
        cli::Option::Text("--house", house, "a code"),
        cli::Option::Text("--ephemeris", ephemerisText, "theory or modern"),
        cli::Option::Text("--factors", factorsText, "classic or uranian"),
        cli::Option::Text("--data-dir", dataDir, "a folder"),
        cli::Option::Text("--modulus", modulusText, "a number"),
        cli::Option::Text("--options", optionsFile, "a file"),
        cli::Option::Text("--output", output, "a file"),
        cli::Option::Text("--size", sizeText, "a number of pixels"),
        cli::Option::Text("--pointer", pointerText, "a number"),
        cli::Option::Flag("--natal-only", natalOnly),
        cli::Option::Flag("--panel", drawing.withPanel),
    };
    const std::string problem = cli::ReadArguments(args, options, [&](const std::string& a) -> std::string {
        if (!a.empty() && a[0] == '-') return "unknown option " + a;
        if (report) return "only one report at a time: " + *report + " and " + a;
        report = a;
        return "";
    });
    if (!problem.empty()) return BadArguments(problem);
    if (help) {
        std::printf(kUsage, cli::kPictureCommandsUsage, cli::kAtlasCommandsUsage, cli::kEventCommandsUsage,
                    cli::kExchangeCommandsUsage);
        return 0;
    }
    if (version) {
        std::printf("talvenor-report %s\n", TALVENOR_VERSION);
        return 0;
    }
    if (natalOnly) drawing.withSecondChart = false;
    if (!natalRecord && !namesFile) return BadArguments("--natal RECORD is required");
    if (natalRecord && namesFile) return BadArguments("--natal and --names exclude each other");
    if (jobs != 0 && !namesFile) return BadArguments("--jobs belongs to --names only");
    // --tsv is the table of a names file, or the lines of pictures.
    if (!report && pictureArguments.tsv) {
        tsv = true;
        pictureArguments.tsv = false;
    }
    if (tsv && (!namesFile || report)) return BadArguments("--tsv takes --names FILE and no report");
    if (tsv) report = "natal-data";
    if (!report) return BadArguments("which report? see --help for the list");
    const ReportEntry* entry = ReportNamed(*report);
    const ReportOutput kind = entry ? entry->output : ReportOutput::Page;
    if (namesFile && kind == ReportOutput::Drawing)
        return BadArguments(*report + " draws one chart; --names runs report pages");
    if (namesFile && kind == ReportOutput::Events)
        return BadArguments(*report + " works on one chart; --names runs report pages");
    if (!entry) return BadArguments("unknown report " + *report);
    float modulus = 360;
    if (entry->modulus == ModulusQuestion::Asked && !modulusText)
        return BadArguments(*report + " needs --modulus M");
    if (entry->modulus != ModulusQuestion::None) {
        modulus = entry->defaultModulus;
        if (modulusText) {
            // All of it a number: "22,5" is no 22 dial.
            const std::optional<double> typed = StrictNumber(*modulusText);
            modulus = typed ? static_cast<float>(*typed) : -1.0f;
        }
        if (JudgeModulus(modulus) != ModulusAnswer::Accepted) {
            return BadArguments("--modulus must be a number above 0 and at most 360: " + *modulusText);
        }
    } else if (modulusText) {
        return BadArguments(
            "--modulus belongs to sort, natal-tree, transit-tree, pictures, solar-arc, progressed, dial, "
            "dial-panel, events and graphic-ephemeris only");
    }
    // The factor set first: the pictures' --target names a factor of it.
    const std::optional<FactorSet> factors = factorsText ? FactorSetOfWord(*factorsText) : FactorSet::Classic;
    if (!factors) return BadArguments("--factors must be classic or uranian: " + *factorsText);
    if (const std::string problem = cli::CheckPictureArguments(*report, pictureArguments, *factors);
        !problem.empty())
        return BadArguments(problem);
    if (const std::string problem = CheckDrawingArguments(*report, output, sizeText, pointerText, drawing);
        !problem.empty()) {
        return BadArguments(problem);
    }
    if (const std::string problem = cli::CheckEventArguments(*report, eventArguments); !problem.empty())
        return BadArguments(problem);
    drawing.modulus = modulus;
    const std::optional<HouseSystem> houseSystem = house ? HouseSystemOfKnownCode(*house) : std::nullopt;
    if (house && !houseSystem) return BadArguments("unknown house system " + *house);
    const std::optional<EphemerisChoice> ephemeris =
        ephemerisText ? EphemerisChoiceOfWord(*ephemerisText) : EphemerisChoice::Theory;
    if (!ephemeris) return BadArguments("--ephemeris must be theory or modern: " + *ephemerisText);

    StderrDialogs dialogs;
    Session session(dialogs);
    const std::filesystem::path folder =
        dataDir ? std::filesystem::path(*dataDir)
                : FindAppFolder(ExecutableDir(), InstalledDataDir(ExecutableDir()));
    // A file or a missing folder would otherwise pass for a data folder without an options file.
    std::error_code noFolder;
    if (dataDir && !std::filesystem::is_directory(*dataDir, noFolder))
        return BadArguments("--data-dir is not a folder: " + *dataDir);
    if (optionsFile) {
        Options options;
        const OptionsReadResult read = ReadOptionsFile(*optionsFile, options);
        if (const auto refusal = OptionsFileRefusal(*optionsFile, read)) return BadArguments(*refusal);
        session.options = options;
    } else {
        LoadOptions(session, folder / kOptionsFileName);
    }
    session.regional = ReadRegionalFormat();
    session.checkedHouse = houseSystem.value_or(HouseSystemForOption(session.options.startHouseSystem()));
    // The modern tables are read now, so that a fault in them is said once, before any page.
    session.ephemerisFolder = ModernTablesFolder(folder, InstalledDataDir(ExecutableDir()));
    ChooseEphemeris(session, *ephemeris);
    EngineForComputing(session);
    session.factors = *factors;
    // The page is printed here rather than written to the data folder.
    session.appFolder.clear();

    // Each record is read once, into a Birth, and checked with the other when the charts are computed.
    Birth natalBirth;
    if (natalRecord) {
        RecordBirth read = ReadRecordLineBirth(*natalRecord, session.regional, "--natal");
        if (read.fault) return BadArguments("--natal: " + *read.fault);
        natalBirth = std::move(read.birth);
    }

    // Without --diurnal the second chart is the present moment at the home place, as the diurnal window
    // shows it at start.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    FillDiurnalNow(session.diurnal, session.options, session.regional, local);
    Birth secondBirth = DiurnalWindowBirth(session);
    if (diurnalRecord) {
        RecordBirth read = ReadRecordLineBirth(*diurnalRecord, session.regional, "--diurnal");
        if (read.fault) return BadArguments("--diurnal: " + *read.fault);
        secondBirth = std::move(read.birth);
    }
    if (secondPerson) {
        session.diurnal.secondPerson = true;
        // Decoded as the records are, so that the name reaches the pages and the dump as UTF-8.
        session.diurnal.secondPersonName = DecodeLine(*secondPerson);
    } else {
        session.diurnal.secondPersonName = kSecondPersonCaption;
    }

    // The output of one computed chart, for --natal and for every record of --names.
    const auto page = [&](Session& s) -> std::optional<std::string> {
        const char* lineEnd = crlf ? "\r\n" : "\n";
        std::string out;
        if (entry->output == ReportOutput::DialPanel) {
            const double pointer = TurnPointer(drawing.pointer, 0, modulus);
            out = DialPanelText(DialPanel(s.natalChart, s.options, modulus, pointer), modulus, lineEnd);
            if (pictureArguments.pictures) out += cli::DialPanelPictureLines(s, modulus, pointer, lineEnd);
        } else if (entry->output == ReportOutput::ChartDump) {
            out = ChartDumpJson(s.natalChart, s.secondChart);
        } else {
            ReportRun run;
            run.modulus = modulus;
            if (*report == "pictures") {
                run.pictures = cli::PictureRequestOf(s, modulus, pictureArguments);
                if (pictureArguments.tsv) return cli::PicturesTsvLines(s, *run.pictures, lineEnd);
            }
            // A command that refuses (a date before the birth) has said why on stderr.
            if (WriteReport(s, *entry, run) == ShowResult::NothingToShow) return std::nullopt;
            out = PageText(s.report, lineEnd);
        }
        if (crlf && entry->output == ReportOutput::ChartDump) {
            std::string converted;
            for (char c : out) {
                if (c == '\n') converted += '\r';
                converted += c;
            }
            out = converted;
        }
        return out;
    };
    if (namesFile) {
        return cli::BatchCommand(
            session, *namesFile,
            {*report, tsv, crlf, page, secondBirth, jobs != 0 ? jobs : cli::DefaultBatchJobs()});
    }

    const ComputeReport computed = ComputeChartsFrom(session, natalBirth, secondBirth);
    ShowComputeMessages(session, computed);
    if (computed.outcome != ComputeOutcome::Computed) return 1;
    ShowNatalDataAfterComputing(session);

    if (entry->output == ReportOutput::Drawing) return WriteDrawing(session, drawing, argc, argv);
    if (entry->output == ReportOutput::Events)
        return cli::RunEventReport(session, *report, eventArguments, modulus, drawing, crlf, argc, argv);
    const std::optional<std::string> out = page(session);
    if (!out) return 1;
    cli::WriteOut(*out);
    return 0;
}

}  // namespace

// Every command ends here, so that none of them reports success for output that was never written.
int main(int argc, char** argv) {
    return cli::FinishOutput(Run(argc, argv));
}
