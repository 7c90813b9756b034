#include "text/control_characters.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
constexpr std::uint64_t kLow = 0x7F7F7F7F7F7F7F7FULL;

// The high bit of every byte of the word that equals `b`, and of no other (no borrow runs between bytes).
std::uint64_t BytesEqual(std::uint64_t word, unsigned b) {
    const std::uint64_t v = word ^ (kOnes * b);
    return ~(((v & kLow) + kLow) | v) & kHigh;
}

// The high bit of every byte of the word below `n` (n at most 128).
std::uint64_t BytesBelow(std::uint64_t word, unsigned n) {
    return ~(((word & kLow) + kOnes * (128 - n)) | word) & kHigh;
}

}  // namespace

bool HoldsControlCharacter(std::string_view utf8) {
    // Every line of every page passes here (the aspect list comes as one block of lines), so the common
    // case goes many bytes at a time, each byte told apart exactly: a byte below a blank that is no line
    // end, DEL, or C2 followed by 80 to 9F (U+0080 to U+009F; C2 B0 is the degree sign). A C2 at the end
    // of a stretch, and any stretch that shows one of them, is looked at byte by byte.
    const std::size_t n = utf8.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i blankLess = _mm_set1_epi8(0x1F), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    const __m128i del = _mm_set1_epi8(0x7F), c2 = _mm_set1_epi8(static_cast<char>(0xC2));
    for (; i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(utf8.data() + i));
        const __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(bytes, blankLess), bytes);
        const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
        const __m128i odd = _mm_or_si128(_mm_andnot_si128(lineEnd, below),
                                         _mm_or_si128(_mm_cmpeq_epi8(bytes, del), _mm_cmpeq_epi8(bytes, c2)));
        if (_mm_movemask_epi8(odd) != 0) break;
    }
#endif
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, utf8.data() + i, sizeof word);
        const std::uint64_t control =
            BytesBelow(word, 0x20) & ~BytesEqual(word, '\r') & ~BytesEqual(word, '\n');
        const std::uint64_t secondOfC1 = BytesEqual(word & 0xE0E0E0E0E0E0E0E0ULL, 0x80);
        const std::uint64_t c1 = BytesEqual(word, 0xC2) & ((secondOfC1 >> 8) | (0x80ULL << 56));
        if ((control | BytesEqual(word, 0x7F) | c1) != 0) break;
    }
    for (; i < n; ++i) {
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
