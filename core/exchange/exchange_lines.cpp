#include "exchange/exchange_lines.h"

#include "environment/text_files.h"

namespace talvenor {
namespace {

constexpr int kEnd = -1;

bool IsSeparator(char c) {
    return c == ',' || c == ';' || c == '\t' || c == '"';
}

}  // namespace

int ExchangeLines::Get() {
    if (!back_.empty()) {
        const int c = back_.back();
        back_.pop_back();
        return c;
    }
    if (at_ == filled_) {
        if (failed_ || !in_) return kEnd;
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        filled_ = static_cast<std::size_t>(in_.gcount());
        at_ = 0;
        if (in_.bad()) failed_ = true;
        if (filled_ == 0) return kEnd;
    }
    return static_cast<unsigned char>(buffer_[at_++]);
}

void ExchangeLines::Unget(int c) {
    back_.push_back(c);
}

// Cut off where a run or the line reached its limit, the bytes kept may end inside a UTF-8 sequence;
// that part goes as well, so that the line still reads as the UTF-8 it was.
void ExchangeLines::DropIncompleteCharacter() {
    for (std::size_t i = raw_.size(); i > 0 && raw_.size() - i < 4; --i) {
        const auto byte = static_cast<unsigned char>(raw_[i - 1]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its lead stands before it
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (raw_.size() - (i - 1) < length) raw_.resize(i - 1);
        return;
    }
}

void ExchangeLines::Keep(char c) {
    if (raw_.size() >= kLongestHeldLine) {
        if (!lineCut_) DropIncompleteCharacter();
        lineCut_ = true;
        if (c == '"') ++droppedQuotes_;
        return;
    }
    if (IsSeparator(c)) {
        run_ = 0;
        runCut_ = false;
        raw_ += c;
        return;
    }
    if (run_ >= kLongestHeldRun) {
        if (!runCut_) DropIncompleteCharacter();
        runCut_ = true;
        return;
    }
    ++run_;
    raw_ += c;
}

bool ExchangeLines::Next(ExchangeLine& line) {
    if (done_) return false;
    raw_.clear();
    run_ = 0;
    runCut_ = lineCut_ = false;
    droppedQuotes_ = 0;
    line.ended = false;
    for (int c = Get();; c = Get()) {
        if (c == kEnd) {
            done_ = true;
            break;
        }
        if (c == '\n') {
            line.ended = true;
            break;
        }
        if (c == '\r') {
            // CR LF is one line end; so is CR CR LF, as the whole text decoded (which drops the CR
            // before each LF) and split at its line ends has always read it.
            const int next = Get();
            if (next == '\r') {
                const int third = Get();
                if (third != '\n') {
                    Unget(third);
                    Unget(next);
                }
            } else if (next != '\n') {
                Unget(next);
            }
            line.ended = true;
            break;
        }
        if (c == 0) sawNul_ = true;
        Keep(static_cast<char>(c));
    }
    if (droppedQuotes_ % 2 == 1) raw_ += '"';
    if (count_ == 0 && raw_.starts_with("\xEF\xBB\xBF")) raw_.erase(0, 3);
    line.text = DecodeLine(raw_);
    line.number = ++count_;
    return true;
}

}  // namespace talvenor
