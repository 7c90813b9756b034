#include "environment/text_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::TemporaryFolder;

TEST(TextFilesTest, DecodesEachLineAsUtf8OrElseWindows1252) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"Jos\xE9", "Jos\xC3\xA9"},                        // 1252
        {"Jos\xC3\xA9", "Jos\xC3\xA9"},                    // UTF-8 as it is
        {"\x80 5\x96", "\xE2\x82\xAC 5\xE2\x80\x93"},      // euro sign and en dash from the 1252 table
        {"\x81\x9D", "\xC2\x81\xC2\x9D"},                  // undefined bytes keep their number
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                  // an overlong form is not UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // nor is a surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(DecodeLine(c.bytes), c.text);
    }
}

TEST(TextFilesTest, TextThatWindows1252HoldsIsWrittenInItAndReadsBackTheSame) {
    const struct {
        std::string text;
        std::optional<std::string> bytes;
    } cases[] = {
        {"plain", "plain"},
        {"Jos\xC3\xA9 M\xC3\xBCller", "Jos\xE9 M\xFCller"},
        {"\xE2\x82\xAC 5\xE2\x80\x93", "\x80 5\x96"},  // euro sign and en dash from the table
        {"\xC2\x81\xC2\x9D", "\x81\x9D"},              // the undefined bytes, as they are read
        {"\xC5\xA0\xC5\xB8", "\x8A\x9F"},              // Š and Ÿ
        {"\xE6\x9D\xB1\xE4\xBA\xAC", std::nullopt},    // 東京: not in the code page
        {"\xC2\x80", std::nullopt},                    // a control the table gives the euro's byte
        {"Jos\xE9", std::nullopt},                     // not UTF-8
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto bytes = EncodeWindows1252(c.text);
        EXPECT_EQ(bytes, c.bytes);
        if (bytes) {
            EXPECT_EQ(DecodeLine(*bytes), c.text);
        }
    }
}

TEST(TextFilesTest, AFileMixingBothEncodingsReadsLineByLine) {
    TemporaryFolder folder;
    const auto file = folder.path() / "MIXED.FIL";
    testing_support::WriteBytes(file, "\xEF\xBB\xBFJos\xE9,1\r\nJos\xC3\xA9,2\nlast");
    EXPECT_EQ(ReadTextFile(file), "Jos\xC3\xA9,1\nJos\xC3\xA9,2\nlast");
    EXPECT_FALSE(ReadTextFile(folder.path() / "MISSING.FIL").has_value());
    EXPECT_FALSE(ReadTextFile(folder.path()).has_value());
}

TEST(TextFilesTest, CapitalsCoverTheAccentedLetters) {
    EXPECT_EQ(Capitals("jos\xC3\xA9 \xC5\xA1\xC3\xBF\xC3\xB7"), "JOS\xC3\x89 \xC5\xA0\xC5\xB8\xC3\xB7");
    EXPECT_EQ(CharacterCount("Jos\xC3\xA9"), 4u);
}

std::vector<std::string> AllFields(const std::string& text) {
    FieldReader reader(text);
    std::vector<std::string> fields;
    while (auto field = reader.Next()) fields.push_back(*field);
    return fields;
}

TEST(TextFilesTest, FieldReaderReadsCommaFieldsTheOldWay) {
    const struct {
        const char* text;
        std::vector<std::string> fields;
    } cases[] = {
        {" a , b\t,c", {"a", "b", "c"}},
        {"a,b\r\nc\nd\re", {"a", "b", "c", "d", "e"}},
        {"\"Smith, John\",x", {"Smith, John", "x"}},
        {"\"-0,5\" ignored\r\nnext", {"-0,5", "next"}},
        {"\"a\"b, c", {"a", "c"}},
        {" \"  padded \" ,x", {"  padded ", "x"}},
        {"\"open, quote \r\nnext", {"open, quote", "next"}},
        {"a\r\n\r\nb", {"a", "", "b"}},  // an empty line is one empty field
        {"a,b,\r\nc", {"a", "b", "", "c"}},
        {"Ann \"Nan\" Lee,x", {"Ann \"Nan\" Lee", "x"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AllFields(c.text), c.fields);
    }
}

TEST(TextFilesTest, FieldReaderPassesOverBlankLinesOnlyWhereAskedAndOnlyBlankOnes) {
    const struct {
        const char* text;
        std::vector<std::string> fields;  // read with the blank lines passed over before every field
    } cases[] = {
        {"a\r\n\r\nb", {"a", "b"}},    {" \t\n\r\n\ra", {"a"}},
        {"a,\r\n  \r\nb", {"a", "b"}},  // what a comma leaves of its line is blank too
        {"a, ,b", {"a", "", "b"}},      // blanks between commas are an empty field, not a line
        {"a\n  x", {"a", "x"}},        {"\n \n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FieldReader reader(c.text);
        std::vector<std::string> fields;
        for (reader.SkipBlankLines(); !reader.AtEnd(); reader.SkipBlankLines())
            fields.push_back(*reader.Next());
        EXPECT_EQ(fields, c.fields);
    }
}

TEST(TextFilesTest, EditorSaveDropsOnlyAFinalLineBreak) {
    EXPECT_EQ(EditorFileBytes("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(EditorFileBytes("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(EditorFileBytes("a\nbc"), "a\r\nbc\r\n");  // the last line keeps its characters
    EXPECT_EQ(EditorFileBytes("\n"), "\r\n");
    EXPECT_EQ(EditorFileBytes(""), "");
}

TEST(TextFilesTest, ReplaceFileContentsLeavesOnlyTheNewFile) {
    TemporaryFolder folder;
    const auto file = folder.path() / "GA_MA.LL";
    testing_support::WriteBytes(file, "old");
    ASSERT_TRUE(ReplaceFileContents(file, "new\r\n"));
    EXPECT_EQ(ReadBytes(file), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    EXPECT_FALSE(ReplaceFileContents(folder.path() / "NO" / "SUCH.LL", "x"));
}

// The files of a folder, each with its bytes ("" for a folder).
std::map<std::string, std::string> Folder(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = entry.is_directory() ? "" : ReadBytes(entry.path());
    return files;
}

// Whichever step of a rewrite fails, the older backup survives it, and the outcome says exactly what
// the folder holds afterwards.
TEST(TextFilesTest, ARewriteReplacesTheBackupOnlyOnceTheNewFileIsInPlace) {
    using Files = std::map<std::string, std::string>;
    const Files before = {{"NAMES.FIL", "previous"}, {"NAMES.OLD", "older"}};
    const struct {
        const char* what;
        std::vector<RewriteStep> failing;
        RewriteOutcome outcome;
        Files after;
    } cases[] = {
        {"nothing fails", {}, RewriteOutcome::Done, {{"NAMES.FIL", "new"}, {"NAMES.OLD", "previous"}}},
        {"the new file cannot be written", {RewriteStep::WriteNew}, RewriteOutcome::NotWritten, before},
        {"the previous file cannot be kept",
         {RewriteStep::KeepPrevious},
         RewriteOutcome::BackupNotMade,
         before},
        {"the new file cannot take its place",
         {RewriteStep::MoveNewIntoPlace},
         RewriteOutcome::NotWritten,
         before},
        {"the backup cannot be replaced",
         {RewriteStep::ReplaceBackup},
         RewriteOutcome::BackupNotMade,
         before},
        {"the backup cannot be replaced nor the previous file put back",
         {RewriteStep::ReplaceBackup, RewriteStep::PutPreviousBack},
         RewriteOutcome::PreviousKeptElsewhere,
         {{"NAMES.FIL", "new"}, {"NAMES.OLD", "older"}, {"NAMES.OLD.new~", "previous"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder folder;
        for (const auto& [name, bytes] : before) testing_support::WriteBytes(folder.path() / name, bytes);
        const auto fail = [&c](RewriteStep step) {
            return std::find(c.failing.begin(), c.failing.end(), step) != c.failing.end();
        };
        const RewriteResult result =
            ReplaceFileKeepingBackup(folder.path() / "NAMES.FIL", "new", folder.path() / "NAMES.OLD", fail);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(Folder(folder.path()), c.after);
        EXPECT_EQ(result.previousKeptAs, c.outcome == RewriteOutcome::PreviousKeptElsewhere
                                             ? folder.path() / "NAMES.OLD.new~"
                                             : std::filesystem::path());
    }
}

TEST(TextFilesTest, ARewriteMovesAFinishedFileFromElsewhereAndKeepsThePermissions) {
    TemporaryFolder program, lists;
    const auto finished = program.path() / "wfyert.hyq";
    const auto target = lists.path() / "NAMES.FIL";
    const auto backup = lists.path() / "NAMES.OLD";

    // A new file: created, no backup made.
    testing_support::WriteBytes(finished, "first");
    EXPECT_EQ(MoveIntoPlaceKeepingBackup(finished, target, backup).outcome, RewriteOutcome::Done);
    EXPECT_EQ(Folder(lists.path()), (std::map<std::string, std::string>{{"NAMES.FIL", "first"}}));
    EXPECT_FALSE(std::filesystem::exists(finished));

    std::filesystem::permissions(target,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    testing_support::WriteBytes(finished, "second");
    EXPECT_EQ(MoveIntoPlaceKeepingBackup(finished, target, backup).outcome, RewriteOutcome::Done);
    EXPECT_EQ(Folder(lists.path()),
              (std::map<std::string, std::string>{{"NAMES.FIL", "second"}, {"NAMES.OLD", "first"}}));
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // A folder in the backup's place cannot become the backup: the names file stays as it was, and so
    // does the folder.
    std::filesystem::remove(backup);
    std::filesystem::create_directories(backup / "inside");
    testing_support::WriteBytes(finished, "third");
    EXPECT_EQ(MoveIntoPlaceKeepingBackup(finished, target, backup).outcome, RewriteOutcome::BackupNotMade);
    EXPECT_EQ(Folder(lists.path()),
              (std::map<std::string, std::string>{{"NAMES.FIL", "second"}, {"NAMES.OLD", ""}}));
    EXPECT_TRUE(std::filesystem::is_directory(backup / "inside"));
    EXPECT_FALSE(std::filesystem::exists(finished));
}

TEST(TextFilesTest, AFileReplacedPieceByPieceIsReplacedOnlyWhenEveryPieceWasWritten) {
    TemporaryFolder folder;
    const auto file = folder.path() / "NAMES.FIL";
    testing_support::WriteBytes(file, "old");
    // Small pieces through the buffer, a large one past it: the bytes arrive in their order.
    const std::string large(200'000, 'x');
    ASSERT_TRUE(ReplaceFileThrough(
        file, [&](FileOutput& out) { return out.Write("a") && out.Write(large) && out.Write("b\r\n"); }));
    EXPECT_EQ(ReadBytes(file), "a" + large + "b\r\n");
    // A writer that gives up leaves the file as it was, and nothing beside it.
    EXPECT_FALSE(ReplaceFileThrough(file, [&](FileOutput& out) { return out.Write("partial") && false; }));
    EXPECT_EQ(ReadBytes(file), "a" + large + "b\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace talvenor
