#include "datafiles/file_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvenor {
namespace {

TEST(FileChoiceTest, HighlightsTheFirstFileThatEndsTheCurrentPath) {
    const std::vector<std::string> files = {"GA_MA.LL", "names.fil", "ONAMES.FIL", "WORLD.LL"};
    EXPECT_EQ(PreselectedFileIndex(files, "/opt/talvenor/NAMES.FIL"), 1);
    EXPECT_EQ(PreselectedFileIndex({"NAMES.FIL", "ONAMES.FIL"}, "/opt/talvenor/ONAMES.FIL"), 0);
    EXPECT_EQ(PreselectedFileIndex({"ONAMES.FIL", "NAMES.FIL"}, "/opt/talvenor/ONAMES.FIL"), 0);
    EXPECT_EQ(PreselectedFileIndex(files, "/elsewhere/OTHER.FIL"), 0);
    EXPECT_EQ(PreselectedFileIndex(files, ""), 0);
    EXPECT_EQ(PreselectedFileIndex({}, "/opt/talvenor/NAMES.FIL"), -1);
}

TEST(FileChoiceTest, JoinsWithOneSeparator) {
    EXPECT_EQ(JoinFolderAndFile("/", "NAMES.FIL"), "/NAMES.FIL");
    EXPECT_EQ(JoinFolderAndFile("/home/me", "NAMES.FIL"), "/home/me/NAMES.FIL");
    EXPECT_EQ(JoinFolderAndFile("/home/me/", "NAMES.FIL"), "/home/me/NAMES.FIL");
    EXPECT_EQ(JoinFolderAndFile("C:\\", "NAMES.FIL"), "C:\\NAMES.FIL");
}

TEST(FileChoiceTest, PatternsMatchWithoutRegardToCase) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"NAMES.FIL", "*.FIL", true},
        {"names.fil", "*.FIL", true},
        {"NAMES.FILE", "*.FIL", false},
        {"NAMES.LL", "*.FIL", false},
        {".FIL", "*.FIL", true},
        {"a.b.FIL", "*.FIL", true},
        {"GA_MA.LL", "*.LL", true},
        {"ALL", "*.LL", false},
        {"N1.FIL", "N?.FIL", true},
        {"N\xC3\xA9.FIL", "N?.FIL", true},
        {"N12.FIL", "N?.FIL", false},
        {"x", "*", true},
        // Several patterns, separated by blanks or semicolons: any one of them.
        {"births.aaf", "*.AAF *.QCK *.CSV", true},
        {"B.QCK", "*.AAF *.QCK *.CSV", true},
        {"b.csv", "*.AAF;*.CSV", true},
        {"b.txt", "*.AAF *.QCK *.CSV", false},
        {"", "", true},
        {"x", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.pattern);
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches);
    }
}

}  // namespace
}  // namespace talvenor
