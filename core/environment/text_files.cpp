#include "environment/text_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace talvenor {
namespace {

namespace fs = std::filesystem;

// Windows-1252 bytes 0x80 to 0x9F; the five undefined ones keep their own number.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at the start of the bytes, 0 when there is none.
std::size_t SequenceLength(std::string_view bytes) {
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

char32_t DecodeSequence(std::string_view bytes, std::size_t length) {
    const auto byte = [&bytes](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]));
    };
    if (length == 1) return byte(0);
    char32_t c = byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (byte(i) & 0x3F);
    return c;
}

char32_t CapitalOf(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ, not ÷
    switch (c) {
        case 0xFF:
            return 0x178;  // ÿ
        case 0x161:
            return 0x160;  // š
        case 0x153:
            return 0x152;  // œ
        case 0x17E:
            return 0x17D;  // ž
        default:
            return c;
    }
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<std::string> EncodeWindows1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::size_t length = SequenceLength(utf8);
        if (length == 0) return std::nullopt;
        const char32_t c = DecodeSequence(utf8, length);
        utf8.remove_prefix(length);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        std::size_t high = 0;
        while (high < kCp1252High.size() && kCp1252High[high] != c) ++high;
        if (high == kCp1252High.size()) return std::nullopt;
        bytes += static_cast<char>(0x80 + high);
    }
    return bytes;
}

bool IsPlainFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        if (static_cast<unsigned char>(bytes.front()) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t length = SequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string DecodeLine(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            AppendUtf8(out, kCp1252High[byte - 0x80]);
        } else {
            AppendUtf8(out, byte);  // 0xA0..0xFF are the Latin-1 letters and signs
        }
    }
    return out;
}

std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string out;
    out.reserve(bytes.size());
    // Line ends are ASCII, so a text that is UTF-8 as a whole is UTF-8 line by line: only the CRs of its
    // CR LF pairs have to go.
    const bool utf8 = IsValidUtf8(bytes);
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (!line.empty() && line.back() == '\r' && lf != std::string_view::npos) line.remove_suffix(1);
        if (utf8) {
            out += line;
        } else {
            out += DecodeLine(line);
        }
        if (lf == std::string_view::npos) break;
        out += '\n';
        bytes.remove_prefix(lf + 1);
    }
    return out;
}

std::optional<std::string> ReadFileBytes(const fs::path& file) {
    // Only a plain file has an end: a folder cannot be read, /dev/zero never ends and a pipe without a
    // writer would wait for ever.
    if (file.empty() || !IsPlainFile(file)) return std::nullopt;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes;
        std::error_code error;
        if (const auto size = fs::file_size(file, error); !error)
            bytes.reserve(static_cast<std::size_t>(size));
        char buffer[65536];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
            bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {  // a file larger than the memory can hold
        return std::nullopt;
    }
}

std::optional<std::string> ReadTextFile(const fs::path& file) {
    const auto bytes = ReadFileBytes(file);
    if (!bytes) return std::nullopt;
    try {
        return DecodeText(*bytes);
    } catch (const std::exception&) {  // no memory left for the decoded copy
        return std::nullopt;
    }
}

std::optional<LineHead> ReadLineHead(std::istream& in, std::size_t keep) {
    using Traits = std::char_traits<char>;
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) return std::nullopt;
    auto c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return std::nullopt;
    LineHead line;
    std::size_t length = 0;
    bool endsWithCr = false;
    for (; !Traits::eq_int_type(c, Traits::eof()) && c != '\n'; c = buffer->sbumpc()) {
        ++length;
        // One byte more than kept, so that a CR ending a line of exactly `keep` bytes can still go.
        if (line.text.size() <= keep) line.text += Traits::to_char_type(c);
        endsWithCr = c == '\r';
    }
    if (endsWithCr) {
        if (line.text.size() == length) line.text.pop_back();
        --length;
    }
    if (line.text.size() > keep) line.text.resize(keep);
    line.cut = length > keep;
    return line;
}

std::string Capitals(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::size_t length = SequenceLength(utf8);
        if (length == 0) {  // a stray byte stays as it is
            out += utf8.front();
            utf8.remove_prefix(1);
            continue;
        }
        AppendUtf8(out, CapitalOf(DecodeSequence(utf8, length)));
        utf8.remove_prefix(length);
    }
    return out;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    while (!utf8.empty()) {
        const std::size_t length = SequenceLength(utf8);
        utf8.remove_prefix(length == 0 ? 1 : length);
        ++count;
    }
    return count;
}

FieldReader::FieldReader(std::string text) : text_(std::move(text)) {}

bool FieldReader::AtEnd() const {
    return pos_ >= text_.size();
}

void FieldReader::SkipBlankLines() {
    const std::size_t size = text_.size();
    while (pos_ < size) {
        std::size_t end = pos_;
        while (end < size && IsBlank(text_[end])) ++end;
        if (end < size && !IsLineEnd(text_[end])) return;
        if (end < size && text_[end] == '\r' && end + 1 < size && text_[end + 1] == '\n') ++end;
        pos_ = end < size ? end + 1 : size;
    }
}

std::optional<std::string> FieldReader::Next() {
    if (AtEnd()) return std::nullopt;
    const std::size_t size = text_.size();
    while (pos_ < size && IsBlank(text_[pos_])) ++pos_;

    std::string field;
    if (pos_ < size && text_[pos_] == '"') {
        const std::size_t start = ++pos_;
        while (pos_ < size && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
        field = text_.substr(start, pos_ - start);
        if (pos_ < size && text_[pos_] == '"') {
            // Whatever follows the closing quote, up to the field's end, is not part of the value.
            while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        } else {
            while (!field.empty() && IsBlank(field.back())) field.pop_back();
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(text_[end - 1])) --end;
        field = text_.substr(start, end - start);
    }

    // The delimiter belongs to the field it ends; CR LF is one line end.
    if (pos_ < size) {
        const char delimiter = text_[pos_++];
        if (delimiter == '\r' && pos_ < size && text_[pos_] == '\n') ++pos_;
    }
    return field;
}

bool FileOutput::WriteAll(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0) {
            failed_ = errno != EINTR;
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !failed_;
}

bool FileOutput::Write(std::string_view bytes) {
    constexpr std::size_t kBuffered = 1 << 16;
    if (failed_) return false;
    if (buffer_.size() + bytes.size() > kBuffered && !Flush()) return false;
    if (bytes.size() >= kBuffered) return WriteAll(bytes);  // large pieces go to the file as they are
    buffer_ += bytes;
    return true;
}

bool FileOutput::Flush() {
    const bool ok = WriteAll(buffer_);
    buffer_.clear();
    return ok;
}

bool WriteFileThrough(const fs::path& file, const std::function<bool(FileOutput&)>& write) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    {
        FileOutput out(fd);
        ok = write(out) && out.Flush();
    }
    // On the disk before any rename makes it the file of record.
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    return ok;
}

bool WriteFileBytes(const fs::path& file, std::string_view bytes) {
    return WriteFileThrough(file, [bytes](FileOutput& out) { return out.Write(bytes); });
}

bool MoveIntoPlace(const fs::path& finished, const fs::path& target) {
    std::error_code error;
    fs::rename(finished, target, error);
    if (!error) return true;

    // A rename cannot cross filesystems: copy next to the target first, so that the step which replaces
    // the target is still a rename within its own folder.
    fs::path sibling = target;
    sibling += ".new~";
    const auto bytes = ReadFileBytes(finished);
    if (!bytes || !WriteFileBytes(sibling, *bytes)) {
        fs::remove(sibling, error);
        return false;
    }
    fs::rename(sibling, target, error);
    if (error) {
        fs::remove(sibling, error);
        return false;
    }
    fs::remove(finished, error);
    return true;
}

std::optional<fs::path> FileBehindLinks(const fs::path& file) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
    fs::path target = fs::weakly_canonical(file, error);
    if (error) return std::nullopt;  // a loop of links
    return target;
}

bool ReplaceFileContents(const fs::path& file, std::string_view bytes) {
    return ReplaceFileThrough(file, [bytes](FileOutput& out) { return out.Write(bytes); });
}

bool ReplaceFileThrough(const fs::path& file, const std::function<bool(FileOutput&)>& write) {
    // Renaming onto a link would put a file in the link's place and leave the linked file behind
    // unchanged; the linked file is the one to replace.
    const std::optional<fs::path> target = FileBehindLinks(file);
    if (!target) return false;
    std::error_code error;
    const auto status = fs::status(*target, error);
    // Only a plain file is replaced: a folder, a device or a pipe in its place is left alone.
    if (fs::exists(status) && !fs::is_regular_file(status)) return false;

    fs::path temporary = *target;
    temporary += ".tmp~";
    if (!WriteFileThrough(temporary, write)) {
        fs::remove(temporary, error);
        return false;
    }
    // The replaced file keeps its permissions.
    if (fs::exists(status)) fs::permissions(temporary, status.permissions(), error);
    fs::rename(temporary, *target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

fs::path StagedBackupPath(const fs::path& backup) {
    fs::path staged = backup;
    staged += ".new~";
    return staged;
}

namespace {

bool Fails(const RewriteFault& fault, RewriteStep step) {
    return fault && fault(step);
}

// Keeps the file under a second name: a hard link costs no room on the disk; where the filesystem has
// none, a copy, flushed like every file written.
bool KeepUnderSecondName(const fs::path& file, const fs::path& second) {
    std::error_code error;
    fs::remove(second, error);
    fs::create_hard_link(file, second, error);
    if (!error) return true;
    const auto bytes = ReadFileBytes(file);
    if (bytes && WriteFileBytes(second, *bytes)) return true;
    fs::remove(second, error);
    return false;
}

}  // namespace

RewriteResult MoveIntoPlaceKeepingBackup(const fs::path& finished, const fs::path& target,
                                         const fs::path& backup, const RewriteFault& fault) {
    RewriteResult result;
    std::error_code error;
    const auto status = fs::status(target, error);
    const bool previous = fs::exists(status);
    const fs::path staged = StagedBackupPath(backup);
    const auto giveUp = [&](RewriteOutcome outcome) {
        fs::remove(finished, error);
        if (previous) fs::remove(staged, error);
        result.outcome = outcome;
        return result;
    };
    // Nothing is touched until the previous file is safe under a name of its own.
    if (previous) {
        if (Fails(fault, RewriteStep::KeepPrevious) || !KeepUnderSecondName(target, staged))
            return giveUp(RewriteOutcome::BackupNotMade);
    }
    if (Fails(fault, RewriteStep::MoveNewIntoPlace) || !MoveIntoPlace(finished, target))
        return giveUp(RewriteOutcome::NotWritten);
    if (!previous) {
        result.outcome = RewriteOutcome::Done;
        return result;
    }
    // The new file keeps the permissions of the one it replaced, wherever it was written.
    fs::permissions(target, status.permissions(), error);
    // The new file is in place; now, and only now, the previous one becomes the backup.
    if (!Fails(fault, RewriteStep::ReplaceBackup)) {
        fs::rename(staged, backup, error);
        if (!error) {
            result.outcome = RewriteOutcome::Done;
            return result;
        }
    }
    // The backup stays as it was, so the target goes back to the previous file as well.
    if (!Fails(fault, RewriteStep::PutPreviousBack)) {
        fs::rename(staged, target, error);
        if (!error) {
            result.outcome = RewriteOutcome::BackupNotMade;
            return result;
        }
    }
    result.outcome = RewriteOutcome::PreviousKeptElsewhere;
    result.previousKeptAs = staged;
    return result;
}

RewriteResult ReplaceFileKeepingBackup(const fs::path& file, std::string_view bytes, const fs::path& backup,
                                       const RewriteFault& fault) {
    return ReplaceFileKeepingBackup(
        file, [bytes](FileOutput& out) { return out.Write(bytes); }, backup, fault);
}

RewriteResult ReplaceFileKeepingBackup(const fs::path& file, const std::function<bool(FileOutput&)>& write,
                                       const fs::path& backup, const RewriteFault& fault,
                                       const fs::path& temporaryFile) {
    RewriteResult result;
    const std::optional<fs::path> target = FileBehindLinks(file);
    if (!target) return result;
    std::error_code error;
    const auto status = fs::status(*target, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) return result;

    fs::path temporary = temporaryFile;
    if (temporary.empty()) {
        temporary = *target;
        temporary += ".tmp~";
    }
    if (!WriteFileThrough(temporary, write) || Fails(fault, RewriteStep::WriteNew)) {
        fs::remove(temporary, error);
        return result;
    }
    return MoveIntoPlaceKeepingBackup(temporary, *target, backup, fault);
}

std::string EditorFileBytes(std::string_view editorText) {
    if (editorText.empty()) return {};
    if (editorText.ends_with("\r\n")) {
        editorText.remove_suffix(2);
    } else if (editorText.ends_with('\n') || editorText.ends_with('\r')) {
        editorText.remove_suffix(1);
    }
    std::string out;
    out.reserve(editorText.size() + editorText.size() / 16 + 2);
    for (std::size_t i = 0; i < editorText.size(); ++i) {
        const char c = editorText[i];
        if (c == '\r') {
            if (i + 1 < editorText.size() && editorText[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    out += "\r\n";
    return out;
}

}  // namespace talvenor
