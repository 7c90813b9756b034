#include "session/startup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "chart/house_systems.h"
#include "environment/app_folder.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

TEST(StartupTest, AMissingOptionsFileIsReportedAndTheDefaultsAreUsed) {
    testing_support::TemporaryFolder folder;
    testing_support::ScriptedDialogs dialogs;
    Session session(dialogs);
    StartSession(session, folder.path());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kOptionsMissingMessage);
    EXPECT_EQ(dialogs.shown[0].title, "Warning!");
    EXPECT_EQ(session.options[1], DefaultOptions()[1]);
    EXPECT_EQ(session.options[163], 16.0f);
    EXPECT_EQ(CodeOfHouseSystem(session.checkedHouse), "P");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "REPORTS"));
    EXPECT_EQ(session.settings.NamesFilePath, DataFile(folder.path(), "\\NAMES.FIL").string());
}

TEST(StartupTest, OptionsFileNamesTheHouseSystemCheckedAtStart) {
    struct Case {
        const char* line27;
        const char* code;
    };
    const Case cases[] = {{"3", "K"}, {"9", "I"}, {"0", "P"}, {"1", "P"}, {"12", "P"}, {"6", "EA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line27);
        testing_support::TemporaryFolder folder;
        std::ofstream out(folder.path() / "OPTIONS.OPT", std::ios::binary);
        for (int n = 1; n <= 27; ++n) out << (n == 27 ? c.line27 : "1") << "      option\r\n";
        out.close();
        testing_support::ScriptedDialogs dialogs;
        Session session(dialogs);
        StartSession(session, folder.path());
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(CodeOfHouseSystem(session.checkedHouse), c.code);
        EXPECT_EQ(session.options[28], 0.0f);  // options after the file's last line stay 0
    }
}

}  // namespace
}  // namespace talvenor

namespace talvenor {
namespace {

TEST(StartupTest, FontStepFollowsTheScreen) {
    struct Case {
        int width;
        double twips;
        double step;
    };
    const Case cases[] = {{640, 15, 1.5},  {640, 12, 1.5},  {800, 12, 1.2}, {800, 15, 1.5},
                          {1024, 15, 1.5}, {1024, 12, 1.2}, {1920, 10, 1.2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " px, " << c.twips << " twips");
        EXPECT_EQ(ChooseFontStep(c.width, c.twips), c.step);
    }
}

}  // namespace
}  // namespace talvenor
