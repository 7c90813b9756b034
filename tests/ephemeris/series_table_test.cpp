#include "ephemeris/series_table.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace talvenor {
namespace {

TEST(SeriesTableTest, TheCheckValueIsFnv1a64) {
    // The published test vectors of the hash.
    EXPECT_EQ(Fnv1a64(""), 0xcbf29ce484222325ULL);
    EXPECT_EQ(Fnv1a64("a"), 0xaf63dc4c8601ec8cULL);
    EXPECT_EQ(Fnv1a64("foobar"), 0x85944171f73967e8ULL);
}

TEST(SeriesTableTest, EveryShippedTableIsWhole) {
    for (const char* name : {"vsop87b.txt", "elpmpp02.txt", "deltat.txt"}) {
        SCOPED_TRACE(name);
        const TableText table =
            ReadTableFile(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "ephemeris" / name);
        EXPECT_FALSE(table.fault.has_value()) << table.fault.value_or("");
        EXPECT_TRUE(table.text.starts_with("# ")) << "the table says where it comes from";
    }
}

TEST(SeriesTableTest, ACheckLineMustCloseTheTextAndMatchEveryByteBeforeIt) {
    EXPECT_EQ(CheckedTableText("x 1\ncheck 0000000000000000\n").fault,
              "is damaged (its check value does not match its contents)");
    const TableText sound = CheckedTableText("x 1\ncheck 61ca2c531716d362\n");
    EXPECT_EQ(sound.fault, std::nullopt);
    EXPECT_EQ(sound.text, "x 1\n");
    for (const char* cut : {"", "x 1\n", "x 1\ncheck 61ca2c531716d36", "x 1\ncheck 61ca2c531716d362",
                            "x 1\ncheck 61ca2c531716d36z\n", "x 1\ncheck  61ca2c531716d36\n"}) {
        EXPECT_EQ(CheckedTableText(cut).fault, "is cut short (it does not end with its check line)") << cut;
    }
}

TEST(SeriesTableTest, DataLinesSkipCommentsAndBlankLinesAndKeepTheirNumbers) {
    TableLines lines("# heading\n\nseries  a 1\n  2.5 -3e-2 \n");
    std::vector<std::string_view> words;
    ASSERT_TRUE(lines.Next(words));
    EXPECT_EQ(lines.LineNumber(), 3);
    EXPECT_EQ(words, (std::vector<std::string_view>{"series", "a", "1"}));
    ASSERT_TRUE(lines.Next(words));
    EXPECT_EQ(lines.LineNumber(), 4);
    EXPECT_EQ(TableNumber(words[0]), 2.5);
    EXPECT_EQ(TableNumber(words[1]), -0.03);
    EXPECT_FALSE(lines.Next(words));
    EXPECT_EQ(TableNumber("1e999"), std::nullopt);
    EXPECT_EQ(TableNumber("2x"), std::nullopt);
    EXPECT_EQ(TableCount("-1"), std::nullopt);
    EXPECT_EQ(TableCount("12"), 12u);
}

}  // namespace
}  // namespace talvenor
