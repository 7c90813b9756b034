#include "environment/app_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/temporary_files.h"

namespace talvenor {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

TEST(AppFolderTest, DataFileNamesBecomePathsInsideTheFolder) {
    const fs::path folder = "/opt/talvenor";
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"\\OPTIONS.OPT", "/opt/talvenor/OPTIONS.OPT"},
        {"\\REPORTS\\LASTPAGE.TXT", "/opt/talvenor/REPORTS/LASTPAGE.TXT"},
        {"\\Talvenor.ini", "/opt/talvenor/Talvenor.ini"},
        {"\\\\REPORTS\\\\x.txt", "/opt/talvenor/REPORTS/x.txt"},
        {"/etc/passwd", "/opt/talvenor/etc/passwd"},  // never leaves the folder
        {"\\", "/opt/talvenor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DataFile(folder, c.name), fs::path(c.path));
    }
}

TEST(AppFolderTest, ReportsFolderIsCreatedAndAnExistingOneIsNoError) {
    TemporaryFolder folder;
    CreateReportsFolder(folder.path());
    EXPECT_TRUE(fs::is_directory(folder.path() / "REPORTS"));
    WriteBytes(folder.path() / "REPORTS" / "LASTPAGE.TXT", "kept");
    CreateReportsFolder(folder.path());
    EXPECT_EQ(ReadBytes(folder.path() / "REPORTS" / "LASTPAGE.TXT"), "kept");
    CreateReportsFolder(folder.path() / "missing" / "deeper");  // cannot be made: nothing reported
}

TEST(AppFolderTest, ExecutableDirIsTheFolderOfTheRunningTestProgram) {
    const fs::path dir = ExecutableDir();
    EXPECT_TRUE(fs::exists(dir / "talvenor_tests")) << dir;
}

// Three folders and the variables that steer the choice between them.
class AppFolderChoiceTest : public ::testing::Test {
  protected:
    TemporaryFolder root;
    fs::path exeDir = root.path() / "bin";
    fs::path installed = root.path() / "share";
    fs::path xdg = root.path() / "xdg";
    ScopedEnvironment dataDir{kDataDirVariable, std::nullopt};
    ScopedEnvironment xdgHome{"XDG_DATA_HOME", xdg.string()};

    void SetUp() override {
        fs::create_directories(exeDir);
        fs::create_directories(installed / "sub");
        WriteBytes(installed / "OPTIONS.OPT", "shipped options");
        WriteBytes(installed / "NAMES.FIL", "shipped names");
        WriteBytes(installed / "sub" / "inner.txt", "not copied");
    }
};

TEST_F(AppFolderChoiceTest, VariableNamesTheFolderBeforeAnythingElse) {
    WriteBytes(exeDir / "OPTIONS.OPT", "portable");
    ScopedEnvironment set(kDataDirVariable, (root.path() / "mine").string());
    EXPECT_EQ(FindAppFolder(exeDir, installed), root.path() / "mine");
    EXPECT_FALSE(fs::exists(xdg));
}

TEST_F(AppFolderChoiceTest, EmptyVariableCountsAsUnset) {
    WriteBytes(exeDir / "OPTIONS.OPT", "portable");
    ScopedEnvironment set(kDataDirVariable, "");
    EXPECT_EQ(FindAppFolder(exeDir, installed), exeDir);
}

TEST_F(AppFolderChoiceTest, ExecutableFolderHoldingOptionsIsUsedAsItIs) {
    WriteBytes(exeDir / "OPTIONS.OPT", "portable");
    EXPECT_EQ(FindAppFolder(exeDir, installed), exeDir);
    EXPECT_FALSE(fs::exists(xdg));
}

TEST_F(AppFolderChoiceTest, UserFolderIsCreatedAndSeededWithShippedFilesOnly) {
    const fs::path folder = FindAppFolder(exeDir, installed);
    EXPECT_EQ(folder, xdg / "talvenor");
    EXPECT_EQ(ReadBytes(folder / "OPTIONS.OPT"), "shipped options");
    EXPECT_EQ(ReadBytes(folder / "NAMES.FIL"), "shipped names");
    EXPECT_FALSE(fs::exists(folder / "sub"));
    // Nothing but the shipped files: no temporary copies left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(AppFolderChoiceTest, TheAtlasStaysWhereItIsInstalledAndIsNotCopied) {
    for (const char* name : {"ATLAS.TXT", "ATLASREG.TXT", "ATLASCTY.TXT", "ATLAS.DB"})
        WriteBytes(installed / name, "atlas");
    const fs::path folder = FindAppFolder(exeDir, installed);
    EXPECT_TRUE(fs::exists(folder / "NAMES.FIL"));
    for (const char* name : {"ATLAS.TXT", "ATLASREG.TXT", "ATLASCTY.TXT", "ATLAS.DB"})
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    EXPECT_FALSE(IsReadInPlaceFile("NAMES.FIL"));
    EXPECT_FALSE(IsReadInPlaceFile("atlas.txt"));
}

TEST_F(AppFolderChoiceTest, TheInstalledDataFolderLiesBesideTheProgramsFolder) {
    EXPECT_EQ(InstalledDataDir("/usr/bin"), fs::path("/usr/share/talvenor"));
    EXPECT_EQ(InstalledDataDir("/opt/talvenor/bin/"), fs::path("/opt/talvenor/share/talvenor"));
}

TEST_F(AppFolderChoiceTest, FilesTheUserAlreadyHasAreNeverOverwritten) {
    fs::create_directories(xdg / "talvenor");
    WriteBytes(xdg / "talvenor" / "NAMES.FIL", "my own names");
    const fs::path folder = FindAppFolder(exeDir, installed);
    EXPECT_EQ(ReadBytes(folder / "NAMES.FIL"), "my own names");
    EXPECT_EQ(ReadBytes(folder / "OPTIONS.OPT"), "shipped options");
}

TEST_F(AppFolderChoiceTest, WithoutXdgDataHomeTheFolderIsUnderHome) {
    ScopedEnvironment noXdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnvironment home("HOME", (root.path() / "home").string());
    EXPECT_EQ(FindAppFolder(exeDir, installed), root.path() / "home" / ".local" / "share" / "talvenor");
    EXPECT_TRUE(fs::exists(root.path() / "home" / ".local" / "share" / "talvenor" / "OPTIONS.OPT"));
}

TEST_F(AppFolderChoiceTest, MissingShippedFolderStillGivesTheUserFolder) {
    const fs::path folder = FindAppFolder(exeDir, root.path() / "nowhere");
    EXPECT_EQ(folder, xdg / "talvenor");
    EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace talvenor
