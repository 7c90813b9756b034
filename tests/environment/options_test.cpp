#include "environment/options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace talvenor {
namespace {

std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("talvenor-options-" + std::to_string(getpid()) + "-" + name);
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

TEST(OptionsFileTest, AnOptionLineBeginsWithANumberThatEndsAtABlank) {
    const std::pair<const char*, bool> lines[] = {
        {"8      ", true},  {"  1.5  ", true},  {"-2.25  ", true},  {"8", true},        {"1234567", true},
        {"\t3\tx", true},   {".5 desc", true},  {"1e2 x", true},    {"abc", false},     {"1.5abc ", false},
        {"22,5   ", false}, {"45.5.5 ", false}, {"       ", false}, {"", false},        {"root:x:", false},
        {"Sample ", false}, {"-      ", false}, {"+.     ", false}, {"1e     ", false}, {"0x1A   ", false},
    };
    for (const auto& [line, option] : lines) EXPECT_EQ(IsOptionLine(line), option) << '"' << line << '"';
}

// A file named as an options file must be one: a file of another kind gives pages computed with options
// of 0 (no orbs) that only look right.
TEST(OptionsFileTest, AFileThatIsNoOptionsFileIsRefusedNamingItsFirstOddLine) {
    std::string shipped;
    {
        std::ifstream in(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / kOptionsFileName,
                         std::ios::binary);
        shipped.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::string abc = shipped;
    abc.replace(abc.find("7 "), 1, "abc");  // line 3, the square orb
    const struct {
        const char* what;
        std::string text;
        std::optional<std::string> refusal;
        int firstOddLine;
    } cases[] = {
        {"the shipped file", shipped, std::nullopt, 0},
        {"a line of abc", abc, "options file X, line 3: \"abc\" is not an option value", 3},
        {"a password file", "root:x:0:0:root:/root:/bin/bash\n",
         "options file X, line 1: \"root:x:\" is not an option value", 1},
        {"a names file", "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52\r\n",
         "options file X, line 1: \"Sample\" is not an option value", 1},
        {"a number run into words", "8\r\n5\r\n1.5orb\r\n",
         "options file X, line 3: \"1.5orb\" is not an option value", 3},
        {"control bytes", "8\r\n\x01\x02zz\r\n", "options file X, line 2: \"??zz\" is not an option value",
         2},
        {"seven blanks before the words", "8\r\n       description\r\n",
         "options file X, line 2: no option value in its first seven characters", 2},
        {"an empty file", "", "options file X holds no options", 0},
        {"an empty first line", "\r\n8\r\n", "options file X holds no options", 0},
        {"odd lines after the empty line are not read", "8\r\n\r\nabc\r\n", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = WriteFile("odd", c.text);
        Options o;
        const OptionsReadResult r = ReadOptionsFile(file, o);
        EXPECT_EQ(r.firstOddLine, c.firstOddLine);
        EXPECT_EQ(OptionsFileRefusal("X", r), c.refusal);
        std::filesystem::remove(file);
    }
    Options o;
    EXPECT_EQ(OptionsFileRefusal("/no/such/file", ReadOptionsFile("/no/such/file", o)),
              "cannot read options file /no/such/file");
}

TEST(OptionsFileTest, ShippedFilesHoldEveryOptionAndMatchTheBuiltInDefaults) {
    const std::filesystem::path shipped = TALVENOR_SHIPPED_DATA_DIR;
    for (const char* name : {kOptionsFileName, kMasterOptionsFileName}) {
        SCOPED_TRACE(name);
        Options o;
        const OptionsReadResult r = ReadOptionsFile(shipped / name, o);
        EXPECT_EQ(r.linesRead, 167);
        EXPECT_FALSE(r.truncated);
        EXPECT_EQ(OptionsFileRefusal(name, r), std::nullopt);
        const Options defaults = DefaultOptions();
        for (int n = 1; n <= kOptionCount; ++n) EXPECT_EQ(o[n], defaults[n]) << "option " << n;
    }
}

// Each named reading takes the option whose line in the shipped master file says what it is: a number
// slipped in the table of option numbers would give a reader another option's value.
TEST(OptionsFileTest, EveryNamedOptionReadsTheLineTheMasterFileNamesForIt) {
    std::ifstream master(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / kMasterOptionsFileName);
    std::vector<std::string> lines{""};
    for (std::string line; std::getline(master, line);) lines.push_back(line);
    ASSERT_GT(lines.size(), static_cast<std::size_t>(kOptionCount));

    Options o;
    for (int n = 1; n <= kOptionCount; ++n) o[n] = static_cast<float>(n);
    struct Named {
        float value;
        const char* words;  // what the master file's comment says of that line
    };
    const Named named[] = {
        {o.aspectOrb(1), "conjunction orb"},
        {o.aspectOrb(15), "bi-quintile orb"},
        {o.parallelOrb(), "parallel / contra-parallel orb"},
        {o.quintileFamily(), "Quintile family"},
        {o.homeZone(), "Home time zone"},
        {o.homeLongitudeDegrees(), "Home longitude degrees"},
        {o.homeLongitudeMinutes(), "Home longitude minutes"},
        {o.homeLatitudeDegrees(), "Home latitude degrees"},
        {o.homeLatitudeMinutes(), "Home latitude minutes"},
        {o.startHouseSystem(), "House system at start"},
        {o.printedPageLines(), "Lines per printed page"},
        {o.savedPageLines(), "Lines per page of a saved data file"},
        {o.longestNormalLine(), "Longest line printed"},
        {o.midpointOrbHard(), "conjunction, square, opposition"},
        {o.midpointOrbSemiSquare(), "semi-square, sesquisquare"},
        {o.midpointOrbSixteenth(), "22.5, 67.5"},
        {o.treeOrb(), "Midpoint tree orb"},
        {o.treeColumns(), "printed in columns"},
        {o.treeColumnsWidth(), "page width"},
        {o.treeColumnsGap(), "gap between columns"},
        {o.dialOrb(), "Dial orb"},
        {o.dialDivision(), "Dial: 16, 8 or 4"},
    };
    for (const Named& n : named) {
        const auto number = static_cast<std::size_t>(n.value);
        ASSERT_LT(number, lines.size());
        EXPECT_NE(lines[number].find(n.words), std::string::npos)
            << "option " << number << " is \"" << lines[number] << "\", not " << n.words;
    }

    // The yes/no options are yes for anything but 0, each for its own number alone.
    const struct {
        int number;
        bool (Options::*read)() const;
        const char* words;
    } flags[] = {
        {option::kHomeEast, &Options::homeEast, "Home longitude is east"},
        {option::kHomeSouth, &Options::homeSouth, "Home latitude is south"},
        {option::kTreePositions, &Options::treePositions, "show positions"},
        {option::kTrueNodeFactor, &Options::trueNodeFactor, "True node replaces the mean node"},
        {option::kEmptyDataAfterChart, &Options::emptyDataAfterChart, "Empty the data buffer"},
        {option::kSolsticeAcrossEquinox, &Options::solsticeAcrossEquinox, "across the equinox axis"},
    };
    for (const auto& f : flags) {
        SCOPED_TRACE(f.words);
        EXPECT_NE(lines[static_cast<std::size_t>(f.number)].find(f.words), std::string::npos);
        Options off;
        EXPECT_FALSE((off.*f.read)());
        for (const float yes : {1.0f, -1.0f, 0.5f}) {
            Options on;
            on[f.number] = yes;
            EXPECT_TRUE((on.*f.read)());
        }
        Options others;
        for (int n = 1; n <= kOptionCount; ++n) others[n] = n == f.number ? 0.0f : 1.0f;
        EXPECT_FALSE((others.*f.read)());
    }

    // The two options a report corrects for the rest of the run are written to their own numbers.
    Options corrected;
    corrected.setTreeColumnsGap(3);
    corrected.setDialOrb(2.25f);
    EXPECT_EQ(corrected[67], 3.0f);
    EXPECT_EQ(corrected[162], 2.25f);
}

}  // namespace
}  // namespace talvenor
