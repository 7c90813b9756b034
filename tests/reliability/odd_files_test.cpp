// Huge and odd files in every reader: a million names, a line of ten megabytes, binary garbage and NUL
// bytes, a folder, an endless device or a pipe where a file should be. Each is read as far as it makes
// sense, said to be damaged where the reader says such things, and none of them hangs the reader or
// makes it hold more than the file's own size.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "datafiles/cities_file.h"
#include "datafiles/names_file.h"
#include "datafiles/time_zones.h"
#include "environment/options.h"
#include "environment/settings.h"
#include "environment/text_files.h"
#include "reliability/file_fault_support.h"
#include "report/printing.h"
#include "session/help_text.h"
#include "session/options_file_edit.h"
#include "session/session.h"
#include "session/startup.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::PutFile;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;

const std::string kSample = "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
const std::string kTown = "Sample Town,GA,084W23,33N45,5\r\n";
const std::string kTenMegabytes(10'000'000, 'x');

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Garbage() {
    std::mt19937 random(20260107);
    std::string bytes(200'000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// The help page of a file, in a program folder of its own.
ReportBuffer HelpPage(const fs::path& folder) {
    ScriptedDialogs dialogs;
    Session session(dialogs);
    session.appFolder = folder;
    ShowHelpText(session, "\\DATA.HLP");
    return session.report;
}

TEST(OddFiles, AMillionNamesAreReadWhole) {
    TemporaryFolder folder;
    {
        std::ofstream out(folder.path() / "NAMES.FIL", std::ios::binary);
        for (int i = 0; i < 1'000'000; ++i)
            out << "Person " << i << ",14 Mar 1962,10.15,P,6,087.39,41.52\r\n";
    }
    const auto start = std::chrono::steady_clock::now();
    const NamesList list = LoadNamesList(folder.path() / "NAMES.FIL", folder.path());
    std::printf("  a million names read in %.2f s\n", SecondsSince(start));
    ASSERT_EQ(list.records.size(), 1'000'000u);
    EXPECT_EQ(list.records.front().Field[1], "Person 0");
    EXPECT_EQ(list.records.back().Field[1], "Person 999999");
    EXPECT_EQ(list.records.back().Field[7], "41.52");
    EXPECT_FALSE(list.error);
}

// A line of ten megabytes: readers that take a few characters of a line take them and pass over the rest;
// list readers end the list there with their damaged-file message; a help line is cut to a readable length.
TEST(OddFiles, ATenMegabyteLineIsTakenForWhatItIs) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "FILE";
    const auto start = std::chrono::steady_clock::now();

    PutFile(file, "  1.5  " + kTenMegabytes + "\r\n  2\r\n");
    Options options;
    const OptionsReadResult read = ReadOptionsFile(file, options);
    EXPECT_EQ(read.linesRead, 2);
    EXPECT_EQ(options[1], 1.5f);
    EXPECT_EQ(options[2], 2.0f);

    // A path of megabytes is no path: the line is passed over and the lines after it still count.
    PutFile(file, "FontSize= 9\r\nDataFile=" + kTenMegabytes + "\r\nDataTop= 700\r\n");
    Settings settings = DefaultSettings(folder.path());
    ReadSettings(file, settings);
    Settings expected = DefaultSettings(folder.path());
    expected.DataFontSize = 9;
    expected.DataTop = 700;
    EXPECT_EQ(settings, expected);

    PutFile(file, kSample + kTenMegabytes + ",14 Mar 1962,10.15,P,6,087.39,41.52\r\n" + kSample);
    const NamesList names = LoadNamesList(file, folder.path());
    EXPECT_EQ(names.records.size(), 1u);
    EXPECT_EQ(names.error, kNamesFileError);

    PutFile(file, kTown + "Big Town," + kTenMegabytes + ",084W23,33N45,5\r\n" + kTown);
    const CitiesList cities = LoadCitiesList(file, folder.path());
    EXPECT_EQ(cities.records.size(), 1u);
    EXPECT_EQ(cities.error, kCitiesFileError);

    PutFile(file, "Eastern,EST,5\r\nSomewhere,SW,5" + std::string(10'000'000, '0') + "\r\nCentral,CST,6\r\n");
    const TimeZoneTable zones = LoadTimeZoneTable(file);
    EXPECT_EQ(zones.rows.size(), 1u);
    EXPECT_TRUE(zones.corrupt);

    PutFile(folder.path() / "DATA.HLP", "Help\r\n" + kTenMegabytes + "\r\nend\r\n");
    const ReportBuffer help = HelpPage(folder.path());
    ASSERT_EQ(help.PageLineCount, 5);  // the three lines, the page's blank line and the one ShowReport adds
    EXPECT_EQ(help.PageLines[1], std::string(4096, 'x'));
    EXPECT_EQ(help.PageLines[2], "end");

    PutFile(file, "Page\r\n" + kTenMegabytes + "\r\n");
    ScriptedDialogs dialogs;
    const PrintText print = LoadPrintFile(file, 80, dialogs);
    EXPECT_EQ(print.text.size(), 10'000'008u);
    EXPECT_TRUE(print.LongLines);
    EXPECT_TRUE(dialogs.shown.empty());
    std::printf("  every reader through a 10 MB line in %.2f s\n", SecondsSince(start));
}

TEST(OddFiles, GarbageAndNulBytesReadAsDamagedTextNotAsACrash) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "FILE";
    const std::string contents[] = {Garbage(), std::string(100'000, '\0'),
                                    std::string("Sample\0Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n", 50)};
    int n = 0;
    for (const std::string& bytes : contents) {
        SCOPED_TRACE(n++);
        PutFile(file, bytes);

        Options options;
        EXPECT_LE(ReadOptionsFile(file, options).linesRead, kOptionCount);
        for (int i = 1; i <= kOptionCount; ++i) EXPECT_TRUE(std::isfinite(options[i])) << i;

        Settings settings = DefaultSettings(folder.path());
        ReadSettings(file, settings);
        EXPECT_EQ(settings, DefaultSettings(folder.path()));

        // Whatever the lists show is text a window can show, in entries of a sane length.
        for (const NameRecord& record : LoadNamesList(file, folder.path()).records) {
            for (const std::string& field : record.Field) {
                EXPECT_TRUE(IsValidUtf8(field));
                EXPECT_LE(field.size(), kLongestListField);
            }
        }
        for (const CityRecord& city : LoadCitiesList(file, folder.path()).records) {
            EXPECT_TRUE(IsValidUtf8(city.ListText));
            EXPECT_LE(city.ListText.size(), 2 * kLongestListField + 1);
        }
        for (const std::string& entry : LoadTimeZoneTable(file).entries) EXPECT_TRUE(IsValidUtf8(entry));

        PutFile(folder.path() / "DATA.HLP", bytes);
        const ReportBuffer help = HelpPage(folder.path());
        for (const std::string& line : help.PageLines) EXPECT_LE(line.size(), 4096u);

        ScriptedDialogs dialogs;
        EXPECT_TRUE(IsValidUtf8(LoadPrintFile(file, 80, dialogs).text));
    }
    // A NUL inside a name is part of the name; the record reads as any other.
    const NamesList nul = LoadNamesList(file, folder.path());
    ASSERT_EQ(nul.records.size(), 1u);
    EXPECT_EQ(nul.records[0].Field[1], std::string("Sample\0Person", 13));
    EXPECT_FALSE(nul.error);
}

// A folder, an endless device and a pipe without a writer stand where a file should be. None is
// opened: a folder cannot be read, /dev/zero would fill the memory, and the pipe would wait for ever.
TEST(OddFiles, AFolderADeviceOrAPipeInAFilesPlaceIsNotOpened) {
    TemporaryFolder folder;
    const fs::path pipe = folder.path() / "PIPE";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(folder.path() / "FOLDER");
    const fs::path empty = folder.path() / "empty";  // a program folder without NAMES.FIL to fall back on
    fs::create_directory(empty);

    for (const fs::path& odd : {folder.path() / "FOLDER", fs::path("/dev/zero"), pipe}) {
        SCOPED_TRACE(odd.string());
        EXPECT_FALSE(LoadNamesList(odd, empty).opened);
        EXPECT_FALSE(LoadCitiesList(odd, empty).opened);
        EXPECT_FALSE(LoadTimeZoneTable(odd).opened);
        Options options;
        options[1] = 8;
        EXPECT_FALSE(ReadOptionsFile(odd, options).opened);
        EXPECT_EQ(options[1], 8.0f);
        EXPECT_EQ(ReadOptionsText(odd), std::nullopt);
        Settings settings = DefaultSettings(empty);
        ReadSettings(odd, settings);
        EXPECT_EQ(settings, DefaultSettings(empty));
        ScriptedDialogs dialogs;
        EXPECT_EQ(LoadPrintFile(odd, 80, dialogs).text, "");

        // As the program's own files: the options fall back to the defaults with their message, and
        // the help page says the text is not there.
        const fs::path program = folder.path() / "program";
        fs::remove_all(program);
        fs::create_directory(program);
        fs::create_symlink(odd, program / kOptionsFileName);
        fs::create_symlink(odd, program / "DATA.HLP");
        Session session(dialogs);
        EXPECT_FALSE(LoadOptions(session, program / kOptionsFileName));
        EXPECT_EQ(session.options[1], DefaultOptions()[1]);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, kOptionsMissingMessage);
        const ReportBuffer help = HelpPage(program);
        EXPECT_EQ(help.PageLines[0],
                  "  The help text DATA.HLP could not be found in " + program.string() + ".");
    }
    // With its names file unusable, the list falls back to the program folder's NAMES.FIL.
    PutFile(folder.path() / "NAMES.FIL", kSample);
    const NamesList fallback = LoadNamesList(folder.path() / "FOLDER", folder.path());
    EXPECT_EQ(fallback.file, folder.path() / "NAMES.FIL");
    EXPECT_EQ(fallback.records.size(), 1u);
}

// talvenor-report runs beside this test program in the build tree.
fs::path ReportTool() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return self.parent_path().parent_path() / "cli" / "talvenor-report";
}

struct ToolRun {
    int status = -1;
    std::string errors;
};

ToolRun RunReportTool(const fs::path& folder, const std::string& arguments) {
    const fs::path errors = folder / "stderr.txt";
    const std::string command =
        ReportTool().string() + " " + arguments +
        " --natal 'Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52'" +
        " --diurnal 'Transit,7 Dec 2026,9.30,A,0,000.00,51.29' natal-data >/dev/null 2>" + errors.string();
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing_support::FileBytes(errors)};
}

TEST(OddFiles, TheReportToolRefusesOptionsItCannotUseAndADataFolderThatIsAFile) {
    if (!fs::exists(ReportTool())) GTEST_SKIP() << "talvenor-report is not built beside the tests";
    TemporaryFolder folder;
    const fs::path& f = folder.path();
    PutFile(f / "empty.opt", "");
    PutFile(f / "blank-first.opt", "\r\n  8\r\n");
    PutFile(f / "long.opt", "  8    " + kTenMegabytes + "\r\n");
    PutFile(f / "plain", "not a folder");
    struct Case {
        std::string arguments;
        int status;
        std::string error;
    };
    const Case cases[] = {
        {"--options " + f.string(), 2, "cannot read options file " + f.string()},
        {"--options /dev/zero", 2, "cannot read options file /dev/zero"},
        // Nothing to read gives every option 0: no orbs and no page length, pages that only look right.
        {"--options " + (f / "empty.opt").string(), 2, "holds no options"},
        {"--options " + (f / "blank-first.opt").string(), 2, "holds no options"},
        {"--options " + (f / "long.opt").string(), 0, ""},
        {"--data-dir " + (f / "plain").string(), 2, "--data-dir is not a folder: " + (f / "plain").string()},
        {"--data-dir " + (f / "missing").string(), 2, "--data-dir is not a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = RunReportTool(f, c.arguments);
        EXPECT_EQ(run.status, c.status) << run.errors;
        if (c.error.empty()) {
            EXPECT_EQ(run.errors, "");
        } else {
            EXPECT_NE(run.errors.find(c.error), std::string::npos) << run.errors;
        }
    }
}

}  // namespace
}  // namespace talvenor
