// Exchange files read line by line from a stream: the same lines as the whole text decoded and split,
// and never more of a line held than a record could need.
#include "exchange/exchange_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "environment/text_files.h"
#include "exchange/exchange_format.h"

namespace talvenor {
namespace {

struct Read {
    std::vector<std::string> lines;
    std::vector<bool> ended;
    bool nul = false;
};

Read LinesOf(const std::string& bytes) {
    std::istringstream in(bytes);
    ExchangeLines lines(in);
    Read read;
    ExchangeLine line;
    std::size_t number = 0;
    while (lines.Next(line)) {
        EXPECT_EQ(line.number, ++number);
        read.lines.push_back(line.text);
        read.ended.push_back(line.ended);
    }
    read.nul = lines.SawNul();
    return read;
}

TEST(ExchangeLinesTest, AFileGivesTheLinesOfItsWholeTextDecoded) {
    const char* const texts[] = {
        "",
        "one line",
        "one line\n",
        "a\r\nb\nc\rd\r\r\ne",
        "\xEF\xBB\xBF#A93:M\xC3\xBCller\r\n",       // the mark of UTF-8 at the start goes
        "#A93:M\xfcller,J\xfcrgen\nJos\xC3\xA9\n",  // Windows-1252 and UTF-8, each line on its own
        "\n\n",
        "x\r",
        "a\r\r\r\nb\r\r",
    };
    for (const std::string text : texts) {
        SCOPED_TRACE(text);
        const Read read = LinesOf(text);
        const std::string decoded = DecodeText(text);
        std::vector<std::string> expected;
        for (const std::string_view line : TextLines(decoded)) expected.emplace_back(line);
        EXPECT_EQ(read.lines, expected);
        // Every line but the last ends with a line end.
        ASSERT_FALSE(read.ended.empty());
        EXPECT_FALSE(read.ended.back());
        EXPECT_EQ(std::count(read.ended.begin(), read.ended.end(), true),
                  static_cast<std::ptrdiff_t>(read.ended.size() - 1));
        EXPECT_FALSE(read.nul);
    }
    EXPECT_TRUE(LinesOf(std::string("ab\0c\n", 5)).nul);
    // Lines ended by a CR alone (as old Macintosh files have them) are decoded each on its own as well.
    EXPECT_EQ(LinesOf("M\xfcller\rJos\xC3\xA9").lines,
              (std::vector<std::string>{"M\xC3\xBCller", "Jos\xC3\xA9"}));
}

TEST(ExchangeLinesTest, ALineOfMegabytesHoldsNoMoreThanARecordCouldNeed) {
    // A field of ten megabytes keeps its first bytes and the fields after it.
    const Read field = LinesOf("#A93:" + std::string(10'000'000, 'x') + ",B,m,1.1.1990\n");
    ASSERT_EQ(field.lines.size(), 2u);
    EXPECT_EQ(field.lines[0], "#A93:" + std::string(kLongestHeldRun - 5, 'x') + ",B,m,1.1.1990");

    // A field cut inside a character keeps the line UTF-8, not Windows-1252 read from its bytes.
    std::string accents;
    while (accents.size() < 2 * kLongestHeldRun) accents += "\xC3\xA9";
    const Read cut = LinesOf("x" + accents + ",next");
    ASSERT_EQ(cut.lines.size(), 1u);
    EXPECT_TRUE(cut.lines[0].ends_with(",next"));
    EXPECT_LE(cut.lines[0].size(), kLongestHeldRun + 5);
    EXPECT_TRUE(cut.lines[0].starts_with("x\xC3\xA9"));

    // A line of countless short fields keeps its first megabyte, and an open quote stays open.
    std::string commas;
    while (commas.size() < 3 * kLongestHeldLine) commas += "a,";
    const Read many = LinesOf(commas + "\"quoted\nrest\"\n");
    ASSERT_EQ(many.lines.size(), 3u);
    EXPECT_EQ(many.lines[0].size(), kLongestHeldLine + 1);
    EXPECT_EQ(many.lines[0].back(), '"');
    EXPECT_EQ(many.lines[1], "rest\"");
    const Read even = LinesOf(commas + "\"quoted\",b\nrest\n");
    EXPECT_EQ(even.lines[0].size(), kLongestHeldLine);
}

}  // namespace
}  // namespace talvenor
