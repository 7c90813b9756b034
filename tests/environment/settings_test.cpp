#include "environment/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

const std::filesystem::path kAppFolder = "/opt/talvenor";

Settings ReadFromText(const std::string& text) {
    TemporaryFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    WriteBytes(file, text);
    Settings settings = DefaultSettings(kAppFolder);
    ReadSettings(file, settings);
    return settings;
}

TEST(SettingsTest, DefaultsPutTheDataFilesInTheProgramFolder) {
    const Settings settings = DefaultSettings(kAppFolder);
    EXPECT_EQ(settings.NamesFilePath, "/opt/talvenor/NAMES.FIL");
    EXPECT_EQ(settings.CitiesFilePath, "/opt/talvenor/GA_MA.LL");
    EXPECT_EQ(settings.AtlasDir, "");
}

TEST(SettingsTest, WrittenTextHasTheFixedLinesInOrder) {
    Settings settings = DefaultSettings(kAppFolder);
    settings.DataFontBold = -1;
    settings.MainTop = 1234.5;
    settings.DataLeft = -120;
    settings.AtlasDir = "/opt/atlas";
    EXPECT_EQ(SettingsText(settings),
              "[Talvenor] - Do NOT change the order of these variables.\r\n"
              "FontSize= 8.5\r\n"
              "FontBold=-1\r\n"
              "FontItalic= 0\r\n"
              "TalvenorTop= 1234.5\r\n"
              "TalvenorLeft= 0\r\n"
              "TalvenorHeight= 780\r\n"
              "TalvenorWidth= 11340\r\n"
              "DataTop= 675\r\n"
              "DataLeft=-120\r\n"
              "DataHeight= 8250\r\n"
              "DataWidth= 9600\r\n"
              "DataFile=/opt/talvenor/NAMES.FIL\r\n"
              "GeoDataFile=/opt/talvenor/GA_MA.LL\r\n"
              "AtlasDir=/opt/atlas\r\n");
}

TEST(SettingsTest, EmptyAtlasFolderLeavesFourteenLines) {
    const std::string text = SettingsText(DefaultSettings(kAppFolder));
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 14u);
    EXPECT_EQ(text.find("AtlasDir"), std::string::npos);
    EXPECT_TRUE(text.ends_with("GeoDataFile=/opt/talvenor/GA_MA.LL\r\n"));
}

TEST(SettingsTest, PerKeyConditionsDecideWhetherAValueIsTaken) {
    struct Case {
        const char* line;
        double fontSize;
        double mainHeight;
        double mainWidth;
        int dataTop;
        int dataLeft;
        int dataWidth;
    };
    // Defaults: 8.5, 780, 11340, 675, 0, 9600.
    const Case cases[] = {
        {"FontSize=7.5", 8.5, 780, 11340, 675, 0, 9600},
        {"FontSize=7.75", 7.75, 780, 11340, 675, 0, 9600},
        {"FontSize= 12", 12, 780, 11340, 675, 0, 9600},
        {"TalvenorHeight=0", 8.5, 780, 11340, 675, 0, 9600},
        {"TalvenorHeight=-5", 8.5, 780, 11340, 675, 0, 9600},
        {"TalvenorHeight= 900.5", 8.5, 900.5, 11340, 675, 0, 9600},
        {"TalvenorWidth=0", 8.5, 780, 11340, 675, 0, 9600},
        {"DataTop=0", 8.5, 780, 11340, 675, 0, 9600},
        {"DataTop=-40000", 8.5, 780, 11340, 675, 0, 9600},
        {"DataTop= 700.5", 8.5, 780, 11340, 700, 0, 9600},
        {"DataTop= 701.5", 8.5, 780, 11340, 702, 0, 9600},
        {"DataLeft=0", 8.5, 780, 11340, 675, 0, 9600},
        {"DataLeft=-300", 8.5, 780, 11340, 675, -300, 9600},
        {"DataLeft= 2.5", 8.5, 780, 11340, 675, 2, 9600},
        {"DataWidth=0", 8.5, 780, 11340, 675, 0, 9600},
        {"DataWidth= 5000twips", 8.5, 780, 11340, 675, 0, 5000},
        {"DataWidth=abc", 8.5, 780, 11340, 675, 0, 9600},
        // Keys compare case-sensitively.
        {"datatop=100", 8.5, 780, 11340, 675, 0, 9600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Settings start = DefaultSettings(kAppFolder);
        start.DataLeft = 55;  // so that a DataLeft of 0 shows as taken
        TemporaryFolder folder;
        WriteBytes(folder.path() / "s.ini", std::string(c.line) + "\r\n");
        Settings settings = start;
        ReadSettings(folder.path() / "s.ini", settings);
        const int expectedLeft = std::string(c.line).starts_with("DataLeft") ? c.dataLeft : 55;
        EXPECT_EQ(settings.DataFontSize, c.fontSize);
        EXPECT_EQ(settings.MainHeight, c.mainHeight);
        EXPECT_EQ(settings.MainWidth, c.mainWidth);
        EXPECT_EQ(settings.DataTop, c.dataTop);
        EXPECT_EQ(settings.DataLeft, expectedLeft);
        EXPECT_EQ(settings.DataWidth, c.dataWidth);
    }
}

TEST(SettingsTest, LinesInAnyOrderAndWithEitherLineEndReadTheSame) {
    const std::string inOrder =
        "[Talvenor] - Do NOT change the order of these variables.\r\n"
        "FontSize= 10\r\nFontBold=-1\r\nTalvenorTop= 300\r\nDataTop= 500\r\nDataLeft= 40\r\n"
        "DataFile=/home/ann/ANN.FIL\r\nGeoDataFile=/home/ann/EU.LL\r\nAtlasDir=/opt/atlas\r\n";
    const std::string shuffled =
        "AtlasDir=/opt/atlas\nDataLeft= 40\nGeoDataFile=/home/ann/EU.LL\nFontBold=-1\n"
        "DataFile=/home/ann/ANN.FIL\nDataTop= 500\nTalvenorTop= 300\nFontSize= 10";  // no final line end
    const Settings a = ReadFromText(inOrder);
    const Settings b = ReadFromText(shuffled);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.DataFontSize, 10);
    EXPECT_EQ(a.DataFontBold, -1);
    EXPECT_EQ(a.MainTop, 300);
    EXPECT_EQ(a.DataTop, 500);
    EXPECT_EQ(a.DataLeft, 40);
    EXPECT_EQ(a.NamesFilePath, "/home/ann/ANN.FIL");
    EXPECT_EQ(a.CitiesFilePath, "/home/ann/EU.LL");
    EXPECT_EQ(a.AtlasDir, "/opt/atlas");
}

TEST(SettingsTest, TextValuesAreTakenAfterTheFirstEqualsSignUnlessEmpty) {
    const Settings settings = ReadFromText(
        "DataFile=\r\n"
        "GeoDataFile=/data/a=b.LL\r\n"
        "AtlasDir=C:\\ATLAS \r\n");
    EXPECT_EQ(settings.NamesFilePath, "/opt/talvenor/NAMES.FIL");
    EXPECT_EQ(settings.CitiesFilePath, "/data/a=b.LL");
    EXPECT_EQ(settings.AtlasDir, "C:\\ATLAS ");
}

TEST(SettingsTest, KeysMatchOverTheirOwnLengthOnly) {
    // A longer key name still begins with the key; a different word of the same start does not.
    const Settings settings = ReadFromText(
        "DataTopX= 111\r\n"
        "DataFontX=/not/a/path\r\n"
        "AtlasDirectory=/opt/a\r\n");
    EXPECT_EQ(settings.DataTop, 111);
    EXPECT_EQ(settings.NamesFilePath, "/opt/talvenor/NAMES.FIL");
    EXPECT_EQ(settings.AtlasDir, "/opt/a");
}

TEST(SettingsTest, ValueBeyondSixteenBitsStopsReadingAndKeepsEarlierLines) {
    const Settings settings = ReadFromText(
        "FontSize= 9\r\n"
        "DataTop= 400\r\n"
        "DataWidth= 40000\r\n"
        "DataHeight= 5000\r\n"
        "DataFile=/late/NAMES.FIL\r\n");
    EXPECT_EQ(settings.DataFontSize, 9);
    EXPECT_EQ(settings.DataTop, 400);
    EXPECT_EQ(settings.DataWidth, 9600);
    EXPECT_EQ(settings.DataHeight, 8250);
    EXPECT_EQ(settings.NamesFilePath, "/opt/talvenor/NAMES.FIL");
}

TEST(SettingsTest, NumberTooLargeForADoubleStopsReading) {
    const Settings settings = ReadFromText("TalvenorTop=1E999\r\nFontSize= 11\r\n");
    EXPECT_EQ(settings.MainTop, 0);
    EXPECT_EQ(settings.DataFontSize, 8.5);
}

TEST(SettingsTest, MissingFileKeepsEveryDefault) {
    TemporaryFolder folder;
    Settings settings = DefaultSettings(kAppFolder);
    ReadSettings(folder.path() / "absent.ini", settings);
    EXPECT_EQ(settings, DefaultSettings(kAppFolder));
}

TEST(SettingsTest, RoundTripGivesTheSameSettingsAndKeepsBytesOfOldFiles) {
    TemporaryFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    Settings written = DefaultSettings(folder.path());
    written.DataFontSize = 9.75;
    written.DataFontBold = -1;
    written.DataFontItalic = -1;
    written.MainTop = -45;
    written.MainLeft = 1234.5;
    written.MainHeight = 6000;
    written.MainWidth = 0.1;
    written.DataTop = 32767;
    written.DataLeft = -32768;
    written.DataHeight = 1;
    written.DataWidth = 12000;
    written.NamesFilePath = "/home/jos\xE9/NAMES.FIL";  // Windows-1252 e acute, kept as the byte
    written.CitiesFilePath = "/home/ann/cities with blanks.LL";
    written.AtlasDir = "/opt/atlas";
    ASSERT_TRUE(WriteSettings(file, written));
    Settings read = DefaultSettings(kAppFolder);
    ReadSettings(file, read);
    EXPECT_EQ(read, written);
}

TEST(SettingsTest, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
    TemporaryFolder folder;
    const auto file = folder.path() / kSettingsFileName;
    WriteBytes(file, "old contents that are much longer than nothing\r\n");
    const Settings settings = DefaultSettings(kAppFolder);
    ASSERT_TRUE(WriteSettings(file, settings));
    EXPECT_EQ(ReadBytes(file), SettingsText(settings));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsTest, WriteIntoAMissingFolderFailsWithoutThrowing) {
    TemporaryFolder folder;
    EXPECT_FALSE(
        WriteSettings(folder.path() / "no-such-folder" / kSettingsFileName, DefaultSettings(kAppFolder)));
}

TEST(SettingsTest, PathWithALineBreakIsNotWrittenSoItCannotInjectASetting) {
    Settings settings = DefaultSettings(kAppFolder);
    settings.NamesFilePath = "/tmp/x\r\nDataTop=1";
    settings.AtlasDir = "/a\nb";
    const std::string text = SettingsText(settings);
    EXPECT_NE(text.find("\r\nDataFile=\r\nGeoDataFile="), std::string::npos);
    EXPECT_EQ(text.find("DataTop=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("AtlasDir"), std::string::npos);
}

// The engine is one line that only the modern engine writes, so that the file of a user who never chose
// stays as it was; a word the program does not know leaves the program's theory.
TEST(SettingsTest, TheEphemerisLineIsWrittenOnlyForTheModernEngineAndReadBack) {
    Settings settings = DefaultSettings(kAppFolder);
    EXPECT_EQ(settings.Ephemeris, EphemerisChoice::Theory);
    EXPECT_EQ(SettingsText(settings).find("Ephemeris="), std::string::npos);
    settings.Ephemeris = EphemerisChoice::Modern;
    const std::string text = SettingsText(settings);
    EXPECT_TRUE(text.ends_with("GeoDataFile=/opt/talvenor/GA_MA.LL\r\nEphemeris=modern\r\n"));
    EXPECT_EQ(ReadFromText(text), settings);

    EXPECT_EQ(ReadFromText("Ephemeris=modern\n").Ephemeris, EphemerisChoice::Modern);
    EXPECT_EQ(ReadFromText("Ephemeris= Modern \r\n").Ephemeris, EphemerisChoice::Modern);
    EXPECT_EQ(ReadFromText("Ephemeris=modern\nEphemeris=theory\n").Ephemeris, EphemerisChoice::Theory);
    EXPECT_EQ(ReadFromText("Ephemeris=sidereal\n").Ephemeris, EphemerisChoice::Theory);
    EXPECT_EQ(ReadFromText("Ephemeris=modern\nEphemeris=\n").Ephemeris, EphemerisChoice::Modern);
    EXPECT_EQ(ReadFromText("EphemerisModern\n").Ephemeris, EphemerisChoice::Theory);
}

// The factor set likewise: one line, written only for the Uranian factors.
TEST(SettingsTest, TheFactorsLineIsWrittenOnlyForTheUranianFactorsAndReadBack) {
    Settings settings = DefaultSettings(kAppFolder);
    EXPECT_EQ(settings.Factors, FactorSet::Classic);
    EXPECT_EQ(SettingsText(settings).find("Factors="), std::string::npos);
    settings.Factors = FactorSet::Uranian;
    settings.Ephemeris = EphemerisChoice::Modern;
    const std::string text = SettingsText(settings);
    EXPECT_TRUE(
        text.ends_with("GeoDataFile=/opt/talvenor/GA_MA.LL\r\nEphemeris=modern\r\nFactors=uranian\r\n"));
    EXPECT_EQ(ReadFromText(text), settings);

    EXPECT_EQ(ReadFromText("Factors=uranian\n").Factors, FactorSet::Uranian);
    EXPECT_EQ(ReadFromText("Factors= Uranian \r\n").Factors, FactorSet::Uranian);
    EXPECT_EQ(ReadFromText("Factors=uranian\nFactors=classic\n").Factors, FactorSet::Classic);
    EXPECT_EQ(ReadFromText("Factors=hamburg\n").Factors, FactorSet::Classic);
    EXPECT_EQ(ReadFromText("Factors=uranian\nFactors=\n").Factors, FactorSet::Uranian);
    EXPECT_EQ(ReadFromText("FactorsUranian\n").Factors, FactorSet::Classic);
}

}  // namespace
}  // namespace talvenor
