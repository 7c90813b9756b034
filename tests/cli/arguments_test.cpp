#include "arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace talvenor::cli {
namespace {

TEST(RefusalLineTest, EachStyleWritesOneLineAsTheCommandsAlwaysHave) {
    const struct {
        const char* message;
        RefusalStyle style;
        const char* line;
    } cases[] = {
        // The report options, import and export: the help named, control characters shown as the pages
        // show them (a tab as a blank), UTF-8 left alone.
        {"unknown option --bo\x1bgus", kSeeHelp, "talvenor-report: unknown option --bo?gus (see --help)\n"},
        {"--natal: field 2\t(date)", kSeeHelp, "talvenor-report: --natal: field 2 (date) (see --help)\n"},
        {"--second-person needs a name", kSeeHelp,
         "talvenor-report: --second-person needs a name (see --help)\n"},
        {"unknown house system Jos\xc3\xa9", kSeeHelp,
         "talvenor-report: unknown house system Jos\xc3\xa9 (see --help)\n"},
        // places: the same form.
        {"unknown option --bo\x1bgus", kSeeHelp, "talvenor-report: unknown option --bo?gus (see --help)\n"},
        // zone and the event commands' ranges and names: the text alone, its control characters as '?'.
        {"zone: --tz needs a value", kPlain, "talvenor-report: zone: --tz needs a value\n"},
        {"--date is not a date: 1\x1b\x07", kPlain, "talvenor-report: --date is not a date: 1??\n"},
        {"", kPlain, "talvenor-report: \n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(RefusalLine(c.message, c.style), c.line);
    }
}

TEST(RefusalLineTest, TheDefaultNamesTheHelpAndShowsControlCharacters) {
    EXPECT_EQ(RefusalLine("a\x1b"), "talvenor-report: a? (see --help)\n");
}

TEST(BadArgumentsTest, WritesTheLineOnStandardErrorAndGivesExitStatusTwo) {
    testing::internal::CaptureStderr();
    const int status = BadArguments("--limit needs a number", kSeeHelp);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "talvenor-report: --limit needs a number (see --help)\n");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(kBadArgumentsStatus, 2);
}

TEST(ReadCountTest, TakesDigitsOnlyWithinTheRange) {
    const struct {
        const char* text;
        std::optional<std::size_t> count;
    } cases[] = {
        {"1", 1},
        {"10", 10},
        {"1000", 1000},
        {"000005", 5},
        {"0010", 10},
        {"0", {}},
        {"1001", {}},
        {"", {}},
        {"+5", {}},
        {"-5", {}},
        {" 5", {}},
        {"5 ", {}},
        {"5.", {}},
        {"5.0", {}},
        {"1e2", {}},
        {"0x10", {}},
        {"5x", {}},
        {"five", {}},
        // Seven digits are refused even where their value is in the range; so no text can overflow.
        {"0000005", {}},
        {"99999999999999999999", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadCount(c.text, 1, 1000), c.count);
    }
    EXPECT_EQ(ReadCount("999999", 1, 999999), 999999u);
    EXPECT_EQ(ReadCount("0", 0, 5), 0u);
}

TEST(ReadNumberTest, TakesAllOfTheTextAsOneNumberWithinTheRange) {
    const struct {
        const char* text;
        std::optional<double> number;
    } cases[] = {
        {"0", 0.0},  {"180", 180.0},   {"1.5", 1.5},  {" 45 ", 45.0}, {"+90", 90.0},
        {"-0", 0.0}, {"180.0001", {}}, {"-1", {}},    {"22,5", {}},   {"1e2", {}},
        {"", {}},    {"x", {}},        {"1.2.3", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadNumber(c.text, 0, 180), c.number);
    }
}

// A whole number read as a number: unlike a count it may carry a sign, blanks and a zero fraction.
TEST(ReadWholeNumberTest, TakesANumberWithoutFractionWithinTheRange) {
    const struct {
        const char* text;
        std::optional<double> whole;
    } cases[] = {
        {"100", 100.0}, {"10000", 10000.0}, {"500.0", 500.0}, {"+500", 500.0}, {" 500 ", 500.0},
        {"500.5", {}},  {"99", {}},         {"10001", {}},    {"1e3", {}},     {"500px", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadWholeNumber(c.text, 100, 10000), c.whole);
    }
}

// The options of a small command: a flag, a final flag, a text, a count, and words between them.
struct Command {
    bool help = false, crlf = false;
    std::optional<std::string> natal;
    std::size_t limit = 10;
    std::vector<std::string> words;
    int othersSeen = 0;

    std::string Read(const std::vector<std::string>& args) {
        const Option options[] = {
            Option::Final("--help", help),
            Option::Flag("--crlf", crlf),
            Option::Text("--natal", natal, "a record"),
            Option::Count("--limit", limit, 1, 1000),
        };
        return ReadArguments(args, options, [this](const std::string& a) -> std::string {
            ++othersSeen;
            if (a.starts_with("-")) return "unknown option " + a;
            words.push_back(a);
            return "";
        });
    }
};

TEST(ReadArgumentsTest, SaysWhatIsWrongWithTheFirstBadArgument) {
    const struct {
        std::vector<std::string> args;
        const char* refusal;
    } cases[] = {
        {{"--natal"}, "--natal needs a record"},
        {{"x", "--natal"}, "--natal needs a record"},
        {{"--limit"}, "--limit needs a number"},
        {{"--limit", "0"}, "--limit must be a whole number from 1 to 1000"},
        {{"--limit", "5.0"}, "--limit must be a whole number from 1 to 1000"},
        {{"--limit", "1001", "--natal"}, "--limit must be a whole number from 1 to 1000"},
        {{"--bogus", "--natal"}, "unknown option --bogus"},
        {{"--bogus", "--help"}, "unknown option --bogus"},
        {{"-"}, "unknown option -"},
        // Names are whole: no abbreviation, no "=" form.
        {{"--nat", "x"}, "unknown option --nat"},
        {{"--natal=x"}, "unknown option --natal=x"},
        {{"--limit=5"}, "unknown option --limit=5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        Command command;
        EXPECT_EQ(command.Read(c.args), c.refusal);
    }
}

TEST(ReadArgumentsTest, AnOptionsValueIsTheNextArgumentWhateverItIs) {
    Command command;
    EXPECT_EQ(command.Read({"--natal", "--help", "--limit", "7", "natal-data"}), "");
    EXPECT_EQ(command.natal, "--help");
    EXPECT_FALSE(command.help);
    EXPECT_EQ(command.limit, 7u);
    EXPECT_EQ(command.words, std::vector<std::string>{"natal-data"});

    Command empty;
    EXPECT_EQ(empty.Read({"--natal", ""}), "");
    EXPECT_EQ(empty.natal, "");
}

TEST(ReadArgumentsTest, TheOtherArgumentsGoToTheCommandInTheirOrder) {
    Command command;
    EXPECT_EQ(command.Read({"b", "--crlf", "a", "--limit", "3", "c"}), "");
    EXPECT_EQ(command.words, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_TRUE(command.crlf);
    EXPECT_EQ(command.othersSeen, 3);
}

TEST(ReadArgumentsTest, ALaterValueOverridesAnEarlierOne) {
    Command command;
    EXPECT_EQ(command.Read({"--natal", "first", "--limit", "3", "--natal", "second", "--limit", "4"}), "");
    EXPECT_EQ(command.natal, "second");
    EXPECT_EQ(command.limit, 4u);
}

TEST(ReadArgumentsTest, AFinalOptionEndsTheReading) {
    Command command;
    EXPECT_EQ(command.Read({"--crlf", "--help", "--bogus", "--natal"}), "");
    EXPECT_TRUE(command.help);
    EXPECT_TRUE(command.crlf);
    EXPECT_EQ(command.othersSeen, 0);
    EXPECT_FALSE(command.natal);
}

TEST(ReadArgumentsTest, NothingIsReadAfterARefusal) {
    Command command;
    EXPECT_EQ(command.Read({"--limit", "0", "--crlf", "word"}),
              "--limit must be a whole number from 1 to 1000");
    EXPECT_EQ(command.limit, 10u);
    EXPECT_FALSE(command.crlf);
    EXPECT_EQ(command.othersSeen, 0);

    Command other;
    EXPECT_EQ(other.Read({"--bogus", "--crlf", "word"}), "unknown option --bogus");
    EXPECT_FALSE(other.crlf);
    EXPECT_EQ(other.othersSeen, 1);
}

TEST(TakeArgumentsTest, TakesItsOptionsOutWhereverTheyStandAndKeepsTheRest) {
    std::optional<std::string> orb;
    bool tsv = false;
    const Option options[] = {Option::Text("--orb", orb, "a number"), Option::Flag("--tsv", tsv)};

    std::vector<std::string> args{"--natal", "R",         "--tsv",     "pictures",
                                  "--orb",   "--modulus", "--modulus", "45"};
    EXPECT_EQ(TakeArguments(args, options), "");
    EXPECT_EQ(args, (std::vector<std::string>{"--natal", "R", "pictures", "--modulus", "45"}));
    EXPECT_EQ(orb, "--modulus");
    EXPECT_TRUE(tsv);
}

TEST(TakeArgumentsTest, ARefusalLeavesTheArgumentsAsTheyWere) {
    std::optional<std::string> orb;
    bool tsv = false;
    const Option options[] = {Option::Text("--orb", orb, "a number"), Option::Flag("--tsv", tsv)};

    const std::vector<std::string> given{"--tsv", "pictures", "--orb"};
    std::vector<std::string> args = given;
    EXPECT_EQ(TakeArguments(args, options), "--orb needs a number");
    EXPECT_EQ(args, given);
}

TEST(TakeArgumentsTest, AfterAFinalOptionEverythingIsKept) {
    bool help = false, tsv = false;
    const Option options[] = {Option::Final("--help", help), Option::Flag("--tsv", tsv)};

    std::vector<std::string> args{"a", "--tsv", "--help", "--tsv", "b"};
    EXPECT_EQ(TakeArguments(args, options), "");
    EXPECT_TRUE(help);
    EXPECT_EQ(args, (std::vector<std::string>{"a", "--tsv", "b"}));
}

}  // namespace
}  // namespace talvenor::cli
