// The chart windows' place and size in the settings file.
#include "environment/window_geometry.h"

#include <gtest/gtest.h>

#include <string>

#include "environment/settings.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

std::size_t LineCount(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

TEST(WindowGeometryTest, WindowsNeverOpenedAddNoLines) {
    const Settings settings = DefaultSettings("/opt/talvenor");
    const std::string text = SettingsText(settings);
    EXPECT_EQ(LineCount(text), 14u);
    EXPECT_EQ(text.find("Wheel"), std::string::npos);
    EXPECT_EQ(text.find("Dial"), std::string::npos);
    EXPECT_EQ(text.find("Ephemeris"), std::string::npos);
}

TEST(WindowGeometryTest, OpenedWindowsFollowTheFixedLinesAndReadBack) {
    Settings settings = DefaultSettings("/opt/talvenor");
    settings.AtlasDir = "/opt/atlas";
    settings.WheelWindow = {150, 300, 9000, 8400};
    settings.DialWindow = {-45, 0, 9900.5, 14700};
    settings.EphemerisWindow = {600, 1200, 10000, 15000};
    const std::string text = SettingsText(settings);
    EXPECT_EQ(LineCount(text), 27u);
    const std::string tail = text.substr(text.find("AtlasDir=/opt/atlas\r\n") + 21);
    EXPECT_EQ(
        tail,
        "WheelTop= 150\r\nWheelLeft= 300\r\nWheelHeight= 9000\r\nWheelWidth= 8400\r\n"
        "DialTop=-45\r\nDialLeft= 0\r\nDialHeight= 9900.5\r\nDialWidth= 14700\r\n"
        "EphemerisTop= 600\r\nEphemerisLeft= 1200\r\nEphemerisHeight= 10000\r\nEphemerisWidth= 15000\r\n");

    TemporaryFolder folder;
    WriteBytes(folder.path() / kSettingsFileName, text);
    Settings read = DefaultSettings("/opt/talvenor");
    ReadSettings(folder.path() / kSettingsFileName, read);
    EXPECT_EQ(read, settings);
}

TEST(WindowGeometryTest, LinesActInAnyOrderAndEmptySizesAreIgnored) {
    struct Case {
        const char* line;
        WindowGeometry wheel;
        WindowGeometry dial;
        WindowGeometry ephemeris{};
    };
    const Case cases[] = {
        {"WheelWidth=8000", {0, 0, 0, 8000}, {}},
        {"DialTop=-300", {}, {-300, 0, 0, 0}},
        {"WheelHeight=0", {}, {}},
        {"DialWidth=-5", {}, {}},
        {"WheelLeft=abc", {}, {}},
        {"DialHeight=1E999", {}, {}},
        {"Wheeltop=100", {}, {}},  // keys are compared case-sensitively
        {"DataTop=900", {}, {}},   // the data window's line is its own
        {"EphemerisHeight=7000", {}, {}, {0, 0, 7000, 0}},
        {"EphemerisLeft=-20", {}, {}, {0, -20, 0, 0}},
    };
    for (const Case& c : cases) {
        Settings settings;
        TemporaryFolder folder;
        WriteBytes(folder.path() / kSettingsFileName, std::string("FontSize=9\r\n") + c.line + "\r\n");
        ReadSettings(folder.path() / kSettingsFileName, settings);
        EXPECT_EQ(settings.WheelWindow, c.wheel) << c.line;
        EXPECT_EQ(settings.DialWindow, c.dial) << c.line;
        EXPECT_EQ(settings.EphemerisWindow, c.ephemeris) << c.line;
        EXPECT_EQ(settings.DataFontSize, 9) << c.line;
    }
    // Only a window with a height and a width was ever placed.
    EXPECT_FALSE((WindowGeometry{10, 10, 0, 100}.Known()));
    EXPECT_TRUE((WindowGeometry{0, 0, 100, 100}.Known()));
    EXPECT_EQ(WindowGeometryLines("Wheel", WindowGeometry{10, 10, 0, 100}, "\r\n"), "");
}

}  // namespace
}  // namespace talvenor
