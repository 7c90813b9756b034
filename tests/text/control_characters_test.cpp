#include "text/control_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace talvenor {
namespace {

TEST(ControlCharactersTest, EveryControlCharacterButTheLineEndsIsReplaced) {
    const struct {
        std::string text;
        bool holds;
        std::string marked;  // with "?" as the mark
    } cases[] = {
        {"Ann Smith", false, "Ann Smith"},
        {"Jos\xC3\xA9 \xC3\x85ngstr\xC3\xB6m", false, "Jos\xC3\xA9 \xC3\x85ngstr\xC3\xB6m"},
        {"no\xC2\xA0"
         "break",
         false,
         "no\xC2\xA0"
         "break"},  // U+00A0 is a letter's neighbour, no control
        {"line\r\nbreak\n", false, "line\r\nbreak\n"},
        {"Ann\x1B[31mRed", true, "Ann?[31mRed"},  // escape: a terminal would turn the page red
        {"Bell\x07", true, "Bell?"},
        {"Tab\tName", true, "Tab Name"},  // a tab stood for a blank
        {std::string("nul\0here", 8), true, "nul?here"},
        {"form\x0C"
         "feed",
         true, "form?feed"},
        {"del\x7F", true, "del?"},
        {"csi\xC2\x9B"
         "31m",
         true, "csi?31m"},  // U+009B, the C1 escape sequence introducer
        {"c1\xC2\x80\xC2\x9F", true, "c1??"},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marked);
        EXPECT_EQ(HoldsControlCharacter(c.text), c.holds);
        EXPECT_EQ(ControlCharactersReplaced(c.text, '?'), c.marked);
    }
    EXPECT_EQ(ControlCharactersReplaced("a\x1B\tb\x07", ' '), "a  b ");
}

}  // namespace
}  // namespace talvenor
