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

// Long lines are looked at many bytes at a time: a control character is found wherever it stands in such
// a stretch (first, last, across the edge of two), and line ends, the degree sign and other letters of
// two bytes never count, however they fall.
TEST(ControlCharactersTest, AControlCharacterIsFoundAtEveryPlaceOfALongLine) {
    const std::string base =
        "  SUN       P. OF F.    83d 55m          6d 05m\r\n  SUN       MOON     4d 21m  12\xC2\xB0"
        "30' Jos\xC3\xA9\r\n";
    ASSERT_FALSE(HoldsControlCharacter(base));
    for (std::size_t at = 0; at <= base.size(); ++at) {
        SCOPED_TRACE(at);
        for (const std::string& control : {std::string("\x1B"), std::string(1, '\0'), std::string("\t"),
                                           std::string("\x7F"), std::string("\xC2\x9B")}) {
            std::string text = base;
            text.insert(at, control);
            // Inserted inside a two-byte letter it splits that letter; the control character is still there.
            EXPECT_TRUE(HoldsControlCharacter(text));
        }
        std::string harmless = base;
        harmless.insert(at, at % 2 ? "\xC2\xB0" : "\r\n");
        EXPECT_FALSE(HoldsControlCharacter(harmless));
    }
}

}  // namespace
}  // namespace talvenor
