#include "datafiles/time_zones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "input/input_checks.h"
#include "input/strict_number.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

TEST(TimeZonesTest, ListEntriesLineTheOffsetsUp) {
    const std::string pad(25, ' ');
    const struct {
        const char* offset;
        const char* tail;
    } cases[] = {
        {"5", "   5"},   {"0", "   0"},    {"10", "  10"},     {"100", " 100"},    {"-3.5", "  -3.5"},
        {"-10", " -10"}, {"-100", "-100"}, {"-0,5", "  -0,5"}, {"-0.5", "  -0.5"}, {"9.99", "   9.99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(TimeZoneListEntry({"Eastern", "EST", c.offset}),
                  "Eastern" + pad + " - " + " EST" + " =" + c.tail);
    }
    EXPECT_EQ(TimeZoneListEntry({"Caf\xC3\xA9", "X", "1"}),
              "Caf\xC3\xA9" + std::string(28, ' ') + " -    X =   1");
}

TEST(TimeZonesTest, LoadingStopsAtAnEmptyNameOrABadRecord) {
    TemporaryFolder folder;
    const auto file = folder.path() / "TZ.DAT";
    WriteBytes(file, "Eastern,EST,5\r\n\"Newfoundland\",NST,\"3,5\"\r\n,,\r\nHidden,HID,1\r\n");
    TimeZoneTable table = LoadTimeZoneTable(file);
    EXPECT_TRUE(table.opened);
    EXPECT_FALSE(table.corrupt);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1].Offset, "3,5");
    EXPECT_EQ(table.entries[0], TimeZoneListEntry(table.rows[0]));

    for (const char* bad : {"Eastern,EST,5\r\nA name of thirty-three characters,X,1\r\nLater,L,1\r\n",
                            "Eastern,EST,5\r\nCentral,CENTR,6\r\n", "Eastern,EST,5\r\nCut,CUT\r\n"}) {
        SCOPED_TRACE(bad);
        WriteBytes(file, bad);
        table = LoadTimeZoneTable(file);
        EXPECT_TRUE(table.corrupt);
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(table.entries.size(), 1u);
    }

    table = LoadTimeZoneTable(folder.path() / "MISSING.DAT");
    EXPECT_FALSE(table.opened);
    EXPECT_TRUE(table.rows.empty());
}

// Every zone of the shipped table is one the input windows take, from the Line Islands at 14 hours east
// to American Samoa's 11 west, the Chatham Islands' 12 3/4 east among them.
TEST(TimeZonesTest, EveryShippedZoneIsOneTheInputWindowsTake) {
    const TimeZoneTable table =
        LoadTimeZoneTable(std::filesystem::path(TALVENOR_SHIPPED_DATA_DIR) / "TZ.DAT");
    ASSERT_TRUE(table.opened);
    EXPECT_FALSE(table.corrupt);
    std::vector<double> offsets;
    for (const TimeZoneRow& row : table.rows) {
        const auto offset = StrictNumber(row.Offset);
        ASSERT_TRUE(offset) << row.Name;
        EXPECT_TRUE(ZoneInRange(*offset)) << row.Name;
        offsets.push_back(*offset);
    }
    EXPECT_EQ(offsets.front(), -14);
    EXPECT_NE(std::find(offsets.begin(), offsets.end(), -12.75), offsets.end());
}

TEST(TimeZonesTest, PickingWritesTheGeneralNumberAndTheDirection) {
    TimeZoneTable table;
    table.rows = {{"Eastern", "EST", "5"},
                  {"India", "IST", "-5.5"},
                  {"Greenwich", "GMT", "0"},
                  {"Odd", "OD", "-0,5"},
                  {"Alaska-Hawaii", "AHST", "10"},
                  {"Eastern", "XST", "7"},
                  {std::string(32, 'L'), "LONG", "-12"}};
    const struct {
        std::size_t row;
        const char* text;
        bool east;
    } cases[] = {{0, " 5", false}, {1, "-5.5", true}, {2, " 0", false}, {3, " 0", false}, {6, "-12", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(table.rows[c.row].Name);
        const auto pick = PickTimeZone(table, TimeZoneListEntry(table.rows[c.row]));
        ASSERT_TRUE(pick.has_value());
        EXPECT_EQ(pick->zoneText, c.text);
        EXPECT_EQ(pick->east, c.east);
    }
    // The second Eastern is shadowed by the first; a name with a dash cannot be found.
    EXPECT_EQ(PickTimeZone(table, TimeZoneListEntry(table.rows[5]))->zoneText, " 5");
    EXPECT_FALSE(PickTimeZone(table, TimeZoneListEntry(table.rows[4])).has_value());
    EXPECT_FALSE(PickTimeZone(table, "no dash here").has_value());
}

}  // namespace
}  // namespace talvenor
