#include "session/save_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;

class SaveDataTest : public ::testing::Test {
  protected:
    SaveDataTest() : session(dialogs) {
        session.appFolder = folder.path();
        session.natalChart.birth.name = "John Smith";
        session.options[45] = 60;
    }

    // Answers the Save As dialog with `answer` (none = Cancel).
    static SaveFileChooser Chooser(std::optional<std::filesystem::path> answer) {
        return [answer](const std::filesystem::path&) { return answer; };
    }

    TemporaryFolder folder;
    ScriptedDialogs dialogs;
    Session session;
};

TEST_F(SaveDataTest, CancelOrAFailedWriteKeepsTheEarlierFile) {
    session.report.AppendLine("line");
    session.SaveFileName = "/earlier.DOC";
    EXPECT_EQ(SaveDataAs(session, Chooser(std::nullopt)), SaveOutcome::Cancelled);
    EXPECT_EQ(session.SaveFileName, "/earlier.DOC");
    EXPECT_TRUE(dialogs.shown.empty());

    const auto unwritable = folder.path() / "no such folder" / "X.DOC";
    EXPECT_EQ(SaveDataAs(session, Chooser(unwritable)), SaveOutcome::NotWritten);
    EXPECT_EQ(session.SaveFileName, "/earlier.DOC");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "The data could not be written to " + unwritable.string() + ".");
    EXPECT_EQ(dialogs.shown[0].title, "Warning!");
}

}  // namespace
}  // namespace talvenor
