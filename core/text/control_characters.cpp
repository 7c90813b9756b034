#include "text/control_characters.h"

namespace talvenor {
namespace {

// The length of the control character that begins at `i`, 0 for none.
std::size_t ControlAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F) return 1;
    // U+0080 to U+009F are the two bytes C2 80 to C2 9F.
    if (c == 0xC2 && i + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (next >= 0x80 && next <= 0x9F) return 2;
    }
    return 0;
}

}  // namespace

bool HoldsControlCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (ControlAt(utf8, i) != 0) return true;
    }
    return false;
}

std::string ControlCharactersReplaced(std::string_view utf8, char mark) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const std::size_t length = ControlAt(utf8, i);
        if (length == 0) {
            out += utf8[i];
            continue;
        }
        out += utf8[i] == '\t' ? ' ' : mark;
        i += length - 1;
    }
    return out;
}

}  // namespace talvenor
