// The names window's Import and Export with their questions and reports.
#include "session/exchange_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/name_record.h"
#include "datafiles/names_file.h"
#include "environment/text_files.h"
#include "exchange/aaf_examples.h"
#include "exchange/exchange_format.h"
#include "report/report_buffer.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"
#include "system_zones.h"
#include "text/control_characters.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

constexpr const char* kExamples = testing_support::kAafExamples;

class ExchangeCommandsTest : public ::testing::Test {
  protected:
    SystemZoneDatabase zones_;
    AtlasPlaceZones places_{[] { return Atlas::OpenIndex(TALVENOR_ATLAS_INDEX); }};
    ZoneSources sources_{&zones_, &places_};
    RegionalFormat regional_;
    TemporaryFolder folder_;
};

TEST_F(ExchangeCommandsTest, ImportOffersToReadAFileAsTheFormatItsTextShows) {
    const fs::path source = folder_.path() / "BIRTHS.AAF";
    const fs::path target = folder_.path() / "NAMES.FIL";
    WriteBytes(source, "name,date,time,zone,longitude,latitude\r\nAnn,1970-09-27,11:04,+1,8e11,49n05\r\n");
    const std::string question =
        "The file " + source.string() +
        " cannot be imported as AAF: it holds no #A93 record, so it is no AAF file; its text looks like CSV "
        "(its "
        "first line names the columns of a CSV file of births).\r\n\r\nImport it as CSV?";

    ScriptedDialogs no;
    ReportBuffer report;
    const ExchangeRun refused = ImportCommand(
        source, [&] { return target.string(); }, sources_, regional_, no, report);
    EXPECT_EQ(refused.outcome, ExchangeOutcome::Cancelled);
    ASSERT_EQ(no.shown.size(), 1u);
    EXPECT_EQ(no.shown[0].text, question);
    EXPECT_EQ(no.shown[0].icon, MessageIcon::Question);
    EXPECT_FALSE(fs::exists(target));

    ScriptedDialogs yes;
    yes.yesNoAnswers = {true, true};
    const ExchangeRun run = ImportCommand(
        source, [&] { return target.string(); }, sources_, regional_, yes, report);
    EXPECT_EQ(run.outcome, ExchangeOutcome::Written);
    EXPECT_EQ(ReadBytes(target), "Ann,27 Sep 1970,11.04,A,-1,-008.11,49.05\r\n");
    EXPECT_EQ(report.PageLines[0], "  IMPORT OF BIRTHS.AAF (CSV)");
}

TEST_F(ExchangeCommandsTest, ImportAsksForTheNamesFileAndWritesOnlyAfterYes) {
    const fs::path source = folder_.path() / "BIRTHS.AAF";
    const fs::path target = folder_.path() / "NAMES.FIL";
    WriteBytes(source, std::string(kExamples) + "#A93:No,Time,m,1.1.1990,*,P,D\n#B93:*,49n05,8e11,1he,0\n");
    const std::string before = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52";  // no line end
    WriteBytes(target, before);

    struct Case {
        const char* what;
        std::string chosen;
        bool yes;
        ExchangeOutcome outcome;
    };
    for (const Case& c : {Case{"Cancel in the file dialog", "", true, ExchangeOutcome::Cancelled},
                          Case{"No to the question", target.string(), false, ExchangeOutcome::Cancelled}}) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        dialogs.yesNoAnswers.push_back(c.yes);
        ReportBuffer report;
        const ExchangeRun run = ImportCommand(
            source, [&] { return c.chosen; }, sources_, regional_, dialogs, report);
        EXPECT_EQ(run.outcome, c.outcome);
        EXPECT_FALSE(run.reported);
        EXPECT_EQ(report.PageLineCount, 0);
        EXPECT_EQ(ReadBytes(target), before);
        EXPECT_FALSE(fs::exists(BackupPath(target)));
    }

    ScriptedDialogs dialogs;
    dialogs.yesNoAnswers.push_back(true);
    ReportBuffer report;
    const ExchangeRun run = ImportCommand(
        source, [&] { return target.string(); }, sources_, regional_, dialogs, report);
    EXPECT_EQ(run.outcome, ExchangeOutcome::Written);
    EXPECT_TRUE(run.reported);
    EXPECT_EQ(run.written, target);
    EXPECT_EQ(ReadBytes(target), before +
                                     "\r\nTobias Ferber,27 Sep 1970,11.04,A,-1,-008.11,49.05\r\n"
                                     "Paul Cezanne,19 Jan 1839,1.00,A,-0.3633,-005.27,43.31\r\n");
    EXPECT_EQ(ReadBytes(BackupPath(target)), before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, kImportTitle);
    EXPECT_EQ(
        dialogs.shown[0].text,
        std::string(
            "Add 2 births from BIRTHS.AAF at the end of NAMES.FIL?\r\n\r\n1 record could not be converted "
            "and will be left out; the report lists each with its reason.\r\n\r\n") +
            kNamesFileConvention);
    // The report page lists every record that was left out, with its line and reason.
    std::vector<std::string> page(report.PageLines.begin(), report.PageLines.begin() + report.PageLineCount);
    EXPECT_EQ(page.front(), "  IMPORT OF BIRTHS.AAF (AAF)");
    EXPECT_NE(std::find(page.begin(), page.end(), "    line 9, Time No: the record has no time of birth"),
              page.end());
    EXPECT_NE(std::find(page.begin(), page.end(), "  3 records read, 2 converted, 1 could not be converted."),
              page.end());
    // Long texts are broken between words, so the page reads without a scroll; nothing is lost.
    std::string joined;
    for (const std::string& line : page) {
        EXPECT_LE(CharacterCount(line), 88u) << line;
        joined += " " + line;
    }
    std::string words;
    for (const char c : joined) {
        if (c != ' ' || (!words.empty() && words.back() != ' ')) words += c;
    }
    EXPECT_NE(words.find(kNamesFileConvention), std::string::npos) << words;
}

TEST_F(ExchangeCommandsTest, ImportRefusesFilesItCannotReadAndNamesFilesThatDoNotReadToTheEnd) {
    const fs::path target = folder_.path() / "NAMES.FIL";
    ScriptedDialogs dialogs;
    ReportBuffer report;
    const ExchangeRun unreadable = ImportCommand(
        folder_.path() / "NONE.AAF", [] { return std::string("x"); }, sources_, regional_, dialogs, report);
    EXPECT_EQ(unreadable.outcome, ExchangeOutcome::Refused);
    EXPECT_FALSE(unreadable.reported);
    EXPECT_EQ(dialogs.shown.back().text, "The file " + (folder_.path() / "NONE.AAF").string() +
                                             " cannot be imported: it cannot be read.");

    const fs::path nothing = folder_.path() / "NOTHING.CSV";
    WriteBytes(nothing, "name,date,time,zone,longitude,latitude\nA,1.1.1990,,+1,8e11,49n05\n");
    const ExchangeRun none = ImportCommand(
        nothing, [] { return std::string("x"); }, sources_, regional_, dialogs, report);
    EXPECT_EQ(none.outcome, ExchangeOutcome::Refused);
    EXPECT_TRUE(none.reported);
    EXPECT_EQ(report.PageLines[3], "  Nothing was added to any names file.");
    EXPECT_EQ(report.PageLines[4], "");
    EXPECT_EQ(
        dialogs.shown.back().text,
        "No birth of NOTHING.CSV could be converted for a names file; the report lists each record with its "
        "reason.");

    const fs::path source = folder_.path() / "BIRTHS.AAF";
    WriteBytes(source, kExamples);
    const std::string damaged = "Ann,01 Jan 1990,1.00,A,0,000.00,51.30\r\n,,,,,,\r\nHidden,01 Jan 1990";
    WriteBytes(target, damaged);
    dialogs.yesNoAnswers.push_back(true);
    const ExchangeRun failed = ImportCommand(
        source, [&] { return target.string(); }, sources_, regional_, dialogs, report);
    EXPECT_EQ(failed.outcome, ExchangeOutcome::Failed);
    EXPECT_TRUE(failed.reported);
    EXPECT_EQ(dialogs.shown.back().text, "The names file " + target.string() +
                                             " has an error at line 2: an empty name ends the list here; the "
                                             "lines after it are not read. Please "
                                             "correct it with Edit this List first. Nothing was added.");
    EXPECT_EQ(ReadBytes(target), damaged);
}

TEST_F(ExchangeCommandsTest, ExportWritesTheFormatTheEndingNames) {
    const fs::path names = folder_.path() / "NAMES.FIL";
    WriteBytes(names, "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n");
    ScriptedDialogs dialogs;
    ReportBuffer report;
    EXPECT_EQ(ExportCommand(names, folder_.path() / "out.txt", regional_, dialogs, report).outcome,
              ExchangeOutcome::Refused);
    EXPECT_EQ(dialogs.shown.back().text,
              "Please give the file the ending .aaf, .qck or .csv: the ending chooses the format (AAF, "
              "Quick*Chart or "
              "CSV).");
    const fs::path csv = folder_.path() / "out.csv";
    WriteBytes(csv, "old contents");
    EXPECT_EQ(ExportCommand(names, csv, regional_, dialogs, report).outcome, ExchangeOutcome::Written);
    EXPECT_EQ(ReadBytes(csv),
              "name,date,time,zone,longitude,latitude,place\r\nSample "
              "Person,1962-03-14,22:15,UTC-06:00,087W39,41N52,\r\n");
    EXPECT_EQ(report.PageLines[0], "  EXPORT OF NAMES.FIL TO out.csv (CSV)");
    EXPECT_EQ(report.PageLines[2], "  1 birth written, 0 could not be.");

    const fs::path linked = folder_.path() / "names.csv";
    fs::create_symlink(names, linked);
    EXPECT_EQ(ExportCommand(names, linked, regional_, dialogs, report).outcome, ExchangeOutcome::Refused);
    EXPECT_EQ(ReadBytes(names), "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n");
}

}  // namespace
}  // namespace talvenor
