#include "environment/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace talvenor {
namespace {

std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
    const auto file = std::filesystem::temp_directory_path() / ("talvenor-options-" + name);
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

TEST(OptionsFileTest, OnlyTheFirstSevenColumnsCount) {
    const auto file =
        WriteFile("columns", "  1.5    conjunction\r\nOrb of nothing\r\n123456789\r\n-2.25  x\r\n");
    Options o;
    const OptionsReadResult r = ReadOptionsFile(file, o);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.linesRead, 4);
    EXPECT_FLOAT_EQ(o[1], 1.5f);
    EXPECT_EQ(o[2], 0.0f);  // starts with a word
    EXPECT_EQ(o[3], 1234567.0f);
    EXPECT_FLOAT_EQ(o[4], -2.25f);
    std::filesystem::remove(file);
}

TEST(OptionsFileTest, AByteOrderMarkIsPassedOverAndTheSevenColumnsCountAfterIt) {
    const struct {
        const char* what;
        std::string text;
        int lines;
        float first, second;
    } cases[] = {
        {"mark before the first option", "\xEF\xBB\xBF  8      conjunction\r\n  5\r\n", 2, 8, 5},
        {"seven columns after the mark",
         "\xEF\xBB\xBF"
         "123456789\n2\n",
         2, 1234567, 2},
        {"a file shorter than a mark", "7", 1, 7, 0},
        {"the mark alone", "\xEF\xBB\xBF", 0, 0, 0},
        {"half a mark is text",
         "\xEF\xBB"
         "8\r\n5\r\n",
         2, 0, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = WriteFile("mark", c.text);
        Options o;
        const OptionsReadResult r = ReadOptionsFile(file, o);
        EXPECT_TRUE(r.opened);
        EXPECT_EQ(r.linesRead, c.lines);
        EXPECT_EQ(o[1], c.first);
        EXPECT_EQ(o[2], c.second);
        std::filesystem::remove(file);
    }
}

TEST(OptionsFileTest, AnEmptyLineOrTheEndLeavesLaterOptionsAsTheyWere) {
    Options o;
    o[3] = 9;
    o[31] = 7;
    std::string thirty;
    for (int i = 1; i <= 30; ++i) thirty += std::to_string(i) + "\n";  // LF line ends are read too
    auto file = WriteFile("thirty", thirty);
    EXPECT_EQ(ReadOptionsFile(file, o).linesRead, 30);
    EXPECT_EQ(o[3], 3.0f);
    EXPECT_EQ(o[30], 30.0f);
    EXPECT_EQ(o[31], 7.0f);

    file = WriteFile("gap", "5\r\n\r\n6\r\n");
    EXPECT_EQ(ReadOptionsFile(file, o).linesRead, 1);
    EXPECT_EQ(o[1], 5.0f);
    EXPECT_EQ(o[2], 2.0f);  // from the earlier file
    std::filesystem::remove(file);
}

TEST(OptionsFileTest, ReadingStopsAtTheLastOption) {
    std::string many;
    for (int i = 1; i <= 200; ++i) many += std::to_string(i) + "\r\n";
    const auto file = WriteFile("many", many);
    Options o;
    const OptionsReadResult r = ReadOptionsFile(file, o);
    EXPECT_EQ(r.linesRead, 167);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(o[167], 167.0f);
    std::filesystem::remove(file);
}

TEST(OptionsFileTest, AMissingFileIsReportedAndChangesNothing) {
    Options o;
    o[1] = 4;
    EXPECT_FALSE(ReadOptionsFile("/no/such/OPTIONS.OPT", o).opened);
    EXPECT_EQ(o[1], 4.0f);
}

TEST(OptionsFileTest, ShippedFilesHoldEveryOptionAndMatchTheBuiltInDefaults) {
    const std::filesystem::path shipped = TALVENOR_SHIPPED_DATA_DIR;
    for (const char* name : {kOptionsFileName, kMasterOptionsFileName}) {
        SCOPED_TRACE(name);
        Options o;
        const OptionsReadResult r = ReadOptionsFile(shipped / name, o);
        EXPECT_EQ(r.linesRead, 167);
        EXPECT_FALSE(r.truncated);
        const Options defaults = DefaultOptions();
        for (int n = 1; n <= kOptionCount; ++n) EXPECT_EQ(o[n], defaults[n]) << "option " << n;
    }
}

}  // namespace
}  // namespace talvenor
