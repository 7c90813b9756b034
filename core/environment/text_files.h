// Reading the program's text files the way they were always read, whoever wrote them.
//
// Files written by the old Windows program are Windows-1252; files written by this one are UTF-8. Each
// line is decoded on its own (valid UTF-8 is taken as it is, anything else as Windows-1252), so a names
// file that both programs have added to still reads correctly. Everything this program writes is UTF-8.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace talvenor {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// One line's bytes as UTF-8 text. Bytes 0x80-0x9F of a Windows-1252 line go through the 1252 table; the
// five bytes that table leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the code points of the
// same number, as Windows itself converts them, so nothing of the line is lost.
std::string DecodeLine(std::string_view bytes);
// A whole file's bytes as UTF-8 text, line by line; CR LF and LF line ends are kept as "\n". A UTF-8
// byte-order mark at the start is dropped, so that it does not become part of the first name.
std::string DecodeText(std::string_view bytes);
// UTF-8 text as Windows-1252 bytes, the inverse of DecodeLine for every character the code page has; no
// value when the text holds a character it has not (or is not well-formed UTF-8).
std::optional<std::string> EncodeWindows1252(std::string_view utf8);
// True for a plain file (after links are followed): not a folder, a device or a pipe.
bool IsPlainFile(const std::filesystem::path& file);
// A file's bytes as they are; no value when it cannot be opened or is no plain file (a folder, a device
// such as /dev/zero that never ends, a pipe), or when it does not fit into memory.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);
// The decoded text of a file; no value when ReadFileBytes gives none or memory runs out.
std::optional<std::string> ReadTextFile(const std::filesystem::path& file);

// One line of a stream (ended by LF or the end of the stream; a CR before the LF is not part of it) of
// which only the first `keep` bytes are held: a line of any length costs no more memory than that. `cut`
// tells that the line went on beyond them. No value at the end of the stream.
struct LineHead {
    std::string text;
    bool cut = false;
};
std::optional<LineHead> ReadLineHead(std::istream& in, std::size_t keep);

// The text in capitals, as names are compared: ASCII letters and the accented letters of Windows-1252
// ("José" -> "JOSÉ"); everything else as it is.
std::string Capitals(std::string_view utf8);
// The number of characters (code points) of a UTF-8 text; a stray byte counts as one.
std::size_t CharacterCount(std::string_view utf8);

// No field of a names, cities or time-zone file comes near this many bytes: a longer one marks a damaged
// file, and a list entry of megabytes would stall the window that lists it.
inline constexpr std::size_t kLongestListField = 1024;

// Comma-separated fields the old way: fields end at a comma or a line end (CR LF, LF or CR); blanks
// (spaces, tabs) around a field are dropped; a field that starts with a double quote runs to the closing
// quote, may hold commas and loses its quotes, and whatever follows the closing quote up to the next comma
// or line end is ignored. A quote left open ends at the line end. An empty line is one empty field.
// Records are read by counting fields, not lines, so a line with too few fields borrows from the next
// line, as it always did.
class FieldReader {
  public:
    explicit FieldReader(std::string text);
    // The next field; no value when the end of the text has been reached (a read past the end fails).
    std::optional<std::string> Next();
    bool AtEnd() const;
    // Passes over what is left of the current line when it holds nothing but blanks, and over every
    // following line that holds nothing but blanks: where a record begins, a blank line is no record.
    void SkipBlankLines();
    // How far the reader has come: the number of bytes of the text read so far.
    std::size_t Position() const { return pos_; }
    // The text the reader was given.
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

// Writes bytes to a file, replacing it, and flushes them to the disk. False when any step failed (the
// file may then be incomplete: write to a temporary name, as ReplaceFileContents does).
bool WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);

// A file being written piece by piece (through a buffer), for files too large to be put together in memory
// first. Write gives false once writing has failed; every later Write does too.
class FileOutput {
  public:
    explicit FileOutput(int descriptor) : descriptor_(descriptor) {}
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;
    bool Write(std::string_view bytes);
    // Hands the buffered bytes to the file.
    bool Flush();

  private:
    bool WriteAll(std::string_view bytes);
    int descriptor_;
    std::string buffer_;
    bool failed_ = false;
};

// WriteFileBytes with the bytes that `write` gives; false from `write` gives up (the file is then
// incomplete, as after a failed write).
bool WriteFileThrough(const std::filesystem::path& file, const std::function<bool(FileOutput&)>& write);

// Puts a finished file in the place of another (replacing it): a rename, or, where the two lie on
// different filesystems, a copy beside the target and a rename of that copy. The target is at every moment
// either the old file or the complete new one. False when it could not be done.
bool MoveIntoPlace(const std::filesystem::path& finished, const std::filesystem::path& target);

// The file a path names once symbolic links are followed (the path itself when it is no link); no value
// for a loop of links.
std::optional<std::filesystem::path> FileBehindLinks(const std::filesystem::path& file);

// Replaces a file with the given bytes through a temporary file in the same folder and a rename, so that
// a failure part-way leaves the previous file as it was. A link is followed and the linked file replaced.
// False when it could not be done, and for a target that is no plain file (a folder, a device, a pipe).
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);
// ReplaceFileContents with the bytes that `write` gives; false from `write` leaves the file as it was.
bool ReplaceFileThrough(const std::filesystem::path& file, const std::function<bool(FileOutput&)>& write);

// A rewrite of a file that keeps the previous version as a backup (the names file and its ".OLD"). The
// backup is replaced only once the new file is in place: the previous file is first kept under a
// staging name beside the backup (a hard link, or a copy where links cannot be made), the new file then
// takes the target's place, and only then does the staged copy take the backup's place. Should that last
// rename fail, the previous file is put back in the target's place, so that on every failure the target
// and the backup are both as they were.
enum class RewriteStep { WriteNew, KeepPrevious, MoveNewIntoPlace, ReplaceBackup, PutPreviousBack };
// Lets tests make one step fail as a full disk would: true for a step that is to fail.
using RewriteFault = std::function<bool(RewriteStep)>;

enum class RewriteOutcome {
    Done,           // the new file is in place; the backup holds the previous file (when there was one)
    NotWritten,     // the new file could not be written or put in place: target and backup as they were
    BackupNotMade,  // the previous file could not be kept as the backup: target and backup as they were
    // The new file is in place and the old backup stays, but the previous file could neither become the
    // backup nor go back: it is kept under `previousKeptAs`.
    PreviousKeptElsewhere,
};
struct RewriteResult {
    RewriteOutcome outcome = RewriteOutcome::NotWritten;
    std::filesystem::path previousKeptAs;
};

// The staging name under which the previous file waits to become the backup.
std::filesystem::path StagedBackupPath(const std::filesystem::path& backup);

// Puts a finished file (written and flushed, anywhere) in the place of `target`, keeping the previous
// target as `backup` by the rule above. The finished file is gone afterwards whatever the outcome. A
// target that does not exist yet is simply created and the backup left alone. The new file takes the
// permissions of the file it replaces.
RewriteResult MoveIntoPlaceKeepingBackup(const std::filesystem::path& finished,
                                         const std::filesystem::path& target,
                                         const std::filesystem::path& backup, const RewriteFault& fault = {});

// Replaces `target` with the bytes through a temporary file beside it, keeping the previous file as
// `backup` by the same rule. A link is followed and the linked file replaced, as ReplaceFileContents does.
RewriteResult ReplaceFileKeepingBackup(const std::filesystem::path& target, std::string_view bytes,
                                       const std::filesystem::path& backup, const RewriteFault& fault = {});
// The same for a file that `write` writes piece by piece; when it gives false, target and backup stay as
// they were (NotWritten). `temporary`, when given, is where the new file is written first instead of beside
// the target (the names file's "Save to disk" writes the program folder's temporary file); it is gone
// afterwards whatever the outcome.
RewriteResult ReplaceFileKeepingBackup(const std::filesystem::path& target,
                                       const std::function<bool(FileOutput&)>& write,
                                       const std::filesystem::path& backup, const RewriteFault& fault = {},
                                       const std::filesystem::path& temporary = {});

// The editors' Save: the text without its own final line break (if it has one), written with CR LF line
// ends and one final line end; an empty text gives an empty file. Only a line break is dropped: a last
// line typed without one keeps all its characters.
std::string EditorFileBytes(std::string_view editorText);

}  // namespace talvenor
