#include "session/options_file_edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

const std::string kFile = "  8    conjunction\r\n  5    sextile\r\n";

class OptionsFileEditTest : public ::testing::Test {
  protected:
    OptionsFileEditTest() {
        WriteBytes(opt(), kFile);
        options[1] = 8;
        options[2] = 5;
        options[3] = 7;
    }
    std::filesystem::path opt() const { return folder.path() / kOptionsFileName; }

    TemporaryFolder folder;
    ScriptedDialogs dialogs;
    Options options;
};

TEST_F(OptionsFileEditTest, TheWindowTextHasEveryLineOfTheFile) {
    WriteBytes(opt(), "1 a\n2 b\r\n3 c");
    EXPECT_EQ(ReadOptionsText(opt(), "\n"), "1 a\n2 b\n3 c\n");
    EXPECT_EQ(ReadOptionsText(folder.path() / "NONE.OPT"), std::nullopt);
}

TEST_F(OptionsFileEditTest, SavedContentEndsWithOneLineBreakAndNeverCutsTheLastLine) {
    const struct {
        const char* text;
        const char* content;
    } cases[] = {
        {"1 a\n2 b\n", "1 a\r\n2 b\r\n"},
        {"1 a\r\n2 b\r\n", "1 a\r\n2 b\r\n"},
        {"1 a\n2 b", "1 a\r\n2 b\r\n"},  // an edited text that lost its final line break
        {"1 a\n\n", "1 a\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(OptionsFileContent(c.text), c.content);
    }
}

TEST_F(OptionsFileEditTest, SaveWritesTheFileAndReadsTheOptionsAgain) {
    // The blank line ends the reading, so option 3 keeps its value.
    EXPECT_EQ(SaveOptionsText(folder.path(), "  9.5  conjunction\n  4\n\n  1\n", options, dialogs),
              OptionsSaveResult::Saved);
    EXPECT_EQ(ReadBytes(opt()), "  9.5  conjunction\r\n  4\r\n\r\n  1\r\n");
    EXPECT_EQ(options[1], 9.5f);
    EXPECT_EQ(options[2], 4.0f);
    EXPECT_EQ(options[3], 7.0f);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OptionsFileEditTest, AnEmptyTextOrAMissingFileKeepsTheFileAndTheOptions) {
    const struct {
        const char* text;
        bool removeFile;
        OptionsSaveResult result;
        std::string_view message;
    } cases[] = {
        {"", false, OptionsSaveResult::EmptyText, kOptionsEmptyTextMessage},
        {" \n\n", false, OptionsSaveResult::EmptyText, kOptionsEmptyTextMessage},
        {"  1\n", true, OptionsSaveResult::FileMissing, kOptionsFileMissingMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteBytes(opt(), kFile);
        if (c.removeFile) std::filesystem::remove(opt());
        dialogs.shown.clear();
        EXPECT_EQ(SaveOptionsText(folder.path(), c.text, options, dialogs), c.result);
        EXPECT_EQ(options[1], 8.0f);
        EXPECT_EQ(std::filesystem::exists(opt()), !c.removeFile);
        if (!c.removeFile) {
            EXPECT_EQ(ReadBytes(opt()), kFile);
        }
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, c.message);
        EXPECT_EQ(dialogs.shown[0].title, "Warning!");
    }
}

TEST_F(OptionsFileEditTest, RestoreCopiesTheMasterAndReturnsItsText) {
    WriteBytes(folder.path() / kMasterOptionsFileName, "  1    master\r\n");
    EXPECT_EQ(RestoreDefaultOptions(folder.path(), dialogs, "\n"), "  1    master\n");
    EXPECT_EQ(ReadBytes(opt()), "  1    master\r\n");
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace talvenor
